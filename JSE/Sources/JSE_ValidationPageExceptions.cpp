// The page-exception half of the validator, not built yet: the page-exception
// list, the page selection, the exception papers, the job context and the
// page-exception feature checks.
//
// Until it is built every operation here gives its neutral result: nothing is
// ever added, so the lists stay empty, every look-up finds nothing, and every
// check allows (a job-feature rule that asks for the page-exception list
// passes). Only the catalog reference, the default record and the emptying of
// the lists, which the rest of the validator relies on, are real. This file
// is replaced as a whole when the half is built.
#include "JSE_Media.h"
#include "JSE_Validation.h"

void JSE_Validation::JSE_Validation_SetMediaReference(JSE_Media* catalog) { media = catalog; }

void JSE_Validation::GetDefaultPERecord(JSE_PageExceptionType& record) { record = JSE_PageExceptionType(); }

void JSE_Validation::JSE_Validation_GetDefaultPERecord(JSE_PageExceptionType& record) { GetDefaultPERecord(record); }

// ---- List ----
void JSE_Validation::JSE_Validation_Load_ExceptionRecord(JSE_PageExceptionType) {}
long JSE_Validation::findInsertLocation(long, long) { return 0; }
long JSE_Validation::JSE_Validation_Add_PePage(long, long, int) { return 0; }
long JSE_Validation::JSE_Validation_Remove_PePage(int, int) { return -1; }
long JSE_Validation::JSE_Validation_Remove_PePageRange(int, int, int) { return 0; }
void JSE_Validation::JSE_Validation_Remove_All_PageList() {
    pageExceptions.clear();
    selectedPages.clear();
    currentPeControl = 0;
}
long JSE_Validation::JSE_Validation_Get_NumberOf_PeRecord() { return 0; }
long JSE_Validation::JSE_Validation_GetPageExceptionItem(long, JSE_PageExceptionType&) {
    lastError = kValidationBadIndex;
    return kValidationBadIndex;
}
long JSE_Validation::JSE_Validation_Get_ExceptionRecord(int, int, JSE_PageExceptionType&, int) {
    return kValidationNoRecord;
}
long JSE_Validation::FindPage(long, long, int, int) { return -1; }
void JSE_Validation::CopyExceptionList() {}
void JSE_Validation::RestoreExceptionList() {}

// ---- Selection and exception papers ----
long JSE_Validation::JSE_Validation_Select_Page(int, int) { return kValidationNoRecord; }
long JSE_Validation::JSE_Validation_SetMedia_For_Selected_Pages(std::wstring) { return kValidationNoSelection; }
void JSE_Validation::AddItemToPaperSubstitutionList(int) {}
void JSE_Validation::JSE_Validation_Remove_Exception_Media(int) {}
void JSE_Validation::JSE_Validation_Remove_All_Exception_Media() { exceptionPapers.clear(); }
long JSE_Validation::JSE_Validation_Add_Exception_Media(int, bool) { return 0; }

// ---- Job context and page-exception controls ----
void JSE_Validation::JSE_Validation_SetJobFeature(int, const std::wstring&, int) {}
void JSE_Validation::Validation_SetJobFeatureValue(bool) {}
void JSE_Validation::JSE_Validation_Select_PeCommand(int, int) {}
long JSE_Validation::JSE_Validation_PeCommand(int, int, int&, bool) { return 0; }
void JSE_Validation::JSE_Validation_Set_Default_PeCommand() {}
void JSE_Validation::JSE_Validation_ResetPeControlValues() {}
void JSE_Validation::RestorePECommand(int) {}
void JSE_Validation::SetCurrentCommandValue() {}
void JSE_Validation::JSE_Validation_Select_PeMedia(int) {}

// ---- Checks over the selection and the list ----
long JSE_Validation::JSE_Validation_OnPePageRange(long, long, const JSE_MediaSelection&, int, int, long, bool) {
    return 0;
}
long JSE_Validation::JSE_Validation_On_Selected_Pages(int) { return 0; }
long JSE_Validation::JSE_Validation_On_Selected_PageOn_Command(int&, bool, bool) { return 0; }
long JSE_Validation::JSE_Validation_On_Selected_PageOn_Media(bool, bool, int) { return 0; }
long JSE_Validation::JSE_Validation_CheckPeFeature(long, long, const std::vector<JSE_PageExceptionType>&, int,
                                                   const JSE_MediaSelection&, int) {
    return 0;
}
long JSE_Validation::Validation_On_PeList() { return 0; }
long JSE_Validation::Check_PeLevel_List(int, int, DependentItem) { return 0; }
std::int32_t JSE_Validation::GetJseErrorCode(pe_error) { return 0; }
int JSE_Validation::GetMediaInfo(const std::wstring&, PAPERDEF&) { return 1; }
bool JSE_Validation::IsPrintableMedia(const std::wstring&) { return false; }

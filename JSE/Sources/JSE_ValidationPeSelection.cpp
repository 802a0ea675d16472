// The page-exception checks as the validator runs them on its own list: on
// one range, on the selected pages (applying a control's value or the
// page-exception paper to the records that pass), on every record of the
// list, and for job-feature rules that ask whether a new job value still
// suits the page exceptions.
#include "JSE_Media.h"
#include "JSE_Preference.h"
#include "JSE_ValidationPeLists.h"

namespace {

using pe_values::kPrintablePaper;

bool CarriesPaper(int code) {
    return code == kPePaperSubstitution || code == kPeInsertBefore || code == kPeInsertAfter ||
           code == kPeInsertLike;
}

// The value a paper check is given: the record's exit for an insert.
int PaperCheckValue(const JSE_PageExceptionType& record, int code) {
    return code == kPePaperSubstitution ? 0 : record.paperExit;
}

// The feature code a page-exception control's value is checked as.
int CodeOfControl(int control) {
    switch (control) {
    case eJSE_PeSideType: return kPePrintSide;
    case eJSE_PePlexType: return kPePrintMode;
    case eJSE_PeOutputType: return kPeSubsetOutput;
    case eJSE_PeTrimType: return kPeSubsetTrim;
    case eJSE_PeStackingType: return kPeSubsetJog;
    case 52: return kPePunch;
    case 53: return kPrintablePaper;
    default: return 0;
    }
}

void WriteControlValue(JSE_PageExceptionType& record, int control, int value) {
    JSE_PeRecordType& device = record.peRecord;
    switch (control) {
    case eJSE_PeSideType: record.peSide = true, record.peSideValue = value; break;
    case eJSE_PePlexType: record.pePlex = true, record.pePlexValue = value; break;
    case eJSE_PeOutputType:
        if (record.peSubset)
            device.peOutput = 1, device.peOutputValue = value;
        else
            record.paperExit = value;
        break;
    case eJSE_PeTrimType: device.peTrim = 1, device.peTrimValue = value; break;
    case eJSE_PeStackingType: device.peJog = 1, device.peJogValue = value; break;
    case 52: record.pePunch = value != 0; break;
    case 53: record.reserved = value; break;
    default: break;
    }
}

// The device an insert goes to: a device block's output names one only when
// it holds a device, as every record's block is set with none; else the
// insert's own tray, or none, the job's.
int OwnDevice(const JSE_PageExceptionType& record) {
    const JSE_PeRecordType& device = record.peRecord;
    return device.peOutput && device.peOutputValue != kPeNotSet ? device.peOutputValue : record.paperExit;
}

}  // namespace

// Records without a paper name are checked on the store's body paper.
long JSE_Validation::JSE_Validation_OnPePageRange(long start, long end, const JSE_MediaSelection& paper, int code,
                                                  int value, long, bool) {
    JSE_MediaSelection selection = paper;
    if (selection.mediaName.empty()) {
        if (preference == nullptr) return kValidationNoPreference;
        preference->JSE_Preference_GetBodyPaperName(selection.mediaName);
    }
    if (preference == nullptr) return 0;
    WString body;
    preference->JSE_Preference_GetBodyPaperName(body);
    std::vector<JSE_PageExceptionType> records = PeRecords();
    for (JSE_PageExceptionType& record : records)
        if (record.mediaName.empty()) record.mediaName = body;
    if (!CarriesPaper(code)) return JSE_Validation_CheckPeFeature(start, end, records, code, selection, value);
    const long result = JSE_Validation_CheckPeFeature(start, end, records, code, selection, 0);
    if (result != 0) preferenceBodyPaper = PaperNameOf(Get_Value(eJSE_PePaperSelection, false));
    return result;
}

long JSE_Validation::JSE_Validation_On_Selected_Pages(int paper) {
    if (selectedPages.empty()) return 0;
    const WString name = PaperNameOf(paper);
    Validation_SetJobFeatureValue(true);
    for (const pageSelectionRecord& selected : selectedPages) {
        const long i = FindPage(selected.page, selected.page, 1, selected.pageType);
        if (i == -1) continue;
        const JSE_PageExceptionType& record = PeRecords()[static_cast<std::size_t>(i)];
        const int code = record.exceptionMode;
        if (!CarriesPaper(code)) continue;
        const JSE_MediaSelection paper(name, record.reserved);
        const long result = JSE_Validation_OnPePageRange(record.startingPage, record.endingPage, paper, code,
                                                         PaperCheckValue(record, code), i, false);
        if (result != 0) return result;
    }
    return 0;
}

long JSE_Validation::JSE_Validation_On_Selected_PageOn_Command(int&, bool, bool apply) {
    Validation_SetJobFeatureValue(true);
    for (const pageSelectionRecord& selected : selectedPages) {
        const long i = FindPage(selected.page, selected.page, 1, selected.pageType);
        if (i == -1) continue;
        if (const long result = CheckControlOnRecord(static_cast<std::size_t>(i), apply)) return result;
    }
    return 0;
}

// Control 49 (staples) and controls without a feature check nothing.
long JSE_Validation::CheckControlOnRecord(std::size_t index, bool apply) {
    const int code = CodeOfControl(currentPeControl);
    if (code == 0) return 0;
    JSE_PageExceptionType& record = PeRecords()[index];
    const WString paper = record.fromJobPaper || record.mediaName.empty() ? preferenceBodyPaper : record.mediaName;
    const int value = Get_Value(currentPeControl, true);
    const long result = JSE_Validation_OnPePageRange(record.startingPage, record.endingPage, {paper, record.reserved},
                                                     code, value, static_cast<long>(index), false);
    if (result == 0 && apply) WriteControlValue(record, currentPeControl, value);
    return result;
}

// code 0 checks each record under its own code; codes that carry no paper
// are not checked but still receive the paper.
long JSE_Validation::JSE_Validation_On_Selected_PageOn_Media(bool apply, bool fromStore, int code) {
    if (fromStore) Validation_SetJobFeatureValue(true);
    for (const pageSelectionRecord& selected : selectedPages) {
        const long i = FindPage(selected.page, selected.page, 1, selected.pageType);
        if (i == -1) continue;
        JSE_PageExceptionType& record = PeRecords()[static_cast<std::size_t>(i)];
        const int checked = code != 0 ? code : record.exceptionMode;
        if (CarriesPaper(checked)) {
            const long result = JSE_Validation_OnPePageRange(record.startingPage, record.endingPage,
                                                             {preferenceBodyPaper, record.reserved}, checked,
                                                             PaperCheckValue(record, checked), i, false);
            if (result != 0) return result;
        }
        if (apply) {
            record.fromJobPaper = false;
            record.mediaName = preferenceBodyPaper;
        }
    }
    return 0;
}

// The validator's own list, else the settings store's; found is false when
// there is neither a list nor a store.
std::vector<JSE_PageExceptionType> JSE_Validation::RecordsToCheck(bool& found) {
    found = !PeRecords().empty() || preference != nullptr;
    if (!PeRecords().empty() || preference == nullptr) return PeRecords();
    std::vector<JSE_PageExceptionType> records;
    const std::int64_t count = preference->JSE_Preference_GetNumberOfPageExceptionItem();
    for (std::int64_t i = 0; i < count; ++i) {
        JSE_PageExceptionType record;
        if (preference->JSE_Preference_GetPageExceptionItem(i, record) == 0) records.push_back(record);
    }
    return records;
}

long JSE_Validation::Validation_On_PeList() {
    bool found = false;
    const std::vector<JSE_PageExceptionType> records = RecordsToCheck(found);
    if (!found) return kValidationNoPreference;
    if (records.empty()) return 0;
    Validation_SetJobFeatureValue(false);
    const PeListView list(records);
    for (const JSE_PageExceptionType& record : records)
        if (const long result = CheckListRecord(record, list)) return result;
    return 0;
}

// A substitution with its plex, an insert with its device, pages with a print
// mode or a print side of their own, then a subset's output device, trim and
// jog; so a job feature tried on the list meets every page exception that
// its own check judged against the job.
long JSE_Validation::CheckListRecord(const JSE_PageExceptionType& record, const PeListView& list) {
    const bool ownPaper = !record.fromJobPaper && !record.mediaName.empty();
    const JSE_MediaSelection paper(ownPaper ? record.mediaName : PaperNameOf(Get_Value(eJSE_BodyPaperSelection, true)),
                                   record.reserved);
    const auto check = [&](int code, int value) {
        return CheckPeFeatureOn(record.startingPage, record.endingPage, list, code, paper, value);
    };
    const JSE_PeRecordType& device = record.peRecord;
    const int code = record.exceptionMode;
    long result = 0;
    if (code == kPePaperSubstitution) {
        result = check(code, 0);
        if (result == 0 && record.pePlex) result = check(kPePrintMode, record.pePlexValue);
    } else if (CarriesPaper(code)) {
        result = check(code, OwnDevice(record));
    } else if (code == kPePrintMode && record.pePlex) {
        result = check(code, record.pePlexValue);
    } else if (code == kPePrintSide && record.peSide) {
        result = check(code, record.peSideValue);
    }
    if (result != 0 || !record.peSubset) return result;
    if (device.peOutput) result = check(kPeSubsetOutput, device.peOutputValue);
    if (result == 0 && device.peTrim) result = check(kPeSubsetTrim, device.peTrimValue);
    if (result == 0 && device.peJog) result = check(kPeSubsetJog, device.peJogValue);
    return result;
}

// The check code names the control to try the value on. Body paper, a
// document exit checked alone and punching are put back after the check;
// a print mode, or a document exit with the output device of the page
// exceptions, stays when the list passes.
long JSE_Validation::Check_PeLevel_List(int, int value, DependentItem record) {
    if (PeRecords().empty()) return 0;
    switch (record.flag) {
    case 19:
        Set_Value(eJSE_BodyPaperSelection, Get_Value(eJSE_BodyPaperSelection, true), false);
        return ListResultWith(eJSE_BodyPaperSelection, value);
    case 28:
        return KeepWhenListPasses(eJSE_PrintModeSelection, value,
                                  {eJSE_PeOutputType, eJSE_PeSideType, eJSE_PeTrimType});
    case 29:
        JSE_Validation_Select_PeCommand(eJSE_PeOutputType,
                                        Get_Value(eJSE_PeOutputType, true) == kPeNotSet ? kPeNotSet : value);
        return KeepWhenListPasses(eJSE_DocumentExitSelection, value,
                                  {eJSE_PePlexType, eJSE_PeSideType, eJSE_PeTrimType});
    case 32: return ListResultWith(eJSE_DocumentExitSelection, value);
    case 33: case 34: return ListResultWith(eJSE_PunchJobTypeCheck, 1);
    default: return 0;
    }
}

long JSE_Validation::ListResultWith(int control, int value) {
    const int old = Get_Value(control, true);
    Set_Value(control, value, true);
    const long result = Validation_On_PeList();
    Set_Value(control, old, true);
    return result;
}

// On a refusal the control and the page-exception controls go back.
long JSE_Validation::KeepWhenListPasses(int control, int value, std::initializer_list<int> keep) {
    const int old = Get_Value(control, true);
    Set_Value(control, old, false);
    Set_Value(control, value, true);
    for (const int c : keep) Set_Value(c, Get_Value(c, true), false);
    const long result = Validation_On_PeList();
    if (result != 0) {
        Set_Value(control, old, true);
        JSE_Validation_ResetPeControlValues();
    }
    return result;
}

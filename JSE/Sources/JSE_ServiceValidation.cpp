// The service's validation family: each operation forwards to the validator;
// without a validator it stores or returns -1005, or quietly gives a neutral
// result, as the header notes.
#include "JSE_Service.h"
#include "JSE_ServiceForward.h"
#include "JSE_ServiceJob.h"

#define VALIDATOR(call, ...) JSE_FORWARD(m_validation, kServiceNoValidation, call __VA_OPT__(, ) __VA_ARGS__)
#define VALIDATOR_QUIETLY(call, ...) JSE_FORWARD_QUIETLY(m_validation, call, __VA_ARGS__)

namespace {

constexpr long kNoValidation = kServiceNoValidation;

}  // namespace

// ---- Operations the bridge uses ----
int JSE_Service::JSE_Validation_Check(int control, int value, int& conflict, bool apply) {
    ZeroWhenMissing(m_validation, conflict);
    if (control == eJSE_PunchJobTypeCheck) value = service_job::PunchSwitch(value);
    return VALIDATOR(JSE_Validation_Check(control, value, conflict, apply), int{kServiceNoValidation});
}
void JSE_Service::JSE_Validation_SetValue_NoCheck(int control, int value) {
    VALIDATOR(JSE_Validation_SetValue_NoCheck(control, value));
}
void JSE_Service::JSE_Validation_Remove_All_Exception_Media() {
    VALIDATOR(JSE_Validation_Remove_All_Exception_Media());
}
void JSE_Service::JSE_Validation_Remove_All_PageList() { VALIDATOR_QUIETLY(JSE_Validation_Remove_All_PageList()); }
std::int64_t JSE_Service::JSE_Validation_Load_PeRecord(JSE_PageExceptionType record) {
    VALIDATOR(JSE_Validation_Load_ExceptionRecord(record));
    return m_lastError;
}
void JSE_Service::JSE_Validation_Load_PeRecordsLater(JSE_Validation::PeRecordSource source) {
    VALIDATOR_QUIETLY(JSE_Validation_Load_ExceptionRecordsLater(std::move(source)));
}
void JSE_Service::JSE_Validation_SetJobFeature(int id, const WString& text, int value) {
    VALIDATOR(JSE_Validation_SetJobFeature(id, text, value));
}
long JSE_Service::JSE_Validation_CheckPeFeature(long start, long end, const std::vector<JSE_PageExceptionType>& list,
                                                int code, const JSE_MediaSelection& paper, int value) {
    return VALIDATOR(JSE_Validation_CheckPeFeature(start, end, list, code, paper, value), kNoValidation);
}
bool JSE_Service::JSE_Validation_RulesLoaded() { return VALIDATOR(JSE_Validation_RulesLoaded(), false); }
bool JSE_Service::JSE_Validation_RuleFileDamaged() { return VALIDATOR(JSE_Validation_RuleFileDamaged(), false); }

// ---- Capability: -1005 stored and returned ----
long JSE_Service::JSE_Validation_GetVersion() { return VALIDATOR(JSE_Validation_GetVersion(), kNoValidation); }
long JSE_Service::JSE_Validation_Add_Exception_Media(int paper) {
    return VALIDATOR(JSE_Validation_Add_Exception_Media(paper, true), kNoValidation);
}
long JSE_Service::JSE_Validation_Add_PePage(long page, long paperIndex, int code) {
    return VALIDATOR(JSE_Validation_Add_PePage(page, paperIndex, code), kNoValidation);
}
long JSE_Service::JSE_Validation_Remove_PePage(int page, int code) {
    return VALIDATOR(JSE_Validation_Remove_PePage(page, code), kNoValidation);
}
long JSE_Service::JSE_Validation_PeCommand(int control, int value, int& ignored, bool ignoredFlag) {
    ZeroWhenMissing(m_validation, ignored);
    return VALIDATOR(JSE_Validation_PeCommand(control, value, ignored, ignoredFlag), kNoValidation);
}
long JSE_Service::JSE_Validation_Remove_PePageRange(int first, int last, int code) {
    return VALIDATOR(JSE_Validation_Remove_PePageRange(first, last, code), kNoValidation);
}
long JSE_Service::JSE_Validation_SetMedia_For_Selected_Pages(const WString& name) {
    return VALIDATOR(JSE_Validation_SetMedia_For_Selected_Pages(name), kNoValidation);
}
long JSE_Service::JSE_Validation_SetOption_UsePreferenceInPeValidation(bool on) {
    if (!m_validation) return Missing(kServiceNoValidation, kNoValidation);
    m_validation->JSE_Validation_SetOption_UsePreferenceInPeValidation(on);
    return 0;
}

// ---- Capability: -1005 stored, nothing returned ----
void JSE_Service::JSE_Validation_Remove_Exception_Media(int paper) {
    VALIDATOR(JSE_Validation_Remove_Exception_Media(paper));
}
void JSE_Service::JSE_Validation_GetPageExceptionItem(long index, JSE_PageExceptionType& item) {
    if (!m_validation) return Missing(kServiceNoValidation);
    m_validation->JSE_Validation_GetPageExceptionItem(index, item);
}
void JSE_Service::JSE_Validation_GetDefaultPERecord(JSE_PageExceptionType& record) {
    VALIDATOR(JSE_Validation_GetDefaultPERecord(record));
}
void JSE_Service::JSE_Validation_SetReplacementMode(bool on) { VALIDATOR(JSE_Validation_SetReplacementMode(on)); }
int JSE_Service::JSE_Validation_GetLastError() { return VALIDATOR(JSE_Validation_GetError(), 0); }

// ---- Capability: -1005 returned, not stored ----
long JSE_Service::JSE_Validation_Select_Page(int page, int code) {
    return VALIDATOR_QUIETLY(JSE_Validation_Select_Page(page, code), kNoValidation);
}
long JSE_Service::JSE_Validation_On_Selected_PageOn_Command(int& ignored, bool ignoredFlag, bool apply) {
    ZeroWhenMissing(m_validation, ignored);
    return VALIDATOR_QUIETLY(JSE_Validation_On_Selected_PageOn_Command(ignored, ignoredFlag, apply), kNoValidation);
}
long JSE_Service::JSE_Validation_On_Selected_Pages(int paper) {
    return VALIDATOR_QUIETLY(JSE_Validation_On_Selected_Pages(paper), kNoValidation);
}
long JSE_Service::JSE_Validation_On_Selected_PageOn_Media(bool /*ignoredFlag*/, int value) {
    return VALIDATOR_QUIETLY(JSE_Validation_On_Selected_PageOn_Media(true, true, value), kNoValidation);
}
long JSE_Service::JSE_Validation_Get_ExceptionRecord(int start, int end, JSE_PageExceptionType& record) {
    return VALIDATOR_QUIETLY(JSE_Validation_Get_ExceptionRecord(start, end, record, -1), kNoValidation);
}

// ---- Capability: nothing and no code ----
void JSE_Service::JSE_Validation_Clear_Selected_Page() { VALIDATOR_QUIETLY(JSE_Validation_Clear_Selected_Page()); }
void JSE_Service::JSE_Validation_Select_PeCommand(int control, int value) {
    VALIDATOR_QUIETLY(JSE_Validation_Select_PeCommand(control, value));
}
void JSE_Service::JSE_Validation_Set_Default_PeCommand() { VALIDATOR_QUIETLY(JSE_Validation_Set_Default_PeCommand()); }
void JSE_Service::JSE_Validation_Select_PeMedia(int paper) { VALIDATOR_QUIETLY(JSE_Validation_Select_PeMedia(paper)); }
long JSE_Service::JSE_Validation_On_PeList() { return VALIDATOR_QUIETLY(Validation_On_PeList(), 0L); }
long JSE_Service::JSE_Validation_Get_NumberOf_PeRecord() {
    return VALIDATOR_QUIETLY(JSE_Validation_Get_NumberOf_PeRecord(), 0L);
}
long JSE_Service::JSE_Validation_Add_PePageRange(int, int, int, int) { return 0; }

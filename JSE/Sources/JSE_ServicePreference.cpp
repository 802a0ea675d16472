// The service's settings family: each operation forwards to the settings
// store; without a store it stores -1002 and gives the result noted in the
// header.
#include "JSE_Service.h"
#include "JSE_ServiceForward.h"

#define STORE(call, ...) JSE_FORWARD(m_preference, kServiceNoPreference, call __VA_OPT__(, ) __VA_ARGS__)

// ---- Table operations ----
void JSE_Service::JSE_Preference_SetFullPath(const WString& path) { STORE(JSE_Preference_SetFullPath(path)); }
std::int32_t JSE_Service::JSE_Preference_Get(void* buffer, std::int64_t length) {
    return STORE(JSE_Preference_Get(buffer, length), 0);
}
std::int32_t JSE_Service::JSE_Preference_Set(const void* buffer, std::int64_t length) {
    return STORE(JSE_Preference_Set(buffer, length), 0);
}
void JSE_Service::JSE_Preference_SetJobFeature(JSE_JobFeatureType record) {
    STORE(JSE_Preference_SetJobFeature(record));
}
void JSE_Service::JSE_Preference_GetJobFeature(JSE_JobFeatureType& record) {
    STORE(JSE_Preference_GetJobFeature(record));
}
void JSE_Service::JSE_Preference_GetRelease6Features(JSE_Release1_4Type& values) {
    STORE(JSE_Preference_GetRelease6Features(values));
}
void JSE_Service::JSE_Preference_SetRelease6Features(const JSE_Release1_4Type& values) {
    STORE(JSE_Preference_SetRelease6Features(values));
}
void JSE_Service::JSE_Preference_GetRelease7Features(JSE_Release3_0Type& values) {
    STORE(JSE_Preference_GetRelease7Features(values));
}
void JSE_Service::JSE_Preference_SetRelease7Features(const JSE_Release3_0Type& values) {
    STORE(JSE_Preference_SetRelease7Features(values));
}
void JSE_Service::JSE_Preference_SetPageExceptionItem(JSE_PageExceptionType item) {
    STORE(JSE_Preference_SetPageExceptionItem(item));
}
void JSE_Service::JSE_Preference_GetPageExceptionItem(std::int64_t index, JSE_PageExceptionType& item) {
    if (!m_preference) return Missing(kServiceNoPreference);
    m_preference->JSE_Preference_GetPageExceptionItem(index, item);
}
void JSE_Service::JSE_Preference_GetSubSetPeItem(JSE_PeRecordType& record) {
    STORE(JSE_Preference_GetSubSetPeItem(record));
}
void JSE_Service::JSE_Preference_SetSubSetPeItem(JSE_PeRecordType record) {
    STORE(JSE_Preference_SetSubSetPeItem(record));
}
void JSE_Service::JSE_Preference_GetMedia(std::int32_t index, JSE_MediaRecordType& paper) {
    STORE(JSE_Preference_GetMedia(index, paper));
}
void JSE_Service::JSE_Preference_SetMedia(JSE_MediaRecordType paper) { STORE(JSE_Preference_SetMedia(paper)); }

// The settings file's outcome is the service's last error.
void JSE_Service::JSE_Preference_Save_Setting() {
    if (!m_preference) return Missing(kServiceNoPreference);
    m_preference->JSE_Preference_Save_Setting();
    m_lastError = m_preference->JSE_Preference_GetLastError();
}
void JSE_Service::JSE_Preference_Load_Setting() {
    if (!m_preference) return Missing(kServiceNoPreference);
    m_preference->JSE_Preference_Load_Setting();
    m_lastError = m_preference->JSE_Preference_GetLastError();
}

void JSE_Service::JSE_Preference_Get_Default_JobFeature(JSE_JobFeatureType& record) {
    STORE(JSE_Preference_Get_Default_JobFeature(record));
}
void JSE_Service::JSE_Preference_Set_Media_Reference(JSE_Media* catalog) {
    STORE(JSE_Preference_Set_Media_Reference(catalog));
}
void JSE_Service::JSE_Preference_Set_Factory_Default() { STORE(JSE_Preference_Set_Factory_Default()); }
void JSE_Service::JSE_Preference_Clear_PageException() { STORE(JSE_Preference_Clear_PageException()); }
void JSE_Service::JSE_Preference_Clear_CustomCommand() { STORE(JSE_Preference_Clear_CustomCommand()); }
void JSE_Service::JSE_Preference_Clear_MediaList() { STORE(JSE_Preference_Clear_MediaList()); }

// ---- Operations the bridge uses ----
void JSE_Service::JSE_Preference_Set_CustomRecord(JSE_CustomCommandType record) {
    STORE(JSE_Preference_Set_CustomRecord(record));
}
void JSE_Service::JSE_Preference_SetUserPunchPattern(std::int32_t pattern) {
    STORE(JSE_Preference_SetUserPunchPattern(pattern));
}
std::int32_t JSE_Service::JSE_Preference_GetNarrowBookletValue() {
    return STORE(JSE_Preference_GetNarrowBookletValue(), 0);
}
void JSE_Service::JSE_Preference_SetNarrowBookletValue(std::int32_t value) {
    STORE(JSE_Preference_SetNarrowBookletValue(value));
}
std::int32_t JSE_Service::JSE_Preference_GetPageOrderValue() { return STORE(JSE_Preference_GetPageOrderValue(), 1); }
void JSE_Service::JSE_Preference_SetPageOrderValue(std::int32_t value) {
    STORE(JSE_Preference_SetPageOrderValue(value));
}

// ---- Capability ----
std::int32_t JSE_Service::JSE_Preference_GetVersion() { return STORE(JSE_Preference_GetVersion(), 0); }
std::int32_t JSE_Service::JSE_Preference_GetLastError() { return STORE(JSE_Preference_GetLastError(), 0); }
void JSE_Service::JSE_Preference_GetFullPath(WString& path) {
    if (!m_preference) path.clear();
    STORE(JSE_Preference_GetFullPath(path));
}
std::int64_t JSE_Service::JSE_Preference_GetNumberOfPageExceptionItem() {
    return STORE(JSE_Preference_GetNumberOfPageExceptionItem(), 0);
}
void JSE_Service::JSE_Preference_Get_CustomRecord(JSE_CustomCommandType& record) {
    STORE(JSE_Preference_Get_CustomRecord(record));
}
void JSE_Service::JSE_Preference_Set_EmulationType(std::int32_t type) { STORE(JSE_Preference_Set_EmulationType(type)); }
void JSE_Service::JSE_Preference_Set_UserData(const void* bytes, std::int64_t length) {
    STORE(JSE_Preference_Set_UserData(bytes, length));
}
void JSE_Service::JSE_Preference_Get_UserData(void* buffer, std::int64_t length) {
    STORE(JSE_Preference_Get_UserData(buffer, length));
}
std::int64_t JSE_Service::JSE_Preference_Get_UserDataSize() { return STORE(JSE_Preference_Get_UserDataSize(), 0); }
std::int64_t JSE_Service::JSE_Preference_Get_MediaListSize() { return STORE(JSE_Preference_Get_MediaListSize(), 0); }
void JSE_Service::JSE_Preference_SetLastPageFirst(bool on) { STORE(JSE_Preference_SetLastPageFirst(on)); }
void JSE_Service::JSE_Preference_GetLastPageFirst(bool& on) {
    ZeroWhenMissing(m_preference, on);
    STORE(JSE_Preference_GetLastPageFirst(on));
}
void JSE_Service::JSE_Preference_SetPDFVersion(const WString& version) { STORE(JSE_Preference_SetPDFVersion(version)); }
void JSE_Service::JSE_Preference_GetPDFVersion(WString& version) {
    if (!m_preference) version.clear();
    STORE(JSE_Preference_GetPDFVersion(version));
}
void JSE_Service::JSE_Preference_SetPDFPageLoop(bool on) { STORE(JSE_Preference_SetPDFPageLoop(on)); }
bool JSE_Service::JSE_Preference_GetPDFPageLoop() { return STORE(JSE_Preference_GetPDFPageLoop(), false); }
void JSE_Service::JSE_Preference_SetPDFUseOpp(std::int32_t value) { STORE(JSE_Preference_SetPDFUseOpp(value)); }
std::int32_t JSE_Service::JSE_Preference_GetPDFUseOpp() {
    return STORE(JSE_Preference_GetPDFUseOpp(), std::int32_t{kServiceNoPreference});
}
std::int32_t JSE_Service::JSE_Preference_GetUserPunchPattern() {
    return STORE(JSE_Preference_GetUserPunchPattern(), 0);
}

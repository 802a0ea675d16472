// The settings store: job features, page exceptions, papers, user data, paths.
#include <algorithm>
#include <cstring>

#include "JSE_Preference.h"

JSE_Preference::JSE_Preference(const WString& fileName, WString language)
    : m_fileName(fileName) {
    m_contents.language = std::move(language);
    if (m_fileName.empty()) m_lastError = kNoFileName;
    ResetToFactoryDefaults();
}

JSE_Preference::~JSE_Preference() = default;

void JSE_Preference::JSE_Preference_Set_Media_Reference(JSE_Media* catalog) { m_media = catalog; }

void JSE_Preference::JSE_Preference_Get_Default_JobFeature(JSE_JobFeatureType& record) const {
    FillFactoryDefaults(record);
}

void JSE_Preference::JSE_Preference_Set_Factory_Default() {
    m_lastError = kNoError;
    ResetToFactoryDefaults();
}

void JSE_Preference::JSE_Preference_Set_EmulationType(std::int32_t type) {
    m_emulationType = type;
    m_contents.jobFeature.jobEmulationType = type;
}

// An empty body paper means "no change": the stored body paper, and the
// compile-job-only flag that goes with it, stay as they are.
void JSE_Preference::JSE_Preference_SetJobFeature(JSE_JobFeatureType record) {
    if (record.bodyPaper.empty()) {
        record.bodyPaper = m_contents.jobFeature.bodyPaper;
        record.compileJobOnly = m_contents.jobFeature.compileJobOnly;
    }
    m_contents.jobFeature = std::move(record);
}

void JSE_Preference::JSE_Preference_GetJobFeature(JSE_JobFeatureType& record) const { record = m_contents.jobFeature; }

void JSE_Preference::JSE_Preference_GetBodyPaperName(WString& name) const { name = m_contents.jobFeature.bodyPaper; }

std::int32_t JSE_Preference::JSE_Preference_GetPrintingMode() const { return m_contents.jobFeature.printingMode; }

std::int32_t JSE_Preference::JSE_Preference_GetExitDevice() const { return m_contents.jobFeature.jobExit; }

bool JSE_Preference::JSE_Preference_GetTrimValue() const { return m_contents.jobFeature.trimming; }

bool JSE_Preference::JSE_Preference_GetOffsetStackValue() const { return m_contents.jobFeature.offsetStack; }

void JSE_Preference::JSE_Preference_SetPageExceptionItem(JSE_PageExceptionType item) {
    m_contents.pageExceptions.push_back(std::move(item));
}

std::int32_t JSE_Preference::JSE_Preference_GetPageExceptionItem(std::int64_t index, JSE_PageExceptionType& item) {
    if (index < 0 || index >= JSE_Preference_GetNumberOfPageExceptionItem()) {
        m_lastError = kNoSuchPageException;
        return kNoSuchPageException;
    }
    item = m_contents.pageExceptions[static_cast<std::size_t>(index)];
    m_lastError = kNoError;
    return kNoError;
}

std::int64_t JSE_Preference::JSE_Preference_GetNumberOfPageExceptionItem() const {
    return static_cast<std::int64_t>(m_contents.pageExceptions.size());
}

void JSE_Preference::JSE_Preference_Clear_PageException() { m_contents.pageExceptions.clear(); }

// Finishing subsets travel inside the page exceptions; the store keeps no
// separate subset record.
void JSE_Preference::JSE_Preference_GetSubSetPeItem(JSE_PeRecordType&) const {}

void JSE_Preference::JSE_Preference_SetSubSetPeItem(JSE_PeRecordType) {}

void JSE_Preference::JSE_Preference_GetMedia(std::int32_t index, JSE_MediaRecordType& paper) const {
    if (index >= 0 && index < JSE_Preference_Get_MediaListSize()) paper = m_contents.papers[static_cast<std::size_t>(index)];
}

// The paper list is filled only from a settings file.
void JSE_Preference::JSE_Preference_SetMedia(JSE_MediaRecordType) {}

std::int64_t JSE_Preference::JSE_Preference_Get_MediaListSize() const {
    return static_cast<std::int64_t>(m_contents.papers.size());
}

void JSE_Preference::JSE_Preference_Clear_MediaList() { m_contents.papers.clear(); }

void JSE_Preference::JSE_Preference_Set_UserData(const void* bytes, std::int64_t length) {
    m_contents.userData.clear();
    if (!bytes || length <= 0) return;
    const auto* first = static_cast<const unsigned char*>(bytes);
    m_contents.userData.assign(first, first + length);
}

// Copies no more than the store holds, whatever length the caller passes.
void JSE_Preference::JSE_Preference_Get_UserData(void* buffer, std::int64_t length) const {
    if (!buffer || length <= 0) return;
    const std::size_t count = std::min(static_cast<std::size_t>(length), m_contents.userData.size());
    if (count > 0) std::memcpy(buffer, m_contents.userData.data(), count);
}

std::int64_t JSE_Preference::JSE_Preference_Get_UserDataSize() const {
    return static_cast<std::int64_t>(m_contents.userData.size());
}

void JSE_Preference::JSE_Preference_SetFullPath(WString path) { m_fullPath = std::move(path); }

void JSE_Preference::JSE_Preference_GetFullPath(WString& path) const { path = m_fullPath; }

std::int32_t JSE_Preference::JSE_Preference_GetVersion() const { return kCurrentVersion; }

std::int32_t JSE_Preference::JSE_Preference_GetLastError() const { return m_lastError; }

// The raw block interface reads and writes nothing.
std::int32_t JSE_Preference::JSE_Preference_Get(void*, std::int64_t) { return 0; }

std::int32_t JSE_Preference::JSE_Preference_Set(const void*, std::int64_t) { return 0; }

// The service's life: start-up of the four parts in their fixed order, their
// links, teardown, the re-creation of one part, and the two copies of the
// live settings into the ticket and the validator.
#include "JSE_Service.h"

#include <functional>
#include <new>

#include "JSE_JobTicket.h"
#include "JSE_Media.h"
#include "JSE_Preference.h"
#include "JSE_ServiceJob.h"
#include "JSE_Validation.h"

namespace {

// The standard colour and type names handed to the catalog, in order.
const wchar_t* const s_Colors[] = {L"any", L"white", L"red", L"yellow", L"green", L"blue", L"clear"};
const wchar_t* const s_Types[] = {L"plain", L"cover", L"color", L"insert", L"tab", L"transparency"};

template <std::size_t N>
WString JoinNames(const wchar_t* const (&names)[N], wchar_t separator) {
    WString list;
    for (const wchar_t* name : names) {
        if (!list.empty()) list += separator;
        list += name;
    }
    return list;
}

const wchar_t* const kStandardSettingFileName = L"Qwi_JSE.prf";
const wchar_t* const kDefaultLanguage = L"English";
const wchar_t* const kStandardUSPaper = L"Letter";
const wchar_t* const kStandardNonUSPaper = L"A4";

}  // namespace

JSE_Service::JSE_Service() = default;

JSE_Service::JSE_Service(const WString& language, const WString& secondPath, const WString& catalogPath, bool safe) {
    JSE_Initialize(language, secondPath, catalogPath, safe);
}

JSE_Service::JSE_Service(const WString& language, const WString& secondPath, const WString& catalogPath,
                         const WString& validationPath, bool safe) {
    JSE_Initialize(language, secondPath, catalogPath, validationPath, safe);
}

JSE_Service::JSE_Service(const WString& language, int platform) { StartWithoutFiles(language, platform); }

void JSE_Service::StartWithoutFiles(const WString& language, int platform) {
    ResetFields(m_language, WString(), WString());
    m_colorList.clear();
    m_typeList.clear();
    m_media.reset(new (std::nothrow) JSE_Media(platform));
    if (!m_media) return Missing(kServiceNoMedia);
    m_validation.reset(new (std::nothrow) JSE_Validation(m_media.get(), true));
    if (!m_validation) return Missing(kServiceNoValidation);
    m_preference = NewPreference(m_settingsFileName, language);
    if (!m_preference) return Missing(kServiceNoPreference);
    m_preference->JSE_Preference_Set_Media_Reference(m_media.get());
    if (!CreateTicket(m_language)) return;
    LinkParts();
}

// The validator goes first, as it refers to the catalog and the store; the
// ticket next, as it refers to both; the store refers to the catalog.
JSE_Service::~JSE_Service() {
    m_attributes.clear();
    ReleaseParts();
    m_validationErrors.clear();
}

void JSE_Service::ReleaseParts() {
    m_validation.reset();
    m_jobTicket.reset();
    m_media.reset();
    m_preference.reset();
}

void JSE_Service::JSE_Initialize(const WString& language, const WString& secondPath, const WString& catalogPath,
                                 const WString& validationPath, bool safe) {
    StartUp(language, secondPath, catalogPath, validationPath, safe);
}

// The validator always reads the catalog path with ".dat".
void JSE_Service::JSE_Initialize(const WString& language, const WString& secondPath, const WString& catalogPath,
                                 bool safe) {
    StartUp(language, secondPath, catalogPath, WString(), safe);
}

void JSE_Service::ResetFields(const WString& language, const WString& secondPath, const WString& catalogPath) {
    ReleaseParts();
    m_lastError = kServiceNoError;
    m_language = language;
    m_ticketFamilyOn = true;
    m_settingsFileName = kStandardSettingFileName;
    SetCatalogFields(secondPath, catalogPath);
}

void JSE_Service::SetCatalogFields(const WString& secondPath, const WString& catalogPath) {
    m_secondPath = secondPath;
    m_catalogPath = catalogPath;
    m_separator = L':';
    m_colorList = JoinNames(s_Colors, m_separator);
    m_typeList = JoinNames(s_Types, m_separator);
}

// A validator that could not read its rule file is no failure here: the
// engine still starts, and JSE_Validation_RulesLoaded tells it.
void JSE_Service::StartUp(const WString& language, const WString& secondPath, const WString& catalogPath,
                          const WString& validationPath, bool safe) {
    ResetFields(language, secondPath, catalogPath);
    m_media = NewMedia(m_language, m_catalogPath, m_colorList, m_typeList, m_separator, safe);
    if (!m_media) return Missing(kServiceNoMedia);
    m_validation = NewValidation(m_media.get(), validationPath);
    if (!m_validation) return Missing(kServiceNoValidation);
    if (m_validation->JSE_Validation_GetError() != kValidationNoError) return Missing(kServiceValidationFailed);
    m_preference = NewPreference(m_settingsFileName, m_language);
    if (!m_preference) return Missing(kServiceNoPreference);
    m_preference->JSE_Preference_Set_Media_Reference(m_media.get());
    if (!CreateTicket(m_language)) return;
    LinkParts();
}

bool JSE_Service::CreateTicket(const WString& language) {
    m_jobTicket = NewJobTicket(language, kStandardUSPaper);
    if (!m_jobTicket) Missing(kServiceNoJobTicket);
    return m_jobTicket != nullptr;
}

void JSE_Service::LinkParts() {
    m_jobTicket->JSE_JobTicket_Set_JSE_PreferenceRef(m_preference.get());
    m_jobTicket->JSE_JobTicket_Set_JSE_MediaRef(m_media.get());
    m_validation->JSE_Validation_Set_JSE_PreferenceRef(m_preference.get());
}

std::unique_ptr<JSE_Media> JSE_Service::NewMedia(const WString& language, const WString& catalogPath,
                                                 const WString& colorList, const WString& typeList, wchar_t separator,
                                                 bool safe) {
    return std::unique_ptr<JSE_Media>(new (std::nothrow)
                                          JSE_Media(language, catalogPath, colorList, typeList, separator, safe));
}

std::unique_ptr<JSE_Validation> JSE_Service::NewValidation(JSE_Media* catalog, const WString& path) {
    return std::unique_ptr<JSE_Validation>(new (std::nothrow) JSE_Validation(catalog, path));
}

std::unique_ptr<JSE_Preference> JSE_Service::NewPreference(const WString& fileName, const WString& language) {
    return std::unique_ptr<JSE_Preference>(new (std::nothrow) JSE_Preference(fileName, language));
}

std::unique_ptr<JSE_JobTicket> JSE_Service::NewJobTicket(const WString& language, const WString& defaultPaper) {
    return std::unique_ptr<JSE_JobTicket>(new (std::nothrow) JSE_JobTicket(language, defaultPaper, 1));
}

// ---------------------------------------------------------------------------
// Re-creating one part. A part that cannot be created leaves the others
// holding no reference to the one it replaced.

void JSE_Service::JSE_Initialize_Media(const WString& language, const WString& secondPath, const WString& catalogPath,
                                       bool safe) {
    m_lastError = kServiceNoError;
    SetCatalogFields(secondPath, catalogPath);
    std::unique_ptr<JSE_Media> replaced = std::move(m_media);
    m_media = NewMedia(language, m_catalogPath, m_colorList, m_typeList, m_separator, safe);
    if (m_validation) m_validation->JSE_Validation_SetMediaReference(m_media.get());
    if (m_preference) m_preference->JSE_Preference_Set_Media_Reference(m_media.get());
    if (m_jobTicket) m_jobTicket->JSE_JobTicket_Set_JSE_MediaRef(m_media.get());
    if (!m_media) Missing(kServiceNoMedia);
}

void JSE_Service::JSE_Initialize_Preference(const WString& language) {
    m_settingsFileName = kStandardSettingFileName;
    std::unique_ptr<JSE_Preference> replaced = std::move(m_preference);
    m_preference = NewPreference(m_settingsFileName, language);
    if (m_jobTicket) m_jobTicket->JSE_JobTicket_Set_JSE_PreferenceRef(m_preference.get());
    if (m_validation) m_validation->JSE_Validation_Set_JSE_PreferenceRef(m_preference.get());
    if (!m_preference) return Missing(kServiceNoPreference);
    if (!m_media) return Missing(kServiceNoMedia);
    m_preference->JSE_Preference_Set_Media_Reference(m_media.get());
}

void JSE_Service::JSE_Initialize_JobTicket(const WString& language) {
    if (m_jobTicket) return;
    m_jobTicket = NewJobTicket(language, language == kDefaultLanguage ? kStandardUSPaper : kStandardNonUSPaper);
    if (!m_jobTicket) return Missing(kServiceNoJobTicket);
    if (!m_media) return Missing(kServiceNoMedia);
    m_jobTicket->JSE_JobTicket_Set_JSE_MediaRef(m_media.get());
    if (!m_preference) return Missing(kServiceNoPreference);
    m_jobTicket->JSE_JobTicket_Set_JSE_PreferenceRef(m_preference.get());
}

// Unlike start-up, the new validator's own error becomes the last error.
void JSE_Service::JSE_Initialize_Validation(const WString& validationPath) {
    if (!m_media) return Missing(kServiceNoValidation);
    m_validation.reset();
    m_validation = NewValidation(m_media.get(), validationPath);
    if (!m_validation) return Missing(kServiceNoValidation);
    m_lastError = m_validation->JSE_Validation_GetError();
    m_validation->JSE_Validation_Set_JSE_PreferenceRef(m_preference.get());
}

// ---------------------------------------------------------------------------
// Copies of the live settings

int JSE_Service::JSE_Preference_Copy_Value_To_JobTicket() {
    if (!m_preference) {
        m_lastError = kServiceNoPreference;
        return static_cast<int>(m_lastError);
    }
    if (!m_jobTicket) return static_cast<int>(m_lastError);
    JSE_JobFeatureType job;
    m_preference->JSE_Preference_GetJobFeature(job);
    JSE_CustomCommandType command;
    m_preference->JSE_Preference_Get_CustomRecord(command);
    JSE_Release1_4Type release6;
    m_preference->JSE_Preference_GetRelease6Features(release6);
    JSE_Release3_0Type release7;
    m_preference->JSE_Preference_GetRelease7Features(release7);
    m_jobTicket->JSE_JobTicket_SetJobFeature(job);
    m_jobTicket->JSE_JobTicket_Set_CustomRecord(command);
    m_jobTicket->JSE_JobTicket_SetRelease6Features(release6);
    m_jobTicket->JSE_JobTicket_SetNarrowBookletValue(release7.narrowBooklet);
    m_jobTicket->JSE_JobTicket_SetPageOrderValue(release7.pageOrder);
    CopyPageExceptionsToTicket();
    return static_cast<int>(m_lastError);
}

void JSE_Service::CopyPageExceptionsToTicket() {
    if (m_preference->JSE_Preference_GetNumberOfPageExceptionItem() < 0) return;
    m_jobTicket->JSE_JobTicket_Clear_PageException();
    EachStorePageException(
        [this](const JSE_PageExceptionType& item) { m_jobTicket->JSE_JobTicket_SetPageExceptionItem(item, false); });
}

std::int32_t JSE_Service::EachStorePageException(const std::function<void(const JSE_PageExceptionType&)>& take) {
    const std::int64_t count = m_preference->JSE_Preference_GetNumberOfPageExceptionItem();
    for (std::int64_t i = 0; i < count; ++i) {
        JSE_PageExceptionType item;
        if (const std::int32_t error = m_preference->JSE_Preference_GetPageExceptionItem(i, item)) {
            m_lastError = error;
            return error;
        }
        take(item);
    }
    return 0;
}

// Only the job controls the settings decide; the cover punches (26, 27) are
// left as they are.
int JSE_Service::JSE_Preference_Copy_Value_To_Validation() {
    if (!m_preference || !m_media || !m_validation) return 0;
    JSE_JobFeatureType job;
    m_preference->JSE_Preference_GetJobFeature(job);
    const auto paperIndex = [this](const WString& name) { return JSE_Media_GetIndex(name); };
    for (const service_job::ControlValue& c : service_job::JobControlValues(job, paperIndex, false))
        JSE_Validation_SetValue_NoCheck(c.control, c.value);
    if (m_preference->JSE_Preference_GetNumberOfPageExceptionItem() <= 0) return 0;
    m_validation->JSE_Validation_Remove_All_PageList();
    return EachStorePageException(
        [this](const JSE_PageExceptionType& item) { m_validation->JSE_Validation_Load_ExceptionRecord(item); });
}

// The bridge's life cycle: creation, the data paths from the bundle, engine
// start-up with the announcements to the panes, the factory resets, the
// operating-system language and teardown.
#include <algorithm>
#include <cctype>

#include "SystemLog.h"
#include "zqController.h"

namespace {

// The panes that receive the bridge itself, in the order they are told.
constexpr const char* kAnnouncements[] = {
    "jobSetupController::zqcontroller",     "finishingController::zqcontroller", "peController::zqcontroller",
    "templateController::zqcontroller",     "notificationController::zqcontroller",
    "customController::zqcontroller",       "imageController::zqcontroller",
};

// The panes that receive the paper table at start-up.
constexpr const char* kCatalogUpdates[] = {
    "jobSetupController::catalogUpdate",
    "peController::catalogUpdate",
    "notificationController::catalogUpdate",
};

struct LanguageName {
    const char* name;
    int code;
};

// Primary language subtags, and the older full names localizations had.
constexpr LanguageName kLanguageSubtags[] = {
    {"ja", zqController::kLanguageJapanese},   {"da", zqController::kLanguageDanish},
    {"de", zqController::kLanguageGerman},     {"fr", zqController::kLanguageFrench},
    {"it", zqController::kLanguageItalian},    {"es", zqController::kLanguageSpanish},
    {"no", zqController::kLanguageNorwegian},  {"nb", zqController::kLanguageNorwegian},
    {"nl", zqController::kLanguageDutch},      {"pt", zqController::kLanguagePortuguese},
    {"sv", zqController::kLanguageSwedish},
};
constexpr LanguageName kLanguageFullNames[] = {
    {"Japanese", zqController::kLanguageJapanese},   {"Danish", zqController::kLanguageDanish},
    {"German", zqController::kLanguageGerman},       {"French", zqController::kLanguageFrench},
    {"Italian", zqController::kLanguageItalian},     {"Spanish", zqController::kLanguageSpanish},
    {"Norwegian", zqController::kLanguageNorwegian}, {"Dutch", zqController::kLanguageDutch},
    {"Portuguese", zqController::kLanguagePortuguese}, {"Swedish", zqController::kLanguageSwedish},
};

// Tells each pane of the list which bridge to follow; none for nullptr.
void Announce(zqController* bridge) {
    for (const char* name : kAnnouncements)
        platform::NotificationCenter::Default().post(platform::Notification{name, {}, bridge});
}

std::string Lowercase(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    return lower;
}

}  // namespace

// ---------------------------------------------------------------------------
// Creation and teardown

zqController::zqController() {
    m_observation.observe("zqController::loadPaperCatalog",
                          [this](const platform::Notification& n) { listenLoadPaperCatalogNotification(n); });
    m_observation.observe("zqController::FactoryReset",
                          [this](const platform::Notification& n) { listenFactoryResetNotification(n); });
    m_observation.observe("zqController::LoadSettings",
                          [this](const platform::Notification& n) { listenLoadSettingsNotification(n); });
    initJobFeature();
}

zqController::~zqController() {
    // No notification can reach a bridge on its way out.
    m_observation.stopObservingAll();
    m_service.reset();
    m_pageCollection.reset();
    m_imageAlign.reset();
    m_edgeErase.reset();
}

void zqController::initJobFeature() {
    JSE_JobFeatureType& r = mJobFeature;
    r = JSE_JobFeatureType();
    r.jobEmulationType = r.printingMode = r.jobExit = r.staplerPosition = r.orientation = r.finishOrientation = 1;
    r.copyCount = 1;
    r.timeOutAction = 1;
    r.waitTime = 5;
    r.frontCoverMode = r.backCoverMode = r.statusMode = 1;
    r.printCheck = true;
    r.pagePerSide = 1;
    r.signaturePages = 88;
    r.sheets = 22;
    r.halftoneAngle = 45;
    r.halftoneFrequency = 90;
    r.imageAlignMirrorSide1 = true;
    r.imageAlignPaperOrientation = 1;
    r.edgeEraseMirrorSide1 = true;
    r.edgeErasePaperOrientation = 1;
    r.pdfAutoCenter = r.pdfBinaryOK = r.pdfFitToPage = r.pdfMediaMatchAll = r.pdfPrintAnnotations =
        r.pdfUsePrintersHalftone = true;
    mCustomCommand = JSE_CustomCommandType();
}

std::unique_ptr<JSE_Service> zqController::NewService(const WString& language, const WString& definitionPath,
                                                      const WString& catalogPath, const WString& validationPath,
                                                      bool safe) {
    return std::make_unique<JSE_Service>(language, definitionPath, catalogPath, validationPath, safe);
}

// ---------------------------------------------------------------------------
// Data paths and start-up

void zqController::setBundle(const platform::Bundle& bundle) {
    m_pluginBundle = bundle;
    getDataPath();
    restart();
}

// RootPath, CompanyName and ProductName joined as they stand, then each file
// name; a relative RootPath is taken from the bundle's folder. A file key the
// dictionary lacks leaves its path empty, so the engine does not read a
// folder as a file.
void zqController::getDataPath() {
    const platform::Dictionary info = m_pluginBundle.localizedInfoDictionary();
    if (info.empty()) return;
    const std::string base = m_pluginBundle.absolutePath(info["RootPath"].text()) + info["CompanyName"].text() +
                             info["ProductName"].text();
    const auto path = [&](const char* key) { return info.contains(key) ? base + info[key].text() : std::string(); };
    m_paperCatalogPath = path("PaperCatalogFile");
    m_paperCatalogDefinitionPath = path("PaperCatalogDefinitionFile");
    m_validationPath = path("ValidationFile");
}

void zqController::restart() {
    m_engineStarted = false;
    if (!m_pluginBundle) {
        platform::ConsoleLog("zqController:No bundle ref!");
        return;
    }
    WString catalog, definition, validation;
    NSStringToWString(m_paperCatalogPath, catalog);
    NSStringToWString(m_paperCatalogDefinitionPath, definition);
    NSStringToWString(m_validationPath, validation);
    m_service = NewService(L"English", definition, catalog, validation, false);
    if (const std::int64_t error = m_service->JSE_GetLastError()) {
        m_fatalStop = static_cast<int>(error);
        platform::ConsoleLog(platform::Format("zqController: the engine did not start (error %d)", m_fatalStop));
        return;
    }
    completeStart();
}

bool zqController::RuleFileDamaged() const { return m_service && m_service->JSE_Validation_RuleFileDamaged(); }

void zqController::completeStart() {
    setOSLanguage();
    updateCatalog();
    m_service->JSE_Media_SetOSPlatform(2);
    m_service->JSE_JobTicket_Set_EmitPDFCommand(false);
    m_service->JSE_Preference_Get_Default_JobFeature(mJobFeature);
    m_service->JSE_JobTicket_Set_PeDeviceLookup(true);
    m_service->JSE_JobTicket_Get_CustomRecord(mCustomCommand);
    // The ticket lets go of an earlier collection before it is deleted.
    auto collection = std::make_unique<JSE_PageCollection>();
    m_service->JSE_JobTicket_SetPageObject(collection.get());
    m_pageCollection = std::move(collection);
    JSEPreferenceSetFactory();
    // Copies and orientation reach the store with the next stored setting.
    mJobFeature.copyCount = m_copyCount;
    mJobFeature.orientation = m_orientation;
    giveTitleToTicket();
    convertFeaturesToDictionary();
    if (!m_imageAlign) m_imageAlign = std::make_unique<ImageAlign>();
    if (!m_edgeErase) m_edgeErase = std::make_unique<EdgeErase>();
    m_engineStarted = true;
    postAnnouncements();
    for (const char* name : kCatalogUpdates) post(name, m_paperCatalogDict);
    postApplySettings({"jobSetupController::applySettings", "finishingController::applySettings",
                       "peSubstitutionController::applySettings", "notificationController::applySettings",
                       "imageController::applySettings", "customController::applySettings",
                       "lumaTemplate::applySettings"});
}

void zqController::giveTitleToTicket() {
    WString title;
    NSStringToWString(m_documentTitle, title);
    m_service->JSE_JobTicket_Set_DocumentTitle(JSE_MacEncoding<true>(title).str());
}

void zqController::postAnnouncements() { Announce(this); }

void zqController::withdrawAnnouncements() {
    if (started()) Announce(nullptr);
}

void zqController::postApplySettings(std::initializer_list<const char*> names) {
    for (const char* name : names) post(name, m_jobFeatureDict);
}

void zqController::post(std::string_view name, platform::Value object) {
    platform::NotificationCenter::Default().post(platform::Notification{std::string(name), std::move(object), this});
}

// ---------------------------------------------------------------------------
// Factory resets

// The validator takes the store's settings only once the record is stored,
// so that validator, store and ticket agree on the status page and papers.
void zqController::JSEPreferenceSetFactory() {
    if (!m_service) return;
    m_service->JSE_Preference_Set_Factory_Default();
    m_service->JSE_Validation_Remove_All_Exception_Media();
    mCustomCommand.withJobStream = false;
    mCustomCommand.fieldFlag = 1;
    mCustomCommand.insertPosition = 2;
    mCustomCommand.modifyPrintFile = 1;
    mCustomCommand.SetCommandText({});
    mCustomCommand.fileName.clear();
    m_service->JSE_JobTicket_Set_CustomRecord(mCustomCommand);
    m_service->JSE_Preference_Set_CustomRecord(mCustomCommand);
    m_service->JSE_Preference_GetJobFeature(mJobFeature);
    m_service->JSE_Media_GetDefault(mJobFeature.bodyPaper);
    mJobFeature.statusMode = 3;
    mJobFeature.statusPaper.clear();
    mJobFeature.interleavePaper.clear();
    m_service->JSE_Preference_SetJobFeature(mJobFeature);
    m_service->JSE_Preference_Copy_Value_To_Validation();
    mPageOrdering = m_service->JSE_Preference_GetPageOrderValue();
    mNarrowBookletValue = m_service->JSE_Preference_GetNarrowBookletValue();
    if (m_pageCollection) m_pageCollection->JSE_PageCollection_RemoveAllPages();
    m_service->JSE_Validation_Remove_All_PageList();
    // The image pane's values go back to inches and zeros with the record.
    m_imageAlignValues = {};
    m_edgeEraseValues = {};
}

// The job is the application's again: its name, copy count and orientation,
// which the summary shows and the next print sends.
void zqController::listenFactoryResetNotification(const platform::Notification&) {
    if (!started()) return;
    JSEPreferenceSetFactory();
    reapplyApplicationJobInfo();
    convertFeaturesToDictionary();
    m_imageAlign = std::make_unique<ImageAlign>();
    postApplySettings({"jobSetupController::applySettings", "finishingController::applySettings",
                       "notificationController::applySettings", "customController::applySettings",
                       "peSubstitutionController::applySettings", "imageController::applySettings",
                       "lumaTemplate::applySettings"});
}

void zqController::reapplyApplicationJobInfo() {
    SetJobTicketInfoFromApplication(m_documentTitle, m_copyCount, m_orientation);
}

// ---------------------------------------------------------------------------
// Language

void zqController::setOSLanguage() {
    const std::vector<std::string> localizations = m_pluginBundle.preferredLocalizations();
    m_preferredLanguage = localizations.empty() ? kLanguageOther : LanguageCode(localizations.front());
}

int zqController::LanguageCode(std::string_view localization) {
    const std::string primary = Lowercase(localization.substr(0, localization.find_first_of("_-")));
    for (const LanguageName& subtag : kLanguageSubtags)
        if (primary == subtag.name) return subtag.code;
    for (const LanguageName& full : kLanguageFullNames)
        if (localization == full.name) return full.code;
    return kLanguageOther;
}

int zqController::getDefaultPunchPattern() const {
    return m_preferredLanguage >= kLanguageFrench && m_preferredLanguage <= kLanguageNorwegian ? 4 : 3;
}

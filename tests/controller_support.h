// Shared set-up of the controller bridge tests: a bridge whose engine the
// tests can read (and whose start-up can fail), bundles on the shipped data
// or on a fresh copy of it with rules of a test's own, the names the bridge
// may post, the engine's ticket text and settings image, and what a change
// did to the ticket.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "PropertyList.h"
#include "notification_recorder.h"
#include "service_support.h"
#include "zqController.h"

namespace controller_test {

// Every event of every pane, so that a post to the wrong pane shows too.
inline std::vector<std::string> PaneNotifications() {
    std::vector<std::string> names;
    for (const char* pane : {"jobSetupController", "finishingController", "peController", "templateController",
                             "notificationController", "customController", "imageController",
                             "peSubstitutionController", "lumaTemplate", "mainController"})
        for (const char* event : {"zqcontroller", "catalogUpdate", "applySettings", "FullCatalogPath",
                                  "columnSizeUpdate", "loadCatalogFailed", "loadCatalogComplete"})
            names.push_back(std::string(pane) + "::" + event);
    return names;
}

inline std::string Fixture(const std::string& name) {
    return filter_test::readFile(std::string(LUMAPREX_TEST_DATA) + "/controller/" + name);
}

inline platform::Bundle ShippedBundle() { return platform::Bundle::Open(LUMAPREX_SOURCE_DIR "/LumaprexPDE/Bundle"); }

// The ticket lines that a change took away ("-") and brought ("+").
inline std::string Changes(const std::string& before, const std::string& after) {
    std::string out;
    for (const auto& [from, to, sign] : {std::tuple{&before, &after, "-"}, {&after, &before, "+"}}) {
        std::istringstream in(*from);
        for (std::string line; std::getline(in, line);)
            if (("\n" + *to + "\n").find("\n" + line + "\n") == std::string::npos)
                out += sign + line.substr(0, line.find('\r')) + "\n";
    }
    return out;
}

// A bundle on a fresh copy of the shipped data, named by an absolute root
// path; rules, when given, replace the shipped rule file.
struct DataBundle : service_test::DataFolder {
    explicit DataBundle(const std::string& rules = {}) {
        if (!rules.empty()) filter_test::writeFile(file("PaperCatalog.cat.dat"), rules);
        platform::WritePropertyListFile(folder.file("Info.plist"),
                                        platform::Dictionary{{"RootPath", file("")},
                                                             {"PaperCatalogFile", "PaperCatalog.cat"},
                                                             {"PaperCatalogDefinitionFile", "PaperCatalog.def"},
                                                             {"ValidationFile", "PaperCatalog.cat.dat"}});
        bundle = platform::Bundle::Open(folder.path());
    }
    filter_test::TempDir folder;
    platform::Bundle bundle;
};

// A bridge with its engine in view; failing names an engine part whose
// creation fails at start-up.
class Bridge : public zqController {
public:
    explicit Bridge(service_test::Part failing = service_test::Part::None) : m_failing(failing) {}
    using zqController::engine, zqController::fatalStop, zqController::pageCollection, zqController::workingRecord;
    using zqController::catalogPath, zqController::definitionPath, zqController::validationPath;

    // Started as the main pane starts it, on the shipped data by default.
    Bridge& start(const platform::Bundle& bundle = ShippedBundle()) {
        SetJobTicketInfoFromApplication("Untitled", 1, 1);
        setBundle(bundle);
        return *this;
    }
    // The ticket text as the engine writes it now.
    std::string ticket() {
        engine()->JSE_JobTicket_Create();
        std::string text(static_cast<std::size_t>(engine()->JSE_JobTicket_GetSize()), '\0');
        engine()->JSE_JobTicket_Get(text.data(), static_cast<long>(text.size()));
        return text;
    }
    // The settings store as its settings file holds it.
    std::string storeImage() {
        engine()->JSE_Preference_SetFullPath(service_test::Wide(m_folder.file("Qwi_JSE.prf")));
        engine()->JSE_Preference_Save_Setting();
        return filter_test::readFile(m_folder.file("Qwi_JSE.prf"));
    }

protected:
    std::unique_ptr<JSE_Service> NewService(const WString& language, const WString& definitionPath,
                                            const WString& catalogPath, const WString& validationPath,
                                            bool safe) override {
        auto service = std::make_unique<service_test::TestService>(m_failing);
        service->JSE_Initialize(language, definitionPath, catalogPath, validationPath, safe);
        return service;
    }

private:
    service_test::Part m_failing;
    filter_test::TempDir m_folder;
};

// The page-exception pane's Update of a paper range (substitution or
// insert): the check, the store, every range given the job's punch, the
// validator's list loaded afresh; 0 or the refusal.
inline int StorePaper(zqController& b, int start, int end, int code, const std::string& paper, int value) {
    if (const int refusal = b.JSE_ValidationOnExceptions(start, end, code, paper, value)) return refusal;
    if (code == kPePaperSubstitution) b.JSE_RemovePageFeature(start, end, code, value);
    b.JSE_SetPageProperty(start, end, code == kPePaperSubstitution ? 1 : code, paper, code, value);
    b.JSE_SetPageFeature(start, end, code, value);
    for (int i = 0; i < b.JSE_PageCollection_GetSize(); ++i)
        b.JSE_PageCollection_AddPageFeature(i, kPePunch, b.JSE_GetJobPunchValue());
    b.JSE_LoadPageExceptionToValidation();
    return 0;
}

// The ticket the bridge hands the main pane, its size checked; the error
// of the hand-out goes to errorOut.
inline std::string HandOut(zqController& bridge, int* errorOut = nullptr) {
    const std::int64_t size = bridge.GetJobTicketSize();
    std::string text;
    int error = -99;
    bridge.GetJobTicket(text, size, error);
    if (errorOut) *errorOut = error;
    EXPECT_EQ(static_cast<std::int64_t>(text.size()), size);
    return text;
}

}  // namespace controller_test

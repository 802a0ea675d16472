// The controller bridge's life cycle: start-up with its notifications and
// ticket, the data paths, a start-up that fails, the user's factory reset,
// teardown, the language code and the text conversions.
#include <gtest/gtest.h>

#include "SystemLog.h"
#include "controller_support.h"
#include "platform_test_support.h"
#include "validation_support.h"

namespace {

using namespace controller_test;
using notification_test::NotificationRecorder;

TEST(ControllerStartUp, AnnouncesTheBridgeThenSendsTheTableAndTheSettings) {
    NotificationRecorder recorder(PaneNotifications());
    Bridge bridge;
    bridge.start();
    EXPECT_EQ(recorder.transcript<zqController>(&bridge, "bridge", {{LUMAPREX_SOURCE_DIR, "<source>"}}),
              Fixture("startup_notifications.txt"));
    EXPECT_EQ(bridge.ticket(), Fixture("startup_ticket.txt"));
    EXPECT_EQ(bridge.catalogPath() + "|" + bridge.definitionPath() + "|" + bridge.validationPath(),
              LUMAPREX_SOURCE_DIR "/data/PaperCatalog.cat|" LUMAPREX_SOURCE_DIR
                                  "/data/PaperCatalog.def|" LUMAPREX_SOURCE_DIR "/data/PaperCatalog.cat.dat");
    // The data paths join the keys as they stand; a file not named has none.
    filter_test::TempDir folder;
    platform::WritePropertyListFile(folder.file("Info.plist"),
                                    platform::Dictionary{{"RootPath", "/Library/X/"}, {"CompanyName", "Co"},
                                                         {"ProductName", "Prod/"}, {"PaperCatalogFile", "cat"},
                                                         {"PaperCatalogDefinitionFile", "def"}});
    platform::LogRecorder quiet;
    Bridge elsewhere;
    elsewhere.setBundle(platform::Bundle::Open(folder.path()));
    EXPECT_EQ(elsewhere.catalogPath() + "|" + elsewhere.definitionPath() + "|" + elsewhere.validationPath(),
              "/Library/X/CoProd/cat|/Library/X/CoProd/def|");
}

// Neither the panes nor a later message may find a half-started engine.
TEST(ControllerStartUp, FailedStartPostsNothingAndLeavesEveryMessageHarmless) {
    using service_test::Part;
    for (const auto& [failing, code] : {std::pair{Part::Media, kServiceNoMedia},
                                        {Part::ValidationError, kServiceValidationFailed},
                                        {Part::Preference, kServiceNoPreference}, {Part::JobTicket, kServiceNoJobTicket}}) {
        SCOPED_TRACE(code);
        NotificationRecorder recorder(PaneNotifications());
        platform::LogRecorder log;
        Bridge bridge(failing);
        bridge.start();
        EXPECT_EQ(bridge.fatalStop(), code);
        EXPECT_EQ(log.texts(), std::vector<std::string>{"zqController: the engine did not start (error " +
                                                         std::to_string(code) + ")"});
        for (const char* request : {"zqController::FactoryReset", "zqController::loadPaperCatalog",
                                    "zqController::LoadSettings"})
            recorder.center().post(request, LUMAPREX_SOURCE_DIR "/data/PaperCatalog.cat");
        bridge.HandleJobFeatures(kFeaturePunchPattern, 64, {}, 0);
        bridge.SetJobFeature(kFeaturePageOrder, 3, {}, 0);
        bridge.JSEPreferenceSetFactory();
        EXPECT_EQ(recorder.received.size(), 0u);
        EXPECT_EQ(bridge.pageCollection(), nullptr);
    }
    platform::LogRecorder log;
    Bridge withoutBundle;
    withoutBundle.setBundle(platform::Bundle());
    EXPECT_EQ(log.texts(), std::vector<std::string>{"zqController:No bundle ref!"});
    EXPECT_EQ(withoutBundle.engine(), nullptr);
}

// The job is the application's again: its name, copies and orientation,
// which the panes are shown and the ticket prints.
TEST(ControllerFactoryReset, UserResetBringsBackFactorySettingsAndKeepsTheApplicationsJob) {
    Bridge bridge;
    bridge.start().SetJobTicketInfoFromApplication("Report", 5, 2);
    ASSERT_EQ(bridge.HandleJobFeatures(kFeatureDocumentExit, 3, {}, 0), 0);
    NotificationRecorder recorder(PaneNotifications());
    recorder.center().post("zqController::FactoryReset");
    EXPECT_EQ(recorder.transcript<zqController>(&bridge, "bridge"), Fixture("factory_reset_notifications.txt"));
    const platform::Dictionary& jobSetup = bridge.jobFeatureDictionary()["jobSetup"].dictionary();
    EXPECT_EQ(jobSetup["copyCount"].text() + jobSetup["orientation"].text() + jobSetup["title"].text(), "52Report");
    Bridge started;
    started.start().SetJobTicketInfoFromApplication("Report", 5, 2);
    EXPECT_EQ(bridge.ticket(), started.ticket());
}

// The validator learns the job's status page (always) once the reset has
// stored it, so that a rule on the status page sees what the ticket prints.
TEST(ControllerFactoryReset, ValidatorChecksAgainstTheStoredStatusMode) {
    std::vector<validation_test::ControlBytes> table = validation_test::EmptyTable();
    table[eJSE_StatusPaperSelection] = {1, -1, {validation_test::Rule().If(eJSE_StatusModeSelection, 3, 3).Check(5).Says(900)}};
    DataBundle data(validation_test::RuleBytes(table));
    Bridge bridge;
    bridge.start(data.bundle);
    EXPECT_EQ(bridge.HandleJobFeatures(kFeatureStatusPaper, 4, "Letter_Red", 0), 900);
    ASSERT_EQ(bridge.HandleJobFeatures(kFeatureStatusMode, 1, {}, 0), 0);
    EXPECT_EQ(bridge.HandleJobFeatures(kFeatureStatusPaper, 4, "Letter_Red", 0), 0);
    NotificationRecorder::center().post("zqController::FactoryReset");
    EXPECT_EQ(bridge.HandleJobFeatures(kFeatureStatusPaper, 4, "Letter_Red", 0), 900);
}

TEST(ControllerTeardown, EndsEveryRegistrationAndPostsNothing) {
    auto bridge = std::make_unique<Bridge>();
    const void* address = static_cast<zqController*>(&bridge->start());
    NotificationRecorder recorder(PaneNotifications());
    bridge.reset();
    EXPECT_EQ(recorder.center().registrationCount(address), 0u);
    recorder.center().post("zqController::FactoryReset");
    EXPECT_EQ(recorder.received.size(), 0u);
}

TEST(ControllerLanguage, CodeComesFromThePrimarySubtagOrAnOlderFullName) {
    for (const auto& [name, code] : {std::pair{"ja", 11}, {"ja_JP", 11}, {"Japanese", 11}, {"es", 6}, {"de-CH", 2},
                                     {"fr", 1}, {"it", 3}, {"nl", 4}, {"Dutch", 4}, {"sv", 5}, {"da", 7},
                                     {"pt_BR", 8}, {"no", 9}, {"nb", 9}, {"English", 0}, {"zh-Hans", 0}, {"", 0}}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(zqController::LanguageCode(name), code);
    }
    // The localization the bundle uses gives the default punch pattern.
    for (const auto& [language, punch] : {std::pair{"de_DE.UTF-8", 4}, std::pair{"ja_JP.UTF-8", 3}}) {
        SCOPED_TRACE(language);
        DataBundle data;
        platform_test::LocaleEnvironment locale(language);
        for (const char* localization : {"/Resources/German.lproj", "/Resources/ja.lproj"})
            std::filesystem::create_directories(data.folder.path() + localization);
        Bridge bridge;
        bridge.start(platform::Bundle::Open(data.folder.path()));
        EXPECT_EQ(bridge.getDefaultPunchPattern(), punch);
    }
}

TEST(ControllerText, ConversionsKeepEveryCharacterWhole) {
    for (const auto& [text, expected] : {std::pair{"Report", L"Report"}, {"Gr\u00f6\u00dfe \u65e5\u672c", L"Gr\u00f6\u00dfe \u65e5\u672c"},
                                         {"\U0001F600 face", L"\U0001F600 face"}}) {
        WString wide;
        zqController::NSStringToWString(text, wide);
        EXPECT_EQ(wide, expected);
        EXPECT_EQ(zqController::wstringToNSString(wide), text);
    }
    // A pair held as two wide characters is joined; what is no character
    // becomes U+FFFD; texts stop at 1024 characters; names at their count.
    EXPECT_EQ(zqController::wstringToNSString({0xD83D, 0xDE00, 0xD800, L'a', 0x110000}), "\U0001F600\uFFFDa\uFFFD");
    EXPECT_EQ(zqController::wstringToNSString(WString(1030, L'x')), std::string(1024, 'x'));
    EXPECT_EQ(zqController::getName(L"\U0001F600ab", 2), "\U0001F600a");
    EXPECT_EQ(zqController::getName(L"ab", 0), std::nullopt);
}

}  // namespace

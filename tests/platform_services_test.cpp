// Alerts and file panels of the platform stand-ins, as tests and the
// default presenters see them.
#include <gtest/gtest.h>

#include <filesystem>

#include "AlertPanel.h"
#include "OpenPanel.h"
#include "SavePanel.h"
#include "UserDriver.h"
#include "UserEnvironment.h"
#include "filter_test_support.h"

using namespace platform;

TEST(PlatformServices, AlertsGoToTheNewestPresenterAndTheirTextIsNeverAFormat) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(RunAlert(Alert("Job controller is missing. %s", "", "Cancel")), AlertAnswer::Default);
    {
        AlertRecorder recorder;
        recorder.queueAnswer(AlertAnswer::Alternate);
        Alert reset("Set every option back?", "OK", "Cancel");
        reset.informational = true;
        EXPECT_EQ(RunAlert(reset), AlertAnswer::Alternate);
        ShowAlert("100% of %s %d", "OK");  // answered Default once the queue is empty
        Beep();
        EXPECT_EQ(recorder.messages(), (std::vector<std::string>{"Set every option back?", "100% of %s %d"}));
        EXPECT_TRUE(recorder.alerts()[0].informational);
        EXPECT_EQ(recorder.beeps(), 1);
    }
    Alert titled("No Printer Found error code: 90001", "OK");
    titled.title = "Lumaprex";
    RunAlert(titled);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "alert: Job controller is missing. %s [OK]\nalert: Lumaprex: No Printer Found error code: 90001 [OK]\n");
}

TEST(PlatformServices, OpenPanelTakesTheUsersNextPickOnlyWhenItListsThatFile) {
    filter_test::TempDir folder;
    for (const char* name : {"a.cat", "b.CAT", "c.Cat"}) filter_test::writeFile(folder.file(name), "x");
    std::filesystem::create_directory(folder.file("d.cat"));
    const struct {
        const char* pick;    // "" for none queued
        const char* reason;  // why it cannot be picked, "" when it is
    } cases[] = {{"a.cat", ""}, {"b.CAT", ""}, {"c.Cat", "the panel lists .cat, .CAT files only"},
                 {"d.cat", "there is no such file"}, {"e.cat", "there is no such file"}, {"", ""}};
    View screen;
    UserDriver user(screen);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pick);
        const std::string path = *c.pick ? folder.file(c.pick) : "";
        ASSERT_TRUE(path.empty() || user.perform("pick " + path)) << user.lastError();
        testing::internal::CaptureStderr();
        const std::optional<std::string> chosen = RunOpenPanel({"cat", "CAT"});
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(chosen, !path.empty() && !*c.reason ? std::optional(path) : std::nullopt);
        const std::string refused = *c.reason ? "open panel: cannot pick \"" + path + "\": " + c.reason + " [Cancel]\n" : "";
        EXPECT_EQ(said, path.empty() ? "open panel: choose a file of type cat, CAT [Cancel]\n" : refused);
    }
    EXPECT_FALSE(QueueFilePick("two\nlines"));
    QueueFilePick(folder.file("c.Cat"));
    EXPECT_EQ(RunOpenPanel(), folder.file("c.Cat")) << "no types: any file";
}

TEST(PlatformServices, SavePanelWritesWhereTheUserNamesAndMakesOnlyItsOwnFolder) {
    filter_test::TempDir folder;
    const std::string own = folder.file("templates");
    const struct {
        std::string pick;  // "" for none queued
        std::string proposed;
        std::string chosen;  // "" for a cancelled panel
        std::string said;    // on standard error
    } cases[] = {
        {"weekly", "Untitled", own + "/weekly", ""},
        {folder.path(), "Untitled", folder.file("Untitled"), ""},
        {folder.file("report.plist"), "", folder.file("report.plist"), ""},
        {folder.path(), "", "", "cannot save as \"" + folder.path() + "\": it is a folder and the panel proposes no name"},
        {folder.file("missing/report.plist"), "Untitled", "",
         "cannot save as \"" + folder.file("missing/report.plist") + "\": there is no such folder"},
        {"", "Untitled", "", "save as \"Untitled\" in " + own + "/"},
    };
    SetSaveFolder(own + "/");
    View screen;
    UserDriver user(screen);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pick);
        ASSERT_TRUE(c.pick.empty() || user.perform("pick " + c.pick)) << user.lastError();
        testing::internal::CaptureStderr();
        EXPECT_EQ(RunSavePanel(c.proposed).value_or(""), c.chosen);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), c.said.empty() ? "" : "save panel: " + c.said + " [Cancel]\n");
    }
    EXPECT_TRUE(std::filesystem::is_directory(own)) << "made when a file was to be saved in it";
    EXPECT_FALSE(std::filesystem::exists(folder.file("missing"))) << "no other folder is made";
    SavePanelRecorder recorder;
    recorder.queueName("monthly");
    EXPECT_EQ(RunSavePanel("Untitled"), own + "/monthly");
    EXPECT_EQ(recorder.requests().at(0).proposedName + " " + recorder.requests().at(0).folder.string(), "Untitled " + own + "/");

    SetSaveFolder("");
    const char* data = std::getenv("XDG_DATA_HOME");
    const std::string kept = data ? data : "";
    setenv("XDG_DATA_HOME", folder.path().c_str(), 1);
    EXPECT_EQ(SaveFolder(), folder.file("lumaprex/templates")) << "the user's own folder";
    unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(SaveFolder(), std::filesystem::path(HomeDirectory()) / ".local/share/lumaprex/templates");
    if (data) setenv("XDG_DATA_HOME", kept.c_str(), 1);
}

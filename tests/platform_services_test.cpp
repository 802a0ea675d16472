// Alerts and open panels of the platform stand-ins, as tests and the
// default presenter see them.
#include <gtest/gtest.h>

#include <filesystem>

#include "AlertPanel.h"
#include "OpenPanel.h"
#include "UserDriver.h"
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

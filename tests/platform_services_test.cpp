// Alerts of the platform stand-in, as tests and the default presenter see
// them.
#include <gtest/gtest.h>

#include "AlertPanel.h"

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

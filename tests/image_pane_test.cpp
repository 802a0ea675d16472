// The image pane, driven as a user would through the main pane and its real
// bridge: the input filter on its own, then every control with what it
// shows, what the bridge holds and what the "image" group records; restoring
// from the settings; the locale's separator; the print gate after an edit.
// The end-to-end test prints what the pane sets.
#include <gtest/gtest.h>

#include <clocale>

#include "UserDriver.h"
#include "filter_test_support.h"
#include "imageController/ImageFieldText.h"
#include "pde_test_support.h"
#include "platform_test_support.h"
#include "zqController.h"

using namespace platform;
using namespace pde_test;
using image_field::Group;

namespace {

TEST(ImageFieldText, TypedNumbersKeepTheirCharactersAndStayWithinTheGroupsRange) {
    const struct {
        const char* typed;
        std::size_t length;
        Group group;
        image_field::Unit unit;
        const char* separator;
        const char* kept;
        bool refused;
    } cases[] = {
        {"0.9", 5, Group::Alignment, image_field::kInch, ".", "0.80", false},
        {"-0.9", 5, Group::Alignment, image_field::kInch, ".", "-0.80", false},
        {"0.805", 5, Group::Alignment, image_field::kInch, ".", "0.805", false},
        {"25", 6, Group::Alignment, image_field::kMillimetre, ".", "20.32", false},
        {"-25", 6, Group::Alignment, image_field::kMillimetre, ".", "-20.32", false},
        {"-12.345", 6, Group::Alignment, image_field::kMillimetre, ".", "-12.34", false},
        {"1", 5, Group::EdgeErase, image_field::kInch, ".", "1.00", false},
        {"30", 5, Group::EdgeErase, image_field::kMillimetre, ".", "25.40", false},
        {"-1", 5, Group::EdgeErase, image_field::kInch, ".", "", true},
        {"0-5", 5, Group::Alignment, image_field::kInch, ".", "0", true},
        {"0.5x", 5, Group::Alignment, image_field::kInch, ".", "0.5", true},
        {"1.2.3", 5, Group::EdgeErase, image_field::kMillimetre, ".", "1.2", true},
        {"0.1234x", 5, Group::EdgeErase, image_field::kInch, ".", "0.123", false},
        {"0,5", 5, Group::EdgeErase, image_field::kInch, ",", "0,5", false},
        {"0,95", 5, Group::Alignment, image_field::kInch, ",", "0,80", false},
        {"0.5", 5, Group::EdgeErase, image_field::kInch, ",", "0", true},
        {"1\xD9\xAB" "5", 5, Group::EdgeErase, image_field::kInch, "\xD9\xAB", "1\xD9\xAB" "00", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        const image_field::Filtered filtered =
            image_field::FilterTypedNumber(c.typed, c.length, c.group, c.unit, c.separator);
        EXPECT_EQ(filtered.text, c.kept);
        EXPECT_EQ(filtered.refused, c.refused);
    }
    for (const auto& [text, separator, value] : {std::tuple{"7,25", ",", 7.25}, {"0.50", ",", 0.5}, {"0,5", ".", 0.0},
                                                 {" -0.25mm", ".", -0.25}, {"", ",", 0.0}}) {
        SCOPED_TRACE(text);
        EXPECT_DOUBLE_EQ(image_field::FieldValue(text, separator), value);
    }
}

// The bridge's working record, where the pane's setters land.
class OpenBridge : public zqController {
public:
    using zqController::workingRecord;
};

class ImageMainPane : public LumaprexPDE {
public:
    using LumaprexPDE::LumaprexPDE;

protected:
    std::unique_ptr<zqController> newBridge() override { return std::make_unique<OpenBridge>(); }
};

// One user action, the text (or state) a control then shows, what the
// bridge holds, and what the image group records under a key.
struct Step {
    const char* command;
    const char* outlet;
    const char* shown;
    const char* held;
    const char* key = "";
    const char* recorded = "";
};

using Summary = std::string (*)(const OpenBridge&);

std::string Alignment(const OpenBridge& b) {
    const JSE_JobFeatureType& r = b.workingRecord();
    return Format("%d %d u%d %.2f %.2f %.2f %.2f", r.imageAlign, r.imageAlignMirrorSide1, b.GetCurrentImageAlignUnit(),
                  r.imageAlignFrontX, r.imageAlignFrontY, r.imageAlignBackX, r.imageAlignBackY);
}

std::string Erase(const OpenBridge& b) {
    const JSE_JobFeatureType& r = b.workingRecord();
    return Format("%d %d u%d %.2f %.2f %.2f %.2f / %.2f %.2f %.2f %.2f", r.edgeErase, r.edgeEraseMirrorSide1,
                  b.GetCurrentEdgeEraseUnit(), r.frontEraseTopSide, r.frontEraseLeftSide, r.frontEraseBottomSide,
                  r.frontEraseRightSide, r.backEraseTopSide, r.backEraseLeftSide, r.backEraseBottomSide,
                  r.backEraseRightSide);
}

std::string Others(const OpenBridge& b) {
    const JSE_JobFeatureType& r = b.workingRecord();
    return Format("rotation %d gret %d screen %d/%d", r.finishOrientation, r.engineGRET, r.halftoneAngle,
                  r.halftoneFrequency);
}

class ImagePane : public MainPaneTest {
protected:
    // A portrait job: side 2 mirrors side 1 across X (the print host's
    // table has the other orientations).
    void SetUp() override {
        MainPaneTest::SetUp();
        host.format->orientation = PMOrientation::Portrait;
        show<ImageMainPane>();
        user.emplace(*pane->panelView());
        ASSERT_TRUE(user->perform("click imageoptionButton"));
    }
    const OpenBridge& bridge() const { return *static_cast<const OpenBridge*>(pane->bridge()); }
    // The control of the tab shown (the page-exception tab has outlets of
    // the same names).
    std::string shown(const char* outlet) const {
        auto& tabs = dynamic_cast<TabView&>(*pane->panelView()->findView("zqTabView"));
        View& tab = *tabs.tabViewItemAtIndex(tabs.indexOfSelectedTabViewItem()).view;
        return dynamic_cast<Control&>(*tab.findView(outlet)).stringValue();
    }
    void drive(std::initializer_list<Step> steps, Summary summary) {
        for (const Step& step : steps) {
            SCOPED_TRACE(step.command);
            ASSERT_TRUE(user->perform(step.command)) << user->lastError();
            EXPECT_EQ(shown(step.outlet), step.shown);
            EXPECT_EQ(summary(bridge()), step.held);
            if (*step.key) {
                EXPECT_EQ(broadcasts.objects().back()["image"][step.key].text(), step.recorded);
            }
        }
    }

    NotificationRecorder broadcasts{"lumaTemplate::applySettings"};
    std::optional<UserDriver> user;
};

TEST_F(ImagePane, AlignmentFieldsFollowTheirUnitMirrorAndSteppers) {
    drive({{"click imageAlignButton", "iaSide2XEditText", "0.00", "1 1 u0 0.00 0.00 0.00 0.00", "imageAlign", "1"},
           {"type iaSide1XEditText 0.125", "iaSide1XEditText", "0.125", "1 1 u0 0.12 0.00 -0.12 0.00"},
           {"end", "iaSide1XEditText", "0.12", "1 1 u0 0.12 0.00 -0.12 0.00", "imageAlignFrontX", "0.12"},
           {"type iaSide1XEditText 0.25", "iaSide2XEditText", "-0.25", "1 1 u0 0.25 0.00 -0.25 0.00"},
           {"type iaSide1YEditText 0.9", "iaSide2YEditText", "0.80", "1 1 u0 0.25 0.80 -0.25 0.80",
            "imageAlignBackX", "-0.25"},
           {"click imageAlignUnitMMCell", "iaSide1YEditText", "20.32", "1 1 u1 6.35 20.32 -6.35 20.32",
            "imageAlignFrontY", "20.32"},
           {"step iaSide1XStepper up", "iaSide2XEditText", "-6.36", "1 1 u1 6.36 20.32 -6.36 20.32",
            "imageAlignBackX", "-6.36"},
           {"click imageAlignUnitMMCell", "imageAlignUnitInchCell", "0", "1 1 u1 6.36 20.32 -6.36 20.32"},
           {"click imageAlignUnitInchCell", "iaSide1XEditText", "0.25", "1 1 u0 0.25 0.80 -0.25 0.80"},
           {"step iaSide1YStepper up 3", "iaSide1YEditText", "0.80", "1 1 u0 0.25 0.80 -0.25 0.80"},
           {"click imageAlignMirrorSide1Button", "iaSide2XEditText", "0.0", "1 0 u0 0.25 0.80 0.00 0.00",
            "imageAlignMirrorSide1", "0"},
           {"step iaSide2XStepper down", "iaSide2XEditText", "-0.01", "1 0 u0 0.25 0.80 -0.01 0.00"},
           {"type iaSide2XEditText -0", "iaSide2XEditText", "-0", "1 0 u0 0.25 0.80 -0.00 0.00"},
           {"end", "iaSide2XEditText", "0.00", "1 0 u0 0.25 0.80 0.00 0.00", "imageAlignBackX", "0.00"},
           {"click imageAlignResetButton", "iaSide1XEditText", "0.00", "1 0 u0 0.00 0.00 0.00 0.00", "imageAlign",
            "1"},
           {"click imageAlignButton", "iaSide1XStepper", "0", "0 0 u0 0.00 0.00 0.00 0.00", "imageAlign", "0"}},
          Alignment);
}

TEST_F(ImagePane, EraseMarginsFollowTheirUnitMirrorAndSteppers) {
    drive({{"click edgeEraseButton", "eaSide2TopEditText", "0.00", "1 1 u0 0.00 0.00 0.00 0.00 / 0.00 0.00 0.00 0.00",
            "edgeErase", "1"},
           {"type eaSide1TopEditText 0.045", "eaSide1TopEditText", "0.045",
            "1 1 u0 0.05 0.00 0.00 0.00 / 0.05 0.00 0.00 0.00"},
           {"end", "eaSide1TopEditText", "0.05", "1 1 u0 0.05 0.00 0.00 0.00 / 0.05 0.00 0.00 0.00"},
           {"type eaSide1TopEditText 1.5", "eaSide2TopEditText", "1.00",
            "1 1 u0 1.00 0.00 0.00 0.00 / 1.00 0.00 0.00 0.00"},
           {"type eaSide1LeftEditText -1", "eaSide2LeftEditText", "1.00",
            "1 1 u0 1.00 1.00 0.00 0.00 / 1.00 1.00 0.00 0.00", "frontEraseTopSide", "1.00"},
           {"step eaSide1BottomStepper up 2", "eaSide2BottomEditText", "0.02",
            "1 1 u0 1.00 1.00 0.02 0.00 / 1.00 1.00 0.02 0.00", "backEraseBottomSide", "0.02"},
           {"click edgeEraseUnitMMCell", "eaSide2BottomEditText", "0.51",
            "1 1 u1 25.40 25.40 0.51 0.00 / 25.40 25.40 0.51 0.00"},
           {"type eaSide1RightEditText 30", "eaSide2RightEditText", "25.40",
            "1 1 u1 25.40 25.40 0.51 25.40 / 25.40 25.40 0.51 25.40"},
           {"click edgeEraseMirrorSide1Button", "eaSide2TopEditText", "0.0",
            "1 0 u1 25.40 25.40 0.51 25.40 / 0.00 0.00 0.00 0.00", "backEraseRightSide", "0.00"},
           {"step eaSide2TopStepper down", "eaSide2TopEditText", "0.00",
            "1 0 u1 25.40 25.40 0.51 25.40 / 0.00 0.00 0.00 0.00", "backEraseTopSide", "0.00"},
           {"click edgeEraseUnitInchCell", "eaSide2TopEditText", "0.00",
            "1 0 u0 1.00 1.00 0.02 1.00 / 0.00 0.00 0.00 0.00"},
           {"click edgeEraseButton", "eaSide1BottomEditText", "0.02",
            "0 0 u0 0.00 0.00 0.00 0.00 / 0.00 0.00 0.00 0.00", "edgeErase", "0"}},
          Erase);
}

TEST_F(ImagePane, RotationGretAndHalftoneScreenReachTheBridgeWithinTheirLimits) {
    drive({{"click imageRotation90", "imageRotationText", "Rotation: 90 degrees", "rotation 2 gret 0 screen 45/106",
            "FinishOrientation", "2"},
           {"click imageRotation270", "imageRotationText", "Rotation: 270 degrees", "rotation 4 gret 0 screen 45/106"},
           {"click gretButton", "gretButton", "1", "rotation 4 gret 1 screen 45/106", "engineGRET", "1"},
           {"type halftoneAngleEditText 200", "halftoneAngleEditText", "200", "rotation 4 gret 1 screen 45/106"},
           {"end", "halftoneAngleStepper", "180", "rotation 4 gret 1 screen 180/106", "halftoneAngle", "180"},
           {"step halftoneAngleStepper up", "halftoneAngleEditText", "180", "rotation 4 gret 1 screen 180/106"},
           {"type halftoneFrequencyEditText x", "halftoneFrequencyEditText", "x", "rotation 4 gret 1 screen 180/106"},
           {"end", "halftoneFrequencyEditText", "60", "rotation 4 gret 1 screen 180/60", "halftoneFrequency", "60"},
           {"step halftoneFrequencyStepper up 3", "halftoneFrequencyEditText", "63", "rotation 4 gret 1 screen 180/63",
            "halftoneFrequency", "63"}},
          Others);
    EXPECT_EQ(dynamic_cast<Button&>(*pane->panelView()->findView("imageRotation90")).image()->name(), "rotate901.icns");
}

// A restore shows the group in the units it holds and sends nothing; the
// next change sends the group in the unit shown.
TEST_F(ImagePane, SettingsRestoreTheControlsInTheirUnitsAndSendNothing) {
    ASSERT_TRUE(user->perform("click imageAlignButton") && user->perform("type iaSide1XEditText 0.12"));
    const std::string held = Alignment(bridge()) + " | " + Erase(bridge()) + " | " + Others(bridge());
    const Dictionary settings{
        {"jobSetup", Dictionary{{"bodyPaper", "A4"}}},
        {"image", Dictionary{{"FinishOrientation", "7"}, {"engineGRET", "1"}, {"imageAlign", "1"},
                             {"imageAlignUnit", "1"}, {"imageAlignFrontX", "7.62"}, {"imageAlignFrontY", "-2.54"},
                             {"imageAlignMirrorSide1", "1"}, {"imageAlignBackX", "0.55"}, {"edgeErase", "1"},
                             {"frontEraseTopSide", "0.10"}, {"frontEraseRightSide", "0.40"},
                             {"backEraseLeftSide", "0.20"}, {"backEraseBottomSide", "0.3"},
                             {"halftoneAngle", "75"}, {"halftoneFrequency", "150"}}}};
    const std::size_t sent = broadcasts.objects().size();
    NotificationCenter::Default().post("imageController::applySettings", settings);
    EXPECT_EQ(Alignment(bridge()) + " | " + Erase(bridge()) + " | " + Others(bridge()), held);
    EXPECT_EQ(broadcasts.objects().size(), sent) << "nothing recorded";
    EXPECT_EQ(DrawAsText(*pane->panelView()), filter_test::readFile(LUMAPREX_TEST_DATA "/pde/image_pane_restored.txt"));
    ASSERT_TRUE(user->perform("step iaSide1XStepper up"));
    EXPECT_EQ(Alignment(bridge()), "1 1 u1 7.63 -2.54 -7.63 -2.54");
    EXPECT_EQ(broadcasts.objects().back()["image"]["imageAlignUnit"].text() +
                  broadcasts.objects().back()["image"]["imageAlignFrontY"].text(),
              "1-2.54");
}

TEST_F(ImagePane, LocaleSeparatorIsTypedAndReadWhileThePaneWritesAPoint) {
    platform_test::CommaLocale comma;
    if (!comma.ready()) GTEST_SKIP() << "no localedef or German locale sources on this machine";
    ASSERT_TRUE(comma.use());
    drive({{"click imageAlignButton", "iaSide1XEditText", "0.00", "1 1 u0 0.00 0.00 0.00 0.00"},
           {"click imageAlignMirrorSide1Button", "iaSide2XEditText", "0.0", "1 0 u0 0.00 0.00 0.00 0.00"},
           {"click imageAlignUnitMMCell", "imageAlignUnitInchCell", "0", "1 0 u1 0.00 0.00 0.00 0.00"},
           {"type iaSide1XEditText 7,25", "iaSide1XStepper", "7.25", "1 0 u1 7.25 0.00 0.00 0.00"},
           {"type iaSide1YEditText 25", "iaSide1YEditText", "20,32", "1 0 u1 7.25 20.32 0.00 0.00", "imageAlignFrontX",
            "7.25"},
           {"type iaSide2YEditText 1.", "iaSide2YEditText", "1", "1 0 u1 7.25 20.32 0.00 1.00", "imageAlignFrontY",
            "20.32"},
           {"step iaSide1XStepper up", "iaSide1XEditText", "7.26", "1 0 u1 7.26 20.32 0.00 1.00"},
           {"click imageAlignResetButton", "iaSide2YEditText", "0,00", "1 0 u1 0.00 0.00 0.00 0.00"},
           {"click edgeEraseButton", "eaSide2TopEditText", "0.00", "1 0 u1 0.00 0.00 0.00 0.00"},
           {"click edgeEraseResetButton", "eaSide1TopEditText", "0,0", "1 0 u1 0.00 0.00 0.00 0.00"}},
          Alignment);
    EXPECT_EQ(alerts.beeps(), 1) << "the point";
}

TEST_F(ImagePane, EndingAnEditHoldsTheNextPrintBackOnce) {
    NotificationRecorder ready("mainController::readyToPrint");
    ASSERT_TRUE(user->perform("type halftoneAngleEditText 60"));
    EXPECT_TRUE(ready.objects().empty()) << "typing alone";
    ASSERT_TRUE(user->perform("click gretButton"));
    EXPECT_EQ(ready.objects(), std::vector<Value>{Value("0")});
    EXPECT_FALSE(pane->shouldPrint());
    EXPECT_TRUE(pane->shouldPrint());
}

}  // namespace

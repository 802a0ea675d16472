// The page-exception tab's finishing-subset, page-layout and image-shift
// groups worked by a user on a running bridge: each click checked on every
// target range, Update storing on one range and on several, each step's
// alerts, the page collection, the group as drawn where it matters, the
// "Substitution" group and the posts, and the ticket's lines at the end.
#include <gtest/gtest.h>

#include "page_exception_walk.h"
#include "platform_test_support.h"

using namespace platform;
using namespace pde_test;
using namespace pe_walk;

namespace {

class PageExceptionGroups : public PageExceptionWalkTest {
protected:
    // The collection and image shifts, and the inner tab's page when drawn.
    std::string shown(const Step& step) override {
        std::string text = "  pages" + Collection(bridge()) + "\n";
        for (const ImageEntry& image : ReadPageEntries(&bridge()).images) {
            text += Format("  image %s: %.2f %.2f %.2f %.2f\n", PagesCell(image.pages).c_str(), image.x1, image.y1,
                           image.x2, image.y2);
        }
        if (!step.draw) return text;
        auto& tabs = control<TabView>("peMainTabView");
        std::istringstream drawn(DrawAsText(*tabs.tabViewItemAtIndex(tabs.indexOfSelectedTabViewItem()).view));
        for (std::string line; std::getline(drawn, line);) text += "  | " + line + "\n";
        return text;
    }
    // The walk, then what the steps changed in the ticket handed out.
    std::string walkToTicket(const std::vector<Step>& steps) {
        const std::string before = handOut();
        const std::string transcript = walk(steps);
        return transcript + "== ticket\n" + controller_test::Changes(before, handOut());
    }
    // An Update action run by code, as its button when disabled cannot be.
    void update(void (peController::*action)(Control&)) {
        Button& sender = control<Button>("subsetUpdateButton");
        peController& tab = *pe;
        (tab.*action)(sender);
    }
};

TEST_F(PageExceptionGroups, SubsetsAreCheckedOnEveryRangeAndUpdateMakesEachRangeOneSubset) {
    ASSERT_EQ(bridge().HandleJobFeatures(kFeaturePrintingMode, 2, {}, 0), 0) << "booklets print on both sides";
    const std::string transcript = walkToTicket({
        {"type pageEditorField 1..4 10..20 30..40; end; select pageSetView 0; click page1; click page2; "
         "choose exceptionPaperCombo Legal; click exceptionUpdateButton"},
        {"click selectAllPagesSetCheck; click peSubset; click subsetButton; click BookletButton", {}, true},
        {"click StackerButton; click offsetButton; click subsetUpdateButton", {}, true},
        {"select pageSetView 1; click page1; click page3; click subsetButton; click StaplerButton; "
         "click StapleBothButton; click subsetUpdateButton",
         {},
         true},
        {"click selectAllSetCheck; click subsetButton; click BookletButton; click StackerButton; "
         "click subsetUpdateButton"},
        {"click selectAllSetCheck; select pageSetView 0; click deletePageRange; click selectAllSetCheck; "
         "click subsetButton; click BookletButton; click StapleSaddleButton; click edgeTrimButton; "
         "click subsetUpdateButton",
         {},
         true},
        {"click selectAllSetCheck; select pageSetView 1; click selectAllPagesSetCheck; click subsetButton; "
         "click StapleNoneButton; click subsetUpdateButton"},
        {"click useJobButton; click subsetUpdateButton"},
        {"select pageSetView 0; click page3; click subsetButton; click StackerButton; click subsetButton"},
        {"click peSummary", [&] { update(&peController::selectFinisherUpdate); }},
    });
    EXPECT_EQ(transcript, TestData("page_exception_subsets_walk.txt"));
}

TEST_F(PageExceptionGroups, LayoutClicksAreCheckedOnEveryRangeAndUpdateSetsOrTakesAwayEachFeature) {
    std::string transcript = walkToTicket({
        {"type pageEditorField 1..4 10..20; end; select pageSetView 0; click page1; "
         "choose exceptionPaperCombo Letter_Transparency; click exceptionUpdateButton"},
        {"click selectAllPagesSetCheck; click peLayout; click duplexLongEdgeButton; click simplexButton; "
         "click backSideButton; click frontSideButton; click use180RotationButton; click chapterPageYesButton; "
         "click layoutUpdateButton",
         {},
         true},
        {"select pageSetView 1; click selectAllPagesSetCheck; click duplexShortEdgeButton; click layoutUpdateButton",
         {},
         true},
        {"click selectAllSetCheck; click duplexLongEdgeButton; click simplexButton; click useJobPrintSideButton; "
         "click useJobimageRotationButton; click layoutUpdateButton"},
    });
    transcript += walk({{"click useJobPrintingButton; click chapterPageNoneButton; click layoutUpdateButton"}});
    EXPECT_EQ(transcript, TestData("page_exception_layout_walk.txt"));
}

// A print mode and a print side clicked for one Update are judged as an
// Update for each judges them, in either order: the same refusals, the same
// ticket; after what a first Update stored, on a simplex job.
TEST_F(PageExceptionGroups, PrintModeAndSideAtOneUpdateGiveWhatAnUpdateForEachGives) {
    const char* const pairs[][3] = {
        {"useJobPrintingButton", "duplexLongEdgeButton", "backSideButton"},
        {"useJobPrintingButton", "simplexButton", "backSideButton"},
        {"duplexShortEdgeButton; click backSideButton", "useJobPrintSideButton", "simplexButton"},
        {"duplexShortEdgeButton; click backSideButton", "useJobPrintingButton", "frontSideButton"},
    };
    std::string transcript;
    for (const auto& [stored, a, b] : pairs) {
        for (const auto& [first, second] : {std::pair{a, b}, {b, a}}) {
            std::string roads[2];
            for (const char* between : {"", "click layoutUpdateButton; "}) {
                open();
                const std::string before = handOut();
                const std::size_t shown = alerts.messages().size();
                ASSERT_TRUE(run(Format("type pageEditorField 3..5; end; select pageSetView 0; "
                                       "click selectAllPagesSetCheck; click peLayout; click %s; "
                                       "click layoutUpdateButton; click %s; %sclick %s; click layoutUpdateButton",
                                       stored, first, between, second)));
                std::string& road = roads[*between ? 1 : 0];
                for (std::size_t i = shown; i < alerts.messages().size(); ++i)
                    if (alerts.messages()[i].find("Page Layout -") == std::string::npos)
                        road += "  alert: " + alerts.messages()[i] + "\n";
                road += "  pages" + Collection(bridge()) + "\n" + controller_test::Changes(before, handOut());
            }
            EXPECT_EQ(roads[0], roads[1]) << first << ", " << second << " after " << stored;
            transcript += Format("== %s, %s after %s\n", first, second, stored) + roads[0];
        }
    }
    EXPECT_EQ(transcript, TestData("page_exception_layout_pairs.txt"));
}

// Update judges what it stores on the ranges, papers and job of its own
// time, not of the clicks: refused once, it stores nothing and the group
// keeps its values. A factory reset puts the group on the job's settings.
TEST_F(PageExceptionGroups, LayoutUpdateJudgesItsValuesOnThePagesAndTheJobAtUpdate) {
    const std::string pages =
        "type pageEditorField 3..5; end; select pageSetView 0; click selectAllPagesSetCheck; click peLayout";
    const std::string backOnDuplexJob =
        "click jobsetupButton; click duplexLongEdge; click pagefeatureButton; " + pages + "; click backSideButton; ";
    const std::string rows[] = {
        "type pageEditorField 7..9; end; select pageSetView 0; click selectAllPagesSetCheck; "
        "choose exceptionPaperCombo Letter_Transparency; click exceptionUpdateButton; " +
            pages + "; click duplexLongEdgeButton; click backSideButton; select pageSetView 1",
        pages + "; click duplexLongEdgeButton; click peSubstitute; choose exceptionPaperCombo Letter_Transparency; "
                "click exceptionUpdateButton; click peLayout",
        backOnDuplexJob + "click jobsetupButton; click simplex; click pagefeatureButton",
        backOnDuplexJob +
            "click layoutUpdateButton; click summaryButton; click resetFactory; click pagefeatureButton; " + pages,
    };
    std::string transcript;
    for (const std::string& row : rows) {
        open();
        transcript += walkToTicket({{row}, {"click layoutUpdateButton", {}, true}});
    }
    EXPECT_EQ(transcript, TestData("page_exception_layout_update_checks.txt"));
}

// The same for the subset group: a booklet clicked on duplex pages is
// refused at Update on simplex pages, and a factory reset puts the group
// on the job's device.
TEST_F(PageExceptionGroups, SubsetUpdateJudgesItsValuesOnThePagesAndTheJobAtUpdate) {
    const std::string rows[] = {
        "type pageEditorField 1..10; end; select pageSetView 0; click selectAllPagesSetCheck; click peLayout; "
        "click duplexLongEdgeButton; click layoutUpdateButton; click peSubset; click subsetButton; "
        "click BookletButton; type pageEditorField 20..30; end; select pageSetView 1; "
        "click selectAllPagesSetCheck; click subsetButton",
        "click jobsetupButton; click duplexLongEdge; click pagefeatureButton; type pageEditorField 3..5; end; "
        "select pageSetView 0; click selectAllPagesSetCheck; click peSubset; click subsetButton; "
        "click BookletButton; click StapleSaddleButton; click summaryButton; click resetFactory; "
        "click pagefeatureButton; type pageEditorField 3..5; end; select pageSetView 0; "
        "click selectAllPagesSetCheck; click peSubset; click subsetButton",
    };
    std::string transcript;
    for (const std::string& row : rows) {
        open();
        transcript += walkToTicket({{row}, {"click subsetUpdateButton", {}, true}});
    }
    EXPECT_EQ(transcript, TestData("page_exception_subset_update_checks.txt"));
}

TEST_F(PageExceptionGroups, ImageShiftsAreStoredInPointsMirroredOrNotInBothUnits) {
    const std::string transcript = walkToTicket({
        {"type pageEditorField 1..4 10..20 30..40; end; select pageSetView 0; click selectAllPagesSetCheck; "
         "click peImage; click imageAlignButton; type imageSide1XEditText 0.5; end; "
         "step imageSide1YStepper up 25; click imageUpdateButton",
         {},
         true},
        {"click landscapeButton; click imageUpdateButton", {}, true},
        {"select pageSetView 1; click page1; click page2; click imageAlignButton; click mmButton; "
         "click mirrorSide1Button; type imageSide1XEditText 12.345; type imageSide2YEditText -12.345; end; "
         "click imageUpdateButton",
         {},
         true},
        {"select pageSetView 2; click selectAllPagesSetCheck; click imageAlignButton; "
         "type imageSide1XEditText 25; end; click imageUpdateButton"},
        {"select pageSetView 1; click selectAllPagesSetCheck; click imageAlignButton; click imageUpdateButton"},
        {"click selectAllSetCheck; click imageAlignButton; click imageUpdateButton"},
        {"click inchButton; type imageSide1XEditText -0.805; type imageSide1YEditText 0.81; end; "
         "click mirrorSide1Button; click imageUpdateButton",
         {},
         true},
        {"click mmButton; type imageSide1YEditText -0.001; end; click imageUpdateButton"},
    });
    EXPECT_EQ(transcript, TestData("page_exception_image_walk.txt"));
}

// The fields show what their steppers, the unit and the mirror make of
// them: values kept to the unit's range, converted without a second limit,
// side 2 following side 1 while mirrored, across the orientation the radios
// show whichever was clicked first, and editable otherwise.
TEST_F(PageExceptionGroups, ImageShiftFieldsFollowSteppersUnitsAndTheMirror) {
    const auto fields = [&] {
        std::string text;
        for (const char* name : {"imageSide1XEditText", "imageSide1YEditText", "imageSide2XEditText",
                                 "imageSide2YEditText"}) {
            const TextField& field = control<TextField>(name);
            text += (text.empty() ? "" : " ") + field.stringValue() + (field.isEnabled() ? "" : "*");
        }
        return text;
    };
    const std::pair<const char*, const char*> steps[] = {
        {"type pageEditorField 5; end; click page1; click peImage", "0.0* 0.0* 0.00* 0.00*"},
        {"click imageAlignButton; step imageSide1XStepper up 3", "0.03 0.0 -0.03* 0.00*"},
        {"step imageSide1XStepper down 90; step imageSide1YStepper up 2", "-0.80 0.02 0.80* 0.02*"},
        {"click mmButton; click mmButton", "-20.32 0.51 20.32* 0.51*"},
        {"type imageSide1YEditText 21; end; click inchButton", "-0.80 0.80 0.80* 0.80*"},
        {"click mirrorSide1Button; step imageSide2XStepper up", "-0.80 0.80 0.01 0.80"},
        {"click landscapeButton", "-0.80 0.80 0.01 0.80"},
        {"click mirrorSide1Button", "-0.80 0.80 -0.80* -0.80*"},
        {"click mmButton; type imageSide1YEditText 5; end", "-20.32 5 -20.32* -5.00*"},
        {"click portraitButton", "-20.32 5 20.32* 5.00*"},
        {"click landscapeButton; step imageSide1YStepper up", "-20.32 5.01 -20.32* -5.01*"},
        {"click inchButton; click mirrorSide1Button", "-0.80 0.20 -0.80 -0.20"},
        {"click imageAlignResetButton", "0.0 0.0 0.0 0.0"},
        {"click imageAlignButton", "0.0* 0.0* 0.0* 0.0*"},
        {"click imageAlignButton; click mirrorSide1Button; step imageSide1YStepper up 3; "
         "step imageSide1YStepper down 3",
         "0.0 0.00 0.00* 0.00*"},
        {"click portraitButton; type imageSide1YEditText -0; end", "0.0 0.00 0.00* 0.00*"},
        {"type imageSide1XEditText 0.125; click mmButton", "3.05 0.00 -3.05* 0.00*"},
        {"click mmButton; type imageSide1XEditText 0.001; end", "0.00 0.00 0.00* 0.00*"},
        {"type imageSide1XEditText -0; end; click inchButton", "0.00 0.00 0.00* 0.00*"},
    };
    for (const auto& [commands, shown] : steps) {
        SCOPED_TRACE(commands);
        ASSERT_TRUE(run(commands)) << user->lastError();
        EXPECT_EQ(fields(), shown);
    }
    EXPECT_EQ(control<Button>("imageAlignButton").title(), "Image Alignment (-0.8..0.8\")");
}

TEST_F(PageExceptionGroups, WithTheValidationBoxOffNoClickIsRefused) {
    ASSERT_TRUE(run("type pageEditorField 1; end; click page1; choose exceptionPaperCombo Letter_Transparency; "
                    "click exceptionUpdateButton; click validationWarning; click peLayout; "
                    "click duplexLongEdgeButton; click layoutUpdateButton"))
        << user->lastError();
    EXPECT_EQ(alerts.messages().size(), 2u) << "the warning and the confirmation";
    EXPECT_EQ(Collection(bridge()), " 1:235=2, 1:232=0,237=0,") << "two-sided on one-sided paper, unchecked";
}

// Typed in a locale whose decimal separator is a comma, as the image pane
// takes it; the confirmation and the collection hold points.
TEST_F(PageExceptionGroups, ImageShiftIsTypedWithTheLocaleSeparator) {
    platform_test::CommaLocale comma;
    if (!comma.ready()) GTEST_SKIP() << "no localedef or German locale sources on this machine";
    ASSERT_TRUE(comma.use());
    ASSERT_TRUE(run("type pageEditorField 5; end; click page1; click peImage; click imageAlignButton; "
                    "type imageSide1XEditText 0,5; type imageSide1YEditText 0.; end; click imageUpdateButton"));
    EXPECT_EQ(alerts.beeps(), 1) << "the point";
    EXPECT_EQ(control<TextField>("imageSide2XEditText").stringValue(), "-0.50");
    const std::vector<ImageEntry> images = ReadPageEntries(&bridge()).images;
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(Format("%.2f %.2f %.2f %.2f", images[0].x1, images[0].y1, images[0].x2, images[0].y2),
              "36.00 0.00 -36.00 0.00");
}

// Without a target range (no set yet) no group stores, confirms or posts.
TEST_F(PageExceptionGroups, UpdateWithoutTargetRangesDoesNothing) {
    NotificationRecorder broadcasts(kTemplateSettingsNotification);
    update(&peController::selectFinisherUpdate);
    update(&peController::selectLayoutUpdate);
    update(&peController::selectImageUpdate);
    EXPECT_TRUE(alerts.messages().empty());
    EXPECT_TRUE(broadcasts.objects().empty());
    EXPECT_EQ(bridge().JSE_PageCollection_GetSize() + bridge().JSE_PageCollection_GetPageImageSize(), 0);
}

}  // namespace

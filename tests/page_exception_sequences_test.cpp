// The page-exception tab worked in orders a user may well take: a row's
// Delete after other groups have changed the page collection, the all-sets
// box turned off by the user and by the code, a template that holds a set
// twice, and seeded random sequences of every action of the tab. Each walk
// ends with the summary, the exception table and the ticket's lines.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>

#include "LabelLookup.h"
#include "page_exception_walk.h"
#include "peController/pageSetController.h"

using namespace platform;
using namespace pde_test;
using namespace pe_walk;

namespace {

class PageExceptionSequences : public PageExceptionWalkTest {
protected:
    void SetUp() override {
        PageExceptionWalkTest::SetUp();
        before = handOut();
    }
    std::string table(const char* name) {
        std::string text;
        for (const std::string& line : control<TableView>(name).describeRows()) text += "  " + line + "\n";
        return text;
    }
    // The apply buttons that can be clicked, the exception table, and where
    // the step asks for it the page sets and the strip as drawn.
    std::string shown(const Step& step) override {
        std::string text = "  apply";
        for (const char* button : {"exceptionUpdateButton", "subsetUpdateButton", "layoutUpdateButton",
                                   "imageUpdateButton", "subsetButton", "imageAlignButton"}) {
            if (control<Button>(button).isEnabled()) text += std::string(" ") + button;
        }
        text += "\n" + table("exceptionListView");
        if (!step.draw) return text;
        for (View* area : {control<TableView>("pageSetView").superview(), control<Button>("page1").superview()->superview()}) {
            std::istringstream drawn(DrawAsText(*area));
            for (std::string line; std::getline(drawn, line);) text += "  | " + line + "\n";
        }
        return text;
    }
    // The walk, then the summary, the exception table and what the steps
    // changed in the ticket handed out.
    std::string walkToEnd(const std::vector<Step>& steps) {
        std::string transcript = walk(steps);
        EXPECT_TRUE(run("click peSummary")) << user->lastError();
        transcript += "== summary\n" + table("summaryListView");
        EXPECT_TRUE(run("click peSubstitute")) << user->lastError();
        transcript += "== exceptions\n" + table("exceptionListView");
        return transcript + "== ticket\n" + controller_test::Changes(before, handOut());
    }
    // The job-feature dictionary saved as a template through the template
    // tab, and the file's path.
    std::string saveTemplate(const std::string& name) {
        const std::string path = folder.file(name);
        EXPECT_TRUE(run("click summaryButton; pick " + path + "; click savetemplate; click pagefeatureButton"))
            << user->lastError();
        return path;
    }

    std::string before;
    filter_test::TempDir folder;
};

// The exception table was built before the layout Update put the layout's
// entry in front of the substitutions; the row of 14..16 deletes Letter_Red.
// The duplex deleted in the summary stays away at the next layout change.
TEST_F(PageExceptionSequences, DeleteAfterALayoutUpdateTakesTheRowsOwnSubstitution) {
    const std::string transcript = walkToEnd({
        {"type pageEditorField 3..8 10..12 14..16; end; select pageSetView 1; click selectAllPagesSetCheck; "
         "choose exceptionPaperCombo Letter_Blue; click exceptionUpdateButton"},
        {"select pageSetView 2; click selectAllPagesSetCheck; choose exceptionPaperCombo Letter_Red; "
         "click exceptionUpdateButton"},
        {"select pageSetView 0; click selectAllPagesSetCheck; click peLayout; click duplexLongEdgeButton; "
         "click layoutUpdateButton"},
        {"click peSubstitute; select exceptionListView 1; click exceptionDeleteButton"},
        {"click peSummary; select summaryListView 0; click summaryDeleteButton"},
        {"select pageSetView 1; click peLayout; click useJobPrintingButton; click use180RotationButton; "
         "click layoutUpdateButton"},
    });
    EXPECT_EQ(transcript, TestData("page_exception_delete_after_layout_walk.txt"));
}

// The subset Update put its entry in front of the only substitution.
TEST_F(PageExceptionSequences, DeleteAfterASubsetUpdateTakesTheSubstitutionAndLeavesTheSubset) {
    const std::string transcript = walkToEnd({
        {"type pageEditorField 1..5 8..10; end; select pageSetView 1; click selectAllPagesSetCheck; "
         "choose exceptionPaperCombo Letter_Red; click exceptionUpdateButton"},
        {"select pageSetView 0; click selectAllPagesSetCheck; click peSubset; click subsetButton; "
         "click StaplerButton; click subsetUpdateButton"},
        {"click peSubstitute; select exceptionListView 0; click exceptionDeleteButton"},
    });
    EXPECT_EQ(transcript, TestData("page_exception_delete_after_subset_walk.txt"));
}

// The all-sets box turned off by the user, then every set deleted: the page
// field still takes a set, and its pages can be picked past the first five.
TEST_F(PageExceptionSequences, PageFieldTakesANewSetAfterTheAllSetsBoxWentOffAndEverySetWent) {
    const std::string transcript = walkToEnd({
        {"type pageEditorField 1..3 5..7; end; click selectAllSetCheck; click selectAllSetCheck; "
         "select pageSetView 0,1; click deletePageRange",
         {},
         true},
        {"type pageEditorField 11..30; end; step pageStepper up 3; click page5; "
         "choose exceptionPaperCombo Letter_Blue; click exceptionUpdateButton",
         {},
         true},
    });
    EXPECT_EQ(transcript, TestData("page_exception_box_off_by_user_walk.txt"));
}

// The box on, then turned off by Delete of every set, by a factory reset
// and by a template: each time the table, the strip with its window and the
// apply buttons are as the box off wants them.
TEST_F(PageExceptionSequences, AllSetsBoxTurnedOffByTheCodeGoesOffTheWholeWay) {
    const std::string transcript = walkToEnd({
        {"type pageEditorField 1..3 5..7; end; click selectAllSetCheck; click deletePageRange", {}, true},
        {"type pageEditorField 11..30; end; step pageStepper up 3; click page5; "
         "choose exceptionPaperCombo Letter_Blue; click exceptionUpdateButton",
         {},
         true},
        {"type pageEditorField 40 50; end; click selectAllSetCheck; click summaryButton; click resetFactory; "
         "click pagefeatureButton",
         {},
         true},
        {"type pageEditorField 1..10 20..30; end; click page1; choose exceptionPaperCombo Letter_Blue; "
         "click exceptionUpdateButton"},
        {"click selectAllSetCheck; click summaryButton; select templateListView 0; click applytemplate; "
         "click pagefeatureButton",
         [&] { saveTemplate("sets.plist"); },
         true},
        {"step pageStepper up 2; click page5; choose exceptionPaperCombo Letter_Red; click exceptionUpdateButton"},
    });
    EXPECT_EQ(transcript, TestData("page_exception_box_off_by_code_walk.txt"));
}

// A template written elsewhere may hold a set twice: the set table and the
// selector show one set, and the pages picked are those of the row selected.
TEST_F(PageExceptionSequences, TemplateHoldingASetTwiceKeepsTheTableAndTheSelectorInStep) {
    const std::string path = saveTemplate("twice.plist");
    Dictionary job = ReadDictionaryFile(path);
    Array sets;
    for (const auto& [start, end] : {std::pair{"1", "5"}, {"10", "20"}, {"1", "5"}})
        sets.append(Dictionary{{"startPage", start}, {"endPage", end}});
    Dictionary substitution = job["Substitution"].dictionary();
    substitution.set("pageSets", sets);
    job.set("Substitution", substitution);
    ASSERT_TRUE(WritePropertyListFile(path, job));
    const std::string transcript = walkToEnd({
        {"click summaryButton; select templateListView 0; click applytemplate; click pagefeatureButton", {}, true},
        {"click page2; choose exceptionPaperCombo Letter_Red; click exceptionUpdateButton", {}, true},
        {"select pageSetView 0; click page2; choose exceptionPaperCombo Letter_Blue; click exceptionUpdateButton"},
    });
    EXPECT_EQ(transcript, TestData("page_exception_set_twice_walk.txt"));
}

}  // namespace

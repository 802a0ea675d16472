// The page-exception tab worked in orders a user may well take: a row's
// Delete after other groups have changed the page collection. Each walk
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
    std::string before;
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

}  // namespace

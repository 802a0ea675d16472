// Page sets of the page-exception tab: the page-range parser with its
// checks, the target-range rule, and the pane's page field, set table,
// Delete button and all-sets box as the shipped interface lays them out.
#include <gtest/gtest.h>

#include <array>

#include "UserDriver.h"
#include "filter_test_support.h"
#include "pde_test_support.h"
#include "peController/PageRangeEntry.h"
#include "peController/TargetRanges.h"
#include "peController/pageSetController.h"
#include "peController/peController.h"

using namespace platform;
using namespace pde_test;

namespace {

using Ranges = std::vector<PageRange>;

TEST(PageRangeEntry, TypedRangesBecomeSetsOrErrorsWithTheFieldLeftToEdit) {
    const Ranges set5to10 = {{5, 10}};
    struct Case {
        const char* text;
        Ranges sets;
        Ranges accepted;
        std::vector<int> errors;
        const char* field;
    };
    const Case cases[] = {
        {"1 3,5..7 9..", {}, {{1, 1}, {3, 3}, {5, 7}, {9, 99999}}, {}, ""},
        {"..4", {}, {{1, 4}}, {}, ""},
        {"5..0", {}, {{5, 5}}, {}, ""},
        {"5.", {}, {{5, 99999}}, {}, ""},
        {",, 6 ,", {}, {{6, 6}}, {}, ""},
        {"", {}, {}, {}, ""},
        {"0", {}, {}, {57666}, "0"},
        {"05", {}, {}, {57666}, "05"},
        {"0..4", {}, {}, {57666}, "0..4"},
        {"100000", {}, {}, {16219}, "100000"},
        {"1..100000", {}, {}, {16219}, "1..100000"},
        {"5...7", {}, {}, {16077}, "5...7"},
        {"5.7", {}, {}, {16077}, "5.7"},
        {".5", {}, {}, {16077}, ".5"},
        {"..", {}, {}, {16077}, ".."},
        {"5.. 7", {}, {}, {16077}, "5.. 7"},
        {"5..7..9", {}, {}, {16077}, "5..7..9"},
        {"7..3", {}, {}, {16077}, "7..3 "},
        {"10..12", set5to10, {}, {17237}, "10..12 "},
        {"1..5", set5to10, {}, {17237}, "1..5 "},
        {"6..9", set5to10, {}, {17237}, "6..9 "},
        {"1..20", set5to10, {}, {17237}, "1..20 "},
        {"10", set5to10, {}, {17237}, "10 "},
        {"1..4 11..20", set5to10, {{1, 4}, {11, 20}}, {}, ""},
        {"3 3", {}, {{3, 3}}, {17237}, "3 "},
        {"2 4 0", {}, {{2, 2}, {4, 4}}, {57666}, " 0"},
        {"7..3 9..4", {}, {}, {16077}, "7..3 9..4 "},
        {"7..3 0", {}, {}, {57666, 16077}, "7..3 "},
        {"1 5..7 2", set5to10, {{1, 1}, {2, 2}}, {17237}, "5..7 "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const PageSetEntry entry = EnterPageSets(c.text, c.sets);
        EXPECT_EQ(entry.accepted, c.accepted);
        EXPECT_EQ(entry.errors, c.errors);
        EXPECT_EQ(entry.field, c.field);
    }
    EXPECT_EQ(FilterPageText("1-3").text, "1");
    EXPECT_TRUE(FilterPageText("1-3").refused);
    EXPECT_FALSE(FilterPageText("1 3,5..7").refused);
}

TEST(TargetRanges, AllSetsThenTheWholeSetThenTheSelectedRunsJoined) {
    const Ranges sets = {{1, 2}, {4, 20}, {30, 30}};
    const Ranges runs = {{3, 3}, {4, 4}, {5, 5}, {8, 8}};
    struct Case {
        bool allSets;
        bool allPages;
        std::optional<PageRange> current;
        Ranges runs;
        Ranges targets;
    };
    const Case cases[] = {
        {true, true, PageRange{4, 20}, runs, sets},
        {false, true, PageRange{4, 20}, runs, {{4, 20}}},
        {false, true, std::nullopt, {}, {}},
        {false, false, PageRange{1, 20}, runs, {{3, 5}, {8, 8}}},
        {false, false, PageRange{1, 20}, {{1, 1}, {3, 3}, {5, 5}}, {{1, 1}, {3, 3}, {5, 5}}},
        {false, false, std::nullopt, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "row " << &c - cases);
        EXPECT_EQ(TargetRanges({c.allSets, sets, c.allPages, c.current, c.runs}), c.targets);
    }
}

// The page-exception tab of a shown main pane.
class PageSets : public PageExceptionTabTest {
protected:
    bool enter(const std::string& text) { return user->type("pageEditorField", text) && user->click("enterPageButton"); }

    // The strip as the user sees it: the pages shown, "*" on those selected,
    // the go-to field, the boxes that are on with their titles, and the
    // current set's runs.
    std::string strip() {
        std::string text;
        for (const std::string icon : {"page1", "page2", "page3", "page4", "page5"}) {
            if (!control<Button>(icon.c_str()).isVisible()) continue;
            text += control<TextField>((icon + "Text").c_str()).stringValue();
            text += control<Button>(icon.c_str()).state() ? "* " : " ";
        }
        if (control<TextField>("gotoPageEditField").isVisible()) text += "go " + control<TextField>("gotoPageEditField").stringValue() + " ";
        for (const char* box : {"selectAllPagesSetCheck", "selectOddPageCheck", "selectEvenPageCheck"}) {
            if (control<Button>(box).state()) text += "[" + control<Button>(box).title() + "] ";
        }
        text += "runs";
        for (int i = 0; i < pe->pageSelector()->getSelectedPageCount(); ++i) {
            const PageRange run = *pe->pageSelector()->getSelectedPage(i);
            text += run.start == run.end ? Format(" %d", run.start) : Format(" %d..%d", run.start, run.end);
        }
        return text;
    }
    // Runs the commands; the strip afterwards, and the enable state last posted.
    void walk(std::initializer_list<std::array<const char*, 3>> steps) {
        NotificationRecorder posts(kEnableUpdateNotification);
        for (const auto& [commands, expected, enable] : steps) {
            SCOPED_TRACE(commands);
            ASSERT_TRUE(run(commands)) << user->lastError();
            EXPECT_EQ(strip(), expected);
            ASSERT_FALSE(posts.objects().empty());
            EXPECT_EQ(posts.objects().back(), Value(enable));
        }
    }
};

TEST_F(PageSets, StepperGoToAndBoxesWalkATwelvePageSet) {
    walk({
        {"type pageEditorField 1..12; end", "1 2 3 4 5 go 5 runs", "0"},
        {"click page3", "1 2 3* 4 5 go 5 runs 3", "1"},
        {"click page4", "1 2 3* 4* 5 go 5 runs 3 4", "1"},
        {"step pageStepper up", "2 3* 4* 5 6 go 6 runs 3 4", "1"},
        {"step pageStepper up 7", "8 9 10 11 12 go 12 runs 3 4", "0"},
        {"click page1", "8* 9 10 11 12 go 12 runs 3 4 8", "1"},
        {"step pageStepper down", "7 8* 9 10 11 go 11 runs 3 4 8", "1"},
        {"type gotoPageEditField 0; end", "1 2 3* 4* 5 go 5 runs 3 4 8", "1"},
        {"step pageStepper down", "1 2 3* 4* 5 go 5 runs 3 4 8", "1"},
        {"type gotoPageEditField 1x0; end", "8* 9 10 11 12 go 12 runs 3 4 8", "1"},
        {"type gotoPageEditField 6; end", "6 7 8* 9 10 go 10 runs 3 4 8", "1"},
        {"click page5", "6 7 8* 9 10* go 10 runs 3 4 8 10", "1"},
        {"click page5", "6 7 8* 9 10 go 10 runs 3 4 8", "1"},
        {"click selectOddPageCheck", "6 7* 8 9* 10 go 10 [Odd pages: 1, 3...] runs 1 3 5 7 9 11", "1"},
        {"click selectEvenPageCheck", "6* 7 8* 9 10* go 10 [Even pages: 2, 4...] runs 2 4 6 8 10 12", "1"},
        {"click selectAllPagesSetCheck", "6 7 8 9 10 go 10 [All pages of this set: 1..12] runs 1..12", "1"},
        {"click selectOddPageCheck", "6 7* 8 9* 10 go 10 [Odd pages: 1, 3...] runs 1 3 5 7 9 11", "1"},
        {"click page2; click selectOddPageCheck", "6 7 8 9 10 go 10 runs", "0"},
    });
    EXPECT_EQ(pe->collectTargetRanges(), Ranges{});
}

TEST_F(PageSets, EachSetKeepsItsSelectionWhenTheUserSwitchesSets) {
    int start = 0, end = 0;
    walk({
        {"type pageEditorField 1..12; end; click selectOddPageCheck", "1* 2 3* 4 5* go 5 [Odd pages: 1, 3...] runs 1 3 5 7 9 11", "1"},
        {"type pageEditorField 20..21; end; click page2", "20 21* runs 21", "1"},
        {"select pageSetView 0", "1* 2 3* 4 5* go 5 [Odd pages: 1, 3...] runs 1 3 5 7 9 11", "1"},
        {"select pageSetView 1", "20 21* runs 21", "1"},
        {"type pageEditorField 30..35 40..44; end", "40 41 42 43 44 runs", "0"},
        {"select pageSetView 2", "30 31 32 33 34 go 34 runs", "0"},
        {"click page2; click page4; click page3", "30 31* 32* 33* 34 go 34 runs 31 32 33", "1"},
    });
    pe->pageSelector()->GetSetStartAndEndPage(start, end);
    EXPECT_EQ(std::pair(start, end), std::pair(31, 32)) << "the first two runs";
    EXPECT_EQ(pe->collectTargetRanges(), (Ranges{{31, 33}}));
    ASSERT_TRUE(user->selectRows("pageSetView", {1}));
    EXPECT_FALSE(control<Button>("selectOddPageCheck").isEnabled()) << "a set of two pages";
    pe->pageSelector()->GetSetStartAndEndPage(start, end);
    EXPECT_EQ(std::pair(start, end), std::pair(21, 21)) << "the one run";
    ASSERT_TRUE(user->selectRows("pageSetView", {0}));
    pe->pageSelector()->GetSetStartAndEndPage(start, end);
    EXPECT_EQ(std::pair(start, end), std::pair(1, 3)) << "the odd box";
}

TEST_F(PageSets, EntryListsEveryErrorInOneAlertAndKeepsTheSetsSortedAndTheNewOneCurrent) {
    ASSERT_TRUE(enter("5..10 20"));
    EXPECT_EQ(pe->pageSets(), (Ranges{{5, 10}, {20, 20}}));
    ASSERT_TRUE(user->type("pageEditorField", "1-3"));
    EXPECT_EQ(alerts.beeps(), 1);
    ASSERT_TRUE(enter("1..4 10..12 3 0"));
    EXPECT_EQ(pe->pageSets(), (Ranges{{1, 4}, {5, 10}, {20, 20}})) << "a lower start becomes row 0";
    EXPECT_EQ(alerts.messages(), std::vector<std::string>{
                                     "Not every page range could be added\r\r"
                                     "Pages are numbered from 1 to 99999; a page number cannot be 0 or begin with 0.\r\r"
                                     "A page range shares pages with a page set that is already there.\r\r"})
        << "one alert, the parser's error first";
    EXPECT_EQ(control<TextField>("pageEditorField").stringValue(), "10..12 3 ");
    EXPECT_EQ(pe->pageSelector()->selectedSetRow(), 0);
    EXPECT_FALSE(control<Button>("enterPageButton").isEnabled());
    EXPECT_EQ(DrawAsText(*pane->panelView()->findView("pageSetView")->superview()->superview()),
              filter_test::readFile(LUMAPREX_TEST_DATA "/pde/page_sets_entered.txt"));
}

TEST_F(PageSets, DeleteRemovesExactlyTheSelectedRowsAndKeepsTheCurrentRowInTheList) {
    ASSERT_TRUE(enter("1 3 5 7 9"));
    ASSERT_TRUE(user->selectRows("pageSetView", {1, 3}));
    ASSERT_TRUE(user->click("deletePageRange"));
    EXPECT_EQ(pe->pageSets(), (Ranges{{1, 1}, {5, 5}, {9, 9}})) << "row 2 was not selected";
    EXPECT_EQ(pe->pageSelector()->selectedSetRow(), 1);
    ASSERT_TRUE(user->selectRows("pageSetView", {2}));
    ASSERT_TRUE(user->click("deletePageRange"));
    EXPECT_EQ(control<TableView>("pageSetView").selectedRowIndexes(), std::set<int>{1});
    EXPECT_EQ(pe->pageSelector()->selectedSetRow(), 1) << "the last row left is current";
    EXPECT_EQ(pe->pageSelector()->getSelectedAllPages(), (PageRange{5, 5}));
    ASSERT_TRUE(user->selectRows("pageSetView", {0, 1}));
    ASSERT_TRUE(user->click("deletePageRange"));
    EXPECT_FALSE(control<Button>("deletePageRange").isEnabled());
    EXPECT_FALSE(control<Button>("selectAllSetCheck").isEnabled());
    EXPECT_EQ(pe->pageSelector()->selectedSetRow(), -1);
}

TEST_F(PageSets, AllSetsBoxTargetsEverySetAndHoldsTheStripAndTheTableStill) {
    ASSERT_TRUE(enter("1..3"));
    EXPECT_FALSE(control<Button>("selectAllSetCheck").isEnabled()) << "one set";
    ASSERT_TRUE(enter("10..14"));
    ASSERT_TRUE(user->click("page2"));
    EXPECT_EQ(pe->collectTargetRanges(), (Ranges{{11, 11}}));
    ASSERT_TRUE(user->click("selectAllSetCheck"));
    EXPECT_EQ(pe->collectTargetRanges(), (Ranges{{1, 3}, {10, 14}}));
    EXPECT_EQ(control<TableView>("pageSetView").selectedRowIndexes(), (std::set<int>{0, 1}));
    EXPECT_FALSE(control<TableView>("pageSetView").isEnabled());
    EXPECT_FALSE(control<Button>("page1").isEnabled());
    ASSERT_TRUE(enter("20"));
    EXPECT_EQ(control<TableView>("pageSetView").selectedRowIndexes(), (std::set<int>{0, 1, 2}));
    EXPECT_FALSE(control<Button>("page1").isEnabled()) << "a set added keeps the strip still";
    ASSERT_TRUE(user->click("selectAllSetCheck"));
    EXPECT_EQ(control<TableView>("pageSetView").selectedRowIndexes(), std::set<int>{0});
    EXPECT_TRUE(control<Button>("page1").isEnabled());
    EXPECT_TRUE(control<TextField>("pageEditorField").isEnabled()) << "a set can still be entered";
}

TEST_F(PageSets, SettingsRebuildTheSetsLeavingOutPagesNoJobHas) {
    ASSERT_TRUE(enter("50"));
    Array sets;
    const char* pages[][2] = {{"5", "9"}, {"1", "3"}, {"0", "4"}, {"7", "3"}, {"1", "200000"}};
    for (const auto& [start, end] : pages) sets.append(Dictionary{{"startPage", start}, {"endPage", end}});
    NotificationCenter::Default().post("peSubstitutionController::applySettings",
                                       Dictionary{{"Substitution", Dictionary{{"pageSets", sets}}}});
    EXPECT_EQ(pe->pageSets(), (Ranges{{1, 3}, {5, 9}}));
    EXPECT_EQ(pe->pageSelector()->getSelectedAllPages(), (PageRange{1, 3})) << "the last one added";
}

}  // namespace

// The page-exception tab worked in orders a user may well take: a row's
// Delete after other groups have changed the page collection, the all-sets
// box turned off by the user and by the code, a template that holds a set
// twice, and seeded random sequences of every action of the tab. Each walk
// ends with the summary, the exception table and the ticket's lines; random
// walks also end at the printer, once as the dialog left the job and once
// from its template.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "LabelLookup.h"
#include "page_exception_walk.h"
#include "peController/pageSetController.h"
#include "print_host_support.h"

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
        View* strip = control<Button>("page1").superview()->superview();
        for (View* area : {control<TableView>("pageSetView").superview(), strip}) {
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

// A subset Update stores no paper: neither one chosen in the combo and never
// stored, nor an insert's, later judges the subset's pages.
TEST_F(PageExceptionSequences, SubsetUpdateStoresNoPaperTheComboShows) {
    const std::string subset = "select pageSetView 0; click selectAllPagesSetCheck; click peSubset; "
                               "click subsetButton; click StaplerButton; click subsetUpdateButton";
    walk({
        {"click peSubstitute; choose exceptionPaperCombo A3"},
        {"type pageEditorField 1..5; end; " + subset + "; click deletePageRange"},
        {"type pageEditorField 3; end; select pageSetView 0; click page1; click peSubstitute; "
         "choose exceptionPaperCombo Letter_Blue; click exceptionUpdateButton; click deletePageRange"},
        {"type pageEditorField 20; end; select pageSetView 0; click page1; click peInsert; "
         "choose insertLocationMatrix 0; choose exceptionPaperCombo Letter_Tab; click exceptionUpdateButton; "
         "click deletePageRange"},
        {"type pageEditorField 6..10; end; " + subset + "; click peLayout; click duplexLongEdgeButton; "
         "click layoutUpdateButton"},
    });
    for (const std::string& alert : alerts.messages())
        EXPECT_TRUE(alert.starts_with("The settings were applied")) << alert;
    const std::string ticket = handOut();
    EXPECT_NE(ticket.find("%VLXSlip: (Letter_Blue) simplex 3\r\n"), std::string::npos) << ticket;
    EXPECT_NE(ticket.find("duplex(longedge) 6 "), std::string::npos) << ticket;
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

// Seeded random sequences of the tab's actions. An action is a line of
// commands in which "{a|b}" stands for one of its alternatives and %name for
// a value of the tab as it stands. After every step: each table shows
// exactly what the collection holds, a Delete took exactly what its row
// showed, the collection keeps no layout its entries do not show, the set
// table, the box and the strip agree, and a page set can be entered.
class PageExceptionSequence : public PageExceptionSequences {
protected:
    std::string shown(const Step&) override { return {}; }

    static constexpr std::pair<int, const char*> kActions[] = {
        {6, "type pageEditorField %page{..%page|} {%page|}; end"},
        {2, "click selectAllSetCheck"},
        {2, "select pageSetView %set"},
        {3, "click {page%icon|selectAllPagesSetCheck|selectOddPageCheck|selectEvenPageCheck}"},
        {1, "step pageStepper {up|down} {1|3}"},
        {2, "{select pageSetView %set{|,%set}; |}click deletePageRange"},
        {5, "%target; click peSubstitute; choose exceptionPaperCombo %paper; click exceptionUpdateButton"},
        {3, "%target; click peInsert; choose insertLocationMatrix {0|1}; choose insertFinisherCombo {0|1|2|3}; "
            "choose exceptionPaperCombo %paper; click exceptionUpdateButton"},
        {3, "%target; click peSubset; click subsetButton; click {useJobButton|topExitButton|"
            "StaplerButton; click {StapleTopButton|StapleBothButton|offsetButton}|StackerButton; click offsetButton|"
            "BookletButton; click {StapleSaddleButton|edgeTrimButton}}; click subsetUpdateButton"},
        {3, "%target; click peLayout; click {useJobPrintingButton|simplexButton|duplexLongEdgeButton}; "
            "click {useJobPrintSideButton|frontSideButton}; click {useJobimageRotationButton|use180RotationButton|"
            "chapterPageYesButton|chapterPageNoneButton}; click layoutUpdateButton"},
        {2, "%target; click peImage; click imageAlignButton; type imageSide1XEditText {0.25|0|-0.5}; end; "
            "click imageUpdateButton"},
        {4, "click peSubstitute; select exceptionListView %exception; click exceptionDeleteButton"},
        {4, "click peSummary; select summaryListView %summary; click summaryDeleteButton"},
        {2, "click summaryButton; "
            "{pick %file; click savetemplate|select templateListView %template; click applytemplate}"},
        {1, "click summaryButton; click resetFactory"},
    };

    // 0 to count - 1; 0 when count is 0.
    int pick(std::size_t count) {
        return std::uniform_int_distribution<int>(0, std::max(static_cast<int>(count), 1) - 1)(random);
    }

    // The table's weights, those of the actions that take exceptions away
    // divided and those of inserts multiplied.
    static std::vector<double> Weights(double removals = 1, double inserts = 1) {
        std::vector<double> weights;
        for (const auto& [weight, action] : kActions) {
            const std::string_view text = action;
            const bool removes = text.find("Delete") != text.npos || text.find("delete") != text.npos ||
                                 text.find("resetFactory") != text.npos;
            weights.push_back(weight * (removes ? 1 / removals : text.find("peInsert") != text.npos ? inserts : 1));
        }
        return weights;
    }

    // The next action, its alternatives chosen and its values filled in;
    // the rows it deletes are kept in deleted.
    std::string next() {
        deleted.clear();
        return expand(kActions[std::discrete_distribution<int>(weights.begin(), weights.end())(random)].second);
    }
    std::string expand(std::string_view text) {
        std::string out;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '{') {
                std::vector<std::string_view> alternatives;
                std::size_t start = i + 1;
                for (int depth = 0;; ++i) {
                    depth += text[i] == '{' ? 1 : text[i] == '}' ? -1 : 0;
                    if (depth == 0 || (depth == 1 && text[i] == '|')) {
                        alternatives.push_back(text.substr(start, i - start));
                        start = i + 1;
                    }
                    if (depth == 0) break;
                }
                out += expand(alternatives[static_cast<std::size_t>(pick(alternatives.size()))]);
            } else if (text[i] == '%') {
                const std::size_t end = std::min(text.find_first_of(" ;.,|{}", i), text.size());
                out += value(text.substr(i + 1, end - i - 1));
                i = end - 1;
            } else {
                out += text[i];
            }
        }
        return out;
    }
    std::string value(std::string_view name) {
        const std::vector<TableRow> rows = name == "exception" ? exceptionRows() : summaryRows();
        if (name == "page") return std::to_string(1 + pick(pages));
        if (name == "icon") return std::to_string(1 + pick(5));
        if (name == "set") return std::to_string(pick(pe->pageSets().size()));
        if (name == "paper") return expand("{Letter|Letter_Blue|Letter_Red|A4|Letter_Transparency}");
        if (name == "template") return std::to_string(pick(templates));
        if (name == "file") return folder.file("t" + std::to_string(templates++));
        if (name == "target") {
            return expand("{click pagefeatureButton|click selectAllSetCheck|select pageSetView %set; "
                          "click {page%icon|page%icon|selectAllPagesSetCheck|selectOddPageCheck}}");
        }
        const int row = pick(rows.size());
        if (!rows.empty()) deleted.push_back(rows[static_cast<std::size_t>(row)].source);
        return std::to_string(row);
    }

    std::vector<TableRow> exceptionRows() { return ExceptionRows(ReadPageEntries(&bridge()), label); }
    std::vector<TableRow> summaryRows() { return SummaryRows(ReadPageEntries(&bridge()), label); }
    // The rows a table shows, and those that rows give a table of that many
    // columns, in no order: the layout check below may move entries.
    std::multiset<std::string> shownRows(const char* name) {
        TableView& view = control<TableView>(name);
        std::multiset<std::string> rows;
        for (int row = 0; row < view.numberOfRows(); ++row) {
            std::string text;
            for (const TableColumn& column : view.tableColumns()) text += view.cellText(column, row) + " | ";
            rows.insert(text);
        }
        return rows;
    }
    static std::multiset<std::string> rowsText(const std::vector<TableRow>& rows, std::size_t columns) {
        std::multiset<std::string> texts;
        for (const TableRow& row : rows) {
            std::string text;
            for (std::size_t c = 0; c < columns; ++c) text += (c < row.cells.size() ? row.cells[c] : "") + " | ";
            texts.insert(text);
        }
        return texts;
    }

    // Every feature of every page entry as "pages:code=value:paper", less
    // the punching the finishing pane adds after each change, and every
    // image shift.
    static std::multiset<std::string> Held(const PageEntries& entries) {
        std::multiset<std::string> held;
        for (const PageEntry& entry : entries.pages) {
            for (const PageFeature& f : entry.features) {
                if (f.code == kPePunch) continue;
                held.insert(Format("%s:%d=%d:", PagesCell(entry.pages).c_str(), f.code, f.value) + entry.paper);
            }
        }
        for (const ImageEntry& i : entries.images)
            held.insert(Format("%s:image %.2f %.2f %.2f %.2f", PagesCell(i.pages).c_str(), i.x1, i.y1, i.x2, i.y2));
        return held;
    }
    std::multiset<std::string> Held() { return Held(ReadPageEntries(&bridge())); }
    // What the collection held, less what the rows deleted showed.
    std::multiset<std::string> HeldAfterDelete(std::multiset<std::string> held) {
        for (const RowSource& row : deleted) {
            PageEntries shown;
            if (row.image) shown.images.push_back(row.shift);
            else shown.pages.push_back({row.entry.pages, row.feature ? std::vector{*row.feature} : row.entry.features,
                                        row.entry.paper});
            for (const std::string& feature : Held(shown)) {
                if (held.count(feature)) held.erase(held.find(feature));
            }
        }
        return held;
    }

    void checkTab() {
        EXPECT_EQ(shownRows("exceptionListView"), rowsText(exceptionRows(), 4)) << "exception table";
        EXPECT_EQ(shownRows("summaryListView"), rowsText(summaryRows(), 5)) << "summary";
        EXPECT_TRUE(user->find("pageEditorField") && control<TextField>("pageEditorField").isEnabled())
            << "a page set can be entered";
        const std::set<int>& selected = control<TableView>("pageSetView").selectedRowIndexes();
        const std::vector<PageRange>& sets = pe->pageSets();
        if (control<Button>("selectAllSetCheck").state()) {
            EXPECT_EQ(selected.size(), sets.size()) << "the all-sets box selects every set";
        } else {
            EXPECT_TRUE(control<TableView>("pageSetView").isEnabled()) << "the box off gives the set table back";
            if (!selected.empty()) {
                EXPECT_EQ(pe->pageSelector()->getSelectedAllPages(), sets[static_cast<std::size_t>(*selected.begin())]);
            }
            // Nothing but the all-pages box holds the strip.
            std::vector<const char*> strip = {"pageStepper", "gotoPageEditField"};
            if (control<Button>("selectAllPagesSetCheck").state() == 0) strip.insert(strip.end(), {"page1", "page5"});
            for (const char* name : strip)
                EXPECT_TRUE(!control<Control>(name).isVisible() || control<Control>(name).isEnabled()) << name;
        }
        for (const char* button : {"exceptionUpdateButton", "subsetUpdateButton", "layoutUpdateButton",
                                   "imageUpdateButton", "selectAllSetCheck"})
            EXPECT_TRUE(!sets.empty() || !control<Button>(button).isEnabled()) << button << " with no set";
        // A layout change on the last page, which no set here reaches, shows
        // whatever layout the collection keeps: nothing new.
        const std::multiset<std::string> held = Held();
        bridge().JSE_RemovePageFeature(kLastPage, kLastPage, kPeRotation, kPeNotSet);
        EXPECT_EQ(Held(), held) << "the collection keeps a layout no entry shows";
    }

    std::mt19937 random;
    std::vector<double> weights = Weights();
    int pages = 60;  // the job's pages that the walk's sets take
    int templates = 0;
    std::vector<RowSource> deleted;
    LabelText label = [this](int id) { return getNSStringWithID(bundle, id, kPageExceptionLabels); };
};

TEST_F(PageExceptionSequence, AnyOrderOfActionsKeepsTheTablesTrueAndTheTabOpen) {
    for (unsigned seed = 1; seed <= 16; ++seed) {
        open();
        random.seed(seed);
        templates = 0;
        std::string history;
        for (int step = 0; step < 75 && !HasFailure(); ++step) {
            const std::string action = next();
            history += "\n  " + action;
            SCOPED_TRACE(testing::Message() << "seed " << seed << ", step " << step << ":" << history);
            const std::multiset<std::string> before = Held();
            const bool done = run("click pagefeatureButton; " + action);
            ASSERT_TRUE(run("click pagefeatureButton")) << user->lastError();
            if (!deleted.empty()) {
                EXPECT_EQ(Held(), done ? HeldAfterDelete(before) : before) << "Delete took another entry";
            }
            checkTab();
        }
    }
}

// Random walks of the tab, the commands that took effect replayed in the
// print host, where the job is saved as a template, printed, and printed
// again from the template in a new dialog: the printer gets the same bytes.
// The walks keep to a few pages, so that their ranges meet, and build a job
// up: inserts come often, removals seldom.
TEST_F(PageExceptionSequence, RandomWalkComesBackFromItsTemplateAtThePrinter) {
    filter_test::PrivateScheduler cups;
    ASSERT_TRUE(cups.ready());
    pages = 8;
    weights = Weights(4, 5);
    for (unsigned seed = 1; seed <= 20; ++seed) {
        open();
        random.seed(seed);
        templates = 0;
        std::vector<std::string> commands = {"click pagefeatureButton"};
        for (int step = 0; step < 25; ++step) {
            std::istringstream action("click pagefeatureButton; " + next());
            for (std::string command; std::getline(action, command, ';');) {
                command.erase(0, command.find_first_not_of(' '));
                if (!run(command)) break;
                commands.push_back(command);
            }
        }
        std::string history;
        for (const std::string& command : commands) history += "\n  " + command;
        SCOPED_TRACE(testing::Message() << "seed " << seed << ":" << history);
        const host_test::RoundTrip trip = host_test::TemplateRoundTrip(cups, folder, "walk", commands);
        EXPECT_EQ(trip.second, trip.first) << cups.log();
    }
}

}  // namespace

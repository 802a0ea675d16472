// The page-exception pane's shell, summary, paper substitutions and
// inserts: the rows and the "Substitution" group built from page entries,
// and the pane worked by the user on a running bridge - each step's
// alerts, tables, group of the dictionary, posts and ticket lines.
#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <regex>

#include "page_exception_walk.h"
#include "PageFeatureList.h"
#include "peController/pageSetController.h"

using namespace platform;
using namespace pde_test;
using namespace pe_walk;

namespace {

std::string RowsText(const std::vector<TableRow>& rows) {
    std::string text;
    for (const TableRow& row : rows) {
        const RowSource& shown = row.source;
        text += shown.image ? "  image " + PagesCell(shown.shift.pages) : "  entry " + PagesCell(shown.entry.pages);
        if (shown.feature) text += Format(" %d=%d", shown.feature->code, shown.feature->value);
        text += ":";
        for (std::size_t i = 0; i < row.cells.size(); ++i)
            text += " [" + std::to_string(row.columns[i]) + "]" + row.cells[i];
        text += "\n";
    }
    return text;
}

// Entries as the collection can hold them, each row named for what it shows.
TEST(PageExceptionRows, RowsAndFeatureDictionariesFollowEachEntrysFeatures) {
    const auto entry = [](int start, int end, std::vector<PageFeature> features, std::string paper = "") {
        return PageEntry{{start, end}, std::move(features), std::move(paper)};
    };
    PageEntries entries;
    entries.pages = {
        entry(5, 5, {{232, 0}}, "Letter_Red"),                                      // no punch: no punch cell or keys
        entry(5, 9, {{237, 0}, {232, 0}, {301, 3}}, "A4"),                          // punch first, then more
        entry(7, 7, {{233, 255}, {237, 64}}, "Letter_Insert"),                      // job's tray
        entry(7, 7, {{234, 3}}, "Letter_Blue"),                                     // stacker
        entry(10, 20, {{238, 2}, {224, 2}, {225, 3}, {240, 7}, {237, 1}}, "Legal"), // stapled, offset
        entry(21, 30, {{238, 3}, {224, 3}, {225, 3}}),                              // stacker: no staple shown
        entry(31, 40, {{238, 4}, {224, 4}, {225, 5}, {239, 10}, {117, 9}}),        // booklet, trimmed, folded
        entry(41, 41, {{232, 0}, {237, 0}, {224, 1}}, "Tabloid"),                   // two dictionaries
        entry(42, 44, {{235, 2}, {236, 1}, {300, 1}, {300, 0}}),                    // layout
        entry(0, 4, {{232, 0}}, "Lost"),                                            // below page 1: nothing
    };
    entries.images = {{{2, 4}, 72, 0, -72, 0}};
    const LabelText label = [](int id) { return "<" + std::to_string(id) + ">"; };
    std::string text = "== exception rows\n" + RowsText(ExceptionRows(entries, label));
    text += "== summary rows\n" + RowsText(SummaryRows(entries, label));
    Dictionary group{{"pageSets", PageSetList({{1, 4}, {5, 9}})}, {"pageFeatures", PageFeatureList(entries)}};
    text += "== Substitution\n" + GroupText(group);
    EXPECT_EQ(text, TestData("page_exception_rows.txt"));
}

// The page-exception tab of a shown main pane on the shipped data. The
// finishing pane answers every change of the page exceptions by bringing
// the punching of the page entries up to date and asking the pane to
// rewrite its group. A step shows the table of the group shown.
class PageExceptions : public PageExceptionWalkTest {
protected:
    std::string shown(const Step&) override {
        const char* table = control<Button>("peSummary").image()->name() == "pesummary2.icns" ? "summaryListView"
                                                                                              : "exceptionListView";
        std::string text;
        for (const std::string& line : control<TableView>(table).describeRows()) text += "  " + line + "\n";
        return text;
    }
};

TEST_F(PageExceptions, SubstitutionsAndInsertsAreCheckedStoredListedAndDeletedOneRowAtATime) {
    ASSERT_EQ(bridge().HandleJobFeatures(kFeaturePrintingMode, 2, {}, 0), 0) << "a two-sided job";
    const std::string before = handOut();
    std::string transcript = walk({
        {"type pageEditorField 3..5 7 20..30; end; select pageSetView 0; click selectAllPagesSetCheck; "
         "choose exceptionPaperCombo Letter_Red; click exceptionUpdateButton",
         {}},
        {"select pageSetView 2; click page1; choose exceptionPaperCombo Letter_Transparency; "
         "click exceptionUpdateButton",
         {}},
        {"click peInsert; select pageSetView 1; click page1; choose insertFinisherCombo 2; "
         "choose insertLocationMatrix 1; choose exceptionPaperCombo Letter_Insert; click exceptionUpdateButton",
         [&] {
             // The job punches; the finishing pane turned punching off for 3..5,
             // which the insert's Update leaves so.
             ASSERT_EQ(bridge().HandleJobFeatures(kFeaturePunchPattern, 64, {}, 0), 0);
             bridge().JSE_PageCollection_UpdatePunch(3, 5, kPePunch, 0);
         }},
        {"choose exceptionPaperCombo Tabloid; click exceptionUpdateButton", {}},
        {"choose insertLocationMatrix 0; choose insertFinisherCombo 0; choose exceptionPaperCombo Letter_Blue; "
         "click exceptionUpdateButton",
         {}},
    });
    transcript += "== ticket\n" + controller_test::Changes(before, handOut());
    transcript += walk({
        {"click peSummary",
         [&] { bridge().JSE_PageCollection_SetImageFeature(7, 7, kPeImageShift, 0, 1, 1, 36, 0, -36, 0); }},
        {"click peSubstitute; select exceptionListView 2; click exceptionDeleteButton", {}},
        {"click peSummary; select summaryListView 0; click summaryDeleteButton", {}},
        {"click peSubstitute", {}},
        {"click peSummary; click summaryDeleteAllButton", {}},
    });
    EXPECT_EQ(transcript, TestData("page_exceptions_walk.txt"));
    EXPECT_EQ(control<ComboBox>("exceptionPaperCombo").numberOfVisibleItems(), 10) << "35 papers";
}

TEST_F(PageExceptions, ValidationBoxStartsOnAndOffStoresUncheckedAfterOneWarning) {
    EXPECT_EQ(control<Button>("validationWarning").state(), 1);
    ASSERT_EQ(bridge().HandleJobFeatures(kFeaturePrintingMode, 2, {}, 0), 0);
    ASSERT_TRUE(run("type pageEditorField 4; end; click page1; choose exceptionPaperCombo Letter_Transparency; "
                    "click validationWarning; click exceptionUpdateButton; click validationWarning"))
        << user->lastError();
    EXPECT_EQ(alerts.messages().size(), 1u) << "the warning only";
    EXPECT_EQ(pe->PeValidation(), 1);
    EXPECT_EQ(bridge().JSE_PageCollection_GetSize(), 1) << "one-sided paper stored unchecked in a duplex job";
}

TEST_F(PageExceptions, UpdateFollowsTheTargetsAndStaysOnWhileTheAllSetsBoxIsOn) {
    const auto update = [&] { return control<Button>("exceptionUpdateButton").isEnabled(); };
    ASSERT_TRUE(run("type pageEditorField 1..3 5; end"));
    EXPECT_FALSE(update()) << "no page selected";
    ASSERT_TRUE(user->click("page1"));
    EXPECT_TRUE(update());
    ASSERT_TRUE(user->click("page1"));
    EXPECT_FALSE(update());
    ASSERT_TRUE(user->click("selectAllSetCheck"));
    ASSERT_TRUE(run("type pageEditorField 9; end"));
    EXPECT_TRUE(update()) << "a set added with the box on";
    ASSERT_TRUE(user->click("exceptionUpdateButton"));
    EXPECT_EQ(bridge().JSE_PageCollection_GetSize(), 3) << "every set";
}

TEST_F(PageExceptions, SettingsShowTheSubstitutionGroupAndACatalogFillsTheComboInKeyOrder) {
    ASSERT_TRUE(run("type pageEditorField 1..3; end; click peInsert"));
    NotificationCenter::Default().post("peSubstitutionController::applySettings", Dictionary{{"jobSetup", Dictionary()}});
    EXPECT_TRUE(pe->pageSets().empty());
    EXPECT_EQ(control<Button>("peSubstitute").image()->name(), "substitution2.icns");
    EXPECT_TRUE(control<ComboBox>("insertFinisherCombo").isHidden());
    pe->updatePEFeatures();
    EXPECT_EQ(GroupText((*pe->jobFeatureDictionary())["Substitution"].dictionary()), "  sets\n") << "group made";
    Dictionary catalog;
    for (const char* key : {"102", "100", "103", "101"}) {
        catalog.set(key, Dictionary{{"Name", std::string("Paper ") + key}, {"Size", "A4"}, {"Color", "blue"},
                                    {"Weight", "90"}, {"Type", "plain"}, {"Mode", key[2] == '1' ? "1" : "7"},
                                    {"Precollated", "1"}, {"Punchable", "0"}});
    }
    NotificationCenter::Default().post("peController::catalogUpdate", catalog);
    ComboBox& papers = control<ComboBox>("exceptionPaperCombo");
    EXPECT_EQ(papers.items(), (std::vector<std::string>{"Paper 100", "Paper 101", "Paper 102", "Paper 103"}));
    EXPECT_EQ(papers.numberOfVisibleItems(), 4);
    ASSERT_TRUE(run("choose exceptionPaperCombo 1"));
    EXPECT_EQ(control<TextField>("paperAttribute").stringValue(),
              "A4, blue, 90 g/m\u00b2, plain, 1-sided, Precollated: Yes, Punchable: No");
}

TEST_F(PageExceptions, DeletesTakeExactlyTheEntryOrFeatureOfEachSelectedRow) {
    ASSERT_TRUE(run("type pageEditorField 1 3 5 7; end; click selectAllSetCheck; choose exceptionPaperCombo A4; "
                    "click exceptionUpdateButton; click peSummary; select summaryListView 1,3; click summaryDeleteButton"));
    EXPECT_EQ(Collection(bridge()), " 1:232=0,237=0, 5:232=0,237=0,");
    EXPECT_EQ(control<TableView>("summaryListView").selectedRowIndexes(), std::set<int>{0});
    ASSERT_TRUE(run("select summaryListView 1; click summaryDeleteButton"));
    EXPECT_EQ(Collection(bridge()), " 1:232=0,237=0,") << "the row that moved up names its entry";
    // A substitution over the head of a subset is an entry of its own, and
    // its row's Delete leaves the subset whole.
    bridge().JSE_SetPageProperty(10, 20, 1, "", kPeFinishingSubset, 3);
    bridge().JSE_SetPageFeature(10, 20, kPeFinishingSubset, 3);
    bridge().JSE_PageCollection_AddPageFeature(1, kPeSubsetOutput, 3);
    ASSERT_EQ(pe->ValidationOnExceptions(8, 12, kPePaperSubstitution, "A4", 0, 1), 0);
    ASSERT_TRUE(run("click peSubstitute; select exceptionListView 1; click exceptionDeleteButton"));
    EXPECT_EQ(Collection(bridge()), " 1:232=0,237=0, 10..20:238=3,224=3,237=0,");
    ASSERT_TRUE(run("select exceptionListView 0; click exceptionDeleteButton"));
    EXPECT_FALSE(control<Button>("exceptionDeleteButton").isEnabled());
}

// A Delete is judged as the change that leaves the pages the same: the
// job's print mode under a back side kept, or on a one-sided paper of a
// duplex job; the job's one-sided paper back under duplex. A refused row
// stays with its entry and one alert; what the pages can do without goes.
TEST_F(PageExceptions, DeletesAreRefusedWhenTheRestOfThePagesNeedsWhatTheyTakeAway) {
    const std::string layout = "type pageEditorField 3..5; end; select pageSetView 0; click selectAllPagesSetCheck; "
                               "click peLayout; ";
    const std::string duplex = "click jobsetupButton; click duplexLongEdge; click pagefeatureButton; ";
    const std::string onTransparency = "click jobsetupButton; click bodyPaperButton; select paperTableView 9; "
                                       "click pagefeatureButton; ";
    const struct {
        std::string commands;
        const char* left;
    } cases[] = {
        {layout + "click duplexLongEdgeButton; click backSideButton; click layoutUpdateButton; click peSummary; "
                  "select summaryListView 0; click summaryDeleteButton",
         " 3..5:235=2, 3..5:236=2, alert"},
        {layout + "click duplexLongEdgeButton; click backSideButton; click layoutUpdateButton; click peSummary; "
                  "select summaryListView 0,1; click summaryDeleteButton",
         ""},
        {duplex + "type pageEditorField 4; end; select pageSetView 0; click page1; click peLayout; click simplexButton; "
                  "click layoutUpdateButton; click peSubstitute; choose exceptionPaperCombo Letter_Transparency; "
                  "click exceptionUpdateButton; click peSummary; select summaryListView 1; click summaryDeleteButton",
         " 4:232=0,237=0, 4:235=1,237=0, alert"},
        {onTransparency + "type pageEditorField 3..5; end; select pageSetView 0; click selectAllPagesSetCheck; "
                          "choose exceptionPaperCombo Letter; click exceptionUpdateButton; click peLayout; "
                          "click duplexLongEdgeButton; click layoutUpdateButton; click peSubstitute; "
                          "select exceptionListView 0; click exceptionDeleteButton; click peSummary; "
                          "select summaryListView 1; click summaryDeleteButton",
         " 3..5:235=2, 3..5:232=0,237=0, alert alert"},
        {onTransparency + "type pageEditorField 3..5; end; select pageSetView 0; click selectAllPagesSetCheck; "
                          "choose exceptionPaperCombo Letter; click exceptionUpdateButton; click peSummary; "
                          "select summaryListView 0; click summaryDeleteButton",
         ""},
    };
    for (const auto& [commands, left] : cases) {
        SCOPED_TRACE(commands);
        open();
        const std::size_t shown = alerts.messages().size();
        ASSERT_TRUE(run(commands)) << user->lastError();
        std::string result = Collection(bridge());
        for (std::size_t i = shown; i < alerts.messages().size(); ++i)
            if (alerts.messages()[i].starts_with("These pages cannot print on two sides")) result += " alert";
        EXPECT_EQ(result, left);
    }
}

// Update over many target ranges, against the road that checks, stores and
// punches each range and reloads the validator's list after every change:
// seeded jobs with a duplex range, subsets or a substitution around the
// set, and a substitution or insert on its odd, even or all pages.
TEST_F(PageExceptions, UpdateOverManyRangesLeavesWhatCheckingAndStoringEachRangeInTurnLeaves) {
    const char* before[] = {"type pageEditorField 1..60; end; click selectAllPagesSetCheck; click peLayout; "
                            "click duplexLongEdgeButton; click layoutUpdateButton; click deletePageRange",
                            "type pageEditorField 5..40; end; click selectAllPagesSetCheck; click peSubset; "
                            "click subsetButton; click StaplerButton; click subsetUpdateButton; click deletePageRange",
                            "type pageEditorField 2..50; end; click selectAllPagesSetCheck; click peSubstitute; "
                            "choose exceptionPaperCombo Legal; click exceptionUpdateButton; click deletePageRange"};
    const char* targets[] = {"click selectOddPageCheck", "click selectEvenPageCheck", "click selectAllPagesSetCheck"};
    for (unsigned seed = 1; seed <= 6; ++seed) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        std::mt19937 random(seed);
        std::string job = "click peSubstitute";
        for (const char* step : before)
            if (random() % 2) job += std::string("; ") + step;
        job += "; type pageEditorField 1.." + std::to_string(20 + random() % 40) + "; end; select pageSetView 0; " +
               targets[random() % 3] + (random() % 2 ? "; click peInsert" : "; click peSubstitute") +
               "; choose exceptionPaperCombo Letter_Blue";
        ASSERT_TRUE(run(job)) << user->lastError();
        ASSERT_TRUE(run("click exceptionUpdateButton"));
        const std::string collection = Collection(bridge()), ticket = handOut();
        open();
        ASSERT_TRUE(run(job)) << user->lastError();
        const bool insert = control<Button>("peInsert").image()->name() == "insert2.icns";
        const bool before = control<Button>("insertBeforeButton").state() == 1;
        const int code = !insert ? kPePaperSubstitution : before ? kPeInsertBefore : kPeInsertAfter;
        for (const PageRange& range : pe->collectTargetRanges()) {
            if (pe->ValidationOnExceptions(range.start, range.end, code, "Letter_Blue", insert ? 255 : 0, 1) != 0 ||
                pe->ValidationOnExceptions(range.start, range.end, kPePunch, "Letter_Blue", 0, 1) != 0)
                break;
        }
        NotificationCenter::Default().post("finishingController::exceptionUpdate");
        EXPECT_EQ(Collection(bridge()), collection);
        EXPECT_EQ(handOut(), ticket);
        open();
    }
}

// A template saved with page sets, substitutions, inserts and a whole
// subset, loaded into a fresh dialog: the sets, both tables and the ticket
// are what they were.
TEST_F(PageExceptions, TemplateBringsBackTheSetsTheTablesAndTheTicket) {
    ASSERT_TRUE(run("type pageEditorField 3..5 7 20..30; end; select pageSetView 0; click selectAllPagesSetCheck; "
                    "choose exceptionPaperCombo Letter_Red; click exceptionUpdateButton; click peInsert; "
                    "select pageSetView 1; click page1; choose insertFinisherCombo 2; choose insertLocationMatrix 1; "
                    "choose exceptionPaperCombo Letter_Insert; click exceptionUpdateButton"));
    // A stapler subset, stapled, trimmed and folded, as the subset group
    // stores it (the booklet maker needs a job printed on both sides).
    bridge().JSE_SetPageProperty(20, 30, 1, "Letter_Heavy", kPeFinishingSubset, 2);
    bridge().JSE_SetPageFeature(20, 30, kPeFinishingSubset, 2);
    int subset = -1;
    bridge().JSE_PageCollection_FindPageFeatureByPageNumbers(20, 30, kPeFinishingSubset, subset);
    for (const auto& [code, value] : {std::pair{224, 2}, {225, 4}, {239, 10}, {117, 9}})
        bridge().JSE_PageCollection_AddPageFeature(subset, code, value);
    NotificationCenter::Default().post("finishingController::exceptionUpdate");
    const auto picture = [&] {
        std::string text = Collection(bridge());
        for (const char* table : {"exceptionListView", "summaryListView"}) {
            EXPECT_TRUE(run(table[0] == 'e' ? "click peSubstitute" : "click peSummary"));
            for (const std::string& line : control<TableView>(table).describeRows()) text += "\n" + line;
        }
        for (const PageRange& set : pe->pageSets()) text += "\nset " + PagesCell(set);
        return text + "\n" + handOut();
    };
    const std::string saved = picture();
    filter_test::TempDir folder;
    ASSERT_TRUE(WritePropertyListFile(folder.file("pages.plist"), *pe->jobFeatureDictionary()));
    open();
    NotificationCenter::Default().post("zqController::LoadSettings", folder.file("pages.plist"));
    EXPECT_EQ(picture(), saved);
}

// Every message the page-exception checks answer with has its text in the
// dialog's strings table.
TEST(PageExceptionLabels, EveryCheckMessageHasItsText) {
    const Bundle bundle = Bundle::Open(kBundleDir);
    std::ifstream messages(LUMAPREX_SOURCE_DIR "/data/src/PageExceptionMessages.txt");
    const std::regex line(R"re(message (\d+) "(.*)")re");
    int count = 0;
    for (std::string text; std::getline(messages, text);) {
        std::smatch m;
        if (!std::regex_match(text, m, line)) continue;
        SCOPED_TRACE(text);
        EXPECT_EQ(getNSStringWithID(bundle, std::stoi(m[1]), kUnstrippedLabels), m[2].str());
        ++count;
    }
    EXPECT_EQ(count, 20);
    Bundle::ForgetAll();
}

}  // namespace

// The template and summary pane in the main pane, worked as a user would:
// the summary list row by row, the template list with its save, open,
// apply, delete and factory-reset actions, and the about and licence tabs;
// then templates through the real bridge: choices made on every tab that
// has its pane come back after a factory reset, and templates of the earlier release and
// unreadable ones are applied or refused as a whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>

#include "OpenPanel.h"
#include "PropertyList.h"
#include "SavePanel.h"
#include "TemplateFileSize.h"
#include "TemplateController/templateController.h"
#include "UserDriver.h"
#include "controller_support.h"
#include "filter_test_support.h"
#include "pde_test_support.h"

using namespace platform;
using namespace pde_test;

namespace {

const std::string kBusyJob = LUMAPREX_TEST_DATA "/pde/busy_job_template.plist";

std::string PdeFixture(const std::string& name) { return filter_test::readFile(LUMAPREX_TEST_DATA "/pde/" + name); }

// The value of the summary row with that title.
std::string SummaryValue(const std::vector<templateController::SummaryRow>& rows, std::string_view title) {
    for (const auto& [rowTitle, value] : rows)
        if (rowTitle == title) return value;
    return "no row";
}

// Every leaf of a dictionary by its path, whatever the order of its keys.
std::map<std::string, std::string> Leaves(const Value& value, const std::string& path = "") {
    std::map<std::string, std::string> leaves;
    if (value.isDictionary())
        for (const auto& [key, item] : value.dictionary()) leaves.merge(Leaves(item, path + "/" + key));
    else if (value.isArray())
        for (std::size_t i = 0; i < value.array().size(); ++i)
            leaves.merge(Leaves(value.array()[i], path + "/" + std::to_string(i)));
    else
        leaves[path] = value.text();
    return leaves;
}

// The ticket's line of that keyword ("%VLXCovers: ").
std::string TicketLine(const std::string& ticket, std::string_view keyword) {
    const std::size_t start = ticket.find(keyword);
    return start == std::string::npos ? "none" : ticket.substr(start, ticket.find("\r\n", start) - start);
}
std::string CoverLine(const std::string& ticket) { return TicketLine(ticket, "%VLXCovers: "); }

// The shown main pane with its template pane; templates are saved in a
// folder of the test's own.
class TemplatePane : public MainPaneTest {
protected:
    void SetUp() override {
        MainPaneTest::SetUp();
        SetSaveFolder(folder.path());
        setUpHost();
        show();
    }
    virtual void setUpHost() {}
    void TearDown() override {
        SetSaveFolder("");
        MainPaneTest::TearDown();
    }

    templateController& templates() const {
        return *dynamic_cast<templateController*>(pane->loadedInterface()->object("templateController"));
    }
    // The view of the outlet, searched within the named view when the
    // page-exception tab has an outlet of the same name.
    template <class T>
    T& view(std::string_view outlet, std::string_view within = "") const {
        View* scope = within.empty() ? pane->panelView() : pane->panelView()->findView(within);
        return *dynamic_cast<T*>(scope->findView(outlet));
    }
    // The summary as the user sees it.
    std::string summary() const { return view<TableView>("summaryListView", "templateTabView").describe() + "\n"; }
    // The summary's rows, one a line.
    std::string rows() const {
        std::string text;
        for (const auto& [title, value] : templates().summaryList()) text += title + " | " + value + "\n";
        return text;
    }
    // The user's commands, each of which must be done; "save NAME" and
    // "open PATH" are the user's answers to the next save or open panel.
    void run(std::initializer_list<std::string_view> commands) {
        run(std::vector<std::string>(commands.begin(), commands.end()));
    }
    void run(const std::vector<std::string>& commands) {
        UserDriver user(*pane->panelView());
        for (std::string_view command : commands) {
            if (command.starts_with("save ")) savePanels.queueName(std::string(command.substr(5)));
            else if (command.starts_with("open ")) openPanels.queueChoice(std::string(command.substr(5)));
            else ASSERT_TRUE(user.perform(command)) << command << ": " << user.lastError();
        }
    }
    // The template buttons that can be clicked.
    std::string enabled() const {
        std::string names;
        for (const char* name : {"applytemplate", "deleteTemplate", "deleteAllTemplate"})
            if (view<Button>(name).isEnabled()) names += std::string(names.empty() ? "" : " ") + name;
        return names;
    }
    static void broadcast(const Dictionary& features) {
        NotificationCenter::Default().post(kTemplateSettingsNotification, features);
    }

    filter_test::TempDir folder;
    OpenPanelRecorder openPanels;
    SavePanelRecorder savePanels;
};

TEST_F(TemplatePane, SummaryShowsEveryChoiceOfABusyJobRowByRow) {
    broadcast(ReadDictionaryFile(kBusyJob));
    run({"click summaryButton", "tab templateTabView 1"});
    EXPECT_EQ(summary(), PdeFixture("summary_busy_job.txt"));
}

// The busy job is interleaved, so it prints no cover; the cases on cover
// punching start from the same job printed duplex.
TEST_F(TemplatePane, SummaryRowsFollowTheSettingsTheyDependOn) {
    const struct {
        const char* group;
        const char* key;
        Value value;  // None removes the key
        const char* changes;
        bool coversPrinted = false;
    } cases[] = {
        {"jobSetup", "printingMode", "5", "-    Print mode | Interleave, blank\n+    Print mode | Interleave, pre-printed\n"},
        {"jobSetup", "printingMode", Value(), "-    Print mode | Interleave, blank\n-    Interleave | Body paper\n"
                                              "-    Front cover - Cover mode | None\n-    Back cover - Cover mode | None\n"
                                              "-    Punch the front cover | No\n+    Print mode | Duplex, long edge\n"
                                              "+    Front cover - Cover mode | Both\n"
                                              "+    Back cover - Cover mode | Pre-printed\n+    Punch the front cover | Yes\n"},
        {"jobSetup", "printingMode", "6", "-    Print mode | Interleave, blank\n-    Interleave | Body paper\n"
                                          "-    Front cover - Cover mode | None\n-    Back cover - Cover mode | None\n"
                                          "-    Punch the front cover | No\n+    Print mode | Pamphlet \n"
                                          "+    Front cover - Cover mode | Both\n"
                                          "+    Back cover - Cover mode | Pre-printed\n+    Punch the front cover | Yes\n"},
        {"finisher", "defaultPunchPattern", "64", "-    ID | Custom 7\n+    ID | 2 holes, wide spacing\n"},
        {"finisher", "defaultPunchPattern", "255", "-    ID | Custom 7\n+    ID | Custom\n"},
        {"finisher", "defaultPunchPattern", "1000", "-    ID | Custom 7\n+    ID | 2 holes\n"},
        {"finisher", "punchJob", "0", "-    Punch | Yes\n-    ID | Custom 7\n-    Punch the front cover | Yes\n"
                                      "-    Punch the selected pages | Yes\n+    Punch | No\n+    ID | None\n"
                                      "+    Punch the front cover | No\n+    Punch the selected pages | No\n", true},
        {"finisher", "punchFrontCover", Value(), "-    Punch the front cover | Yes\n+    Punch the front cover | No\n", true},
        {"jobSetup", "punchBackCover", "1", "", true},  // the finishing pane's copy comes first
        {"jobSetup", "frontCoverMode", "1", "-    Front cover - Cover mode | Both\n-    Punch the front cover | Yes\n"
                                            "+    Front cover - Cover mode | None\n+    Punch the front cover | No\n", true},
        {"finisher", "staplerPosition", "9", "-    Staple position | Both\n+    Staple position | \n"},
        {"image", "imageAlign", "0", "-Image Alignment | \n-    Side 1 - X | 0.25\n-    Side 1 - Y | -0.10\n"
                                    "-    Side 2 - X | -0.25\n-    Side 2 - Y | 0.10\n+Image Alignment | No\n"},
        {"image", "edgeErase", "2", "-    Side 1 - Top | 0.20\n-    Side 1 - Left | 0.30\n-    Side 1 - Bottom | 0.40\n"
                                    "-    Side 1 - Right | 0.50\n-    Side 2 - Top | 0.60\n-    Side 2 - Left | 0.70\n"
                                    "-    Side 2 - Bottom | 0.80\n-    Side 2 - Right | 0.90\n"},
        {"custom", "fieldFlag", "1", "-    Command file: | Yes\n-    Place the command | Before the job ticket\n"
                                     "+    Command file: | No\n"},
        {"custom", "fieldFlag", "4", "-    Command text: | No\n+    Command text: | Yes\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.group << " " << c.key);
        Dictionary features = ReadDictionaryFile(kBusyJob);
        if (c.coversPrinted) features["jobSetup"].dictionary().set("printingMode", "2");
        broadcast(features);
        const std::string before = rows();
        features[c.group].dictionary().set(c.key, c.value);
        broadcast(features);
        EXPECT_EQ(controller_test::Changes(before, rows()), c.changes);
    }
}

TEST_F(TemplatePane, SummaryColumnsFitTheirTextsAndTheValueColumnNeverNarrows) {
    const auto widths = [this] {
        const TableView& table = view<TableView>("summaryListView", "templateTabView");
        return std::to_string(int(table.tableColumns()[0].width)) + " " + std::to_string(int(table.tableColumns()[1].width));
    };
    broadcast(ReadDictionaryFile(kBusyJob));
    EXPECT_EQ(widths(), "368 798") << "'    Long-edge fold (narrow booklet)', the image shift of pages 25..99999 + 30";
    broadcast(Dictionary());
    EXPECT_EQ(widths(), "368 798");
}

TEST_F(TemplatePane, TemplateListKeepsEachPathOnceAndNeverTouchesTheFiles) {
    const Dictionary busy = ReadDictionaryFile(kBusyJob);
    broadcast(busy);
    const std::string saved = folder.file("Untitled");
    const std::string other = folder.file("other.plist");
    filter_test::writeFile(other, "not a template");
    EXPECT_EQ(enabled(), "");
    const struct {
        std::vector<std::string> commands;
        std::vector<std::string> listed;
        const char* enabled;
    } steps[] = {
        {{"click savetemplate"}, {}, ""},  // the panel is cancelled
        {{"save " + folder.path(), "click savetemplate"}, {saved}, "applytemplate deleteTemplate deleteAllTemplate"},
        {{"save " + folder.path(), "click savetemplate"}, {saved}, "applytemplate deleteTemplate deleteAllTemplate"},
        {{"open " + other, "click opentemplate"}, {saved, other}, "applytemplate deleteTemplate deleteAllTemplate"},
        {{"select templateListView 0", "click deleteTemplate"}, {other}, "applytemplate deleteTemplate"},
        {{"open " + saved, "click opentemplate"}, {other, saved}, "applytemplate deleteTemplate deleteAllTemplate"},
        {{"click deleteAllTemplate"}, {}, ""},
        {{"save gone/x", "click savetemplate", "click opentemplate"}, {}, ""},
    };
    run({"click summaryButton"});
    for (const auto& step : steps) {
        SCOPED_TRACE(step.commands.back() + " after " + step.commands.front());
        for (const std::string& command : step.commands) run({command});
        EXPECT_EQ(templates().templates(), step.listed);
        EXPECT_EQ(enabled(), step.enabled);
    }
    ASSERT_EQ(savePanels.requests().size(), 4u);
    for (const SavePanelRequest& request : savePanels.requests()) EXPECT_EQ(request.proposedName, "Untitled");
    EXPECT_EQ(ReadDictionaryFile(saved), busy) << "an XML property list of the whole dictionary";
    EXPECT_EQ(filter_test::readFile(other), "not a template");
    EXPECT_TRUE(alerts.alerts().empty());
}

// A template the bridge would not apply is not written either: one that
// cannot be written, or one larger than a template may be.
TEST_F(TemplatePane, TemplateThatCannotBeWrittenIsShownAndNotListed) {
    Dictionary deep;
    for (int depth = 0; depth <= kMaxPropertyListDepth; ++depth) deep = Dictionary{{"group", deep}};
    const struct {
        const char* name;
        Dictionary job;
        std::string alert;
    } cases[] = {
        {"nested too deeply", deep, "\" could not be written. Choose another name or folder and save it again."},
        {"larger than a template may be",
         Dictionary{{"custom", Dictionary{{"command", std::string(kMaxTemplateFileSize, 'x')}}}},
         "\" was not saved: it holds more page exceptions than a template can keep."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        AlertRecorder shown;
        broadcast(c.job);
        run({"click summaryButton", "save weekly", "click savetemplate"});
        EXPECT_EQ(shown.messages(), std::vector<std::string>{"The template \"" + folder.file("weekly") + c.alert});
        EXPECT_TRUE(templates().templates().empty());
        EXPECT_FALSE(std::filesystem::exists(folder.file("weekly")));
    }
}

TEST_F(TemplatePane, ApplyAndFactoryResetGoToTheBridgeOnlyWhenTheUserAsks) {
    NotificationRecorder loads("zqController::LoadSettings");
    NotificationRecorder resets("zqController::FactoryReset");
    const std::string file = folder.file("weekly.plist");
    WritePropertyListFile(file, ReadDictionaryFile(kBusyJob));
    alerts.queueAnswer(AlertAnswer::Alternate);
    run({"click summaryButton", "click resetFactory", "open " + file, "click opentemplate", "click applytemplate"});
    EXPECT_TRUE(resets.objects().empty()) << "the alternate button posts nothing";
    EXPECT_EQ(loads.objects(), std::vector<Value>{Value(file)});
    run({"click resetFactory"});
    EXPECT_EQ(resets.objects().size(), 1u);
    for (const Alert& reset : {alerts.alerts().front(), alerts.alerts().back()}) {
        EXPECT_EQ(reset.message + "|" + reset.defaultButton + "|" + reset.alternateButton + "|" + reset.title,
                  "Set every option back to its factory default?|OK|Cancel|");
        EXPECT_TRUE(reset.informational);
    }
}

TEST_F(TemplatePane, AboutAndLicenceTabsShowTheBundlesTexts) {
    run({"click summaryButton", "tab templateTabView 2", "click aboutButton"});
    EXPECT_EQ(DrawAsText(*pane->panelView()->findView("zqTabView")), PdeFixture("about_tab_shown.txt"));
    run({"click licenseButton"});
    EXPECT_EQ(pane->tabView()->indexOfSelectedTabViewItem(), 8);
    EXPECT_EQ(view<TextView>("licenseView").string(),
              filter_test::readFile(kBundleDir + "/Resources/English.lproj/License.txt"));
}

// The main pane as it shows every tab the user can set, the summary, the
// template pane's dictionary and the ticket the bridge hands out.
class TemplateRoundTrip : public TemplatePane {
protected:
    // The showing starts from the factory settings: one copy, portrait.
    void setUpHost() override {
        host.settings->values.set("com.apple.print.PrintSettings.PMCopies", 1);
        host.format->orientation = PMOrientation::Portrait;
    }
    // The summary, the template pane's dictionary and the ticket.
    std::string settings() {
        const std::optional<std::string> features = PropertyListText(*templates().jobFeatureDictionary());
        return rows() + features.value_or("no dictionary") + controller_test::HandOut(*pane->bridge());
    }
    // The same and every tab that has a pane.
    std::string everything() {
        std::string text;
        for (const char* tab : {"jobsetupButton", "finisherButton", "notificationButtom", "customoptionButton",
                                "imageoptionButton"}) {
            run({std::string("click ") + tab});
            text += DrawAsText(*pane->tabView());
        }
        return text + settings();
    }
};

// A choice on every tab that has its pane.
const std::initializer_list<std::string_view> kWeeklyJob = {
    "click jobsetupButton", "click duplexLongEdge", "click proofSet", "click setSeparatorCheckBox",
    "click separatorPaperButton", "select paperTableView 7", "click bodyPaperButton", "select paperTableView 18",
    "click finisherButton", "click staplerExit", "click stapleBoth", "click offsetStack", "click punchCheck",
    "select punchIDListView 3", "click lastPageFirst",
    "click notificationButtom", "click statusOnError", "select statusPaperListView 2",
    "type eMailEditField ops@example.com", "type operatorEditField Blue stock", "end",
    "click customoptionButton", "click storeButton", "type storeEditText Weekly", "click specificPrinterButton",
    "type specificPrinterEditText Q2", "end",
    "click imageoptionButton", "click imageRotation90", "click gretButton", "click edgeEraseButton",
    "type eaSide1TopEditText 0.50", "end", "type halftoneAngleEditText 75", "end"};

TEST_F(TemplateRoundTrip, TemplateBringsBackEveryPaneTheSummaryAndTheTicketAfterAFactoryReset) {
    const std::string factory = settings();
    run(kWeeklyJob);
    const std::string chosen = everything();

    run({"click summaryButton", "save weekly", "click savetemplate", "click resetFactory"});
    EXPECT_EQ(rows(), PdeFixture("summary_factory_defaults.txt"));
    EXPECT_EQ(settings(), factory);

    run({"click summaryButton", "select templateListView 0", "click applytemplate"});
    EXPECT_EQ(everything(), chosen);
    EXPECT_EQ(ReadDictionaryFile(folder.file("weekly")), *templates().jobFeatureDictionary());
}

// A cover on paper that can be punched and on paper that cannot, walked
// through punching turned on, another pattern, a click on the cover's box,
// another pattern, the box again and the job saved and applied after a
// factory reset: after every step the box, the summary row and the ticket's
// cover line say the same, and paper that cannot be punched is never punched.
TEST_F(TemplateRoundTrip, CoverBoxSummaryAndTicketAgreeOnEveryStepAndSpareUnpunchablePaper) {
    const struct {
        const char *paperKind, *box, *summaryTitle;
    } covers[] = {{"click frontCoverPaperButton", "punchFrontCover", "    Punch the front cover"},
                  {"click backCoverPaperButton", "punchBackCover", "    Punch the back cover"}};
    const std::pair<const char*, int> papers[] = {{"Letter_Red", 5}, {"Letter_Cover", 3}};  // rows after the body's
    const std::pair<const char*, std::vector<std::string>> steps[] = {
        {"punching off", {}},
        {"punching on", {"click finisherButton", "click punchCheck"}},
        {"another pattern", {"select punchIDListView 5"}},
        {"box clicked", {"click BOX"}},
        {"another pattern again", {"select punchIDListView 3"}},
        {"box clicked again", {"click BOX"}},
        {"template applied", {"click summaryButton", "save covers", "click savetemplate", "click resetFactory",
                              "select templateListView 0", "click applytemplate"}},
    };
    std::string report;
    for (const auto& cover : covers) {
        for (const auto& [paper, row] : papers) {
            SCOPED_TRACE(std::string(cover.box) + " on " + paper);
            show();
            run({"click jobsetupButton", cover.paperKind, "click coverPaperFrontButton",
                 "select paperTableView " + std::to_string(row)});
            report += std::string(cover.box) + " on " + paper + "\n";
            for (const auto& [step, commands] : steps) {
                SCOPED_TRACE(step);
                const std::size_t seen = alerts.alerts().size();
                for (const std::string& command : commands)
                    run({command == "click BOX" ? "click " + std::string(cover.box) : command});
                const bool box = view<Button>(cover.box).state() == 1;
                const std::string summary = SummaryValue(templates().summaryList(), cover.summaryTitle);
                const std::string ticket = controller_test::HandOut(*pane->bridge());
                const bool punched = ticket.find("%VLXReqPunch: 0\r\n") == std::string::npos &&
                                     CoverLine(ticket).find("punch(none)") == std::string::npos;
                EXPECT_EQ(summary, box ? "Yes" : "No");
                EXPECT_EQ(punched, box) << CoverLine(ticket);
                EXPECT_FALSE(punched && paper == std::string("Letter_Cover")) << "paper that cannot be punched";
                report += Format("  %-22s [%s] %-3s %s", step, box ? "x" : " ", summary.c_str(),
                                 CoverLine(ticket).c_str());
                for (std::size_t i = seen; i < alerts.alerts().size(); ++i)
                    report += " \"" + alerts.alerts()[i].message + "\"";
                report += "\n";
            }
        }
    }
    EXPECT_EQ(report, PdeFixture("cover_punch_steps.txt"));
}

// A template edited by hand: a value out of range, a negative one, one that
// is no text or no number, a paper the catalog lacks, a text its field would
// not take, each in each group (for the page features, in one entry or a
// whole entry the pane could not make). The ticket and the panes' dictionary
// are those of the template without that key (or entry), and the user hears
// that the template was not applied completely. A command longer than its
// field applies cut, as typing cuts it, and a distance at two decimals, its
// reach checked so, as editing holds it. The copies stay the application's,
// as the print road hands them over.
TEST_F(TemplateRoundTrip, EditedValueThatThePanesCouldNotSetIsLeftOutAndSaidSo) {
    run(kWeeklyJob);
    run({"click imageoptionButton", "click imageAlignButton", "type iaSide1XEditText 0.25", "end",
         "click pagefeatureButton", "type pageEditorField 5..8", "end", "select pageSetView 0",
         "click selectAllPagesSetCheck", "choose exceptionPaperCombo A4_Blue", "click exceptionUpdateButton",
         "click summaryButton", "save weekly", "click savetemplate"});
    const Dictionary saved = ReadDictionaryFile(folder.file("weekly"));
    ASSERT_EQ(saved["Substitution"]["pageFeatures"].array().size(), 1u);
    const auto apply = [this](const Dictionary& file, const std::string& name) {
        WritePropertyListFile(folder.file(name), file);
        run({"open " + folder.file(name), "click opentemplate"});
        const auto& listed = templates().templates();
        const auto row = std::find(listed.begin(), listed.end(), folder.file(name)) - listed.begin();
        run({"select templateListView " + std::to_string(row), "click applytemplate"});
        return controller_test::HandOut(*pane->bridge());
    };
    const std::string kApplied = "The template has been applied.", kIncomplete =
        "The template could not be applied completely: some of its settings are missing or cannot be used here.";
    apply(saved, "whole");
    ASSERT_EQ(alerts.messages().back(), kApplied);
    const std::string tooLong(40, 'p');
    // A command longer than its field is cut as typing cuts it, on a whole
    // character: 253 bytes here, where the field holds 254.
    std::string longCommand = "%", cutCommand;
    for (int i = 0; i < 300; ++i) longCommand += "\u00fc";
    cutCommand = longCommand.substr(0, 253);
    const auto entry = [](const char* code, const char* value, std::vector<std::pair<const char*, const char*>> more) {
        Dictionary e{{"startPage", "2"}, {"endPage", "3"}, {"featureType", code}, {"featureValue", value},
                     {"propertyValue", ""}};
        for (const auto& [key, text] : more) e.set(key, text);
        return e;
    };
    const struct {
        const char* group;
        const char* key;  // "" in "Substitution": the value is the whole entry
        Value value;
        int entry;  // of "pageFeatures", or -1 for a key of the group
        bool complete = false;
        std::optional<Value> as = {};  // applied as this value, not left out
        bool millimetres = false;      // the image values' unit
    } cases[] = {
        {"jobSetup", "copyCount", "5", -1, true},
        {"jobSetup", "title", "Alpha", -1, true},         {"jobSetup", "orientation", "2", -1, true},
        {"image", "imageAlignFrontX", "0.81", -1, true, "0.81"},
        {"image", "imageAlignFrontY", "-20.57", -1, true, "-20.57", true},
        {"image", "imageAlignFrontX", "0.82", -1},        {"image", "imageAlignFrontX", "20.58", -1, false, {}, true},
        {"image", "frontEraseTopSide", "1.01", -1},
        {"image", "imageAlignBackY", "nan", -1},          {"image", "frontEraseLeftSide", "inf", -1},
        {"image", "backEraseTopSide", "abc", -1},         {"custom", "command", longCommand, -1, true, cutCommand},
        {"image", "frontEraseTopSide", "0,5", -1},        {"image", "imageAlignFrontX", "0.25abc", -1},
        {"image", "imageAlignFrontY", " 0.25", -1},       {"image", "frontEraseTopSide", "-0.00", -1, true, "0.00"},
        {"image", "imageAlignFrontX", "+0.50", -1},       {"image", "imageAlignFrontX", "5e-1", -1},
        {"image", "frontEraseTopSide", "1.004", -1, true, "1.00"}, {"image", "frontEraseTopSide", "0.995", -1, true, "1.00"},
        {"image", "frontEraseTopSide", "1" + std::string(39, '0'), -1},
        {"Substitution", "", entry("302", "0", {{"x1", "36,5"}}), 0}, {"Substitution", "", entry("302", "0", {{"y1", "36,5"}}), 0},
        {"Substitution", "", entry("302", "0", {{"x2", "36,5"}}), 0}, {"Substitution", "", entry("302", "0", {{"y2", "36,5"}}), 0},
        {"Substitution", "", entry("235", "77", {}), 0},  {"Substitution", "", entry("301", "9", {}), 0},
        {"Substitution", "", entry("300", "5", {}), 0},   {"Substitution", "", entry("224", "9", {}), 0},
        {"Substitution", "", entry("224", "2", {{"stapleType", "225"}, {"staplePosition", "9"}}), 0},
        {"Substitution", "", entry("233", "0", {}), 0},   {"Substitution", "", entry("234", "4", {}), 0},
        {"Substitution", "", entry("234", "-1", {}), 0},  {"Substitution", "", entry("301", "2", {}), 0},
        {"Substitution", "", entry("224", "4", {{"subsetTrim", "12"}}), 0},
        {"Substitution", "", entry("224", "2", {{"subsetOffsetStack", "8"}}), 0},
        {"Substitution", "", entry("224", "4", {{"subsetFold", "7"}}), 0},
        {"jobSetup", "copyCount", "100000", -1},          {"jobSetup", "frontCoverMode", "-2", -1},
        {"jobSetup", "printingMode", Value(2), -1},        {"jobSetup", "bodyPaper", "Letter_Gold", -1},
        {"finisher", "staplerPosition", "9", -1},          {"finisher", "punchJob", "-1", -1},
        {"finisher", "jobExit", Array{"2"}, -1},           {"custom", "fieldFlag", "7", -1},
        {"custom", "insertPosition", "-1", -1},            {"custom", "saveAs", Dictionary{}, -1},
        {"custom", "saveAsFileNameText", "weekly/report", -1}, {"custom", "specificPrinterNameText", tooLong, -1},
        {"image", "imageAlignFrontX", "0.9", -1},          {"image", "halftoneAngle", "-45", -1},
        {"image", "edgeEraseUnit", Value(1.0), -1},        {"notification", "statusMode", "5", -1},
        {"notification", "statusMode", "-1", -1},          {"notification", "eMailAddressText", Value(7), -1},
        {"notification", "statusPaper", "Letter_Gold", -1}, {"notification", "eMailAddressText", "b\u00fcro@x.org", -1},
        {"notification", "operatorMessageText", "Rush\r\n%VLXPrintMethod: store(x)", -1},
        {"Substitution", "startPage", "100000", 0},        {"Substitution", "endPage", "-3", 0},
        {"Substitution", "featureType", Array{"232"}, 0},  {"Substitution", "propertyValue", "Letter_Gold", 0},
        {"image", "edgeErase", "2", -1},                   {"image", "imageAlign", "yes", -1},
        {"custom", "saveAs", "2", -1},                     {"custom", "createTIFF", "-1", -1},
        {"jobSetup", "collate", "2", -1},                  {"finisher", "offsetStack", "255", -1},
    };
    int files = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.group << " " << c.key << " = " << c.value.text());
        Dictionary edited = saved.copy(), without = saved.copy();
        Dictionary editedGroup = saved[c.group].dictionary().copy();
        if (c.millimetres) editedGroup.set("imageAlignUnit", "1");
        Dictionary withoutGroup = editedGroup.copy();
        if (c.entry < 0) {
            editedGroup.set(c.key, c.value);
            if (c.as) withoutGroup.set(c.key, *c.as);
            else withoutGroup.remove(c.key);
        } else {
            Array features = editedGroup["pageFeatures"].array(), kept;
            Dictionary entry = features[c.entry].dictionary().copy();
            if (*c.key) entry.set(c.key, c.value);
            else entry = c.value.dictionary();
            for (std::size_t i = 0; i < features.size(); ++i)
                if (static_cast<int>(i) != c.entry) kept.append(features[i]);
            features = Array{entry};
            for (const Value& other : kept) features.append(other);
            editedGroup.set("pageFeatures", features);
            withoutGroup.set("pageFeatures", kept);
        }
        edited.set(c.group, editedGroup);
        without.set(c.group, withoutGroup);
        const std::string expected = apply(without, std::to_string(++files));
        const auto shown = Leaves(*templates().jobFeatureDictionary());
        const std::string ticket = apply(edited, std::to_string(++files));
        EXPECT_EQ(ticket, expected);
        EXPECT_EQ(Leaves(*templates().jobFeatureDictionary()), shown);
        EXPECT_EQ(alerts.messages().back(), c.complete ? kApplied : kIncomplete);
    }
    // An interleaved job takes no page exceptions, as the dialog refuses
    // them: the template's are left out, in the order they are applied.
    Dictionary interleaved = saved.copy(), jobSetup = saved["jobSetup"].dictionary().copy();
    jobSetup.set("printingMode", "4");
    jobSetup.set("interleavePaper", jobSetup["bodyPaper"]);
    interleaved.set("jobSetup", jobSetup);
    Dictionary bare = interleaved.copy(), pages = saved["Substitution"].dictionary().copy();
    pages.set("pageFeatures", Array{});
    bare.set("Substitution", pages);
    const std::string expected = apply(bare, "bare");
    ASSERT_EQ(alerts.messages().back(), kApplied);
    const std::string summary = rows();
    EXPECT_EQ(apply(interleaved, "interleaved"), expected);
    EXPECT_EQ(rows(), summary);
    EXPECT_EQ(alerts.messages().back(), kIncomplete);
    // Trimming, which the rules refuse for an interleaved job to the other
    // device, is refused whatever number says on.
    Dictionary other = bare.copy(), finisher{{"jobExit", "5"}};
    other.set("finisher", finisher);
    const std::string untrimmed = apply(other, "other");
    for (const char* on : {"1", "2", "-1"}) {
        Dictionary trimmed = other.copy(), trimming = finisher.copy();
        trimming.set("trimming", on);
        trimmed.set("finisher", trimming);
        EXPECT_EQ(apply(trimmed, std::string("trimmed") + on), untrimmed) << on;
        EXPECT_EQ(alerts.messages().back(), kIncomplete) << on;
    }
}

// Punching down each road that once showed one job and printed another: the
// pattern field set to 0 or emptied (then saved and applied), a punched front
// cover in an interleaved job, and templates edited by hand ("edit KEY VALUE"
// in the saved template's finisher group): the punch boxes, the field, the
// summary and the ticket say the same.
TEST_F(TemplateRoundTrip, PunchBoxSummaryAndTicketAgreeWhateverRoadTheJobTook) {
    using Steps = std::vector<std::string>;
    const auto join = [](Steps a, const Steps& b) { return a.insert(a.end(), b.begin(), b.end()), a; };
    const Steps zero = {"click finisherButton", "click punchCheck", "select punchIDListView 1", "type customPattern 0", "end"};
    const Steps apply = {"click summaryButton", "save punching", "click savetemplate", "EDIT", "click resetFactory",
                         "select templateListView 0", "click applytemplate"};
    const Steps cover = {"click jobsetupButton", "click frontCoverPaperButton", "click coverPaperFrontButton",
                         "select paperTableView 5", "click finisherButton", "click punchCheck", "click jobsetupButton",
                         "click interleaveBlank"};
    const Steps saved = {"click finisherButton", "click punchCheck", "select punchIDListView 3"};
    const std::tuple<const char*, Steps, const char*> cases[] = {
        {"pattern 0 typed", zero, ""},
        {"pattern emptied", {"click finisherButton", "click punchCheck", "type customPattern 7", "type customPattern ", "end"}, ""},
        {"punching turned off", join(saved, {"click punchCheck"}), ""},
        {"pattern 0, saved and applied", join(zero, apply), ""},
        {"front cover, interleaved", cover, ""},
        {"front cover, duplex again", join(cover, {"click duplexLongEdge"}), ""},  // the interleave dropped it
        {"template pattern 1000", join(saved, apply), "defaultPunchPattern 1000"},
        {"template pattern -3", join(saved, apply), "defaultPunchPattern -3"},
        {"template pattern abc", join(saved, apply), "defaultPunchPattern abc"},
        {"template no punch, pages", join(saved, apply), "punchJob 0"},  // "punchSubstitution" stays "1"
    };
    std::string report;
    for (const auto& [name, steps, edit] : cases) {
        SCOPED_TRACE(name);
        show();
        const std::size_t seen = alerts.alerts().size();
        const auto editAt = std::find(steps.begin(), steps.end(), "EDIT");
        run(Steps(steps.begin(), editAt));
        if (editAt != steps.end()) {
            Dictionary file = ReadDictionaryFile(folder.file("punching"));
            Dictionary finisher = file["finisher"].dictionary().copy();
            const std::string_view keyValue = edit;
            if (!keyValue.empty())
                finisher.set(keyValue.substr(0, keyValue.find(' ')), std::string(keyValue.substr(keyValue.find(' ') + 1)));
            file.set("finisher", finisher);
            WritePropertyListFile(folder.file("punching"), file);
            run(Steps(editAt + 1, steps.end()));
        }
        const std::string ticket = controller_test::HandOut(*pane->bridge());
        const std::string pattern = TicketLine(ticket, "%VLXReqPunch: ");
        EXPECT_EQ(SummaryValue(templates().summaryList(), "    Punch"), pattern == "%VLXReqPunch: 0" ? "No" : "Yes");
        report += Format("%s: [%s] \"%s\"", name, view<Button>("punchCheck").state() ? "x" : " ",
                         view<TextField>("customPattern").stringValue().c_str());
        for (const char* box : {"punchFrontCover", "punchSubstitution"})
            report += std::string(" ") + box + (view<Button>(box).state() ? " [x]" : " [ ]");
        for (const auto& [title, value] : templates().summaryList())
            if (title.find("unch") != std::string::npos || title.find("ID") != std::string::npos ||
                title.find("Front cover -") != std::string::npos)
                report += "\n  " + title.substr(4) + " | " + value;
        report += "\n  " + pattern + "\n  " + TicketLine(ticket, "%VLXCovers: ");
        for (std::size_t i = seen; i < alerts.alerts().size(); ++i) report += "\n  \"" + alerts.alerts()[i].message + "\"";
        report += "\n";
    }
    EXPECT_EQ(report, PdeFixture("punch_summary_roads.txt"));
}

TEST_F(TemplateRoundTrip, TemplateSavedFromAnAppliedOneBringsBackEveryGroupAndTheTicket) {
    run({"click summaryButton", "open " + kBusyJob, "click opentemplate", "click applytemplate"});
    const std::string applied = rows() + controller_test::HandOut(*pane->bridge());
    // The dictionary as text: its groups are shared with the panes, which
    // the reset rewrites.
    const auto features = PropertyListText(*templates().jobFeatureDictionary());
    run({"save busy", "click savetemplate", "click resetFactory", "select templateListView 1", "click applytemplate"});
    EXPECT_EQ(templates().templates(), (std::vector<std::string>{kBusyJob, folder.file("busy")}));
    EXPECT_EQ(rows() + controller_test::HandOut(*pane->bridge()), applied);
    EXPECT_EQ(PropertyListText(*templates().jobFeatureDictionary()), features);
}

TEST_F(TemplateRoundTrip, TemplateOfTheEarlierReleaseAppliesThroughTheBridgesConversion) {
    const std::string factory = rows();
    run({"click summaryButton", "open " LUMAPREX_TEST_DATA "/pde/older_release_template.plist", "click opentemplate",
         "click applytemplate"});
    EXPECT_EQ(controller_test::Changes(factory, rows()),
              "-    Print mode | Simplex\n-    Output Device | Top Tray\n-    Staple position | No Staple\n"
              "-    Offset stacking | No\n-    Punch | No\n-    ID | None\n-    Page Order | Face Down\n"
              "-    E-mail address: | \n-    Operator message: | \n-    Status page paper | \n"
              "-Halftone Screen - Angle | 45\n"
              "+    Print mode | Duplex, long edge\n+    Output Device | Stapler\n+    Staple position | Bottom\n"
              "+    Offset stacking | Yes\n+    Punch | Yes\n+    ID | 2 holes, wide spacing\n+    Page Order | Face Up\n"
              "+    E-mail address: | ops@example.com\n+    Operator message: | Rush\n+    Status page paper | Letter\n"
              "+Halftone Screen - Angle | 60\n");
    EXPECT_EQ(view<Button>("punchCheck").state(), 1) << "the finishing tab punches as the summary says";
}

TEST_F(TemplateRoundTrip, TemplateThatCannotBeReadChangesNothing) {
    run({"click finisherButton", "click staplerExit", "click summaryButton"});
    const std::string chosen = settings();
    filter_test::writeFile(folder.file("broken"), "<plist><dict><key>jobSetup</key>");
    run({"open " + folder.file("broken"), "click opentemplate", "click applytemplate"});
    EXPECT_EQ(settings(), chosen);
}

}  // namespace

// The job-setup pane worked as a user would, inside the main pane and with
// the real bridge: for each step of a scenario, what it changed where the
// user looks (the alerts, the lines of the tab as drawn, the entries of the
// "jobSetup" group and the lines of the ticket handed out), compared with a
// fixture: what the paper rows send, the body-paper row, print modes with
// what they enable, covers, the check boxes and the set separator's need for
// collate, the signature field's filter and range, loading another catalog,
// and refusals, which put the control back from the dictionary and leave the
// dictionary and the ticket as they were. Restoring from the dictionary.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "OpenPanel.h"
#include "UserDriver.h"
#include "controller_support.h"
#include "jobSetup/jobSetupController.h"
#include "pde_test_support.h"
#include "validation_support.h"

using namespace platform;
using namespace pde_test;

namespace {

const std::string kCovers = LUMAPREX_TEST_DATA "/pde/Covers.cat";
const std::string kBroken = LUMAPREX_TEST_DATA "/pde/Broken.cat";

// A bridge whose rule file may be the test's own, its working record in view.
class RuleBridge : public zqController {
public:
    static inline std::string rules;  // the rule file; "" for the shipped one
    using zqController::workingRecord;

protected:
    std::unique_ptr<JSE_Service> NewService(const WString& language, const WString& definitions, const WString& catalog,
                                            const WString& validation, bool safe) override {
        const WString ownRules = service_test::Wide(rules);
        return zqController::NewService(language, definitions, catalog, rules.empty() ? validation : ownRules, safe);
    }
};

class RuleMainPane : public LumaprexPDE {
public:
    using LumaprexPDE::LumaprexPDE;

protected:
    std::unique_ptr<zqController> newBridge() override { return std::make_unique<RuleBridge>(); }
};

// Rules under which each control given refuses every value with its message.
std::string Refusing(std::initializer_list<std::pair<int, int>> refusals) {
    std::vector<validation_test::ControlBytes> table = validation_test::EmptyTable();
    for (const auto& [control, message] : refusals)
        table[control] = {1, 0, {validation_test::Rule().If(eJSE_DeliverToEdit).Check(5).Says(message)}};
    return validation_test::RuleBytes(table);
}

const Dictionary kFactoryJob = {{"printingMode", "1"}, {"collate", "1"}, {"setSeparator", "0"}, {"proofSet", "0"},
                                {"bodyPaper", "Letter"}, {"signaturePages", "88"}, {"sheets", "22"}};

class JobSetupPane : public MainPaneTest {
protected:
    void TearDown() override {
        RuleBridge::rules.clear();
        ClearFilePicks();
        MainPaneTest::TearDown();
    }
    // A new main pane shown, on rule bytes of the test's own when given, its
    // tab showing the factory job, whatever the bridge's dictionary holds.
    void open(const std::string& ruleBytes = {}) {
        RuleBridge::rules = ruleBytes.empty() ? std::string() : folder.file("rules.dat");
        if (!ruleBytes.empty()) filter_test::writeFile(RuleBridge::rules, ruleBytes);
        main = &show<RuleMainPane>();
        user = std::make_unique<UserDriver>(*main->panelView());
        restore(kFactoryJob);
    }
    // The pane restored from a copy of a "jobSetup" group, as a template would.
    void restore(const Dictionary& jobSetup) {
        NotificationCenter::Default().post("jobSetupController::applySettings", Dictionary{{"jobSetup", jobSetup.copy()}});
    }
    jobSetupController& pane() const {
        return *static_cast<jobSetupController*>(main->loadedInterface()->object("jobSetupController"));
    }
    const JSE_JobFeatureType& record() const { return static_cast<RuleBridge*>(main->bridge())->workingRecord(); }
    template <class T = Control>
    T& control(const char* outlet) const {
        return dynamic_cast<T&>(*main->panelView()->findView(outlet));
    }
    // Where the user looks: the tab as drawn, the group's entries in key
    // order and the ticket handed out, each as lines.
    std::vector<std::string> looks() const {
        std::string group;
        const Dictionary entries = (*pane().jobFeatureDictionary())["jobSetup"].dictionary();
        std::vector<std::string> keys = entries.keys();
        std::sort(keys.begin(), keys.end());
        for (const std::string& key : keys) group += key + "=" + entries[key].text() + "\n";
        std::string ticket;
        int error = 0;
        main->bridge()->GetJobTicket(ticket, main->bridge()->GetJobTicketSize(), error);
        return {WithoutSourceDir(DrawAsText(*main->tabView()->tabViewItemAtIndex(0).view)), group, ticket};
    }
    // The command done, with its alerts and what it changed where the user looks.
    std::string step(const std::string& command) {
        std::string out = "== " + WithoutSourceDir(command) + "\n";
        AlertRecorder alerts;
        const std::vector<std::string> before = looks();
        EXPECT_TRUE(user->perform(command)) << command << ": " << user->lastError();
        for (const std::string& message : alerts.messages()) out += "alert \"" + WithoutSourceDir(message) + "\"\n";
        const std::vector<std::string> after = looks();
        const char* places[] = {"view   ", "group  ", "ticket "};
        for (std::size_t i = 0; i < after.size(); ++i) {
            std::istringstream changes(controller_test::Changes(before[i], after[i]));
            for (std::string line; std::getline(changes, line);) out += places[i] + line + "\n";
        }
        return out;
    }
    filter_test::TempDir folder;
    LumaprexPDE* main = nullptr;
    std::unique_ptr<UserDriver> user;
};

TEST_F(JobSetupPane, EachStepShowsWhatItChangedWhereTheUserLooks) {
    const std::string noRules = validation_test::RuleBytes(validation_test::EmptyTable());
    // Refusals with messages the strings table lacks, shown as "Labels".
    const std::string refusing = Refusing({{eJSE_CollateCheck, 901}, {eJSE_SetSeparatorSelection, 902},
                                           {eJSE_PrintProofSetCheck, 903}, {eJSE_SignaturePagesEdit, 904}});
    // An interleaved job drops its covers; here the front cover's mode may not change while interleaved.
    std::vector<validation_test::ControlBytes> coverRule = validation_test::EmptyTable();
    coverRule[eJSE_FrontCoverSelection] = {1, 0, {validation_test::Rule().If(eJSE_PrintModeSelection, 4, 5).Check(5).Says(905)}};
    const struct Scenario {
        const char* name;
        std::string rules;  // the shipped ones when empty
        std::vector<std::string> commands;
    } scenarios[] = {
        // Rows 8 and 9 are Letter_Insert and the one-sided Letter_Transparency; with the
        // body-paper row first, row 11 is Letter_Tab, of another size than the body.
        {"paper rows", {}, {"select paperTableView 8", "click duplexLongEdge", "select paperTableView 9",
                            "click frontCoverPaperButton", "click coverPaperFrontButton", "select paperTableView 11",
                            "select paperTableView 10", "select paperTableView 0", "click coverPaperNoneButton",
                            "click interleaveBlank", "click interleavePaperButton", "select paperTableView 2",
                            "click bodyPaperButton"}},
        {"print modes", {}, {"click pamphlet", "type signatureSizeText 24", "click duplexLongEdge", "click interleavePrePrinted",
                             "click simplex"}},
        {"covers", {}, {"click backCoverPaperButton", "click coverPaperBothButton", "select paperTableView 5",
                        "click frontCoverPaperButton"}},
        {"signature", noRules, {"click pamphlet", "type signatureSizeText 4001", "type signatureSizeText 5",
                                "type signatureSizeText 12a", "type signatureSizeText 7é", "type signatureSizeText 0",
                                "step signatureSizeStepper down", "step signatureSizeStepper up 3"}},
        {"signature limit", {}, {"click pamphlet", "type signatureSizeText 89"}},
        // Collate and set separators: the later click is refused in either order.
        {"check boxes", {}, {"click proofSet", "click setSeparatorCheckBox", "click separatorPaperButton",
                             "select paperTableView 7", "click collateCheckBox", "click setSeparatorCheckBox",
                             "click collateCheckBox", "click setSeparatorCheckBox"}},
        {"refused", refusing, {"click collateCheckBox", "click setSeparatorCheckBox", "click proofSet", "click pamphlet",
                               "type signatureSizeText 9"}},
        {"interleave refused with its cover", validation_test::RuleBytes(coverRule),
         {"click frontCoverPaperButton", "click coverPaperFrontButton", "click interleaveBlank"}},
        {"catalog", {}, {"pick " + kCovers, "click paperCatalogButton", "click frontCoverPaperButton",
                         "click coverPaperFrontButton", "select paperTableView 2", "pick " + kBroken,
                         "click paperCatalogButton"}},
    };
    std::string transcript;
    for (const Scenario& scenario : scenarios) {
        open(scenario.rules);
        transcript += std::string("=== ") + scenario.name + "\n";
        for (const std::string& command : scenario.commands) transcript += step(command);
    }
    EXPECT_EQ(transcript, filter_test::readFile(LUMAPREX_TEST_DATA "/pde/job_setup_steps.txt"));
}

// UTF-16 text behind a byte-order mark, as the engine writes its catalog files.
std::string Utf16(const std::string& text) {
    std::string bytes = "\xFF\xFE";
    for (char c : text) bytes += std::string{c, '\0'};
    return bytes;
}

const std::string kShippedData = LUMAPREX_SOURCE_DIR "/data/";

// A damaged catalog loaded through the pane is refused whole: the alert
// names it, and every tab and the ticket stay as they were.
TEST_F(JobSetupPane, DamagedCatalogIsRefusedWholeAndNothingTheUserSeesChanges) {
    const std::string catalog = filter_test::readFile(kShippedData + "PaperCatalog.cat");
    const std::string definitions = filter_test::readFile(kShippedData + "PaperCatalog.def");
    std::string garbage;
    for (unsigned i = 0; i < 3000; ++i) garbage += static_cast<char>((i * 2654435761u) >> 13);
    const struct {
        const char* name;
        std::string catalog;
        std::string definitions;  // the shipped ones when empty
    } cases[] = {
        {"header only", Utf16("English:Letter\n"), {}},
        {"header only, 8-bit", "English:Letter\n", {}},
        {"garbage", garbage, {}},
        {"cut inside a record", catalog.substr(0, catalog.find(Utf16("Letter_Red").substr(2)) + 8), {}},
        {"paper without its type", catalog + Utf16("Ghost:19:75:white\n").substr(2), {}},
        {"0 by 0 size", catalog, definitions + Utf16("0.00:0.00:0.00:0.00:0:Nothing\n").substr(2)},
        {"file of another type", filter_test::readFile(pde_test::kShippedPpd), {}},
    };
    open();
    const auto tabs = [&] {
        std::string drawn;
        for (int i = 0; i < main->tabView()->numberOfTabViewItems(); ++i)
            drawn += DrawAsText(*main->tabView()->tabViewItemAtIndex(i).view);
        return drawn;
    };
    const std::string before = tabs();
    const std::string ticket = looks()[2];
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = folder.file(std::string(c.name) + ".cat");
        filter_test::writeFile(path, c.catalog);
        filter_test::writeFile(folder.file(std::string(c.name) + ".def"), c.definitions.empty() ? definitions : c.definitions);
        filter_test::writeFile(path + ".atr", filter_test::readFile(kShippedData + "PaperCatalog.cat.atr"));
        std::string steps = step("pick " + path);
        steps += step("click paperCatalogButton");
        EXPECT_EQ(steps,
                  "== pick " + path + "\n== click paperCatalogButton\nalert \"The paper catalog \"" + path +
                      "\" could not be loaded; the catalog in use stays.\"\n");
        EXPECT_EQ(tabs(), before);
        EXPECT_EQ(looks()[2], ticket);
    }
}

// The job's papers that another catalog lacks become the first row of their
// lists, so the ticket names only the new catalog's papers, each with its
// media lines; a paper the catalog has stays. Where the rules refuse that
// (a one-sided first paper for a duplex job), the catalog is not taken.
TEST_F(JobSetupPane, LoadedCatalogTakesTheJobsPapersItLacksAndEveryPaneShowsIt) {
    open();
    std::istringstream actions(filter_test::readFile(kShippedData + "sample-job.actions"));
    for (std::string line; std::getline(actions, line);) {
        if (line.empty() || line[0] == '#') continue;
        ASSERT_TRUE(user->perform(line)) << line << ": " << user->lastError();
    }
    for (const char* command : {"click jobsetupButton", "click setSeparatorCheckBox", "click separatorPaperButton",
                                "select paperTableView 5"})
        ASSERT_TRUE(user->perform(command)) << command << ": " << user->lastError();
    const std::string covers = LUMAPREX_TEST_DATA "/pde/Covers", oneSided = folder.file("OneSided");
    filter_test::writeFile(oneSided + ".cat", "English:Letter\nFoil:1:0:clear:transparency:1:0:0\nLetter:1:75:white:plain\n");
    filter_test::writeFile(oneSided + ".def", filter_test::readFile(covers + ".def"));
    filter_test::writeFile(oneSided + ".cat.atr", filter_test::readFile(covers + ".cat.atr"));
    const std::vector<std::string> duplex = looks();
    std::string steps = step("pick " + oneSided + ".cat");
    steps += step("click paperCatalogButton");
    EXPECT_EQ(steps, "== pick " + oneSided + ".cat\n== click paperCatalogButton\nalert \"Two-sided printing and pamphlets need a paper that can be printed on both sides.\"\n"
                         "alert \"The paper catalog \"" + oneSided +
                         ".cat\" could not be loaded; the catalog in use stays.\"\n");
    EXPECT_EQ(looks(), duplex);

    for (const std::string& command : {"pick " + covers + ".cat", std::string("click paperCatalogButton")})
        ASSERT_TRUE(user->perform(command)) << command << ": " << user->lastError();
    const std::vector<std::string> seen = looks();
    const std::string& ticket = seen[2];
    for (const char* gone : {"Letter_Heavy", "Letter_Cover", "Letter_Red", "Letter_Blue", "Letter_Tab", "Letter_Yellow"})
        EXPECT_EQ(ticket.find(gone), std::string::npos) << gone << " in\n" << ticket;
    for (const char* line : {"%VLXBody: (Letter) on", "%VLXCovers: (Letter) front",
                             "%%DocumentMedia: (Letter) 612 792 75 (white) (plain)", "%VLXMedia: (Letter) sides(2)"})
        EXPECT_NE(ticket.find(line), std::string::npos) << line << " missing from\n" << ticket;
    EXPECT_NE(seen[1].find("\nfrontCoverPaper=\n"), std::string::npos) << seen[1];
    // Every list of papers holds the catalog's three, after the body-paper row where there is one.
    EXPECT_EQ(control<TableView>("paperTableView").numberOfRows(), 3);  // the body's, shown again
    EXPECT_EQ(control<TableView>("statusPaperListView").numberOfRows(), 4);
    EXPECT_EQ(control<ComboBox>("exceptionPaperCombo").numberOfItems(), 3);
    const std::string pages = DrawAsText(*main->panelView()->findView("exceptionListView"));
    EXPECT_EQ(pages.find("Letter_"), std::string::npos) << pages;
    EXPECT_EQ(control<TableView>("pageSetView").numberOfRows(), 2) << "the page sets stay";
}

// A catalog that keeps a paper the punched job prints on, but no longer
// lets it be punched, is refused as choosing that paper would be: the user
// hears the rule, and the pane, the group and the ticket stay as they were.
TEST_F(JobSetupPane, CatalogThatNoLongerLetsAPunchedPaperBePunchedIsRefused) {
    const std::vector<std::string> frontCover = {"click frontCoverPaperButton", "click coverPaperFrontButton",
                                                 "select paperTableView 2"};
    const std::vector<std::string> bluePages = {"click pagefeatureButton", "type pageEditorField 5..8", "end",
                                                "select pageSetView 0", "click selectAllPagesSetCheck",
                                                "choose exceptionPaperCombo Letter_Blue", "click exceptionUpdateButton"};
    const struct {
        const char* name;
        std::vector<std::string> job;  // after the body on Letter_Heavy
        const char* unpunchable;
        const char* alert;
    } cases[] = {
        {"body paper", frontCover, "Letter_Heavy:1:120:white:plain:2:0:", "Punching needs a body paper that can be punched."},
        {"front cover", {"select paperTableView 0", "click frontCoverPaperButton", "click coverPaperFrontButton",
                         "select paperTableView 2"},
         "Letter_Heavy:1:120:white:plain:2:0:", "The front cover paper cannot be punched."},
        {"page exception", bluePages, "Letter_Blue:1:75:blue:plain:2:0:", "This paper cannot be punched."},
    };
    const std::string shipped = filter_test::readFile(kShippedData + "PaperCatalog.cat");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        open();
        std::vector<std::string> commands = {"select paperTableView 1"};
        commands.insert(commands.end(), c.job.begin(), c.job.end());
        commands.insert(commands.end(), {"click finisherButton", "click staplerExit", "click punchCheck", "click jobsetupButton"});
        for (const std::string& command : commands) ASSERT_TRUE(user->perform(command)) << command << ": " << user->lastError();
        const std::string punchable = Utf16(std::string(c.unpunchable) + "1").substr(2);
        std::string catalog = shipped;
        catalog.replace(catalog.find(punchable), punchable.size(), Utf16(std::string(c.unpunchable) + "0").substr(2));
        const std::string path = folder.file("Unpunchable.cat");
        filter_test::writeFile(path, catalog);
        filter_test::writeFile(folder.file("Unpunchable.def"), filter_test::readFile(kShippedData + "PaperCatalog.def"));
        filter_test::writeFile(path + ".atr", filter_test::readFile(kShippedData + "PaperCatalog.cat.atr"));
        const std::vector<std::string> punched = looks();
        ASSERT_NE(punched[2].find("%VLXReqPunch: 2"), std::string::npos) << punched[2];
        std::string steps = step("pick " + path);
        steps += step("click paperCatalogButton");
        EXPECT_EQ(steps, "== pick " + path + "\n== click paperCatalogButton\nalert \"" + c.alert + "\"\nalert \"The paper catalog \"" +
                             path + "\" could not be loaded; the catalog in use stays.\"\n");
        EXPECT_EQ(looks(), punched);
    }
}

// The group holds what the engine holds: restoring shows it, the print mode
// too, and sends nothing (a missing mode shows a pamphlet, as ever).
TEST_F(JobSetupPane, RestoringShowsTheStoredValuesAndSendsNothing) {
    open();
    restore({{"collate", "1"}, {"proofSet", "2"}, {"printingMode", "3"}, {"setSeparator", "1"}, {"signaturePages", "40"},
             {"sheets", "10"}, {"bodyPaper", "A4"}});
    EXPECT_EQ(control<Button>("duplexShortEdge").image()->name(), "duplexshort2.icns");
    for (const char* button : {"collateCheckBox", "proofSet", "setSeparatorCheckBox"})
        EXPECT_EQ(control<Button>(button).state(), 1) << button;
    EXPECT_TRUE(control("separatorPaperButton").isEnabled());
    EXPECT_EQ(control("signatureSizeText").stringValue() + " " + control("signatureSheet").stringValue(), "40 Sheets: 10");
    EXPECT_EQ(control<TableView>("paperTableView").selectedRow(), 18);
    EXPECT_EQ(zqController::wstringToNSString(record().bodyPaper), "Letter") << "shown, not sent";
    restore({{"collate", "0"}});
    EXPECT_EQ(control<Button>("pamphlet").image()->name(), "pamphlet2.icns");
    EXPECT_EQ(control<Button>("duplexShortEdge").image()->name(), "duplexshort1.icns");
    EXPECT_EQ(record().printingMode, 1) << "shown, not sent";
}

}  // namespace

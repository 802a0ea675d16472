// The job-setup pane worked as a user would, inside the main pane and with
// the real bridge: what the paper rows send, the virtual body-paper row,
// print modes with what they enable, the check boxes and the set
// separator's need for collate, the signature field's filter and range,
// restoring from the dictionary, loading another catalog, and each kind of
// change as the ticket lines it changes. A refusal puts the control back
// from the dictionary and leaves the dictionary and the engine as they were.
#include <gtest/gtest.h>

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
    void perform(const std::string& command) { ASSERT_TRUE(user->perform(command)) << command << ": " << user->lastError(); }
    jobSetupController& pane() const {
        return *static_cast<jobSetupController*>(main->loadedInterface()->object("jobSetupController"));
    }
    std::string stored(const char* key) const { return (*pane().jobFeatureDictionary())["jobSetup"][key].text(); }
    const JSE_JobFeatureType& record() const { return static_cast<RuleBridge*>(main->bridge())->workingRecord(); }
    template <class T = Control>
    T& control(const char* outlet) const {
        return dynamic_cast<T&>(*main->panelView()->findView(outlet));
    }
    std::string label(int id) const { return getNSStringWithID(bundle, id, kJobSetupLabels); }
    // The alert of that label; none for 0.
    std::vector<std::string> alerted(int id) const { return id ? std::vector<std::string>{label(id)} : std::vector<std::string>{}; }
    std::string ticket() const {
        std::string text;
        int error = 0;
        main->bridge()->GetJobTicketSize();
        main->bridge()->GetJobTicket(text, 0, error);
        return text;
    }

    filter_test::TempDir folder;
    LumaprexPDE* main = nullptr;
    std::unique_ptr<UserDriver> user;
};

TEST_F(JobSetupPane, PaperRowsSendTheirPapersCatalogIndexAndTheVirtualRowTheBodyPaper) {
    open();
    const struct Step {
        const char* command;
        int alert;  // the refusal's label, 0 for none
        int rows, row;
        bool tableEnabled;
        const char* key;  // and the paper it holds in the group and in the engine
        WString JSE_JobFeatureType::*paper;
        const char* name;
    } steps[] = {
        {"select paperTableView 8", 0, 35, 8, true, "bodyPaper", &JSE_JobFeatureType::bodyPaper, "Letter_Insert"},
        {"click duplexLongEdge", 0, 35, 8, true, "bodyPaper", &JSE_JobFeatureType::bodyPaper, "Letter_Insert"},
        // row 9 is the one-sided Letter_Transparency: the stored paper shows again
        {"select paperTableView 9", 16308, 35, 8, true, "bodyPaper", &JSE_JobFeatureType::bodyPaper, "Letter_Insert"},
        {"click frontCoverPaperButton", 0, 36, 0, false, "frontCoverPaper", &JSE_JobFeatureType::frontCoverPaper, ""},
        {"click coverPaperFrontButton", 0, 36, 0, true, "frontCoverPaper", &JSE_JobFeatureType::frontCoverPaper, ""},
        // with the virtual row, row 11 is catalog paper 10, Letter_Tab, of another size
        {"select paperTableView 11", 16310, 36, 0, true, "frontCoverPaper", &JSE_JobFeatureType::frontCoverPaper, ""},
        {"select paperTableView 10", 0, 36, 10, true, "frontCoverPaper", &JSE_JobFeatureType::frontCoverPaper,
         "Letter_Transparency"},
        {"select paperTableView 0", 0, 36, 0, true, "frontCoverPaper", &JSE_JobFeatureType::frontCoverPaper, ""},
        {"click coverPaperNoneButton", 0, 36, 0, false, "frontCoverPaper", &JSE_JobFeatureType::frontCoverPaper, ""},
        // the table the front cover took away is back for the interleaves
        {"click interleaveBlank", 0, 36, 0, false, "interleavePaper", &JSE_JobFeatureType::interleavePaper, ""},
        {"click interleavePaperButton", 0, 36, 0, true, "interleavePaper", &JSE_JobFeatureType::interleavePaper, ""},
        {"select paperTableView 2", 0, 36, 2, true, "interleavePaper", &JSE_JobFeatureType::interleavePaper,
         "Letter_Heavy"},
        {"click bodyPaperButton", 0, 35, 8, true, "bodyPaper", &JSE_JobFeatureType::bodyPaper, "Letter_Insert"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.command);
        AlertRecorder stepAlerts;
        perform(step.command);
        EXPECT_EQ(stepAlerts.messages(), alerted(step.alert));
        const TableView& table = control<TableView>("paperTableView");
        EXPECT_EQ(table.numberOfRows(), step.rows);
        EXPECT_EQ(table.selectedRow(), step.row);
        EXPECT_EQ(table.isEnabled(), step.tableEnabled);
        EXPECT_EQ(stored(step.key), step.name);
        EXPECT_EQ(zqController::wstringToNSString(record().*step.paper), step.name);
    }
}

TEST_F(JobSetupPane, PrintModesEnableTheSignatureOnlyForAPamphletAndTheInterleavePaperOnlyWhenInterleaved) {
    open();
    const struct Step {
        const char* command;
        int mode;  // in the engine and the group; the mode's button alone shows as selected
        const char* button;
        bool signature, interleave;
    } steps[] = {
        {"click pamphlet", 6, "pamphlet", true, false},
        {"click duplexLongEdge", 2, "duplexLongEdge", false, false},
        {"click interleaveBlank", 4, "interleaveBlank", false, true},
        {"click simplex", 1, "simplex", false, false},
        // the one-sided body paper rules duplex out: nothing changes
        {"select paperTableView 9", 1, "simplex", false, false},
        {"click duplexLongEdge", 1, "simplex", false, false},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.command);
        perform(step.command);
        EXPECT_EQ(record().printingMode, step.mode);
        EXPECT_EQ(stored("printingMode"), FormatInteger(step.mode));
        std::string selected;
        for (const char* button : {"simplex", "duplexLongEdge", "duplexShortEdge", "interleaveBlank", "interleavePrePrinted", "pamphlet"})
            if (control<Button>(button).image()->name().ends_with("2.icns")) selected += button;
        EXPECT_EQ(selected, step.button);
        EXPECT_EQ(control("signatureSizeText").isEnabled(), step.signature);
        EXPECT_EQ(control("signatureSizeStepper").isEnabled(), step.signature);
        EXPECT_EQ(control("interleavePaperButton").isEnabled(), step.interleave);
    }
    EXPECT_EQ(alerts.messages(), std::vector<std::string>{label(16308)});
}

TEST_F(JobSetupPane, CheckBoxesAreSentAndARefusedOneIsPutBackFromTheDictionary) {
    const struct Case {
        const char* name;
        std::string rules;
        const char* collate;  // stored before the click
        const char* box;
        int alert;
        bool on;  // the box, the group and the engine afterwards
        bool JSE_JobFeatureType::*flag;
        const char* key;
    } cases[] = {
        {"separator without collate", {}, "0", "setSeparatorCheckBox", 16117, false, &JSE_JobFeatureType::setSeparator, "setSeparator"},
        {"separator", {}, "1", "setSeparatorCheckBox", 0, true, &JSE_JobFeatureType::setSeparator, "setSeparator"},
        {"separator refused", Refusing({{eJSE_SetSeparatorSelection, 16306}}), "1", "setSeparatorCheckBox", 16306, false,
         &JSE_JobFeatureType::setSeparator, "setSeparator"},
        {"collate refused", Refusing({{eJSE_CollateCheck, 16305}}), "1", "collateCheckBox", 16305, true,
         &JSE_JobFeatureType::collate, "collate"},
        {"collate", {}, "1", "collateCheckBox", 0, false, &JSE_JobFeatureType::collate, "collate"},
        {"proof set", {}, "1", "proofSet", 0, true, &JSE_JobFeatureType::proofSet, "proofSet"},
        {"proof set refused", Refusing({{eJSE_PrintProofSetCheck, 16307}}), "1", "proofSet", 16307, false,
         &JSE_JobFeatureType::proofSet, "proofSet"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AlertRecorder caseAlerts;
        open(c.rules);
        Dictionary jobSetup = kFactoryJob.copy();
        jobSetup.set("collate", c.collate);
        restore(jobSetup);
        perform(std::string("click ") + c.box);
        EXPECT_EQ(caseAlerts.messages(), alerted(c.alert));
        EXPECT_EQ(control<Button>(c.box).state(), c.on);
        EXPECT_EQ(stored(c.key), c.on ? "1" : "0");
        EXPECT_EQ(record().*c.flag, c.on);
        if (std::string_view(c.key) == "setSeparator") {
            EXPECT_EQ(control("separatorPaperButton").isEnabled(), c.on);
        }
    }
}

TEST_F(JobSetupPane, SignaturePagesKeepToDigitsAndToTheirRangeAndAreSentWithTheSheetsTheyTake) {
    const struct Step {
        const char* command;
        const char* pages;  // in the field, the group and the engine
        const char* sheets;
        int alert;
    } steps[] = {
        {"type signatureSizeText 4001", "4000", "1000", 0}, {"type signatureSizeText 5", "5", "2", 0},
        {"type signatureSizeText 12a", "12", "3", 0},       {"type signatureSizeText 7é", "7", "2", 0},
        {"type signatureSizeText 0", "1", "1", 0},          {"step signatureSizeStepper down", "1", "1", 0},
        {"step signatureSizeStepper up 3", "4", "1", 0},
        // the shipped rules hold a signature to 88 pages: 89 goes back to 8
        {"type signatureSizeText 89", "8", "2", 16312},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.command);
        if (std::string_view(step.command).ends_with("89")) open();
        else if (!main) open(validation_test::RuleBytes(validation_test::EmptyTable()));
        perform("click pamphlet");
        perform(step.command);
        EXPECT_EQ(control("signatureSizeText").stringValue(), step.pages);
        EXPECT_EQ(control("signatureSheet").stringValue(), std::string("Sheets: ") + step.sheets);
        EXPECT_EQ(control<Stepper>("signatureSizeStepper").intValue(), std::atoi(step.pages));
        EXPECT_EQ(control("printModeText").stringValue(), std::string("Print mode: Pamphlet ") + step.pages);
        EXPECT_EQ(stored("signaturePages") + "/" + stored("sheets"), std::string(step.pages) + "/" + step.sheets);
        EXPECT_EQ(record().signaturePages, std::atoi(step.pages));
        EXPECT_EQ(alerts.messages(), alerted(step.alert));
    }
}

TEST_F(JobSetupPane, RestoringShowsTheStoredValuesAndSendsOnlyThePrintModeWhichIsAPamphletWhenMissing) {
    open();
    restore({{"collate", "1"}, {"proofSet", "2"}, {"printingMode", "3"}, {"setSeparator", "1"}, {"signaturePages", "40"},
             {"sheets", "10"}, {"bodyPaper", "A4"}});
    EXPECT_EQ(record().printingMode, 3);
    for (const char* button : {"collateCheckBox", "proofSet", "setSeparatorCheckBox"})
        EXPECT_EQ(control<Button>(button).state(), 1) << button;
    EXPECT_TRUE(control("separatorPaperButton").isEnabled());
    EXPECT_EQ(control("signatureSizeText").stringValue() + " " + control("signatureSheet").stringValue(), "40 Sheets: 10");
    EXPECT_EQ(control<TableView>("paperTableView").selectedRow(), 18);
    EXPECT_EQ(zqController::wstringToNSString(record().bodyPaper), "Letter") << "shown, not sent";
    restore({{"collate", "0"}});
    EXPECT_EQ(record().printingMode, 6);  // a pamphlet
    EXPECT_EQ(control<Button>("pamphlet").image()->name(), "pamphlet2.icns");
}

TEST_F(JobSetupPane, AnotherCatalogReplacesTheTableAndOneThatFailsKeepsItAndNamesTheFile) {
    open();
    pde_test::NotificationRecorder loads("zqController::loadPaperCatalog");
    const std::string broken = LUMAPREX_TEST_DATA "/pde/Broken.cat";
    for (const std::string& command : {"pick " + kCovers, std::string("click paperCatalogButton"),
                                       std::string("click frontCoverPaperButton"), "pick " + broken,
                                       std::string("click paperCatalogButton"), std::string("click paperCatalogButton")})
        perform(command);
    EXPECT_EQ(loads.objects(), (std::vector<Value>{Value(kCovers), Value(broken)})) << "the last click was cancelled";
    const TableView& table = control<TableView>("paperTableView");
    EXPECT_EQ(table.numberOfRows(), 4) << "the virtual row and the three papers";
    EXPECT_EQ(table.cellText(table.tableColumns()[0], 2), "CoverBlue");
    EXPECT_EQ(control("paperCatalogPathText").stringValue(), kCovers);
    EXPECT_EQ(pane().currentCatalogPath(), kCovers);
    const std::string message = label(16028);
    EXPECT_EQ(alerts.messages(), std::vector<std::string>{message.substr(0, message.find("%s")) + broken +
                                                          message.substr(message.find("%s") + 2)});
}

// One case a kind of change, each from a fresh pane on the shipped data.
TEST_F(JobSetupPane, EachKindOfChangeReachesTheTicket) {
    const std::vector<std::vector<std::string>> cases = {
        {"click duplexLongEdge"},
        {"select paperTableView 4"},
        {"click frontCoverPaperButton", "click coverPaperFrontButton", "select paperTableView 8"},
        {"click backCoverPaperButton", "click coverPaperBothButton", "select paperTableView 5"},
        {"click interleaveBlank", "click interleavePaperButton", "select paperTableView 6"},
        {"click setSeparatorCheckBox", "click separatorPaperButton", "select paperTableView 7"},
        {"click collateCheckBox"},
        {"click proofSet"},
        {"click pamphlet", "type signatureSizeText 24"},
        {"pick " + kCovers, "click paperCatalogButton", "click frontCoverPaperButton", "click coverPaperFrontButton",
         "select paperTableView 2"},
    };
    std::string transcript;
    for (const std::vector<std::string>& commands : cases) {
        open();
        const std::string before = ticket();
        transcript += "==";
        for (const std::string& command : commands) {
            perform(command);
            transcript += " " + (command.starts_with("pick") ? "pick Covers.cat" : command) + ";";
        }
        transcript += "\n" + controller_test::Changes(before, ticket());
    }
    EXPECT_TRUE(alerts.alerts().empty());
    EXPECT_EQ(transcript, filter_test::readFile(LUMAPREX_TEST_DATA "/pde/job_setup_changes.txt"));
}

}  // namespace

// The finishing pane, shown by the main pane and worked as a user would
// against the real bridge and rule file: which staple positions and boxes
// each output device allows and what the rules refuse, what each choice
// changes in the ticket and the "finisher" group, the pattern list with its
// custom number, cover punching, and per-range punching kept in step with
// the page-exception pane.
#include <gtest/gtest.h>

#include "UserDriver.h"
#include "controller_support.h"
#include "finishing/finishingController.h"
#include "pde_test_support.h"

using namespace platform;
using namespace pde_test;

namespace {

class FinishingPane : public MainPaneTest {
protected:
    void SetUp() override {
        MainPaneTest::SetUp();
        host.settings->values.set(kCopiesSetting, 1);  // as the ticket starts
        main = &show();
        user = std::make_unique<UserDriver>(*main->panelView());
        openFinishingTab();
    }
    // A new bridge, as the next showing of the dialog brings.
    void showAgain() {
        main->willShow();
        openFinishingTab();
    }
    // The tab as the factory settings show it (top tray, no staple, face
    // down), whatever the bridge's dictionary holds.
    void openFinishingTab() {
        Dictionary settings = pane().jobFeatureDictionary()->copy();
        settings.set("finisher", Dictionary{{"jobExit", "1"}, {"staplerPosition", "1"}, {"pageOrdering", "1"}});
        NotificationCenter::Default().post("finishingController::applySettings", settings);
        ASSERT_TRUE(user->click("finisherButton"));
    }
    finishingController& pane() const {
        return *static_cast<finishingController*>(main->loadedInterface()->object("finishingController"));
    }
    zqController& bridge() const { return *main->bridge(); }
    Dictionary group(const char* name) const { return (*pane().jobFeatureDictionary())[name].dictionary(); }
    std::string ticket() const {
        std::string text;
        int error = 0;
        bridge().GetJobTicket(text, bridge().GetJobTicketSize(), error);
        return text;
    }
    // Each command worked, or the test stops at the first that cannot be.
    void perform(const std::vector<std::string>& commands) {
        for (const std::string& command : commands) ASSERT_TRUE(user->perform(command)) << user->lastError();
    }
    std::string text(const char* outlet) const {
        return static_cast<Control*>(main->panelView()->findView(outlet))->stringValue();
    }
    std::string drawing() const { return DrawAsText(*main->tabView()->tabViewItemAtIndex(1).view); }
    // The alerts since the last call, one line.
    std::string newAlerts() {
        std::string line;
        for (std::size_t i = seenAlerts; i < alerts.alerts().size(); ++i)
            line += " \"" + alerts.alerts()[i].message + "\"";
        seenAlerts = alerts.alerts().size();
        return line;
    }

    LumaprexPDE* main = nullptr;
    std::unique_ptr<UserDriver> user;
    std::size_t seenAlerts = 0;
};

std::string Fixture(const std::string& name) { return filter_test::readFile(LUMAPREX_TEST_DATA "/pde/" + name); }

const char* const kDevices[] = {"topExit", "staplerExit", "stackerExit", "bookletExit", "otherExit"};

TEST_F(FinishingPane, EachOutputDeviceAllowsItsStaplesAndBoxesAndTheRulesRefuseTheRest) {
    // A finishing choice made on a device that allows it, then a device.
    struct Start {
        const char* name;
        std::vector<std::string> commands;
    };
    const Start starts[] = {
        {"no staple", {"click stapleNone"}},
        {"staple top", {"click staplerExit", "click stapleTop"}},
        {"staple bottom", {"click staplerExit", "click stapleBottom"}},
        {"staple both", {"click staplerExit", "click stapleBoth"}},
        {"saddle", {"click bookletExit", "click stapleSaddle"}},
        {"trimming", {"click bookletExit", "click edgeTrimCheck"}},
        {"offset stacking", {"click stackerExit", "click offsetStack"}},
    };
    const char* const controls[] = {"stapleNone",   "stapleTop",     "stapleBottom",  "stapleBoth",
                                    "stapleSaddle", "longEdgeCheck", "edgeTrimCheck", "offsetStack"};
    std::string report;
    for (const char* device : kDevices) {
        showAgain();
        perform({std::string("click ") + device});
        report += std::string(device) + ":";
        for (const char* control : controls)
            if (static_cast<Control*>(main->panelView()->findView(control))->isEnabled())
                report += std::string(" ") + control;
        report += "\n";
        for (const Start& start : starts) {
            showAgain();
            perform(start.commands);
            newAlerts();
            perform({std::string("click ") + device});
            report += "  after " + std::string(start.name) + ":" + newAlerts() + " -> " + text("finishingDeviceTitle") +
                      ", " + text("stapleTitle") + "\n";
        }
    }
    EXPECT_EQ(report, Fixture("finishing_devices.txt"));
}

TEST_F(FinishingPane, NextShowingShowsTheStapleTheEngineHolds) {
    perform({"click staplerExit", "click stapleTop"});
    showAgain();
    EXPECT_NE(ticket().find("staple(none)"), std::string::npos) << ticket();
    EXPECT_EQ(text("finishingDeviceTitle") + ", " + text("stapleTitle"), "Output Device: Top Tray, Staple Position: No Staple");
    EXPECT_NE(drawing().find("ImageButton stapleNone <staplenone2.icns>"), std::string::npos) << drawing();
}

TEST_F(FinishingPane, EachChoiceReachesTheTicketAndTheFinisherGroup) {
    const std::vector<std::vector<std::string>> cases = {
        {"click faceup"},
        {"click lastPageFirst"},
        {"click faceup", "click facedown"},
        {"click topExit"},
        {"click bookletExit", "click stapleSaddle", "click longEdgeCheck", "click edgeTrimCheck"},
        {"click staplerExit", "click stapleBoth", "click offsetStack"},
        {"click staplerExit", "click offsetStack", "click topExit"},
        {"click punchCheck", "select punchIDListView 3"},
        {"click punchCheck", "type customPattern 7", "end"},
    };
    std::string report;
    for (const auto& commands : cases) {
        showAgain();
        const std::string before = ticket();
        group("finisher").clear();  // to hold what the case writes, in the order written
        perform(commands);
        for (const std::string& command : commands) report += command + "; ";
        report += newAlerts() + "\n" + controller_test::Changes(before, ticket()) + " finisher:";
        for (const auto& [key, value] : group("finisher")) report += " " + key + "=" + value.text();
        report += "\n";
    }
    EXPECT_EQ(report, Fixture("finishing_choices.txt"));
}

TEST(FinishingPatternField, KeepsOnlyDigitsOfTheFirstThreeCharacters) {
    const std::pair<const char*, const char*> cases[] = {
        {"1234", "123"},
        {"a12", "12"},
        {"12a3", "12"},
        {"abc", ""},
        {"", ""},
        {"7\xC3\xA9"
         "5",
         "75"},
        {"\xF0\x9F\x98\x80"
         "12",
         "1"},
    };
    for (const auto& [typed, kept] : cases) EXPECT_EQ(finishingController::NumberFormatter(typed), kept) << typed;
}

TEST_F(FinishingPane, CustomPatternFieldSelectsAPrinterPatternOrBecomesTheCustomRow) {
    struct Case {
        const char* typed;
        const char* field;
        int selected;
        const char* customRow;
        int sent;  // the job's pattern in the bridge
        bool held;  // the print that ends the edit is held once, for the user to see the field
    };
    const Case cases[] = {
        {"64", "64", 3, "255", 64, false},  {"7", "7", 11, "7", 7, false}, {"1234", "123", 11, "123", 123, false},
        {"a12", "12", 11, "12", 12, false}, {"145", "145", 10, "255", 145, false},
        // No pattern: the field shows the one in use again, with a beep.
        {"x", "145", 10, "255", 145, true}, {"0", "145", 10, "255", 145, true}, {"7", "7", 11, "7", 7, false},
        {"", "7", 11, "7", 7, true},
    };
    perform({"click punchCheck", "select punchIDListView 0"});
    NotificationRecorder ready("mainController::readyToPrint");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        // Ending the edit checks the field once more: a custom number stays.
        const std::size_t held = ready.objects().size();
        perform({std::string("type customPattern ") + c.typed, "end"});
        EXPECT_EQ(ready.objects().size() - held, c.held ? 1u : 0u);
        const auto* list = static_cast<TableView*>(main->panelView()->findView("punchIDListView"));
        EXPECT_EQ(text("customPattern"), c.field);
        EXPECT_EQ(list->selectedRow(), c.selected);
        EXPECT_EQ(pane().punchTypeList().back().id, c.customRow);
        EXPECT_EQ(bridge().JSE_GetJobPunchValue(), c.sent);
        EXPECT_EQ(text("punchCheck"), "1") << "emptying the field leaves punching on";
    }
    EXPECT_EQ(newAlerts(), "");
    EXPECT_EQ(alerts.beeps(), 3);
}

// Turning punching on selects the stored pattern's row without sending it:
// the box sends the pattern once, so a refusal is shown once.
TEST_F(FinishingPane, RefusedPunchIsShownInOneAlert) {
    perform({"click jobsetupButton", "click bodyPaperButton", "select paperTableView 2", "click finisherButton"});
    newAlerts();
    perform({"click punchCheck"});
    EXPECT_EQ(newAlerts(), " \"Punching needs a body paper that can be punched.\"");
    EXPECT_EQ(text("punchCheck"), "0");
    EXPECT_EQ(bridge().JSE_GetJobPunchValue(), 0);
}

TEST_F(FinishingPane, StoredCustomPatternIsShownSelectedAndSent) {
    Dictionary settings = pane().jobFeatureDictionary()->copy();
    settings.set("finisher", Dictionary{{"jobExit", "2"}, {"punchJob", "1"}, {"defaultPunchPattern", "7"}});
    NotificationCenter::Default().post("finishingController::applySettings", settings);
    EXPECT_EQ(text("customPattern"), "7");
    EXPECT_EQ(pane().punchTypeList().back().id, "7");
    EXPECT_EQ(static_cast<TableView*>(main->panelView()->findView("punchIDListView"))->selectedRow(), 11);
    EXPECT_EQ(bridge().JSE_GetJobPunchValue(), 7);
    EXPECT_EQ(group("finisher")["defaultPunchPattern"], Value("7"));
}

// The page-exception pane's side of the exchange: it stores a range, gives
// every page entry the job's punch value and tells the finishing pane.
void StorePaper(zqController& bridge, int start, int end, int code, const char* paper) {
    ASSERT_EQ(bridge.JSE_ValidationOnExceptions(start, end, code, paper, 0), 0);
    bridge.JSE_SetPageProperty(start, end, code == kPePaperSubstitution ? 1 : code, paper, code, 0);
    bridge.JSE_SetPageFeature(start, end, code, 0);
    NotificationCenter::Default().post("finishingController::exceptionUpdate");
}

std::string Punches(const zqController& bridge) {
    std::string text;
    for (int i = 0, first, last, code, value; i < bridge.JSE_PageCollection_GetSize(); ++i) {
        bridge.JSE_PageCollection_GetPageNumber(i, first, last);
        text += Format(" %d..%d:", first, last);
        for (int j = 0; j < bridge.JSE_PageCollection_GetPageFeatureSize(i); ++j)
            if (bridge.JSE_PageCollection_GetPageFeature(i, j, code, value), code == kPePunch)
                text += FormatInteger(value);
    }
    return text;
}

TEST_F(FinishingPane, RangesArePunchedOneByOneAndKeptInStepWithThePageExceptionPane) {
    ASSERT_EQ(bridge().HandleJobFeatures(kFeatureFrontCoverMode, 2, {}, 0), 0);
    group("jobSetup").set("frontCoverMode", "2");
    group("finisher").set("defaultPunchPattern", "64");
    const std::string before = ticket();
    perform({"click topExit", "click punchCheck"});
    EXPECT_FALSE(static_cast<Control*>(main->panelView()->findView("punchSubstitution"))->isEnabled());

    // Ranges stored while the job punches are punched with it, and the
    // first of them makes the punch box of the list usable.
    NotificationSequence exchange(
        {"finishingController::exceptionUpdate", "peSubstitutionController::updatePeFeature"});
    StorePaper(bridge(), 3, 5, kPePaperSubstitution, "Letter_Red");
    StorePaper(bridge(), 9, 9, kPePaperSubstitution, "Letter_Blue");
    StorePaper(bridge(), 7, 7, kPeInsertAfter, "Letter_Insert");
    // A subset is no substitution; to the stacker, which the job's simplex
    // pages suit (the rules check the subsets held when the job changes).
    bridge().JSE_SetPageProperty(10, 20, 1, "", kPeFinishingSubset, 3);
    bridge().JSE_SetPageFeature(10, 20, kPeFinishingSubset, 3);
    // The pane answers inside the delivery of each update, so the recorder,
    // which registered after it, hears the answer first.
    std::vector<std::string> answered;
    for (int i = 0; i < 3; ++i)
        answered.insert(answered.end(),
                        {"peSubstitutionController::updatePeFeature", "finishingController::exceptionUpdate"});
    EXPECT_EQ(exchange.names(), answered);
    EXPECT_EQ(Punches(bridge()), " 3..5:64 7..7:64 9..9:64 10..20:");

    // Pages 3..5 not punched by hand; a value of 1 (the job's pattern) is
    // punched as any other that is not 0.
    perform({"select substitutionListView 0", "click punchSubstitution"});
    bridge().JSE_PageCollection_UpdatePageFeature(2, kPePunch, 1);
    NotificationCenter::Default().post("finishingController::exceptionUpdate");
    EXPECT_EQ(Punches(bridge()), " 3..5:0 7..7:64 9..9:1 10..20:64") << "the hand-set range survives the update";
    EXPECT_EQ(drawing(), Fixture("finishing_punched_ranges.txt"));
    // Every value but 0 punches for the rules too: only the range left
    // unpunched may take a paper that cannot be punched.
    for (const auto& [first, last, refusal] : {std::tuple{3, 5, 0}, {7, 7, 16134}, {9, 9, 16134}})
        EXPECT_EQ(bridge().JSE_ValidationOnExceptions(first, last, kPePaperSubstitution, "Letter_Cover", 0), refusal)
            << first;
    EXPECT_EQ(controller_test::Changes(before, ticket()), Fixture("finishing_punched_ranges_ticket.txt"));

    // Punching a body paper that cannot be punched is refused.
    perform({"click punchCheck"});
    ASSERT_EQ(bridge().HandleJobFeatures(kFeatureBodyPaper, 2, "Letter_Cover", 0), 0);
    perform({"click punchCheck"});
    EXPECT_EQ(newAlerts(), " \"Punching needs a body paper that can be punched.\"");
    EXPECT_EQ(Punches(bridge()), " 3..5:0 7..7:0 9..9:0 10..20:0");
    EXPECT_EQ(text("punchCheck") + text("punchSubstitution"), "00");
}

}  // namespace

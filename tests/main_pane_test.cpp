// The plug-in object and the main pane: the panes it makes, the pane
// protocol's answers, the pane as the interface file lays it out, the tab
// bar's bookkeeping, a fresh bridge with the application's job on every
// showing, the ready-to-print gate, help, and termination.
#include <gtest/gtest.h>

#include "AlertPanel.h"
#include "AppleHelp.h"
#include "Gestalt.h"
#include "SystemLog.h"
#include "OptionPane.h"
#include "UserDriver.h"
#include "controller_support.h"
#include "PropertyList.h"
#include "filter_test_support.h"
#include "pde_test_support.h"
#include "service_support.h"
#include "zqController.h"

using namespace platform;
using namespace pde_test;

namespace {

// A bridge whose working record the test can read, counting the bridges
// alive.
class OpenBridge : public zqController {
public:
    static inline int alive = 0;
    OpenBridge() { ++alive; }
    ~OpenBridge() override { --alive; }
    using zqController::workingRecord;
};

// The main pane with bridges the test can look into.
class TestMainPane : public LumaprexPDE {
public:
    using LumaprexPDE::LumaprexPDE;
    int bridgesMade = 0;
    int aliveBeforeTheLast = 0;  // bridges alive when the last one was made

protected:
    std::unique_ptr<zqController> newBridge() override {
        ++bridgesMade;
        aliveBeforeTheLast = OpenBridge::alive;
        return std::make_unique<OpenBridge>();
    }
};

// The main pane whose bridges after the first cannot start their engine.
class PaneWhoseLaterEnginesFail : public LumaprexPDE {
public:
    using LumaprexPDE::LumaprexPDE;

protected:
    std::unique_ptr<zqController> newBridge() override {
        if (m_made++ == 0) return LumaprexPDE::newBridge();
        return std::make_unique<controller_test::Bridge>(service_test::Part::Media);
    }

private:
    int m_made = 0;
};

// Every control of the tree that shows now and that a user can work.
void CollectWorkable(View& view, std::vector<Control*>& controls) {
    if (!view.isVisible()) return;
    auto* control = dynamic_cast<Control*>(&view);
    if (control && control->isEnabled() && (control->target() || dynamic_cast<TableView*>(control))) {
        controls.push_back(control);
    }
    for (View* child : view.children()) CollectWorkable(*child, controls);
}

// Works the control once as a user does: a click, a step, the first item or row.
void WorkOnce(Control& control) {
    if (auto* button = dynamic_cast<Button*>(&control)) button->performClick();
    else if (auto* matrix = dynamic_cast<Matrix*>(&control)) matrix->performClickOnCell(0);
    else if (auto* stepper = dynamic_cast<Stepper*>(&control)) stepper->performStep(true);
    else if (auto* combo = dynamic_cast<ComboBox*>(&control)) combo->performChoice(0);
    else if (auto* table = dynamic_cast<TableView*>(&control)) table->performClickOnRow(0, false);
    else control.sendAction();
}

const JSE_JobFeatureType& Record(const LumaprexPDE& pane) {
    return static_cast<const OpenBridge*>(pane.bridge())->workingRecord();
}

// The main pane with bridges the test looks into.
class MainPane : public MainPaneTest {
protected:
    TestMainPane& make() { return MainPaneTest::make<TestMainPane>(); }
    TestMainPane& show() { return MainPaneTest::show<TestMainPane>(); }
    TestMainPane& shown() const { return static_cast<TestMainPane&>(*pane); }
};

long Count(const LogRecorder& log, const std::string& line) {
    const std::vector<std::string> texts = log.texts();
    return std::count(texts.begin(), texts.end(), line);
}

// The tab bar's images with one button selected, in the bar's order.
std::string ImagesWithSelected(int selected) {
    const char* names[] = {"jobsetup", "finishing", "pefeature", "notification", "custom", "image", "summary"};
    std::string images;
    for (int i = 0; i < 7; ++i) images += std::string(names[i]) + (i == selected ? "2" : "1") + ".icns ";
    return images;
}

std::string ButtonImages(const View& root) {
    std::string images;
    for (const char* name : {"jobsetupButton", "finisherButton", "pagefeatureButton", "notificationButtom",
                             "customoptionButton", "imageoptionButton", "summaryButton"}) {
        const auto* button = dynamic_cast<const Button*>(const_cast<View&>(root).findView(name));
        images += (button && button->image() ? button->image()->name() : std::string("-")) + " ";
    }
    return images;
}

TEST_F(MainPane, PlugInKeepsItsFirstBundleAndMakesOnePaneForTheDialogsTypeOnly) {
    LumaprexPDEPlugIn plugIn;
    EXPECT_TRUE(plugIn.initWithBundle(bundle));
    EXPECT_TRUE(plugIn.initWithBundle(Bundle::Open(LUMAPREX_TEST_DATA "/pde/Labels.bundle")));
    EXPECT_EQ(PluginBundle().path(), bundle.path()) << "the first bundle stays";
    EXPECT_FALSE(plugIn.PDEPanelsForType("another type", &host)) << "nothing, not an empty list";
    const PDEPanelList panes = plugIn.PDEPanelsForType(kPrintDialogPaneType, &host);
    ASSERT_TRUE(panes);
    ASSERT_EQ(panes->size(), 1u);
    EXPECT_NE(dynamic_cast<LumaprexPDE*>(panes->front().get()), nullptr);
}

TEST_F(MainPane, PaneProtocolAnswersFromTheBundleAndFollowsTheOutputBin) {
    TestMainPane& main = show();
    EXPECT_EQ(main.panelName(), "Lumaprex");
    EXPECT_EQ(main.panelKind(), "com.varneth.pzf.lumaprexKind");
    EXPECT_EQ(main.supportedPPDOptionKeys(), std::vector<std::string>{"OutputBin"});
    EXPECT_TRUE(main.shouldHide());
    EXPECT_TRUE(main.restoreValuesAndReturnError(nullptr));
    EXPECT_TRUE(main.summaryInfo().empty());
    EXPECT_EQ(main.panelView(), main.panelView()) << "loaded once";
    EXPECT_EQ(main.outputBinIndex(), 0) << "the PPD's default, Top";
    struct Step {
        const char* key;
        const char* choice;
        int index;
    };
    const Step steps[] = {{"OutputBin", "Finisher", 2}, {"PageSize", "Stacker", 2}, {"OutputBin", "Stacker", 1},
                          {"OutputBin", "stacker", 0},  {"OutputBin", "", 0}};
    for (const Step& step : steps) {
        SCOPED_TRACE(std::string(step.key) + " " + step.choice);
        main.PPDOptionKeyValueDidChange(step.key, step.choice);
        EXPECT_EQ(main.outputBinIndex(), step.index);
    }
    host.offersPPD = false;
    main.PPDOptionKeyValueDidChange("OutputBin", "Finisher");
    EXPECT_EQ(main.outputBinIndex(), 2) << "the session's PPD serves as well";
    host.session->ppd = nullptr;
    main.PPDOptionKeyValueDidChange("OutputBin", "Finisher");
    EXPECT_EQ(main.outputBinIndex(), 0) << "no PPD";
}

TEST_F(MainPane, ShownPaneIsLaidOutByTheInterfaceFileWithJobSetupFirst) {
    TestMainPane& main = show();
    EXPECT_EQ(WithoutSourceDir(DrawAsText(*main.panelView())),
              filter_test::readFile(LUMAPREX_TEST_DATA "/pde/main_pane_shown.txt"));
    EXPECT_TRUE(alerts.alerts().empty());
    for (const std::string& line : log.texts()) EXPECT_EQ(line.find("help book"), std::string::npos) << line;
}

TEST_F(MainPane, TabBarShowsOneButtonSelectedAndTheAboutAndLicenceTabsLeaveIt) {
    TestMainPane& main = show();
    UserDriver user(*main.panelView());
    NotificationRecorder summaries("templateController::updateList");
    struct Step {
        const char* command;  // a click, or a notification to post
        int tab;
        int selectedButton;   // which of the seven shows its selected image
        std::size_t summaryUpdates;
    };
    const Step steps[] = {
        {"click finisherButton", 1, 1, 0},          {"click finisherButton", 1, 1, 0},
        {"click summaryButton", 6, 6, 1},           {"mainController::selectAbout", 7, 6, 1},
        {"mainController::selectLicense", 8, 6, 1}, {"click imageoptionButton", 5, 5, 1},
        {"click notificationButtom", 3, 3, 1},      {"click pagefeatureButton", 2, 2, 1},
        {"click customoptionButton", 4, 4, 1},      {"click jobsetupButton", 0, 0, 1},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.command);
        if (std::string_view(step.command).starts_with("click")) ASSERT_TRUE(user.perform(step.command)) << user.lastError();
        else NotificationCenter::Default().post(step.command);
        EXPECT_EQ(main.tabView()->indexOfSelectedTabViewItem(), step.tab);
        EXPECT_EQ(ButtonImages(*main.panelView()), ImagesWithSelected(step.selectedButton));
        EXPECT_EQ(summaries.objects().size(), step.summaryUpdates);
    }
}

TEST_F(MainPane, EveryShowingStartsAFreshBridgeWithTheApplicationsJob) {
    TestMainPane& main = show();
    NotificationRecorder announcements("jobSetupController::zqcontroller");
    const zqController* first = main.bridge();
    main.willShow();
    EXPECT_EQ(main.bridgesMade, 2);
    EXPECT_NE(main.bridge(), first);
    EXPECT_EQ(main.aliveBeforeTheLast, 0) << "the first bridge went before the second came";
    EXPECT_EQ(announcements.objects().size(), 2u) << "the panes let the first go, then follow the second";
    EXPECT_EQ(main.tabView()->indexOfSelectedTabViewItem(), 0);
    EXPECT_EQ(main.bridge()->GetDocumentTitle(), "Quarterly Report");
    EXPECT_EQ(Record(main).copyCount, 3);
    EXPECT_EQ(Record(main).orientation, 2);
}

// The bridge of the first showing is gone; the panes must not reach it.
TEST_F(MainPane, AfterAShowingWhoseEngineFailsNoClickOnAnyPaneReachesABridge) {
    LumaprexPDE& main = MainPaneTest::show<PaneWhoseLaterEnginesFail>();
    main.willShow();
    const char* followers[] = {"jobSetupController", "finishingController", "peController",
                               "notificationController", "customController", "imageController"};
    for (const char* name : followers) {
        SCOPED_TRACE(name);
        EXPECT_EQ(dynamic_cast<const OptionPane&>(*main.loadedInterface()->object(name)).bridge(), nullptr);
    }
    NotificationRecorder broadcasts("lumaTemplate::applySettings");
    UserDriver user(*main.panelView());
    for (const char* tab : {"jobsetupButton", "finisherButton", "pagefeatureButton", "notificationButtom",
                            "customoptionButton", "imageoptionButton"}) {
        SCOPED_TRACE(tab);
        ASSERT_TRUE(user.click(tab)) << user.lastError();
        std::vector<Control*> controls;
        CollectWorkable(*main.tabView(), controls);
        EXPECT_FALSE(controls.empty());
        for (Control* control : controls) WorkOnce(*control);
    }
    EXPECT_TRUE(broadcasts.objects().empty()) << "no pane wrote its settings";
}

// A copy of the extension's bundle whose data folder holds the shipped files,
// of the rule file its first bytes only, or no rule file.
class BundleOnRules {
public:
    explicit BundleOnRules(std::optional<std::size_t> ruleBytes) {
        std::filesystem::copy(kBundleDir, m_bundle.path(), std::filesystem::copy_options::recursive);
        Dictionary info = ReadDictionaryFile(m_bundle.file("Info.plist"));
        ruleFile = m_data.file(info["ValidationFile"].text());
        if (ruleBytes)
            filter_test::writeFile(ruleFile, filter_test::readFile(ruleFile).substr(0, *ruleBytes));
        else
            std::filesystem::remove(ruleFile);
        for (const auto& [key, value] : {std::pair{"RootPath", m_data.file("")}, {"CompanyName", ""}, {"ProductName", ""}})
            info.set(key, value);
        WritePropertyListFile(m_bundle.file("Info.plist"), info);
    }
    Bundle open() const { return Bundle::Open(m_bundle.path()); }
    std::string ruleFile;

private:
    service_test::DataFolder m_data;
    filter_test::TempDir m_bundle;
};

TEST_F(MainPane, DamagedRuleFileIsToldOnceWhenThePaneStartsAndAMissingOneIsNot) {
    const struct {
        const char* name;
        std::optional<std::size_t> ruleBytes;
        std::size_t alerts;
    } cases[] = {{"whole", std::string::npos, 0}, {"cut short", 100, 1}, {"empty", 0, 1}, {"missing", std::nullopt, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const BundleOnRules data(c.ruleBytes);
        bundle = data.open();
        AlertRecorder told;
        LogRecorder console;
        show();
        shown().willShow();
        ASSERT_EQ(told.messages().size(), c.alerts) << "once for the pane, at its first showing";
        if (c.alerts == 0) continue;
        EXPECT_EQ(told.messages()[0], bundle.localizedString(std::to_string(kRulesCannotBeReadLabel), "Labels"));
        EXPECT_NE(told.messages()[0], "Labels") << "a label of its own";
        const std::vector<std::string> lines = console.texts();
        const std::string named = "rule file \"" + data.ruleFile;
        const auto namesTheFile = [&](const std::string& line) { return line.starts_with(named); };
        EXPECT_EQ(std::count_if(lines.begin(), lines.end(), namesTheFile), 2) << "one for each engine started";
    }
}

TEST_F(MainPane, ApplicationsCopiesNameAndOrientationReachTheBridgeWithinTheirLimits) {
    struct Case {
        const char* name;
        bool settings;
        Value copies;  // None: no copies setting
        std::optional<std::string> jobName;
        bool pageFormat;
        std::optional<PMOrientation> orientation;
        int bridgeCopies;
        const char* bridgeName;
        int bridgeOrientation;
    };
    const Case cases[] = {
        {"portrait", true, 12, "Memo", true, PMOrientation::Portrait, 12, "Memo", 1},
        {"reverse portrait", true, 1, "Memo", true, PMOrientation::ReversePortrait, 1, "Memo", 4},
        {"reverse landscape", true, 1, "Memo", true, PMOrientation::ReverseLandscape, 1, "Memo", 3},
        {"copies above the ceiling", true, 150000, "Memo", true, PMOrientation::Landscape, 99999, "Memo", 2},
        {"no copies", true, 0, "Memo", true, PMOrientation::Landscape, 1, "Memo", 2},
        {"negative copies", true, -4, "Memo", true, PMOrientation::Landscape, 1, "Memo", 2},
        {"copies as a word", true, "many", "Memo", true, PMOrientation::Landscape, 1, "Memo", 2},
        {"copies not set, no name, no orientation", true, Value(), std::nullopt, true, std::nullopt, 1, "Untitled", 2},
        {"no page format", true, 7, "Memo", false, PMOrientation::Portrait, 7, "Memo", 2},
        {"no print settings", false, 7, "Memo", true, PMOrientation::Portrait, 1, "Untitled", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host.settings = PrintSettings{};
        if (!c.copies.isNone()) host.settings->values.set("com.apple.print.PrintSettings.PMCopies", c.copies);
        host.settings->jobName = c.jobName;
        if (!c.settings) host.settings.reset();
        host.format = PageFormat{c.orientation};
        if (!c.pageFormat) host.format.reset();
        TestMainPane& main = show();
        EXPECT_EQ(Record(main).copyCount, c.bridgeCopies);
        EXPECT_EQ(main.bridge()->GetDocumentTitle(), c.bridgeName);
        EXPECT_EQ(Record(main).orientation, c.bridgeOrientation);
    }
}

TEST_F(MainPane, PrintAfterAnEditIsRefusedOnceAndTheGateOpensAgain) {
    TestMainPane& main = show();
    EXPECT_EQ(main.readyToPrintGate(), "1");
    NotificationCenter::Default().post("mainController::readyToPrint", "0");
    EXPECT_FALSE(main.shouldPrint());
    EXPECT_EQ(Count(log, "got to create print job ticket"), 0) << "nothing sent";
    EXPECT_EQ(main.readyToPrintGate(), "1");
    EXPECT_TRUE(main.shouldPrint());
    EXPECT_EQ(Count(log, "got to create print job ticket"), 1);
    EXPECT_TRUE(alerts.alerts().empty());
}

TEST_F(MainPane, PrintWithoutAShowingMakesItsBridgeAndOlderSystemsPrintOnSave) {
    EXPECT_TRUE(make().shouldPrint());
    EXPECT_EQ(shown().bridgesMade, 1);
    EXPECT_EQ(Record(*pane).copyCount, 3);

    EXPECT_TRUE(make().saveValuesAndReturnError(nullptr)) << "10.5 and later print on shouldPrint";
    EXPECT_TRUE(alerts.alerts().empty());
    SetGestaltValue(kGestaltSystemVersion, 0x1049);
    EXPECT_FALSE(pane->saveValuesAndReturnError(nullptr)) << "a print without its ticket does not go";
    SetGestaltValue(kGestaltSystemVersion, 0x1090);
    EXPECT_EQ(shown().bridgesMade, 0) << "saving makes no bridge";
    EXPECT_EQ(alerts.messages(), std::vector<std::string>{"Job controller is missing. The document was not printed, "
                                                          "so that it does not go out without its job ticket."});
}

TEST_F(MainPane, HelpOpensTheBooksStartPage) {
    HelpRecorder help;
    TestMainPane& main = show();
    EXPECT_FALSE(main.shouldShowHelp());
    ASSERT_EQ(help.pages().size(), 1u);
    EXPECT_EQ(help.pages()[0], bundle.resourcePath() / "English.lproj/LumaprexHelp/index.html");
}

TEST_F(MainPane, GoingAwayEndsThePanesInOrderAndLetsTheBundleGo) {
    show();
    NotificationSequence ends({"peController::termination", "imageController::termination",
                               "finishingController::termination", "notificationController::termination",
                               "jobSetupController::termination"});
    pane.reset();
    EXPECT_EQ(ends.names(), (std::vector<std::string>{"peController::termination", "imageController::termination",
                                                      "finishingController::termination",
                                                      "notificationController::termination",
                                                      "jobSetupController::termination"}));
    EXPECT_FALSE(PluginBundle());
}

}  // namespace

// The option-pane framework, through a small pane of staple positions driven
// as a user would against the real controller bridge: labels and their
// stripping rules, the observer pairs, the feature road with its alert, the
// group write and broadcast, putting a control back without sending it
// again, the ready-to-print post, column widths and termination.
#include <gtest/gtest.h>

#include "AlertPanel.h"
#include "OptionPane.h"
#include "UserDriver.h"
#include "pde_test_support.h"
#include "zqController.h"

using namespace platform;
using namespace pde_test;

namespace {

// Staple positions as rows (row r sends position r + 1), and a note field
// whose end of editing holds the next print back.
class StaplePane : public OptionPane,
                   public TableDataSource,
                   public TableDelegate,
                   public TextFieldDelegate {
public:
    TableView* stapleTable = nullptr;
    TextField* noteField = nullptr;
    int applied = 0;
    int selections = 0;

    StaplePane() : OptionPane("finishingController", "finisher", kUnstrippedLabels) {
        declareOutlet("stapleTable", stapleTable);
        declareOutlet("noteField", noteField);
        registerForTermination();
        registerForJobFeatureUpdate();
        registerZQController();
    }
    ~StaplePane() override { termination(); }

    using OptionPane::getMaxStringWidth;
    using OptionPane::getNSStringWithID;
    using OptionPane::handleFeature;
    using OptionPane::showAlert;

    void awakeFromNib() override { stapleTable->reloadData(); }

    // The stored position is shown without being sent again.
    void applySettings() override {
        ++applied;
        putBack([this] { selectStoredPosition(); });
    }

    int numberOfRowsInTableView(TableView&) override { return 5; }
    std::string objectValueForTableColumn(TableView&, const TableColumn&, int row) override {
        return getNSStringWithID(10049 + row);
    }
    void tableViewSelectionDidChange(TableView& table) override {
        ++selections;
        const int row = table.selectedRow();
        if (row < 0) return;
        if (handleFeature(114, row + 1, {}, 0) == 0) updateGroup({{"staplerPosition", FormatInteger(row + 1)}});
        else putBack([this] { selectStoredPosition(); });
    }
    void controlTextDidEndEditing(TextField&) override { postReadyToPrint(); }

private:
    // The stored position; none while the group has none.
    void selectStoredPosition() {
        stapleTable->deselectAll();
        stapleTable->selectRow(std::max(group()["staplerPosition"].intValue(), 1) - 1, false);
    }
};

// The pane's interface: one section under a root the owner holds.
Dictionary StaplePaneFile() {
    const Dictionary table = {{"class", "TableView"}, {"outlet", "stapleTable"}, {"dataSource", "pane"},
                              {"delegate", "pane"}, {"columns", Array{Dictionary{{"identifier", "0"}, {"title", 10017}}}}};
    const Dictionary field = {{"class", "TextField"}, {"outlet", "noteField"}, {"delegate", "pane"}};
    return {{"Objects", Array{Dictionary{{"name", "pane"}, {"class", "StaplePane"}}}},
            {"Views", Dictionary{{"root", Dictionary{{"class", "View"}, {"outlet", "root"}, {"subviews", Array{Dictionary{{"view", "staples"}}}}}},
                                 {"staples", Dictionary{{"controller", "pane"}, {"class", "View"}, {"subviews", Array{table, field}}}}}}};
}

class RootOwner : public InterfaceObject {
public:
    View* root = nullptr;
    RootOwner() { declareOutlet("root", root); }
};

class OptionPanes : public ExtensionTest {
protected:
    void SetUp() override {
        ExtensionTest::SetUp();
        load = LoadInterface(bundle, StaplePaneFile(), owner, [](std::string_view name) -> std::unique_ptr<InterfaceObject> {
            if (name == "StaplePane") return std::make_unique<StaplePane>();
            return nullptr;
        });
        ASSERT_EQ(load.error, InterfaceError::None) << load.reason;
        pane = static_cast<StaplePane*>(load.interface->object("pane"));
    }

    RootOwner owner;
    InterfaceLoad load;
    StaplePane* pane = nullptr;
    AlertRecorder alerts;
};

TEST(LabelLookup, EachPaneStripsItsOwnLabels) {
    const Bundle labels = Bundle::Open(LUMAPREX_TEST_DATA "/pde/Labels.bundle");
    const LabelRule* rules[] = {&kMainPaneLabels, &kJobSetupLabels, &kNotificationLabels, &kPageSetLabels,
                                &kPageExceptionLabels, &kTemplateLabels, &kUnstrippedLabels};
    struct Case {
        int id;
        const char* texts[7];  // main, job setup, notification, page set, page exception, template, unstripped
    };
    const Case cases[] = {
        {-2011, {"Summary all", "Summary all", "Summary all", "Summary all", "Summary all", "Summary: all", "Summary: all"}},
        {10084, {"Sheets", "Sheets:", "Sheets", "Sheets", "Sheets", "Sheets:", "Sheets:"}},
        {10096, {"Size", "Size", "Size", "Size:", "Size:", "Size:", "Size:"}},
        {10099, {"Type", "Type", "Type", "Type:", "Type:", "Type:", "Type:"}},
        {10100, {"Name", "Name", "Name", "Name", "Name", "Name::", "Name::"}},
        {10163, {"Pages %d: to %d:", "Pages %d: to %d:", "Pages %d: to %d:", "Pages %d: to %d:", "Pages %d: to %d:",
                 "Pages %d: to %d:", "Pages %d: to %d:"}},
        {10193, {"Time:", "Time:", "Time:", "Time:", "Time:", "Time:", "Time:"}},
        {12011, {"About... Lumaprex...", "About... Lumaprex...", "About... Lumaprex...", "About... Lumaprex...",
                 "About... Lumaprex...", "About: Lumaprex", "About...: Lumaprex..."}},
        {16035, {"Apply to %s %s", "Apply to %s %s", "Apply to %s %s", "Apply to %s %s", "Apply to : ", "Apply to %s: %s",
                 "Apply to %s: %s"}},
        {99999, {"Labels", "Labels", "Labels", "Labels", "Labels", "Labels", "Labels"}},
    };
    for (const Case& c : cases) {
        for (std::size_t pane = 0; pane < std::size(rules); ++pane) {
            SCOPED_TRACE(testing::Message() << "label " << c.id << ", rule " << pane);
            EXPECT_EQ(getNSStringWithID(labels, c.id, *rules[pane]), c.texts[pane]);
        }
    }
    EXPECT_EQ(getNSStringWithID(Bundle(), 10001, kMainPaneLabels), "") << "no bundle, no text";
    Bundle::ForgetAll();
}

TEST_F(OptionPanes, PaneFollowsTheBridgeAndItsSettingsEachTimeTheyCome) {
    EXPECT_EQ(pane->bridge(), nullptr);
    EXPECT_FALSE(pane->jobFeatureDictionary());
    EXPECT_EQ(pane->handleFeature(114, 4, {}, 0), 0) << "no bridge yet: accepted without a word";
    EXPECT_TRUE(alerts.alerts().empty());

    zqController bridge;
    bridge.setBundle(bundle);
    EXPECT_EQ(pane->bridge(), &bridge);
    ASSERT_TRUE(pane->jobFeatureDictionary());
    EXPECT_EQ(pane->applied, 1);
    EXPECT_EQ(pane->stapleTable->selectedRow(), 0) << "staple none, from the dictionary";
    EXPECT_EQ(pane->selections, 1) << "shown, and not sent";

    const Dictionary first = *pane->jobFeatureDictionary();
    NotificationCenter::Default().post("finishingController::applySettings", first);
    EXPECT_EQ(pane->applied, 2) << "equal settings are applied again";
    EXPECT_FALSE(pane->jobFeatureDictionary()->isSameDictionary(first)) << "into a new copy";
    EXPECT_TRUE((*pane->jobFeatureDictionary())["finisher"].dictionary().isSameDictionary(first["finisher"].dictionary()))
        << "whose groups are the poster's";
}

TEST_F(OptionPanes, RefusedValueShowsOneAlertAndPutsTheControlBackWithoutSendingIt) {
    zqController bridge;
    bridge.setBundle(bundle);
    NotificationRecorder broadcasts("lumaTemplate::applySettings");
    UserDriver user(*owner.root);

    // A stored position the engine refuses too: putting it back must not send it.
    pane->jobFeatureDictionary()->operator[]("finisher").dictionary().set("staplerPosition", "2");
    ASSERT_TRUE(user.perform("select stapleTable 3"));
    EXPECT_EQ(alerts.messages(), std::vector<std::string>{bundle.localizedString("16300", "Labels")});
    EXPECT_EQ(alerts.alerts()[0].defaultButton, "OK");
    EXPECT_EQ(pane->stapleTable->selectedRow(), 1) << "back to the stored position";
    EXPECT_TRUE(broadcasts.objects().empty()) << "nothing written";

    ASSERT_TRUE(user.perform("select stapleTable 0"));
    EXPECT_EQ(alerts.alerts().size(), 1u);
    ASSERT_EQ(broadcasts.objects().size(), 1u);
    EXPECT_EQ(broadcasts.objects()[0]["finisher"]["staplerPosition"], Value("1"));
    EXPECT_TRUE(broadcasts.objects()[0].dictionary().isSameDictionary(*pane->jobFeatureDictionary()))
        << "the pane's whole dictionary";
}

TEST_F(OptionPanes, AlertsShowTheirTextAsItStands) {
    pane->showAlert("100% of %s and %d");
    ASSERT_EQ(alerts.alerts().size(), 1u);
    EXPECT_EQ(alerts.alerts()[0].message, "100% of %s and %d");
    EXPECT_EQ(alerts.alerts()[0].title, "");
    EXPECT_EQ(alerts.alerts()[0].alternateButton, "");
}

TEST_F(OptionPanes, EndingAnEditHoldsTheNextPrintBackAndTerminationLetsEverythingGo) {
    NotificationRecorder ready("mainController::readyToPrint");
    UserDriver user(*owner.root);
    ASSERT_TRUE(user.type("noteField", "x"));
    EXPECT_TRUE(ready.objects().empty());
    ASSERT_TRUE(user.endEditing());
    EXPECT_EQ(ready.objects(), std::vector<Value>{Value("0")});

    zqController bridge;
    bridge.setBundle(bundle);
    ASSERT_TRUE(pane->jobFeatureDictionary());
    NotificationCenter::Default().post("finishingController::termination");
    EXPECT_FALSE(pane->jobFeatureDictionary());
    EXPECT_EQ(NotificationCenter::Default().registrationCount(pane), 0u);
}

TEST_F(OptionPanes, ColumnsWidenForTextsWiderThanTheirReference) {
    struct Case {
        const char* text;
        int reference;
        int width;
    };
    const Case cases[] = {
        {"", 80, 80},          {"Letter", 80, 80},     {"Letter A4", 80, 108},
        {"Letter A4", 90, 90}, {"Letter A4", 89, 108}, {"\xC3\x9C" "bergr\xC3\xB6\xC3\x9F" "e", 80, 108},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(pane->getMaxStringWidth(c.text, c.reference), c.width);
    }
}

}  // namespace

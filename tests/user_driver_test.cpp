// The user driver on the sample interface: what each kind of control does
// when worked as a user would, what it tells its target and delegate, and
// what a user cannot do (hidden, disabled, not shown, kept in a field).
#include <gtest/gtest.h>

#include "filter_test_support.h"
#include "interface_test_support.h"
#include "UserDriver.h"

using namespace platform;
using namespace interface_test;

namespace {

class UserDriving : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(sample.load.error, InterfaceError::None) << sample.load.reason;
        Events().clear();
    }
    void TearDown() override { Bundle::ForgetAll(); }

    LoadedSample sample;
    AlertRecorder alerts;
    UserDriver user{*sample.owner.root};
};

TEST_F(UserDriving, ScriptCommandsWorkTheControlsAndTellTargetsAndDelegates) {
    struct Step {
        const char* command;
        std::vector<std::string> events;  // what reached the pane, in order
        const char* refusal;              // "" when the command is done
    };
    const Step steps[] = {
        {"click check", {"check 1"}, ""},
        {"click check", {"check 0"}, ""},
        {"click root", {}, "\"root\" is no button"},
        {"type field 4a2", {"changed 4", "changed 4", "changed 42"}, ""},
        {"type field", {"changed "}, ""},
        {"click check", {}, "\"field\" keeps the user in it"},
        {"type field 7", {"changed 7"}, ""},
        {"end", {"ended 7"}, ""},
        {"step stepper up 2", {"step 0.8", "step 0.8"}, ""},
        {"step stepper down", {"step 0.79"}, ""},
        {"step stepper sideways", {}, "\"step stepper sideways\" is no command a user can do"},
        {"choose matrix After", {"matrix After"}, ""},
        {"choose matrix 0", {"matrix Before"}, ""},
        {"choose matrix 2", {}, "\"matrix\" has no cell \"2\""},
        {"select table 0", {}, "no visible control \"table\""},
        {"click tabButton", {}, ""},
        {"click check", {}, "no visible control \"check\""},
        {"select table 0,2,1", {"should select 0", "selected 0", "should select 2", "should select 1", "selected 1"}, ""},
        {"select table 3", {}, "\"table\" has no row 3"},
        {"choose combo Literal", {"combo Literal"}, ""},
        {"choose combo 0", {"combo Top Tray"}, ""},
        {"tab tabs 0", {}, "\"tabs\" shows no tabs to click"},
        {"dance", {}, "\"dance\" names no control"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.command);
        Events().clear();
        EXPECT_EQ(user.perform(step.command), *step.refusal == '\0');
        EXPECT_EQ(user.lastError(), step.refusal);
        EXPECT_EQ(Events(), step.events);
    }
    EXPECT_EQ(alerts.beeps(), 1) << "the refused letter";
    EXPECT_EQ(sample.owner.pane->table->selectedRowIndexes(), (std::set<int>{0, 1}));
    EXPECT_EQ(DrawAsText(*sample.owner.root), filter_test::readFile(LUMAPREX_TEST_DATA "/interface/sample_driven.txt"));
}

TEST_F(UserDriving, DisabledAndHiddenControlsCannotBeWorked) {
    sample.owner.pane->check->setEnabled(false);
    EXPECT_FALSE(user.click("check"));
    EXPECT_EQ(user.lastError(), "\"check\" is disabled");
    sample.owner.pane->check->setEnabled(true);
    sample.owner.pane->check->superview()->setHidden(true);
    EXPECT_FALSE(user.click("check"));
    EXPECT_EQ(user.lastError(), "no visible control \"check\"");
    sample.owner.pane->check->superview()->setHidden(false);
    EXPECT_TRUE(user.click("check"));
    EXPECT_FALSE(user.type("caption", "x"));
    EXPECT_EQ(user.lastError(), "\"caption\" cannot be edited");
    EXPECT_TRUE(user.type("root/field", "5")) << "a path names a field inside a view";
    EXPECT_FALSE(user.type("spare/field", "5")) << user.lastError();
    EXPECT_EQ(Events(), (std::vector<std::string>{"check 1", "changed 5"}));
}

TEST_F(UserDriving, SelectionsFromCodeTellTheDelegateButAreNotAskedAbout) {
    user.click("tabButton");
    TableView& table = *sample.owner.pane->table;
    Events().clear();
    table.selectRow(2, false);
    table.selectRow(2, false);
    table.selectRowIndexes({0, 1}, true);
    table.deselectAll();
    table.selectRowIndexes({0, 2}, false);
    sample.owner.pane->rows.pop_back();
    table.reloadData();
    table.reloadData();
    EXPECT_EQ(Events(), (std::vector<std::string>{"selected 2", "selected 1", "selected -1", "selected 2",
                                                  "selected 0"}))
        << "each change once, none for a selection that stays";
    EXPECT_EQ(table.selectedRowIndexes(), std::set<int>{0});
}

}  // namespace

// The notification tab as a user works it: the status page's mode and
// paper reaching the dictionary and the ticket, refusals put back without
// sending again, and the pane restored from the dictionary. Its texts are
// tested with the other typed texts (typed_text_test.cpp).
#include <gtest/gtest.h>

#include "JSE_Validation.h"
#include "pane_test_support.h"
#include "validation_support.h"

using namespace platform;

namespace {

class NotificationPane : public pane_test::PaneTest {
protected:
    void show(const std::string& rules = {}) { showTab("notificationButtom", rules); }
};

TEST_F(NotificationPane, StatusModesAndPapersReachTheDictionaryAndTheTicket) {
    struct Step {
        const char* command;
        const char* title;
        const char* mode;
        const char* paper;
        const char* line;
    };
    const Step steps[] = {
        {"click statusOnError", "Status page: On error", "2", "", "%VLXError: onerror (Letter)"},
        {"select statusPaperListView 5", "Status page: On error", "2", "Letter_Red", "%VLXError: onerror (Letter_Red)"},
        {"click statusFirstPage", "Status page: Before the first page", "4", "Letter_Red", "%VLXError: 1page (Letter_Red)"},
        {"click statusAlways", "Status page: Always", "3", "Letter_Red", "%VLXError: on (Letter_Red)"},
        {"select statusPaperListView 0", "Status page: Always", "3", "", "%VLXError: on (Letter)"},
        {"click statusNone", "Status page: None", "1", "", "%VLXError: off "},
    };
    show();
    for (const Step& step : steps) {
        SCOPED_TRACE(step.command);
        perform(step.command);
        EXPECT_EQ(view<TextField>("statusPageTitle").stringValue(), step.title);
        EXPECT_EQ(broadcastGroup("notification")["statusMode"].text(), step.mode);
        EXPECT_EQ(broadcastGroup("notification")["statusPaper"].text(), step.paper);
        EXPECT_EQ(ticketLine("%VLXError: "), step.line);
    }
    NotificationCenter::Default().post("notificationController::columnSizeUpdate", Dictionary{{"maxSize", "97"}});
    const TableColumn& size = *view<TableView>("statusPaperListView").tableColumnWithIdentifier("1");
    EXPECT_EQ(std::vector<double>({size.minWidth, size.width, size.maxWidth}), std::vector<double>({80, 97, 127}));
}

// A refused choice shows one alert and leaves buttons, table and dictionary
// as they were; a restore sends nothing, so a stored paper the rules refuse
// is shown without an alert.
TEST_F(NotificationPane, RefusalsPutTheChoiceBackAndRestoringSendsNothing) {
    using validation_test::Rule;
    std::vector<validation_test::ControlBytes> table = validation_test::EmptyTable();
    table[eJSE_StatusModeSelection] = {2, 1, {Rule().Parent(4).If(eJSE_DeliverToEdit).Check(5).Says(16306)}};
    table[eJSE_StatusPaperSelection] = {1, -1, {Rule().If(eJSE_StatusModeSelection, 3, 3).Check(5).Says(16305)}};
    show(validation_test::RuleBytes(table));
    perform("click statusAlways");
    const std::size_t written = broadcasts.objects().size();
    perform("click statusFirstPage");
    perform("select statusPaperListView 5");
    EXPECT_EQ(alerts.messages(), (std::vector<std::string>{bundle.localizedString("16306", ""), bundle.localizedString("16305", "")}));
    EXPECT_EQ(view<TextField>("statusPageTitle").stringValue(), "Status page: Always");
    EXPECT_EQ(view<TableView>("statusPaperListView").selectedRow(), 0);
    EXPECT_EQ(broadcasts.objects().size(), written);

    Dictionary stored = pane_test::Restored("notification", {{"statusMode", "4"}, {"statusPaper", "Letter_Red"},
                                                             {"eMailAddressText", "ops@x.org"}, {"deliverToText", "Desk 4"},
                                                             {"operatorMessageText", "Tray 3"}, {"chargeNumberText", "C-17"}});
    NotificationCenter::Default().post("notificationController::applySettings", stored);
    EXPECT_EQ(alerts.alerts().size(), 2u);
    EXPECT_EQ(DrawAsText(*pane->panelView()), pane_test::PaneFixture("notification_restored.txt"));
}

}  // namespace

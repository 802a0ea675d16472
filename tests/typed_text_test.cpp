// Text typed into the notification and custom-command tabs: characters
// outside the field's class are removed and a text over the field's byte
// limit is cut on a whole character with a beep; what the field then shows is
// what the dictionary, the engine and the ticket get.
#include <gtest/gtest.h>

#include "pane_test_support.h"

using namespace platform;

namespace {

using TypedText = pane_test::PaneTest;
using Job = JSE_JobFeatureType;

std::string Repeat(const std::string& text, int times) {
    std::string out;
    while (times-- > 0) out += text;
    return out;
}

// The ticket prints a text as it stands when it is 7-bit, else marked as
// UTF-8; the e-mail line carries 7-bit text only, so its field keeps ASCII
// alone, and a printer name is cut to 31 bytes of its printed form. The
// command text keeps 254 bytes, as many as the engine keeps.
TEST_F(TypedText, FieldsKeepTheirClassAndByteLimitAndTheMendedTextIsStoredAndPrinted) {
    struct Case {
        const char* field;
        std::string input;
        bool pasted;
        std::string shown;
        int beeps;
        const char* key;
        WString Job::*stored;  // none: the custom command's text
        const char* keyword;
        std::string printed;  // after the keyword; "" for no line
    };
    struct Tab {
        const char* button;
        const char* group;
        std::vector<const char*> setup;
        std::vector<Case> cases;
    };
    const std::string ue = "\u00fc", e = "\u00e9", ri = "\u65e5", build = "%ZQ-JSE-3-0-Build: 08.01.0004\r\n";
    const Tab tabs[] = {
        {"notificationButtom", "notification", {}, {
            {"eMailEditField", "a b\\c@x.org", false, "a bc@x.org", 0, "eMailAddressText", &Job::eMailAddressText,
             "%VLXEmail: ", "(a bc@x.org)"},
            {"eMailEditField", "J\u00f6rg\u20ac@x.org", false, "Jrg@x.org", 0, "eMailAddressText", &Job::eMailAddressText,
             "%VLXEmail: ", "(Jrg@x.org)"},
            {"eMailEditField", Repeat(ue, 130), true, "", 0, "eMailAddressText", &Job::eMailAddressText, "%VLXEmail: ", ""},
            {"eMailEditField", "a\x7f" "b@x.org", false, "ab@x.org", 0, "eMailAddressText", &Job::eMailAddressText,
             "%VLXEmail: ", "(ab@x.org)"},
            {"operatorEditField", "Tray 3 \u263a\U0001F600!", false, "Tray 3 \u263a!", 0, "operatorMessageText",
             &Job::operatorMessageText, "%%OperatorMessage: ", "(utf8:Tray 3 \u263a!)"},
            {"operatorEditField", Repeat("m", 100) + "\\" + Repeat("m", 30), true, Repeat("m", 127), 1,
             "operatorMessageText", &Job::operatorMessageText, "%%OperatorMessage: ", "(" + Repeat("m", 127) + ")"},
            {"deliverToEditField", Repeat("d", 64), false, Repeat("d", 63), 1, "deliverToText", &Job::deliverToText,
             "%%Routing: ", "(" + Repeat("d", 63) + ")"},
            {"deliverToEditField", Repeat(e, 40), false, Repeat(e, 31), 9, "deliverToText", &Job::deliverToText,
             "%%Routing: ", "(utf8:" + Repeat(e, 31) + ")"},
            {"chargeNumberEditField", Repeat(ri, 21) + "x", true, Repeat(ri, 21), 1, "chargeNumberText",
             &Job::chargeNumberText, "%VLXChargeNumber: ", "(utf8:" + Repeat(ri, 21) + ")"},
            {"chargeNumberEditField", "", false, "", 0, "chargeNumberText", &Job::chargeNumberText, "%VLXChargeNumber: ", ""},
        }},
        {"customoptionButton", "custom",
         {"choose destination 1", "click storeButton", "click specificPrinterButton", "click userDefinedCommandFileButton"}, {
            {"userIDEditText", "ops/1\\2", false, "ops12", 0, "createTIFFPath", &Job::createTIFFPath, "%VLXDestination: ",
             "(/Rip/ops12/Untitled)"},
            {"userIDEditText", Repeat("u", 300), true, Repeat("u", 255), 1, "createTIFFPath", &Job::createTIFFPath,
             "%VLXDestination: ", "(/Rip/" + Repeat("u", 255) + "/Untitled)"},
            {"storeEditText", "week/ly", false, "weekly", 0, "saveAsFileNameText", &Job::saveAsFileNameText,
             "%VLXPrintMethod:", " store(weekly)"},
            {"storeEditText", Repeat("a", 70), true, Repeat("a", 64), 1, "saveAsFileNameText", &Job::saveAsFileNameText,
             "%VLXPrintMethod:", " store(" + Repeat("a", 64) + ")"},
            {"storeEditText", Repeat(e, 40), true, Repeat(e, 32), 1, "saveAsFileNameText", &Job::saveAsFileNameText,
             "%VLXPrintMethod:", " store(utf8:" + Repeat(e, 32) + ")"},
            {"specificPrinterEditText", "Queue/7\uf900", false, "Queue7", 0, "specificPrinterNameText",
             &Job::specificPrinterNameText, "%%DocumentPrinterRequired: ", "(Queue7) (LXQ01)"},
            {"specificPrinterEditText", Repeat(e, 20), true, Repeat(e, 15), 1, "specificPrinterNameText",
             &Job::specificPrinterNameText, "%%DocumentPrinterRequired: ", "(utf8:" + Repeat(e, 13) + ") (LXQ01)"},
            {"userDefinedCustomCommandEditText", Repeat("y", 300), true, Repeat("y", 254), 1, "command", nullptr, build.c_str(),
             Repeat("y", 254)},
            {"userDefinedCustomCommandEditText", Repeat("x", 253) + e + "\\/", true, Repeat("x", 253), 1, "command", nullptr,
             build.c_str(), Repeat("x", 253)},
        }},
    };
    showTab("jobsetupButton");
    for (const Tab& tab : tabs) {
        perform(std::string("click ") + tab.button);
        for (const char* command : tab.setup) perform(command);
        for (const Case& c : tab.cases) {
            SCOPED_TRACE(std::string(c.field) + " " + c.input);
            const int beeps = alerts.beeps();
            if (c.pasted) paste(c.field, c.input);
            else perform(std::string("type ") + c.field + " " + c.input);
            EXPECT_EQ(view<TextField>(c.field).stringValue(), c.shown);
            EXPECT_EQ(alerts.beeps() - beeps, c.beeps);
            EXPECT_EQ(broadcastGroup(tab.group)[c.key], Value(c.shown));
            JSE_CustomCommandType command;
            bridge.engine()->JSE_Preference_Get_CustomRecord(command);
            EXPECT_EQ(c.stored ? zqController::wstringToNSString(bridge.workingRecord().*c.stored) : command.CommandText(),
                      c.shown);
            bridge.HandleJobFeatures(kFeatureCopies, 1, {}, 0);  // as the print road does, so the ticket takes the command
            EXPECT_EQ(ticketLine(c.keyword), c.printed.empty() ? "" : c.keyword + c.printed);
        }
    }
    pde_test::NotificationRecorder ready("mainController::readyToPrint");
    ASSERT_TRUE(user->click("notificationButtom"));
    ASSERT_TRUE(user->type("eMailEditField", "x"));
    ASSERT_TRUE(user->endEditing());
    EXPECT_EQ(ready.objects(), std::vector<Value>{Value("0")}) << "the notification tab's fields only";
    EXPECT_TRUE(alerts.alerts().empty());
}

}  // namespace

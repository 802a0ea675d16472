// The custom-command tab as a user works it: the destination choices in the
// group and the engine; the command boxes, insert buttons and their restore;
// and the custom command reaching the hand-out exactly as the bridge's own
// hand-out tests have it. Its names and command text are tested with the
// other typed texts (typed_text_test.cpp).
#include <gtest/gtest.h>


#include "OpenPanel.h"
#include "UserEnvironment.h"
#include "pane_test_support.h"

using namespace platform;

namespace {

class CustomPane : public pane_test::PaneTest {
protected:
    void SetUp() override {
        PaneTest::SetUp();
        showTab("customoptionButton");
    }
    std::string record(WString JSE_JobFeatureType::*text) { return zqController::wstringToNSString(bridge.workingRecord().*text); }
    std::string enabled(std::initializer_list<const char*> outlets) {
        std::string flags;
        for (const char* outlet : outlets) flags += view<Control>(outlet).isEnabled() ? '1' : '0';
        return flags;
    }
    OpenPanelRecorder panels;
};

// Choosing print ends the TIFF in the group and in the engine; a box turned
// off keeps its name in the group while the engine drops it.
TEST_F(CustomPane, DestinationChoicesReachTheGroupAndTheEngine) {
    using Job = JSE_JobFeatureType;
    const auto shown = [](const std::string& text) { return text == LoginName() ? std::string("<login>") : text; };
    const Dictionary restored = pane_test::Restored(
        "custom", {{"saveAs", "1"}, {"saveAsFileNameText", "Kept"}, {"createTIFF", "1"}, {"createTIFFPath", "ops"},
                   {"specificPrinter", "0"}, {"specificPrinterNameText", "Q9"}});
    std::string transcript;
    for (const char* command : {"choose destination 1", "choose destination 0", "click storeButton",
                                "type storeEditText Weekly", "click storeButton", "click specificPrinterButton",
                                "type specificPrinterEditText Q2", "click specificPrinterButton", "restore"}) {
        if (std::string(command) != "restore") perform(command);
        else NotificationCenter::Default().post("customController::applySettings", restored);
        const Dictionary custom = paneGroup("customController", "custom");
        const Job& job = bridge.workingRecord();
        transcript += std::string(command) + "\n  group";
        for (const char* key : {"createTIFF", "createTIFFPath", "saveAs", "saveAsFileNameText", "specificPrinter",
                                "specificPrinterNameText"})
            transcript += " " + std::string(key) + "=" + shown(custom[key].text());
        transcript += "\n  engine print=" + std::to_string(job.printCheck) + " tiff=" + std::to_string(job.createTIFF) + "(" +
                      shown(record(&Job::createTIFFPath)) + ") store=" + std::to_string(job.saveAs) + "(" +
                      record(&Job::saveAsFileNameText) + ") printer=" + std::to_string(job.specificPrinter) + "(" +
                      record(&Job::specificPrinterNameText) + ")\n  chosen " +
                      std::to_string(view<Matrix>("destination").selectedRow()) +
                      std::to_string(view<Button>("storeButton").state()) +
                      std::to_string(view<Button>("specificPrinterButton").state()) + " enabled " +
                      enabled({"userIDEditText", "storeEditText", "specificPrinterEditText"});
        for (const char* field : {"userIDEditText", "storeEditText", "specificPrinterEditText"})
            transcript += " [" + shown(view<TextField>(field).stringValue()) + "]";
        transcript += "\n";
    }
    EXPECT_EQ(transcript, pane_test::PaneFixture("custom_destination_steps.txt"));
}

// Unticking the text box disables the insert buttons even with the file box
// on; a click on the file box enables them again. A restore sets the boxes,
// the command's text and file and the insert buttons from the group.
TEST_F(CustomPane, CommandBoxesSetKindPositionAndEnablingAndARestoreShowsTheGroup) {
    struct Step {
        const char* command;  // "" for none, or a restore of the two numbers
        const char* restored[2];
        const char* kind;  // in the group
        const char* position;
        const char* controls;  // boxes on, then enabled: text field, file field, search, before, after
        const char* images;    // of the insert buttons, before and after
    };
    const Step steps[] = {
        {"", {}, "1", "2", "00 00000", "preappend2.icns append1.icns"},
        {"click userDefinedCommandFileButton", {}, "2", "2", "10 10011", "preappend2.icns append1.icns"},
        {"click insertCustomAppendButton", {}, "2", "1", "10 10011", "preappend1.icns append2.icns"},
        {"click customCommandFileButton", {}, "4", "1", "11 10111", "preappend1.icns append2.icns"},
        {"click userDefinedCommandFileButton", {}, "3", "1", "01 00100", "preappend1.icns append2.icns"},
        {"click customCommandFileButton", {}, "1", "1", "00 00000", "preappend1.icns append2.icns"},
        {nullptr, {"3", "1"}, "3", "1", "01 01111", "preappend1.icns append2.icns"},
        {nullptr, {"4", "2"}, "4", "2", "11 11111", "preappend2.icns append1.icns"},
        {nullptr, {"1", "1"}, "1", "1", "00 00000", "preappend2.icns append1.icns"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.command ? step.command : step.restored[0]);
        if (!step.command) {
            NotificationCenter::Default().post("customController::applySettings",
                                               pane_test::Restored("custom", {{"fieldFlag", step.restored[0]},
                                                                              {"insertPosition", step.restored[1]},
                                                                              {"command", step.restored[0]},
                                                                              {"fileName", step.restored[1]}}));
            EXPECT_EQ(view<TextField>("userDefinedCustomCommandEditText").stringValue() + " " +
                          view<TextField>("customCommandFileEditText").stringValue(),
                      std::string(step.restored[0]) + " " + step.restored[1]);
        } else if (*step.command) {
            perform(step.command);
        }
        const Dictionary custom = paneGroup("customController", "custom");
        EXPECT_EQ(custom["fieldFlag"].text(), step.kind);
        EXPECT_EQ(custom["insertPosition"].text(), step.position);
        std::string controls;
        for (const char* box : {"userDefinedCommandFileButton", "customCommandFileButton"})
            controls += view<Button>(box).state() ? '1' : '0';
        controls += " " + enabled({"userDefinedCustomCommandEditText", "customCommandFileEditText",
                                   "customCommandFileSearchButton", "insertCustomPreappendButton", "insertCustomAppendButton"});
        EXPECT_EQ(controls, step.controls);
        EXPECT_EQ(view<Button>("insertCustomPreappendButton").image()->name() + " " +
                      view<Button>("insertCustomAppendButton").image()->name(),
                  step.images);
    }
}

// The bridge's own hand-out tests made these tickets from the group alone;
// the pane, driven to the same kind, position, text and file, gives the same
// bytes. A cancelled file choice changes nothing.
TEST_F(CustomPane, CustomCommandReachesTheHandOutAsTheBridgeHandsItOut) {
    filter_test::TempDir folder;
    const std::string lf = folder.file("lf.cmd"), cr = folder.file("cr.cmd");
    filter_test::writeFile(lf, "%Lumaprex: tray \xe9\xfc\r\n%Banner: (caf\xe9)\r\n");
    filter_test::writeFile(cr, "%Lumaprex: end\r");
    const std::string text = "type userDefinedCustomCommandEditText %%BeginFeature: *Banner True\r\n%%EndFeature";
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {"command text before the ticket lines (kind 2, position 2)",
         {"click userDefinedCommandFileButton", text, "click insertCustomPreappendButton"}},
        {"command text and file after the ticket lines (kind 4, position 1)",
         {"click userDefinedCommandFileButton", text, "click customCommandFileButton", "choose " + lf,
          "click insertCustomAppendButton"}},
        {"command file before the ticket (kind 3, position 2)",
         {"click customCommandFileButton", "choose " + lf, "click insertCustomPreappendButton"}},
        {"command file after the ticket (kind 3, position 1)",
         {"click customCommandFileButton", "choose " + cr, "click insertCustomAppendButton"}},
    };
    const std::string handouts = controller_test::Fixture("handouts.txt");
    for (const auto& [name, commands] : cases) {
        SCOPED_TRACE(name);
        controller_test::Bridge fresh;
        fresh.start();
        NotificationCenter::Default().post("customController::applySettings", pane_test::Restored("custom", {}));
        for (const std::string& command : commands) {
            if (!command.starts_with("choose ")) {
                perform(command);
                continue;
            }
            panels.queueCancel();
            perform("click customCommandFileSearchButton");
            EXPECT_EQ(view<TextField>("customCommandFileEditText").stringValue(), "");
            panels.queueChoice(command.substr(7));
            perform("click customCommandFileSearchButton");
        }
        fresh.HandleJobFeatures(kFeatureCopies, 1, {}, 0);  // the print road stores a setting first
        const std::string ticket = controller_test::HandOut(fresh);
        const std::size_t header = handouts.find("=== " + name + ": " + std::to_string(ticket.size()) + " bytes\n");
        ASSERT_NE(header, std::string::npos);
        EXPECT_EQ(ticket, handouts.substr(handouts.find('\n', header) + 1, ticket.size()));
        view<TextField>("customCommandFileEditText").setStringValue("");
    }
}

}  // namespace

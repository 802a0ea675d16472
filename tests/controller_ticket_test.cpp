// The ticket the bridge hands the main pane, byte for byte: the engine's
// text with the custom command text and file before or after it, closed by
// the end of the comments; and the hand-outs that must not happen.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>

#include "AlertPanel.h"
#include "SystemLog.h"
#include "UserEnvironment.h"
#include "controller_support.h"
#include "ppdx.h"

namespace {

using namespace controller_test;

// The custom pane's group, then a stored setting that copies it into the
// ticket (on the print road, the user name).
void SetCustom(Bridge& bridge, int kind, int position, const std::string& file, const char* key = "fileName") {
    bridge.setCustomCommand({{"fieldFlag", kind}, {"insertPosition", position}, {"modifyPrintFile", "1"},
                             {key, file}, {"command", "%%BeginFeature: *Banner True\r\n%%EndFeature"}});
    bridge.HandleJobFeatures(kFeatureCopies, 1, {}, 0);
}

TEST(TicketHandOut, TextsAreTheEngineTicketWithTheCommandAndTheEndOfComments) {
    filter_test::TempDir folder;
    const std::string lf = folder.file("lf.cmd"), cr = folder.file("cr.cmd");
    filter_test::writeFile(lf, "%Lumaprex: tray \xe9\xfc\r\n%Banner: (caf\xe9)\r\n");
    filter_test::writeFile(cr, "%Lumaprex: end\r");
    const std::pair<std::string, std::function<void(Bridge&)>> cases[] = {
        {"default", [](Bridge&) {}},
        {"command text before the ticket lines (kind 2, position 2)", [](Bridge& b) { SetCustom(b, 2, 2, ""); }},
        {"command text and file after the ticket lines (kind 4, position 1)", [&](Bridge& b) { SetCustom(b, 4, 1, lf); }},
        {"command file before the ticket (kind 3, position 2)", [&](Bridge& b) { SetCustom(b, 3, 2, lf); }},
        {"command file after the ticket (kind 3, position 1)", [&](Bridge& b) { SetCustom(b, 3, 1, cr); }},
        {"image alignment on in millimetres", [](Bridge& b) { b.SetImageAlign(true, true, 1, 1, 5, -3, 0, 0); }},
        {"title with characters beyond ASCII",
         [](Bridge& b) { b.SetJobTicketInfoFromApplication("Gr\u00f6\u00dfe \u65e5\u672c", 1, 1); }},
    };
    std::string handouts;
    for (const auto& [name, setup] : cases) {
        SCOPED_TRACE(name);
        Bridge bridge;
        setup(bridge.start());
        int error = -99;
        const std::string text = HandOut(bridge, &error);
        EXPECT_EQ(error, 0);
        handouts += "=== " + name + ": " + std::to_string(text.size()) + " bytes\n" + text + "\n";
    }
    EXPECT_EQ(handouts, Fixture("handouts.txt"));
    EXPECT_EQ(Fixture("handouts.txt").find("default: " + std::to_string(Fixture("startup_ticket.txt").size() + 16)), 4u);
}

// Each hand-out is built afresh: asked twice it gives one end of comments.
// A command file that cannot go whole is left out and the ticket goes
// without it: a missing or empty one with a log line, one that is no regular
// file or more than the queue keeps with an alert naming it too.
TEST(TicketHandOut, CommandFileThatCannotGoWholeIsLeftOutAndTheTicketStillGoes) {
    filter_test::TempDir folder;
    std::filesystem::create_directory(folder.file("folder"));
    mkfifo(folder.file("fifo").c_str(), 0600);
    filter_test::writeFile(folder.file("empty"), "");
    filter_test::writeFile(folder.file("big"), "");
    std::filesystem::resize_file(folder.file("big"), kPpdxMaxDataSize + 1);
    Bridge bridge;
    bridge.start();
    SetCustom(bridge, 3, 1, "");
    const std::string without = HandOut(bridge);
    EXPECT_EQ(HandOut(bridge), without);
    const std::string notRegular = "\" is not a regular file. The job ticket goes to the printer without it.";
    const struct {
        const char* file;
        const char* why;
        const char* alert;  // after the path; none when nullptr
    } cases[] = {
        {"absent", "cannot be opened", nullptr},
        {"empty", "is empty", nullptr},
        {"folder", "is not a regular file", notRegular.c_str()},
        {"fifo", "is not a regular file", notRegular.c_str()},
        {"big", "is larger than the printer's queue keeps",
         "\" is larger than the printer's queue can keep. The job ticket goes to the printer without it."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        platform::AlertRecorder alerts;
        platform::LogRecorder log;
        SetCustom(bridge, 3, 1, folder.file(c.file));
        int error = -1;
        EXPECT_EQ(HandOut(bridge, &error), without);
        EXPECT_EQ(error + bridge.GetLastError(), 0);
        EXPECT_EQ(log.texts(), std::vector<std::string>{"zqController: the command file \"" + folder.file(c.file) +
                                                        "\" " + c.why + " and was left out of the job ticket"});
        const std::string alert = c.alert ? "The command file \"" + folder.file(c.file) + c.alert : "";
        EXPECT_EQ(alerts.messages(), c.alert ? std::vector<std::string>{alert} : std::vector<std::string>{});
    }
    Bridge stopped;
    int error = 0;
    EXPECT_EQ(HandOut(stopped, &error), "");
    EXPECT_EQ(error + stopped.GetLastError(), 2 * kBridgeNoEngine);
}

TEST(CustomCommand, TextKeepsWholeCharactersAndTheOlderFileKeyStillLoads) {
    filter_test::TempDir folder;
    filter_test::writeFile(folder.file("old.cmd"), "%Older\r");
    Bridge bridge;
    bridge.start();
    SetCustom(bridge, 3, 1, folder.file("old.cmd"), "filaName");
    EXPECT_NE(HandOut(bridge).find("\r\n%Older\r\r\n%%EndComments\r"), std::string::npos);
    JSE_CustomCommandType stored;
    for (const auto& [text, kept] : {std::pair{std::string(253, 'x') + "\u00e9", std::string(253, 'x')},
                                     {std::string(300, 'y'), std::string(254, 'y')}}) {
        bridge.setCustomCommand({{"fieldFlag", 2}, {"command", text}});
        bridge.engine()->JSE_Preference_Get_CustomRecord(stored);
        EXPECT_EQ(stored.CommandText(), kept);
    }
    bridge.setUserName();
    JSE_JobFeatureType job;
    bridge.engine()->JSE_Preference_GetJobFeature(job);
    EXPECT_EQ(zqController::wstringToNSString(job.userName), platform::LoginName());
}

}  // namespace

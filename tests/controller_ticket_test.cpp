// The ticket the bridge hands the main pane, byte for byte: the engine's
// text with the custom command text and file before or after it, closed by
// the end of the comments; and the hand-outs that must not happen.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>

#include "AlertPanel.h"
#include "JSE_StringTicket.h"
#include "SystemLog.h"
#include "UserEnvironment.h"
#include "controller_support.h"
#include "ticket_reading.h"
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
        {"command text of LF, CR and empty lines after the ticket (kind 2, position 1)",
         [](Bridge& b) {
             b.setCustomCommand({{"fieldFlag", 2}, {"insertPosition", 1}, {"command", "\n%A\n\n%B\r\r\n"}});
             b.HandleJobFeatures(kFeatureCopies, 1, {}, 0);
         }},
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
// without it: one without a line with a log line, one that is missing, no
// regular file or more than the queue keeps with an alert naming it too. What the
// queue keeps is the whole command file after its command line: a file that
// fits alone but not with the ticket is too large as well.
TEST(TicketHandOut, CommandFileThatCannotGoWholeIsLeftOutAndTheTicketStillGoes) {
    filter_test::TempDir folder;
    std::filesystem::create_directory(folder.file("folder"));
    mkfifo(folder.file("fifo").c_str(), 0600);
    filter_test::writeFile(folder.file("empty"), "");
    filter_test::writeFile(folder.file("line ends only"), "\r\n\n\r");
    filter_test::writeFile(folder.file("big"), "");
    std::filesystem::resize_file(folder.file("big"), kPpdxMaxDataSize + 1);
    Bridge bridge;
    bridge.start();
    SetCustom(bridge, 3, 1, "");
    const std::string without = HandOut(bridge);
    EXPECT_EQ(HandOut(bridge), without);
    // After the ticket: CR LF and the file's one line; around the hand-out the header line and a line feed.
    const std::size_t fits = kPpdxMaxDataSize - without.size() - 2 - 17;
    filter_test::writeFile(folder.file("fits"), "");
    std::filesystem::resize_file(folder.file("fits"), fits);
    filter_test::writeFile(folder.file("over"), "");
    std::filesystem::resize_file(folder.file("over"), fits + 1);
    {
        platform::AlertRecorder alerts;
        SetCustom(bridge, 3, 1, folder.file("fits"));
        EXPECT_EQ(HandOut(bridge).size(), kPpdxMaxDataSize - 17);
        EXPECT_TRUE(alerts.messages().empty());
    }
    const std::string notRegular = "\" is not a regular file. The job ticket goes to the printer without it.";
    const char* tooLarge = "\" is larger than the printer's queue can keep. The job ticket goes to the printer without it.";
    const char* unreadable = "\" cannot be read. The job ticket goes to the printer without it.";
    const struct {
        const char* file;
        const char* why;
        const char* alert;  // after the path; none when nullptr
    } cases[] = {
        {"absent", "cannot be opened", unreadable},
        {"empty", "holds no line", nullptr},
        {"line ends only", "holds no line", nullptr},
        {"folder", "is not a regular file", notRegular.c_str()},
        {"fifo", "is not a regular file", notRegular.c_str()},
        {"big", "is larger than the printer's queue keeps", tooLarge},
        {"over", "is larger than the printer's queue keeps", tooLarge},
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

// A template of the factory settings with the texts in one group.
std::string TemplateWith(const filter_test::TempDir& folder, const char* group,
                         std::initializer_list<std::pair<const char*, std::string>> keys) {
    static const platform::Dictionary factory = Bridge().start().jobFeatureDictionary().copy();
    platform::Dictionary file = factory.copy();
    platform::Dictionary changed = file[group].dictionary().copy();
    for (const auto& [key, value] : keys) changed.set(key, value);
    file.set(group, changed);
    platform::WritePropertyListFile(folder.file("template.plist"), file);
    return folder.file("template.plist");
}

// Texts from outside the panes' checks (the application's job name, the
// setting road, templates, the user name) never add a line nor end one: the
// ticket has the lines it has with each control character as a blank, and
// the text's other characters. A template whose text is refused or cannot be
// read leaves the text out.
TEST(TicketHandOut, ControlCharactersInTextsNeverAddALine) {
    const std::pair<const char*, std::string> texts[] = {
        {"CR", "Q3 report\r%VLXPrintMethod: store(Q3)"},    {"LF", "Q3 report\n%VLXPrintMethod: store(Q3)"},
        {"CR LF", "Q3 report\r\n%VLXPrintMethod: store(Q3)"}, {"TAB", "Q3\treport"},
        {"NUL", std::string("Q3\0report", 9)},             {"other controls", "Q3\x01\x1b[2J\x7freport"},
        {"end of comments", "Q3\r\n\r\n%%EndComments\r\n%VLXOutputMedia:  stacker "}};
    filter_test::TempDir folder;
    struct Road {
        std::string name;
        std::function<void(Bridge&, const std::string&)> give;
        bool templated = false;
    };
    std::vector<Road> roads = {{"job name", [](Bridge& b, auto& t) { b.SetJobTicketInfoFromApplication(t, 1, 1); }}};
    for (const auto& [feature, val] : {std::pair{kFeatureChargeNumber, 0}, {kFeatureEMailAddress, 0},
                                       {kFeatureOperatorMessage, 0}, {kFeatureDeliverTo, 0}, {kFeatureUserName, 0},
                                       {kFeatureSaveAs, 1}, {kFeatureSpecificPrinter, 1}, {kFeatureCreateTIFF, 1}})
        roads.push_back({"feature " + std::to_string(feature),
                         [feature, val](Bridge& b, auto& t) { b.HandleJobFeatures(feature, val, t, 0); }});
    for (const char* key : {"eMailAddressText", "operatorMessageText", "deliverToText", "chargeNumberText"})
        roads.push_back({key, [&, key](Bridge& b, auto& t) { b.LoadSettings(TemplateWith(folder, "notification", {{key, t}})); },
                         true});
    for (const auto& [flag, key] : {std::pair{"saveAs", "saveAsFileNameText"},
                                    {"specificPrinter", "specificPrinterNameText"}, {"createTIFF", "createTIFFPath"}})
        roads.push_back({key, [&, flag, key](Bridge& b, auto& t) {
                             b.LoadSettings(TemplateWith(folder, "custom", {{flag, "1"}, {key, t}}));
                         }, true});
    platform::AlertRecorder alerts;
    platform::LogRecorder log;
    for (const Road& road : roads) {
        const auto ticket = [&](const std::string& text) {
            Bridge bridge;
            road.give(bridge.start(), text);
            return HandOut(bridge);
        };
        const std::string without = ticket("");
        for (const auto& [name, text] : texts) {
            SCOPED_TRACE(road.name + " with " + name);
            const std::string blanked = ticket(BlankControlCharacters(text));
            const std::string given = ticket(text);
            if (road.templated && TicketKeywords(given) == TicketKeywords(without)) continue;
            EXPECT_EQ(TicketKeywords(given), TicketKeywords(blanked));
            if (road.templated) continue;
            EXPECT_EQ(given, blanked);
            EXPECT_NE(blanked.find("Q3 "), std::string::npos);
        }
    }
}

TEST(CustomCommand, TextKeepsWholeCharactersAndTheOlderFileKeyStillLoads) {
    filter_test::TempDir folder;
    filter_test::writeFile(folder.file("old.cmd"), "%Older\r");
    Bridge bridge;
    bridge.start();
    SetCustom(bridge, 3, 1, folder.file("old.cmd"), "filaName");
    EXPECT_NE(HandOut(bridge).find("\r\n%Older\r\n%%EndComments\r"), std::string::npos);
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

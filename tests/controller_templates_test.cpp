// The job-feature dictionary and job templates: the dictionary of a job that
// touches every group, byte for byte; a template of it applied to a fresh
// bridge giving the same dictionary, ticket and settings; templates of the
// earlier release; loads that fail, miss a group or hold values out of range.
#include <gtest/gtest.h>

#include "AlertPanel.h"
#include "SystemLog.h"
#include "controller_support.h"

namespace {

using namespace controller_test;
using notification_test::NotificationRecorder;
using platform::Dictionary;

const std::string kApplied = "The template has been applied.";
const std::string kIncomplete =
    "The template could not be applied completely: some of its settings are missing or cannot be used here.";

// One line per leaf: its path and its text, in the dictionary's own order.
std::string Dump(const platform::Value& value, const std::string& path = "") {
    std::string out;
    if (value.isDictionary()) {
        for (const auto& [key, item] : value.dictionary()) out += Dump(item, path.empty() ? key : path + "." + key);
    } else if (value.isArray()) {
        std::size_t i = 0;
        for (const platform::Value& item : value.array()) out += Dump(item, path + "[" + std::to_string(i++) + "]");
    } else {
        out += path + " = \"" + value.text() + "\"\n";
    }
    return out;
}

// A job with a setting of its own in every group and page features of
// every code the dictionary carries.
void SetEveryGroup(Bridge& b) {
    b.SetJobTicketInfoFromApplication("Untitled", 3, 1);  // the application's copies
    for (const auto& [feature, val, text] : std::initializer_list<std::tuple<int, int, const char*>>{
             {101, 0, "Letter_Heavy"}, {112, 2, ""}, {102, 0, "Letter_Color"},
             {110, 0, "Letter_Red"}, {109, 1, ""}, {103, 2, ""}, {104, 0, "Letter_Cover"}, {105, 3, ""},
             {106, 0, "Letter_Cover"}, {201, 1, ""}, {223, 1, ""}, {227, 40, ""}, {113, 2, ""}, {114, 3, ""},
             {115, 1, ""}, {116, 0, ""}, {218, 64, ""}, {219, 0, ""}, {220, 0, ""}, {233, 3, ""},
             {209, 1, "Stored job"}, {212, 1, "Press 2"}, {210, 1, "press-operator"}, {214, 0, "ops@example.com"},
             {215, 0, "Handle with care"},
             {216, 0, "Room 5"}, {217, 0, "C-17"}, {107, 4, ""}, {108, 0, "Letter_Red"}, {229, 60, ""},
             {230, 120, ""}})
        b.SetJobFeature(feature, val, text, 0);
    b.HandleJobFeatures(kFeatureLongEdgeFold, 1, {}, 0);
    b.setPunchPattern(64);
    b.setCustomCommand({{"fieldFlag", "4"}, {"insertPosition", "2"}, {"modifyPrintFile", "0"},
                        {"command", "%%Note: \u00e9t\u00e9"}, {"fileName", "/srv/commands.txt"}});
    b.SetGRET(1);
    b.SetImageAlign(true, false, 1, 1, 1.5f, -2.25f, 0.5f, 3.0f);
    b.SetEdgeErase(true, true, 0, 1, {{0.25, 0.5, 0.1, 0}, {0.25, 0.5, 0.1, 0}});
    b.SetFinishOrientation(3);
    const auto paper = [&](int first, int last, int property, const char* name, int code, int value) {
        b.JSE_SetPageProperty(first, last, property, name, code, value);
        b.JSE_SetPageFeature(first, last, code, value);
    };
    paper(1, 2, 1, "Letter_Color", kPePaperSubstitution, 0);
    b.JSE_PageCollection_AddPageFeature(0, kPePunch, 1);
    paper(5, 5, kPeInsertBefore, "Letter_Red", kPeInsertBefore, 2);
    b.JSE_PageCollection_AddPageFeature(1, kPePunch, 0);
    paper(7, 8, kPeInsertAfter, "Letter_Cover", kPeInsertAfter, 1);
    paper(10, 12, 1, "", kPeFinishingSubset, 2);
    b.JSE_PageCollection_AddPageFeature(3, kPeSubsetOutput, 2);
    b.JSE_PageCollection_AddPageFeature(3, kPeSubsetStaple, 3);
    for (const auto& [first, last, code, value] : {std::tuple{14, 15, kPePrintMode, 2}, {14, 15, kPeRotation, 3},
                                                   {17, 17, kPePrintSide, 2}, {19, 19, kPeChapterStart, 1}})
        b.JSE_SetPageFeature(first, last, code, value);
    b.SetJobFeature(0, 0, {}, 0);  // the custom command and long-edge fold into the ticket
}

std::string Template(const filter_test::TempDir& folder, const Dictionary& file) {
    platform::WritePropertyListFile(folder.file("template.plist"), file);
    return folder.file("template.plist");
}

TEST(JobFeatureDictionary, HoldsEveryGroupOfAJobKeyByKey) {
    Bridge bridge;
    bridge.start();
    SetEveryGroup(bridge);
    bridge.convertFeaturesToDictionary();
    EXPECT_EQ(Dump(bridge.jobFeatureDictionary()), Fixture("every_group_dictionary.txt"));
    // Unusual values as the panes read them.
    bridge.SetJobFeature(kFeaturePunchPattern, 0, {}, 0);
    bridge.SetFinishOrientation(5);
    bridge.pageCollection()->JSE_PageCollection_RemoveAllPages();
    bridge.convertFeaturesToDictionary();
    const Dictionary& dictionary = bridge.jobFeatureDictionary();
    EXPECT_EQ(Dump(dictionary["finisher"]["defaultPunchPattern"]) + Dump(dictionary["jobSetup"]["finishOrientation"]) +
                  Dump(dictionary["image"]["FinishOrientation"]) + Dump(dictionary["Substitution"]),
              " = \"3\"\n = \"5\"\n = \"1\"\n");
    EXPECT_TRUE(dictionary["Substitution"]["pageFeatures"].isArray());
    // Without an engine there is no page collection: an empty group.
    Bridge unstarted;
    unstarted.convertFeaturesToDictionary();
    EXPECT_EQ(unstarted.jobFeatureDictionary().size(), 6u);
    EXPECT_TRUE(unstarted.jobFeatureDictionary()["Substitution"].dictionary().empty());
}

TEST(Templates, RoundTripGivesTheSameDictionaryTicketAndSettings) {
    filter_test::TempDir folder;
    std::string dictionary, ticket, store, path;
    long exceptions = 0;
    {
        Bridge bridge;
        bridge.start();
        SetEveryGroup(bridge);
        bridge.convertFeaturesToDictionary();
        path = Template(folder, bridge.jobFeatureDictionary());
        dictionary = Dump(bridge.jobFeatureDictionary());
        ticket = bridge.ticket();
        store = bridge.storeImage();
        exceptions = bridge.engine()->JSE_Validation_Get_NumberOf_PeRecord();
    }
    Bridge fresh;
    fresh.start().SetPEValidation(0);
    fresh.SetJobTicketInfoFromApplication("Untitled", 3, 1);
    NotificationRecorder recorder(PaneNotifications());
    platform::AlertRecorder alerts;
    recorder.center().post("zqController::LoadSettings", path);
    EXPECT_EQ(recorder.transcript<zqController>(&fresh, "bridge"), Fixture("template_load_notifications.txt"));
    EXPECT_EQ(alerts.messages(), std::vector<std::string>{"The template has been applied."});
    EXPECT_EQ(alerts.alerts()[0].defaultButton, "OK");
    EXPECT_EQ(Dump(recorder.last("lumaTemplate::applySettings")), dictionary);
    fresh.convertFeaturesToDictionary();
    EXPECT_EQ(Dump(fresh.jobFeatureDictionary()), dictionary);
    EXPECT_EQ(fresh.ticket(), ticket);
    EXPECT_EQ(fresh.storeImage(), store);
    // The validator follows the page features even while its checks are off.
    EXPECT_GT(exceptions, 0);
    EXPECT_EQ(fresh.engine()->JSE_Validation_Get_NumberOf_PeRecord(), exceptions);
}

// A file that cannot be read, or is no template, changes nothing and tells
// no pane; a group missing leaves the panes the dictionary rebuilt from the
// engine; an earlier-release template with nothing set gives the factory
// settings. The copies stay the application's, whatever the template says.
TEST(Templates, FailedOrIncompleteLoadsLeaveNoHalfAppliedPicture) {
    const struct {
        const char* name;
        const char* text;  // nullptr: no file
        bool posted;
        std::int64_t copies;
        bool noTemplate = false;  // the user is told so
        bool applied = false;     // factory defaults, and the user is told it applied
    } cases[] = {
        {"missing file", nullptr, false, 5},
        {"not a property list", "<plist><dict><key>jobSetup", false, 5, true},
        {"not a dictionary", "<plist version=\"1.0\"><array/></plist>", false, 5, true},
        {"groups missing", "<plist version=\"1.0\"><dict><key>jobSetup</key><dict><key>copyCount</key>"
                           "<string>7</string></dict><key>custom</key><string>x</string></dict></plist>",
         true, 5},
        {"no group", "<plist version=\"1.0\"><dict><key>Substitution</key><string>x</string></dict></plist>", false, 5,
         true},
        {"an earlier-release template with nothing set",
         "<plist version=\"1.0\"><dict><key>Version</key><string>7.0</string><key>Author</key><string>x</string>"
         "</dict></plist>",
         true, 5, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        filter_test::TempDir folder;
        if (c.text) filter_test::writeFile(folder.file("template.plist"), c.text);
        Bridge bridge;
        bridge.start().SetJobTicketInfoFromApplication("", 5, 1);
        bridge.HandleJobFeatures(kFeatureDocumentExit, 2, {}, 0);
        NotificationRecorder recorder(PaneNotifications());
        platform::AlertRecorder alerts;
        platform::LogRecorder quiet;
        bridge.LoadSettings(folder.file("template.plist"));
        EXPECT_EQ(recorder.transcript<zqController>(&bridge, "bridge"),
                  c.posted ? Fixture("template_load_notifications.txt") : "");
        const std::string told =
            "The file \"" + folder.file("template.plist") + "\" is not a template. The job stays as it was.";
        EXPECT_EQ(alerts.messages(),
                  std::vector<std::string>{c.noTemplate ? told : c.applied ? "The template has been applied." : kIncomplete});
        EXPECT_EQ(bridge.workingRecord().jobExit, c.posted ? 1 : 2) << "the stapler until the factory reset";
        EXPECT_EQ(bridge.workingRecord().copyCount, c.copies);
        EXPECT_EQ(bridge.jobFeatureDictionary()["custom"]["fieldFlag"].text(), "1");
    }
}

// Out-of-range numbers are logged and left out; the cover punches come
// after the job punch; a punch that is on takes the default pattern.
TEST(Templates, ValuesOutOfRangeAreLeftOutAndPunchingKeepsWhatWasSaved) {
    const Dictionary file{
        {"jobSetup", Dictionary{{"copyCount", "0"}, {"printingMode", "9"}, {"frontCoverMode", "2"},
                                {"backCoverMode", "2"}, {"punchFrontCover", "1"}, {"punchBackCover", "0"}}},
        {"finisher", Dictionary{{"punchJob", "1"}, {"defaultPunchPattern", "64"}, {"punchFrontCover", "0"}}},
        {"custom", Dictionary{{"fieldFlag", "6"}, {"insertPosition", "1"}, {"command", "lost"}}},
        {"image", Dictionary{{"halftoneAngle", "500"}, {"imageAlign", "1"}, {"imageAlignFrontX", "5"}}},
        {"notification", Dictionary{{"statusMode", "2"}}},
        {"Substitution", Dictionary{{"pageFeatures", platform::Array{
                             Dictionary{{"startPage", "0"}, {"endPage", "3"}, {"featureType", "235"}},
                             Dictionary{{"startPage", "1"}, {"endPage", "1"}, {"featureType", "302"}, {"x1", "5.0"},
                                        {"y1", "0"}, {"x2", "-5.0"}, {"y2", "0"}},
                             Dictionary{{"startPage", "3"}, {"endPage", "3"}, {"featureType", "302"}, {"x1", "5.0"},
                                        {"y1", "0"}, {"x2", "5.0"}, {"y2", "0"}},
                             Dictionary{{"startPage", "5"}, {"endPage", "5"}, {"featureType", "302"}, {"x1", "5.0"},
                                        {"y1", "2.5"}, {"x2", "-5.0"}, {"y2", "2.5"}},
                             Dictionary{{"startPage", "7"}, {"endPage", "7"}, {"featureType", "302"}, {"x1", "5.0"},
                                        {"y1", "2.5"}, {"x2", "5.0"}, {"y2", "-2.5"}, {"orientation", "2"}},
                             Dictionary{{"startPage", "9"}, {"endPage", "9"}, {"featureType", "302"}, {"x1", "5.0"},
                                        {"y1", "0"}, {"x2", "-5.0"}, {"y2", "-0.001"}}}}}},
    };
    filter_test::TempDir folder;
    Bridge bridge;
    bridge.start();
    platform::AlertRecorder alerts;
    platform::LogRecorder log;
    bridge.LoadSettings(Template(folder, file));
    const std::string prefix = "zqController: template ";
    EXPECT_EQ(log.texts(), (std::vector<std::string>{
                               prefix + "value copyCount = \"0\" is out of range and was not applied",
                               prefix + "value printingMode = \"9\" is out of range and was not applied",
                               prefix + "value fieldFlag = \"6\" is out of range and was not applied",
                               prefix + "value halftoneAngle = \"500\" is out of range and was not applied",
                               prefix + "value imageAlignFrontX = \"5\" is out of range and was not applied",
                               prefix + "page feature pages 0..3 are out of range and were not applied"}));
    const JSE_JobFeatureType& r = bridge.workingRecord();
    EXPECT_EQ(std::tuple(r.copyCount, r.printingMode, r.halftoneAngle, r.imageAlign, r.imageAlignFrontX, r.statusMode),
              std::tuple(1, 1, 45, true, 0.0f, 2))
        << "a distance left out reads as 0";
    EXPECT_EQ(std::tuple(r.punchJob, r.punchFrontCover, r.punchBackCover), std::tuple(64, false, false));
    EXPECT_EQ(bridge.pageCollection()->JSE_PageCollection_GetSize(), 0);
    // Image shifts are mirrored when side 2 is side 1 mirrored across the
    // axis of their orientation, as the page-exception pane mirrors them, a
    // distance that shows as 0.00 counting as 0; a shift without one is
    // portrait, as the pane's shifts are unless landscape.
    for (const auto& [record, mirrored, axis] :
         {std::tuple{0L, true, 1}, {1L, false, 1}, {2L, true, 1}, {3L, true, 2}, {4L, true, 1}}) {
        SCOPED_TRACE(record);
        int type = 0, typeValue = 0, unit = 0, orientation = 0;
        bool mirror = !mirrored;
        float x1, y1, x2, y2;
        bridge.pageCollection()->JSE_PageCollection_GetImageFeature(record, 0, type, typeValue, unit, mirror,
                                                                    orientation, x1, y1, x2, y2);
        EXPECT_EQ(std::tuple(type, mirror, orientation), std::tuple(kPeImageShift, mirrored, axis));
    }
}

// A template cannot punch paper that cannot be punched: a hand-edited punch
// is left out, and a cover printed later, or punched by punching turned on
// later, goes out unpunched.
TEST(Templates, PunchesOfPaperThatCannotBePunchedAreLeftOut) {
    const struct {
        const char* name;
        Dictionary jobSetup;
        const char* refused;
        const char* coverLines;  // once the front cover is printed too
        const char* punchJob = "1";
    } cases[] = {
        {"front cover, punching turned on later",
         Dictionary{{"frontCoverMode", "2"}, {"frontCoverPaper", "Letter_Cover"}}, nullptr,
         "%VLXCovers: (Letter_Cover) punch(none)  front simplex frontside", "0"},
        {"back cover", Dictionary{{"backCoverMode", "2"}, {"backCoverPaper", "Letter_Cover"}, {"punchBackCover", "1"}},
         "punchBackCover is refused by the printer's rules (16307)",
         "%VLXCovers: (Letter_Cover) punch(none)  front simplex frontside\r\n"
         "%%+ (Letter_Cover) punch(none)  back simplex frontside"},
        {"body paper", Dictionary{{"bodyPaper", "Letter_Cover"}}, "punchJob is refused by the printer's rules (16305)",
         "%VLXCovers: (Letter_Cover) front simplex frontside"},
        {"front cover not printed",
         Dictionary{{"frontCoverMode", "1"}, {"frontCoverPaper", "Letter_Cover"}, {"punchFrontCover", "1"}},
         "punchFrontCover is refused by the printer's rules (16306)",
         "%VLXCovers: (Letter_Cover) punch(none)  front simplex frontside"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        filter_test::TempDir folder;
        Bridge bridge;
        bridge.start();
        platform::AlertRecorder alerts;
        platform::LogRecorder log;
        bridge.LoadSettings(Template(folder, {{"jobSetup", c.jobSetup},
                                              {"finisher", Dictionary{{"punchJob", c.punchJob}}},
                                              {"custom", Dictionary{}},
                                              {"image", Dictionary{}},
                                              {"notification", Dictionary{}}}));
        const std::string leftOut = c.refused ? "zqController: template value " + std::string(c.refused) +
                                                    " and was not applied"
                                              : "";
        EXPECT_EQ(log.texts(), leftOut.empty() ? std::vector<std::string>{} : std::vector<std::string>{leftOut});
        EXPECT_EQ(alerts.messages(), std::vector<std::string>{c.refused ? kIncomplete : kApplied});
        bridge.HandleJobFeatures(kFeatureFrontCoverMode, 2, {}, 0);
        bridge.HandleJobFeatures(kFeatureFrontCoverPaper, bridge.engine()->JSE_Media_GetIndex(L"Letter_Cover"),
                                 "Letter_Cover", 0);
        bridge.HandleJobFeatures(kFeaturePunchPattern, 3, {}, 0);
        const std::string ticket = bridge.ticket();
        EXPECT_NE(ticket.find(std::string(c.coverLines) + "\r\n"), std::string::npos) << ticket;
    }
}

// The older template of the fixtures, with its command file in the folder.
std::string OlderTemplate(const filter_test::TempDir& folder) {
    filter_test::writeFile(folder.file("commands.txt"), "%%FromFile: yes\r\n");
    std::string text = Fixture("older_template.plist");
    text.replace(text.find("@COMMANDS@"), 10, folder.file("commands.txt"));
    filter_test::writeFile(folder.file("older.plist"), text);
    return folder.file("older.plist");
}

TEST(OlderTemplates, ConvertToTheEngineStateAndTicketTheyDescribe) {
    filter_test::TempDir folder;
    Bridge bridge;
    bridge.start();
    NotificationRecorder recorder(PaneNotifications());
    platform::AlertRecorder alerts;
    bridge.LoadSettings(OlderTemplate(folder));
    EXPECT_EQ(recorder.transcript<zqController>(&bridge, "bridge"), Fixture("template_load_notifications.txt"));
    EXPECT_EQ(alerts.messages(), std::vector<std::string>{"The template has been applied."});
    std::string ticket;
    int error = -1;
    ASSERT_GT(bridge.GetJobTicketSize(), 0);
    bridge.GetJobTicket(ticket, 0, error);
    EXPECT_EQ(ticket, Fixture("older_template_handout.txt"));
    // The dictionary is rebuilt in the current layout, with the file and the
    // page sets of the older one.
    const Dictionary& dictionary = bridge.jobFeatureDictionary();
    EXPECT_EQ(dictionary.size(), 6u);
    EXPECT_EQ(dictionary["custom"]["fileName"].text(), folder.file("commands.txt"));
    EXPECT_EQ(Dump(dictionary["Substitution"]["pageSets"]),
              "[0].startPage = \"1\"\n[0].endPage = \"4\"\n[1].startPage = \"9\"\n[1].endPage = \"9\"\n");
}

TEST(OlderTemplates, ReadEachSettingAsTheEarlierReleaseWroteIt) {
    using Entries = std::vector<std::pair<const char*, platform::Value>>;
    const platform::Array alignment{"1", "0", "2", "1", "0.5", "0.25", "-0.5", "0.75"};
    const struct {
        Entries entries;
        const char* expected;
        bool whole = true;  // nothing is left out
    } cases[] = {
        {{}, "mode 1 pages 88 sheets 22 store 0 status Letter kind 1 at 1 align 0 erase 0 fold 0 command 0"},
        {{{"10083", "90"}}, "mode 1 pages 90 sheets 22 store 0 status Letter kind 1 at 1 align 0 erase 0 fold 0 command 0"},
        {{{"10083", "90"}, {"10084", "30"}}, "mode 1 pages 90 sheets 30 store 0 status Letter kind 1 at 1 align 0 erase 0 fold 0 command 0"},
        {{{"10084", "2000"}, {"13051", "7"}}, "mode 1 pages 88 sheets 22 store 0 status Letter kind 1 at 1 align 0 erase 0 fold 0 command 0", false},
        // As the job-setup pane's rules make them: an interleaved job is collated, separators collate.
        {{{"13051", "4"}, {"10010", "0"}}, "mode 4 pages 88 sheets 22 store 0 status Letter kind 1 at 1 align 0 erase 0 fold 0 command 0"},
        {{{"10080", "1"}, {"10010", "0"}}, "mode 1 pages 88 sheets 22 store 0 status Letter kind 1 at 1 align 0 erase 0 fold 0 command 0"},
        {{{"13080", "Memo\r\n%%EndComments"}, {"13089", "1 S\r\nT"}, {"Status Page Paper", "Gold"}},
         "mode 1 pages 88 sheets 22 store 1 status Letter kind 1 at 1 align 0 erase 0 fold 0 command 0", false},
        {{{"13089", "report"}, {"Status Page Paper", ""}, {"3655", "1"}},
         "mode 1 pages 88 sheets 22 store 0 status Letter kind 1 at 1 align 0 erase 0 fold 1 command 0"},
        {{{"13089", "5 copies"}, {"Status Page Paper", "Letter_Red"}, {"10077", "/srv/x"}, {"13077", "1"},
          {"10070", "1"}, {"User Defined Custom Commands", "%%Row"}},
         "mode 1 pages 88 sheets 22 store 1 status Letter_Red kind 4 at 2 align 0 erase 0 fold 0 command 1"},
        // A command longer than its field is cut to it, as typing cuts it.
        {{{"10070", "1"}, {"User Defined Custom Commands", "%%Row " + std::string(300, 'x')}},
         "mode 1 pages 88 sheets 22 store 0 status Letter kind 2 at 1 align 0 erase 0 fold 0 command 1"},
        {{{"Image Alignment", alignment}},
         "mode 1 pages 88 sheets 22 store 0 status Letter kind 1 at 1 align 1/0/2 0.50 0.25 -0.50 0.75 erase 0 fold 0 command 0"},
        {{{"Image Alignment", platform::Array{"0", "1", "2"}}, {"Edge Erase", platform::Array{"0"}}},
         "mode 1 pages 88 sheets 22 store 0 status Letter kind 1 at 1 align 0 erase 1/1/0 fold 0 command 0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        Dictionary file{{"Version", "7.0"}};
        for (const auto& [key, value] : c.entries) file.set(key, value);
        filter_test::TempDir folder;
        Bridge bridge;
        bridge.start();
        platform::AlertRecorder alerts;
        platform::LogRecorder quiet;
        bridge.LoadSettings(Template(folder, file));
        const JSE_JobFeatureType& r = bridge.workingRecord();
        const Dictionary custom = bridge.jobFeatureDictionary()["custom"].dictionary();
        std::string align = r.imageAlign ? platform::Format("1/%d/%d %.2f %.2f %.2f %.2f", r.imageAlignMirrorSide1,
                                                            r.imageAlignPaperOrientation, r.imageAlignFrontX,
                                                            r.imageAlignFrontY, r.imageAlignBackX, r.imageAlignBackY)
                                         : "0";
        std::string erase = r.edgeErase ? platform::Format("1/%d/%d", r.edgeEraseMirrorSide1, r.edgeErasePaperOrientation)
                                        : "0";
        EXPECT_EQ(platform::Format("mode %d pages %d sheets %d store %d status %s kind %s at %s align %s erase %s fold %d command %d",
                                   r.printingMode, r.signaturePages, r.sheets, r.saveAs,
                                   zqController::wstringToNSString(r.statusPaper).c_str(), custom["fieldFlag"].text().c_str(),
                                   custom["insertPosition"].text().c_str(), align.c_str(), erase.c_str(),
                                   bridge.engine()->JSE_Preference_GetNarrowBookletValue(),
                                   bridge.ticket().find("%%Row") != std::string::npos),
                  c.expected);
        EXPECT_EQ(alerts.messages(), std::vector<std::string>{c.whole ? "The template has been applied." : kIncomplete});
    }
}

}  // namespace

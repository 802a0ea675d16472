// What a pane shows is what prints: jobs worked in the print host in each
// order of their clicks where a pane changes a setting by itself (a mirror
// box, a device that clears its boxes, a print mode that collates and drops
// the covers, a template's signature size). The control, its summary row and
// the ticket the printer received are read back and must agree; so also
// after a factory reset, in a second dialog that applies the template the
// first saved, and after templates the panes would not have saved (an
// interleaved job not collated or with a cover, separators without collate,
// image values turned a quarter, a mirror saved in portrait).
#include <gtest/gtest.h>

#include <iterator>
#include <sstream>

#include "PropertyList.h"
#include "private_scheduler.h"

using namespace filter_test;

namespace {

const std::string kHost = builtProgram("tools", "lumaprex-print");

// The rest of the first line that begins with the start; "-" for none.
std::string After(const std::string& text, const std::string& start) {
    for (std::size_t at = text.find(start); at != std::string::npos; at = text.find(start, at + 1)) {
        if (at > 0 && text[at - 1] != '\n') continue;
        const std::size_t from = at + start.size();
        return text.substr(from, text.find_first_of("\r\n", from) - from);
    }
    return "-";
}

// The word of the ticket line; "-" for no line.
std::string Word(const std::string& ticket, const std::string& keyword, std::size_t word) {
    std::istringstream line(After(ticket, keyword));
    const std::vector<std::string> words{std::istream_iterator<std::string>(line), {}};
    return word < words.size() ? words[word] : "-";
}

// One setting: the control and what "show" draws of it (its [value] or
// "text"), the summary row and its value, and the word of the ticket line.
struct Check {
    const char* control;
    const char* shown;
    const char* row;
    const char* summary;
    const char* keyword;
    std::size_t word;
    const char* printed;
};

struct Row {
    const char* name;
    const char* orientation;
    std::string actions;  // separated by "; ", ending on the tab of the controls
    std::vector<Check> checks;
    std::string alert = {};  // one the host shows
    std::string again = {};  // a second dialog after the first, for the same checks
};

// A template in the folder holding only the job-setup and image values
// given, every other value left to the engine; then the actions that apply
// it.
std::string Applied(const TempDir& folder, const std::string& name, const platform::Dictionary& jobSetup,
                    const platform::Dictionary& image = {}) {
    const platform::Dictionary file{{"jobSetup", jobSetup},
                                    {"finisher", platform::Dictionary()},
                                    {"custom", platform::Dictionary()},
                                    {"image", image},
                                    {"notification", platform::Dictionary()}};
    EXPECT_TRUE(platform::WritePropertyListFile(folder.file(name), file));
    return "click summaryButton; pick " + folder.file(name) +
           "; click opentemplate; select templateListView 0; click applytemplate; ";
}

// A shift of 0.805 inch typed, saved as a template, and applied after a
// factory reset.
std::string ShiftFromItsTemplate(const TempDir& folder, const std::string& name, const std::string& unit) {
    const std::string pick = "pick " + folder.file(name) + "; ";
    return "click imageoptionButton; click imageAlignButton; type iaSide1XEditText 0.805; end; " + unit +
           "click summaryButton; " + pick + "click savetemplate; click resetFactory; " + pick +
           "click opentemplate; select templateListView 0; click applytemplate; click imageoptionButton";
}

TEST(PaneAgreement, ControlSummaryRowAndPrintedTicketAgreeInEachOrderOfTheClicks) {
    PrivateScheduler cups;
    ASSERT_TRUE(cups.ready());
    TempDir folder;
    const std::string align = "click imageoptionButton; click imageAlignButton; ";
    const std::string mirror = "click imageAlignMirrorSide1Button";
    const std::string p20 = "pick " + folder.file("p20") + "; ";
    const std::string info = LUMAPREX_SOURCE_DIR "/LumaprexPDE/Bundle/Info.plist";
    // The mirror boxes start on; a portrait job mirrors X, any other Y. Points are 72 to the inch.
    const char* const shift = "%VLXEngineImageAlign: ";
    const Check x0{"iaSide2XEditText", "[0.0]", "Side 2 - X", "0.00", shift, 2, "0.00"};
    const Check x30{"iaSide2XEditText", "[-0.30]", "Side 2 - X", "-0.30", shift, 2, "-21.60"};
    const Check x25{"iaSide2XEditText", "[0.25]", "Side 2 - X", "0.25", shift, 2, "18.00"};
    const Check y10{"iaSide2YEditText", "[-0.10]", "Side 2 - Y", "-0.10", shift, 3, "-7.20"};
    // Typed with a third decimal, saved, and applied in a new dialog after a factory reset.
    const std::string eighth = align + "type iaSide1XEditText 0.125; type iaSide1YEditText 0.063; end; "
                                       "click edgeEraseButton; type eaSide1TopEditText 0.125; end";
    const std::string inMm = "; click imageAlignUnitMMCell; click edgeEraseUnitMMCell";
    const auto saved = [&](const char* name) {
        return "; click summaryButton; pick " + folder.file(name) + "; click savetemplate; click imageoptionButton";
    };
    const auto applied = [&](const char* name) {
        return "click summaryButton; click resetFactory; pick " + folder.file(name) +
               "; click opentemplate; select templateListView 0; click applytemplate; click imageoptionButton";
    };
    const char* const erase = "%VLXEngineEdgeErase: ";
    const std::vector<Check> eighthInch = {{"iaSide1XEditText", "[0.12]", "Side 1 - X", "0.12", shift, 0, "8.64"},
                                           {"iaSide2XEditText", "[-0.12]", "Side 2 - X", "-0.12", shift, 2, "-8.64"},
                                           {"eaSide1TopEditText", "[0.12]", "Side 1 - Top", "0.12", erase, 2, "8.64"}};
    const std::vector<Check> eighthMm = {{"iaSide1XEditText", "[3.05]", "Side 1 - X", "3.05", shift, 0, "8.65"},
                                         {"iaSide2XEditText", "[-3.05]", "Side 2 - X", "-3.05", shift, 2, "-8.65"},
                                         {"eaSide1TopEditText", "[3.05]", "Side 1 - Top", "3.05", erase, 2, "8.65"}};
    const auto collate = [](const char* box, const char* yes, const char* word) {
        return Check{"collateCheckBox", box, "Collate", yes, "%VLXRequirements: ", 4, word};
    };
    const platform::Dictionary turned{{"imageAlign", "1"}, {"imageAlignMirrorSide1", "0"}, {"imageAlignPaperOrientation", "2"},
                            {"imageAlignFrontX", "0.25"}, {"imageAlignFrontY", "0.10"}, {"edgeErase", "1"},
                            {"edgeEraseMirrorSide1", "0"}, {"edgeErasePaperOrientation", "2"},
                            {"frontEraseTopSide", "0.50"}};
    const platform::Dictionary thirdDecimal{{"imageAlign", "1"}, {"imageAlignMirrorSide1", "1"},
                                            {"imageAlignFrontX", "0.125"}, {"edgeErase", "1"},
                                            {"edgeEraseMirrorSide1", "1"}, {"frontEraseTopSide", "0.125"}};
    const Row rows[] = {
        {"mirror off after side 1", "portrait", align + "type iaSide1XEditText 0.30; end; " + mirror, {x0}},
        {"mirror off before side 1", "portrait", align + mirror + "; type iaSide1XEditText 0.30; end", {x0}},
        {"mirror on after side 2", "portrait",
         align + mirror + "; type iaSide2XEditText 0.50; end; type iaSide1XEditText 0.30; end; " + mirror, {x30}},
        {"landscape, mirrored throughout", "landscape", align + "type iaSide1XEditText 0.25; type iaSide1YEditText 0.1; end",
         {x25, y10}},
        {"landscape, mirror on last", "landscape",
         align + mirror + "; type iaSide1XEditText 0.25; type iaSide1YEditText 0.1; end; " + mirror, {x25, y10}},
        {"millimetres to inches and back", "portrait",
         align + "click imageAlignUnitMMCell; type iaSide1XEditText 12; end; click imageAlignUnitInchCell; "
                 "click imageAlignUnitMMCell",
         {{"iaSide1XEditText", "[11.94]", "Side 1 - X", "11.94", shift, 0, "33.85"}}},
        {"a zero the short-edge flip turns over", "portrait",
         "click jobsetupButton; click duplexShortEdge; " + align + "type iaSide1XEditText 0.25; end",
         {{"iaSide2YEditText", "[0.00]", "Side 2 - Y", "0.00", shift, 3, "0.00"}}},
        {"erase mirror on after side 2", "portrait",
         "click imageoptionButton; click edgeEraseButton; click edgeEraseMirrorSide1Button; type eaSide2TopEditText "
         "0.2; end; type eaSide1TopEditText 0.5; end; click edgeEraseMirrorSide1Button",
         {{"eaSide2TopEditText", "[0.5]", "Side 2 - Top", "0.50", "%VLXEngineEdgeErase: ", 6, "36.00"}}},
        {"fold, then other, then booklet", "portrait",
         "click finisherButton; click bookletExit; click longEdgeCheck; click otherExit; click bookletExit",
         {{"longEdgeCheck", "[ ]", "Long-edge fold (narrow booklet)", "No", "%VLXReqNarrowBooks: ", 0, "-"}}},
        {"separators, then collate off", "portrait",
         "click jobsetupButton; click setSeparatorCheckBox; click collateCheckBox",
         {collate("[x]", "Yes", "collate"),
          {"setSeparatorCheckBox", "[x]", "Set separators", "Yes", "%VLXSeparator: ", 0, "(Letter)"}}},
        {"collate off, then separators", "portrait",
         "click jobsetupButton; click collateCheckBox; click setSeparatorCheckBox",
         {collate("[ ]", "No", "noncollate"), {"setSeparatorCheckBox", "[ ]", "Set separators", "No", "%VLXSeparator: ", 0, "-"}}},
        {"collate off, then interleave", "portrait", "click jobsetupButton; click collateCheckBox; click interleaveBlank",
         {collate("[x]", "Yes", "collate")}},
        {"front cover, then interleave", "portrait",
         "click jobsetupButton; click frontCoverPaperButton; click coverPaperFrontButton; select paperTableView 3; "
         "click interleaveBlank",
         {{"coverPaperText", "\"Cover mode: None\"", "Front cover - Cover mode", "None", "%VLXCovers: ", 1, "none"}}},
        {"landscape after a factory reset", "landscape",
         "click summaryButton; click resetFactory; " + align + "type iaSide1XEditText 0.25; type iaSide1YEditText 0.1; end",
         {x25, y10}},
        {"mirror saved in portrait, applied in landscape", "landscape",
         Applied(folder, "mirrored",
                 {}, {{"imageAlign", "1"}, {"imageAlignMirrorSide1", "1"}, {"imageAlignFrontX", "0.25"},
                      {"imageAlignFrontY", "0.10"}, {"imageAlignBackX", "-0.25"}, {"imageAlignBackY", "0.10"}}) +
             "click imageoptionButton",
         {x25, y10}},
        {"image values turned a quarter in a template", "portrait",
         Applied(folder, "turned", {}, turned) + "click imageoptionButton",
         {{"iaSide1XEditText", "[0.25]", "Side 1 - X", "0.25", shift, 0, "-7.20"},
          {"iaSide1YEditText", "[0.10]", "Side 1 - Y", "0.10", shift, 1, "18.00"},
          {"eaSide1TopEditText", "[0.50]", "Side 1 - Top", "0.50", "%VLXEngineEdgeErase: ", 0, "36.00"}}},
        {"image values turned a quarter in a template, then millimetres", "portrait",
         Applied(folder, "turned-mm", {}, turned) +
             "click imageoptionButton; click imageAlignUnitMMCell; click edgeEraseUnitMMCell",
         {{"iaSide1XEditText", "[6.35]", "Side 1 - X", "6.35", shift, 0, "-7.20"},
          {"eaSide1TopEditText", "[12.70]", "Side 1 - Top", "12.70", "%VLXEngineEdgeErase: ", 0, "36.00"}}},
        {"interleaved template not collated, then simplex", "portrait",
         Applied(folder, "uncollated", {{"printingMode", "4"}, {"collate", "0"}}) + "click jobsetupButton; click simplex",
         {collate("[x]", "Yes", "collate")}},
        {"interleaved template with a front cover, then simplex", "portrait",
         Applied(folder, "covered", {{"printingMode", "4"}, {"frontCoverMode", "2"}}) + "click jobsetupButton; click simplex",
         {{"coverPaperText", "\"Cover mode: None\"", "Front cover - Cover mode", "None", "%VLXCovers: ", 1, "none"}}},
        {"template with separators, not collated", "portrait",
         Applied(folder, "separated", {{"setSeparator", "1"}, {"collate", "0"}}) + "click jobsetupButton",
         {collate("[x]", "Yes", "collate"),
          {"setSeparatorCheckBox", "[x]", "Set separators", "Yes", "%VLXSeparator: ", 0, "(Letter)"}}},
        {"stapler at the top, then a file that is no template", "portrait",
         "click finisherButton; click staplerExit; click stapleTop; click summaryButton; pick " + info +
             "; click opentemplate; select templateListView 0; click applytemplate; click finisherButton",
         {{"stapleTop", "<stapletop2.icns>", "Staple position", "Top", "%VLXRequirements: ", 1, "staple(front)"}},
         "alert: The file \"" + info + "\" is not a template. The job stays as it was. [OK]\n"},
        {"pamphlet of 20 from its template", "portrait",
         "click jobsetupButton; click pamphlet; type signatureSizeText 20; click summaryButton; " + p20 +
             "click savetemplate; click resetFactory; " + p20 +
             "click opentemplate; select templateListView 0; click applytemplate; click jobsetupButton",
         {{"printModeText", "\"Print mode: Pamphlet 20\"", "Signature pages", "20/5 sheets", "%VLXBooklet: ", 0, "5"}}},
        // 0.805 inch typed shows as 0.81 once editing ends, and as 20.57 in
        // millimetres: the template brings back what it holds.
        {"a shift of 0.805 inch from its template", "portrait",
         ShiftFromItsTemplate(folder, "shift-inch", ""),
         {{"iaSide1XEditText", "[0.81]", "Side 1 - X", "0.81", shift, 0, "58.32"}}},
        {"a shift of 0.805 inch shown in millimetres, from its template", "portrait",
         ShiftFromItsTemplate(folder, "shift-mm", "click imageAlignUnitMMCell; "),
         {{"iaSide1XEditText", "[20.57]", "Side 1 - X", "20.57", shift, 0, "58.31"}}},
        {"an eighth of an inch, then from its template", "portrait", eighth + saved("eighth"), eighthInch, "",
         applied("eighth")},
        {"an eighth of an inch in millimetres, then from its template", "portrait", eighth + inMm + saved("eighth-mm"),
         eighthMm, "", applied("eighth-mm")},
        // Distances with a third decimal, which no pane writes, are taken at
        // two, as the panes hold them.
        {"a mirrored shift and a margin of a third decimal from a template", "portrait",
         Applied(folder, "third-decimal", {}, thirdDecimal) + "click imageoptionButton", eighthInch, "",
         Applied(folder, "third-decimal-again", {}, thirdDecimal) + "click imageoptionButton"},
        {"an e-mail address beyond ASCII", "portrait", "click notificationButtom; type eMailEditField b\u00fcro@example.com; end",
         {{"eMailEditField", "[bro@example.com]", "E-mail address:", "bro@example.com", "%VLXEmail: ", 0, "(bro@example.com)"}}},
        {"a mirrored shift of a third decimal from a template, then millimetres", "portrait",
         Applied(folder, "third-decimal-mm", {},
                 {{"imageAlign", "1"}, {"imageAlignMirrorSide1", "1"}, {"imageAlignFrontX", "0.125"}}) +
             "click imageoptionButton; click imageAlignUnitMMCell",
         {{"iaSide2XEditText", "[-3.05]", "Side 2 - X", "-3.05", shift, 2, "-8.65"}}},
    };
    // One dialog of the row, printed, with its checks.
    const auto printed = [&](const Row& row, const std::string& dialog) {
        SCOPED_TRACE(dialog);
        std::vector<std::string> arguments = {kHost, "--orientation", row.orientation, "--templates", folder.path()};
        std::string actions = dialog;
        for (const Check& check : row.checks) actions += std::string("; show ") + check.control;
        std::istringstream split(actions + "; click summaryButton; tab templateTabView 1; show summaryListView; print");
        for (std::string action; std::getline(split, action, ';');)
            arguments.insert(arguments.end(), {"--do", action.substr(action.find_first_not_of(' '))});
        arguments.push_back(LUMAPREX_TEST_DATA "/filters/job.ps");
        RunSetup setup;
        setup.environment["CUPS_SERVER"] = cups.socket();
        const RunResult run = runProgram(kHost, arguments, setup);
        ASSERT_TRUE(cups.waitForJob(std::atoi(After(run.out, "request id is Lumaprex-").c_str()))) << run.err << cups.log();
        const std::string ticket = "\n" + cups.printerOutput();
        EXPECT_NE(run.err.find(row.alert), std::string::npos) << run.err;
        for (const Check& check : row.checks) {
            SCOPED_TRACE(check.control);
            EXPECT_NE(run.out.find(std::string(" ") + check.control + " " + check.shown), std::string::npos) << run.out;
            EXPECT_EQ(After(run.out, std::string("  |     ") + check.row + " | "), std::string(check.summary) + " |");
            EXPECT_EQ(Word(ticket, check.keyword, check.word), check.printed);
        }
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        printed(row, row.actions);
        if (!row.again.empty()) printed(row, row.again);
    }
}

}  // namespace

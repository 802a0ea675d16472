// Seeded random walks over the job-level panes (job setup, finishing,
// notification, custom command, image): clicks, typing, factory resets and
// templates saved and applied, as a user would work them. After every step
// the summary says what the ticket the bridge hands out says, and the pane's
// controls what the summary says, setting by setting; a disagreement names
// the seed and the steps that replay it in the print host. A few walks are
// also worked in the print host and printed through a private queue, whose
// printer must receive what the print host's summary says.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <optional>
#include <random>
#include <sstream>

#include "OpenPanel.h"
#include "SavePanel.h"
#include "TemplateController/templateController.h"
#include "controller_support.h"
#include "pde_test_support.h"
#include "private_scheduler.h"
#include "ticket_reading.h"

using namespace platform;

namespace {

using Summary = std::map<std::string, std::string>;
using Commands = std::vector<std::string>;

// What a walk chooses from on each tab; "#" stands for a number drawn for
// the step from the step's range.
struct Tab {
    const char* button;
    std::vector<std::pair<std::string, std::pair<int, int>>> actions;
};

const std::vector<Tab>& Tabs() {
    static const std::vector<Tab> tabs = {
        {"jobsetupButton",
         {{"click simplex", {}}, {"click duplexLongEdge", {}}, {"click duplexShortEdge", {}},
          {"click interleaveBlank", {}}, {"click interleavePrePrinted", {}}, {"click pamphlet", {}},
          {"type signatureSizeText #; end", {1, 40}}, {"click bodyPaperButton; select paperTableView #", {1, 9}},
          {"click frontCoverPaperButton; select paperTableView #", {0, 9}},
          {"click backCoverPaperButton; select paperTableView #", {0, 9}},
          {"click interleavePaperButton; select paperTableView #", {0, 9}},
          {"click separatorPaperButton; select paperTableView #", {0, 9}},
          {"click frontCoverPaperButton; click coverPaperNoneButton", {}},
          {"click frontCoverPaperButton; click coverPaperFrontButton", {}},
          {"click frontCoverPaperButton; click coverPaperBothButton", {}},
          {"click backCoverPaperButton; click coverPaperBackButton", {}},
          {"click backCoverPaperButton; click coverPaperPrintedButton", {}},
          {"click backCoverPaperButton; click coverPaperNoneButton", {}}, {"click collateCheckBox", {}},
          {"click proofSet", {}}, {"click setSeparatorCheckBox", {}}}},
        {"finisherButton",
         {{"click topExit", {}}, {"click staplerExit", {}}, {"click stackerExit", {}}, {"click bookletExit", {}},
          {"click otherExit", {}}, {"click stapleNone", {}}, {"click stapleTop", {}}, {"click stapleBottom", {}},
          {"click stapleBoth", {}}, {"click stapleSaddle", {}}, {"click facedown", {}}, {"click faceup", {}},
          {"click lastPageFirst", {}}, {"click longEdgeCheck", {}}, {"click edgeTrimCheck", {}},
          {"click offsetStack", {}}, {"click punchCheck", {}}, {"select punchIDListView #", {0, 11}},
          {"type customPattern #; end", {0, 300}}, {"click punchFrontCover", {}}, {"click punchBackCover", {}}}},
        {"notificationButtom",
         {{"click statusNone", {}}, {"click statusOnError", {}}, {"click statusFirstPage", {}},
          {"click statusAlways", {}}, {"select statusPaperListView #", {0, 8}},
          {"type eMailEditField ops#@example.com; end", {1, 99}}, {"type operatorEditField Stock #; end", {1, 99}},
          {"type deliverToEditField Room #; end", {1, 99}}, {"type chargeNumberEditField #; end", {1, 9999}}}},
        {"customoptionButton",
         {{"click storeButton", {}}, {"type storeEditText Weekly#; end", {1, 99}}, {"click specificPrinterButton", {}},
          {"type specificPrinterEditText Q#; end", {1, 99}}, {"click userDefinedCommandFileButton", {}},
          {"type userDefinedCustomCommandEditText %WalkCommand#; end", {1, 99}},
          {"click insertCustomPreappendButton", {}}, {"click insertCustomAppendButton", {}}}},
        {"imageoptionButton",
         {{"click imageRotation0", {}}, {"click imageRotation90", {}}, {"click imageRotation180", {}},
          {"click imageRotation270", {}}, {"click gretButton", {}}, {"type halftoneAngleEditText #; end", {0, 90}},
          {"type halftoneFrequencyEditText #; end", {60, 200}}, {"click imageAlignButton", {}},
          {"click imageAlignMirrorSide1Button", {}}, {"click imageAlignResetButton", {}},
          {"click imageAlignUnitInchCell", {}}, {"click imageAlignUnitMMCell", {}},
          {"type iaSide1XEditText 0.#; end", {0, 60}}, {"type iaSide1YEditText -0.#; end", {0, 60}},
          {"type iaSide2XEditText 0.#; end", {0, 60}}, {"type iaSide2YEditText #; end", {0, 9}},
          {"click edgeEraseButton", {}}, {"click edgeEraseMirrorSide1Button", {}}, {"click edgeEraseResetButton", {}},
          {"click edgeEraseUnitInchCell", {}}, {"click edgeEraseUnitMMCell", {}},
          {"type eaSide1TopEditText 0.#; end", {0, 90}}, {"type eaSide1LeftEditText #; end", {0, 9}},
          {"type eaSide2BottomEditText 0.#; end", {0, 90}}, {"type eaSide2RightEditText 0.#; end", {0, 90}}}},
    };
    return tabs;
}

// The lines of a ticket, without their line ends.
std::vector<std::string> Lines(const std::string& ticket) {
    std::vector<std::string> lines;
    std::istringstream in(ticket);
    for (std::string line; std::getline(in, line);) lines.push_back(line.substr(0, line.find_last_not_of('\r') + 1));
    return lines;
}

// The rest of the first line that starts with the keyword; nothing for none.
std::optional<std::string> Line(const std::vector<std::string>& lines, std::string_view keyword) {
    for (const std::string& line : lines)
        if (line.starts_with(keyword)) return line.substr(keyword.size());
    return std::nullopt;
}

// The first PostScript string of the line; "" for no line or no string.
std::string String(const std::vector<std::string>& lines, std::string_view keyword) {
    const std::optional<std::string> rest = Line(lines, keyword);
    const auto strings = rest ? PostScriptStrings(*rest) : std::nullopt;
    return strings && !strings->empty() ? strings->front() : "";
}

std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    return {std::istream_iterator<std::string>(in), {}};
}
bool HasWord(const std::string& text, std::string_view word) {
    const std::vector<std::string> words = Words(text);
    return std::find(words.begin(), words.end(), word) != words.end();
}
const char* YesNo(bool yes) { return yes ? "Yes" : "No"; }

// A printed cover as the ticket describes it: its paper, whether it is
// spared the job's punch, and its sides.
struct Cover {
    std::string paper;
    bool unpunched = false;
    std::string mode;  // as the summary names it
};

// The items of a line and of the "%%+" lines that continue it.
std::vector<std::string> Items(const std::vector<std::string>& lines, std::string_view keyword) {
    std::vector<std::string> items;
    const auto line = std::find_if(lines.begin(), lines.end(), [&](const std::string& l) { return l.starts_with(keyword); });
    for (auto at = line; at != lines.end() && (at == line || at->starts_with("%%+ ")); ++at)
        items.push_back(at->substr(at == line ? keyword.size() : 4));
    return items;
}

// The front and back covers of the ticket: printed ones on the covers line,
// pre-printed ones inserted before the first page and after the last.
std::map<std::string, Cover> Covers(const std::vector<std::string>& lines) {
    std::map<std::string, Cover> covers;
    const auto paper = [](const std::string& item) { return PostScriptStrings(item).value_or(std::vector<std::string>{""}).front(); };
    for (const std::string& item : Items(lines, "%VLXCovers: ")) {
        if (HasWord(item, "none")) break;
        const std::string mode = HasWord(item, "frontside") ? "Front" : HasWord(item, "backside") ? "Back" : "Both";
        covers[HasWord(item, "front") ? "front" : "back"] = {paper(item), HasWord(item, "punch(none)"), mode};
    }
    for (const std::string& item : Items(lines, "%VLXInserts: ")) {
        const std::vector<std::string> words = Words(item);
        if (words.back() == "0") covers["front"] = {paper(item), HasWord(item, "punch(none)"), "Pre-printed"};
        if (item.ends_with("lastpage")) covers["back"] = {paper(item), HasWord(item, "punch(none)"), "Pre-printed"};
    }
    return covers;
}

// The numbers of a line, in points.
std::vector<double> Numbers(const std::optional<std::string>& line) {
    std::vector<double> numbers;
    if (line)
        for (const std::string& word : Words(*line)) numbers.push_back(std::atof(word.c_str()));
    return numbers;
}

// The summary's distances of a group, in points, for the unit the group
// shows them in; the ticket may place them turned over, so only their sizes
// are compared, in order of size.
std::vector<double> Sizes(std::vector<double> numbers) {
    for (double& number : numbers) number = std::round(std::fabs(number) * 100) / 100;
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

// What the ticket's numbers and lines need of the pane: the units the image
// groups show (0 inches, else millimetres) and the command text typed.
struct PaneUnits {
    int imageAlign = 0;
    int edgeErase = 0;
    std::string commandText;
};

class Agreement {
public:
    Agreement(const Summary& summary, const std::string& ticket) : m_summary(summary), m_lines(Lines(ticket)) {}

    // Every row of the summary that the ticket decides, with what the
    // ticket says where they differ.
    std::string disagreements(const PaneUnits& pane) {
        jobSetup();
        finishing();
        notification();
        custom(pane.commandText);
        image(pane.imageAlign, pane.edgeErase);
        return m_report;
    }

private:
    const std::string& row(const std::string& title) {
        static const std::string none = "(no row)";
        const auto found = m_summary.find(title);
        return found == m_summary.end() ? none : found->second;
    }
    void expect(const std::string& title, const std::string& printed) {
        if (row(title) != printed) m_report += "  " + title + " | " + row(title) + " | ticket: " + printed + "\n";
    }
    // A paper row; the summary's body paper (or nothing) is the body's.
    void expectPaper(const std::string& title, const std::string& printed) {
        const std::string& shown = row(title);
        if (shown == "Body paper" || shown.empty()) expect(title, printed == body() ? shown : printed);
        else expect(title, printed);
    }
    std::string body() const { return String(m_lines, "%VLXBody: "); }
    std::string requirements() const { return Line(m_lines, "%VLXRequirements: ").value_or(""); }

    void jobSetup() {
        const std::string needs = requirements();
        expect("    Title", String(m_lines, "%%Title: "));
        const std::size_t copies = needs.find("numcopies(");
        expect("    Copies", copies == std::string::npos ? "" : needs.substr(copies + 10, needs.find(')', copies) - copies - 10));
        expect("    Collate", YesNo(HasWord(needs, "collate")));
        expect("    Proof set", YesNo(Line(m_lines, "%VLXProofSet: ").has_value()));
        const std::optional<std::string> booklet = Line(m_lines, "%VLXBooklet: ");
        const std::optional<std::string> interleave = Line(m_lines, "%VLXTransparencyMode: ");
        std::string mode = HasWord(needs, "duplex(longedge)")    ? "Duplex, long edge"
                           : HasWord(needs, "duplex(shortedge)") ? "Duplex, short edge"
                                                                 : "Simplex";
        if (booklet) mode = "Pamphlet ";
        if (interleave) mode = HasWord(*interleave, "blank") ? "Interleave, blank" : "Interleave, pre-printed";
        expect("    Print mode", mode);
        if (interleave) expectPaper("    Interleave", PostScriptStrings(*interleave).value_or(std::vector<std::string>{"", ""}).back());
        expect("    Body", body());
        const std::map<std::string, Cover> covers = Covers(m_lines);
        for (const auto& [side, title] : {std::pair{"front", "    Front cover"}, {"back", "    Back cover"}}) {
            const auto cover = covers.find(side);
            expect(title + std::string(" - Cover mode"), cover == covers.end() ? "None" : cover->second.mode);
            if (cover != covers.end()) expectPaper(title, cover->second.paper);
        }
        const std::optional<std::string> separator = Line(m_lines, "%VLXSeparator: ");
        expect("    Set separators", YesNo(separator.has_value()));
        if (separator) expectPaper("    Separator", String(m_lines, "%VLXSeparator: "));
        if (booklet) {
            // The ticket has the sheets: the pages rounded up to whole sheets of 4.
            const int pages = std::atoi(row("    Signature pages").c_str()), sheets = std::atoi(booklet->c_str());
            expect("    Signature pages", std::to_string((pages + 3) / 4 == sheets ? pages : sheets * 4) + "/" + *booklet + " sheets");
        }
    }

    void finishing() {
        const std::string needs = requirements();
        const std::string device = Line(m_lines, "%VLXOutputMedia: ").value_or("");
        const std::map<std::string, std::string> devices = {
            {"top", "Top Tray"}, {"stapler", "Stapler"}, {"stacker", "Stacker"}, {"bookmaker", "Booklet Maker"}};
        const auto named = devices.find(Words(device).empty() ? "" : Words(device).front());
        expect("    Output Device", named == devices.end() ? "Other" : named->second);
        const std::map<std::string, std::string> staples = {{"staple(none)", "No Staple"}, {"staple(front)", "Top"},
                                                            {"staple(back)", "Bottom"},    {"staple(both)", "Both"},
                                                            {"staple(saddle)", "Saddle"}};
        for (const auto& [word, name] : staples)
            if (HasWord(needs, word)) expect("    Staple position", name);
        expect("    Long-edge fold (narrow booklet)", YesNo(Line(m_lines, "%VLXReqNarrowBooks: ").has_value()));
        expect("    Trimming", YesNo(HasWord(needs, "trim(on)")));
        expect("    Offset stacking", YesNo(HasWord(needs, "jog(alternate)")));
        const int punch = std::atoi(Line(m_lines, "%VLXReqPunch: ").value_or("0").c_str());
        expect("    Punch", YesNo(punch != 0));
        if (punch == 0) expect("    ID", "None");
        const std::map<std::string, Cover> covers = Covers(m_lines);
        for (const auto& [side, title] : {std::pair{"front", "    Punch the front cover"}, {"back", "    Punch the back cover"}}) {
            const auto cover = covers.find(side);
            expect(title, YesNo(punch != 0 && cover != covers.end() && !cover->second.unpunched));
        }
        const std::string order = Line(m_lines, "%VLXReqReorderSheets:").value_or("");
        expect("    Page Order", HasWord(order, "faceup") ? "Face Up" : HasWord(order, "lastsheetfirst") ? "Last Page First" : "Face Down");
    }

    void notification() {
        expect("    E-mail address:", String(m_lines, "%VLXEmail: "));
        expect("    Operator message:", String(m_lines, "%%OperatorMessage: "));
        expect("    Deliver to:", String(m_lines, "%%Routing: "));
        expect("    Charge number:", String(m_lines, "%VLXChargeNumber: "));
        const std::string status = Line(m_lines, "%VLXError: ").value_or("off");
        const std::map<std::string, std::string> modes = {
            {"off", "None"}, {"onerror", "On error"}, {"on", "Always"}, {"1page", "Before the first page"}};
        const std::string word = Words(status).empty() ? "off" : Words(status).front();
        expect("    Status page:", modes.count(word) ? modes.at(word) : word);
        if (word != "off") expectPaper("    Status page paper", String(m_lines, "%VLXError: "));
    }

    void custom(const std::string& commandText) {
        const std::string method = Line(m_lines, "%VLXPrintMethod:").value_or("");
        if (m_summary.count("    Print")) expect("    Print", YesNo(HasWord(method, "print")));
        const std::size_t store = method.find("store(");
        // A box ticked over an empty name stores nothing and asks for no printer.
        const auto named = [&](const std::string& title, const std::string& name) {
            expect(title, !name.empty() ? name : row(title).empty() ? "" : "No");
        };
        named("    Store as:", store == std::string::npos ? "" : PostScriptStrings(method.substr(store + 5))->front());
        named("    Send to printer:", String(m_lines, "%%DocumentPrinterRequired: "));
        // The typed command text is a line of its own.
        const bool command = std::any_of(m_lines.begin(), m_lines.end(),
                                         [](const std::string& line) { return line.starts_with("%WalkCommand"); });
        // A box ticked over an empty field sends nothing.
        if (!commandText.empty() || command) expect("    Command text:", YesNo(command));
    }

    void image(int imageUnit, int eraseUnit) {
        const std::optional<std::string> rotation = Line(m_lines, "%VLXRotation: ");
        const std::map<std::string, std::string> turns = {
            {"0", "No rotation"}, {"90", "90 degrees"}, {"180", "180 degrees"}, {"270", "270 degrees"}};
        expect("Rotation", turns.at(Words(rotation.value_or("0")).front()));
        expect("Engine GRET", YesNo(HasWord(Line(m_lines, "%VLXEngineGRET: ").value_or(""), "on")));
        distances("Image Alignment", Line(m_lines, "%VLXEngineImageAlign: "), imageUnit, {"X", "Y"});
        distances("Edge Erase", Line(m_lines, "%VLXEngineEdgeErase: "), eraseUnit, {"Top", "Left", "Bottom", "Right"});
    }
    void distances(const std::string& group, const std::optional<std::string>& line, int unit,
                   std::initializer_list<const char*> names) {
        expect(group, line ? "" : "No");
        if (!line) return;
        std::vector<double> shown;
        for (const char* side : {"Side 1", "Side 2"})
            for (const char* name : names)
                shown.push_back(std::atof(row("    " + std::string(side) + " - " + name).c_str()) * (unit == 0 ? 72 : 72 / 25.4));
        if (Sizes(shown) != Sizes(Numbers(line)))
            m_report += "  " + group + " | " + Join(Sizes(shown)) + " | ticket: " + Join(Sizes(Numbers(line))) + "\n";
    }
    static std::string Join(const std::vector<double>& numbers) {
        std::string text;
        for (double number : numbers) text += Format("%.2f ", number);
        return text;
    }

    const Summary& m_summary;
    std::vector<std::string> m_lines;
    std::string m_report;
};

// The main pane of an application's dialog with its real bridge, worked by
// a user along a seeded walk; templates are saved in a folder of the walk's own.
class PaneWalk : public pde_test::MainPaneTest {
protected:
    void SetUp() override {
        MainPaneTest::SetUp();
        SetSaveFolder(folder.path());
        show();
        user = std::make_unique<UserDriver>(*pane->panelView());
    }
    void TearDown() override {
        SetSaveFolder("");
        MainPaneTest::TearDown();
    }

    templateController& templates() const {
        return *dynamic_cast<templateController*>(pane->loadedInterface()->object("templateController"));
    }
    Summary summary() const {
        Summary rows;
        for (const auto& [title, value] : templates().summaryList()) rows.emplace(title, value);
        return rows;
    }
    Control& control(const char* outlet) const { return dynamic_cast<Control&>(*pane->panelView()->findView(outlet)); }
    bool on(const char* outlet) const { return dynamic_cast<Button&>(control(outlet)).state() != 0; }
    // An icon button of a choice shows its second image when chosen.
    bool chosen(const char* outlet) const {
        const auto& image = dynamic_cast<Button&>(control(outlet)).image();
        return image && image->name().ends_with("2.icns");
    }
    std::string text(const char* outlet) const { return control(outlet).stringValue(); }

    // The commands of one step done in order up to the first refused (a
    // control the pane disables); the done ones join the walk.
    void perform(const std::string& step) {
        std::istringstream split(step);
        for (std::string command; std::getline(split, command, ';');) {
            command = command.substr(command.find_first_not_of(' '));
            if (!user->perform(command)) return;
            walk.push_back(command);
        }
    }
    // A step drawn from the walk's generator.
    std::string draw(std::mt19937& random) {
        const int kind = std::uniform_int_distribution<int>(0, 99)(random);
        const std::string summaryTab = "click summaryButton; ";
        if (kind < 3) return summaryTab + "click resetFactory";
        if (kind < 7) return summaryTab + "pick " + Format("s%ut%d", seed, ++saved) + "; click savetemplate";
        if (kind < 11 && saved > 0)
            return summaryTab + "select templateListView " +
                   std::to_string(std::uniform_int_distribution<int>(0, saved - 1)(random)) + "; click applytemplate";
        const Tab& tab = Tabs()[std::uniform_int_distribution<std::size_t>(0, Tabs().size() - 1)(random)];
        const auto& [action, range] =
            tab.actions[std::uniform_int_distribution<std::size_t>(0, tab.actions.size() - 1)(random)];
        std::string step = std::string("click ") + tab.button + "; " + action;
        if (const std::size_t at = step.find('#'); at != std::string::npos)
            step.replace(at, 1, std::to_string(std::uniform_int_distribution<int>(range.first, range.second)(random)));
        return step;
    }

    // What the pane's controls show against the summary's rows.
    std::string paneDisagreements(const Summary& rows) const {
        std::string report;
        const auto expect = [&](const std::string& what, const std::string& shown, const std::string& title) {
            const auto found = rows.find(title);
            const std::string value = found == rows.end() ? "(no row)" : found->second;
            if (shown != value) report += "  " + what + " " + shown + " | " + title + " | " + value + "\n";
        };
        for (const auto& [box, title] : {std::pair{"collateCheckBox", "    Collate"}, {"proofSet", "    Proof set"},
                                         {"setSeparatorCheckBox", "    Set separators"},
                                         {"longEdgeCheck", "    Long-edge fold (narrow booklet)"},
                                         {"edgeTrimCheck", "    Trimming"}, {"offsetStack", "    Offset stacking"},
                                         {"punchCheck", "    Punch"}, {"gretButton", "Engine GRET"}})
            expect(box, YesNo(on(box)), title);
        const std::string mode = text("printModeText");
        expect("printModeText", mode.starts_with("Print mode: Pamphlet") ? "Pamphlet " : mode.substr(12), "    Print mode");
        const std::string cover = text("selectPaperText") == "Paper for: Back cover" ? "    Back cover" : "    Front cover";
        if (text("selectPaperText").find("cover") != std::string::npos)
            expect("coverPaperText", text("coverPaperText").substr(12), cover + " - Cover mode");
        for (const auto& [field, title] :
             {std::pair{"eMailEditField", "    E-mail address:"}, {"operatorEditField", "    Operator message:"},
              {"deliverToEditField", "    Deliver to:"}, {"chargeNumberEditField", "    Charge number:"},
              {"halftoneAngleEditText", "Halftone Screen - Angle"},
              {"halftoneFrequencyEditText", "Halftone Screen - Frequency"}})
            expect(field, text(field), title);
        for (const auto& [box, field, title] :
             {std::tuple{"storeButton", "storeEditText", "    Store as:"},
              {"specificPrinterButton", "specificPrinterEditText", "    Send to printer:"}})
            expect(field, on(box) ? text(field) : "No", title);
        const auto choice = [&](const char* what, const std::vector<std::pair<const char*, const char*>>& buttons,
                                const std::string& title) {
            std::string chosen = "(none)";
            for (const auto& [button, name] : buttons)
                if (this->chosen(button)) chosen = name;
            expect(what, chosen, title);
        };
        choice("device", {{"topExit", "Top Tray"}, {"staplerExit", "Stapler"}, {"stackerExit", "Stacker"},
                          {"bookletExit", "Booklet Maker"}, {"otherExit", "Other"}},
               "    Output Device");
        choice("status", {{"statusNone", "None"}, {"statusOnError", "On error"}, {"statusAlways", "Always"},
                          {"statusFirstPage", "Before the first page"}},
               "    Status page:");
        choice("rotation", {{"imageRotation0", "No rotation"}, {"imageRotation90", "90 degrees"},
                            {"imageRotation180", "180 degrees"}, {"imageRotation270", "270 degrees"}},
               "Rotation");
        choice("order", {{"facedown", "Face Down"}, {"faceup", "Face Up"}, {"lastPageFirst", "Last Page First"}},
               "    Page Order");
        if (rows.count("    Side 1 - X"))
            for (const auto& [field, title] : {std::pair{"iaSide1XEditText", "    Side 1 - X"}, {"iaSide1YEditText", "    Side 1 - Y"},
                                               {"iaSide2XEditText", "    Side 2 - X"}, {"iaSide2YEditText", "    Side 2 - Y"}})
                expect(field, Format("%.2f", std::atof(text(field).c_str())), title);
        return report;
    }

    // The group's unit as the summary's dictionary holds it: 0 inches.
    int unit(const char* key) const { return (*templates().jobFeatureDictionary())["image"][key].intValue(); }

    // Walks the seed's steps; the first step on which the pane, the summary
    // and the ticket disagree fails the walk, naming the seed and the steps.
    void walkSeed(unsigned seed, int steps) {
        std::mt19937 random(seed);
        this->seed = seed;
        for (int i = 0; i < steps; ++i) {
            perform(draw(random));
            perform("click summaryButton");
            const Summary rows = summary();
            const std::string ticket = handOut();
            const std::string report = Agreement(rows, ticket).disagreements(
                                           {unit("imageAlignUnit"), unit("edgeEraseUnit"), text("userDefinedCustomCommandEditText")}) +
                                       paneDisagreements(rows);
            if (!report.empty()) {
                ADD_FAILURE() << "seed " << seed << ", step " << i << ":\n" << report << "steps:\n" << replay();
                return;
            }
        }
    }
    // The ticket as the print road has the bridge hand it out, after it
    // stored the user's name.
    std::string handOut() const {
        pane->bridge()->setUserName();
        return controller_test::HandOut(*pane->bridge());
    }
    std::string replay() const {
        std::string text;
        for (const std::string& command : walk) text += "  --do '" + command + "'\n";
        return text;
    }

    filter_test::TempDir folder;
    std::unique_ptr<UserDriver> user;
    Commands walk;
    unsigned seed = 0;
    int saved = 0;
};

// The seeds CI walks; LUMAPREX_WALK_SEEDS=FIRST,COUNT,STEPS walks others.
TEST_F(PaneWalk, PaneSummaryAndTicketAgreeAfterEveryStepOfSeededWalks) {
    unsigned first = 1, count = 1;
    int steps = 300;
    if (const char* seeds = std::getenv("LUMAPREX_WALK_SEEDS")) std::sscanf(seeds, "%u,%u,%d", &first, &count, &steps);
    for (unsigned seed = first; seed < first + count; ++seed) {
        if (seed != first) {
            show();
            user = std::make_unique<UserDriver>(*pane->panelView());
            walk.clear();
            saved = 0;
        }
        walkSeed(seed, steps);
    }
}

// The summary rows the print host shows ("  | title | value |").
Summary HostSummary(const std::string& out) {
    Summary rows;
    std::istringstream in(out.substr(out.find("Table summaryListView")));
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line) && line.starts_with("  | ")) {
        const std::size_t bar = line.find(" | ", 4);
        if (bar != std::string::npos) rows.emplace(line.substr(4, bar - 4), line.substr(bar + 3, line.size() - bar - 5));
    }
    return rows;
}

// A few short walks, each then worked in the print host for the same job
// and printed through a private queue: the host shows the summary the walk
// ended on, and the printer receives what that summary says.
TEST_F(PaneWalk, PrinterReceivesWhatTheSummaryOfAWalkSays) {
    filter_test::PrivateScheduler cups;
    ASSERT_TRUE(cups.ready());
    for (unsigned seed : {11u, 12u, 13u}) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        show();
        user = std::make_unique<UserDriver>(*pane->panelView());
        walk.clear();
        saved = 0;
        walkSeed(seed, 40);
        std::vector<std::string> arguments = {filter_test::builtProgram("tools", "lumaprex-print"), "--title", "Quarterly Report",
                                              "--copies", "3", "--orientation", "landscape", "--templates", folder.path()};
        for (const std::string& command : walk) arguments.insert(arguments.end(), {"--do", command});
        for (const char* command : {"click summaryButton", "tab templateTabView 1", "show summaryListView", "print"})
            arguments.insert(arguments.end(), {"--do", command});
        arguments.push_back(LUMAPREX_TEST_DATA "/filters/job.ps");
        filter_test::RunSetup setup;
        setup.environment["CUPS_SERVER"] = cups.socket();
        const filter_test::RunResult run = filter_test::runProgram(arguments.front(), arguments, setup);
        const std::size_t request = run.out.find("request id is Lumaprex-");
        ASSERT_NE(request, std::string::npos) << run.out << run.err;
        ASSERT_TRUE(cups.waitForJob(std::atoi(run.out.c_str() + request + 23))) << run.err << cups.log();
        const Summary shown = HostSummary(run.out);
        const PaneUnits units{unit("imageAlignUnit"), unit("edgeEraseUnit"), text("userDefinedCustomCommandEditText")};
        EXPECT_EQ(Agreement(shown, cups.printerOutput()).disagreements(units), "") << replay() << cups.printerOutput();
    }
}

}  // namespace

// Writes the validator's binary rule file from its readable source, such as
// data/src/ValidationRules.txt for the shipped data/PaperCatalog.cat.dat.
//
//   make-rule-file SOURCE TARGET
//
// The source is line based; "#" starts a comment. Lines:
//
//   message ID "TEXT"
//       a message identifier that rules return, with its English text;
//   control NAME-OR-NUMBER kind KIND value VALUE
//       the next control of the table (from control 0, in order): its kind
//       and the value it starts with;
//   rule [parent P] [if LEVEL] [and LEVEL] [using LEVEL] check FLAG
//        [condition = | <> | >= | <=] message ID
//       a dependent record of the control above, where LEVEL is a control
//       name or number followed by MIN..MAX or "any".
//
// Every message a rule returns must be listed, every listed message must be
// used, and the rules of a grouped control (kind 2 or more) must stand
// together by parent value. Any fault is reported as SOURCE:LINE and nothing
// is written.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "JSE_Validation.h"

namespace {

using Record = JSE_Validation::DependentItem;

struct Control {
    std::int16_t kind = 0;
    std::int16_t value = 0;
    std::vector<Record> rules;
    std::vector<int> ruleLines;
};

struct Fault {
    int line;
    std::string reason;
};

class Source {
public:
    explicit Source(std::istream& in) : m_in(in) {}
    std::vector<Control> controls;

    void Read() {
        std::string text;
        while (std::getline(m_in, text)) {
            ++m_line;
            ReadLine(WithoutComment(text));
        }
        CheckMessagesUsed();
        for (std::size_t i = 0; i < controls.size(); ++i) CheckGroups(controls[i]);
    }

private:
    [[noreturn]] void Fail(const std::string& reason, int line = 0) const { throw Fault{line ? line : m_line, reason}; }

    static std::string WithoutComment(const std::string& text) {
        bool quoted = false;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '"') quoted = !quoted;
            if (text[i] == '#' && !quoted) return text.substr(0, i);
        }
        return text;
    }

    void ReadLine(const std::string& text) {
        std::istringstream words(text);
        std::string keyword;
        if (!(words >> keyword)) return;
        if (keyword == "message") return ReadMessage(words);
        if (keyword == "control") return ReadControl(words);
        if (keyword == "rule") return ReadRule(words);
        Fail("unknown line \"" + keyword + "\"");
    }

    std::string Word(std::istringstream& words, const char* what) {
        std::string word;
        if (!(words >> word)) Fail(std::string("missing ") + what);
        return word;
    }

    void Expect(std::istringstream& words, const std::string& keyword) {
        if (Word(words, keyword.c_str()) != keyword) Fail("expected \"" + keyword + "\"");
    }

    std::int16_t Number(const std::string& word) {
        std::size_t used = 0;
        long value = 0;
        try {
            value = std::stol(word, &used);
        } catch (...) {
            used = 0;
        }
        if (used != word.size() || word.empty()) Fail("\"" + word + "\" is not a number");
        if (value < INT16_MIN || value > INT16_MAX) Fail(word + " does not fit 16 bits");
        return static_cast<std::int16_t>(value);
    }

    void ReadMessage(std::istringstream& words) {
        const std::int16_t id = Number(Word(words, "message identifier"));
        std::string text;
        std::getline(words, text);
        const std::size_t open = text.find('"'), close = text.rfind('"');
        if (open == std::string::npos || close == open) Fail("message text must stand in double quotes");
        if (close - open < 2) Fail("empty message text");
        if (!m_messages.emplace(id, m_line).second) Fail("message " + std::to_string(id) + " listed twice");
    }

    int ControlNumber(const std::string& word) {
        for (int i = 0; i < JSE_Validation::kControlCount; ++i) {
            const char* name = JSE_Validation::ControlName(i);
            if (name && word == name) return i;
        }
        const bool figures = !word.empty() && word.find_first_not_of("0123456789") == std::string::npos;
        const int number = figures && word.size() < 4 ? std::stoi(word) : -1;
        if (number < 0 || number >= JSE_Validation::kControlCount) Fail("no control " + word);
        return number;
    }

    void ReadControl(std::istringstream& words) {
        const int number = ControlNumber(Word(words, "control"));
        if (number != static_cast<int>(controls.size()))
            Fail("control " + std::to_string(number) + " stands where control " + std::to_string(controls.size()) +
                 " belongs");
        Control control;
        Expect(words, "kind");
        control.kind = Number(Word(words, "kind"));
        Expect(words, "value");
        control.value = Number(Word(words, "value"));
        controls.push_back(control);
        EndOfLine(words);
    }

    void EndOfLine(std::istringstream& words) {
        std::string rest;
        if (words >> rest) Fail("unexpected \"" + rest + "\"");
    }

    // A level: the control's field (number + 1) and its range.
    void ReadLevel(std::istringstream& words, std::int16_t& control, std::int16_t& low, std::int16_t& high) {
        control = static_cast<std::int16_t>(ControlNumber(Word(words, "level control")) + 1);
        const std::string range = Word(words, "range");
        if (range == "any") {
            low = 0;
            high = -2;
            return;
        }
        const std::size_t dots = range.find("..");
        if (dots == std::string::npos) Fail("range \"" + range + "\" is not MIN..MAX or any");
        low = Number(range.substr(0, dots));
        high = Number(range.substr(dots + 2));
        if (low > high) Fail("range \"" + range + "\" is empty");
    }

    std::int16_t Condition(const std::string& word) {
        static const std::map<std::string, std::int16_t> words = {{"=", 1}, {"<>", 2}, {">=", 3}, {"<=", 4}};
        const auto found = words.find(word);
        if (found == words.end()) Fail("condition \"" + word + "\" is not =, <>, >= or <=");
        return found->second;
    }

    void ReadRule(std::istringstream& words) {
        if (controls.empty()) Fail("a rule before any control");
        Record r;
        bool checked = false, messaged = false;
        std::string word;
        while (words >> word) {
            if (word == "parent") {
                r.parentValue = Number(Word(words, "parent value"));
            } else if (word == "if") {
                ReadLevel(words, r.level1Control, r.level1Min, r.level1Max);
            } else if (word == "and") {
                ReadLevel(words, r.level2Control, r.level2Min, r.level2Max);
            } else if (word == "using") {
                ReadLevel(words, r.level3Control, r.level3Min, r.level3Max);
            } else if (word == "check") {
                r.flag = Number(Word(words, "check"));
                checked = true;
            } else if (word == "condition") {
                r.condition = Condition(Word(words, "condition"));
            } else if (word == "message") {
                r.messageId = Number(Word(words, "message"));
                messaged = true;
            } else {
                Fail("unexpected \"" + word + "\"");
            }
        }
        if (!checked || !messaged) Fail("a rule needs a check and a message");
        if (r.level2Control != 0 && r.level1Control == 0) Fail("\"and\" without \"if\"");
        if (!m_messages.count(r.messageId)) Fail("message " + std::to_string(r.messageId) + " is not listed");
        m_used.insert(r.messageId);
        controls.back().rules.push_back(r);
        controls.back().ruleLines.push_back(m_line);
    }

    void CheckMessagesUsed() const {
        for (const auto& [id, line] : m_messages)
            if (!m_used.count(id)) Fail("message " + std::to_string(id) + " is used by no rule", line);
    }

    // The check finds a grouped control's rules by their first parent value
    // and stops at the next different one.
    void CheckGroups(const Control& control) const {
        if (control.kind < 2) return;
        std::set<int> finished;
        for (std::size_t i = 0; i < control.rules.size(); ++i) {
            const int parent = control.rules[i].parentValue;
            if (finished.count(parent)) Fail("rules of parent " + std::to_string(parent) + " do not stand together",
                                             control.ruleLines[i]);
            if (i + 1 < control.rules.size() && control.rules[i + 1].parentValue != parent) finished.insert(parent);
        }
    }

    std::istream& m_in;
    int m_line = 0;
    std::map<int, int> m_messages;  // identifier, line
    std::set<int> m_used;
};

void Put16(std::string& out, std::int16_t value) {
    out += static_cast<char>((value >> 8) & 0xFF);
    out += static_cast<char>(value & 0xFF);
}

void Put32(std::string& out, std::int32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xFF);
}

std::string Encode(const std::vector<Control>& controls) {
    std::string bytes;
    Put32(bytes, static_cast<std::int32_t>(controls.size()));
    bytes.append(8, '\0');
    for (const Control& control : controls) {
        Put16(bytes, control.kind);
        Put16(bytes, control.value);
        Put32(bytes, static_cast<std::int32_t>(control.rules.size()));
        for (const Record& r : control.rules)
            for (std::int16_t field : {r.parentValue, r.level1Control, r.level1Min, r.level1Max, r.level2Control,
                                       r.level2Min, r.level2Max, r.level3Control, r.level3Min, r.level3Max, r.flag,
                                       r.condition, r.messageId})
                Put16(bytes, field);
    }
    return bytes;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s SOURCE TARGET\n", argv[0]);
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in) {
        std::fprintf(stderr, "%s: cannot read %s\n", argv[0], argv[1]);
        return 1;
    }
    Source source(in);
    try {
        source.Read();
    } catch (const Fault& fault) {
        std::fprintf(stderr, "%s:%d: %s\n", argv[1], fault.line, fault.reason.c_str());
        return 1;
    }
    const std::string bytes = Encode(source.controls);
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    if (!out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())) || !out.flush()) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[2]);
        return 1;
    }
    return 0;
}

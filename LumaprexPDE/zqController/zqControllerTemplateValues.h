// Reading the values of a template: numbers, decimals and texts from the
// strings the dictionary holds, each accepted only as far as its setting
// allows (the range of its number, the character class and byte limit of
// its field; the bridge adds the papers of the catalog in use and the
// printer's rules). A value that is there but cannot be applied is logged
// with its key and left out, as if the template did not hold it, and the
// load is incomplete. An absent key reads as 0 or as no text, as the panes
// write nothing else for "none"; when 0 lies outside the range the setting
// keeps its factory value. Used by the bridge's template sources only.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "FoundationValues.h"

namespace template_values {

struct Range {
    double min, max;
};

// Numbers that go to the engine as 32-bit values.
constexpr Range kAnyNumber{-2147483648.0, 2147483647.0};

// The range of a job feature's number; kAnyNumber for flags and for
// features whose number the engine takes as it comes.
Range FeatureRange(int feature);

// The image pane's distances in a unit (0 inch, else mm) that a template
// may hold: as far as the pane can reach, by typing and by switching units.
Range AlignmentRange(int unit);
Range EraseRange(int unit);

// A key of a template's group and how it reaches the engine: as a number,
// a flag (any number but 0 is on, sent as 1), a text with value 0, or a
// paper by its index in the catalog.
struct SettingKey {
    enum Kind { kNumber, kFlag, kText, kPaper };
    const char* key;
    int feature;
    Kind kind;
};

// What one template load came to: whether every value it read could be
// applied, and the keys of each group that the engine answers for in the
// dictionary the panes receive (those left out, and those the file lacks).
class Outcome {
public:
    using Key = std::pair<std::string, std::string>;  // group, key

    // A trial's outcome logs nothing: its refusals are told once final.
    explicit Outcome(bool logged = true) : m_logged(logged) {}

    // Logs the line, unless this is a trial's outcome.
    void log(const std::string& line) const;
    // Logs why the value was left out; the load is incomplete.
    void leaveOut(std::string_view where, std::string_view key, std::string_view why);
    // A key the file lacks: the engine's value stands for it.
    void absent(std::string_view group, std::string_view key);
    // Something else of the file could not be applied: a group or a page
    // feature, already logged or missing as a whole.
    void incomplete() { m_complete = false; }
    bool complete() const { return m_complete; }
    const std::vector<Key>& fromEngine() const { return m_fromEngine; }

private:
    bool m_logged;
    bool m_complete = true;
    std::vector<Key> m_fromEngine;
};

// One group of a template (or one page feature of it) as the bridge reads
// it; every read goes to the outcome.
class Group {
public:
    Group(const platform::Dictionary& values, std::string name, Outcome& outcome)
        : m_values(values), m_name(std::move(name)), m_outcome(outcome) {}

    const platform::Dictionary& values() const { return m_values; }
    bool has(std::string_view key) const { return m_values.contains(key); }

    // The whole number of the key, when it lies in the range; a text is read
    // as far as it starts with a number, as the earlier release wrote some.
    std::optional<std::int64_t> number(std::string_view key, Range range);
    // The same, for a text that is a whole number and nothing else.
    std::optional<std::int64_t> wholeNumber(std::string_view key, Range range);
    // The number of the key, when it is one of the values.
    std::optional<std::int64_t> oneOf(std::string_view key, std::span<const int> values);
    // How a number is held before its range is checked (at two decimals,
    // say); none keeps it as it reads.
    using Hold = double (*)(double);
    // The decimal number of the key, as held, when the text begins with one
    // and it lies in the range.
    std::optional<double> decimal(std::string_view key, Range range, Hold hold = nullptr);
    // The same, for a text that a distance field can hold: an optional
    // minus, digits and at most one point, and nothing else (no blank, no
    // comma, no plus, no exponent).
    std::optional<double> wholeDecimal(std::string_view key, Range range, Hold hold = nullptr);
    // A number compared with 0; off when it cannot be read.
    bool flag(std::string_view key);
    // A switch as the panes write it: on for "1", off for "0" or when
    // absent. Any other value ("2", "yes"), which a pane and the ticket
    // would read apart, is left out, as off.
    bool onOff(std::string_view key);
    // The text of the key ("" when absent), held to the rule of the field
    // that writes it, if any: a text the field would mend, by removing
    // characters or cutting it to its bytes, is left out.
    std::optional<std::string> text(std::string_view key) { return text(key, key); }
    // The same, held to the rule of the field that writes ruleKey.
    std::optional<std::string> text(std::string_view key, std::string_view ruleKey);
    // The text of the key cut to its field's bytes on a whole character, as
    // typing into the field cuts it, without a word; the engine then answers
    // for the key. Only characters the field does not take leave it out.
    std::optional<std::string> textCutToField(std::string_view key, std::string_view ruleKey);
    // Leaves the value of the key out, saying why ("names a paper ...").
    void leaveOut(std::string_view key, std::string_view why);
    // The key is the engine's to answer, whatever the file holds.
    void answeredByEngine(std::string_view key) { m_outcome.absent(m_name, key); }
    const Outcome& outcome() const { return m_outcome; }

private:
    // The key's value when it is a text; otherwise it is left out (or, when
    // absent, noted as such) and there is none.
    const std::string* stored(std::string_view key);
    std::optional<std::string> heldText(std::string_view key, std::string_view ruleKey, bool cutToField);

    platform::Dictionary m_values;
    std::string m_name;
    Outcome& m_outcome;
};

// The pages of a page feature: 1 to the last page, in order.
bool PageRange(std::int64_t first, std::int64_t last, std::string_view where, const Outcome& outcome);

}  // namespace template_values

// Text the user types into the notification and custom-command panes, mended
// to what the printer takes: every UTF-16 unit outside the field's character
// class is removed (the classes are the engine's own, the e-mail address's
// kept to the printable ASCII its ticket line carries), and a text whose
// UTF-8 form is longer than the field's limit is cut to its longest start of
// whole characters that fits. The fields' rules are kept here, by the key of
// the job-feature dictionary each field writes, so that the bridge holds a
// template's texts to the same rules as the panes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

enum class TextClass {
    Any,       // every character
    FreeText,  // messages, delivery texts and charge numbers
    EMail,     // printable ASCII without the backslash: the ticket's e-mail line carries ASCII alone
    FileName,  // file and printer names: the free-text characters less "/" and U+F900 to U+FAFF
};

// A text of the job-feature dictionary and the rule of the field that sets it.
struct TextRule {
    const char* key;
    TextClass textClass;
    std::size_t maxBytes;  // of the UTF-8 form
};

// The rule of the field that writes the key; none for any other key.
const TextRule* TextRuleOf(std::string_view key);

struct AuditedText {
    std::string text;      // what the field keeps
    bool removed = false;  // characters outside the class were removed
    bool cut = false;      // the text was cut to the limit (the pane beeps)
    bool mended() const { return removed || cut; }
};

// The text as the field keeps it. A character beyond U+FFFF is two UTF-16
// units, neither in any class but Any, so it goes whole.
AuditedText AuditUserEntry(std::string_view text, TextClass textClass, std::size_t maxBytes);
AuditedText AuditUserEntry(std::string_view text, const TextRule& rule);
// Whether a field with the rule would keep the text as it stands.
bool KeepsToRule(std::string_view text, const TextRule& rule);

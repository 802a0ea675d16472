// Text the user types into the notification and custom-command panes, mended
// to what the printer takes: every UTF-16 unit outside the field's character
// class is removed (the classes are the engine's own), and a text whose UTF-8
// form is longer than the field's limit is cut to its longest start of whole
// characters that fits.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

enum class TextClass {
    Any,       // every character
    FreeText,  // messages, delivery texts and charge numbers
    EMail,     // printable Latin-1 without the backslash
    FileName,  // file and printer names: the free-text characters less "/" and U+F900 to U+FAFF
};

struct AuditedText {
    std::string text;      // what the field keeps
    bool removed = false;  // characters outside the class were removed
    bool cut = false;      // the text was cut to the limit (the pane beeps)
    bool mended() const { return removed || cut; }
};

// The text as the field keeps it. A character beyond U+FFFF is two UTF-16
// units, neither in any class but Any, so it goes whole.
AuditedText AuditUserEntry(std::string_view text, TextClass textClass, std::size_t maxBytes);

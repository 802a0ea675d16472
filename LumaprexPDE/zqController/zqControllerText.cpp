// The bridge's conversions between the panes' texts (UTF-8) and the engine's
// wide strings (one 32-bit character per code point). Characters beyond
// U+FFFF pass whole in both directions; what is no character becomes U+FFFD.
#include "zqController.h"

namespace {

constexpr std::size_t kMaxTextCharacters = 1024;

// The UTF-16 units of wide characters: a code point beyond U+FFFF as its
// surrogate pair; a pair held in two wide characters stays a pair, so the
// conversion to UTF-8 joins it, and a lone surrogate becomes U+FFFD there.
std::u16string Utf16Units(const wchar_t* characters, std::size_t count) {
    std::u16string units;
    units.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        char32_t code = static_cast<char32_t>(characters[i]);
        if (code > 0x10FFFF) code = 0xFFFD;
        if (code >= 0x10000) {
            units += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
            units += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            units += static_cast<char16_t>(code);
        }
    }
    return units;
}

}  // namespace

std::optional<std::string> zqController::getName(const wchar_t* characters, int count) {
    if (characters == nullptr || count < 1) return std::nullopt;
    return platform::FromUtf16(Utf16Units(characters, static_cast<std::size_t>(count)));
}

void zqController::NSStringToWString(std::string_view text, WString& out) {
    out.clear();
    const std::u16string units = platform::ToUtf16(text);
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char16_t unit = units[i];
        const bool pair = unit >= 0xD800 && unit <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
                          units[i + 1] <= 0xDFFF;
        if (pair) {
            out += static_cast<wchar_t>(0x10000 + ((unit - 0xD800) << 10) + (units[++i] - 0xDC00));
        } else {
            out += static_cast<wchar_t>(unit >= 0xD800 && unit <= 0xDFFF ? 0xFFFD : unit);
        }
    }
}

std::string zqController::wstringToNSString(const WString& wide) {
    return platform::FromUtf16(Utf16Units(wide.data(), std::min(wide.size(), kMaxTextCharacters)));
}

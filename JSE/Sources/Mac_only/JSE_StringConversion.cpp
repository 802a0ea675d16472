// The conversions behind the ticket string. The original platform does these
// with its string and text-encoding services; the rules are plain enough to
// state directly.
#include "JSE_String.h"

#include "FoundationValues.h"

namespace {

constexpr char32_t kReplacementCharacter = 0xFFFD;

bool isHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool isLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

void appendUTF8(std::string& out, char32_t c) {
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = kReplacementCharacter;
    if (c != 0) platform::AppendUtf8(out, c);  // 0 bytes are dropped
}

}  // namespace

// Each byte is taken as a signed value and widened to a 16-bit unit, so bytes
// 0x80-0xFF come back as U+FF80-U+FFFF.
template <bool B>
WString JSE_MacEncoding<B>::SingleByteISOL1ToMultiByteUnicode(const std::string& narrow) const {
    WString wide;
    wide.reserve(narrow.size());
    for (char byte : narrow) {
        const auto unit = static_cast<std::uint16_t>(static_cast<std::int16_t>(static_cast<signed char>(byte)));
        wide += static_cast<wchar_t>(unit);
    }
    return wide;
}

// Each character is cut to its low 16 bits; the text is kept only when every
// unit is 7-bit ASCII, otherwise the result is empty.
template <bool B>
std::string JSE_MacEncoding<B>::MultiByteUnicodeToSingleByteISOL1(const WString& wide) const {
    std::string narrow;
    narrow.reserve(wide.size());
    for (wchar_t c : wide) {
        const auto unit = static_cast<std::uint16_t>(static_cast<std::uint32_t>(c) & 0xFFFF);
        if (unit >= 0x80) return std::string();
        narrow += static_cast<char>(unit);
    }
    return narrow;
}

// UTF-8 of the text with 0 bytes dropped. A high surrogate followed by a low
// one (text read unit by unit from UTF-16) is joined into one character; lone
// surrogates and values beyond U+10FFFF become U+FFFD.
template <bool B>
std::string JSE_MacEncoding<B>::MultiByteUnicodeToSingleByteUTF8(const WString& wide) const {
    std::string out;
    out.reserve(wide.size() * 2);
    for (std::size_t i = 0; i < wide.size(); ++i) {
        char32_t c = static_cast<char32_t>(wide[i]);
        if (isHighSurrogate(c) && i + 1 < wide.size() && isLowSurrogate(static_cast<char32_t>(wide[i + 1]))) {
            const char32_t low = static_cast<char32_t>(wide[++i]);
            c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
        }
        appendUTF8(out, c);
    }
    return out;
}

template class JSE_MacEncoding<true>;
template class JSE_MacEncoding<false>;

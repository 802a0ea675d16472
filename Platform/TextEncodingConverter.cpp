#include "TextEncodingConverter.h"

#include <iconv.h>

#include <vector>

namespace {

const char* iconvName(TextEncodingBase encoding) {
    return encoding == TextEncodingBase::MacJapanese ? "SHIFT_JIS" : "MACINTOSH";
}

}  // namespace

bool ConvertTextToUTF16(const std::string& bytes, TextEncodingBase from, std::u16string& out) {
    out.clear();
    if (bytes.empty()) return true;
    iconv_t converter = iconv_open("UTF-16LE", iconvName(from));
    if (converter == reinterpret_cast<iconv_t>(-1)) return false;
    std::string input = bytes;
    std::vector<char> output(bytes.size() * 4 + 4);
    char* in = input.data();
    std::size_t inLeft = input.size();
    char* outPtr = output.data();
    std::size_t outLeft = output.size();
    const std::size_t result = iconv(converter, &in, &inLeft, &outPtr, &outLeft);
    iconv_close(converter);
    if (result == static_cast<std::size_t>(-1)) return false;
    const std::size_t produced = output.size() - outLeft;
    for (std::size_t i = 0; i + 1 < produced; i += 2) {
        const auto low = static_cast<unsigned char>(output[i]);
        const auto high = static_cast<unsigned char>(output[i + 1]);
        out += static_cast<char16_t>(low | (high << 8));
    }
    return true;
}

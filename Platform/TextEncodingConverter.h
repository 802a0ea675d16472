// Stand-in for the Text Encoding Converter: converts 8-bit text of a Mac
// encoding to UTF-16 units (iconv underneath).
#pragma once

#include <string>

enum class TextEncodingBase { MacRoman, MacJapanese };

// Converts bytes of the given encoding to UTF-16; false (and an empty result)
// when the bytes are not valid in that encoding.
bool ConvertTextToUTF16(const std::string& bytes, TextEncodingBase from, std::u16string& out);

// Field splitting and number reading shared by the catalog's three files and
// its colour and type lists.
#include <climits>

#include "JSE_Media.h"
#include "JSE_MediaFileText.h"

namespace {

bool IsFigure(wchar_t c) { return c >= L'0' && c <= L'9'; }

int AppendFigure(int value, wchar_t figure) {
    const int d = figure - L'0';
    if (value > (INT_MAX - d) / 10) return INT_MAX;
    return value * 10 + d;
}

}  // namespace

void JSE_Media::ParseLine(const wchar_t* line, WString& field, wchar_t separator) const {
    field = media_file::ParseField(line, separator);
}

void JSE_Media::SplitString(const WString& text, wchar_t separator, std::vector<WString>& list) {
    m_lastError = kMediaNoError;
    if (text.empty()) return;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find(separator, start);
        if (end == WString::npos) {
            list.push_back(text.substr(start));
            return;
        }
        list.push_back(text.substr(start, end - start));
        start = end + 1;
    }
}

// Signs and letters before the number are skipped, so the result is never
// negative.
float JSE_Media::GetFloat(const wchar_t* text, int* count) const {
    const wchar_t* c = text;
    float value = 0;
    if (c) {
        while (*c != 0 && !IsFigure(*c) && *c != L'.' && *c != L',') ++c;
        for (; IsFigure(*c); ++c) value = value * 10 + static_cast<float>(*c - L'0');
        if (*c == L'.' || *c == L',') {
            float worth = 0.1f;
            for (++c; IsFigure(*c); ++c, worth /= 10) value += static_cast<float>(*c - L'0') * worth;
        }
    }
    if (count) *count = c ? static_cast<int>(c - text) : 0;
    return value;
}

int JSE_Media::GetInteger(const wchar_t* text, int* count) const {
    const wchar_t* c = text;
    int value = 0;
    if (c) {
        while (*c != 0 && !IsFigure(*c)) ++c;
        for (; IsFigure(*c); ++c) value = AppendFigure(value, *c);
    }
    if (count) *count = c ? static_cast<int>(c - text) : 0;
    return value;
}

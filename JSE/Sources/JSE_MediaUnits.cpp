// The paper catalog's unit conversions, size snapping and number text.
#include <cmath>
#include <cstdio>
#include <iterator>

#include "JSE_Media.h"

namespace {

constexpr float kPointsPerInch = 72.0f;
constexpr double kMillimetresPerInch = 25.4;

// The printer's standard sizes in points, ascending. A size within two
// points of one of them is taken as that size.
constexpr int s_PaperSizeLookup[] = {576, 594, 595, 609, 612, 638, 648,  720,  729,  756,  792,
                                     842, 864, 865, 1008, 1032, 1044, 1191, 1219, 1224, 1296};
constexpr int kSnapWindow = 2;
constexpr int kMaxDecimals = 20;

}  // namespace

int JSE_Media::TruncateToInt(float value) {
    if (std::isnan(value)) return 0;
    if (value >= static_cast<float>(INT_MAX)) return INT_MAX;
    if (value <= static_cast<float>(INT_MIN)) return INT_MIN;
    return static_cast<int>(value);
}

float JSE_Media::InchesToPts(float inches) const { return inches * kPointsPerInch; }

float JSE_Media::MMToPts(float millimetres) const {
    const float inches = static_cast<float>(millimetres / kMillimetresPerInch);
    const float points = inches * kPointsPerInch;
    return m_sizeLookup ? PaperSizeLookup(points) : points;
}

int JSE_Media::JSE_Media_InchesToPSPoints(float inches) const { return TruncateToInt(InchesToPts(inches)); }

int JSE_Media::JSE_Media_MMToPSPoints(float millimetres) const { return TruncateToInt(MMToPts(millimetres)); }

// The first entry whose window holds the size wins, even when a later entry
// equals it: 595 snaps to 594. Sizes at or beyond the table's ends are kept
// as they are; sizes between entries lose their fraction.
float JSE_Media::PaperSizeLookup(float points) const {
    const int v = TruncateToInt(points);
    if (v <= s_PaperSizeLookup[0] || v >= s_PaperSizeLookup[std::size(s_PaperSizeLookup) - 1]) return points;
    for (int entry : s_PaperSizeLookup)
        if (v >= entry - kSnapWindow && v <= entry + kSnapWindow) return static_cast<float>(entry);
    return static_cast<float>(v);
}

bool JSE_Media::FloatToString(float value, std::string& out, int decimals) const {
    if (decimals < 0) decimals = 0;
    if (decimals > kMaxDecimals) decimals = kMaxDecimals;
    const double wide = value;
    const int length = std::snprintf(nullptr, 0, "%.*f", decimals, wide);
    out.assign(length > 0 ? static_cast<std::size_t>(length) : 0, '\0');
    if (length > 0) std::snprintf(out.data(), out.size() + 1, "%.*f", decimals, wide);
    for (char& c : out)
        if (c == '.') c = m_decimalChar;
    return true;
}

bool JSE_Media::FloatToWS(float value, WString& out, int decimals) const {
    std::string narrow;
    FloatToString(value, narrow, decimals);
    out.clear();
    for (char c : narrow) out += static_cast<wchar_t>(static_cast<unsigned char>(c));
    return true;
}

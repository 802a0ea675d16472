// Number-to-text and text-to-number helpers of the engine.
#include <cmath>

#include "JSE_String.h"

namespace {

constexpr int kMaxFractionDigits = 9;

bool isDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// Adds one decimal digit to a non-negative value, saturating at INT_MAX.
int appendDigit(int value, wchar_t digit) {
    const int d = digit - L'0';
    if (value > (INT_MAX - d) / 10) return INT_MAX;
    return value * 10 + d;
}

// Truncates a non-negative double to an int, saturating at INT_MAX.
int truncateSaturated(double v) {
    if (!(v >= 0)) return 0;  // also NaN
    if (v >= static_cast<double>(INT_MAX)) return INT_MAX;
    return static_cast<int>(v);
}

}  // namespace

const WString& JSE_itoa(int n) {
    static WString text;
    text.clear();
    // Work in the unsigned domain so the most negative int has its text too.
    unsigned int magnitude = n < 0 ? 0u - static_cast<unsigned int>(n) : static_cast<unsigned int>(n);
    do {
        text.insert(text.begin(), static_cast<wchar_t>(L'0' + magnitude % 10));
        magnitude /= 10;
    } while (magnitude != 0);
    if (n < 0) text.insert(text.begin(), L'-');
    return text;
}

// The value truncated (not rounded) to the given number of fraction digits;
// a small guard absorbs binary representation error. "." is always written.
const WString& JSE_ftoa(double value, int digits) {
    static WString text;
    float guard = 0.5f;
    for (int i = 0; i < digits + 1; ++i) guard /= 10;
    const double v = std::fabs(value);
    const int integral = truncateSaturated(v + guard);
    text = JSE_itoa(integral);
    text += L'.';
    double fraction = v - integral;
    for (int i = 0; i < digits; ++i) {
        const double t = 10 * fraction;
        int d = truncateSaturated(t + guard);
        if (d > 9) d = 9;
        text += static_cast<wchar_t>(L'0' + d);
        fraction = t - d;
    }
    if (value < 0) text.insert(text.begin(), L'-');
    return text;
}

const WString& JSE_itoh(int n) {
    static WString text;
    static const wchar_t kHexDigits[] = L"0123456789ABCDEF";
    text = L"0x";
    if (n < 0) return text;
    WString digits;
    do {
        digits.insert(digits.begin(), kHexDigits[n % 16]);
        n /= 16;
    } while (n != 0);
    text += digits;
    return text;
}

int JSE_atoi(const WString& text) {
    int value = 0;
    for (wchar_t c : text) {
        if (!isDigit(c)) break;
        value = appendDigit(value, c);
    }
    return value;
}

double JSE_atof(const WString& text) {
    std::size_t i = 0;
    const bool negative = !text.empty() && text[0] == L'-';
    if (negative) ++i;
    int integral = 0;
    int numerator = 0;
    int divisor = 1;
    int fractionDigits = 0;
    bool inFraction = false;
    for (; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c == L'.' && !inFraction) {
            inFraction = true;
        } else if (!isDigit(c)) {
            break;
        } else if (!inFraction) {
            integral = appendDigit(integral, c);
        } else if (fractionDigits < kMaxFractionDigits) {  // further digits are below the precision kept
            numerator = numerator * 10 + (c - L'0');
            divisor *= 10;
            ++fractionDigits;
        }
    }
    double result = integral;
    if (fractionDigits > 0) result += static_cast<double>(numerator) / divisor;
    return negative ? -result : result;
}

int __mbctombb(char c) { return static_cast<signed char>(c); }

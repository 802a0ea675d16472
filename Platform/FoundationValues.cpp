// Values, containers and text services of the value-class stand-in.
#include "FoundationValues.h"

#include <clocale>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include <locale.h>

namespace platform {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// One character of UTF-8 text: its code point and how many bytes it took.
// A broken sequence is not valid and stands for U+FFFD over its longest
// valid-looking start (at least one byte), as Unicode recommends.
struct Decoded {
    char32_t code;
    std::size_t length;
    bool valid = true;
};

Decoded DecodeUtf8(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80) return {lead, 1};
    std::size_t following = 0;
    char32_t code = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        following = 1;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        following = 2;
        code = lead & 0x0F;
        if (lead == 0xE0) low = 0xA0;   // no overlong forms
        if (lead == 0xED) high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        following = 3;
        code = lead & 0x07;
        if (lead == 0xF0) low = 0x90;   // no overlong forms
        if (lead == 0xF4) high = 0x8F;  // nothing above U+10FFFF
    } else {
        return {kReplacement, 1, false};
    }
    std::size_t length = 1;
    for (std::size_t i = 0; i < following; ++i, ++length) {
        if (at + length >= text.size()) return {kReplacement, length, false};
        const unsigned char next = byte(at + length);
        if (next < low || next > high) return {kReplacement, length, false};
        low = 0x80;
        high = 0xBF;
        code = (code << 6) | (next & 0x3F);
    }
    return {code, length};
}

bool IsValidUtf8(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        const Decoded decoded = DecodeUtf8(text, at);
        if (!decoded.valid) return false;
        at += decoded.length;
    }
    return true;
}

std::string MadeValid(std::string text) {
    return IsValidUtf8(text) ? std::move(text) : ValidUtf8(text);
}

// The "C" locale, for reading and writing numbers with "." whatever the
// process's own locale is.
locale_t NumberLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return locale;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t SkipBlanks(std::string_view text, std::size_t at) {
    while (at < text.size() && IsBlank(text[at])) ++at;
    return at;
}

std::size_t SkipDigits(std::string_view text, std::size_t at) {
    while (at < text.size() && IsDigit(text[at])) ++at;
    return at;
}

// The end of the decimal number that starts at `at`, or `at` itself when no
// digit is there.
std::size_t DecimalNumberEnd(std::string_view text, std::size_t at) {
    std::size_t end = at;
    if (end < text.size() && (text[end] == '+' || text[end] == '-')) ++end;
    const std::size_t integerEnd = SkipDigits(text, end);
    bool digits = integerEnd > end;
    end = integerEnd;
    if (end < text.size() && text[end] == '.') {
        const std::size_t fractionEnd = SkipDigits(text, end + 1);
        digits = digits || fractionEnd > end + 1;
        end = fractionEnd;
    }
    if (!digits) return at;
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        std::size_t exponent = end + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) ++exponent;
        const std::size_t exponentEnd = SkipDigits(text, exponent);
        if (exponentEnd > exponent) end = exponentEnd;
    }
    return end;
}

std::int64_t ClampToInteger(double value) {
    if (std::isnan(value)) return 0;
    constexpr double kLimit = 9223372036854775808.0;  // 2^63
    if (value >= kLimit) return std::numeric_limits<std::int64_t>::max();
    if (value <= -kLimit) return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(value);
}

int ClampToInt(std::int64_t value) {
    if (value > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    if (value < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

const Value& NoValue() {
    static const Value none;
    return none;
}

}  // namespace

// ---- Array

Array::Array() : m_values(std::make_shared<std::vector<Value>>()) {}

Array::Array(std::initializer_list<Value> values) : Array() {
    for (const Value& value : values) append(value);
}

Array Array::copy() const {
    Array result;
    *result.m_values = *m_values;
    return result;
}

std::size_t Array::size() const { return m_values->size(); }
bool Array::empty() const { return m_values->empty(); }

const Value& Array::operator[](std::size_t index) const {
    return index < m_values->size() ? (*m_values)[index] : NoValue();
}

std::vector<Value>::const_iterator Array::begin() const { return m_values->cbegin(); }
std::vector<Value>::const_iterator Array::end() const { return m_values->cend(); }

void Array::append(Value value) {
    if (!value.isNone()) m_values->push_back(std::move(value));
}

void Array::set(std::size_t index, Value value) {
    if (index < m_values->size() && !value.isNone()) (*m_values)[index] = std::move(value);
}

void Array::remove(std::size_t index) {
    if (index < m_values->size()) m_values->erase(m_values->begin() + static_cast<std::ptrdiff_t>(index));
}

void Array::clear() { m_values->clear(); }

bool operator==(const Array& a, const Array& b) { return a.isSameArray(b) || *a.m_values == *b.m_values; }

// ---- Dictionary

Dictionary::Dictionary() : m_storage(std::make_shared<Storage>()) {}

Dictionary::Dictionary(std::initializer_list<Entry> entries) : Dictionary() {
    for (const Entry& entry : entries) set(entry.first, entry.second);
}

Dictionary Dictionary::copy() const {
    Dictionary result;
    *result.m_storage = *m_storage;
    return result;
}

std::size_t Dictionary::size() const { return m_storage->entries.size(); }
bool Dictionary::empty() const { return m_storage->entries.empty(); }
bool Dictionary::contains(std::string_view key) const { return find(key) != nullptr; }

const Value* Dictionary::find(std::string_view key) const {
    const auto found = m_storage->index.find(key);
    return found == m_storage->index.end() ? nullptr : &m_storage->entries[found->second].second;
}

const Value& Dictionary::operator[](std::string_view key) const {
    const Value* value = find(key);
    return value ? *value : NoValue();
}

std::vector<std::string> Dictionary::keys() const {
    std::vector<std::string> keys;
    keys.reserve(size());
    for (const Entry& entry : m_storage->entries) keys.push_back(entry.first);
    return keys;
}

std::vector<Dictionary::Entry>::const_iterator Dictionary::begin() const { return m_storage->entries.cbegin(); }
std::vector<Dictionary::Entry>::const_iterator Dictionary::end() const { return m_storage->entries.cend(); }

void Dictionary::set(std::string_view key, Value value) {
    if (value.isNone()) return remove(key);
    std::string validKey = MadeValid(std::string(key));
    const auto found = m_storage->index.find(validKey);
    if (found != m_storage->index.end()) {
        m_storage->entries[found->second].second = std::move(value);
        return;
    }
    m_storage->index.emplace(validKey, m_storage->entries.size());
    m_storage->entries.emplace_back(std::move(validKey), std::move(value));
}

void Dictionary::remove(std::string_view key) {
    const auto found = m_storage->index.find(key);
    if (found == m_storage->index.end()) return;
    const std::size_t position = found->second;
    m_storage->index.erase(found);
    m_storage->entries.erase(m_storage->entries.begin() + static_cast<std::ptrdiff_t>(position));
    for (auto& [name, at] : m_storage->index)
        if (at > position) --at;
}

void Dictionary::clear() {
    m_storage->entries.clear();
    m_storage->index.clear();
}

bool operator==(const Dictionary& a, const Dictionary& b) {
    if (a.isSameDictionary(b)) return true;
    if (a.size() != b.size()) return false;
    for (const auto& [key, value] : a) {
        const Value* other = b.find(key);
        if (!other || !(*other == value)) return false;
    }
    return true;
}

// ---- Value

Value::Value(const char* text) : m_value(MadeValid(text ? std::string(text) : std::string())) {}
Value::Value(std::string_view text) : m_value(MadeValid(std::string(text))) {}
Value::Value(std::string text) : m_value(MadeValid(std::move(text))) {}

const std::string& Value::text() const {
    static const std::string empty;
    const std::string* text = std::get_if<std::string>(&m_value);
    return text ? *text : empty;
}

std::int64_t Value::integerValue() const {
    switch (kind()) {
    case Kind::String: return ReadInteger(std::get<std::string>(m_value));
    case Kind::Integer: return std::get<std::int64_t>(m_value);
    case Kind::Real: return ClampToInteger(std::get<double>(m_value));
    case Kind::Boolean: return std::get<bool>(m_value) ? 1 : 0;
    default: return 0;
    }
}

int Value::intValue() const { return ClampToInt(integerValue()); }

double Value::doubleValue() const {
    switch (kind()) {
    case Kind::String: return ReadDouble(std::get<std::string>(m_value));
    case Kind::Integer: return static_cast<double>(std::get<std::int64_t>(m_value));
    case Kind::Real: return std::get<double>(m_value);
    case Kind::Boolean: return std::get<bool>(m_value) ? 1.0 : 0.0;
    default: return 0.0;
    }
}

bool Value::boolValue() const {
    if (const bool* flag = std::get_if<bool>(&m_value)) return *flag;
    return integerValue() != 0;
}

const Data* Value::data() const { return std::get_if<platform::Data>(&m_value); }

std::optional<Date> Value::date() const {
    if (const platform::Date* date = std::get_if<platform::Date>(&m_value)) return *date;
    return std::nullopt;
}

Array Value::array() const {
    const platform::Array* array = std::get_if<platform::Array>(&m_value);
    return array ? *array : platform::Array();
}

Dictionary Value::dictionary() const {
    const platform::Dictionary* dictionary = std::get_if<platform::Dictionary>(&m_value);
    return dictionary ? *dictionary : platform::Dictionary();
}

const Value& Value::operator[](std::string_view key) const {
    const platform::Dictionary* dictionary = std::get_if<platform::Dictionary>(&m_value);
    return dictionary ? (*dictionary)[key] : NoValue();
}

bool operator==(const Value& a, const Value& b) {
    if (a.kind() == Value::Kind::Real && b.kind() == Value::Kind::Real) {
        const double x = std::get<double>(a.m_value), y = std::get<double>(b.m_value);
        return x == y || (std::isnan(x) && std::isnan(y));
    }
    return a.m_value == b.m_value;
}

// ---- Numbers in text

std::int64_t ReadInteger(std::string_view text) {
    std::size_t at = SkipBlanks(text, 0);
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
    const std::uint64_t limit = negative ? 9223372036854775808ULL : 9223372036854775807ULL;
    std::uint64_t magnitude = 0;
    for (; at < text.size() && IsDigit(text[at]); ++at) {
        const auto digit = static_cast<std::uint64_t>(text[at] - '0');
        magnitude = magnitude > (limit - digit) / 10 ? limit : magnitude * 10 + digit;
    }
    if (!negative) return static_cast<std::int64_t>(magnitude);
    return magnitude == limit ? std::numeric_limits<std::int64_t>::min() : -static_cast<std::int64_t>(magnitude);
}

int ReadInt(std::string_view text) { return ClampToInt(ReadInteger(text)); }

double ReadDouble(std::string_view text) { return ReadDecimal(text).value_or(0.0); }

std::optional<double> ReadDecimal(std::string_view text) {
    const std::size_t start = SkipBlanks(text, 0);
    const std::size_t end = DecimalNumberEnd(text, start);
    if (end == start) return std::nullopt;
    const std::string number(text.substr(start, end - start));
    return strtod_l(number.c_str(), nullptr, NumberLocale());
}

std::string FormatList(const char* format, va_list arguments) {
    const locale_t previous = uselocale(NumberLocale());
    va_list measure;
    va_copy(measure, arguments);
    const int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    std::string result;
    if (length > 0) {
        result.resize(static_cast<std::size_t>(length) + 1);
        std::vsnprintf(result.data(), result.size(), format, arguments);
        result.resize(static_cast<std::size_t>(length));
    }
    uselocale(previous);
    return result;
}

std::string Format(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    std::string result = FormatList(format, arguments);
    va_end(arguments);
    return result;
}

std::string FormatInteger(std::int64_t value) { return std::to_string(value); }

std::string FormatDecimal(double value, int decimals) { return Format("%.*f", decimals, value); }

// ---- UTF-8 and UTF-16

void AppendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

std::string ValidUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t at = 0; at < bytes.size();) {
        const Decoded decoded = DecodeUtf8(bytes, at);
        if (!decoded.valid) AppendUtf8(out, kReplacement);
        else out.append(bytes.substr(at, decoded.length));
        at += decoded.length;
    }
    return out;
}

std::size_t Utf16Length(std::string_view text) {
    std::size_t units = 0;
    for (std::size_t at = 0; at < text.size();) {
        const Decoded decoded = DecodeUtf8(text, at);
        units += decoded.code >= 0x10000 ? 2 : 1;
        at += decoded.length;
    }
    return units;
}

std::u16string ToUtf16(std::string_view text) {
    std::u16string units;
    units.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const Decoded decoded = DecodeUtf8(text, at);
        if (decoded.code >= 0x10000) {
            const char32_t offset = decoded.code - 0x10000;
            units += static_cast<char16_t>(0xD800 + (offset >> 10));
            units += static_cast<char16_t>(0xDC00 + (offset & 0x3FF));
        } else {
            units += static_cast<char16_t>(decoded.code);
        }
        at += decoded.length;
    }
    return units;
}

std::string FromUtf16(std::u16string_view units) {
    std::string out;
    out.reserve(units.size());
    for (std::size_t at = 0; at < units.size(); ++at) {
        const char16_t unit = units[at];
        const bool high = unit >= 0xD800 && unit <= 0xDBFF;
        const bool low = unit >= 0xDC00 && unit <= 0xDFFF;
        if (high && at + 1 < units.size() && units[at + 1] >= 0xDC00 && units[at + 1] <= 0xDFFF) {
            AppendUtf8(out, 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (units[at + 1] - 0xDC00));
            ++at;
        } else {
            AppendUtf8(out, high || low ? kReplacement : static_cast<char32_t>(unit));
        }
    }
    return out;
}

std::string Utf8Prefix(std::string_view text, std::size_t maxBytes) {
    const std::string valid = ValidUtf8(text);
    std::size_t end = 0;
    while (end < valid.size()) {
        const std::size_t next = end + DecodeUtf8(valid, end).length;
        if (next > maxBytes) break;
        end = next;
    }
    return valid.substr(0, end);
}

}  // namespace platform

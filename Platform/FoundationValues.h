// Stand-in for the platform's value classes: texts, numbers, flags, data,
// dates, arrays and dictionaries as the bridge and the panes hold them, plus
// the text services they ask of those classes (reading a number from a text,
// "%d" and "%.2f" formatting, UTF-16 lengths).
//
// Arrays and dictionaries are shared by reference, as on the platform: copying
// an Array or a Dictionary gives another handle on the same container, so an
// edit through one holder is seen by every other; copy() makes a new container
// holding the same values (a shallow copy: the containers inside stay shared).
// Texts are UTF-8; a text that is not valid UTF-8 is stored with each broken
// sequence replaced by U+FFFD, so no container ever holds invalid text.
#pragma once

#include <concepts>
#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace platform {

class Value;

using Data = std::vector<std::uint8_t>;

// A moment as property lists keep it: whole seconds since
// 2001-01-01 00:00:00 UTC.
struct Date {
    std::int32_t seconds = 0;
    friend bool operator==(const Date&, const Date&) = default;
};

// An ordered list of values, shared by every handle on it. It never holds a
// None value: appending or setting one does nothing. Iterators and references
// into it last until the next change through any handle.
class Array {
public:
    Array();
    Array(std::initializer_list<Value> values);

    // A new array holding the same values.
    Array copy() const;

    std::size_t size() const;
    bool empty() const;
    // The value at the index; None past the end.
    const Value& operator[](std::size_t index) const;
    std::vector<Value>::const_iterator begin() const;
    std::vector<Value>::const_iterator end() const;

    void append(Value value);
    // Replaces the value at the index; past the end it does nothing.
    void set(std::size_t index, Value value);
    // Past the end it does nothing.
    void remove(std::size_t index);
    void clear();

    // True when both handles name the very same array.
    bool isSameArray(const Array& other) const { return m_values == other.m_values; }
    // The same values in the same order.
    friend bool operator==(const Array& a, const Array& b);

private:
    std::shared_ptr<std::vector<Value>> m_values;
};

// Keyed values in the order their keys were first set, shared by every handle
// on it. Setting a key that is present replaces its value in place; setting
// None removes the key. Iterators and references into it last until the next
// change through any handle.
class Dictionary {
public:
    using Entry = std::pair<std::string, Value>;

    Dictionary();
    Dictionary(std::initializer_list<Entry> entries);

    // A new dictionary holding the same keys and values.
    Dictionary copy() const;

    std::size_t size() const;
    bool empty() const;
    bool contains(std::string_view key) const;
    // The value of the key, or nullptr when the key is absent.
    const Value* find(std::string_view key) const;
    // The value of the key; None when the key is absent, so that reading a
    // missing entry as a number gives 0 and as a text gives "".
    const Value& operator[](std::string_view key) const;
    // The keys in order.
    std::vector<std::string> keys() const;
    std::vector<Entry>::const_iterator begin() const;
    std::vector<Entry>::const_iterator end() const;

    void set(std::string_view key, Value value);
    void remove(std::string_view key);
    void clear();

    // True when both handles name the very same dictionary.
    bool isSameDictionary(const Dictionary& other) const { return m_storage == other.m_storage; }
    // The same keys with equal values, in any order.
    friend bool operator==(const Dictionary& a, const Dictionary& b);

private:
    struct Storage {
        std::vector<Entry> entries;
        std::map<std::string, std::size_t, std::less<>> index;
    };
    std::shared_ptr<Storage> m_storage;
};

// One value: none, a text, a whole number, a real number, a flag, data, a
// date, an array or a dictionary. Cheap to pass: containers are handles.
class Value {
public:
    enum class Kind { None, String, Integer, Real, Boolean, Data, Date, Array, Dictionary };

    Value() = default;
    Value(const char* text);
    Value(std::string_view text);
    Value(std::string text);
    template <std::integral T>
        requires(!std::same_as<T, bool>)
    Value(T integer) : m_value(static_cast<std::int64_t>(integer)) {}
    Value(double real) : m_value(real) {}
    Value(bool flag) : m_value(flag) {}
    // No pointer other than a text becomes a flag by accident.
    template <class T>
    Value(T*) = delete;
    Value(platform::Data data) : m_value(std::move(data)) {}
    Value(platform::Date date) : m_value(date) {}
    Value(platform::Array array) : m_value(std::move(array)) {}
    Value(platform::Dictionary dictionary) : m_value(std::move(dictionary)) {}

    Kind kind() const { return static_cast<Kind>(m_value.index()); }
    bool isNone() const { return kind() == Kind::None; }
    bool isArray() const { return kind() == Kind::Array; }
    bool isDictionary() const { return kind() == Kind::Dictionary; }

    // The text; "" for a value of any other kind.
    const std::string& text() const;
    // The value as a whole number: a text is read as ReadInteger reads it, a
    // real number is cut toward zero, a flag gives 1 or 0, anything else 0.
    // intValue() keeps the result within the range of int.
    std::int64_t integerValue() const;
    int intValue() const;
    // The value as a real number: a text is read as ReadDouble reads it.
    double doubleValue() const;
    float floatValue() const { return static_cast<float>(doubleValue()); }
    // A flag as it stands; any other value compared with 0 as a whole number.
    bool boolValue() const;

    // The contents of that kind, or nothing for a value of another kind.
    const platform::Data* data() const;
    std::optional<platform::Date> date() const;
    // A handle on the array or dictionary the value holds, through which it
    // can be read and edited in place; for a value of another kind a new,
    // empty one that nobody else holds, so that reading a missing group finds
    // nothing and editing it changes nothing. Being a handle, it can be
    // iterated at once:
    //     for (const auto& [key, value] : jobFeatures["jobSetup"].dictionary())
    platform::Array array() const;
    platform::Dictionary dictionary() const;
    // The entry of a dictionary value, as Dictionary::operator[] gives it;
    // None for a value of another kind.
    const Value& operator[](std::string_view key) const;

    // Same kind and equal contents (real numbers: NaN equals NaN).
    friend bool operator==(const Value& a, const Value& b);

private:
    std::variant<std::monostate, std::string, std::int64_t, double, bool, platform::Data, platform::Date,
                 platform::Array, platform::Dictionary>
        m_value;
};

// Reads the whole number at the start of a text: leading blanks are skipped,
// then an optional sign and the digits up to the first other character; 0
// when no digit follows. Values beyond the range saturate.
std::int64_t ReadInteger(std::string_view text);
int ReadInt(std::string_view text);
// Reads the decimal number at the start of a text with "." as the decimal
// point whatever the locale: leading blanks, an optional sign, digits with at
// most one point and an optional exponent; the longest such part is used and
// the rest ignored; 0 when the text does not begin with a number.
double ReadDouble(std::string_view text);
// The same number, or none when the text does not begin with one ("abc",
// "nan", "inf").
std::optional<double> ReadDecimal(std::string_view text);

// printf-style formatting with "." as the decimal point whatever the locale
// ("%d", "%ld", "%.2f", "%s").
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string FormatList(const char* format, va_list arguments) __attribute__((format(printf, 1, 0)));
// "%d" of a whole number and "%.2f" (or another count of decimals) of a real.
std::string FormatInteger(std::int64_t value);
std::string FormatDecimal(double value, int decimals = 2);

// Appends the UTF-8 form of a character (a Unicode scalar value).
void AppendUtf8(std::string& out, char32_t code);
// The text with every broken UTF-8 sequence replaced by U+FFFD.
std::string ValidUtf8(std::string_view bytes);
// The number of UTF-16 units of a UTF-8 text (its byte length is size()).
std::size_t Utf16Length(std::string_view text);
std::u16string ToUtf16(std::string_view text);
// UTF-8 from UTF-16 units; a unit of a broken surrogate pair becomes U+FFFD.
std::string FromUtf16(std::u16string_view units);
// The longest start of a UTF-8 text, in whole characters, of at most maxBytes.
std::string Utf8Prefix(std::string_view text, std::size_t maxBytes);

}  // namespace platform

// Field encodings of the settings file: writing and reading one field.
#include <cmath>
#include <cstring>
#include <istream>
#include <limits>
#include <ostream>
#include <vector>

#include "JSE_PreferenceFile.h"

namespace preference_file {

namespace {

constexpr float kInt32Limit = 2147483648.0f;  // 2^31
constexpr std::int32_t kWholeFraction = 100000;

// The units of the characters and the terminating 0; the count is one more
// than the characters.
std::int64_t TextCount(const WString& text) { return static_cast<std::int64_t>(text.size()) + 1; }

}  // namespace

std::int64_t BytesLeft(std::istream& stream) {
    const std::streampos here = stream.tellg();
    if (here == std::streampos(-1)) return -1;
    stream.seekg(0, std::ios::end);
    const std::streampos end = stream.tellg();
    stream.seekg(here);
    if (end == std::streampos(-1) || !stream) return -1;
    return static_cast<std::int64_t>(end - here);
}

bool FitsFloatField(float value) {
    if (!std::isfinite(value)) return false;
    const float whole = std::trunc(value);
    return whole >= -kInt32Limit && whole < kInt32Limit;
}

void Writer::Put(const void* data, std::size_t size, std::int32_t code) {
    if (m_error || size == 0) return;
    m_stream.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!m_stream) m_error = code;
}

void Writer::Int32(std::int32_t value) { Put(&value, sizeof value, m_plainCode); }

void Writer::Int64(std::int64_t value) { Put(&value, sizeof value, m_plainCode); }

void Writer::Mark(std::uint32_t value) { Put(&value, sizeof value, m_plainCode); }

void Writer::Flag(bool value) {
    const std::uint8_t byte = value ? 1 : 0;
    Put(&byte, sizeof byte, m_plainCode);
}

void Writer::ByteFlag(bool value) { Flag(value); }

void Writer::Byte(std::uint8_t value) { Put(&value, sizeof value, m_plainCode); }

void Writer::Bytes(const void* data, std::size_t size) { Put(data, size, m_plainCode); }

void Writer::Text(const WString& text) {
    const std::int64_t count = TextCount(text);
    if (count > std::numeric_limits<std::int32_t>::max()) {
        if (!m_error) m_error = JSE_Preference::kTextNotWritten;
        return;
    }
    const auto count32 = static_cast<std::int32_t>(count);
    Put(&count32, sizeof count32, JSE_Preference::kTextNotWritten);
    Put(text.c_str(), static_cast<std::size_t>(count) * sizeof(wchar_t), JSE_Preference::kTextNotWritten);
}

// The fraction is rounded, not cut: 7.2 is stored as 7 and 20000, so a value
// read back and saved again keeps its bytes. A fraction that rounds to a
// whole unit moves into the whole part.
void Writer::Float(float value) {
    if (!FitsFloatField(value)) {
        if (!m_error) m_error = JSE_Preference::kFloatNotWritten;
        return;
    }
    const float whole = std::trunc(value);
    const float scaled = (value - whole) * kFractionUnits;
    auto integer = static_cast<std::int32_t>(whole);
    auto fraction = static_cast<std::int32_t>(std::lround(scaled));
    if (fraction == kWholeFraction || fraction == -kWholeFraction) {
        integer += fraction > 0 ? 1 : -1;
        fraction = 0;
    }
    Put(&integer, sizeof integer, JSE_Preference::kFloatNotWritten);
    Put(&fraction, sizeof fraction, JSE_Preference::kFloatNotWritten);
}

Reader::Reader(std::istream& stream, std::int64_t& left, std::int32_t plainCode)
    : m_stream(stream), m_remaining(left), m_plainCode(plainCode) {
    if (m_remaining < 0) m_error = plainCode;
}

void Reader::Fail(std::int32_t code) {
    if (!m_error) m_error = code;
}

bool Reader::Get(void* data, std::size_t size, std::int32_t code) {
    if (size == 0) return !m_error;
    if (!m_error && static_cast<std::uint64_t>(m_remaining) >= size) {
        m_stream.read(static_cast<char*>(data), static_cast<std::streamsize>(size));
        if (m_stream.gcount() == static_cast<std::streamsize>(size)) {
            m_remaining -= static_cast<std::int64_t>(size);
            return true;
        }
    }
    Fail(code);
    std::memset(data, 0, size);
    return false;
}

void Reader::Int32(std::int32_t& value) { Get(&value, sizeof value, m_plainCode); }

void Reader::Int64(std::int64_t& value) { Get(&value, sizeof value, m_plainCode); }

void Reader::Mark(std::uint32_t& value) { Get(&value, sizeof value, m_plainCode); }

void Reader::Flag(bool& value) {
    std::uint8_t byte;
    Get(&byte, sizeof byte, m_plainCode);
    value = (byte & 1) != 0;
}

void Reader::Flag(std::int32_t& value) {
    bool flag;
    Flag(flag);
    value = flag ? 1 : 0;
}

void Reader::ByteFlag(bool& value) {
    std::uint8_t byte;
    Get(&byte, sizeof byte, m_plainCode);
    value = byte != 0;
}

void Reader::Byte(std::uint8_t& value) { Get(&value, sizeof value, m_plainCode); }

void Reader::Bytes(void* data, std::size_t size) { Get(data, size, m_plainCode); }

bool Reader::Count(std::int64_t count) {
    if (count >= 0 && count <= m_remaining) return true;
    Fail(m_plainCode);
    return false;
}

void Reader::Text(WString& text) {
    text.clear();
    std::int32_t count;
    if (!Get(&count, sizeof count, JSE_Preference::kTextNotRead)) return;
    if (count < 0 || static_cast<std::int64_t>(count) * 4 > m_remaining) {
        Fail(JSE_Preference::kTextNotRead);
        return;
    }
    std::vector<std::uint32_t> units(static_cast<std::size_t>(count));
    if (!Get(units.data(), units.size() * sizeof(std::uint32_t), JSE_Preference::kTextNotRead)) return;
    for (std::uint32_t unit : units) {
        if (unit == 0) break;
        text += static_cast<wchar_t>(unit);
    }
}

void Reader::Float(float& value) {
    std::int32_t parts[2];
    value = 0.0f;
    if (!Get(parts, sizeof parts, JSE_Preference::kFloatNotRead)) return;
    const float read = static_cast<float>(parts[0]) + static_cast<float>(parts[1]) / kFractionUnits;
    if (FitsFloatField(read)) value = read;
    else Fail(JSE_Preference::kFloatNotRead);
}

}  // namespace preference_file

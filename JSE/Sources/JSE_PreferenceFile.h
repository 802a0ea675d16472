// The field encodings of the settings file: numbers, flags, bytes, texts and
// floats as the file stores them, in the machine's byte order. Used by the
// settings store only.
#pragma once

#include <cstdint>
#include <iosfwd>

#include "JSE_Preference.h"
#include "JSE_String.h"

namespace preference_file {

// The 8 bytes that open every settings file (" CAM" and four zeros).
constexpr std::int64_t kHeaderTag = 0x4D414320;
// The mark that opens a page exception of a writer that versions its items.
constexpr std::uint32_t kItemMark = 0xFACEF00D;
// The item version this store writes, which is also the highest it reads:
// 1 added the page copies, 2 the paper-selection index.
constexpr std::int64_t kItemVersion = 2;
// A float is stored as its whole part and its fraction in these units.
constexpr float kFractionUnits = 100000.0f;

// The bytes from the stream's position to its end; -1 when the stream
// cannot tell.
std::int64_t BytesLeft(std::istream& stream);

// True when the float can be written: finite, with a whole part that an
// int32 holds.
bool FitsFloatField(float value);

// Writes fields one after another. Every write checks the stream; the first
// failure is kept and later writes do nothing, so a section is a run of plain
// calls answered by Error(). Its calls match the Reader's, so that one field
// list (JSE_PreferenceLayout.h) serves both.
class Writer {
public:
    // plainCode: the code of a failed number, flag or byte (a text fails with
    // 23, a float with 22).
    explicit Writer(std::ostream& stream, std::int32_t plainCode = JSE_Preference::kTextNotWritten)
        : m_stream(stream), m_plainCode(plainCode) {}

    void Int32(std::int32_t value);
    void Int64(std::int64_t value);
    void Mark(std::uint32_t value);
    // One byte, 0 or 1.
    void Flag(bool value);
    // A flag kept in a byte of its own: 0 or 1 as well.
    void ByteFlag(bool value);
    // An unsigned 8-bit value.
    void Byte(std::uint8_t value);
    void Bytes(const void* data, std::size_t size);
    // The count (characters plus one), the characters as 32-bit units, a 0.
    void Text(const WString& text);
    // The whole part (cut toward zero) and the fraction in hundred-thousandths
    // rounded to nearest, both with the value's sign. Refuses a value that
    // FitsFloatField does not take.
    void Float(float value);

    std::int32_t Error() const { return m_error; }

private:
    void Put(const void* data, std::size_t size, std::int32_t code);

    std::ostream& m_stream;
    std::int32_t m_plainCode;
    std::int32_t m_error = 0;
};

// Reads fields one after another into the values given, never past the end
// of the stream. The first failure is kept; a failed read and every later one
// give 0 or empty values, so a section is a run of plain calls answered by
// Error().
class Reader {
public:
    // left: the bytes left in the stream (BytesLeft), shared by every reader
    // of the stream and kept up to date by each. plainCode: the code of a
    // failed number, flag, byte or count (a float fails with 19, a text with 18).
    Reader(std::istream& stream, std::int64_t& left, std::int32_t plainCode = JSE_Preference::kTextNotRead);

    void Int32(std::int32_t& value);
    void Int64(std::int64_t& value);
    void Mark(std::uint32_t& value);
    // Bit 0 of the byte.
    void Flag(bool& value);
    void Flag(std::int32_t& value);
    // Any byte but 0 is set.
    void ByteFlag(bool& value);
    void Byte(std::uint8_t& value);
    void Bytes(void* data, std::size_t size);
    // The units up to the first 0. A negative count, or one that runs past
    // the end of the stream, fails.
    void Text(WString& text);
    // Fails as well for a value that a save could not write back.
    void Float(float& value);
    // Checks a count of things that take at least a byte each: it fails when
    // negative or larger than what is left. Answers whether it held.
    bool Count(std::int64_t count);
    // Fails the read with the code when it has not failed yet.
    void Fail(std::int32_t code);

    std::int32_t Error() const { return m_error; }

private:
    bool Get(void* data, std::size_t size, std::int32_t code);

    std::istream& m_stream;
    std::int64_t& m_remaining;
    std::int32_t m_plainCode;
    std::int32_t m_error = 0;
};

}  // namespace preference_file

// Text types and text helpers of the job-ticket engine.
//
// The engine's own text type is the Wide string, one 32-bit character per
// Unicode code point. Ticket lines and file names are 8-bit: the ticket string
// (VLXString / JSE_MacEncoding) is assigned from a Wide string and keeps 7-bit
// ASCII text unchanged; any other text becomes "utf8:" and its UTF-8 form, or,
// in the single-byte variant, the empty text.
#pragma once

#include <climits>
#include <cstdint>
#include <string>

static_assert(sizeof(wchar_t) == 4, "the engine's wide characters are 32-bit");

using WString = std::wstring;

// The ticket string. B = true: non-ASCII text is stored as "utf8:" + UTF-8.
// B = false: only single-byte text is kept; anything else becomes empty.
template <bool B>
class VLXString : public std::string {
public:
    virtual ~VLXString() = default;

    virtual WString SingleByteISOL1ToMultiByteUnicode(const std::string& narrow) const = 0;
    virtual std::string MultiByteUnicodeToSingleByteISOL1(const WString& wide) const = 0;
    virtual std::string MultiByteUnicodeToSingleByteUTF8(const WString& wide) const = 0;
    virtual void WStoVLX(const WString& value);

    // True when the text survives the single-byte round trip unchanged,
    // which holds exactly for 7-bit ASCII text.
    bool IsWStringISOL1CharsOnly(const WString& value) const;

    VLXString& ConvertToVLX(const WString& value);
    VLXString& ConvertToVLX(const wchar_t* value);

protected:
    VLXString() = default;
    VLXString(const VLXString&) = default;
    VLXString& operator=(const VLXString& other) {
        std::string::operator=(other);
        return *this;
    }
};

template <>
void VLXString<true>::WStoVLX(const WString& value);
template <>
void VLXString<false>::WStoVLX(const WString& value);

template <bool B>
class JSE_MacEncoding : public VLXString<B> {
public:
    JSE_MacEncoding() = default;
    JSE_MacEncoding(const JSE_MacEncoding&) = default;
    explicit JSE_MacEncoding(const WString& value) { this->ConvertToVLX(value); }

    JSE_MacEncoding& operator=(const WString& value) {
        this->ConvertToVLX(value);
        return *this;
    }
    JSE_MacEncoding& operator=(const wchar_t* value) {
        this->ConvertToVLX(value);
        return *this;
    }
    JSE_MacEncoding& operator=(const JSE_MacEncoding& other) {
        VLXString<B>::operator=(other);
        return *this;
    }

    WString SingleByteISOL1ToMultiByteUnicode(const std::string& narrow) const override;
    std::string MultiByteUnicodeToSingleByteISOL1(const WString& wide) const override;
    std::string MultiByteUnicodeToSingleByteUTF8(const WString& wide) const override;

    // The narrow text as a std::string (the object is that string).
    const std::string& str() const { return *this; }
};

extern template class VLXString<true>;
extern template class VLXString<false>;
extern template class JSE_MacEncoding<true>;
extern template class JSE_MacEncoding<false>;

// The 8-bit path handed to file functions: the path's bytes for a 7-bit ASCII
// path, its UTF-8 form otherwise.
void GetSingleByteFileName(const WString& path, std::string& out);

// Character classes for user text and catalog names. Each test walks count
// characters; it is true when all of them are in the class (and at once for a
// null text or a count below 1). The truncating forms write a 0 over the first
// refused character when truncate is set.
class QwiDrv_StringCategoryVerifier {
public:
    bool IsCategory2(wchar_t* text, int count, bool truncate) const;
    bool IsCategory2(const wchar_t* text, int count) const;
    bool IsCategory3(const wchar_t* text, int count) const;
    bool IsCategory5(wchar_t* text, int count, bool truncate) const;
    bool IsCategory7(wchar_t* text, int count, bool truncate) const;
    bool IsCategory13(const wchar_t* text, int count) const;
};

// Number text helpers. The text helpers return a buffer of their own that the
// next call of the same function overwrites. Values beyond the int range
// saturate instead of overflowing.
const WString& JSE_itoa(int n);
const WString& JSE_ftoa(double value, int digits);
const WString& JSE_itoh(int n);
int JSE_atoi(const WString& text);
double JSE_atof(const WString& text);

// The character taken as a signed byte, widened.
int __mbctombb(char c);

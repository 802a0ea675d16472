// Ticket strings, file names, character classes and number text.
#include <gtest/gtest.h>

#include <climits>

#include "JSE_String.h"

namespace {

std::string ticketText(const WString& value) {
    JSE_MacEncoding<true> text;
    text = value;
    return text;
}

std::string singleByteText(const WString& value) {
    JSE_MacEncoding<false> text;
    text = value;
    return text;
}

std::string fileName(const WString& path) {
    std::string out = "stale";
    GetSingleByteFileName(path, out);
    return out;
}

}  // namespace

TEST(TicketString, KeepsAsciiAndWritesOtherTextAsUtf8) {
    EXPECT_EQ(ticketText(L"Letter"), "Letter");
    EXPECT_EQ(ticketText(L""), "");
    EXPECT_EQ(ticketText(L"Caf\u00e9"), "utf8:Caf\xC3\xA9");
    EXPECT_EQ(ticketText(L"\u7d19"), "utf8:\xE7\xB4\x99");
    // Characters beyond the 16-bit range are written as four-byte UTF-8.
    EXPECT_EQ(ticketText(L"\U0001F4C4"), "utf8:\xF0\x9F\x93\x84");
    // A character above U+FFFF whose low 16 bits are ASCII is not ASCII.
    EXPECT_EQ(ticketText(std::wstring(1, static_cast<wchar_t>(0x10041))), "utf8:\xF0\x90\x81\x81");
    // U+0000 contributes nothing to the UTF-8 form.
    EXPECT_EQ(ticketText(std::wstring(L"\u00e9") + L'\0' + L"x"), "utf8:\xC3\xA9x");
}

TEST(TicketString, JoinsSurrogatePairsAndReplacesBrokenOnes) {
    const WString pair = {static_cast<wchar_t>(0xD83D), static_cast<wchar_t>(0xDCC4)};
    EXPECT_EQ(ticketText(pair), "utf8:\xF0\x9F\x93\x84");
    const WString lone = {static_cast<wchar_t>(0xD83D), L'a'};
    EXPECT_EQ(ticketText(lone), "utf8:\xEF\xBF\xBD" "a");
    const WString tooLarge = {static_cast<wchar_t>(0x110000)};
    EXPECT_EQ(ticketText(tooLarge), "utf8:\xEF\xBF\xBD");
}

TEST(TicketString, SingleByteVariantDropsNonAsciiText) {
    EXPECT_EQ(singleByteText(L"Caf\u00e9"), "");
    EXPECT_EQ(singleByteText(L"abc"), "abc");
}

TEST(TicketString, AssignmentFromAnotherTicketStringCopiesWithoutConversion) {
    JSE_MacEncoding<true> source;
    source = L"Caf\u00e9";
    JSE_MacEncoding<true> copy;
    copy = source;
    EXPECT_EQ(copy.str(), "utf8:Caf\xC3\xA9");
    JSE_MacEncoding<true> fromNull;
    fromNull = static_cast<const wchar_t*>(nullptr);
    EXPECT_EQ(fromNull.str(), "");
}

TEST(TicketString, RoundTripTestHoldsOnlyForAscii) {
    JSE_MacEncoding<true> text;
    EXPECT_TRUE(text.IsWStringISOL1CharsOnly(L"A-4 (x)"));
    EXPECT_TRUE(text.IsWStringISOL1CharsOnly(L""));
    EXPECT_FALSE(text.IsWStringISOL1CharsOnly(L"\u00e9"));
    EXPECT_FALSE(text.IsWStringISOL1CharsOnly(std::wstring(1, static_cast<wchar_t>(0x10041))));
}

TEST(TicketString, SingleByteWideningIsSigned) {
    JSE_MacEncoding<true> text;
    EXPECT_EQ(text.SingleByteISOL1ToMultiByteUnicode("\xE9"), std::wstring(1, static_cast<wchar_t>(0xFFE9)));
    EXPECT_EQ(text.SingleByteISOL1ToMultiByteUnicode("\x80\x7F"),
              (std::wstring{static_cast<wchar_t>(0xFF80), static_cast<wchar_t>(0x7F)}));
    EXPECT_EQ(text.SingleByteISOL1ToMultiByteUnicode(""), L"");
}

TEST(FileName, GivesPathBytesOrUtf8WithoutMarker) {
    EXPECT_EQ(fileName(L"/Users/x/Catalog"), "/Users/x/Catalog");
    EXPECT_EQ(fileName(L"/tmp/caf\u00e9"), "/tmp/caf\xC3\xA9");
    // A plain path that begins with the marker keeps it: only a marker the
    // conversion added is removed.
    EXPECT_EQ(fileName(L"utf8:abc"), "utf8:abc");
    EXPECT_EQ(fileName(L"utf8:\u00e9"), "utf8:\xC3\xA9");
    EXPECT_EQ(fileName(L""), "");
}

class CharacterClasses : public ::testing::Test {
protected:
    QwiDrv_StringCategoryVerifier verifier;

    bool class2(const std::wstring& text) { return verifier.IsCategory2(text.c_str(), static_cast<int>(text.size())); }
    bool class3(const std::wstring& text) { return verifier.IsCategory3(text.c_str(), static_cast<int>(text.size())); }
    bool class5(std::wstring text) { return verifier.IsCategory5(text.data(), static_cast<int>(text.size()), false); }
    bool class7(std::wstring text) { return verifier.IsCategory7(text.data(), static_cast<int>(text.size()), false); }
    bool class13(const std::wstring& text) {
        return verifier.IsCategory13(text.c_str(), static_cast<int>(text.size()));
    }
    static std::wstring ch(unsigned c) { return std::wstring(1, static_cast<wchar_t>(c)); }
};

TEST_F(CharacterClasses, ExamplesOfEachClass) {
    EXPECT_FALSE(class3(L"A4 Plain"));
    EXPECT_TRUE(class3(L"A4_Plain*"));
    EXPECT_FALSE(class5(L"a\\b@c"));
    EXPECT_TRUE(class5(L"user@example.com"));
    EXPECT_FALSE(class7(L"a/b"));
    EXPECT_FALSE(class13(L"A4:1"));
    EXPECT_TRUE(class13(L"A4 210x297"));
}

TEST_F(CharacterClasses, RangeBoundaries) {
    struct Case {
        unsigned code;
        bool c2, c3, c5, c7, c13;
    };
    const Case cases[] = {
        {0x1F, false, false, false, false, false}, {0x20, true, false, true, true, true},
        {0x22, true, false, true, true, false},    {0x27, true, false, true, true, false},
        {0x29, true, false, true, true, true},     {0x2A, true, true, true, true, true},
        {0x2B, true, false, true, true, true},     {0x2C, true, true, true, true, true},
        {0x2E, true, true, true, true, true},      {0x2F, true, false, true, false, false},
        {0x30, true, true, true, true, true},      {0x39, true, true, true, true, true},
        {0x3A, true, false, true, true, false},    {0x40, true, false, true, true, true},
        {0x41, true, true, true, true, true},      {0x5A, true, true, true, true, true},
        {0x5B, true, false, true, true, true},     {0x5C, false, false, false, false, true},
        {0x5D, true, false, true, true, true},     {0x5F, true, true, true, true, true},
        {0x60, true, false, true, true, true},     {0x61, true, true, true, true, true},
        {0x7A, true, true, true, true, true},      {0x7B, true, false, true, true, true},
        {0xBF, true, false, true, true, true},     {0xC0, true, true, true, true, true},
        {0xD6, true, true, true, true, true},      {0xD7, true, false, true, true, true},
        {0xD8, true, true, true, true, true},      {0xFF, true, true, true, true, true},
        {0x100, false, false, false, false, false}, {0x36F, false, false, false, false, false},
        {0x370, true, true, false, true, false},   {0x4FF, true, true, false, true, false},
        {0x500, false, false, false, false, false}, {0x1FFF, false, false, false, false, false},
        {0x2000, true, true, false, true, false},  {0x206F, true, true, false, true, false},
        {0x2070, false, false, false, false, false}, {0x20AB, false, false, false, false, false},
        {0x20AC, true, true, false, true, false},  {0x20AD, false, false, false, false, false},
        {0x2100, true, true, false, true, false},  {0x23FF, true, true, false, true, false},
        {0x2400, false, false, false, false, false}, {0x2460, true, true, false, true, false},
        {0x257F, true, true, false, true, false},  {0x2580, false, false, false, false, false},
        {0x25A0, true, true, false, true, false},  {0x26FF, true, true, false, true, false},
        {0x2700, false, false, false, false, false}, {0x3000, true, false, false, true, false},
        {0x3001, true, true, false, true, false},  {0x30FF, true, true, false, true, false},
        {0x3100, false, false, false, false, false}, {0x3200, true, true, false, true, false},
        {0x33FF, true, true, false, true, false},  {0x3400, false, false, false, false, false},
        {0x4E00, true, true, false, true, false},  {0x9FA5, true, true, false, true, false},
        {0x9FA6, false, false, false, false, false}, {0xF8FF, false, false, false, false, false},
        {0xF900, true, true, false, false, false}, {0xFAFF, true, true, false, false, false},
        {0xFB00, false, false, false, false, false}, {0xFF00, true, true, false, true, false},
        {0xFFEF, true, true, false, true, false},  {0xFFF0, false, false, false, false, false},
        {0x10041, false, false, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "U+" << std::hex << c.code);
        EXPECT_EQ(class2(ch(c.code)), c.c2);
        EXPECT_EQ(class3(ch(c.code)), c.c3);
        EXPECT_EQ(class5(ch(c.code)), c.c5);
        EXPECT_EQ(class7(ch(c.code)), c.c7);
        EXPECT_EQ(class13(ch(c.code)), c.c13);
    }
}

TEST_F(CharacterClasses, TruncateCutsAtFirstRefusedCharacter) {
    wchar_t text[] = L"ab\\cd";
    EXPECT_FALSE(verifier.IsCategory2(text, 5, true));
    EXPECT_EQ(std::wstring(text), L"ab");
    wchar_t kept[] = L"ab\\cd";
    EXPECT_FALSE(verifier.IsCategory2(kept, 5, false));
    EXPECT_EQ(std::wstring(kept), L"ab\\cd");
    wchar_t path[] = L"a/b";
    EXPECT_FALSE(verifier.IsCategory7(path, 3, true));
    EXPECT_EQ(std::wstring(path), L"a");
}

TEST_F(CharacterClasses, EmptyCountOrNullTextPasses) {
    EXPECT_TRUE(verifier.IsCategory2(static_cast<const wchar_t*>(nullptr), 4));
    EXPECT_TRUE(verifier.IsCategory3(L"\\", 0));
    EXPECT_TRUE(verifier.IsCategory13(L":", -1));
    // Only count characters are looked at.
    EXPECT_TRUE(verifier.IsCategory3(L"A \\", 1));
}

TEST(NumberText, IntegerText) {
    EXPECT_EQ(JSE_itoa(0), L"0");
    EXPECT_EQ(JSE_itoa(-45), L"-45");
    EXPECT_EQ(JSE_itoa(INT_MIN), L"-2147483648");
    EXPECT_EQ(JSE_itoa(INT_MAX), L"2147483647");
}

TEST(NumberText, FixedPointTextTruncates) {
    EXPECT_EQ(JSE_ftoa(-3.14159, 2), L"-3.14");
    EXPECT_EQ(JSE_ftoa(2.0, 0), L"2.");
    EXPECT_EQ(JSE_ftoa(2.675, 2), L"2.67");
    EXPECT_EQ(JSE_ftoa(1.999999, 2), L"2.00");
    EXPECT_EQ(JSE_ftoa(0.1, 3), L"0.100");
    EXPECT_EQ(JSE_ftoa(8.5, 1), L"8.5");
}

TEST(NumberText, FixedPointTextSaturatesOutsideIntRange) {
    EXPECT_EQ(JSE_ftoa(1e12, 0), L"2147483647.");
    EXPECT_EQ(JSE_ftoa(-1e12, 0), L"-2147483647.");
    EXPECT_EQ(JSE_ftoa(1e300, 2), L"2147483647.99");
    const std::wstring nan = JSE_ftoa(std::numeric_limits<double>::quiet_NaN(), 1);
    EXPECT_EQ(nan, L"0.0");
}

TEST(NumberText, HexText) {
    EXPECT_EQ(JSE_itoh(255), L"0xFF");
    EXPECT_EQ(JSE_itoh(26), L"0x1A");
    EXPECT_EQ(JSE_itoh(0), L"0x0");
    EXPECT_EQ(JSE_itoh(-1), L"0x");
    EXPECT_EQ(JSE_itoh(INT_MAX), L"0x7FFFFFFF");
}

TEST(NumberText, ResultBufferIsSharedPerFunction) {
    const std::wstring& first = JSE_itoa(1);
    JSE_itoa(22);
    EXPECT_EQ(first, L"22");
}

TEST(TextToNumber, IntegerParsing) {
    EXPECT_EQ(JSE_atoi(L"12ab"), 12);
    EXPECT_EQ(JSE_atoi(L"-5"), 0);
    EXPECT_EQ(JSE_atoi(L""), 0);
    EXPECT_EQ(JSE_atoi(L" 7"), 0);
    EXPECT_EQ(JSE_atoi(L"2147483647"), INT_MAX);
    EXPECT_EQ(JSE_atoi(L"2147483648"), INT_MAX);
    EXPECT_EQ(JSE_atoi(L"99999999999999999999"), INT_MAX);
}

TEST(TextToNumber, DecimalParsing) {
    EXPECT_DOUBLE_EQ(JSE_atof(L"-2.50"), -2.5);
    EXPECT_DOUBLE_EQ(JSE_atof(L"1.2.3"), 1.2);
    EXPECT_DOUBLE_EQ(JSE_atof(L""), 0.0);
    EXPECT_DOUBLE_EQ(JSE_atof(L"8,5"), 8.0);  // only "." is a decimal point
    EXPECT_DOUBLE_EQ(JSE_atof(L".5"), 0.5);
    EXPECT_DOUBLE_EQ(JSE_atof(L"99999999999.5"), INT_MAX + 0.5);
    // Fraction digits beyond nine are below the precision kept.
    EXPECT_NEAR(JSE_atof(L"0.12345678912345"), 0.123456789, 1e-12);
}

TEST(SignedByte, WidensAsSignedValue) {
    EXPECT_EQ(__mbctombb('A'), 65);
    EXPECT_EQ(__mbctombb(static_cast<char>(0x80)), -128);
    EXPECT_EQ(__mbctombb(static_cast<char>(0xFF)), -1);
}

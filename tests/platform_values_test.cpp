// Values of the platform stand-in: shared containers, numbers read from
// text, formatting and the UTF-8 and UTF-16 forms of texts.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>

#include "FoundationValues.h"
#include "UserEnvironment.h"
#include "VLX_Writer.h"
#include "platform_test_support.h"

using platform::Array;
using platform::Dictionary;
using platform::Value;

TEST(PlatformValues, ShallowCopyOfTheJobFeatureDictionarySharesItsGroups) {
    Dictionary bridge{{"jobSetup", Dictionary{{"collate", "0"}}}, {"finisher", Dictionary{}}};
    // A pane's copy: a new dictionary holding the very same groups.
    Dictionary pane = bridge.copy();
    pane["jobSetup"].dictionary().set("collate", "1");
    EXPECT_EQ(bridge["jobSetup"]["collate"].text(), "1") << "an edit of a group in place is seen by every holder";
    // Replacing a group in the copy leaves the bridge's group where it was.
    pane.set("finisher", Dictionary{{"trimming", "1"}});
    EXPECT_TRUE(bridge["finisher"].dictionary().empty());
    // Two handles on one array share it as well.
    Array pages{"1"};
    const Array alias = pages;
    pages.append("2");
    EXPECT_EQ(alias.size(), 2u);
    EXPECT_EQ(pages.copy(), alias);
    EXPECT_FALSE(pages.copy().isSameArray(alias));
}

TEST(PlatformValues, DictionaryKeepsKeyOrderAndTreatsMissingEntriesAsNothing) {
    Dictionary d{{"b", 1}, {"a", 2}, {"c", 3}};
    d.set("a", "two");
    d.remove("b");
    d.set("d", Value());  // setting nothing adds nothing
    EXPECT_EQ(d.keys(), (std::vector<std::string>{"a", "c"}));
    EXPECT_EQ(d["c"].intValue(), 3) << "the index follows a removal";
    EXPECT_EQ(d["missing"].intValue(), 0);
    EXPECT_EQ(d["missing"].text(), "");
    d["missing"].dictionary().set("x", 1);  // writes into nothing
    d["c"].array().append("y");
    EXPECT_EQ(d, (Dictionary{{"c", 3}, {"a", "two"}})) << "equality ignores order";
    Array a{"x"};
    a.append(Value());
    a.set(5, "y");
    a.remove(9);
    EXPECT_EQ(a, Array{"x"}) << "nothing, and places past the end, change nothing";
    EXPECT_TRUE(a[3].isNone());
}

TEST(PlatformValues, TextsAreReadAsNumbersAsThePlatformReadsThem) {
    struct Case {
        const char* text;
        std::int64_t integer;
        int intValue;
        double real;
    };
    const Case cases[] = {
        {"", 0, 0, 0.0},
        {"42", 42, 42, 42.0},
        {"  \t-17abc", -17, -17, -17.0},
        {"+8", 8, 8, 8.0},
        {"- 5", 0, 0, 0.0},
        {"abc12", 0, 0, 0.0},
        {"0.5", 0, 0, 0.5},
        {".25", 0, 0, 0.25},
        {"-.75x", 0, 0, -0.75},
        {"1.", 1, 1, 1.0},
        {".", 0, 0, 0.0},
        {"3.14.15", 3, 3, 3.14},
        {"0,5", 0, 0, 0.0},
        {"1e3", 1, 1, 1000.0},
        {"2.5E-1mm", 2, 2, 0.25},
        {"7e", 7, 7, 7.0},
        {"7e+", 7, 7, 7.0},
        {"0x1A", 0, 0, 0.0},
        {"inf", 0, 0, 0.0},
        {"4294967296", 4294967296, std::numeric_limits<int>::max(), 4294967296.0},
        {"-4294967296", -4294967296, std::numeric_limits<int>::min(), -4294967296.0},
        {"99999999999999999999", std::numeric_limits<std::int64_t>::max(), std::numeric_limits<int>::max(), 1e20},
        {"-9223372036854775808", std::numeric_limits<std::int64_t>::min(), std::numeric_limits<int>::min(),
         -9223372036854775808.0},
        {"1e999", 1, 1, HUGE_VAL},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(platform::ReadInteger(c.text), c.integer);
        EXPECT_EQ(platform::ReadInt(c.text), c.intValue);
        EXPECT_EQ(platform::ReadDouble(c.text), c.real);
        EXPECT_EQ(Value(c.text).intValue(), c.intValue);
    }
    EXPECT_EQ(Value(2.9).intValue(), 2);
    EXPECT_EQ(Value(-1e300).integerValue(), std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(Value(true).intValue(), 1);
    EXPECT_TRUE(Value("2").boolValue());
    EXPECT_FALSE(Value("0.9").boolValue()) << "a flag is a whole number compared with 0";
}

TEST(PlatformValues, NumbersAreWrittenAndReadWithAPointWhateverTheLocale) {
    platform_test::CommaLocale comma;
    if (!comma.ready()) GTEST_SKIP() << "no localedef or German locale sources on this machine";
    // The application the extension runs in switches to the user's locale.
    ASSERT_TRUE(std::setlocale(LC_ALL, comma.kName));
    EXPECT_EQ(platform::DecimalSeparator(), ",") << "what the user types";
    char printed[16];
    std::snprintf(printed, sizeof printed, "%.2f", 0.5);
    EXPECT_STREQ(printed, "0,50") << "the locale is in force";
    EXPECT_EQ(platform::FormatDecimal(0.5), "0.50");
    EXPECT_EQ(platform::FormatDecimal(-0.3f), "-0.30");
    EXPECT_EQ(platform::FormatDecimal(0.125), "0.12") << "ties round to even, as printf does";
    EXPECT_EQ(platform::FormatDecimal(2.0, 0), "2");
    EXPECT_EQ(platform::Format("%.2fx%.2f%s", 8.5, 11.0, "\""), "8.50x11.00\"");
    EXPECT_EQ(VLX_Format("%.2f", 0.25), "0.25") << "ticket lines";
    EXPECT_EQ(platform::ReadDouble("0.75"), 0.75);
    EXPECT_EQ(platform::ReadDouble("0,75"), 0.0);
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(platform::DecimalSeparator(), ".");
    EXPECT_EQ(platform::FormatInteger(-2147483648LL * 4), "-8589934592");
    EXPECT_EQ(platform::Format("%d-%s", 7, std::string(300, 'a').c_str()).size(), 302u);
}

TEST(PlatformValues, TextIsKeptAsValidUtf8WithItsUtf16Length) {
    struct Case {
        const char* name;
        std::string bytes;
        std::string stored;
        std::size_t utf16;
    };
    const std::string fffd = "\xEF\xBF\xBD";
    const Case cases[] = {
        {"ascii", "Letter", "Letter", 6},
        {"two-byte", "Caf\xC3\xA9", "Caf\xC3\xA9", 4},
        {"three-byte", "\xE7\xB4\x99", "\xE7\xB4\x99", 1},
        {"four-byte", "\xF0\x9F\x93\x84", "\xF0\x9F\x93\x84", 2},
        {"latin-1 byte", "Caf\xE9!", "Caf" + fffd + "!", 5},
        {"cut sequence", "a\xE7\xB4", "a" + fffd, 2},
        {"overlong", "\xC0\xAF", fffd + fffd, 2},
        {"surrogate", "\xED\xA0\x80", fffd + fffd + fffd, 3},
        {"above U+10FFFF", "\xF4\x90\x80\x80", fffd + fffd + fffd + fffd, 4},
        {"replacement itself", fffd, fffd, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Value(c.bytes).text(), c.stored);
        EXPECT_EQ(platform::Utf16Length(c.stored), c.utf16);
        EXPECT_EQ(platform::FromUtf16(platform::ToUtf16(c.bytes)), c.stored);
    }
    Dictionary d;
    d.set("k\xFF", 1);
    EXPECT_TRUE(d.contains("k" + fffd)) << "keys are kept valid too";
    const std::u16string broken = {u'a', 0xD800, u'b', 0xDC00};
    EXPECT_EQ(platform::FromUtf16(broken), "a" + fffd + "b" + fffd);
}

TEST(PlatformValues, Utf8PrefixKeepsWholeCharacters) {
    const std::string text = "ab\xC3\xA9\xE7\xB4\x99";  // a b é 紙: 1+1+2+3 bytes
    const std::size_t expected[] = {0, 1, 2, 2, 4, 4, 4, 7, 7};
    for (std::size_t limit = 0; limit < std::size(expected); ++limit) {
        SCOPED_TRACE(limit);
        EXPECT_EQ(platform::Utf8Prefix(text, limit), text.substr(0, expected[limit]));
    }
}

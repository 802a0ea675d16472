// Localized string tables read from resources.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "JSE_StringTable.h"
#include "ResourceManager.h"

namespace {

// A string list resource as the bundle holds it.
std::vector<char> stringList(const std::vector<std::string>& strings, std::int32_t count = -1) {
    std::vector<char> bytes(10, 0);
    if (count < 0) count = static_cast<std::int32_t>(strings.size());
    std::memcpy(bytes.data() + 6, &count, sizeof count);
    for (const std::string& s : strings) {
        bytes.insert(bytes.end(), s.begin(), s.end());
        bytes.push_back(0);
    }
    return bytes;
}

ResType resTypeOf(const wchar_t* type) {
    ResType t = 0;
    for (int i = 0; i < 4 && type[i]; ++i) t = (t << 8) | static_cast<unsigned char>(type[i]);
    return t;
}

// A string table over the resource registry with plain byte conversions.
class RegistryStringTable : public JSE_StringBase {
public:
    bool loadResourceString(const wchar_t* type, std::uint16_t id, char* buffer, int& size) const override {
        Handle handle = GetResource(resTypeOf(type), static_cast<ResID>(id));
        if (handle == nullptr) return false;
        const int available = static_cast<int>(GetHandleSize(handle));
        size = std::min(size, available);
        std::memcpy(buffer, *handle, static_cast<std::size_t>(size));
        return true;
    }
    void convertSingleToMulti(const char* in, wchar_t* out, int count) const override {
        for (int i = 0; i < count; ++i) out[i] = static_cast<unsigned char>(in[i]);
    }
    void convertMultiToSingle(const wchar_t* in, char* out, int count) const override {
        for (int i = 0; i < count; ++i) out[i] = static_cast<char>(in[i]);
    }
};

class StringTables : public ::testing::Test {
protected:
    void SetUp() override {
        RemoveAllResources();
        AddResource(MakeResType("LNG#"), 10000, stringList({"English", "Japanese", "German"}));
        AddResource(MakeResType("LAB#"), 10001, stringList({"&Print...", "Insatsu", "Dr:ucken"}));
    }
    void TearDown() override { RemoveAllResources(); }
    RegistryStringTable table;
};

}  // namespace

TEST_F(StringTables, WithoutLanguageGivesTheDecimalId) {
    wchar_t out[16] = L"junk";
    int length = 16;
    EXPECT_FALSE(table.getString(L"LAB#", 10001, out, length, 0));
    EXPECT_EQ(std::wstring(out), L"10001");
    EXPECT_EQ(length, 16);
    // The id text never runs past a small buffer.
    wchar_t small[3] = {L'x', L'x', L'x'};
    int smallLength = 3;
    table.getString(L"LAB#", 10001, small, smallLength, 0);
    EXPECT_EQ(std::wstring(small, 3), std::wstring(L"10\0", 3));
}

TEST_F(StringTables, SelectedLanguagePicksItsString) {
    EXPECT_FALSE(table.haveLanguage());
    EXPECT_FALSE(table.selectLanguage(L"French"));
    EXPECT_FALSE(table.selectLanguage(L"Germa"));
    EXPECT_TRUE(table.selectLanguage(L"German"));
    wchar_t out[32];
    int length = 32;
    EXPECT_TRUE(table.getString(L"LAB#", 10001, out, length, 4));
    EXPECT_EQ(std::wstring(out), L"Drucken");
    EXPECT_EQ(length, 7);
}

TEST_F(StringTables, IndexedStringAndStripping) {
    wchar_t out[32];
    int length = 32;
    EXPECT_TRUE(table.getIndexedString(L"LAB#", 10001, 0, out, length, 2 | 8));
    EXPECT_EQ(std::wstring(out), L"Print");
    length = 32;
    EXPECT_FALSE(table.getIndexedString(L"LAB#", 10001, 3, out, length, 0));
    EXPECT_FALSE(table.getIndexedString(L"LAB#", 42, 0, out, length, 0));
}

TEST_F(StringTables, CopyIsCutToTheCapacityAndTerminated) {
    wchar_t out[4] = {L'x', L'x', L'x', L'x'};
    int length = 4;
    EXPECT_TRUE(table.getIndexedString(L"LAB#", 10001, 1, out, length, 0));
    EXPECT_EQ(std::wstring(out), L"Ins");
    EXPECT_EQ(length, 3);
}

TEST_F(StringTables, MalformedListsAreNotReadPastTheirBytes) {
    // The count claims more strings than there are, and the last string has
    // no terminator.
    std::vector<char> broken = stringList({"one"}, 1000);
    broken.push_back('t');
    broken.push_back('w');
    AddResource(MakeResType("MSG#"), 7, broken);
    wchar_t out[32];
    int length = 32;
    EXPECT_TRUE(table.getIndexedString(L"MSG#", 7, 0, out, length, 0));
    EXPECT_FALSE(table.getIndexedString(L"MSG#", 7, 1, out, length, 0));
    AddResource(MakeResType("MSG#"), 8, std::vector<char>(4, 'x'));
    EXPECT_FALSE(table.getIndexedString(L"MSG#", 8, 0, out, length, 0));
}

TEST(StringHelpers, FormatUserIdAndStrip) {
    wchar_t out[12];
    JSE_StringBase::FormatUserID(out, 12, 0);
    EXPECT_EQ(std::wstring(out), L"0");
    JSE_StringBase::FormatUserID(out, 12, -3);
    EXPECT_EQ(std::wstring(out), L"");
    JSE_StringBase::FormatUserID(out, 12, 2147483647);
    EXPECT_EQ(std::wstring(out), L"2147483647");
    JSE_StringBase::FormatUserID(nullptr, 12, 5);

    wchar_t text[] = L"&File...";
    JSE_StringBase::stripString(text, 2 | 8);
    EXPECT_EQ(std::wstring(text), L"File");
    wchar_t colon[] = L"a:b.c&";
    JSE_StringBase::stripString(colon, 4);
    EXPECT_EQ(std::wstring(colon), L"ab.c&");
}

TEST(MacStringTable, ResourceTextAfterItsHeader) {
    RemoveAllResources();
    std::vector<char> bytes(12, 'h');
    const std::string text = "Caf\x8E";  // Mac Roman e-acute
    bytes.insert(bytes.end(), text.begin(), text.end());
    AddResource(MakeResType("LAB#"), 10002, bytes);
    AddResource(MakeResType("MSG#"), 5, std::vector<char>(8, 'h'));  // shorter than its header

    JSE_MacString strings;
    WString out;
    strings.GetString(2, 10002, out);
    EXPECT_EQ(out, L"Caf\u00e9");
    strings.GetString(2, 10003, out);
    EXPECT_EQ(out, L"10003");
    strings.GetString(9, 5, out);
    EXPECT_EQ(out, L"5");
    RemoveAllResources();
}

TEST(MacStringTable, JapaneseConversion) {
    JSE_MacString strings;
    strings.SetLanguageIndex(11);
    WString out;
    strings.ConvertStringToUnicode("\x82\xA0", out);  // hiragana a
    EXPECT_EQ(out, L"\u3042");
    // The table class itself holds no string lists.
    wchar_t buffer[8];
    int length = 8;
    EXPECT_FALSE(strings.getIndexedString(L"LAB#", 1, 0, buffer, length, 0));
}

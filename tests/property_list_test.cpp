// XML property lists: every value kind written and read byte for byte, text
// that XML cannot carry, and files that give an empty dictionary and a reason.
#include <gtest/gtest.h>

#include "PropertyList.h"
#include "SystemLog.h"
#include "filter_test_support.h"

using namespace platform;
using filter_test::readFile;
using filter_test::TempDir;
using filter_test::writeFile;

namespace {

const std::string kDataDir = LUMAPREX_TEST_DATA "/platform/";

Dictionary EveryKind() {
    return Dictionary{{"text", "Caf\xC3\xA9 <&> \"quoted\""},
                      {"integer", -42},
                      {"large", 9007199254740993LL},
                      {"real", 0.1},
                      {"half", 2.5},
                      {"yes", true},
                      {"no", false},
                      {"data", Data{0x00, 0x01, 0x02, 0xFF}},
                      {"date", Date{0}},
                      {"array", Array{"1", 2, Dictionary{{"inner", "x"}}, Array{}}},
                      {"group", Dictionary{{"empty", Dictionary{}}, {"list", Array{"a"}}}}};
}

std::string Wrapped(const std::string& body) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n" + body + "\n</plist>\n";
}

}  // namespace

TEST(PropertyList, NestedDictionaryWithEveryKindIsWrittenAndReadByteForByte) {
    const std::string fixture = readFile(kDataDir + "every_kind.plist");
    EXPECT_EQ(PropertyListText(EveryKind()), fixture);
    PropertyListError error = PropertyListError::CannotOpen;
    EXPECT_EQ(ParsePropertyList(fixture, &error), Value(EveryKind()));
    EXPECT_EQ(error, PropertyListError::None);

    TempDir folder;
    const std::string path = folder.file("template");
    writeFile(path, "an older template");
    ASSERT_TRUE(WritePropertyListFile(path, EveryKind(), &error));
    EXPECT_EQ(readFile(path), fixture);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1) << "no scratch file stays";
    EXPECT_EQ(ReadDictionaryFile(path), EveryKind());
    // Through a symbolic link the file it names is replaced, and it stays a link.
    const std::string link = folder.file("link");
    std::filesystem::create_symlink("template", link);
    ASSERT_TRUE(WritePropertyListFile(link, Dictionary{{"a", "b"}}, &error));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadDictionaryFile(path), (Dictionary{{"a", "b"}}));
    // A list larger than the usual bound, under the bound its reader gives.
    const Dictionary large{{"a", std::string(kMaxPropertyListSize, 'x')}};
    ASSERT_TRUE(WritePropertyListFile(path, large, &error, 2 * kMaxPropertyListSize));
    EXPECT_EQ(ReadDictionaryFile(path, &error, 2 * kMaxPropertyListSize), large);
}

TEST(PropertyList, TextThatXmlCannotCarryIsReplacedRatherThanPassedOn) {
    const std::string fffd = "\xEF\xBF\xBD";
    Dictionary d;
    d.set("latin-1", "Caf\xE9");
    d.set(std::string("zero\0key", 8), std::string("a\0b", 3));
    const std::optional<std::string> xml = PropertyListText(d);
    ASSERT_TRUE(xml);
    EXPECT_NE(xml->find("<string>Caf" + fffd + "</string>"), std::string::npos);
    EXPECT_NE(xml->find("<key>zero" + fffd + "key</key>\n\t<string>a" + fffd + "b</string>"), std::string::npos);
    // Invalid UTF-8 that libplist hands over (here a surrogate written as a
    // character reference) is replaced on reading.
    EXPECT_EQ(ParsePropertyList(Wrapped("<string>a&#xD800;</string>")), Value("a" + fffd + fffd + fffd));
}

TEST(PropertyList, UnreadableFilesGiveAnEmptyDictionaryAndALoggedReason) {
    struct Case {
        const char* name;
        std::string contents;  // none: the file is not there
        PropertyListError error;
    };
    std::string deep;
    for (int i = 0; i <= kMaxPropertyListDepth; ++i) deep += "<array>";
    for (int i = 0; i <= kMaxPropertyListDepth; ++i) deep += "</array>";
    const Case cases[] = {
        {"missing", "", PropertyListError::CannotOpen},
        {"empty", "", PropertyListError::Malformed},
        {"text form", "\"10001\" = \"OK\";\n", PropertyListError::Malformed},
        {"unclosed", Wrapped("<dict><key>a</key><string>b</string>"), PropertyListError::Malformed},
        {"array root", Wrapped("<array><string>jobSetup</string></array>"), PropertyListError::NotADictionary},
        {"string root", Wrapped("<string>jobSetup</string>"), PropertyListError::NotADictionary},
        {"too deep", Wrapped("<dict><key>a</key>" + deep + "</dict>"), PropertyListError::TooDeep},
        {"too large", Wrapped("<dict/>" + std::string(kMaxPropertyListSize, ' ')), PropertyListError::TooLarge},
    };
    TempDir folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = folder.file(c.name);
        if (c.error != PropertyListError::CannotOpen) writeFile(path, c.contents);
        LogRecorder log;
        PropertyListError error = PropertyListError::None;
        EXPECT_TRUE(ReadDictionaryFile(path, &error).empty());
        EXPECT_EQ(error, c.error);
        EXPECT_EQ(log.texts(), std::vector<std::string>{path + " " + DescribePropertyListError(c.error)});
    }
}

TEST(PropertyList, ValuesWithoutAPropertyListFormAreNotWritten) {
    Dictionary loop;
    loop.set("self", loop);
    TempDir folder;
    std::filesystem::create_symlink("b", folder.file("a"));
    std::filesystem::create_symlink("a", folder.file("b"));
    struct Case {
        const char* name;
        Value root;
        std::string path;
        PropertyListError error = PropertyListError::CannotWrite;
        std::size_t bound = kMaxPropertyListSize;
    };
    const Case cases[] = {
        {"nothing", Value(), folder.file("nothing")},
        {"container holding itself", loop, folder.file("loop")},
        {"folder not there", Dictionary{}, folder.file("missing/template")},
        {"loop of symbolic links", Dictionary{}, folder.file("a")},
        {"larger than its bound", Dictionary{}, folder.file("large"), PropertyListError::TooLarge, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PropertyListError error = PropertyListError::None;
        EXPECT_FALSE(WritePropertyListFile(c.path, c.root, &error, c.bound));
        EXPECT_EQ(error, c.error);
        std::error_code loops;
        EXPECT_FALSE(std::filesystem::exists(c.path, loops));
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 2) << "no scratch file stays";
    loop.remove("self");  // lets the dictionary go
}

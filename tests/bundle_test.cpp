// Bundles: the localization chosen from the user's language, the localized
// information dictionary over Info.plist, strings with their fallback, and the
// extension's own bundle finding the shipped paper catalog.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "Bundle.h"
#include "SystemLog.h"
#include "UserEnvironment.h"
#include "filter_test_support.h"
#include "platform_test_support.h"

using namespace platform;
using platform_test::LocaleEnvironment;

namespace {

const std::string kDataDir = LUMAPREX_TEST_DATA "/platform/";

class Bundles : public ::testing::Test {
protected:
    void TearDown() override { Bundle::ForgetAll(); }
};

}  // namespace

TEST_F(Bundles, LookupsFollowTheUsersLanguageWithInfoPlistStringsOverridingInfoPlist) {
    struct Case {
        const char* lang;
        const char* localization;
        const char* optionName;  // InfoPlist.strings over Info.plist
        const char* pageExceptions;
        const char* license;  // found in the localization, else in English
    };
    const Case cases[] = {
        {"C", "English", "Sample Options", "Page Exceptions", "English.lproj/License.txt"},
        {"en_GB.UTF-8", "English", "Sample Options", "Page Exceptions", "English.lproj/License.txt"},
        {"de_DE.UTF-8", "German", "Sample Options", "Seitenausnahmen", "German.lproj/License.txt"},
        {"ja_JP.UTF-8", "ja", "\xE3\x82\xB5\xE3\x83\xB3\xE3\x83\x97\xE3\x83\xAB", "Page Exceptions",
         "English.lproj/License.txt"},
        {"fr_FR", "English", "Sample Options", "Page Exceptions", "English.lproj/License.txt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lang);
        LocaleEnvironment language(c.lang);
        LogRecorder log;
        const Bundle bundle = Bundle::Open(kDataDir + "Sample.bundle");
        ASSERT_TRUE(bundle);
        EXPECT_EQ(bundle.preferredLocalizations(), std::vector<std::string>{c.localization});
        const Dictionary info = bundle.localizedInfoDictionary();
        EXPECT_EQ(info["OptionName"].text(), c.optionName);
        EXPECT_EQ(info["CFBundleVersion"].text(), "2.1") << "keys not overridden stay";
        EXPECT_EQ(bundle.infoDictionary()["OptionName"].text(), "Options");
        EXPECT_EQ(bundle.localizedString("13061", "Labels"), c.pageExceptions);
        EXPECT_EQ(bundle.localizedString("16094", "Labels"), "Labels") << "a missing key gives the fallback";
        EXPECT_EQ(bundle.localizedString("16094", ""), "16094") << "or, without one, the key";
        EXPECT_EQ(bundle.localizedString("20000", "Labels"), "Labels") << "an entry that is no text counts as missing";
        EXPECT_EQ(bundle.pathForResource("License", "txt"), bundle.resourcePath() / c.license);
        EXPECT_TRUE(log.lines().empty());
    }
}

TEST_F(Bundles, UsersLanguageComesFromTheFirstLocaleVariableSet) {
    struct Case {
        const char* lang;
        const char* messages;
        const char* all;
        const char* language;
    };
    const Case cases[] = {
        {"de_DE.UTF-8", nullptr, nullptr, "de_DE"},
        {"de_DE.UTF-8", "ja_JP.eucJP", nullptr, "ja_JP"},
        {"de_DE.UTF-8", "ja_JP.eucJP", "fr_CA@euro", "fr_CA"},
        {"de_DE.UTF-8", "", nullptr, "de_DE"},
        {"C.UTF-8", nullptr, nullptr, ""},
        {"sv", "POSIX", nullptr, ""},
        {nullptr, nullptr, nullptr, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.lang ? c.lang : "-") << " " << (c.messages ? c.messages : "-"));
        LocaleEnvironment environment(c.lang, c.messages, c.all);
        EXPECT_EQ(PreferredLanguage(), c.language);
    }
}

TEST_F(Bundles, LocalizationIsMatchedByCodeRegionOrEnglishName) {
    struct Case {
        std::vector<std::string> available;
        const char* language;
        const char* development;
        const char* chosen;
    };
    const Case cases[] = {
        {{"English", "Japanese"}, "ja_JP", "English", "Japanese"},
        {{"English", "ja", "Japanese"}, "ja", "English", "ja"},
        {{"pt", "pt-BR"}, "pt_BR", "English", "pt-BR"},
        {{"pt", "pt_BR"}, "pt_PT", "English", "pt"},
        {{"English", "German"}, "sv_SE", "English", "English"},
        {{"en", "fr"}, "", "English", "en"},
        {{"French", "German"}, "it", "German", "German"},
        {{"French", "German"}, "it", "English", "French"},
        {{}, "de", "English", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.language << " among " << c.available.size());
        EXPECT_EQ(Bundle::MatchLocalization(c.available, c.language, c.development), c.chosen);
    }
}

TEST_F(Bundles, MissingOrMalformedPartsGiveNothingAndALoggedReason) {
    LocaleEnvironment language("C");
    LogRecorder log;
    const Bundle broken = Bundle::Open(kDataDir + "Broken.bundle");
    ASSERT_TRUE(broken);
    EXPECT_TRUE(broken.localizedInfoDictionary().empty());
    EXPECT_EQ(broken.localizedString("10001", "Labels"), "Labels");
    EXPECT_EQ(broken.localizedString("10001", "Labels"), "Labels") << "a table is read and reported once";
    EXPECT_FALSE(Bundle::WithIdentifier("test.lumaprex.broken"));
    const Bundle none = Bundle::Open(kDataDir + "Missing.bundle");
    EXPECT_FALSE(none);
    EXPECT_EQ(none.localizedString("10001", "Labels"), "") << "no bundle, no text";
    EXPECT_TRUE(none.localizedInfoDictionary().empty());
    EXPECT_TRUE(none.pathForResource("tab", "icns").empty());
    const std::string folder = broken.path().string();
    EXPECT_EQ(log.texts(), (std::vector<std::string>{
                               folder + "/Info.plist is not an XML property list",
                               folder + " has no strings table InfoPlist.strings",
                               folder + "/Resources/English.lproj/Localizable.strings does not hold a dictionary at its root",
                               kDataDir + "Missing.bundle is not a bundle folder",
                           }));
}

TEST_F(Bundles, ExtensionBundleFindsTheShippedPaperCatalogAndItsLabels) {
    LocaleEnvironment language("C");
    LogRecorder log;
    ASSERT_TRUE(Bundle::Open(LUMAPREX_SOURCE_DIR "/LumaprexPDE/Bundle"));
    // The panes look the bundle up by its identifier.
    const Bundle bundle = Bundle::WithIdentifier("com.varneth.pzf.lumaprex");
    ASSERT_TRUE(bundle);
    const Dictionary info = bundle.localizedInfoDictionary();
    // The data paths as the bridge composes them: nothing between the parts.
    const std::string base = bundle.absolutePath(info["RootPath"].text()) + info["CompanyName"].text() +
                             info["ProductName"].text();
    const std::filesystem::path data = std::filesystem::path(LUMAPREX_SOURCE_DIR "/data/").lexically_normal();
    EXPECT_EQ(base, data.string());
    for (const char* file : {"PaperCatalogFile", "PaperCatalogDefinitionFile", "ValidationFile"})
        EXPECT_TRUE(std::filesystem::is_regular_file(base + info[file].text())) << file;
    for (const char* key : {"OptionName", "Product", "CFBundleVersion", "CFBundleInfoDictionaryVersion"})
        EXPECT_FALSE(info[key].text().empty()) << key;
    for (const char* label : {"10001", "15000", "16094", "17280", "-2011"})
        EXPECT_NE(bundle.localizedString(label, "Labels"), "Labels") << label;
    // A refusal of the rules shows the rule file's own message.
    std::istringstream rules(filter_test::readFile(LUMAPREX_SOURCE_DIR "/data/src/ValidationRules.txt"));
    int messages = 0;
    for (std::string line; std::getline(rules, line);) {
        if (!line.starts_with("message ")) continue;
        const std::size_t quote = line.find('"');
        ++messages;
        EXPECT_EQ(bundle.localizedString(line.substr(8, quote - 9), ""), line.substr(quote + 1, line.size() - quote - 2));
    }
    EXPECT_EQ(messages, 17);
    EXPECT_TRUE(log.lines().empty());
    // Other paths of the information dictionary stand as they are.
    EXPECT_EQ(bundle.absolutePath("/usr/share/lumaprex/"), "/usr/share/lumaprex/");
    EXPECT_EQ(bundle.absolutePath(""), "");
    EXPECT_EQ(bundle.absolutePath("Resources"), bundle.resourcePath().string());
}

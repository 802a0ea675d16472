// The paper catalog in memory: queries with their fallbacks, the default
// paper, size definitions, units and number text.
#include <gtest/gtest.h>

#include "media_test_support.h"

namespace {

using namespace media_test;

// Four papers on two size definitions; "Custom" lost its definition when
// that was removed, "A4" is there twice.
struct Filled : Catalog {
    TempFolder folder;
    Filled() {
        JSE_Media_LoadNamedDefinition(folder.Write(
            "c.def", "8.50:11.00:612:792:0:Letter\n210.00:297.00:595.2:842.9:1:A4\n9.00:12.00:648:864:0:Custom\n"));
        JSE_Media_LoadCatalogOnly(folder.Write("c.txt", "English:Letter\nLetter:1:75:white:plain:2:0:1\n"
                                                        "A4:2:80:red:cover:0:1:0\nCustom:3:90:*:*:2:0:1\nA4:2:120:white:plain\n"));
        JSE_Media_DeletePaperDefinition(2);
    }
};

TEST(MediaQueries, EveryGetterFallsBackForAnAbsentIndex) {
    Filled c;
    ASSERT_EQ(c.JSE_Media_GetNumberOfEntry(), 4);
    for (int i : {-1, 4, 1000}) {
        SCOPED_TRACE(i);
        WString name = L"x", color, type, wText = L"x", hText = L"y";
        c.JSE_Media_GetName(i, name);
        c.JSE_Media_GetColor(i, color);
        c.JSE_Media_GetType(i, type);
        EXPECT_EQ(name + L"|" + color + L"|" + type, L"|white|plain");
        EXPECT_EQ((std::vector<int>{c.GetPaperColor(i), c.GetPaperType(i), c.GetPaperSize(i),
                                    c.JSE_Media_GetDefinitionIndex(i), c.GetPaperWeight(i), c.JSE_Media_GetMode(i),
                                    c.GetPaperSides(i), c.JSE_Media_GetPrecollated(i), c.JSE_Media_GetPunchable(i)}),
                  (std::vector<int>{-1, -1, -1, -1, 0, 2, 2, 0, 1}));
        int weight = 7, wPts = 5, hPts = 6, metric = 9;
        EXPECT_EQ(c.JSE_Media_GetWeight(i, weight), 0);
        EXPECT_EQ(weight, 0);
        float w = 1, h = 1;
        c.JSE_Media_GetPhysicalSize(i, w, h);
        EXPECT_TRUE(w == 0 && h == 0);
        c.JSE_Media_GetPoints(i, wPts, hPts);
        EXPECT_TRUE(wPts == 5 && hPts == 6);
        c.JSE_Media_GetDisplaySize(i, wText, hText, metric);
        EXPECT_TRUE(wText.empty() && hText.empty() && metric == 9);
        PAPERDEF info;
        info.name = L"kept";
        EXPECT_FALSE(c.GetPaperInfo(i, info));
        EXPECT_EQ(info.name, L"kept");
    }
    EXPECT_EQ(c.JSE_Media_GetLastError(), 0);
}

TEST(MediaQueries, PointsAndDisplaySizeComeFromTheDefinition) {
    Filled c;
    int wPts = 0, hPts = 0, metric = 0;
    c.JSE_Media_GetPoints(1, wPts, hPts);
    EXPECT_TRUE(wPts == 595 && hPts == 842);  // cut toward zero
    WString wText, hText;
    c.JSE_Media_GetDisplaySize(1, wText, hText, metric);
    EXPECT_TRUE(wText == L"210.00" && hText == L"297.00" && metric == 1);
    c.JSE_Media_GetPoints(2, wPts, hPts);  // no definition
    EXPECT_TRUE(wPts == 612 && hPts == 792);
    metric = 4;
    c.JSE_Media_GetDisplaySize(2, wText, hText, metric);
    EXPECT_TRUE(wText.empty() && metric == 4);
}

TEST(MediaQueries, NameLookupIsExactAndCaseSensitive) {
    Filled c;
    EXPECT_EQ(c.JSE_Media_GetIndex(L"Letter"), 0);
    EXPECT_EQ(c.JSE_Media_GetIndex(L"letter"), -1);
    EXPECT_EQ(c.JSE_Media_GetIndex(L"Letter "), -1);
    EXPECT_EQ(c.JSE_Media_GetIndex(L"A4"), 1);  // the first of two
    EXPECT_EQ(c.JSE_Media_GetIndex(L""), -1);
}

TEST(MediaDefaultPaper, SettersCheckTheirArgument) {
    Filled c;
    WString name;
    EXPECT_TRUE(c.JSE_Media_SetDefaultPaper(L"Custom"));
    EXPECT_EQ(c.GetDefaultPaper(), 2);
    EXPECT_FALSE(c.JSE_Media_SetDefaultPaper(L"custom"));
    EXPECT_EQ(c.JSE_Media_GetLastError(), kMediaBadIndex);
    EXPECT_FALSE(c.JSE_Media_SetDefaultPaper(c.JSE_Media_GetNumberOfEntry()));
    EXPECT_EQ(c.JSE_Media_GetLastError(), kMediaBadIndex);
    EXPECT_EQ(c.JSE_Media_GetDefaultIndex(), 2);
    EXPECT_TRUE(c.JSE_Media_SetDefaultPaper(-1));
    EXPECT_EQ(c.JSE_Media_GetLastError(), 0);
    c.JSE_Media_GetDefault(name);
    EXPECT_EQ(name, L"");
    c.GetCatalogDefaultPaperName(name);
    EXPECT_EQ(name, L"Letter");
}

TEST(MediaConstruction, PlatformCatalogHoldsOnlyLetter) {
    JSE_Media c(2);
    ASSERT_EQ(c.JSE_Media_GetNumberOfEntry(), 1);
    PAPERDEF letter;
    ASSERT_TRUE(c.GetPaperInfo(0, letter));
    EXPECT_TRUE(letter.name == L"Letter" && letter.sizeIndex == 0 && letter.width == 8.5f && letter.height == 11.0f);
    EXPECT_TRUE(letter.weight == 75 && letter.color == L"white" && letter.type == L"plain");
    EXPECT_TRUE(letter.mode == 2 && letter.punchable == 1 && letter.precollated == 0);
    WString text;
    c.JSE_Media_GetDefault(text);
    EXPECT_EQ(text, L"Letter");
    c.JSE_Media_GetLanguage(text);
    EXPECT_EQ(text, L"English");
    int wPts = 0, hPts = 0;
    c.JSE_Media_GetPoints(0, wPts, hPts);
    EXPECT_TRUE(wPts == 612 && hPts == 792);
    EXPECT_EQ(c.GetNumberOfDefinitions(), 1);
    EXPECT_TRUE(c.ClassifyColor(L"white") == 0 && c.ClassifyType(L"plain") == 0);
    c.JSE_Media_GetWeightAttribute(0, text);
    EXPECT_EQ(text, L"75");
    EXPECT_EQ(c.JSE_Media_GetWeightAttribute(1, text), -1);
    EXPECT_TRUE(c.JSE_Media_GetNumOfColorAttributes() == 1 && c.JSE_Media_GetNumOfTypeAttributes() == 1);
    EXPECT_EQ(c.MMToPts(210.0f), 594.0f);  // snapping is on
}

TEST(MediaConstruction, ColourAndTypeListsSplitAtTheSeparator) {
    JSE_Media c(L"English", L"", L"any;white;;blue", L"plain;cover;", L';', false);
    EXPECT_EQ(c.ClassifyColor(L"white"), 1);
    EXPECT_EQ(c.ClassifyColor(L""), 2);  // the empty piece is kept
    EXPECT_EQ(c.ClassifyColor(L"blue"), 3);
    EXPECT_EQ(c.ClassifyType(L"cover"), 1);
    EXPECT_EQ(c.ClassifyType(L""), -1);  // a trailing separator adds nothing
    EXPECT_EQ(c.ClassifyColor(L"White"), -1);
}

TEST(MediaDefinitions, QueriesAndExactSizeMatch) {
    Filled c;
    EXPECT_EQ(c.ClassifySize(8.5f, 11.0f), 0);
    EXPECT_EQ(c.ClassifySize(8.50001f, 11.0f), -1);
    EXPECT_TRUE(c.JSE_Media_DoesPaperSizeExist(210.0f, 297.0f));
    EXPECT_FALSE(c.JSE_Media_DoesPaperSizeExist(297.0f, 210.0f));
    float w = 3, h = 3;
    EXPECT_FALSE(c.GetPaperSizeByType(2, w, h));
    EXPECT_TRUE(w == 0 && h == 0);
    EXPECT_TRUE(c.GetPaperSizeByType(1, w, h));
    EXPECT_EQ(w, 210.0f);
    c.GetWidthHeight(L"215,9 x 279.4 mm", w, h);
    EXPECT_FLOAT_EQ(w, 215.9f);
    EXPECT_FLOAT_EQ(h, 279.4f);
}

TEST(MediaUnits, PaperSizeLookupWindows) {
    JSE_Media c(1);
    const std::pair<float, float> cases[] = {
        // At and beyond the table's ends the size is kept, fraction included.
        {576.7f, 576.7f}, {300.25f, 300.25f}, {1296.5f, 1296.5f}, {1400.0f, 1400.0f},
        // Inside, the first window that holds the size wins.
        {577.9f, 576.0f}, {595.28f, 594.0f}, {597.0f, 595.0f}, {865.0f, 864.0f}, {867.0f, 865.0f},
        {841.89f, 842.0f}, {1295.0f, 1296.0f}, {614.5f, 612.0f},
        // Between windows the size loses its fraction.
        {700.7f, 700.0f}, {615.5f, 615.0f}, {1293.9f, 1293.0f}};
    for (const auto& [points, snapped] : cases) EXPECT_EQ(c.PaperSizeLookup(points), snapped) << points;
}

TEST(MediaUnits, InchMillimetreAndPointConversions) {
    JSE_Media c(1);
    c.JSE_Media_SetSizeLookupTable(false);
    EXPECT_EQ(c.InchesToPts(8.5f), 612.0f);
    EXPECT_EQ(c.JSE_Media_InchesToPSPoints(8.26f), 594);
    EXPECT_NEAR(c.MMToPts(210.0f), 595.28f, 0.01f);
    EXPECT_EQ(c.JSE_Media_MMToPSPoints(210.0f), 595);
    EXPECT_NEAR(c.MMToPts(100.0f), 283.46f, 0.01f);
    c.JSE_Media_SetSizeLookupTable(true);
    EXPECT_EQ(c.MMToPts(210.0f), 594.0f);
    EXPECT_EQ(c.JSE_Media_MMToPSPoints(297.0f), 842);
    EXPECT_NEAR(c.MMToPts(100.0f), 283.46f, 0.01f);
    EXPECT_EQ(c.MMToPts(457.2f), 1296.0f);
    // Sizes far beyond the int range neither overflow nor wrap.
    EXPECT_EQ(c.JSE_Media_InchesToPSPoints(1e30f), INT_MAX);
    EXPECT_EQ(c.JSE_Media_InchesToPSPoints(-1e30f), INT_MIN);
}

TEST(MediaUnits, NumberTextUsesTheDecimalCharacter) {
    JSE_Media c(1);
    WString text;
    const std::tuple<float, int, const wchar_t*> cases[] = {
        {8.5f, 2, L"8.50"}, {1.005f, 2, L"1.00"}, {2.5f, 0, L"2"}, {-0.125f, 2, L"-0.12"}};
    for (const auto& [value, decimals, expected] : cases) {
        EXPECT_TRUE(c.FloatToWS(value, text, decimals));
        EXPECT_EQ(text, expected);
    }
    c.SetOSDecimalFormat(',');
    c.FloatToWS(8.5f, text, 2);
    EXPECT_EQ(text, L"8,50");
    std::string narrow;
    EXPECT_TRUE(c.FloatToString(297.0f, narrow, 1));
    EXPECT_EQ(narrow, "297,0");
}

TEST(MediaText, NumbersAndFieldsOfFileLines) {
    JSE_Media c(1);
    int count = 0;
    EXPECT_EQ(c.GetFloat(L"  -12.5x", &count), 12.5f);
    EXPECT_EQ(count, 7);
    EXPECT_EQ(c.GetFloat(L"7,25"), 7.25f);
    EXPECT_EQ(c.GetInteger(L"a42b", &count), 42);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(c.GetInteger(L"-7"), 7);
    EXPECT_EQ(c.GetInteger(L"99999999999999999999"), INT_MAX);
}

TEST(MediaErrors, CodesAreTheEngineErrorTable) {
    // Stored results and the service compare against these numbers.
    EXPECT_EQ((std::vector<int>{kMediaBadIndex, kMediaDefinitionLoad, kMediaReadError, kMediaNoEntry, kMediaNoPath,
                                kMediaCannotOpen, kMediaWriteError, kMediaMissingField, kMediaBadCharacter,
                                kMediaNoSuchSize, kMediaLockRefused, kMediaAttributeLoad, kMediaSizeNameError,
                                kMediaCannotCreate}),
              (std::vector<int>{-1007, -2000, -2001, -2002, -2003, -2004, -2005, -2008, -2009, -2010, -2011, -2012,
                                -3000, -43}));
}

}  // namespace

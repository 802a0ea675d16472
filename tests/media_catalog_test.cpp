// The paper catalog in memory: queries with their fallbacks, the default
// paper, size definitions, units and number text.
#include <gtest/gtest.h>

#include "JSE_Media.h"

namespace {

// A catalog whose lists the tests fill directly.
class FilledCatalog : public JSE_Media {
public:
    FilledCatalog() : JSE_Media(1) {
        m_papers.clear();
        m_definitions.clear();
        m_colors = {L"any", L"white", L"red"};
        m_types = {L"plain", L"cover"};
        AddDefinition(8.5f, 11.0f, 612, 792, 0, L"Letter", L"8.50", L"11.00");
        AddDefinition(210.0f, 297.0f, 595, 842, 1, L"A4", L"210.00", L"297.00");
        AddPaper(L"Letter", 0, 75, L"white", 1);
        AddPaper(L"A4", 1, 80, L"red", 0);
        AddPaper(L"Custom", -1, 90, L"*", 2);
        AddPaper(L"A4", 1, 120, L"white", 1);
    }

    void AddDefinition(float w, float h, float wPts, float hPts, int measure, const WString& name,
                       const WString& wText, const WString& hText) {
        PAPERCLASS d;
        d.width = w;
        d.height = h;
        d.widthPts = wPts;
        d.heightPts = hPts;
        d.id = static_cast<int>(m_definitions.size());
        d.measureType = measure;
        d.name = name;
        d.widthText = wText;
        d.heightText = hText;
        m_definitions.push_back(d);
    }

    void AddPaper(const WString& name, int sizeIndex, int weight, const WString& color, int mode) {
        PAPERDEF p = DefaultPaper();
        p.name = name;
        p.sizeIndex = sizeIndex;
        p.weight = weight;
        p.color = color;
        p.colorIndex = ClassifyColor(color);
        p.mode = mode;
        p.punchable = 0;
        p.precollated = 1;
        m_papers.push_back(p);
    }
};

TEST(MediaQueries, EveryGetterFallsBackForAnAbsentIndex) {
    FilledCatalog catalog;
    const int count = catalog.JSE_Media_GetNumberOfEntry();
    ASSERT_EQ(count, 4);
    for (int i : {-1, count, 1000}) {
        SCOPED_TRACE(i);
        WString text = L"unchanged";
        catalog.JSE_Media_GetName(i, text);
        EXPECT_EQ(text, L"");
        catalog.JSE_Media_GetColor(i, text);
        EXPECT_EQ(text, L"white");
        catalog.JSE_Media_GetType(i, text);
        EXPECT_EQ(text, L"plain");
        EXPECT_EQ(catalog.GetPaperColor(i), -1);
        EXPECT_EQ(catalog.GetPaperType(i), -1);
        EXPECT_EQ(catalog.GetPaperSize(i), -1);
        EXPECT_EQ(catalog.JSE_Media_GetDefinitionIndex(i), -1);
        EXPECT_EQ(catalog.GetPaperWeight(i), 0);
        int weight = 7;
        EXPECT_EQ(catalog.JSE_Media_GetWeight(i, weight), 0);
        EXPECT_EQ(weight, 0);
        EXPECT_EQ(catalog.JSE_Media_GetMode(i), 2);
        EXPECT_EQ(catalog.GetPaperSides(i), 2);
        EXPECT_EQ(catalog.JSE_Media_GetPrecollated(i), 0);
        EXPECT_EQ(catalog.JSE_Media_GetPunchable(i), 1);
        float w = 1, h = 1;
        catalog.JSE_Media_GetPhysicalSize(i, w, h);
        EXPECT_EQ(w, 0);
        EXPECT_EQ(h, 0);
        int wPts = 5, hPts = 6;
        catalog.JSE_Media_GetPoints(i, wPts, hPts);
        EXPECT_EQ(wPts, 5);
        EXPECT_EQ(hPts, 6);
        WString wText = L"x", hText = L"y";
        int metric = 9;
        catalog.JSE_Media_GetDisplaySize(i, wText, hText, metric);
        EXPECT_EQ(wText, L"");
        EXPECT_EQ(hText, L"");
        EXPECT_EQ(metric, 9);
        PAPERDEF info;
        info.name = L"kept";
        EXPECT_FALSE(catalog.GetPaperInfo(i, info));
        EXPECT_EQ(info.name, L"kept");
    }
    EXPECT_EQ(catalog.JSE_Media_GetLastError(), 0);
}

TEST(MediaQueries, GettersOfAPresentPaper) {
    FilledCatalog catalog;
    WString text;
    catalog.JSE_Media_GetColor(1, text);
    EXPECT_EQ(text, L"red");
    EXPECT_EQ(catalog.GetPaperColor(1), 2);
    EXPECT_EQ(catalog.JSE_Media_GetMode(1), 0);
    EXPECT_EQ(catalog.JSE_Media_GetPunchable(1), 0);
    EXPECT_EQ(catalog.JSE_Media_GetPrecollated(1), 1);
    int wPts = 0, hPts = 0;
    catalog.JSE_Media_GetPoints(1, wPts, hPts);
    EXPECT_EQ(wPts, 595);
    EXPECT_EQ(hPts, 842);
    WString wText, hText;
    int metric = 0;
    catalog.JSE_Media_GetDisplaySize(1, wText, hText, metric);
    EXPECT_EQ(wText, L"210.00");
    EXPECT_EQ(metric, 1);
}

TEST(MediaQueries, PaperWithoutDefinitionUsesLetterPointsAndNoDisplayText) {
    FilledCatalog catalog;
    int wPts = 0, hPts = 0;
    catalog.JSE_Media_GetPoints(2, wPts, hPts);
    EXPECT_EQ(wPts, 612);
    EXPECT_EQ(hPts, 792);
    WString wText = L"x", hText = L"y";
    int metric = 4;
    catalog.JSE_Media_GetDisplaySize(2, wText, hText, metric);
    EXPECT_EQ(wText, L"");
    EXPECT_EQ(metric, 4);
}

TEST(MediaQueries, NameLookupIsExactAndCaseSensitive) {
    FilledCatalog catalog;
    EXPECT_EQ(catalog.JSE_Media_GetIndex(L"Letter"), 0);
    EXPECT_EQ(catalog.JSE_Media_GetIndex(L"letter"), -1);
    EXPECT_EQ(catalog.JSE_Media_GetIndex(L"Letter "), -1);
    EXPECT_EQ(catalog.JSE_Media_GetIndex(L"A4"), 1);  // the first of two
    EXPECT_EQ(catalog.JSE_Media_GetIndex(L""), -1);
}

TEST(MediaDefaultPaper, SettersCheckTheirArgument) {
    FilledCatalog catalog;
    WString name;
    EXPECT_TRUE(catalog.JSE_Media_SetDefaultPaper(L"Custom"));
    EXPECT_EQ(catalog.GetDefaultPaper(), 2);
    catalog.JSE_Media_GetDefault(name);
    EXPECT_EQ(name, L"Custom");

    EXPECT_FALSE(catalog.JSE_Media_SetDefaultPaper(L"custom"));
    EXPECT_EQ(catalog.JSE_Media_GetLastError(), kMediaBadIndex);
    EXPECT_EQ(catalog.GetDefaultPaper(), 2);

    EXPECT_FALSE(catalog.JSE_Media_SetDefaultPaper(catalog.JSE_Media_GetNumberOfEntry()));
    EXPECT_EQ(catalog.JSE_Media_GetLastError(), kMediaBadIndex);
    EXPECT_EQ(catalog.JSE_Media_GetDefaultIndex(), 2);

    EXPECT_TRUE(catalog.JSE_Media_SetDefaultPaper(-1));
    EXPECT_EQ(catalog.JSE_Media_GetLastError(), 0);
    catalog.JSE_Media_GetDefault(name);
    EXPECT_EQ(name, L"");
    catalog.GetDefaultPaperName(name);
    EXPECT_EQ(name, L"");
}

TEST(MediaConstruction, PlatformCatalogHoldsOnlyLetter) {
    JSE_Media catalog(2);
    ASSERT_EQ(catalog.JSE_Media_GetNumberOfEntry(), 1);
    PAPERDEF letter;
    ASSERT_TRUE(catalog.GetPaperInfo(0, letter));
    EXPECT_EQ(letter.name, L"Letter");
    EXPECT_EQ(letter.sizeIndex, 0);
    EXPECT_EQ(letter.width, 8.5f);
    EXPECT_EQ(letter.height, 11.0f);
    EXPECT_EQ(letter.weight, 75);
    EXPECT_EQ(letter.color, L"white");
    EXPECT_EQ(letter.type, L"plain");
    EXPECT_EQ(letter.mode, 2);
    EXPECT_EQ(letter.punchable, 1);
    EXPECT_EQ(catalog.GetDefaultPaper(), 0);
    WString text;
    catalog.JSE_Media_GetDefault(text);
    EXPECT_EQ(text, L"Letter");
    catalog.JSE_Media_GetLanguage(text);
    EXPECT_EQ(text, L"English");
    ASSERT_EQ(catalog.GetNumberOfDefinitions(), 1);
    int wPts = 0, hPts = 0;
    catalog.JSE_Media_GetPoints(0, wPts, hPts);
    EXPECT_EQ(wPts, 612);
    EXPECT_EQ(hPts, 792);
    EXPECT_EQ(catalog.ClassifyColor(L"white"), 0);
    EXPECT_EQ(catalog.ClassifyType(L"plain"), 0);
    ASSERT_EQ(catalog.JSE_Media_GetNumOfWeightAttributes(), 1);
    catalog.JSE_Media_GetWeightAttribute(0, text);
    EXPECT_EQ(text, L"75");
    EXPECT_EQ(catalog.JSE_Media_GetNumOfColorAttributes(), 1);
    EXPECT_EQ(catalog.JSE_Media_GetNumOfTypeAttributes(), 1);
    EXPECT_EQ(catalog.JSE_Media_GetWeightAttribute(1, text), -1);
    EXPECT_EQ(catalog.JSE_Media_GetLastError(), 0);
    // Snapping is on for this catalog.
    EXPECT_EQ(catalog.MMToPts(210.0f), 594.0f);
}

TEST(MediaConstruction, ColourAndTypeListsSplitAtTheSeparator) {
    JSE_Media catalog(L"English", L"", L"any;white;;blue", L"plain;cover;", L';', false);
    EXPECT_EQ(catalog.ClassifyColor(L"white"), 1);
    EXPECT_EQ(catalog.ClassifyColor(L""), 2);  // the empty piece is kept
    EXPECT_EQ(catalog.ClassifyColor(L"blue"), 3);
    EXPECT_EQ(catalog.ClassifyType(L"cover"), 1);
    EXPECT_EQ(catalog.ClassifyType(L""), -1);  // a trailing separator adds nothing
    EXPECT_EQ(catalog.ClassifyColor(L"White"), -1);
}

TEST(MediaDefinitions, QueriesAndExactSizeMatch) {
    FilledCatalog catalog;
    EXPECT_EQ(catalog.ClassifySize(8.5f, 11.0f), 0);
    EXPECT_EQ(catalog.ClassifySize(8.50001f, 11.0f), -1);
    EXPECT_EQ(catalog.ClassifySize(210.0f, 297.0f), 1);
    EXPECT_TRUE(catalog.JSE_Media_DoesPaperSizeExist(210.0f, 297.0f));
    EXPECT_FALSE(catalog.JSE_Media_DoesPaperSizeExist(297.0f, 210.0f));

    float w = 3, h = 3;
    EXPECT_EQ(catalog.GetPaperNativeSize(2, w, h), -1);
    EXPECT_EQ(w, 3);
    EXPECT_FALSE(catalog.GetPaperSizeByType(2, w, h));
    EXPECT_EQ(w, 0);
    EXPECT_EQ(h, 0);
    EXPECT_TRUE(catalog.GetPaperSizeByType(1, w, h));
    EXPECT_EQ(w, 210.0f);
    EXPECT_EQ(catalog.GetPaperMeasureType(1), 1);
    EXPECT_EQ(catalog.GetPaperMeasureType(-1), -1);

    WString wText, hText, name;
    int metric = 5;
    EXPECT_EQ(catalog.JSE_Media_GetPaperDisplaySizeFromDefFile(2L, wText, hText, metric, name), -1);
    EXPECT_EQ(catalog.JSE_Media_GetPaperDisplaySizeFromDefFile(0L, wText, hText, metric, name), 0);
    EXPECT_EQ(wText, L"8.50");
    EXPECT_EQ(metric, 0);
    EXPECT_EQ(name, L"Letter");
    EXPECT_EQ(catalog.GetPaperDisplaySize(1, wText, hText), 0);
    EXPECT_EQ(hText, L"297.00");

    catalog.GetWidthHeight(L"215,9 x 279.4 mm", w, h);
    EXPECT_FLOAT_EQ(w, 215.9f);
    EXPECT_FLOAT_EQ(h, 279.4f);
}

TEST(MediaUnits, PaperSizeLookupWindows) {
    JSE_Media catalog(1);
    // At and beyond the table's ends the value is kept, fraction included.
    EXPECT_EQ(catalog.PaperSizeLookup(576.7f), 576.7f);
    EXPECT_EQ(catalog.PaperSizeLookup(300.25f), 300.25f);
    EXPECT_EQ(catalog.PaperSizeLookup(1296.5f), 1296.5f);
    EXPECT_EQ(catalog.PaperSizeLookup(1400.0f), 1400.0f);
    // Inside, the first window that holds the size wins.
    EXPECT_EQ(catalog.PaperSizeLookup(577.9f), 576.0f);
    EXPECT_EQ(catalog.PaperSizeLookup(595.28f), 594.0f);
    EXPECT_EQ(catalog.PaperSizeLookup(597.0f), 595.0f);
    EXPECT_EQ(catalog.PaperSizeLookup(865.0f), 864.0f);
    EXPECT_EQ(catalog.PaperSizeLookup(867.0f), 865.0f);
    EXPECT_EQ(catalog.PaperSizeLookup(841.89f), 842.0f);
    EXPECT_EQ(catalog.PaperSizeLookup(1295.0f), 1296.0f);
    EXPECT_EQ(catalog.PaperSizeLookup(1293.9f), 1293.0f);
    // Between windows the size loses its fraction.
    EXPECT_EQ(catalog.PaperSizeLookup(700.7f), 700.0f);
    EXPECT_EQ(catalog.PaperSizeLookup(614.5f), 612.0f);
    EXPECT_EQ(catalog.PaperSizeLookup(615.5f), 615.0f);
}

TEST(MediaUnits, InchMillimetreAndPointConversions) {
    JSE_Media catalog(1);
    catalog.JSE_Media_SetSizeLookupTable(false);
    EXPECT_EQ(catalog.InchesToPts(8.5f), 612.0f);
    EXPECT_EQ(catalog.JSE_Media_InchesToPSPoints(8.26f), 594);
    EXPECT_NEAR(catalog.MMToPts(210.0f), 595.28f, 0.01f);
    EXPECT_EQ(catalog.JSE_Media_MMToPSPoints(210.0f), 595);
    EXPECT_NEAR(catalog.MMToPts(100.0f), 283.46f, 0.01f);

    catalog.JSE_Media_SetSizeLookupTable(true);
    EXPECT_EQ(catalog.MMToPts(210.0f), 594.0f);
    EXPECT_EQ(catalog.JSE_Media_MMToPSPoints(297.0f), 842);
    EXPECT_NEAR(catalog.MMToPts(100.0f), 283.46f, 0.01f);
    EXPECT_EQ(catalog.MMToPts(457.2f), 1296.0f);
    // Sizes far beyond the int range neither overflow nor wrap.
    EXPECT_EQ(catalog.JSE_Media_InchesToPSPoints(1e30f), INT_MAX);
    EXPECT_EQ(catalog.JSE_Media_InchesToPSPoints(-1e30f), INT_MIN);
}

TEST(MediaUnits, NumberTextUsesTheDecimalCharacter) {
    JSE_Media catalog(1);
    WString text;
    EXPECT_TRUE(catalog.FloatToWS(8.5f, text, 2));
    EXPECT_EQ(text, L"8.50");
    catalog.FloatToWS(1.005f, text, 2);
    EXPECT_EQ(text, L"1.00");  // the float's own value, rounded
    catalog.FloatToWS(2.5f, text, 0);
    EXPECT_EQ(text, L"2");
    catalog.FloatToWS(-0.125f, text, 2);
    EXPECT_EQ(text, L"-0.12");
    catalog.SetOSDecimalFormat(',');
    catalog.FloatToWS(8.5f, text, 2);
    EXPECT_EQ(text, L"8,50");
    std::string narrow;
    EXPECT_TRUE(catalog.FloatToString(297.0f, narrow, 1));
    EXPECT_EQ(narrow, "297,0");
}

TEST(MediaText, NumbersAndFieldsOfFileLines) {
    JSE_Media catalog(1);
    int count = 0;
    EXPECT_EQ(catalog.GetFloat(L"  -12.5x", &count), 12.5f);
    EXPECT_EQ(count, 7);
    EXPECT_EQ(catalog.GetFloat(L"7,25"), 7.25f);
    EXPECT_EQ(catalog.GetFloat(L"abc", &count), 0.0f);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(catalog.GetInteger(L"a42b", &count), 42);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(catalog.GetInteger(L"-7"), 7);
    EXPECT_EQ(catalog.GetInteger(L"99999999999999999999"), INT_MAX);

    WString field;
    catalog.ParseLine(L"A4:2:80", field, L':');
    EXPECT_EQ(field, L"A4");
    catalog.ParseLine(L":x", field, L':');
    EXPECT_EQ(field, L"");
    catalog.ParseLine(L"end", field, L':');
    EXPECT_EQ(field, L"end");
}

TEST(MediaErrors, CodesAreTheEngineErrorTable) {
    // Stored results and the service compare against these numbers.
    EXPECT_EQ(kMediaBadIndex, -1007);
    EXPECT_EQ(kMediaDefinitionLoad, -2000);
    EXPECT_EQ(kMediaReadError, -2001);
    EXPECT_EQ(kMediaNoEntry, -2002);
    EXPECT_EQ(kMediaNoPath, -2003);
    EXPECT_EQ(kMediaCannotOpen, -2004);
    EXPECT_EQ(kMediaWriteError, -2005);
    EXPECT_EQ(kMediaMissingField, -2008);
    EXPECT_EQ(kMediaBadCharacter, -2009);
    EXPECT_EQ(kMediaNoSuchSize, -2010);
    EXPECT_EQ(kMediaLockRefused, -2011);
    EXPECT_EQ(kMediaAttributeLoad, -2012);
    EXPECT_EQ(kMediaSizeNameError, -3000);
    EXPECT_EQ(kMediaCannotCreate, -43);
}

TEST(MediaSelection, ConstructorsAndCopies) {
    JSE_MediaSelection empty;
    EXPECT_EQ(empty.mediaName, L"");
    EXPECT_EQ(empty.index, 0);
    JSE_MediaSelection named(L"A4");
    EXPECT_EQ(named.index, 0);
    JSE_MediaSelection both(L"A3", 4);
    JSE_MediaSelection copy(both);
    EXPECT_EQ(copy.mediaName, L"A3");
    EXPECT_EQ(copy.index, 4);
    copy = named;
    EXPECT_EQ(copy.mediaName, L"A4");
    EXPECT_EQ(copy.index, 0);
}

}  // namespace

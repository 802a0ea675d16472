// Page list, layout list and record reshaping of the page collection, checked
// record by record through the getters after every call.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <ostream>
#include <random>
#include <tuple>
#include <utility>
#include <vector>

#include "JSE_PageCollection.h"

namespace {

using Features = std::vector<std::pair<int, int>>;
using Properties = std::vector<std::pair<int, WString>>;

struct Page {
    int type = 0;
    int value = 0;
    long start = 0;
    long end = 0;
    Properties properties;
    Features features;
    bool operator==(const Page&) const = default;
};

void PrintTo(const Page& page, std::ostream* out) {
    *out << "{" << page.type << "," << page.value << " " << page.start << ".." << page.end << " props";
    for (const auto& [id, text] : page.properties) {
        *out << " (" << id << "," << std::string(text.begin(), text.end()) << ")";
    }
    *out << " features";
    for (const auto& [code, value] : page.features) *out << " (" << code << "," << value << ")";
    *out << "}";
}

std::vector<Page> Pages(JSE_PageCollection& collection) {
    std::vector<Page> pages;
    for (long i = 0; i < collection.JSE_PageCollection_GetSize(); ++i) {
        Page page;
        collection.JSE_PageCollection_GetPageTypeAndValue(i, page.type, page.value);
        collection.JSE_PageCollection_GetPageNumber(i, page.start, page.end);
        for (long j = 0; j < collection.JSE_PageCollection_GetPropertySize(i); ++j) {
            std::pair<int, WString> property;
            collection.JSE_PageCollection_GetProperty(i, j, property.first, property.second);
            page.properties.push_back(property);
        }
        for (long j = 0; j < collection.JSE_PageCollection_GetPageFeatureSize(i); ++j) {
            std::pair<int, int> feature;
            collection.JSE_PageCollection_GetPageFeature(i, j, feature.first, feature.second);
            page.features.push_back(feature);
        }
        pages.push_back(page);
    }
    return pages;
}

// The mirror of a layout range: a page record with one feature of its code.
Page Mirror(int code, int value, long start, long end) { return Page{code, value, start, end, {}, {{code, value}}}; }

Page Paper(int kind, int value, long start, long end, const WString& paper, Features features = {}) {
    return Page{kind, value, start, end, {{1, paper}}, std::move(features)};
}

// A finishing subset for one output device value: its paper, then features.
void AddSubset(JSE_PageCollection& collection, long start, long end, int device, const Features& features,
               const WString& paper = L"Bond") {
    collection.JSE_PageCollection_SetProperty(start, end, 1, paper, kPeFinishingSubset, device, true);
    const long i = collection.findPage(start, end, kPeFinishingSubset, device);
    for (const auto& [code, value] : features) collection.JSE_PageCollection_AddPageFeature(i, code, value);
}

TEST(PageListTest, InsertSheetTakesPaperThenExitAndEachPairMakesItsOwnRecord) {
    JSE_PageCollection c;
    EXPECT_EQ(c.JSE_PageCollection_SetPageType(5, 5, kPeInsertBefore, 1), -1);
    EXPECT_TRUE(Pages(c).empty());

    c.JSE_PageCollection_SetProperty(5, 5, kPeInsertBefore, L"Blue", kPeInsertBefore, 1, true);
    const Page bare{233, 1, 5, 5, {{233, L"Blue"}}, {}};
    EXPECT_EQ(Pages(c), std::vector<Page>{bare});
    EXPECT_EQ(c.JSE_PageCollection_SetPageType(5, 5, kPeInsertBefore, 1), 0);
    const Page done{233, 1, 5, 5, {{233, L"Blue"}}, {{233, 1}}};
    EXPECT_EQ(Pages(c), std::vector<Page>{done});

    c.JSE_PageCollection_SetProperty(5, 5, kPeInsertBefore, L"Blue", kPeInsertBefore, 1, true);
    EXPECT_EQ(Pages(c), (std::vector<Page>{bare, done}));
    EXPECT_EQ(c.JSE_PageCollection_SetPageType(5, 5, kPeInsertBefore, 1), 0);
    EXPECT_EQ(Pages(c), (std::vector<Page>{done, done}));
}

TEST(PageListTest, InsertsBeforeComeFirstThenSubstitutionsAtOneFirstPage) {
    JSE_PageCollection c;
    c.JSE_PageCollection_SetProperty(3, 3, 1, L"Card", kPePageCopyCount, 2, true);
    c.JSE_PageCollection_SetProperty(3, 3, 1, L"Bond", kPePaperSubstitution, 1, true);
    c.JSE_PageCollection_SetProperty(3, 3, kPeInsertAfter, L"Tab", kPeInsertAfter, 1, true);
    c.JSE_PageCollection_SetProperty(3, 3, kPeInsertBefore, L"Blue", kPeInsertBefore, 1, true);
    c.JSE_PageCollection_SetProperty(1, 2, 1, L"Red", kPePaperSubstitution, 1, true);
    const std::vector<Page> pages = Pages(c);
    ASSERT_EQ(pages.size(), 5u);
    EXPECT_EQ(pages[0].start, 1);
    EXPECT_EQ(pages[1].type, kPeInsertBefore);
    EXPECT_EQ(pages[2].type, kPePaperSubstitution);
    EXPECT_EQ(pages[2].start, 3);
}

TEST(PageListTest, SettingAPageTypeAgainAddsNothing) {
    JSE_PageCollection c;
    EXPECT_EQ(c.JSE_PageCollection_SetPageType(1, 10, kPePunch, 1), 0);
    EXPECT_EQ(c.JSE_PageCollection_SetPageType(1, 10, kPePunch, 1), 0);
    EXPECT_EQ(Pages(c), std::vector<Page>{Mirror(237, 1, 1, 10)});
    // The same kind over an overlapping record is left for the caller to
    // remove first.
    EXPECT_EQ(c.JSE_PageCollection_SetPageType(5, 12, kPePunch, 0), -1);
    EXPECT_EQ(Pages(c), std::vector<Page>{Mirror(237, 1, 1, 10)});
}

TEST(PageListTest, OutputDeviceErasesTheFeaturesTheDeviceCannotDo) {
    const std::vector<std::pair<int, Features>> expected = {
        {1, {{238, 1}, {239, 10}, {224, 1}}},
        {2, {{238, 1}, {225, 2}, {240, 7}, {224, 2}}},
        {3, {{238, 1}, {240, 7}, {224, 3}}},
        {4, {{238, 1}, {239, 10}, {224, 4}}},
        {5, {{238, 1}, {239, 10}, {224, 5}}},
        {255, {{238, 1}, {224, 255}}},
    };
    for (const auto& [device, features] : expected) {
        JSE_PageCollection c;
        AddSubset(c, 1, 10, 1, {{238, 1}, {225, 2}, {239, 10}, {240, 7}});
        c.JSE_PageCollection_AddPageFeature(0, kPeSubsetOutput, device);
        EXPECT_EQ(Pages(c), std::vector<Page>{Paper(238, 1, 1, 10, L"Bond", features)}) << "device " << device;
    }
}

TEST(PageListTest, RemovingASubsetsOutputRemovesEverySubsetOfThatRange) {
    JSE_PageCollection c;
    AddSubset(c, 1, 3, 1, {{238, 1}});
    AddSubset(c, 4, 6, 3, {{238, 3}, {224, 3}});
    // A subset of the same pages on another paper takes the place of the first.
    AddSubset(c, 4, 6, 2, {{238, 2}, {224, 2}}, L"Gloss");
    c.JSE_PageCollection_SetPageType(4, 6, kPePunch, 1);
    ASSERT_EQ(Pages(c), (std::vector<Page>{Paper(238, 1, 1, 3, L"Bond", {{238, 1}}), Mirror(237, 1, 4, 6),
                                           Paper(238, 2, 4, 6, L"Gloss", {{238, 2}, {224, 2}})}));
    c.JSE_PageCollection_RemovePageFeature(4, 6, kPeSubsetOutput, 77);
    EXPECT_EQ(Pages(c), (std::vector<Page>{Paper(238, 1, 1, 3, L"Bond", {{238, 1}}), Mirror(237, 1, 4, 6)}));
}

TEST(PageListTest, RemovalsByRangeAndByIndex) {
    JSE_PageCollection c;
    c.JSE_PageCollection_SetPageType(1, 10, kPePunch, 1);
    EXPECT_FALSE(c.JSE_PageCollection_RemovePages(5, 7));
    EXPECT_EQ(c.JSE_PageCollection_GetSize(), 1);

    c.JSE_PageCollection_SetPageType(12, 12, kPePageCopyCount, 3);
    c.JSE_PageCollection_AddPageFeature(0, kPePageCopyCount, 2);
    EXPECT_TRUE(c.JSE_PageCollection_RemovePageFeatureAt(0, kPePunch));
    EXPECT_EQ(Pages(c), (std::vector<Page>{Page{237, 1, 1, 10, {}, {{241, 2}}}, Mirror(241, 3, 12, 12)}));
    EXPECT_TRUE(c.JSE_PageCollection_RemovePageFeatureAt(0, kPePageCopyCount));
    EXPECT_EQ(Pages(c), std::vector<Page>{Mirror(241, 3, 12, 12)});
    EXPECT_TRUE(c.JSE_PageCollection_RemovePages(12, 12));
    EXPECT_TRUE(Pages(c).empty());
}

TEST(PageListTest, FindsFeaturesAndPapersByPages) {
    JSE_PageCollection c;
    AddSubset(c, 1, 10, 1, {{238, 1}});
    c.JSE_PageCollection_SetProperty(20, 30, 1, L"Gloss", kPePaperSubstitution, 1, true);
    long i = 7;
    EXPECT_TRUE(c.JSE_PageCollection_FindPageFeatureByPageNumbers(3, 4, kPeFinishingSubset, i));
    EXPECT_EQ(i, 0);
    EXPECT_FALSE(c.JSE_PageCollection_FindPageFeatureByPageRange(9, 12, kPeFinishingSubset, i));
    EXPECT_EQ(i, -1);
    WString paper = L"old";
    c.FindMediaForThePage(25, 26, paper);
    EXPECT_EQ(paper, L"Gloss");
    c.FindMediaForThePage(3, 4, paper);
    EXPECT_EQ(paper, L"");
}

TEST(PageListTest, EveryGetterOutsideTheListGivesItsFallback) {
    JSE_PageCollection c;
    c.JSE_PageCollection_SetProperty(1, 4, 1, L"Bond", kPePaperSubstitution, 1, true);
    c.JSE_PageCollection_AddPageFeature(0, kPePunch, 1);
    const std::vector<Page> before = Pages(c);
    for (long i : {-1L, c.JSE_PageCollection_GetSize()}) {
        long start = 5, end = 5;
        c.JSE_PageCollection_GetPageNumber(i, start, end);
        EXPECT_EQ(std::make_pair(start, end), std::make_pair(-1L, -1L));
        int type = 9, value = 9;
        c.JSE_PageCollection_GetPageTypeAndValue(i, type, value);
        EXPECT_EQ(std::make_pair(type, value), std::make_pair(9, 9));
        EXPECT_EQ(c.JSE_PageCollection_GetPropertySize(i), 0);
        EXPECT_EQ(c.JSE_PageCollection_GetPageFeatureSize(i), 0);
        WString text = L"x";
        c.JSE_PageCollection_GetProperty(i, 0, type, text);
        EXPECT_EQ(type, 0);
        EXPECT_EQ(text, L"");
        text = L"x";
        c.JSE_PageCollection_GetPropertyValueAt(i, 0, text);
        EXPECT_EQ(text, L"");
        type = value = 9;
        c.JSE_PageCollection_GetPageFeature(i, 0, type, value);
        EXPECT_EQ(std::make_pair(type, value), std::make_pair(0, 0));
        type = value = 9;
        c.JSE_PageCollection_GetPageFeatureType(i, 0, type);
        c.JSE_PageCollection_GetPageFeatureValue(i, 0, value);
        EXPECT_EQ(std::make_pair(type, value), std::make_pair(0, 0));
        EXPECT_FALSE(c.JSE_PageCollection_FindPageFeatureByPageIndex(i, kPePunch));
        EXPECT_EQ(c.JSE_PageCollection_UpdatePageFeature(i, kPePunch, 0), 0);
        c.JSE_PageCollection_AddPageFeature(i, kPePunch, 0);
        EXPECT_FALSE(c.JSE_PageCollection_RemovePageFeatureAt(i, kPePunch));
        EXPECT_FALSE(c.JSE_PageCollection_RemovePageAt(i, 0));
        EXPECT_FALSE(c.JSE_PageCollection_RemovePageAt(i, 1));
        PageItemType piece;
        EXPECT_FALSE(c.clonePage(i, piece, 1, 2, kPePunch, 1));
        EXPECT_EQ(c.JSE_PageCollection_GetLastError(), JSE_PageCollection::kPageIndexOutside);
        EXPECT_EQ(Pages(c), before);
    }
    // A valid record with a feature or property index outside its lists.
    int type = 9, value = 9;
    WString text = L"x";
    c.JSE_PageCollection_GetProperty(0, 1, type, text);
    c.JSE_PageCollection_GetPageFeature(0, 1, type, value);
    c.JSE_PageCollection_GetPageFeatureValue(0, 1, value);
    EXPECT_EQ(std::make_tuple(type, value, text), std::make_tuple(9, 9, WString(L"x")));
    c.JSE_PageCollection_GetPageFeatureType(0, 1, type);
    c.JSE_PageCollection_GetPropertyValueAt(0, 1, text);
    EXPECT_EQ(std::make_pair(type, text), std::make_pair(0, WString()));
}

// Feature splits: a feature set on part of a record.
TEST(PageSplitTest, AFeatureOverARecordsHeadTakesItsPaperAndFeatures) {
    JSE_PageCollection c;
    c.JSE_PageCollection_SetProperty(5, 10, 1, L"X", kPePaperSubstitution, 1, true);
    c.JSE_PageCollection_AddPageFeature(0, kPePaperSubstitution, 1);
    c.splitPageRecord(0, kPePunch, 1, 3, 7);
    EXPECT_EQ(Pages(c), (std::vector<Page>{Paper(237, 1, 3, 7, L"X", {{232, 1}, {237, 1}}),
                                           Paper(232, 1, 8, 10, L"X", {{232, 1}})}));
}

TEST(PageSplitTest, AFeatureInsideARecordSplitsItOnlyWhenTheRecordCarriesIt) {
    JSE_PageCollection c;
    c.JSE_PageCollection_SetPageType(1, 10, kPePunch, 2);
    c.splitPageRecord(0, kPePunch, 1, 4, 6);
    EXPECT_EQ(Pages(c), (std::vector<Page>{Mirror(237, 1, 4, 6), Mirror(237, 2, 1, 10)}));

    JSE_PageCollection d;
    d.JSE_PageCollection_SetProperty(1, 10, 1, L"X", kPePaperSubstitution, 1, true);
    d.JSE_PageCollection_AddPageFeature(0, kPePunch, 1);
    d.splitPageRecord(0, kPePunch, 1, 4, 6);
    EXPECT_EQ(Pages(d), (std::vector<Page>{Paper(232, 1, 1, 3, L"X", {{237, 1}}), Paper(237, 1, 4, 6, L"X", {{237, 1}}),
                                           Paper(232, 1, 7, 10, L"X", {{237, 1}})}));
}

TEST(PageSplitTest, AFeatureOnARecordsFirstOrLastPagesSplitsInsteadOfDroppingPages) {
    JSE_PageCollection c;
    c.JSE_PageCollection_SetProperty(1, 10, 1, L"X", kPeFinishingSubset, 1, true);
    EXPECT_EQ(c.JSE_PageCollection_SetPageType(1, 5, kPeFinishingSubset, 2), 0);
    EXPECT_EQ(Pages(c), (std::vector<Page>{Paper(238, 2, 1, 5, L"X", {{238, 2}}), Paper(238, 1, 6, 10, L"X")}));
    EXPECT_EQ(c.JSE_PageCollection_SetPageType(8, 10, kPeFinishingSubset, 3), 0);
    EXPECT_EQ(Pages(c), (std::vector<Page>{Paper(238, 2, 1, 5, L"X", {{238, 2}}), Paper(238, 1, 6, 7, L"X"),
                                           Paper(238, 3, 8, 10, L"X", {{238, 3}})}));
}

// Property splits: a paper set on part of a record.
TEST(PageSplitTest, APaperInsideARecordLeavesTheTailWithTheOldPaperAndKind) {
    JSE_PageCollection c;
    c.JSE_PageCollection_SetProperty(1, 10, 1, L"A", kPePaperSubstitution, 1, true);
    c.JSE_PageCollection_SetProperty(4, 6, 1, L"C", kPePaperSubstitution, 2, true);
    EXPECT_EQ(Pages(c), (std::vector<Page>{Paper(232, 1, 1, 3, L"A"), Paper(232, 2, 4, 6, L"C"),
                                           Paper(232, 1, 7, 10, L"A")}));
}

TEST(PageSplitTest, APaperOverARecordsTailMovesOnlyTheNextRecordOfItsKind) {
    JSE_PageCollection c;
    c.JSE_PageCollection_SetProperty(1, 10, 1, L"A", kPePaperSubstitution, 1, true);
    c.JSE_PageCollection_SetProperty(11, 15, 1, L"B", kPePaperSubstitution, 3, true);
    c.JSE_PageCollection_SetPageType(9, 9, kPePunch, 0);
    c.JSE_PageCollection_SetProperty(8, 12, 1, L"C", kPePaperSubstitution, 2, true);
    EXPECT_EQ(Pages(c), (std::vector<Page>{Paper(232, 1, 1, 7, L"A"), Paper(232, 2, 8, 12, L"C"),
                                           Mirror(237, 0, 9, 9), Paper(232, 3, 13, 15, L"B")}));

    // A record of the same kind that the range covers to its end goes.
    c.JSE_PageCollection_SetProperty(4, 14, 1, L"D", kPePaperSubstitution, 4, true);
    EXPECT_EQ(Pages(c), (std::vector<Page>{Paper(232, 1, 1, 3, L"A"), Paper(232, 4, 4, 14, L"D"),
                                           Mirror(237, 0, 9, 9), Paper(232, 3, 15, 15, L"B")}));

    // A one-page record of the kind inside the range keeps its page, and the
    // next one that begins inside the range still gives up its head.
    JSE_PageCollection d;
    const auto substitute = [&d](long a, long b, const wchar_t* paper) {
        d.JSE_PageCollection_SetProperty(a, b, 1, paper, kPePaperSubstitution, 0, true);
        d.JSE_PageCollection_SetPageType(a, b, kPePaperSubstitution, 0);
    };
    substitute(1, 8, L"A");
    substitute(10, 10, L"B");
    substitute(11, 19, L"B");
    substitute(6, 11, L"C");
    EXPECT_EQ(Pages(d), (std::vector<Page>{Paper(232, 0, 1, 5, L"A", {{232, 0}}),
                                           Paper(232, 0, 6, 11, L"C", {{232, 0}}),
                                           Paper(232, 0, 12, 19, L"B", {{232, 0}})}));
}

TEST(PageSplitTest, APaperOnOnePageRecordOfAnotherValueReplacesIt) {
    JSE_PageCollection c;
    c.JSE_PageCollection_SetProperty(5, 5, 1, L"A", kPePaperSubstitution, 1, true);
    c.JSE_PageCollection_AddPageFeature(0, kPePunch, 0);
    c.JSE_PageCollection_SetProperty(5, 5, 1, L"B", kPePaperSubstitution, 2, true);
    EXPECT_EQ(Pages(c), std::vector<Page>{Paper(232, 2, 5, 5, L"B", {{237, 0}})});

    JSE_PageCollection d;
    d.JSE_PageCollection_SetProperty(1, 5, 1, L"A", kPePaperSubstitution, 1, true);
    d.splitPagePropertyRecord(0, kPePaperSubstitution, 2, 1, L"B", 5, 5);
    EXPECT_EQ(Pages(d), (std::vector<Page>{Paper(232, 1, 1, 4, L"A"), Paper(232, 2, 5, 5, L"B")}));
}

TEST(PageSplitTest, ConsolidatingKeepsTheExactRecordAndReportsItsIndex) {
    JSE_PageCollection c;
    c.JSE_PageCollection_SetProperty(1, 1, 1, L"A", kPePaperSubstitution, 1, true);
    c.JSE_PageCollection_SetPageType(2, 3, kPePunch, 1);
    c.JSE_PageCollection_SetPageType(5, 12, kPePunch, 1);
    // Over records of its kind the range gains nothing, and they all stay.
    EXPECT_EQ(c.JSE_PageCollection_SetPageType(1, 10, kPePunch, 1), -1);
    EXPECT_EQ(Pages(c), (std::vector<Page>{Paper(232, 1, 1, 1, L"A"), Mirror(237, 1, 2, 3), Mirror(237, 1, 5, 12)}));
    // A paper over the range copies the first record of the kind it meets
    // and takes the pages of those it covers or reaches.
    c.JSE_PageCollection_SetProperty(1, 10, 1, L"P", kPePunch, 1, true);
    const Page wide = Paper(237, 1, 1, 10, L"P", {{237, 1}});
    EXPECT_EQ(Pages(c), (std::vector<Page>{Paper(232, 1, 1, 1, L"A"), wide, Mirror(237, 1, 11, 12)}));
    EXPECT_EQ(c.consolidatePagesInTheRange(1, 10, kPePunch, 1, true), 1);
    EXPECT_EQ(c.consolidatePagesInTheRange(1, 10, kPePunch, 1, false), -1);
    EXPECT_EQ(Pages(c).size(), 3u);
}

TEST(PageSplitTest, PartialRemovalTrimsOrRefusesWholeRecords) {
    JSE_PageCollection c;
    c.JSE_PageCollection_SetPageType(3, 10, kPePunch, 1);
    EXPECT_FALSE(c.removePartialRecord(0, 1, 12));
    EXPECT_EQ(c.JSE_PageCollection_GetLastError(), JSE_PageCollection::kPageIndexOutside);
    EXPECT_TRUE(c.JSE_PageCollection_RemovePagesInTheRange(5, 6, kPePunch));
    EXPECT_EQ(Pages(c), (std::vector<Page>{Mirror(237, 1, 3, 4), Mirror(237, 1, 7, 10)}));
    EXPECT_TRUE(c.removePartialRecord(1, 10, 10));
    EXPECT_TRUE(c.removePartialRecord(0, 3, 3));
    EXPECT_EQ(Pages(c), (std::vector<Page>{Mirror(237, 1, 4, 4), Mirror(237, 1, 7, 9)}));
}

TEST(PageSplitTest, RemovingAFeaturePageByPageCutsOnlyRecordsThatCarryIt) {
    JSE_PageCollection c;
    c.JSE_PageCollection_SetProperty(1, 5, 1, L"A", kPePaperSubstitution, 1, true);
    c.JSE_PageCollection_AddPageFeature(0, kPePaperSubstitution, 1);
    c.JSE_PageCollection_AddPageFeature(0, kPePunch, 1);
    c.JSE_PageCollection_SetPageType(20, 25, kPePunch, 1);
    c.JSE_PageCollection_RemovePageFeature(3, 8, kPePunch);
    EXPECT_EQ(Pages(c), (std::vector<Page>{Paper(232, 1, 1, 2, L"A", {{232, 1}, {237, 1}}),
                                           Paper(232, 1, 3, 3, L"A", {{232, 1}}), Paper(232, 1, 4, 4, L"A", {{232, 1}}),
                                           Paper(232, 1, 5, 5, L"A", {{232, 1}}), Mirror(237, 1, 20, 25)}));
}

TEST(PageSplitTest, AdjacentRecordsWithEqualPaperAndFeaturesMerge) {
    JSE_PageCollection c;
    c.JSE_PageCollection_SetProperty(1, 4, 1, L"A", kPePaperSubstitution, 1, true);
    c.JSE_PageCollection_SetProperty(5, 9, 1, L"A", kPePaperSubstitution, 2, true);
    c.JSE_PageCollection_SetProperty(11, 12, 1, L"A", kPePaperSubstitution, 3, true);
    c.JSE_PageCollection_SetPageType(13, 14, kPePunch, 1);
    c.JSE_PageCollection_SetPageType(15, 16, kPePunch, 1);
    c.checkForDuplicatedFeatures();
    EXPECT_EQ(Pages(c), (std::vector<Page>{Paper(232, 1, 1, 9, L"A"), Paper(232, 3, 11, 12, L"A"),
                                           Mirror(237, 1, 13, 14), Mirror(237, 1, 15, 16)}));
}

// Layout ranges and their mirrors in the page list.
TEST(LayoutTest, SettingAndRemovingRangesKeepsOneMirrorPerLayoutRecord) {
    JSE_PageCollection c;
    c.JSE_PageCollection_SetPageType(1, 10, kPePrintMode, 2);
    EXPECT_EQ(Pages(c), std::vector<Page>{Mirror(235, 2, 1, 10)});

    c.JSE_PageCollection_SetPageType(4, 6, kPePrintMode, 3);
    EXPECT_EQ(Pages(c), (std::vector<Page>{Mirror(235, 2, 1, 3), Mirror(235, 3, 4, 6), Mirror(235, 2, 7, 10)}));

    c.JSE_PageCollection_SetProperty(4, 6, kPeRotation, L"", kPeRotation, 3, true);
    EXPECT_EQ(Pages(c), (std::vector<Page>{Mirror(235, 2, 1, 3), Mirror(235, 3, 4, 6), Mirror(301, 3, 4, 6),
                                           Mirror(235, 2, 7, 10)}));

    c.JSE_PageCollection_SetPageType(11, 15, kPePrintMode, 1);
    c.JSE_PageCollection_RemovePageFeature(5, 12, kPePrintMode, 0);
    EXPECT_EQ(Pages(c), (std::vector<Page>{Mirror(235, 2, 1, 3), Mirror(235, 3, 4, 4), Mirror(301, 3, 4, 6),
                                           Mirror(235, 1, 13, 15)}));
    EXPECT_EQ(c.findLayoutPage(4, 6), 1);

    c.JSE_PageCollection_RemovePageFeature(1, 15, kPePrintMode, 0);
    EXPECT_EQ(Pages(c), std::vector<Page>{Mirror(301, 3, 4, 6)});
}

TEST(LayoutTest, RemovalNeverTouchesAnotherCodeOfTheSameOrNextRange) {
    JSE_PageCollection c;
    c.JSE_PageCollection_SetPageType(1, 10, kPeChapterStart, 1);
    c.JSE_PageCollection_SetPageType(3, 5, kPePrintSide, 2);
    c.JSE_PageCollection_RemovePageFeature(3, 5, kPeChapterStart, 1);
    EXPECT_EQ(Pages(c), (std::vector<Page>{Mirror(300, 1, 1, 2), Mirror(236, 2, 3, 5), Mirror(300, 1, 6, 10)}));

    JSE_PageCollection d;
    d.JSE_PageCollection_SetPageType(1, 10, kPePrintMode, 2);
    d.JSE_PageCollection_SetPageType(8, 12, kPePrintSide, 1);
    d.JSE_PageCollection_RemoveLayoutFeatures(5, 12, kPePrintMode);
    EXPECT_EQ(Pages(d), (std::vector<Page>{Mirror(235, 2, 1, 4), Mirror(236, 1, 8, 12)}));
    d.splitPageLayoutRecord(2, 1, 2);
    EXPECT_EQ(d.JSE_PageCollection_GetLastError(), JSE_PageCollection::kPageIndexOutside);
}

// Records are kept in front of a record that holds them; setting a property
// then sorts the list by first page, inserts before the pages and
// substitutions first, and records of one rank as they stood.
TEST(PageListTest, SettingAPropertySortsThePagesStablyByFirstPageAndKind) {
    const auto key = [](const Page& p) { return std::pair(p.start, p.type == 233 ? 0 : p.type == 232 ? 1 : 2); };
    const auto byKey = [&](const Page& a, const Page& b) { return key(a) < key(b); };
    for (unsigned seed = 1; seed <= 20; ++seed) {
        std::mt19937 random(seed);
        JSE_PageCollection c;
        for (int k = 1; k <= 40; ++k) {
            const long a = 1 + random() % 8, b = a + random() % 8;
            const int kind = std::array{kPePunch, kPePageCopyCount, kPeInsertLike}[random() % 3];
            c.JSE_PageCollection_SetPageType(a, b, kind, k);
            if (random() % 4) continue;
            std::vector<Page> before = Pages(c);
            c.JSE_PageCollection_SetProperty(a, a, kPeInsertBefore, L"Tab", kPeInsertBefore, k, true);
            std::vector<Page> after = Pages(c);
            std::erase_if(after, [k](const Page& p) { return p.type == kPeInsertBefore && p.value == k; });
            std::stable_sort(before.begin(), before.end(), byKey);
            EXPECT_EQ(after, before) << "seed " << seed << " step " << k;
        }
    }
}

// Arranged records stand as given; those out of the sort order there are
// moved by the next sort as if an edit had put them there.
TEST(PageListTest, ArrangingPutsTheRecordsInTheGivenOrderUntilTheNextSort) {
    JSE_PageCollection c;
    for (const long page : {3L, 5L, 7L}) c.JSE_PageCollection_SetPageType(page, page, kPePunch, static_cast<int>(page));
    const std::vector<Page> sorted = Pages(c);
    for (const std::vector<long>& notAnOrder : {std::vector<long>{0, 0, 1}, {0, 1}, {0, 1, 3}})
        EXPECT_FALSE(c.JSE_PageCollection_ArrangePages(notAnOrder));
    EXPECT_EQ(Pages(c), sorted);
    ASSERT_TRUE(c.JSE_PageCollection_ArrangePages({2, 0, 1}));
    EXPECT_EQ(Pages(c), (std::vector<Page>{sorted[2], sorted[0], sorted[1]}));
    c.JSE_PageCollection_SetProperty(9, 9, kPeInsertBefore, L"Tab", kPeInsertBefore, 1, true);
    const std::vector<Page> after = Pages(c);
    EXPECT_EQ(std::vector<Page>(after.begin(), after.begin() + 3), sorted);
}

// A layout range's mirror is no entry of its pages for RemovePages; erased
// by its index it takes its layout range with it, for good.
TEST(LayoutTest, RemovingPagesNeverTakesAMirrorAndAMirrorGoesWithItsRange) {
    JSE_PageCollection c;
    c.JSE_PageCollection_SetPageType(1, 10, kPeRotation, 3);
    c.JSE_PageCollection_SetProperty(1, 10, 1, L"X", kPePaperSubstitution, 0, true);
    EXPECT_TRUE(c.JSE_PageCollection_RemovePages(1, 10));
    EXPECT_FALSE(c.JSE_PageCollection_RemovePages(1, 10));
    EXPECT_EQ(c.findPageHolding(4, 5), -1);
    c.JSE_PageCollection_SetPageType(20, 20, kPePrintMode, 2);
    EXPECT_EQ(Pages(c), (std::vector<Page>{Mirror(301, 3, 1, 10), Mirror(235, 2, 20, 20)}));
    EXPECT_TRUE(c.JSE_PageCollection_RemovePageAt(0, 0));
    c.JSE_PageCollection_SetPageType(20, 20, kPePrintMode, 3);
    EXPECT_EQ(Pages(c), std::vector<Page>{Mirror(235, 3, 20, 20)});
}

TEST(PageListTest, RemoveAllPagesEmptiesEveryList) {
    JSE_PageCollection c;
    c.JSE_PageCollection_SetPageType(1, 10, kPePrintMode, 2);
    c.JSE_PageCollection_SetPageType(1, 10, kPePunch, 2);
    c.JSE_PageCollection_SetImageFeature(1, 3, kPeImageShift, 1, false, 1, 1, 2, 3, 4);
    c.JSE_PageCollection_RemoveAllPages();
    EXPECT_EQ(c.JSE_PageCollection_GetSize(), 0);
    EXPECT_EQ(c.JSE_PageCollection_GetPageImageSize(), 0);
    EXPECT_EQ(c.findLayoutPage(1, 10), -1);
}

}  // namespace

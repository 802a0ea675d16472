// Image ranges of the page collection: setting, splitting, merging, removing
// and reading image shifts.
#include <gtest/gtest.h>

#include <ostream>
#include <tuple>
#include <vector>

#include "JSE_PageCollection.h"

namespace {

struct Shift {
    long start = 0;
    long end = 0;
    int unit = 0;
    float x1 = 0;
    bool operator==(const Shift&) const = default;
};

void PrintTo(const Shift& shift, std::ostream* out) {
    *out << "{" << shift.start << ".." << shift.end << " unit " << shift.unit << " x1 " << shift.x1 << "}";
}

// Each record with the unit and first value of its one feature.
std::vector<Shift> Shifts(const JSE_PageCollection& collection) {
    std::vector<Shift> shifts;
    for (long i = 0; i < collection.JSE_PageCollection_GetPageImageSize(); ++i) {
        EXPECT_EQ(collection.JSE_PageCollection_GetImageFeatureSize(i), 1);
        int start = 0, end = 0, type = 0, typeValue = 0, orientation = 0;
        Shift shift;
        bool mirror = false;
        float y1 = 0, x2 = 0, y2 = 0;
        collection.JSE_PageCollection_GetImagePageNumber(i, start, end);
        collection.JSE_PageCollection_GetImageFeature(i, 0, type, typeValue, shift.unit, mirror, orientation, shift.x1,
                                                      y1, x2, y2);
        EXPECT_EQ(type, kPeImageShift);
        EXPECT_EQ(typeValue, kPeNotSet);
        shift.start = start;
        shift.end = end;
        shifts.push_back(shift);
    }
    return shifts;
}

void SetShift(JSE_PageCollection& collection, long start, long end, int unit, float x1) {
    collection.JSE_PageCollection_SetImageFeature(start, end, kPeImageShift, unit, false, 1, x1, 2, 3, 4);
}

// Every output of the feature getter, each starting at 9 (mirror false).
std::tuple<int, int, int, bool, int, float, float, float, float> ReadFeature(const JSE_PageCollection& c, long i,
                                                                            long j) {
    std::tuple<int, int, int, bool, int, float, float, float, float> out{9, 9, 9, false, 9, 9, 9, 9, 9};
    auto& [type, typeValue, unit, mirror, orientation, x1, y1, x2, y2] = out;
    c.JSE_PageCollection_GetImageFeature(i, j, type, typeValue, unit, mirror, orientation, x1, y1, x2, y2);
    return out;
}

TEST(PageImageTest, ShiftOnTheSameRangeChangesItInPlace) {
    JSE_PageCollection c;
    SetShift(c, 1, 10, 1, 5);
    SetShift(c, 1, 10, 2, 6);
    EXPECT_EQ(Shifts(c), (std::vector<Shift>{Shift{1, 10, 2, 6}}));
    c.JSE_PageCollection_SetImageFeature(1, 10, kPeRotation, 3, false, 1, 9, 9, 9, 9);
    EXPECT_EQ(Shifts(c), (std::vector<Shift>{Shift{1, 10, 2, 6}}));
}

TEST(PageImageTest, ShiftInsideOrOverARangeCutsTheOldRecords) {
    JSE_PageCollection c;
    SetShift(c, 1, 10, 1, 5);
    SetShift(c, 4, 6, 2, 6);
    EXPECT_EQ(Shifts(c), (std::vector<Shift>{{1, 3, 1, 5}, {4, 6, 2, 6}, {7, 10, 1, 5}}));

    JSE_PageCollection front;
    SetShift(front, 5, 10, 1, 5);
    SetShift(front, 3, 7, 2, 6);
    EXPECT_EQ(Shifts(front), (std::vector<Shift>{{3, 7, 2, 6}, {8, 10, 1, 5}}));

    JSE_PageCollection back;
    SetShift(back, 1, 10, 1, 5);
    SetShift(back, 11, 15, 3, 7);
    SetShift(back, 8, 12, 2, 6);
    EXPECT_EQ(Shifts(back), (std::vector<Shift>{{1, 7, 1, 5}, {8, 12, 2, 6}, {13, 15, 3, 7}}));
}

TEST(PageImageTest, ShiftOverWholeRecordsReplacesThemAndLeavesNoOverlap) {
    JSE_PageCollection c;
    SetShift(c, 3, 4, 1, 1);
    SetShift(c, 6, 7, 1, 2);
    SetShift(c, 9, 9, 1, 3);
    SetShift(c, 10, 12, 1, 4);
    SetShift(c, 1, 10, 2, 6);
    EXPECT_EQ(Shifts(c), (std::vector<Shift>{{1, 10, 2, 6}, {11, 12, 1, 4}}));
    SetShift(c, 11, 20, 3, 7);
    EXPECT_EQ(Shifts(c), (std::vector<Shift>{{1, 10, 2, 6}, {11, 20, 3, 7}}));
    SetShift(c, 5, 25, 4, 8);
    EXPECT_EQ(Shifts(c), (std::vector<Shift>{{1, 4, 2, 6}, {5, 25, 4, 8}}));
}

TEST(PageImageTest, EqualNeighboursMerge) {
    JSE_PageCollection c;
    SetShift(c, 4, 6, 1, 5);
    SetShift(c, 1, 3, 1, 5);
    EXPECT_EQ(Shifts(c), (std::vector<Shift>{Shift{1, 6, 1, 5}}));

    JSE_PageCollection three;
    SetShift(three, 1, 3, 1, 5);
    SetShift(three, 4, 6, 2, 5);
    SetShift(three, 7, 9, 1, 5);
    SetShift(three, 4, 6, 1, 5);
    EXPECT_EQ(Shifts(three), (std::vector<Shift>{Shift{1, 9, 1, 5}}));
}

TEST(PageImageTest, RemovingPartOfARange) {
    JSE_PageCollection c;
    SetShift(c, 1, 10, 1, 5);
    EXPECT_FALSE(c.removePartialImageRecord(0, 1, 12));
    EXPECT_EQ(c.JSE_PageCollection_GetLastError(), JSE_PageCollection::kPageIndexOutside);
    EXPECT_FALSE(c.removePartialImageRecord(1, 2, 3));
    EXPECT_TRUE(c.JSE_PageCollection_RemovePages(4, 6));
    EXPECT_EQ(Shifts(c), (std::vector<Shift>{{1, 3, 1, 5}, {7, 10, 1, 5}}));
    EXPECT_TRUE(c.removePartialImageRecord(0, 1, 1));
    EXPECT_TRUE(c.removePartialImageRecord(1, 10, 10));
    EXPECT_EQ(Shifts(c), (std::vector<Shift>{{2, 3, 1, 5}, {7, 9, 1, 5}}));
    c.JSE_PageCollection_RemoveImageAlignPagesInTheRange(8, 8, 0);
    EXPECT_EQ(Shifts(c), (std::vector<Shift>{Shift{2, 3, 1, 5}}));
    EXPECT_TRUE(c.JSE_PageCollection_RemovePages(2, 3));
    EXPECT_EQ(c.JSE_PageCollection_GetPageImageSize(), 0);
}

TEST(PageImageTest, RemovalsByContainingAndContainedRange) {
    JSE_PageCollection c;
    SetShift(c, 1, 4, 1, 5);
    SetShift(c, 5, 8, 2, 6);
    SetShift(c, 9, 12, 3, 7);
    c.JSE_PageCollection_SetPageType(5, 8, kPePunch, 1);
    c.JSE_PageCollection_RemoveImageAlignOnPages(6, 7);
    EXPECT_EQ(Shifts(c), (std::vector<Shift>{{1, 4, 1, 5}, {9, 12, 3, 7}}));
    c.JSE_PageCollection_RemovePageFeature(1, 12, kPeImageRemoval, 0);
    EXPECT_EQ(Shifts(c), (std::vector<Shift>{Shift{1, 4, 1, 5}}));
    EXPECT_EQ(c.JSE_PageCollection_GetSize(), 1);
    c.JSE_PageCollection_RemoveAllImageFeature();
    EXPECT_EQ(c.JSE_PageCollection_GetPageImageSize(), 0);
}

TEST(PageImageTest, GettersFindExactRangesAndFallBackOutsideTheList) {
    JSE_PageCollection c;
    SetShift(c, 1, 3, 1, 5);
    SetShift(c, 5, 9, 2, 6);
    EXPECT_EQ(c.JSE_PageCollection_GetImageFeatureIndex(5, 9), 1);
    EXPECT_EQ(c.JSE_PageCollection_GetImageFeatureIndex(5, 8), -1);
    EXPECT_EQ(c.JSE_PageCollection_GetImageFeatureIndex(2, 3), -1);

    for (long i : {-1L, 2L}) {
        int start = 0, end = 0;
        c.JSE_PageCollection_GetImagePageNumber(i, start, end);
        EXPECT_EQ(std::make_pair(start, end), std::make_pair(-1, -1));
        EXPECT_EQ(c.JSE_PageCollection_GetImageFeatureSize(i), 0);
        EXPECT_EQ(ReadFeature(c, i, 0), std::make_tuple(0, 9, 0, true, 1, 0.0f, 0.0f, 0.0f, 0.0f));
    }
    EXPECT_EQ(ReadFeature(c, 0, 1), std::make_tuple(9, 9, 9, false, 9, 9.0f, 9.0f, 9.0f, 9.0f));
    EXPECT_EQ(ReadFeature(c, 1, 0), std::make_tuple(302, 255, 2, false, 1, 6.0f, 2.0f, 3.0f, 4.0f));
}

}  // namespace

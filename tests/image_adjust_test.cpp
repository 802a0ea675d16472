// Placement of image shifts and edge-erase margins on the printer's sides.
#include <gtest/gtest.h>

#include <utility>

#include "ImageAdjust.h"

namespace {

constexpr int kSmall[2] = {612, 792};
constexpr int kLarge[2] = {1224, 792};

struct Row {
    bool front, portrait, flipShort, small;
    int switchType;
};

// The printer's rotation for every side, orientation, flip and paper size.
constexpr Row kRows[16] = {
    {1, 1, 0, 1, 0}, {0, 1, 0, 1, 0}, {1, 0, 0, 1, 3}, {0, 0, 0, 1, 3}, {1, 1, 1, 1, 0}, {0, 1, 1, 1, 2},
    {1, 0, 1, 1, 3}, {0, 0, 1, 1, 1}, {1, 1, 0, 0, 1}, {0, 1, 0, 0, 3}, {1, 0, 0, 0, 0}, {0, 0, 0, 0, 2},
    {1, 1, 1, 0, 1}, {0, 1, 1, 0, 1}, {1, 0, 1, 0, 0}, {0, 0, 1, 0, 0},
};

AlignCalc Side(bool front, bool portrait, bool flipShort, int width, int height) {
    AlignCalc side(front);
    side.ResetValues();
    side.SetPortrait(portrait);
    side.SetPrintModeFlipShort(flipShort);
    side.SetPaperPoints(width, height);
    return side;
}

TEST(ImageAdjustTest, EveryRowOfTheTableGivesItsSwitchType) {
    for (const Row& row : kRows) {
        const int* paper = row.small ? kSmall : kLarge;
        const AlignCalc side = Side(row.front, row.portrait, row.flipShort, paper[0], paper[1]);
        EXPECT_EQ(side.GetSwitchType(), row.switchType)
            << row.front << row.portrait << row.flipShort << row.small;
    }
}

TEST(ImageAdjustTest, PaperUpTo1008PointsEachWayIsSmall) {
    EXPECT_EQ(Side(true, true, false, 1008, 1008).GetSwitchType(), 0);
    EXPECT_EQ(Side(true, true, false, 1009, 700).GetSwitchType(), 1);
    EXPECT_EQ(Side(true, true, false, 700, 1009).GetSwitchType(), 1);
}

TEST(ImageAdjustTest, ShiftIsTurnedAndNegatedBySwitchType) {
    // Sides with switch types 0..3, and the four slots (left, top, right,
    // bottom) after a shift of (10, 20): x on left and right, y on top and
    // bottom, turned by the switch type; horizontal values negated at 1 and
    // 2, vertical ones at 2 and 3.
    AlignCalc sides[4] = {Side(true, true, false, 612, 792), Side(true, true, false, 1224, 792),
                          Side(false, true, true, 612, 792), Side(true, false, false, 612, 792)};
    const double slots[4][4] = {{10, 20, 10, 20}, {20, -10, 20, -10}, {-10, -20, -10, -20}, {-20, 10, -20, 10}};
    for (int k = 0; k < 4; ++k) {
        ASSERT_EQ(sides[k].GetSwitchType(), k);
        sides[k].SetXValue(10);
        sides[k].SetYValue(20);
        EXPECT_EQ(sides[k].GetLeftValue(), slots[k][0]) << k;
        EXPECT_EQ(sides[k].GetTopValue(), slots[k][1]) << k;
        EXPECT_EQ(sides[k].GetRightValue(), slots[k][2]) << k;
        EXPECT_EQ(sides[k].GetBottomValue(), slots[k][3]) << k;
        EXPECT_EQ(std::make_pair(sides[k].GetX(), sides[k].GetY()), std::make_pair(slots[k][0], slots[k][1]));
    }

    ImageAlign align;
    align.ResetValues();
    align.SetPortrait(true);
    align.SetPrintModeFlipShort(true);
    align.SetPaperPoints(612, 792);
    align.SetFrontX(10);
    align.SetFrontY(20);
    align.SetBackX(10);
    align.SetBackY(20);
    EXPECT_EQ(std::make_pair(align.GetFrontX(), align.GetFrontY()), std::make_pair(10.0, 20.0));
    EXPECT_EQ(std::make_pair(align.GetBackX(), align.GetBackY()), std::make_pair(-10.0, -20.0));
}

TEST(ImageAdjustTest, EdgeEraseOnTheBackWithShortEdgeFlipTurnsWithoutNegating) {
    EdgeErase erase;
    erase.ResetValues();
    erase.MirrorSide1(true);
    erase.SetPortrait(true);
    erase.SetPrintModeFlipShort(true);
    erase.SetPaperPoints(612, 792);
    erase.SetBackLeft(5);
    erase.SetBackTop(6);
    erase.SetBackRight(7);
    erase.SetBackBottom(8);
    erase.SetFrontLeft(1);
    EXPECT_EQ(erase.GetBackRight(), 5);
    EXPECT_EQ(erase.GetBackBottom(), 6);
    EXPECT_EQ(erase.GetBackLeft(), 7);
    EXPECT_EQ(erase.GetBackTop(), 8);
    EXPECT_EQ(erase.GetFrontLeft(), 1);
    EXPECT_EQ(erase.GetFrontRight(), 0);
    erase.ResetValues();
    EXPECT_EQ(erase.GetBackRight(), 0);
    EXPECT_EQ(erase.GetFrontLeft(), 0);
}

}  // namespace

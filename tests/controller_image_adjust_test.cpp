// Image alignment and edge erase through the bridge: values typed in inches
// or millimetres, kept in both units, mirrored from side 1, and placed in
// points for the printer by orientation, duplex flip and body paper.
#include <gtest/gtest.h>

#include <cmath>

#include "controller_support.h"

namespace {

using namespace controller_test;

std::string Points(std::initializer_list<float> values) {
    std::string text;
    for (float v : values) text += (text.empty() ? "" : " ") + platform::Format("%.3f", v);
    return text;
}

// The job a case is placed for: application and placement orientations,
// print mode and body paper.
struct Job {
    int orientation = 1, placement = 1, printMode = 1;
    const char* paper = "Letter";
    void apply(Bridge& bridge) const {
        bridge.SetJobTicketInfoFromApplication("Untitled", 1, orientation);
        bridge.SetJobFeature(kFeaturePrintingMode, printMode, {}, 0);
        bridge.SetJobFeature(kFeatureBodyPaper, 0, paper, 0);
    }
};

TEST(ImageAlignment, TypedShiftsArePlacedInPointsForThePrinter) {
    const struct {
        const char* name;
        Job job;
        bool on, mirror;
        int unit;
        float fx, fy, bx, by;
        const char* placed;  // front X, Y, back X, Y in points
    } cases[] = {
        {"inches mirrored, portrait", {}, true, true, 0, 0.25f, 0.1f, 9, 9, "18.000 7.200 -18.000 7.200"},
        {"flipped on the short edge", {1, 1, 3}, true, true, 0, 0.25f, 0.1f, 9, 9, "18.000 7.200 18.000 -7.200"},
        {"large paper", {1, 1, 1, "Tabloid"}, true, true, 0, 0.25f, 0.1f, 9, 9, "7.200 -18.000 -7.200 -18.000"},
        {"millimetres", {}, true, false, 1, 5, -3, 2, 0, "14.173 -8.504 5.669 0.000"},
        {"landscape job mirrors Y", {2}, true, true, 0, 0.25f, 0.1f, 9, 9, "18.000 7.200 18.000 -7.200"},
        {"landscape placement", {1, 2}, true, false, 0, -0.25f, 0.1f, 0.25f, 0.05f, "-7.200 -18.000 -3.600 18.000"},
        {"off", {}, false, true, 0, 0.25f, 0.1f, 9, 9, "0.000 0.000 0.000 0.000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Bridge bridge;
        c.job.apply(bridge.start());
        bridge.SetImageAlign(c.on, c.mirror, c.unit, c.job.placement, c.fx, c.fy, c.bx, c.by);
        bridge.ImageAlignUpdate();
        JSE_JobFeatureType stored;
        bridge.engine()->JSE_Preference_GetJobFeature(stored);
        EXPECT_EQ(Points({stored.imageAlignFrontX, stored.imageAlignFrontY, stored.imageAlignBackX, stored.imageAlignBackY}),
                  c.placed);
        EXPECT_EQ(stored.imageAlignPaperOrientation, c.on ? c.job.placement : 1);
    }
}

TEST(EdgeErase, TypedMarginsArePermutedForThePrinterAndNeverNegated) {
    const zqController::EdgeMargins typed{{5, 3, 0, 2}, {9, 9, 9, 9}};  // top, left, bottom, right in mm
    for (const auto& [paper, placed] :
         {std::pair{"Letter", "14.173 8.504 0.000 5.669 14.173 8.504 0.000 5.669"},
          {"Tabloid", "8.504 0.000 5.669 14.173 5.669 14.173 8.504 0.000"}}) {
        SCOPED_TRACE(paper);
        Bridge bridge;
        Job{1, 1, 1, paper}.apply(bridge.start());
        bridge.SetEdgeErase(true, true, 1, 1, typed);
        bridge.EdgeEraseUpdate();
        const JSE_JobFeatureType& r = bridge.workingRecord();
        EXPECT_EQ(Points({r.frontEraseTopSide, r.frontEraseLeftSide, r.frontEraseBottomSide, r.frontEraseRightSide,
                          r.backEraseTopSide, r.backEraseLeftSide, r.backEraseBottomSide, r.backEraseRightSide}),
                  placed);
        EXPECT_EQ(bridge.GetCurrentEdgeEraseUnit(), 1);
        EXPECT_DOUBLE_EQ(bridge.GetEdgeEraseMirrorValues(0).top, 5 / 25.4);
    }
}

TEST(ImageAlignment, UnitsConvertAsThePaneShowsThem) {
    for (const auto& [inches, mm] : {std::pair{0.0, 0.0}, {0.5, 12.7}, {-0.3f, -7.62}, {0.01f, 0.0}, {1e300, 1e302 * 0.254}}) {
        SCOPED_TRACE(inches);
        EXPECT_DOUBLE_EQ(zqController::inchToMM(inches), mm);
    }
    EXPECT_FALSE(std::signbit(zqController::mmToInch(-0.0)));
    EXPECT_DOUBLE_EQ(zqController::mmToInch(25.4), 1);
    // Kept in both units, with side 1 mirrored (X negated, 0 stays +0).
    Bridge bridge;
    bridge.start().SetImageAlign(true, true, 0, 1, 0.25f, -0.3f, 0, 0);
    const zqController::ImageShift mm = bridge.GetCurrentImageAlignValues(1);
    EXPECT_EQ(Points({float(mm.front.x), float(mm.front.y)}), "6.350 -7.620");
    EXPECT_EQ(Points({float(bridge.GetImageAlignMirrorValues(1).x), float(bridge.GetImageAlignMirrorValues(0).y)}),
              "-6.350 -0.300");
    float x = 0, y = 1;
    bridge.ComputeImageAlignMirrorValues(x, y);
    EXPECT_FALSE(std::signbit(x));
    EXPECT_EQ(bridge.getPaperSize("A4") + "|" + bridge.getPaperSize("Nope"), "210.00x297.00mm|");
}

}  // namespace

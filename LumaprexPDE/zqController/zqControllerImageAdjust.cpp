// Image alignment and edge erase as the image pane sets them: the values the
// user typed, kept in inches and millimetres for the life of the bridge and
// written as typed into the working record; and, before each ticket, the
// same values in points, placed by the engine's image-adjustment objects for
// the job's orientation, duplex flip and body paper, written back into the
// record for the ticket to print. Also the pane's other setters and the
// body paper's size text.
#include <cmath>

#include "FoundationValues.h"
#include "zqController.h"

namespace {

constexpr int kInch = 0;
constexpr int kLandscapeShift = 2;  // a page range's shift mirrored across the long axis

// A mirrored or negated zero stays +0.0, so that no ticket shows "-0".
double Negated(double value) { return value == 0 ? 0.0 : -value; }

zqController::Margins Converted(const zqController::Margins& m, double (*convert)(double)) {
    return {convert(m.top), convert(m.left), convert(m.bottom), convert(m.right)};
}

zqController::EdgeMargins Converted(const zqController::EdgeMargins& m, double (*convert)(double)) {
    return {Converted(m.front, convert), Converted(m.back, convert)};
}

zqController::ImageShift Converted(const zqController::ImageShift& s, double (*convert)(double)) {
    return {{convert(s.front.x), convert(s.front.y)}, {convert(s.back.x), convert(s.back.y)}};
}

// The eight erase fields of the record.
void WriteErase(JSE_JobFeatureType& r, const zqController::EdgeMargins& m) {
    r.frontEraseTopSide = static_cast<float>(m.front.top);
    r.frontEraseLeftSide = static_cast<float>(m.front.left);
    r.frontEraseBottomSide = static_cast<float>(m.front.bottom);
    r.frontEraseRightSide = static_cast<float>(m.front.right);
    r.backEraseTopSide = static_cast<float>(m.back.top);
    r.backEraseLeftSide = static_cast<float>(m.back.left);
    r.backEraseBottomSide = static_cast<float>(m.back.bottom);
    r.backEraseRightSide = static_cast<float>(m.back.right);
}

// The other unit of a value typed in unit.
double (*OtherUnit(int unit))(double) { return unit == kInch ? zqController::inchToMM : zqController::mmToInch; }

// The value in points of a value in unit.
double (*ToPoints(int unit))(double) { return unit == kInch ? zqController::InchToPoint : zqController::mmToPoint; }

}  // namespace

double zqController::mmToInch(double millimetres) { return millimetres == 0 ? 0 : millimetres / 25.4; }

// Cut to whole hundredths toward zero, as the pane shows inches; a value
// beyond any paper does not overflow.
double zqController::inchToMM(double inches) { return inches == 0 ? 0 : std::trunc(inches * 100) * 0.254; }

// ---------------------------------------------------------------------------
// Image alignment

void zqController::SetImageAlign(bool on, bool mirror, int unit, int orientation, float frontX, float frontY,
                                 float backX, float backY) {
    SetCurrentImageAlignUnit(unit);
    const ImageShift typed{{frontX, frontY}, {backX, backY}};
    ImageAlignValues& v = m_imageAlignValues;
    (unit == kInch ? v.inch : v.mm) = typed;
    (unit == kInch ? v.mm : v.inch) = Converted(typed, OtherUnit(unit));
    if (mirror) {
        float x = frontX, y = frontY;
        ComputeImageAlignMirrorValues(x, y);
        SetImageAlignMirrorSide1Value(unit, x, y);
    }
    JSE_JobFeatureType& r = mJobFeature;
    r.imageAlign = on;
    r.imageAlignMirrorSide1 = on && mirror;
    r.imageAlignPaperOrientation = on ? orientation : 1;
    r.imageAlignFrontX = on ? frontX : 0.0f;
    r.imageAlignFrontY = on ? frontY : 0.0f;
    r.imageAlignBackX = on ? backX : 0.0f;
    r.imageAlignBackY = on ? backY : 0.0f;
    storeRecord();
}

zqController::ImageShift zqController::GetCurrentImageAlignValues(int unit) const {
    return unit == kInch ? m_imageAlignValues.inch : m_imageAlignValues.mm;
}

zqController::SideShift zqController::GetImageAlignMirrorValues(int unit) const {
    return unit == kInch ? m_imageAlignValues.mirrorInch : m_imageAlignValues.mirrorMm;
}

void zqController::ComputeImageAlignMirrorValues(float& x, float& y) const {
    if (GetJobOrientation() == 1) x = static_cast<float>(Negated(x));
    else y = static_cast<float>(Negated(y));
}

void zqController::MirrorPageShift(int orientation, float& x, float& y) {
    float& across = orientation == kLandscapeShift ? y : x;
    across = static_cast<float>(Negated(across));
}

double zqController::PlusZeroAtTwoDecimals(double value) {
    return platform::ReadDouble(platform::FormatDecimal(value)) == 0 ? 0.0 : value;
}

double zqController::AtTwoDecimals(double value) {
    const auto single = static_cast<float>(value);
    if (!std::isfinite(single)) return single;
    return PlusZeroAtTwoDecimals(platform::ReadDouble(platform::FormatDecimal(single)));
}

void zqController::SetImageAlignMirrorSide1Value(int unit, float x, float y) {
    const SideShift typed{x, y};
    const SideShift other{OtherUnit(unit)(x), OtherUnit(unit)(y)};
    m_imageAlignValues.mirrorInch = unit == kInch ? typed : other;
    m_imageAlignValues.mirrorMm = unit == kInch ? other : typed;
}

template <class Placement>
void zqController::preparePlacement(Placement& placement, bool mirror, int orientation) {
    int width = 612, height = 792;
    GetBodyPaperSize(width, height);
    placement.ResetValues();
    placement.MirrorSide1(mirror);
    placement.SetPortrait(orientation == 1);
    placement.SetPrintModeFlipShort(GetPrintingMode() == 3);
    placement.SetPaperPoints(width, height);
}

void zqController::ConvertImageAlignValues(const ImageShift& points) {
    if (!m_imageAlign) return;
    preparePlacement(*m_imageAlign, mJobFeature.imageAlignMirrorSide1, mJobFeature.imageAlignPaperOrientation);
    m_imageAlign->SetFrontX(points.front.x);
    m_imageAlign->SetFrontY(points.front.y);
    m_imageAlign->SetBackX(points.back.x);
    m_imageAlign->SetBackY(points.back.y);
}

void zqController::GetImageAlignValues(ImageShift& placed) const {
    if (!m_imageAlign) return;
    // A zero the placement turned over (-0) reads as 0 too, so that no ticket
    // shows "-0.00".
    const auto snapped = [](double v) { return v > -0.01 && v <= 0 ? 0.0 : v; };
    placed = {{snapped(m_imageAlign->GetFrontX()), snapped(m_imageAlign->GetFrontY())},
              {snapped(m_imageAlign->GetBackX()), snapped(m_imageAlign->GetBackY())}};
}

// Every push starts from the values as typed, so repeated tickets agree.
void zqController::ImageAlignUpdate() {
    if (!mJobFeature.imageAlign) return;
    const int unit = GetCurrentImageAlignUnit();
    ImageShift typed = GetCurrentImageAlignValues(unit);
    if (mJobFeature.imageAlignMirrorSide1) typed.back = GetImageAlignMirrorValues(unit);
    ConvertImageAlignValues(Converted(typed, ToPoints(unit)));
    ImageShift placed;
    GetImageAlignValues(placed);
    mJobFeature.imageAlignFrontX = static_cast<float>(placed.front.x);
    mJobFeature.imageAlignFrontY = static_cast<float>(placed.front.y);
    mJobFeature.imageAlignBackX = static_cast<float>(placed.back.x);
    mJobFeature.imageAlignBackY = static_cast<float>(placed.back.y);
    storeRecord();
}

// ---------------------------------------------------------------------------
// Edge erase

void zqController::SetEdgeErase(bool on, bool mirror, int unit, int orientation, const EdgeMargins& margins) {
    SetEdgeEraseValues(unit, margins, mirror);
    mJobFeature.edgeErase = on;
    mJobFeature.edgeEraseMirrorSide1 = on && mirror;
    mJobFeature.edgeErasePaperOrientation = on ? orientation : 1;
    WriteErase(mJobFeature, on ? margins : EdgeMargins());
    storeRecord();
}

void zqController::SetEdgeEraseValues(int unit, const EdgeMargins& margins, bool mirror) {
    SetCurrentEdgeEraseUnit(unit);
    EdgeEraseValues& v = m_edgeEraseValues;
    (unit == kInch ? v.inch : v.mm) = margins;
    (unit == kInch ? v.mm : v.inch) = Converted(margins, OtherUnit(unit));
    if (!mirror) return;
    Margins side2 = margins.front;
    ComputeEdgeEraseMirrorValues(side2);
    SetEdgeEraseMirrorSide1Value(unit, side2);
}

zqController::EdgeMargins zqController::GetCurrentEdgeEraseValues(int unit) const {
    return unit == kInch ? m_edgeEraseValues.inch : m_edgeEraseValues.mm;
}

void zqController::ComputeEdgeEraseMirrorValues(Margins& margins) const {
    for (double* edge : {&margins.top, &margins.left, &margins.bottom, &margins.right})
        if (*edge == 0) *edge = 0.0;
}

void zqController::SetEdgeEraseMirrorSide1Value(int unit, const Margins& margins) {
    const Margins other = Converted(margins, OtherUnit(unit));
    m_edgeEraseValues.mirrorInch = unit == kInch ? margins : other;
    m_edgeEraseValues.mirrorMm = unit == kInch ? other : margins;
}

zqController::Margins zqController::GetEdgeEraseMirrorValues(int unit) const {
    return unit == kInch ? m_edgeEraseValues.mirrorInch : m_edgeEraseValues.mirrorMm;
}

void zqController::ConvertEdgeEraseValues(const EdgeMargins& points) {
    if (!m_edgeErase) return;
    preparePlacement(*m_edgeErase, mJobFeature.edgeEraseMirrorSide1, mJobFeature.edgeErasePaperOrientation);
    m_edgeErase->SetFrontTop(points.front.top);
    m_edgeErase->SetFrontLeft(points.front.left);
    m_edgeErase->SetFrontBottom(points.front.bottom);
    m_edgeErase->SetFrontRight(points.front.right);
    m_edgeErase->SetBackTop(points.back.top);
    m_edgeErase->SetBackLeft(points.back.left);
    m_edgeErase->SetBackBottom(points.back.bottom);
    m_edgeErase->SetBackRight(points.back.right);
}

void zqController::GetEdgeEraseValues(EdgeMargins& placed) const {
    if (!m_edgeErase) return;
    const EdgeErase& e = *m_edgeErase;
    placed = {{e.GetFrontTop(), e.GetFrontLeft(), e.GetFrontBottom(), e.GetFrontRight()},
              {e.GetBackTop(), e.GetBackLeft(), e.GetBackBottom(), e.GetBackRight()}};
}

void zqController::EdgeEraseUpdate() {
    if (!mJobFeature.edgeErase) return;
    const int unit = GetCurrentEdgeEraseUnit();
    EdgeMargins typed = GetCurrentEdgeEraseValues(unit);
    if (mJobFeature.edgeEraseMirrorSide1) typed.back = GetEdgeEraseMirrorValues(unit);
    ConvertEdgeEraseValues(Converted(typed, ToPoints(unit)));
    EdgeMargins placed;
    GetEdgeEraseValues(placed);
    WriteErase(mJobFeature, placed);
    storeRecord();
}

// ---------------------------------------------------------------------------
// The pane's other settings

void zqController::SetFinishOrientation(int orientation) {
    mJobFeature.finishOrientation = orientation;
    storeRecord();
}

void zqController::SetGRET(int on) {
    mJobFeature.engineGRET = on == 1;
    storeRecord();
}

void zqController::SetHalfToneAngle(int degrees) {
    mJobFeature.halftoneAngle = degrees;
    storeRecord();
}

void zqController::SetHalfToneFrequency(int linesPerInch) {
    mJobFeature.halftoneFrequency = linesPerInch;
    storeRecord();
}

void zqController::storeRecord() {
    if (m_service) m_service->JSE_Preference_SetJobFeature(mJobFeature);
}

std::string zqController::getPaperSize(std::string_view paperName) const {
    for (const auto& [key, row] : m_paperCatalogDict)
        if (row["Name"].text() == paperName) return row["Size"].text();
    return "";
}

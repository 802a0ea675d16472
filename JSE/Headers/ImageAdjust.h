// Image alignment and edge erase of one sheet's two sides. The values a user
// enters for the left, top, right and bottom of a side are stored in the
// printer's physical slots, turned by a rotation code (the switch type) that
// depends on the side, the page orientation, a short-edge duplex flip and
// whether the paper is small (both edges at most 1008 points). Image shifts
// are also negated for some rotations; edge-erase margins never are.
#pragma once

#include <cstdint>

// One row of the switch-type table.
struct eaLookupTableEntry {
    bool front;
    bool portrait;
    bool flipShort;
    bool small;
    std::int32_t switchType;

    bool Matches(bool isFront, bool isPortrait, bool isFlipShort, bool isSmall) const {
        return front == isFront && portrait == isPortrait && flipShort == isFlipShort && small == isSmall;
    }
};

// One side's adjustment: four values in physical order.
class ImageAdjustData {
public:
    static constexpr std::int32_t kSmallPaperLimit = 1008;  // points
    static const eaLookupTableEntry m_aLookups[16];

    ImageAdjustData(bool front, bool noNegate) : front(front), noNegate(noNegate) {}

    void ResetValues();
    // The layout is set before the values; values already stored stay in
    // their slots.
    void SetPortrait(bool isPortrait) { portrait = isPortrait; }
    void SetPrintModeFlipShort(bool isFlipShort) { flipShort = isFlipShort; }
    void SetPaperPoints(int width, int height) {
        paperWidth = width;
        paperHeight = height;
    }

    void SetLeftValue(double value) { Store(0, value); }
    void SetTopValue(double value) { Store(1, value); }
    void SetRightValue(double value) { Store(2, value); }
    void SetBottomValue(double value) { Store(3, value); }

    double GetLeftValue() const { return slots[0]; }
    double GetTopValue() const { return slots[1]; }
    double GetRightValue() const { return slots[2]; }
    double GetBottomValue() const { return slots[3]; }

    int GetSwitchType() const;

private:
    // Logical side 0 left, 1 top, 2 right, 3 bottom goes to slot
    // (side + switch type) mod 4.
    void Store(int side, double value);

    bool front;
    bool portrait = true;
    bool flipShort = false;
    bool noNegate;
    std::int32_t paperWidth = 612;
    std::int32_t paperHeight = 792;
    double slots[4] = {0, 0, 0, 0};  // left, top, right, bottom
};

// Image shift of one side: X and Y, negated where the rotation needs it.
class AlignCalc : public ImageAdjustData {
public:
    explicit AlignCalc(bool front) : ImageAdjustData(front, false) {}

    void SetXValue(double x) {
        SetLeftValue(x);
        SetRightValue(x);
    }
    void SetYValue(double y) {
        SetTopValue(y);
        SetBottomValue(y);
    }
    double GetX() const { return GetLeftValue(); }
    double GetY() const { return GetTopValue(); }
};

// Edge-erase margins of one side, stored as given.
class EdgeCalc : public ImageAdjustData {
public:
    explicit EdgeCalc(bool front) : ImageAdjustData(front, true) {}
};

// The layout setters apply to both sides alike.
template <class Side>
class SidePair {
public:
    void ResetValues() {
        front.ResetValues();
        back.ResetValues();
    }
    void MirrorSide1(bool mirror) { mirrorSide1 = mirror; }
    void SetPortrait(bool isPortrait) {
        front.SetPortrait(isPortrait);
        back.SetPortrait(isPortrait);
    }
    void SetPrintModeFlipShort(bool isFlipShort) {
        front.SetPrintModeFlipShort(isFlipShort);
        back.SetPrintModeFlipShort(isFlipShort);
    }
    void SetPaperPoints(int width, int height) {
        front.SetPaperPoints(width, height);
        back.SetPaperPoints(width, height);
    }

protected:
    Side front{true};
    Side back{false};
    bool mirrorSide1 = false;  // kept for the owner
};

class ImageAlign : public SidePair<AlignCalc> {
public:
    void SetFrontX(double x) { front.SetXValue(x); }
    void SetFrontY(double y) { front.SetYValue(y); }
    void SetBackX(double x) { back.SetXValue(x); }
    void SetBackY(double y) { back.SetYValue(y); }
    double GetFrontX() const { return front.GetX(); }
    double GetFrontY() const { return front.GetY(); }
    double GetBackX() const { return back.GetX(); }
    double GetBackY() const { return back.GetY(); }
};

class EdgeErase : public SidePair<EdgeCalc> {
public:
    void SetFrontTop(double value) { front.SetTopValue(value); }
    void SetFrontLeft(double value) { front.SetLeftValue(value); }
    void SetFrontBottom(double value) { front.SetBottomValue(value); }
    void SetFrontRight(double value) { front.SetRightValue(value); }
    void SetBackTop(double value) { back.SetTopValue(value); }
    void SetBackLeft(double value) { back.SetLeftValue(value); }
    void SetBackBottom(double value) { back.SetBottomValue(value); }
    void SetBackRight(double value) { back.SetRightValue(value); }
    double GetFrontTop() const { return front.GetTopValue(); }
    double GetFrontLeft() const { return front.GetLeftValue(); }
    double GetFrontBottom() const { return front.GetBottomValue(); }
    double GetFrontRight() const { return front.GetRightValue(); }
    double GetBackTop() const { return back.GetTopValue(); }
    double GetBackLeft() const { return back.GetLeftValue(); }
    double GetBackBottom() const { return back.GetBottomValue(); }
    double GetBackRight() const { return back.GetRightValue(); }
};

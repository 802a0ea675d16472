#include "ImageAdjust.h"

// front, portrait, flipShort, small paper -> switch type
const eaLookupTableEntry ImageAdjustData::m_aLookups[16] = {
    {true, true, false, true, 0},    {false, true, false, true, 0},  {true, false, false, true, 3},
    {false, false, false, true, 3},  {true, true, true, true, 0},    {false, true, true, true, 2},
    {true, false, true, true, 3},    {false, false, true, true, 1},  {true, true, false, false, 1},
    {false, true, false, false, 3},  {true, false, false, false, 0}, {false, false, false, false, 2},
    {true, true, true, false, 1},    {false, true, true, false, 1},  {true, false, true, false, 0},
    {false, false, true, false, 0},
};

void ImageAdjustData::ResetValues() {
    for (double& slot : slots) slot = 0;
}

int ImageAdjustData::GetSwitchType() const {
    const bool small = paperWidth <= kSmallPaperLimit && paperHeight <= kSmallPaperLimit;
    for (const eaLookupTableEntry& entry : m_aLookups) {
        if (entry.Matches(front, portrait, flipShort, small)) return entry.switchType;
    }
    return 0;
}

void ImageAdjustData::Store(int side, double value) {
    const int switchType = GetSwitchType();
    // Horizontal values (left, right) turn over at 90 and 180 degrees,
    // vertical ones (top, bottom) at 180 and 270.
    const bool horizontal = side % 2 == 0;
    const bool negate = horizontal ? (switchType == 1 || switchType == 2) : (switchType == 2 || switchType == 3);
    slots[(side + switchType) % 4] = (negate && !noNegate) ? -value : value;
}

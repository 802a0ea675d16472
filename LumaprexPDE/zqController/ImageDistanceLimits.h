// The limits of the image pane's distances in each unit (0 inch, else
// millimetre): a shift of the image either way, a margin of edge erase never
// negative. The pane holds what the user types to them, and the bridge holds
// a template's margins to the same limits; a shift the pane saved may go a
// little beyond them (see template_values::AlignmentRange).
#pragma once

namespace image_limits {

struct Limits {
    double lowest;
    double highest;
};

constexpr Limits Alignment(int unit) { return unit == 0 ? Limits{-0.8, 0.8} : Limits{-20.32, 20.32}; }
constexpr Limits EdgeErase(int unit) { return unit == 0 ? Limits{0, 1.0} : Limits{0, 25.4}; }

}  // namespace image_limits

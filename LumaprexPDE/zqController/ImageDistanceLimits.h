// The limits of the image pane's distances in each unit (0 inch, else
// millimetre): a shift of the image either way, a margin of edge erase never
// negative. The pane holds what the user types to them, and the bridge holds
// a template's margins to the same limits; a shift the pane saved may go a
// little beyond them, as far as AlignmentReach.
#pragma once

namespace image_limits {

struct Limits {
    double lowest;
    double highest;
};

constexpr Limits Alignment(int unit) { return unit == 0 ? Limits{-0.8, 0.8} : Limits{-20.32, 20.32}; }
constexpr Limits EdgeErase(int unit) { return unit == 0 ? Limits{0, 1.0} : Limits{0, 25.4}; }
// How far a shift the pane shows can go: 0.81 inch, from which the typing
// filter writes the limit, and 20.57 mm, its 0.81 inch converted.
constexpr Limits AlignmentReach(int unit) { return unit == 0 ? Limits{-0.81, 0.81} : Limits{-20.57, 20.57}; }
// The same reach of a page's image shift, which is kept in points.
constexpr Limits ShiftReachInPoints() { return {AlignmentReach(0).lowest * 72, AlignmentReach(0).highest * 72}; }

}  // namespace image_limits

// The pages every apply action of the page-exception tab acts on: all page
// sets when the all-sets box is on; else the whole current set when its
// all-pages box is on; else the pages selected in the current set, runs of
// adjacent pages joined into one range (a subset click is checked on each
// run apart).
#pragma once

#include <optional>
#include <vector>

#include "PageRangeEntry.h"

struct PageSelection {
    bool allSets = false;
    std::vector<PageRange> sets;       // the page-set list, in its order
    bool allPages = false;
    std::optional<PageRange> current;  // the current set; none when no set is current
    std::vector<PageRange> runs;       // the current set's selected runs, sorted by start
};

// Whether selected runs of adjacent pages make one range.
enum class Runs { Joined, Apart };

// The target ranges, in order; none when nothing is selected.
std::vector<PageRange> TargetRanges(const PageSelection& selection, Runs runs = Runs::Joined);

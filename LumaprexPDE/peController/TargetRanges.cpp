// The rule that gives every apply action its target ranges.
#include "TargetRanges.h"

std::vector<PageRange> TargetRanges(const PageSelection& selection, Runs runs) {
    if (selection.allSets) return selection.sets;
    if (selection.allPages) {
        if (!selection.current) return {};
        return {*selection.current};
    }
    std::vector<PageRange> ranges;
    for (const PageRange& run : selection.runs) {
        // A run that begins right behind the one before continues it.
        if (runs == Runs::Joined && !ranges.empty() && run.start == ranges.back().end + 1) ranges.back().end = run.end;
        else ranges.push_back(run);
    }
    return ranges;
}

// Range tests and binary searches shared by the page, layout and image lists
// of the page collection and the validator's page-exception list. Every list
// is kept in first-page order, with a range that lies inside another record
// placed in front of that record. A list is a vector or a PageSequence.
#pragma once

#include <algorithm>
#include <utility>
#include <vector>

#include "JSE_PageSequence.h"

namespace page_range {

template <class Record>
bool overlaps(const Record& record, long start, long end) {
    return record.startPage <= end && start <= record.endPage;
}

// The record holds the whole range start..end.
template <class Record>
bool contains(const Record& record, long start, long end) {
    return record.startPage <= start && end <= record.endPage;
}

// The record lies wholly inside start..end.
template <class Record>
bool within(const Record& record, long start, long end) {
    return record.startPage >= start && record.endPage <= end;
}

template <class Record>
bool sameRange(const Record& record, long start, long end) {
    return record.startPage == start && record.endPage == end;
}

// Binary search on the first page for a record with exactly start..end that
// match accepts; a record of that range that match refuses sends the search
// right. -1 when none is met.
template <class List, class Match>
long findExact(const List& list, long start, long end, Match match) {
    long lo = 0;
    long hi = static_cast<long>(list.size()) - 1;
    while (lo <= hi) {
        const long mid = (lo + hi) / 2;
        const auto& record = list[mid];
        if (sameRange(record, start, end) && match(record)) return mid;
        if (!sameRange(record, start, end) && start < record.startPage) {
            hi = mid - 1;
        } else {
            lo = mid + 1;
        }
    }
    return -1;
}

// Where a record for start..end goes: in front of a record that holds the
// range, else where the binary search on the first page ends. pagesOf gives
// a record's first and last page as a pair.
template <class List, class Pages>
long insertLocation(const List& list, long start, long end, Pages pagesOf) {
    long lo = 0;
    long hi = static_cast<long>(list.size()) - 1;
    long result = 0;
    while (lo <= hi) {
        const long mid = lo + (hi - lo) / 2;
        const auto [first, last] = pagesOf(list[mid]);
        if (first <= start && end <= last) return mid;
        if (start < first) {
            hi = mid - 1;
            result = mid;
        } else {
            lo = mid + 1;
            result = mid + 1;
        }
    }
    return std::max(result, 0L);
}

template <class List>
long insertLocation(const List& list, long start, long end) {
    const auto pagesOf = [](const auto& r) { return std::pair<long, long>(r.startPage, r.endPage); };
    return insertLocation(list, start, end, pagesOf);
}

// The next record of the given kind behind record i takes the pages after
// end when it begins inside the range start..end; a record with nothing left
// goes, and the one of that kind behind it is looked at in its place. A
// record of the kind that stands behind record i but begins before the range
// is passed over. Records of other kinds are never touched; with
// spareOnePage a one-page record keeps its page and the next one of the kind
// is looked at. moved (n) hears of each record n whose first page moved.
template <class Record, class Moved>
void moveNextOfKind(PageSequence<Record>& list, long i, int kind, long start, long end, bool spareOnePage,
                    Moved moved) {
    const auto inRange = [start](const Record& r) { return r.startPage >= start; };
    for (long n = list.findOfKind(i + 1, kind, inRange); n >= 0;) {
        const Record& next = list[n];
        if (next.startPage > end) return;
        if (spareOnePage && next.startPage == next.endPage) {
            n = list.findOfKind(n + 1, kind, inRange);
            continue;
        }
        list.edit(n, [end](Record& r) { r.startPage = end + 1; });
        if (list[n].startPage <= list[n].endPage) {
            moved(n);
            return;
        }
        list.erase(n);
        n = list.findOfKind(n, kind, inRange);
    }
}

}  // namespace page_range

// The layout list of the page collection: print mode, side, chapter start and
// rotation ranges. Setting a code on a range replaces whatever that code said
// for those pages. Every layout record is mirrored into the page list as an
// ordinary page record, because the ticket reads the page list only; a change
// makes anew the mirrors of the records of its code that it touches, and
// each new mirror keeps what else its pages carried (a punch feature, a copy
// count, a paper). The mirrors of the other records stay as they are.
#include <algorithm>

#include "JSE_PageCollection.h"
#include "PageRangeSearch.h"

using page_range::contains;
using page_range::sameRange;
using page_range::within;

namespace {

bool anyLayout(const layoutPageItemType&) { return true; }

}  // namespace

void JSE_PageCollection::setLayOutProperty(long start, long end, int type, int value) {
    const LayoutChange change = beginLayoutChange(start, end, type);
    cutLayoutRange(start, end, type);
    insertLayout(layoutPageItemType{type, value, start, end});
    endLayoutChange(change);
}

void JSE_PageCollection::JSE_PageCollection_RemoveLayoutFeatures(long start, long end, int type) {
    const LayoutChange change = beginLayoutChange(start, end, type);
    cutLayoutRange(start, end, type);
    endLayoutChange(change);
}

long JSE_PageCollection::findLayoutLocation(long start, long end, int /*kind*/) const {
    return page_range::insertLocation(layoutList, start, end);
}

long JSE_PageCollection::findLayoutPage(long start, long end) const {
    return page_range::findExact(layoutList, start, end, anyLayout);
}

void JSE_PageCollection::splitPageLayoutRecord(long j, long start, long end) {
    if (!validLayout(j)) {
        lastError = kPageIndexOutside;
        return;
    }
    const layoutPageItemType record = layoutList[j];
    const long ls = record.startPage;
    const long le = record.endPage;
    const layoutPageItemType piece{record.pageType, record.pageTypeValue, start, end};
    const auto setEnd = [&](long page) { layoutList.edit(j, [page](layoutPageItemType& r) { r.endPage = page; }); };
    const auto setStart = [&](long page) {
        layoutList.edit(j, [page](layoutPageItemType& r) { r.startPage = page; });
    };
    if (ls < start && end < le) {
        setEnd(start - 1);
        insertLayout(layoutPageItemType{piece.pageType, piece.pageTypeValue, end + 1, le});
    } else if (start < ls && ls <= end && end < le) {
        setStart(end + 1);
    } else if (ls < start && start <= le && le <= end) {
        setEnd(start - 1);
        page_range::moveNextOfKind(layoutList, j, piece.pageType, start, end, true, [](long) {});
    } else if (start == ls && end < le) {
        setStart(end + 1);
    } else {
        return;
    }
    insertLayout(piece);
}

void JSE_PageCollection::insertLayout(const layoutPageItemType& record) {
    layoutList.insert(findLayoutLocation(record.startPage, record.endPage, -1), record);
}

// Takes code type off pages start..end: records inside the range go, and
// every record of that code that overlaps it is cut back to its pages
// outside the range. Records of other codes stay as they are.
void JSE_PageCollection::cutLayoutRange(long start, long end, int type) {
    const auto [first, last] = std::minmax(start, end);
    const std::vector<long> inside = layoutList.allOverlapping(first, last, [&](const layoutPageItemType& r) {
        return r.pageType == type && within(r, start, end);
    });
    for (auto it = inside.rbegin(); it != inside.rend(); ++it) layoutList.erase(*it);
    for (long left = layoutList.size(); left > 0; --left) {
        const long j = findLayoutOverlap(start, end, type);
        if (j < 0) return;
        splitPageLayoutRecord(j, start, end);
        // The cut leaves a piece for exactly start..end, which goes.
        const long piece = layoutList.findOverlapping(0, first, last, [&](const layoutPageItemType& r) {
            return r.pageType == type && sameRange(r, start, end);
        });
        if (piece >= 0) layoutList.erase(piece);
    }
}

long JSE_PageCollection::findLayoutOverlap(long start, long end, int type) const {
    return layoutList.findOverlapping(0, start, end,
                                      [type](const layoutPageItemType& r) { return r.pageType == type; });
}

// The records of the code that share a page with start..end are the only
// ones a change over those pages cuts, moves or replaces; every record of the
// code over their pages afterwards is one the change made.
JSE_PageCollection::LayoutChange JSE_PageCollection::beginLayoutChange(long start, long end, int type) {
    const auto [first, last] = std::minmax(start, end);
    LayoutChange change{type, first, last, {}};
    for (const long j : layoutList.allOverlapping(first, last, [type](const layoutPageItemType& r) {
             return r.pageType == type;
         })) {
        const layoutPageItemType& layout = layoutList[j];
        change.first = std::min(change.first, layout.startPage);
        change.last = std::max(change.last, layout.endPage);
        if (const long mirror = findLayoutMirror(layout); mirror >= 0) {
            change.mirrors.push_back(pageList[mirror]);
            pageList.erase(mirror);
        }
    }
    return change;
}

// A mirror made for pages that an earlier mirror of its code held takes that
// mirror's other features and its properties. The mirrors of exactly the
// pages of a new one are placed again with it, in the order of the layout
// list, as every mirror would be placed by making them all anew.
void JSE_PageCollection::endLayoutChange(const LayoutChange& change) {
    const std::vector<long> changed = layoutList.allOverlapping(
        change.first, change.last, [&](const layoutPageItemType& r) { return r.pageType == change.type; });
    std::vector<layoutPageItemType> layouts;
    for (const long j : changed) layouts.push_back(layoutList[j]);
    for (const layoutPageItemType& layout : layouts) {
        if (findLayoutMirror(layout) >= 0) continue;
        PageItemType mirror = featureRecord(layout.pageType, layout.pageTypeValue, layout.startPage, layout.endPage);
        mirror.layoutMirror = true;
        const auto earlier = std::find_if(change.mirrors.begin(), change.mirrors.end(), [&](const PageItemType& old) {
            return contains(old, layout.startPage, layout.endPage);
        });
        if (earlier != change.mirrors.end()) {
            for (const FeatureType& feature : earlier->featureList)
                if (feature.featureType != layout.pageType) mirror.featureList.push_back(feature);
            mirror.propertyList = earlier->propertyList;
        }
        placeMirrors(layout.startPage, layout.endPage, change.type, std::move(mirror));
    }
}

void JSE_PageCollection::placeMirrors(long start, long end, int type, PageItemType mirror) {
    std::vector<PageItemType> mirrors;
    const std::vector<long> placed = pageList.allOverlapping(
        start, end, [&](const PageItemType& r) { return r.layoutMirror && sameRange(r, start, end); });
    for (auto it = placed.rbegin(); it != placed.rend(); ++it) {
        mirrors.push_back(pageList[*it]);
        pageList.erase(*it);
    }
    mirrors.push_back(std::move(mirror));
    for (const long j : layoutList.allOverlapping(
             start, end, [&](const layoutPageItemType& r) { return sameRange(r, start, end); })) {
        const auto own = std::find_if(mirrors.begin(), mirrors.end(),
                                      [&](const PageItemType& m) { return m.pageType == layoutList[j].pageType; });
        if (own == mirrors.end()) continue;
        long at = findInsertLocation(start, end, type);
        // Mirrors of pages within the new one's stand in front of it.
        while (at < pageList.size() && pageList[at].layoutMirror && within(pageList[at], start, end) &&
               !sameRange(pageList[at], start, end))
            ++at;
        pageList.insert(at, std::move(*own));
        mirrors.erase(own);
        notePlaced(at);
    }
    for (PageItemType& left : mirrors) insertPage(std::move(left), type);
}

long JSE_PageCollection::findLayoutMirror(const layoutPageItemType& layout) const {
    return pageList.findOverlapping(0, layout.startPage, layout.endPage, [&](const PageItemType& r) {
        return r.layoutMirror && r.pageType == layout.pageType && sameRange(r, layout.startPage, layout.endPage);
    });
}


// The layout list of the page collection: print mode, side, chapter start and
// rotation ranges. Setting a code on a range replaces whatever that code said
// for those pages. Every layout record is mirrored into the page list as an
// ordinary page record, because the ticket reads the page list only; the
// mirrors are made anew on every layout change and keep what else their pages
// carried (a punch feature, a copy count, a paper).
#include <algorithm>

#include "JSE_PageCollection.h"
#include "PageRangeSearch.h"

using page_range::contains;
using page_range::overlaps;
using page_range::sameRange;
using page_range::within;

void JSE_PageCollection::setLayOutProperty(long start, long end, int type, int value) {
    const std::vector<PageItemType> mirrors = removeLayoutMirrors();
    cutLayoutRange(start, end, type);
    insertLayout(layoutPageItemType{type, value, start, end});
    rebuildLayoutMirrors(mirrors);
}

void JSE_PageCollection::JSE_PageCollection_RemoveLayoutFeatures(long start, long end, int type) {
    const std::vector<PageItemType> mirrors = removeLayoutMirrors();
    cutLayoutRange(start, end, type);
    rebuildLayoutMirrors(mirrors);
}

long JSE_PageCollection::findLayoutLocation(long start, long end, int /*kind*/) const {
    return page_range::insertLocation(layoutList, start, end);
}

long JSE_PageCollection::findLayoutPage(long start, long end) const {
    return page_range::findExact(layoutList, start, end, [](const layoutPageItemType&) { return true; });
}

void JSE_PageCollection::splitPageLayoutRecord(long j, long start, long end) {
    if (!validLayout(j)) {
        lastError = kPageIndexOutside;
        return;
    }
    layoutPageItemType& record = layoutList[j];
    const long ls = record.startPage;
    const long le = record.endPage;
    const layoutPageItemType piece{record.pageType, record.pageTypeValue, start, end};
    if (ls < start && end < le) {
        record.endPage = start - 1;
        insertLayout(layoutPageItemType{piece.pageType, piece.pageTypeValue, end + 1, le});
    } else if (start < ls && ls <= end && end < le) {
        record.startPage = end + 1;
    } else if (ls < start && start <= le && le <= end) {
        record.endPage = start - 1;
        page_range::moveNextOfKind(layoutList, j, piece.pageType, end, true);
    } else if (start == ls && end < le) {
        record.startPage = end + 1;
    } else {
        return;
    }
    insertLayout(piece);
}

void JSE_PageCollection::insertLayout(const layoutPageItemType& record) {
    layoutList.insert(layoutList.begin() + findLayoutLocation(record.startPage, record.endPage, -1), record);
}

// Takes code type off pages start..end: records inside the range go, and
// every record of that code that overlaps it is cut back to its pages
// outside the range. Records of other codes stay as they are.
void JSE_PageCollection::cutLayoutRange(long start, long end, int type) {
    for (long j = static_cast<long>(layoutList.size()) - 1; j >= 0; --j) {
        if (layoutList[j].pageType == type && within(layoutList[j], start, end)) JSE_PageCollection_RemovePageAt(j, 1);
    }
    for (std::size_t left = layoutList.size(); left > 0; --left) {
        const long j = findLayoutOverlap(start, end, type);
        if (j < 0) return;
        splitPageLayoutRecord(j, start, end);
        // The cut leaves a piece for exactly start..end, which goes.
        for (long k = 0; k < static_cast<long>(layoutList.size()); ++k) {
            if (layoutList[k].pageType == type && sameRange(layoutList[k], start, end)) {
                JSE_PageCollection_RemovePageAt(k, 1);
                break;
            }
        }
    }
}

long JSE_PageCollection::findLayoutOverlap(long start, long end, int type) const {
    for (long j = 0; j < static_cast<long>(layoutList.size()); ++j) {
        if (layoutList[j].pageType == type && overlaps(layoutList[j], start, end)) return j;
    }
    return -1;
}

std::vector<PageItemType> JSE_PageCollection::removeLayoutMirrors() {
    std::vector<PageItemType> mirrors;
    for (long i = static_cast<long>(pageList.size()) - 1; i >= 0; --i) {
        const PageItemType& page = pageList[i];
        for (const layoutPageItemType& layout : layoutList) {
            if (page.pageType == layout.pageType && sameRange(page, layout.startPage, layout.endPage)) {
                mirrors.push_back(std::move(pageList[i]));
                erasePage(i);
                break;
            }
        }
    }
    return mirrors;
}

// A mirror made for pages that an earlier mirror of its code held takes that
// mirror's other features and its properties.
void JSE_PageCollection::rebuildLayoutMirrors(const std::vector<PageItemType>& previous) {
    for (const layoutPageItemType& layout : layoutList) {
        PageItemType mirror = featureRecord(layout.pageType, layout.pageTypeValue, layout.startPage, layout.endPage);
        const auto earlier = std::find_if(previous.begin(), previous.end(), [&](const PageItemType& old) {
            return old.pageType == layout.pageType && contains(old, layout.startPage, layout.endPage);
        });
        if (earlier != previous.end()) {
            for (const FeatureType& feature : earlier->featureList)
                if (feature.featureType != layout.pageType) mirror.featureList.push_back(feature);
            mirror.propertyList = earlier->propertyList;
        }
        insertPage(std::move(mirror), layout.pageType);
    }
}

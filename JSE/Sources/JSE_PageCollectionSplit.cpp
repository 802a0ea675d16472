// Reshaping page records: cutting a record into pieces when a feature or a
// property is set on a range that only partly matches it, and merging or
// removing the records a wider one covers. A record holds every feature and
// property that applies to its whole range, so each piece copies them.
#include <algorithm>

#include "JSE_PageCollection.h"
#include "PageRangeSearch.h"

using page_range::sameRange;
using page_range::within;

bool JSE_PageCollection::clonePage(long i, PageItemType& piece, long start, long end, int kind, int kindValue) {
    if (!validPage(i)) {
        lastError = kPageIndexOutside;
        return false;
    }
    piece.pageType = kind;
    piece.pageTypeValue = kindValue;
    piece.startPage = start;
    piece.endPage = end;
    piece.featureList = pageList[i].featureList;
    piece.propertyList = pageList[i].propertyList;
    return true;
}

bool JSE_PageCollection::SameFeature(long i, int type, int value) const {
    if (!validPage(i)) return false;
    const std::vector<FeatureType>& features = pageList[i].featureList;
    return std::find(features.begin(), features.end(), FeatureType{type, value}) != features.end();
}

bool JSE_PageCollection::SameProperty(long i, int id, const WString& text) const {
    if (!validPage(i)) return false;
    const std::vector<PropertyType>& properties = pageList[i].propertyList;
    return std::find(properties.begin(), properties.end(), PropertyType{id, text}) != properties.end();
}

void JSE_PageCollection::UpdatePageItem(PageItemType& piece, int kind, int id, const WString& text) {
    if (kind == kPeInsertBefore || kind == kPeInsertAfter || piece.propertyList.empty()) {
        piece.propertyList.push_back(PropertyType{id, text});
    } else {
        piece.propertyList.front() = PropertyType{id, text};
    }
}

// Record i keeps its pages before start; a copy of it, with its own kind,
// takes its pages after end.
void JSE_PageCollection::cutOutInside(long i, long start, long end) {
    PageItemType tail;
    clonePage(i, tail, end + 1, pageList[i].endPage, pageList[i].pageType, pageList[i].pageTypeValue);
    pageList.edit(i, [start](PageItemType& r) { r.endPage = start - 1; });
    insertPage(std::move(tail), -1);
}

void JSE_PageCollection::splitPageRecord(long i, int type, int value, long start, long end) {
    PageItemType piece;
    if (!clonePage(i, piece, start, end, type, value)) return;
    setFeature(piece, type, value);
    const long rs = pageList[i].startPage;
    const long re = pageList[i].endPage;

    if (rs < start && end < re) {
        if (!SameFeature(i, type, value)) {
            // A sub-range exception inside the record, which still covers it.
            insertPage(featureRecord(type, value, start, end), -1);
            return;
        }
        cutOutInside(i, start, end);
        insertPage(std::move(piece), -1);
    } else if (start <= rs && rs <= end && end < re) {
        setPageStart(i, end + 1);
        insertPage(std::move(piece), -1);
    } else if (rs < start && start <= re && re <= end) {
        pageList.edit(i, [start](PageItemType& r) { r.endPage = start - 1; });
        insertPage(std::move(piece), -1);
    } else {
        // The range holds the whole record: the record widens to it.
        pageList.edit(i, [&](PageItemType& r) {
            setFeature(r, type, value);
            r.endPage = std::max(end, re);
        });
        setPageStart(i, std::min(start, rs));
    }
}

void JSE_PageCollection::splitPagePropertyRecord(long i, int kind, int kindValue, int id, WString text, long start,
                                                 long end) {
    PageItemType piece;
    if (!clonePage(i, piece, start, end, kind, kindValue)) return;
    UpdatePageItem(piece, kind, id, text);
    const long rs = pageList[i].startPage;
    const long re = pageList[i].endPage;

    if (rs < start && end < re) {
        cutOutInside(i, start, end);
    } else if (start < rs && rs <= end && end < re) {
        setPageStart(i, end + 1);
    } else if (rs < start && start <= re && re <= end) {
        pageList.edit(i, [start](PageItemType& r) { r.endPage = start - 1; });
        moveNextPageOfKind(i, kind, start, end, true);
    } else if (start == rs && end < re) {
        setPageStart(i, end + 1);
    } else if (start < rs) {
        coverPageRecord(i, kind, start, end);
    } else if (start == end && sameRange(pageList[i], start, end)) {
        // The one page of the record changes its kind value: the piece
        // replaces the record.
        erasePage(i);
    } else if (start == rs && !SameProperty(i, id, text)) {
        coverPageRecord(i, kind, start, end);
    } else if (start == rs && end > re) {
        pageList.edit(i, [end](PageItemType& r) { r.endPage = end; });
        moveNextPageOfKind(i, kind, start, end, false);
        return;
    } else {
        return;
    }
    insertPage(std::move(piece), -1);
}

// A range that covers record i takes its pages, and those of the next
// records of the kind that it reaches, rather than leaving them on two papers
// at once.
void JSE_PageCollection::coverPageRecord(long i, int kind, long start, long end) {
    moveNextPageOfKind(i, kind, start, end, false);
    erasePage(i);
}

long JSE_PageCollection::consolidatePagesInTheRange(long start, long end, int kind, int value, bool report) {
    long kept = -1;
    const std::vector<long> candidates =
        pageList.allOverlapping(std::min(start, end), std::max(start, end), [&](const PageItemType& r) {
            return within(r, start, end) && r.pageType == kind && r.pageTypeValue == value;
        });
    for (auto it = candidates.rbegin(); it != candidates.rend(); ++it) {
        const long i = *it;
        if (sameRange(pageList[i], start, end)) {
            kept = i;
        } else {
            erasePage(i);
            if (kept > i) --kept;
        }
    }
    return report ? kept : -1;
}

bool JSE_PageCollection::removePartialRecord(long i, long start, long end) {
    if (!validPage(i)) return false;
    const long rs = pageList[i].startPage;
    const long re = pageList[i].endPage;
    if (rs < start && end < re) {
        cutOutInside(i, start, end);
    } else if (start == rs && end < re) {
        setPageStart(i, end + 1);
    } else if (rs < start && end == re) {
        pageList.edit(i, [start](PageItemType& r) { r.endPage = start - 1; });
    } else {
        lastError = kPageIndexOutside;
        return false;
    }
    return true;
}

bool JSE_PageCollection::JSE_PageCollection_RemovePagesInTheRange(long start, long end, int type) {
    const long i = pageList.findOverlapping(0, std::min(start, end), std::max(start, end), [&](const PageItemType& r) {
        return page_range::contains(r, start, end) && !r.layoutMirror &&
               std::any_of(r.featureList.begin(), r.featureList.end(),
                           [type](const FeatureType& f) { return f.featureType == type; });
    });
    return i >= 0 && removePartialRecord(i, start, end);
}

void JSE_PageCollection::JSE_PageCollection_RemovePageFeature(long start, long end, int type) {
    for (long page = start; page <= end && !pageList.empty(); ++page) {
        const long onePage =
            pageList.findOverlapping(0, page, page, [page](const PageItemType& r) { return sameRange(r, page, page); });
        if (onePage >= 0) {
            JSE_PageCollection_RemovePageFeatureAt(onePage, type);
            continue;
        }
        long holder = -1;
        // Pages that no record with this feature holds have nothing to lose.
        if (!JSE_PageCollection_FindPageFeatureByPageNumbers(page, page, type, holder)) continue;
        const PageItemType& record = pageList[holder];
        if (record.layoutMirror) continue;
        const PropertyType paper = record.propertyList.empty() ? PropertyType{} : record.propertyList.front();
        splitPagePropertyRecord(holder, record.pageType, record.pageTypeValue, paper.propertyType,
                                paper.propertyValue, page, page);
        if (const long piece = findPage(page, page, 0, 0); piece >= 0) {
            JSE_PageCollection_RemovePageFeatureAt(piece, type);
        }
    }
}

void JSE_PageCollection::checkForDuplicatedFeatures() {
    for (long i = 0; i + 1 < pageList.size(); ++i) {
        const PageItemType& left = pageList[i];
        const PageItemType& right = pageList[i + 1];
        if (left.endPage + 1 != right.startPage || left.layoutMirror || right.layoutMirror) continue;
        if (left.propertyList.size() != right.propertyList.size() || left.featureList != right.featureList) continue;
        bool equalAtSomePosition = false;
        for (std::size_t j = 0; j < left.propertyList.size() && !equalAtSomePosition; ++j) {
            equalAtSomePosition = left.propertyList[j] == right.propertyList[j];
        }
        if (!equalAtSomePosition) continue;
        const long last = right.endPage;
        pageList.edit(i, [last](PageItemType& r) { r.endPage = last; });
        erasePage(i + 1);
    }
}

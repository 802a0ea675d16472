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
    pageList[i].endPage = start - 1;
    insertPage(std::move(tail), -1);
}

void JSE_PageCollection::splitPageRecord(long i, int type, int value, long start, long end) {
    PageItemType piece;
    if (!clonePage(i, piece, start, end, type, value)) return;
    setFeature(piece, type, value);
    PageItemType& record = pageList[i];
    const long rs = record.startPage;
    const long re = record.endPage;

    if (rs < start && end < re) {
        if (!SameFeature(i, type, value)) {
            // A sub-range exception inside the record, which still covers it.
            insertPage(featureRecord(type, value, start, end), -1);
            return;
        }
        cutOutInside(i, start, end);
        insertPage(std::move(piece), -1);
    } else if (start <= rs && rs <= end && end < re) {
        record.startPage = end + 1;
        insertPage(std::move(piece), -1);
    } else if (rs < start && start <= re && re <= end) {
        record.endPage = start - 1;
        insertPage(std::move(piece), -1);
    } else {
        // The range holds the whole record: the record widens to it.
        setFeature(record, type, value);
        record.startPage = std::min(start, rs);
        record.endPage = std::max(end, re);
    }
}

void JSE_PageCollection::splitPagePropertyRecord(long i, int kind, int kindValue, int id, WString text, long start,
                                                 long end) {
    PageItemType piece;
    if (!clonePage(i, piece, start, end, kind, kindValue)) return;
    UpdatePageItem(piece, kind, id, text);
    PageItemType& record = pageList[i];
    const long rs = record.startPage;
    const long re = record.endPage;

    if (rs < start && end < re) {
        cutOutInside(i, start, end);
    } else if (start < rs && rs <= end && end < re) {
        record.startPage = end + 1;
    } else if (rs < start && start <= re && re <= end) {
        record.endPage = start - 1;
        page_range::moveNextOfKind(pageList, i, kind, end, true);
    } else if (start == rs && end < re) {
        record.startPage = end + 1;
    } else if (start < rs) {
        // The range ends before the record or covers it: the record stays.
    } else if (start == end && sameRange(record, start, end)) {
        // The one page of the record changes its kind value: the piece
        // replaces the record.
        erasePage(i);
    } else if (start == rs && !SameProperty(i, id, text)) {
        page_range::moveNextOfKind(pageList, i, kind, end, false);
    } else if (start == rs && end > re) {
        record.endPage = end;
        page_range::moveNextOfKind(pageList, i, kind, end, false);
        return;
    } else {
        return;
    }
    insertPage(std::move(piece), -1);
}

long JSE_PageCollection::consolidatePagesInTheRange(long start, long end, int kind, int value, bool report) {
    long kept = -1;
    for (long i = static_cast<long>(pageList.size()) - 1; i >= 0; --i) {
        const PageItemType& record = pageList[i];
        if (!within(record, start, end) || record.pageType != kind || record.pageTypeValue != value) continue;
        if (sameRange(record, start, end)) {
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
    PageItemType& record = pageList[i];
    const long rs = record.startPage;
    const long re = record.endPage;
    if (rs < start && end < re) {
        cutOutInside(i, start, end);
    } else if (start == rs && end < re) {
        record.startPage = end + 1;
    } else if (rs < start && end == re) {
        record.endPage = start - 1;
    } else {
        lastError = kPageIndexOutside;
        return false;
    }
    return true;
}

bool JSE_PageCollection::JSE_PageCollection_RemovePagesInTheRange(long start, long end, int type) {
    long i = -1;
    if (!JSE_PageCollection_FindPageFeatureByPageNumbers(start, end, type, i)) return false;
    return removePartialRecord(i, start, end);
}

void JSE_PageCollection::JSE_PageCollection_RemovePageFeature(long start, long end, int type) {
    for (long page = start; page <= end && !pageList.empty(); ++page) {
        const auto onePage = std::find_if(pageList.begin(), pageList.end(),
                                          [page](const PageItemType& r) { return sameRange(r, page, page); });
        if (onePage != pageList.end()) {
            JSE_PageCollection_RemovePageFeatureAt(onePage - pageList.begin(), type);
            continue;
        }
        long holder = -1;
        // Pages that no record with this feature holds have nothing to lose.
        if (!JSE_PageCollection_FindPageFeatureByPageNumbers(page, page, type, holder)) continue;
        const PageItemType& record = pageList[holder];
        const PropertyType paper = record.propertyList.empty() ? PropertyType{} : record.propertyList.front();
        splitPagePropertyRecord(holder, record.pageType, record.pageTypeValue, paper.propertyType,
                                paper.propertyValue, page, page);
        if (const long piece = findPage(page, page, 0, 0); piece >= 0) {
            JSE_PageCollection_RemovePageFeatureAt(piece, type);
        }
    }
}

void JSE_PageCollection::checkForDuplicatedFeatures() {
    for (std::size_t i = 0; i + 1 < pageList.size(); ++i) {
        PageItemType& left = pageList[i];
        const PageItemType& right = pageList[i + 1];
        if (left.endPage + 1 != right.startPage) continue;
        if (left.propertyList.size() != right.propertyList.size() || left.featureList != right.featureList) continue;
        bool equalAtSomePosition = false;
        for (std::size_t j = 0; j < left.propertyList.size() && !equalAtSomePosition; ++j) {
            equalAtSomePosition = left.propertyList[j] == right.propertyList[j];
        }
        if (!equalAtSomePosition) continue;
        left.endPage = right.endPage;
        erasePage(static_cast<long>(i) + 1);
    }
}

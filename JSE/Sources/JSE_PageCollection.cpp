// The page list of the page collection: ordering, lookups, setting, reading
// and removing page records.
#include "JSE_PageCollection.h"

#include <algorithm>
#include <map>

#include "PageRangeSearch.h"

namespace {

using page_range::contains;
using page_range::overlaps;
using page_range::sameRange;
using page_range::within;

// The pages a search for records sharing a page must look at to find every
// record that holds, lies within or has exactly start..end.
std::pair<long, long> span(long start, long end) { return {std::min(start, end), std::max(start, end)}; }

bool anyRecord(const PageItemType&) { return true; }

bool isLayoutCode(int code) {
    return code == kPePrintMode || code == kPePrintSide || code == kPeChapterStart || code == kPeRotation;
}

bool isInsertCode(int code) { return code == kPeInsertBefore || code == kPeInsertAfter; }

// Rank at one first page: inserts before the pages first, then paper
// substitutions, then every other kind.
int kindRank(int kind) {
    if (kind == kPeInsertBefore) return 0;
    if (kind == kPePaperSubstitution) return 1;
    return 2;
}

bool hasFeatureOfType(const PageItemType& record, int type) {
    return std::any_of(record.featureList.begin(), record.featureList.end(),
                       [type](const FeatureType& feature) { return feature.featureType == type; });
}

// Index of the last feature of code type, -1 when there is none.
long lastFeatureOfType(const PageItemType& record, int type) {
    for (long j = static_cast<long>(record.featureList.size()) - 1; j >= 0; --j) {
        if (record.featureList[j].featureType == type) return j;
    }
    return -1;
}

// The features that an output device of a subset cannot carry.
std::vector<int> featuresExcludedByOutput(int output) {
    switch (output) {
    case 1: return {kPeSubsetStaple, kPeSubsetJog};
    case 2: return {kPeSubsetTrim};
    case 3: return {kPeSubsetStaple, kPeSubsetTrim};
    case 4:
    case 5: return {kPeSubsetStaple, kPeSubsetJog};
    default: return {kPeSubsetStaple, kPeSubsetJog, kPeSubsetTrim};
    }
}

}  // namespace

JSE_PageCollection::JSE_PageCollection() { InitMembers(); }

JSE_PageCollection::~JSE_PageCollection() { JSE_PageCollection_RemoveAllPages(); }

void JSE_PageCollection::InitMembers() {
    pageList.clear();
    imageList.clear();
    layoutList.clear();
    lastError = 0;
}

// ---------------------------------------------------------------------------
// Ordering and lookups

bool JSE_PageCollection::LessCompare(const PageItemType& a, const PageItemType& b) {
    if (a.startPage != b.startPage) return a.startPage < b.startPage;
    return kindRank(a.pageType) < kindRank(b.pageType);
}

// The binary search goes right past a record that shares its first page
// with the one it meets; then the first such record in list order is the
// one, so that no record is reported absent that the list holds.
long JSE_PageCollection::findPage(long start, long end, int kind, int value) const {
    const auto match = [kind, value](const PageItemType& record) {
        return kind < 1 || (record.pageType == kind && record.pageTypeValue == value);
    };
    const long met = page_range::findExact(pageList, start, end, match);
    if (met >= 0) return met;
    const auto [first, last] = span(start, end);
    return pageList.findOverlapping(0, first, last,
                                    [&](const PageItemType& r) { return sameRange(r, start, end) && match(r); });
}

long JSE_PageCollection::findPageByType(long start, long end, int kind) const {
    return page_range::findExact(pageList, start, end,
                                 [kind](const PageItemType& record) { return kind < 1 || record.pageType == kind; });
}

// Only a record of the same kind is ever split for a new range: a record of
// another kind whose head the range covers keeps its pages, its features and
// its paper (a substitution over the head of a duplex range leaves the
// duplex where the user put it), and a layout range's mirror is never split.
long JSE_PageCollection::findPageRange(long start, long end, int kind) const {
    if (kind < 1) return -1;
    return pageList.findOverlapping(0, start, end, [kind](const PageItemType& record) {
        return record.pageType == kind && !record.layoutMirror;
    });
}

long JSE_PageCollection::findPageRange(long start, long end) const {
    return pageList.findOverlapping(0, start, end, anyRecord);
}

long JSE_PageCollection::findInsertLocation(long start, long end, int kind) const {
    const long size = static_cast<long>(pageList.size());
    long lo = 0;
    long hi = size - 1;
    long result = 0;
    while (lo <= hi) {
        const long mid = (lo + hi) / 2;
        const PageItemType& record = pageList[mid];
        if (start < record.startPage) {
            hi = mid - 1;
            result = mid;
            continue;
        }
        if (end > record.endPage) {
            lo = mid + 1;
            result = mid + 1;
            continue;
        }
        const bool placedAmongSameRange = kind == kPePaperSubstitution || kind == kPeInsertAfter;
        if (kind < 1 || !sameRange(record, start, end) || !placedAmongSameRange) return mid;
        // Inserts before the pages go first, substitutions after them, and
        // inserts after the pages behind every record of the range up to 234.
        long k = mid;
        while (k < size && sameRange(pageList[k], start, end) &&
               (kind == kPePaperSubstitution ? pageList[k].pageType == kPeInsertBefore
                                             : pageList[k].pageType <= kPeInsertAfter)) {
            ++k;
        }
        if (k < size) return k;
        lo = mid + 1;
        result = mid + 1;
    }
    return std::max(result, 0L);
}

long JSE_PageCollection::findPageRangeRecord(long start, long end, int kind, PageIndexItem& found) const {
    found.indexList.clear();
    if (kind < 1) return 0;
    const long beginsAfter = pageList.findStartingAfter(0, end);
    found.indexList = pageList.allOverlapping(
        start, end, [kind](const PageItemType& r) { return r.pageType == kind && !r.featureList.empty(); },
        beginsAfter < 0 ? pageList.size() : beginsAfter);
    return static_cast<long>(found.indexList.size());
}

long JSE_PageCollection::findOverlappingPages(long start, long end, PageIndexItem& found) const {
    found.indexList = pageList.allOverlapping(start, end, anyRecord);
    return static_cast<long>(found.indexList.size());
}

long JSE_PageCollection::findPageHolding(long start, long end) const {
    const auto [first, last] = span(start, end);
    return pageList.findOverlapping(0, first, last, [&](const PageItemType& r) {
        return contains(r, start, end) && !r.layoutMirror;
    });
}

long JSE_PageCollection::findPageOfRange(long start, long end) const {
    const long met = findPage(start, end, -1, -1);
    if (met < 0 || !pageList[met].layoutMirror) return met;
    const auto [first, last] = span(start, end);
    return pageList.findOverlapping(0, first, last, [&](const PageItemType& r) {
        return sameRange(r, start, end) && !r.layoutMirror;
    });
}

// ---------------------------------------------------------------------------
// Small editing helpers

long JSE_PageCollection::insertPage(PageItemType record, int kind) {
    const long at = findInsertLocation(record.startPage, record.endPage, kind);
    pageList.insert(at, std::move(record));
    notePlaced(at);
    return at;
}

void JSE_PageCollection::erasePage(long i) {
    const PageItemType& record = pageList[i];
    if (record.layoutMirror) {
        const long first = record.startPage, last = record.endPage;
        const long j = layoutList.findOverlapping(0, first, last, [&](const layoutPageItemType& l) {
            return l.pageType == record.pageType && sameRange(l, first, last);
        });
        if (j >= 0) layoutList.erase(j);
    }
    pageList.erase(i);
}

void JSE_PageCollection::setPageStart(long i, long start) {
    pageList.edit(i, [start](PageItemType& r) { r.startPage = start; });
    notePlaced(i);
}

void JSE_PageCollection::notePlaced(long i) {
    if (pageList.marked(i)) return;
    const long before = pageList.previousUnmarked(i);
    const long after = pageList.nextUnmarked(i + 1);
    const bool inOrder = (before < 0 || !LessCompare(pageList[i], pageList[before])) &&
                         (after < 0 || !LessCompare(pageList[after], pageList[i]));
    if (!inOrder) pageList.setMarked(i, true);
}

// The unmarked records stand in sort order. Each marked record goes behind
// the unmarked ones that sort before it and those of its rank that stood
// before it, the marked records that meet at one place ordered among
// themselves by rank and then as they stood: what a stable sort of the whole
// list gives.
void JSE_PageCollection::sortPageList() {
    if (pageList.markedCount() == 0) return;
    struct Moving {
        PageItemType record;
        long before = 0;  // the unmarked records that stood before it
        long at = 0;      // the unmarked records that sort before it
    };
    const std::vector<long> marked = pageList.markedPositions();
    std::vector<Moving> moving;
    for (std::size_t j = 0; j < marked.size(); ++j)
        moving.push_back({pageList[marked[j]], marked[j] - static_cast<long>(j), 0});
    for (auto it = marked.rbegin(); it != marked.rend(); ++it) pageList.erase(*it);
    for (Moving& m : moving) {
        const auto firstWhere = [&](auto sortsAfter) {
            long lo = 0, hi = pageList.size();
            while (lo < hi) {
                const long mid = lo + (hi - lo) / 2;
                if (sortsAfter(pageList[mid])) hi = mid;
                else lo = mid + 1;
            }
            return lo;
        };
        const long lo = firstWhere([&](const PageItemType& r) { return !LessCompare(r, m.record); });
        const long hi = firstWhere([&](const PageItemType& r) { return LessCompare(m.record, r); });
        m.at = std::clamp(m.before, lo, hi);
    }
    std::stable_sort(moving.begin(), moving.end(), [](const Moving& a, const Moving& b) {
        return a.at != b.at ? a.at < b.at : LessCompare(a.record, b.record);
    });
    for (std::size_t k = 0; k < moving.size(); ++k)
        pageList.insert(moving[k].at + static_cast<long>(k), std::move(moving[k].record));
}

void JSE_PageCollection::moveNextPageOfKind(long i, int kind, long start, long end, bool spareOnePage) {
    page_range::moveNextOfKind(pageList, i, kind, start, end, spareOnePage, [this](long n) { notePlaced(n); });
}

PageItemType JSE_PageCollection::featureRecord(int type, int value, long start, long end) {
    return PageItemType{type, value, start, end, {}, {FeatureType{type, value}}};
}

void JSE_PageCollection::setFeature(PageItemType& record, int type, int value) {
    for (FeatureType& feature : record.featureList) {
        if (feature.featureType == type) {
            feature.featureValue = value;
            return;
        }
    }
    record.featureList.push_back(FeatureType{type, value});
}

// ---------------------------------------------------------------------------
// Setting exceptions

long JSE_PageCollection::JSE_PageCollection_SetPageType(long start, long end, int type, int value) {
    if (isInsertCode(type)) return setInsertPageType(start, end, type, value);
    if (isLayoutCode(type)) {
        setLayOutProperty(start, end, type, value);
        return 0;
    }
    long i = findPage(start, end, type, value);
    if (i >= 0) {
        if (!hasFeatureOfType(pageList[i], type)) {
            pageList.edit(i, [&](PageItemType& r) { r.featureList.push_back(FeatureType{type, value}); });
            return i;
        }
        pageList.edit(i, [&](PageItemType& r) { setFeature(r, type, value); });
        return start == end ? i : consolidatePagesInTheRange(start, end, type, value, true);
    }
    PageIndexItem sameKind;
    if (findPageRangeRecord(start, end, type, sameKind) > 0) {
        // A range over an existing record of this kind is left to the caller
        // to remove first, and nothing changes; only a record of exactly the
        // range, kind and value that the search above did not meet takes in
        // the records of that value it covers.
        const auto [first, last] = span(start, end);
        const long exact = pageList.findOverlapping(0, first, last, [&](const PageItemType& r) {
            return sameRange(r, start, end) && r.pageType == type && r.pageTypeValue == value;
        });
        return exact < 0 ? -1 : consolidatePagesInTheRange(start, end, type, value, true);
    }
    i = findPageRange(start, end, type);
    if (i >= 0) {
        splitPageRecord(i, type, value, start, end);
        return 0;
    }
    return insertPage(featureRecord(type, value, start, end), -1);
}

long JSE_PageCollection::setInsertPageType(long start, long end, int type, int value) {
    const auto [first, last] = span(start, end);
    const long i = pageList.findOverlapping(0, first, last, [&](const PageItemType& r) {
        return r.pageType == type && sameRange(r, start, end) && r.featureList.empty();
    });
    if (i < 0) return -1;
    pageList.edit(i, [&](PageItemType& r) {
        r.pageTypeValue = value;
        r.featureList.push_back(FeatureType{type, value});
    });
    return i;
}

void JSE_PageCollection::JSE_PageCollection_SetProperty(long start, long end, int id, WString text, int pageType,
                                                        int pageTypeValue, bool insertSorted) {
    if (isLayoutCode(id)) {
        setLayOutProperty(start, end, pageType, pageTypeValue);
        return;
    }
    if (isInsertCode(id)) {
        setInsertProperty(start, end, id, text, pageType, pageTypeValue, insertSorted);
    } else if (const long i = findPage(start, end, pageType, pageTypeValue); i >= 0) {
        setPropertyOnRecord(i, id, text);
    } else if (const long j = isInsertCode(pageType) ? -1 : findPageRange(start, end, pageType); j >= 0) {
        splitPagePropertyRecord(j, pageType, pageTypeValue, id, text, start, end);
    } else {
        setInsertProperty(start, end, id, text, pageType, pageTypeValue, insertSorted);
    }
    sortPageList();
}

// A paper record (no features, or a substitution) takes the new text; a
// record with other features keeps its first property and gains another.
void JSE_PageCollection::setPropertyOnRecord(long i, int id, const WString& text) {
    pageList.edit(i, [&](PageItemType& record) {
        const auto property = std::find_if(record.propertyList.begin(), record.propertyList.end(),
                                           [id](const PropertyType& p) { return p.propertyType == id; });
        const bool replaces = record.featureList.empty() || hasFeatureOfType(record, kPePaperSubstitution);
        if (property != record.propertyList.end() && replaces) {
            property->propertyValue = text;
        } else {
            record.propertyList.push_back(PropertyType{id, text});
        }
    });
}

void JSE_PageCollection::setInsertProperty(long start, long end, int id, const WString& text, int pageType,
                                           int pageTypeValue, bool insertSorted) {
    PageItemType record{pageType, pageTypeValue, start, end, {PropertyType{id, text}}, {}};
    if (insertSorted) {
        insertPage(std::move(record), pageType);
    } else {
        pageList.push_back(std::move(record));
        notePlaced(pageList.size() - 1);
    }
}

void JSE_PageCollection::JSE_PageCollection_AddPageFeature(long i, int type, int value) {
    if (!validPage(i)) return;
    pageList.edit(i, [&](PageItemType& r) { setFeature(r, type, value); });
    if (type != kPeSubsetOutput) return;
    for (int excluded : featuresExcludedByOutput(value)) JSE_PageCollection_RemovePageFeatureAt(i, excluded);
}

int JSE_PageCollection::JSE_PageCollection_UpdatePageFeature(long i, int type, int value) {
    if (!validPage(i) || !hasFeatureOfType(pageList[i], type)) return 0;
    pageList.edit(i, [&](PageItemType& r) { setFeature(r, type, value); });
    return 1;
}

bool JSE_PageCollection::JSE_PageCollection_ArrangePages(const std::vector<long>& order) {
    std::vector<bool> taken(static_cast<std::size_t>(pageList.size()));
    if (order.size() != taken.size()) return false;
    for (const long i : order) {
        if (!validPage(i) || taken[static_cast<std::size_t>(i)]) return false;
        taken[static_cast<std::size_t>(i)] = true;
    }
    std::vector<PageItemType> records = pageList.records();
    pageList.clear();
    for (const long i : order) pageList.push_back(std::move(records[static_cast<std::size_t>(i)]));
    for (long i = 0; i < pageList.size(); ++i) notePlaced(i);
    return true;
}

// ---------------------------------------------------------------------------
// Reading

long JSE_PageCollection::JSE_PageCollection_GetSize() const { return static_cast<long>(pageList.size()); }

void JSE_PageCollection::JSE_PageCollection_GetPageNumber(long i, long& start, long& end) const {
    start = validPage(i) ? pageList[i].startPage : -1;
    end = validPage(i) ? pageList[i].endPage : -1;
}

void JSE_PageCollection::JSE_PageCollection_GetPageTypeAndValue(long i, int& type, int& value) const {
    if (!validPage(i)) return;
    type = pageList[i].pageType;
    value = pageList[i].pageTypeValue;
}

long JSE_PageCollection::JSE_PageCollection_GetPropertySize(long i) const {
    return validPage(i) ? static_cast<long>(pageList[i].propertyList.size()) : 0;
}

void JSE_PageCollection::JSE_PageCollection_GetProperty(long i, long j, int& id, WString& text) const {
    if (!validPage(i)) {
        id = 0;
        text.clear();
        return;
    }
    const std::vector<PropertyType>& properties = pageList[i].propertyList;
    if (j < 0 || j >= static_cast<long>(properties.size())) return;
    id = properties[j].propertyType;
    text = properties[j].propertyValue;
}

void JSE_PageCollection::JSE_PageCollection_GetPropertyValueAt(long i, long j, WString& text) const {
    text.clear();
    if (!validPage(i)) return;
    const std::vector<PropertyType>& properties = pageList[i].propertyList;
    if (j >= 0 && j < static_cast<long>(properties.size())) text = properties[j].propertyValue;
}

void JSE_PageCollection::JSE_PageCollection_SetPropertyValueAt(long i, long j, const WString& text) {
    if (!validPage(i) || j < 0 || j >= static_cast<long>(pageList[i].propertyList.size())) return;
    pageList.edit(i, [j, &text](PageItemType& r) { r.propertyList[static_cast<std::size_t>(j)].propertyValue = text; });
}

long JSE_PageCollection::JSE_PageCollection_GetPageFeatureSize(long i) const {
    return validPage(i) ? static_cast<long>(pageList[i].featureList.size()) : 0;
}

void JSE_PageCollection::JSE_PageCollection_GetPageFeature(long i, long j, int& type, int& value) const {
    if (!validPage(i)) {
        type = 0;
        value = 0;
        return;
    }
    const std::vector<FeatureType>& features = pageList[i].featureList;
    if (j < 0 || j >= static_cast<long>(features.size())) return;
    type = features[j].featureType;
    value = features[j].featureValue;
}

void JSE_PageCollection::JSE_PageCollection_GetPageFeatureType(long i, int j, int& type) const {
    type = 0;
    if (validPage(i) && j >= 0 && j < static_cast<int>(pageList[i].featureList.size())) {
        type = pageList[i].featureList[j].featureType;
    }
}

void JSE_PageCollection::JSE_PageCollection_GetPageFeatureValue(long i, int j, int& value) const {
    if (!validPage(i)) {
        value = 0;
        return;
    }
    if (j >= 0 && j < static_cast<int>(pageList[i].featureList.size())) value = pageList[i].featureList[j].featureValue;
}

bool JSE_PageCollection::JSE_PageCollection_FindPageFeatureByPageIndex(long i, int type) const {
    return validPage(i) && hasFeatureOfType(pageList[i], type);
}

bool JSE_PageCollection::JSE_PageCollection_FindPageFeatureByPageNumbers(long start, long end, int type,
                                                                         long& i) const {
    const auto [first, last] = span(start, end);
    i = pageList.findOverlapping(0, first, last, [&](const PageItemType& r) {
        return contains(r, start, end) && hasFeatureOfType(r, type);
    });
    return i >= 0;
}

bool JSE_PageCollection::JSE_PageCollection_FindPageFeatureByPageRange(long start, long end, int type,
                                                                       long& i) const {
    return JSE_PageCollection_FindPageFeatureByPageNumbers(start, end, type, i);
}

void JSE_PageCollection::FindMediaForThePage(long start, long end, WString& paper) const {
    paper.clear();
    const long i = findPageRange(start, end, kPePaperSubstitution);
    if (i < 0) return;
    int id = 0;
    JSE_PageCollection_GetProperty(i, 0, id, paper);
}

// The substitutions over the pages claim them in list order; pages none
// claims print on the job's paper; neighbouring stretches of one paper join.
std::vector<PaperRun> JSE_PageCollection::FindMediaRuns(long start, long end) const {
    std::vector<PaperRun> runs;
    if (start > end) return runs;
    std::map<long, long> unclaimed{{start, end}};  // first page -> last page
    for (const long i : pageList.allOverlapping(start, end, [](const PageItemType& r) {
             return r.pageType == kPePaperSubstitution && r.startPage <= r.endPage;
         })) {
        const PageItemType& record = pageList[i];
        const WString paper = record.propertyList.empty() ? WString() : record.propertyList.front().propertyValue;
        const long from = std::max(start, record.startPage), to = std::min(end, record.endPage);
        auto it = unclaimed.upper_bound(from);
        if (it != unclaimed.begin() && std::prev(it)->second >= from) --it;
        while (it != unclaimed.end() && it->first <= to) {
            const long first = it->first, last = it->second;
            it = unclaimed.erase(it);
            if (first < from) unclaimed.emplace(first, from - 1);
            if (to < last) it = unclaimed.emplace(to + 1, last).first;
            runs.push_back(PaperRun{std::max(first, from), std::min(last, to), paper});
        }
    }
    for (const auto& [first, last] : unclaimed) runs.push_back(PaperRun{first, last, WString()});
    std::sort(runs.begin(), runs.end(), [](const PaperRun& a, const PaperRun& b) { return a.first < b.first; });
    std::vector<PaperRun> joined;
    for (PaperRun& run : runs) {
        if (!joined.empty() && joined.back().paper == run.paper) joined.back().last = run.last;
        else joined.push_back(std::move(run));
    }
    return joined;
}

// ---------------------------------------------------------------------------
// Removing

// A layout range's mirror is not the entry of its pages: the layout list
// keeps it, and taking it away here would only have it made again.
bool JSE_PageCollection::JSE_PageCollection_RemovePages(long start, long end) {
    bool removed = false;
    if (const long i = findPageOfRange(start, end); i >= 0) {
        erasePage(i);
        removed = true;
    }
    if (const long k = findImagePage(start, end); k >= 0) {
        imageList.erase(imageList.begin() + k);
        return true;
    }
    if (const long k = findImagePageRange(start, end); k >= 0) {
        // A page record erased above stays reported even when the image
        // range cannot be trimmed.
        return removePartialImageRecord(k, start, end) || removed;
    }
    return removed;
}

// A layout record goes with its mirror, and a mirror with its layout record.
bool JSE_PageCollection::JSE_PageCollection_RemovePageAt(long i, int list) {
    if (list != 0) {
        if (!validLayout(i)) return false;
        const long mirror = findLayoutMirror(layoutList[i]);
        layoutList.erase(i);
        if (mirror >= 0) pageList.erase(mirror);
        return true;
    }
    if (!validPage(i)) return false;
    erasePage(i);
    return true;
}

void JSE_PageCollection::JSE_PageCollection_RemovePageFeature(long start, long end, int type, int value) {
    if (type == kPeSubsetOutput) {
        // Removing a subset's output device removes the subset.
        const auto [first, last] = span(start, end);
        const std::vector<long> subsets = pageList.allOverlapping(first, last, [&](const PageItemType& r) {
            return sameRange(r, start, end) && hasFeatureOfType(r, kPeFinishingSubset);
        });
        for (auto it = subsets.rbegin(); it != subsets.rend(); ++it) JSE_PageCollection_RemovePageAt(*it, 0);
        return;
    }
    if (isLayoutCode(type)) {
        JSE_PageCollection_RemoveLayoutFeatures(start, end, type);
        return;
    }
    if (type == kPeImageRemoval) {
        JSE_PageCollection_RemoveImageFeature(start, end, type);
        return;
    }
    if (const long i = findPage(start, end, type, value); i >= 0) erasePage(i);
}

bool JSE_PageCollection::JSE_PageCollection_RemovePageFeatureAt(long i, int type) {
    if (!validPage(i)) return false;
    pageList.edit(i, [type](PageItemType& record) {
        if (const long j = lastFeatureOfType(record, type); j >= 0) {
            record.featureList.erase(record.featureList.begin() + j);
        }
    });
    if (pageList[i].featureList.empty()) erasePage(i);
    return true;
}

void JSE_PageCollection::JSE_PageCollection_RemoveAllPages() {
    pageList.clear();
    JSE_PageCollection_RemoveAllImageFeature();
    layoutList.clear();
}

void JSE_PageCollection::JSE_PageCollection_RemoveAllFeaturesFromCollection(int type) {
    for (long i = pageList.size() - 1; i >= 0; --i) {
        pageList.edit(i, [type](PageItemType& record) {
            const long j = lastFeatureOfType(record, type);
            if (j < 0) return;
            record.featureList.erase(record.featureList.begin() + j);
            if (j < static_cast<long>(record.propertyList.size())) {
                record.propertyList.erase(record.propertyList.begin() + j);
            }
        });
        if (pageList[i].featureList.empty()) erasePage(i);
    }
}

void JSE_PageCollection::JSE_PageCollection_RemoveAllFeaturesFromPages(long start, long end, int type) {
    const auto [first, last] = span(start, end);
    const std::vector<long> holding = pageList.allOverlapping(first, last, [&](const PageItemType& r) {
        return contains(r, start, end) && hasFeatureOfType(r, type);
    });
    for (auto it = holding.rbegin(); it != holding.rend(); ++it) erasePage(*it);
}

void JSE_PageCollection::JSE_PageCollection_RemovePageFeatureAndProperty(long start, long end, int type, int value,
                                                                         int propertyIndex) {
    const long i = findPage(start, end, type, value);
    if (i < 0) return;
    pageList.edit(i, [&](PageItemType& record) {
        if (const long j = lastFeatureOfType(record, type); j >= 0) {
            record.featureList.erase(record.featureList.begin() + j);
            if (propertyIndex >= 0 && propertyIndex < static_cast<int>(record.propertyList.size())) {
                record.propertyList.erase(record.propertyList.begin() + propertyIndex);
            }
        }
    });
    if (pageList[i].featureList.empty()) erasePage(i);
}

void JSE_PageCollection::removeFeaturesFromPageList(long start, long end, int type) {
    const auto [first, last] = span(start, end);
    const std::vector<long> found = pageList.allOverlapping(first, last, [&](const PageItemType& r) {
        return sameRange(r, start, end) && r.pageType == type;
    });
    if (!found.empty()) erasePage(found.back());
}

// The page list of the page collection: ordering, lookups, setting, reading
// and removing page records.
#include "JSE_PageCollection.h"

#include <algorithm>

#include "PageRangeSearch.h"

namespace {

using page_range::contains;
using page_range::overlaps;
using page_range::sameRange;

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

long JSE_PageCollection::findPage(long start, long end, int kind, int value) const {
    return page_range::findExact(pageList, start, end, [kind, value](const PageItemType& record) {
        return kind < 1 || (record.pageType == kind && record.pageTypeValue == value);
    });
}

long JSE_PageCollection::findPageByType(long start, long end, int kind) const {
    return page_range::findExact(pageList, start, end,
                                 [kind](const PageItemType& record) { return kind < 1 || record.pageType == kind; });
}

long JSE_PageCollection::findPageRange(long start, long end, int kind) const {
    if (kind < 1) return -1;
    for (long i = 0; i < static_cast<long>(pageList.size()); ++i) {
        const PageItemType& record = pageList[i];
        if (!overlaps(record, start, end)) continue;
        const bool coversHeadOnly = start < record.startPage && end < record.endPage;
        if (coversHeadOnly || record.pageType == kind) return i;
    }
    return -1;
}

long JSE_PageCollection::findPageRange(long start, long end) const {
    for (long i = 0; i < static_cast<long>(pageList.size()); ++i) {
        if (overlaps(pageList[i], start, end)) return i;
    }
    return -1;
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
    for (long i = 0; i < static_cast<long>(pageList.size()); ++i) {
        const PageItemType& record = pageList[i];
        if (record.startPage > end) break;
        if (kind >= 1 && overlaps(record, start, end) && record.pageType == kind && !record.featureList.empty()) {
            found.indexList.push_back(i);
        }
    }
    return static_cast<long>(found.indexList.size());
}

// ---------------------------------------------------------------------------
// Small editing helpers

long JSE_PageCollection::insertPage(PageItemType record, int kind) {
    const long at = findInsertLocation(record.startPage, record.endPage, kind);
    pageList.insert(pageList.begin() + at, std::move(record));
    return at;
}

void JSE_PageCollection::erasePage(long i) { pageList.erase(pageList.begin() + i); }

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
            pageList[i].featureList.push_back(FeatureType{type, value});
            return i;
        }
        setFeature(pageList[i], type, value);
        return start == end ? i : consolidatePagesInTheRange(start, end, type, value, true);
    }
    PageIndexItem sameKind;
    if (findPageRangeRecord(start, end, type, sameKind) > 0) {
        // A range over an existing record of this kind is left to the caller
        // to remove first; only the records it covers are consolidated.
        return consolidatePagesInTheRange(start, end, type, value, true);
    }
    i = findPageRange(start, end, type);
    if (i >= 0) {
        splitPageRecord(i, type, value, start, end);
        return 0;
    }
    return insertPage(featureRecord(type, value, start, end), -1);
}

long JSE_PageCollection::setInsertPageType(long start, long end, int type, int value) {
    for (long i = 0; i < static_cast<long>(pageList.size()); ++i) {
        PageItemType& record = pageList[i];
        if (record.pageType == type && sameRange(record, start, end) &&
            record.featureList.empty()) {
            record.pageTypeValue = value;
            record.featureList.push_back(FeatureType{type, value});
            return i;
        }
    }
    return -1;
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
    std::stable_sort(pageList.begin(), pageList.end(), LessCompare);
}

// A paper record (no features, or a substitution) takes the new text; a
// record with other features keeps its first property and gains another.
void JSE_PageCollection::setPropertyOnRecord(long i, int id, const WString& text) {
    PageItemType& record = pageList[i];
    const auto property = std::find_if(record.propertyList.begin(), record.propertyList.end(),
                                       [id](const PropertyType& p) { return p.propertyType == id; });
    const bool replaces = record.featureList.empty() || hasFeatureOfType(record, kPePaperSubstitution);
    if (property != record.propertyList.end() && replaces) {
        property->propertyValue = text;
    } else {
        record.propertyList.push_back(PropertyType{id, text});
    }
}

void JSE_PageCollection::setInsertProperty(long start, long end, int id, const WString& text, int pageType,
                                           int pageTypeValue, bool insertSorted) {
    PageItemType record{pageType, pageTypeValue, start, end, {PropertyType{id, text}}, {}};
    if (insertSorted) {
        insertPage(std::move(record), pageType);
    } else {
        pageList.push_back(std::move(record));
    }
}

void JSE_PageCollection::JSE_PageCollection_AddPageFeature(long i, int type, int value) {
    if (!validPage(i)) return;
    setFeature(pageList[i], type, value);
    if (type != kPeSubsetOutput) return;
    for (int excluded : featuresExcludedByOutput(value)) JSE_PageCollection_RemovePageFeatureAt(i, excluded);
}

int JSE_PageCollection::JSE_PageCollection_UpdatePageFeature(long i, int type, int value) {
    if (!validPage(i)) return 0;
    for (FeatureType& feature : pageList[i].featureList) {
        if (feature.featureType == type) {
            feature.featureValue = value;
            return 1;
        }
    }
    return 0;
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
    if (!validPage(i)) return;
    std::vector<PropertyType>& properties = pageList[i].propertyList;
    if (j >= 0 && j < static_cast<long>(properties.size())) properties[j].propertyValue = text;
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
    for (i = 0; i < static_cast<long>(pageList.size()); ++i) {
        if (contains(pageList[i], start, end) && hasFeatureOfType(pageList[i], type)) return true;
    }
    i = -1;
    return false;
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

// ---------------------------------------------------------------------------
// Removing

bool JSE_PageCollection::JSE_PageCollection_RemovePages(long start, long end) {
    bool removed = false;
    if (const long i = findPage(start, end, -1, -1); i >= 0) {
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

bool JSE_PageCollection::JSE_PageCollection_RemovePageAt(long i, int list) {
    if (list != 0) {
        if (!validLayout(i)) return false;
        layoutList.erase(layoutList.begin() + i);
        return true;
    }
    if (!validPage(i)) return false;
    erasePage(i);
    return true;
}

void JSE_PageCollection::JSE_PageCollection_RemovePageFeature(long start, long end, int type, int value) {
    if (type == kPeSubsetOutput) {
        // Removing a subset's output device removes the subset.
        for (long i = static_cast<long>(pageList.size()) - 1; i >= 0; --i) {
            if (!sameRange(pageList[i], start, end)) continue;
            if (hasFeatureOfType(pageList[i], kPeFinishingSubset)) JSE_PageCollection_RemovePageAt(i, 0);
        }
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
    PageItemType& record = pageList[i];
    if (const long j = lastFeatureOfType(record, type); j >= 0) {
        record.featureList.erase(record.featureList.begin() + j);
    }
    if (record.featureList.empty()) erasePage(i);
    return true;
}

void JSE_PageCollection::JSE_PageCollection_RemoveAllPages() {
    pageList.clear();
    JSE_PageCollection_RemoveAllImageFeature();
    layoutList.clear();
}

void JSE_PageCollection::JSE_PageCollection_RemoveAllFeaturesFromCollection(int type) {
    for (long i = static_cast<long>(pageList.size()) - 1; i >= 0; --i) {
        PageItemType& record = pageList[i];
        const long j = lastFeatureOfType(record, type);
        if (j >= 0) {
            record.featureList.erase(record.featureList.begin() + j);
            if (j < static_cast<long>(record.propertyList.size())) {
                record.propertyList.erase(record.propertyList.begin() + j);
            }
        }
        if (record.featureList.empty()) erasePage(i);
    }
}

void JSE_PageCollection::JSE_PageCollection_RemoveAllFeaturesFromPages(long start, long end, int type) {
    for (long i = static_cast<long>(pageList.size()) - 1; i >= 0; --i) {
        if (contains(pageList[i], start, end) && hasFeatureOfType(pageList[i], type)) erasePage(i);
    }
}

void JSE_PageCollection::JSE_PageCollection_RemovePageFeatureAndProperty(long start, long end, int type, int value,
                                                                         int propertyIndex) {
    const long i = findPage(start, end, type, value);
    if (i < 0) return;
    PageItemType& record = pageList[i];
    if (const long j = lastFeatureOfType(record, type); j >= 0) {
        record.featureList.erase(record.featureList.begin() + j);
        if (propertyIndex >= 0 && propertyIndex < static_cast<int>(record.propertyList.size())) {
            record.propertyList.erase(record.propertyList.begin() + propertyIndex);
        }
    }
    if (record.featureList.empty()) erasePage(i);
}

void JSE_PageCollection::removeFeaturesFromPageList(long start, long end, int type) {
    for (long i = static_cast<long>(pageList.size()) - 1; i >= 0; --i) {
        const PageItemType& record = pageList[i];
        if (sameRange(record, start, end) && record.pageType == type) {
            erasePage(i);
            return;
        }
    }
}

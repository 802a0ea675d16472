// The image list of the page collection: per-range image shifts. The list
// stays sorted by first page, its ranges never overlap, and equal
// neighbouring ranges are merged after every change; so the records over a
// range are found by binary search, and only those around a change can
// merge.
#include <algorithm>
#include <bit>
#include <cstdint>

#include "JSE_PageCollection.h"
#include "PageRangeSearch.h"

using page_range::contains;
using page_range::within;

bool ImageType::operator==(const ImageType& other) const {
    const auto bits = [](float value) { return std::bit_cast<std::uint32_t>(value); };
    return featureType == other.featureType && mirror == other.mirror && unit == other.unit &&
           orientation == other.orientation && bits(x1) == bits(other.x1) && bits(y1) == bits(other.y1) &&
           bits(x2) == bits(other.x2) && bits(y2) == bits(other.y2);
}

void JSE_PageCollection::JSE_PageCollection_SetImageFeature(long start, long end, int featureType, int unit,
                                                            bool mirror, int orientation, float x1, float y1,
                                                            float x2, float y2) {
    if (featureType != kPeImageShift) return;
    if (const long i = findImagePage(start, end); i >= 0) {
        bool updated = false;
        for (ImageType& feature : imageList[i].imageFeatureList) {
            if (feature.featureType != featureType) continue;
            UpdateImageItem(feature, featureType, unit, mirror, orientation, x1, y1, x2, y2);
            updated = true;
        }
        if (!updated) {
            imageList[i].imageFeatureList.push_back(ImageType{featureType, mirror, unit, orientation, x1, y1, x2, y2});
        }
    } else if (const long k = findImagePageRange(start, end); k < 0) {
        insertImage(PageImageItemType{featureType, kPeNotSet, start, end,
                                      {ImageType{featureType, mirror, unit, orientation, x1, y1, x2, y2}}});
    } else {
        splitPageImageRecord(k, featureType, unit, mirror, orientation, x1, y1, x2, y2, start, end);
    }
    mergeImageRecordsAround(start, end);
}

// Record i's features, with the given shift, move to start..end; every record
// that overlaps start..end gives those pages up.
void JSE_PageCollection::splitPageImageRecord(long i, int featureType, int unit, bool mirror, int orientation,
                                              float x1, float y1, float x2, float y2, long start, long end) {
    if (!validImage(i)) {
        lastError = kPageIndexOutside;
        return;
    }
    PageImageItemType piece;
    cloneImagePage(i, piece, start, end, featureType);
    long j = -1;
    if (SameIamgeFeature(i, featureType, j)) {
        UpdateImageItem(piece.imageFeatureList[j], featureType, unit, mirror, orientation, x1, y1, x2, y2);
    } else {
        piece.imageFeatureList.push_back(ImageType{featureType, mirror, unit, orientation, x1, y1, x2, y2});
    }
    cutImageRange(start, end);
    insertImage(piece);
}

void JSE_PageCollection::cutImageRange(long start, long end) {
    const auto [first, past] = imageRecordsOver(start, end);
    for (long k = past - 1; k >= first; --k) {
        const PageImageItemType& record = imageList[k];
        if (within(record, start, end)) {
            imageList.erase(imageList.begin() + k);
        } else {
            removePartialImageRecord(k, std::max(start, record.startPage), std::min(end, record.endPage));
        }
    }
}

std::pair<long, long> JSE_PageCollection::imageRecordsOver(long start, long end) const {
    const auto first = std::partition_point(imageList.begin(), imageList.end(),
                                            [start](const PageImageItemType& r) { return r.endPage < start; });
    const auto past = std::partition_point(first, imageList.end(),
                                           [end](const PageImageItemType& r) { return r.startPage <= end; });
    return {first - imageList.begin(), past - imageList.begin()};
}

bool JSE_PageCollection::removePartialImageRecord(long i, long start, long end) {
    if (!validImage(i)) return false;
    PageImageItemType& record = imageList[i];
    const long rs = record.startPage;
    const long re = record.endPage;
    if (start > rs && end < re) {
        PageImageItemType tail;
        cloneImagePage(i, tail, end + 1, re, record.pageType);
        record.endPage = start - 1;
        insertImage(tail);
    } else if (start == rs && end < re) {
        record.startPage = end + 1;
    } else if (start > rs && end == re) {
        record.endPage = start - 1;
    } else {
        lastError = kPageIndexOutside;
        return false;
    }
    return true;
}

// Before a change no two neighbours are equal; the records it made or cut
// share a page with start..end or touch it.
void JSE_PageCollection::mergeImageRecordsAround(long start, long end) {
    const auto [first, past] = imageRecordsOver(start - 1, end + 1);
    long last = past;  // the pairs looked at end with the one of last - 1 and last
    for (long k = std::max(first - 1, 0L); k < last && k + 1 < static_cast<long>(imageList.size());) {
        PageImageItemType& left = imageList[k];
        const PageImageItemType& right = imageList[k + 1];
        if (left.endPage + 1 == right.startPage && left.imageFeatureList == right.imageFeatureList) {
            left.endPage = right.endPage;
            imageList.erase(imageList.begin() + k + 1);
            --last;
        } else {
            ++k;
        }
    }
}

void JSE_PageCollection::checkForDuplicatedImageFeatures() {
    for (std::size_t k = 0; k + 1 < imageList.size();) {
        PageImageItemType& left = imageList[k];
        const PageImageItemType& right = imageList[k + 1];
        if (left.endPage + 1 == right.startPage && left.imageFeatureList == right.imageFeatureList) {
            left.endPage = right.endPage;
            imageList.erase(imageList.begin() + static_cast<long>(k) + 1);
        } else {
            ++k;
        }
    }
}

void JSE_PageCollection::UpdateImageItem(ImageType& feature, int featureType, int unit, bool mirror,
                                         int orientation, float x1, float y1, float x2, float y2) {
    feature = ImageType{featureType, mirror, unit, orientation, x1, y1, x2, y2};
}

bool JSE_PageCollection::SameIamgeFeature(long i, int type, long& j) const {
    j = -1;
    if (!validImage(i)) return false;
    const std::vector<ImageType>& features = imageList[i].imageFeatureList;
    for (long k = static_cast<long>(features.size()) - 1; k >= 0 && j < 0; --k) {
        if (features[k].featureType == type) j = k;
    }
    return j >= 0;
}

void JSE_PageCollection::cloneImagePage(long i, PageImageItemType& piece, long start, long end, int type) const {
    piece = PageImageItemType{type, kPeNotSet, start, end, imageList[i].imageFeatureList};
}

void JSE_PageCollection::insertImage(const PageImageItemType& record) {
    imageList.insert(imageList.begin() + findImagePageInsertLocation(record.startPage, record.endPage), record);
}

// ---------------------------------------------------------------------------
// Lookups

long JSE_PageCollection::findImagePage(long start, long end) const {
    return page_range::findExact(imageList, start, end, [](const PageImageItemType&) { return true; });
}

long JSE_PageCollection::findImagePageRange(long start, long end) const {
    const auto [first, past] = imageRecordsOver(start, end);
    return first < past ? first : -1;
}

long JSE_PageCollection::findImagePageInsertLocation(long start, long end) const {
    return page_range::insertLocation(imageList, start, end);
}

long JSE_PageCollection::JSE_PageCollection_GetImageFeatureIndex(int start, int end) const {
    return findImagePage(start, end);
}

// ---------------------------------------------------------------------------
// Reading

long JSE_PageCollection::JSE_PageCollection_GetPageImageSize() const { return static_cast<long>(imageList.size()); }

void JSE_PageCollection::JSE_PageCollection_GetImagePageNumber(long i, int& start, int& end) const {
    start = validImage(i) ? static_cast<int>(imageList[i].startPage) : -1;
    end = validImage(i) ? static_cast<int>(imageList[i].endPage) : -1;
}

long JSE_PageCollection::JSE_PageCollection_GetImageFeatureSize(long i) const {
    return validImage(i) ? static_cast<long>(imageList[i].imageFeatureList.size()) : 0;
}

void JSE_PageCollection::JSE_PageCollection_GetImageFeature(long i, long j, int& type, int& typeValue, int& unit,
                                                            bool& mirror, int& orientation, float& x1, float& y1,
                                                            float& x2, float& y2) const {
    if (!validImage(i)) {
        type = 0;
        unit = 0;
        mirror = true;
        orientation = 1;
        x1 = y1 = x2 = y2 = 0;
        return;
    }
    const PageImageItemType& record = imageList[i];
    if (j < 0 || j >= static_cast<long>(record.imageFeatureList.size())) return;
    const ImageType& feature = record.imageFeatureList[j];
    type = record.pageType;
    typeValue = record.pageTypeValue;
    unit = feature.unit;
    mirror = feature.mirror;
    orientation = feature.orientation;
    x1 = feature.x1;
    y1 = feature.y1;
    x2 = feature.x2;
    y2 = feature.y2;
}

// ---------------------------------------------------------------------------
// Removing

void JSE_PageCollection::JSE_PageCollection_RemoveImageFeature(long start, long end, int type) {
    removeFeaturesFromPageList(start, end, type);
    const auto [first, past] = imageRecordsOver(start, end);
    for (long k = past - 1; k >= first; --k) {
        if (within(imageList[k], start, end)) {
            imageList.erase(imageList.begin() + k);
            return;
        }
    }
}

void JSE_PageCollection::JSE_PageCollection_RemoveImageAlignOnPages(long start, long end) {
    const auto [first, past] = imageRecordsOver(std::min(start, end), std::max(start, end));
    for (long k = past - 1; k >= first; --k) {
        if (contains(imageList[k], start, end)) imageList.erase(imageList.begin() + k);
    }
}

void JSE_PageCollection::JSE_PageCollection_RemoveAllImageFeature() { imageList.clear(); }

void JSE_PageCollection::JSE_PageCollection_RemoveImageAlignPagesInTheRange(long start, long end, int /*type*/) {
    if (imageList.empty()) return;
    if (const long k = findImagePage(start, end); k >= 0) {
        imageList.erase(imageList.begin() + k);
    } else if (end <= start) {
        for (long n = static_cast<long>(imageList.size()) - 1; n >= 0; --n) {
            if (contains(imageList[n], start, end)) {
                imageList.erase(imageList.begin() + n);
                return;
            }
        }
    } else if (const long n = findImagePageRange(start, end); n >= 0) {
        removePartialImageRecord(n, start, end);
    }
}

// Reading the bridge's page collection into plain values.
#include "PageEntries.h"

#include <algorithm>

#include "zqController.h"

std::optional<int> PageEntry::feature(int code) const {
    const auto found =
        std::find_if(features.begin(), features.end(), [code](const PageFeature& f) { return f.code == code; });
    if (found == features.end()) return std::nullopt;
    return found->value;
}

namespace {

PageEntry ReadPageEntry(const zqController& bridge, int i) {
    PageEntry entry;
    bridge.JSE_PageCollection_GetPageNumber(i, entry.pages.start, entry.pages.end);
    for (int j = 0; j < bridge.JSE_PageCollection_GetPageFeatureSize(i); ++j) {
        PageFeature feature;
        bridge.JSE_PageCollection_GetPageFeature(i, j, feature.code, feature.value);
        entry.features.push_back(feature);
    }
    int id = 0;
    bridge.JSE_PageCollection_GetProperty(i, 0, id, entry.paper);
    return entry;
}

ImageEntry ReadImageEntry(const zqController& bridge, int k) {
    ImageEntry entry;
    int code = 0, codeValue = 0, unit = 0;
    bool mirror = false;
    bridge.JSE_PageCollection_GetImagePageNumber(k, entry.pages.start, entry.pages.end);
    bridge.JSE_PageCollection_GetImageFeature(k, 0, code, codeValue, unit, mirror, entry.orientation, entry.x1,
                                              entry.y1, entry.x2, entry.y2);
    return entry;
}

}  // namespace

PageEntries ReadPageEntries(const zqController* bridge) {
    PageEntries entries;
    if (!bridge) return entries;
    for (int i = 0; i < bridge->JSE_PageCollection_GetSize(); ++i) entries.pages.push_back(ReadPageEntry(*bridge, i));
    for (int k = 0; k < bridge->JSE_PageCollection_GetPageImageSize(); ++k)
        entries.images.push_back(ReadImageEntry(*bridge, k));
    return entries;
}

std::vector<std::pair<int, PageEntry>> ReadPageEntriesOver(const zqController* bridge, const PageRange& pages) {
    std::vector<std::pair<int, PageEntry>> entries;
    if (!bridge) return entries;
    for (const int i : bridge->JSE_PageCollection_FindPagesOverlapping(pages.start, pages.end))
        entries.emplace_back(i, ReadPageEntry(*bridge, i));
    return entries;
}

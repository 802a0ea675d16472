// Writing the "Substitution" group's page sets and page features.
#include "PageFeatureList.h"

#include <utility>

#include "JSE_Records.h"
#include "PageFeatureKeys.h"

namespace {

using platform::FormatInteger;

platform::Dictionary Pages(const PageRange& pages) {
    return {{"startPage", FormatInteger(pages.start)}, {"endPage", FormatInteger(pages.end)}};
}

// The punch keys of a substitution or insert that is punched by page.
void AddPunch(platform::Dictionary& feature, const PageEntry& entry) {
    if (const std::optional<int> punch = entry.feature(kPePunch)) {
        feature.set("punch", FormatInteger(kPePunch));
        feature.set("punchValue", FormatInteger(*punch));
    }
}

void AddSubset(platform::Dictionary& feature, const PageEntry& entry, int device) {
    const std::optional<int> staple = entry.feature(kPeSubsetStaple);
    if (device == 2 && staple) {
        feature.set("stapleType", FormatInteger(kPeSubsetStaple));
        feature.set("staplePosition", FormatInteger(*staple));
    }
    feature.set("propertyValue", entry.paper);
    for (const auto& [key, code] : kSubsetFeatureKeys) {
        if (const std::optional<int> value = entry.feature(code)) feature.set(key, FormatInteger(*value));
    }
}

// The dictionary of one feature of a page entry; none for a code that
// only accompanies another.
std::optional<platform::Dictionary> FeatureDictionary(const PageEntry& entry, const PageFeature& f) {
    platform::Dictionary feature = Pages(entry.pages);
    feature.set("featureType", FormatInteger(f.code));
    switch (f.code) {
    case kPeSubsetOutput:
        feature.set("featureValue", FormatInteger(f.value));
        AddSubset(feature, entry, f.value);
        return feature;
    case kPePaperSubstitution:
    case kPeInsertBefore:
    case kPeInsertAfter:
        feature.set("featureValue", f.code == kPePaperSubstitution ? std::string() : FormatInteger(f.value));
        feature.set("propertyValue", entry.paper);
        AddPunch(feature, entry);
        return feature;
    case kPePrintMode:
    case kPePrintSide:
    case kPeChapterStart:
    case kPeRotation: feature.set("featureValue", FormatInteger(f.value)); return feature;
    default: return std::nullopt;
    }
}

platform::Dictionary ImageDictionary(const ImageEntry& image) {
    platform::Dictionary feature = Pages(image.pages);
    feature.set("featureType", FormatInteger(kPeImageShift));
    feature.set("propertyValue", "");
    feature.set("punch", "0");
    const std::pair<const char*, float> offsets[] = {
        {"x1", image.x1}, {"y1", image.y1}, {"x2", image.x2}, {"y2", image.y2}};
    for (const auto& [key, points] : offsets) feature.set(key, platform::FormatDecimal(points));
    // The axis of a mirrored side 2, by which a template knows it mirrored.
    feature.set("orientation", FormatInteger(image.orientation));
    return feature;
}

}  // namespace

platform::Array PageSetList(const std::vector<PageRange>& sets) {
    platform::Array list;
    for (const PageRange& set : sets) list.append(Pages(set));
    return list;
}

platform::Array PageFeatureList(const PageEntries& entries) {
    platform::Array list;
    for (const PageEntry& entry : entries.pages) {
        if (entry.pages.start < 1 || entry.pages.end < 1) continue;
        for (const PageFeature& f : entry.features) {
            if (std::optional<platform::Dictionary> feature = FeatureDictionary(entry, f)) list.append(*feature);
        }
    }
    for (const ImageEntry& image : entries.images) list.append(ImageDictionary(image));
    return list;
}

// The upgrade of page exceptions from settings files older than release 6,
// whose exception kinds and finishing values used an older numbering.
#include "JSE_Preference.h"

namespace {

// Old value to new value, for the first count pairs.
struct featureValueMap {
    std::int32_t count;
    std::int32_t pairs[15][2];
};

constexpr featureValueMap kFoldMap = {2, {{1, 8}, {2, 9}}};
constexpr featureValueMap kJogMap = {2, {{1, 6}, {2, 7}}};
constexpr featureValueMap kModeMap = {14,
                                      {{13, kPePunch},
                                       {12, kPeFinishingSubset},
                                       {11, kPeChapterStart},
                                       {10, kPePrintSide},
                                       {9, kPePrintMode},
                                       {8, kPeImageShift},
                                       {7, kPeRotation},
                                       {6, kPeInsertAfter},
                                       {5, kPeInsertBefore},
                                       {4, kPePaperSubstitution},
                                       {3, kPePaperSubstitution},
                                       {2, kPePaperSubstitution},
                                       {1, kPePaperSubstitution},
                                       {0, kPeNoKind}}};
constexpr featureValueMap kTrimMap = {2, {{2, 11}, {1, 10}}};
constexpr featureValueMap kPlexMap = {5, {{1, 1}, {2, 2}, {3, 2}, {4, 3}, {5, 2}}};

// Replaces the value by its new code when apply is set; a value the map does
// not know stays and answers kUnknownFeatureValue.
std::int32_t UpgradeFeature(bool apply, const featureValueMap& map, std::int32_t& value) {
    if (!apply) return JSE_Preference::kNoError;
    for (std::int32_t i = 0; i < map.count; ++i) {
        if (map.pairs[i][0] == value) {
            value = map.pairs[i][1];
            return JSE_Preference::kNoError;
        }
    }
    return JSE_Preference::kUnknownFeatureValue;
}

}  // namespace

std::int32_t JSE_Preference::JSE_Preference_UpgradeExceptionRecord(std::int64_t version,
                                                                    JSE_PageExceptionType& item) {
    if (version >= kFirstUpgradedVersion) return kNoError;
    JSE_PeRecordType& device = item.peRecord;
    const std::int32_t results[] = {
        UpgradeFeature(device.peFold != 0, kFoldMap, device.peFoldValue),
        UpgradeFeature(device.peJog != 0, kJogMap, device.peJogValue),
        UpgradeFeature(true, kModeMap, item.exceptionMode),
        UpgradeFeature(device.peTrim != 0, kTrimMap, device.peTrimValue),
        UpgradeFeature(item.pePlex, kPlexMap, item.pePlexValue),
    };
    for (std::int32_t result : results)
        if (result != kNoError) return result;
    return kNoError;
}

// The first item's failure is the answer; every item is upgraded.
std::int32_t JSE_Preference::UpgradeFeatureValues() {
    std::int32_t first = kNoError;
    for (JSE_PageExceptionType& item : m_contents.pageExceptions) {
        const std::int32_t result = JSE_Preference_UpgradeExceptionRecord(m_contents.version, item);
        if (first == kNoError) first = result;
    }
    return first;
}

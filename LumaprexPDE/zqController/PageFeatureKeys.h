// The keys by which an entry of a finishing subset in the "pageFeatures"
// list of the job-feature dictionary's "Substitution" group keeps the rest
// of the subset besides its device: its paper under "propertyValue" and
// each other setting of the subset under a key of its own, so that a
// template brings the whole subset back. Readers that do not know these
// keys restore the device and, for the stapler, its staple position
// ("stapleType", "staplePosition"). Written by the bridge's dictionary and
// by the page-exception pane, read by template loading.
#pragma once

#include "JSE_Records.h"

struct SubsetFeatureKey {
    const char* key;
    int code;
};

// In the order the subset group stores the settings.
inline constexpr SubsetFeatureKey kSubsetFeatureKeys[] = {{"subsetStaple", kPeSubsetStaple},
                                                          {"subsetTrim", kPeSubsetTrim},
                                                          {"subsetOffsetStack", kPeSubsetJog},
                                                          {"subsetFold", kPeSubsetFold}};

// The "Substitution" group of the job-feature dictionary: "pageSets", the
// page sets in their order, and "pageFeatures", one dictionary per page
// feature a template restores, read from the page collection. The
// page-exception pane writes it after each change, the bridge whenever it
// builds the dictionary, both with these. All values are texts.
//
// A page feature's dictionary holds "startPage", "endPage" and
// "featureType", and by its code:
//   224 (subset)             "featureValue" (device); for the stapler with a
//                            staple position also "stapleType" "225" and
//                            "staplePosition"; and what else the subset needs
//                            to come back whole (PageFeatureKeys.h)
//   232 (substitution)       "featureValue" "", "propertyValue" (paper)
//   233, 234 (inserts)       "featureValue" (tray), "propertyValue" (paper)
//   235, 236, 300, 301       "featureValue"
// and 232 to 234 "punch" "237" and "punchValue" when the entry is punched
// by page. An image shift: "featureType" "302", "propertyValue" "", "punch"
// "0", and "x1", "y1", "x2", "y2" in points ("%.2f").
#pragma once

#include <vector>

#include "FoundationValues.h"
#include "PageEntries.h"

// The "pageSets" list.
platform::Array PageSetList(const std::vector<PageRange>& sets);

// The "pageFeatures" list: page entries first, each feature in its entry's
// order (entries whose pages are below 1 left out), then image shifts.
platform::Array PageFeatureList(const PageEntries& entries);

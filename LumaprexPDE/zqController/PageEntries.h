// The bridge's page collection as plain values, read back through the
// bridge: every page entry with its features in the order they were added
// and the text of its first property (the paper of a substitution, insert
// or subset), and every image-shift entry with the offsets of its first
// image feature, in points. The page-exception pane keeps no page exception
// of its own: its tables (PeTableRows.h) and the "Substitution" group of the
// job-feature dictionary, which the pane and the bridge both write
// (PageFeatureList.h), are built from this picture.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "PageRange.h"

class zqController;

struct PageFeature {
    int code = 0;  // a page-exception code
    int value = 0;
    friend bool operator==(const PageFeature&, const PageFeature&) = default;
};

struct PageEntry {
    PageRange pages;
    std::vector<PageFeature> features;
    std::string paper;  // the text of property 0; "" when the entry has none

    // The value of the first feature of that code; none when there is none.
    std::optional<int> feature(int code) const;
    friend bool operator==(const PageEntry&, const PageEntry&) = default;
};

struct ImageEntry {
    PageRange pages;
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // side 1 X and Y, side 2 X and Y
    int orientation = 1;                    // 1 portrait, 2 landscape: the axis side 2 is mirrored across
    friend bool operator==(const ImageEntry&, const ImageEntry&) = default;
};

struct PageEntries {
    std::vector<PageEntry> pages;  // index i is page entry i of the collection
    std::vector<ImageEntry> images;
};

// Everything the bridge holds; nothing without a bridge.
PageEntries ReadPageEntries(const zqController* bridge);
// The page entries sharing a page with the pages, in order, each with its
// index in the collection; what the bridge holds elsewhere is not read.
std::vector<std::pair<int, PageEntry>> ReadPageEntriesOver(const zqController* bridge, const PageRange& pages);

// The bridge's page collection as the page-exception pane reads it back:
// every page entry with its features in the order they were added and the
// text of its first property (the paper of a substitution, insert or
// subset), and every image-shift entry with the offsets of its first image
// feature, in points. The pane keeps no page exception of its own; its
// tables and its group of the job-feature dictionary are built from this
// picture, on plain values, by PeTableRows.h and PageFeatureList.h.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "PageRangeEntry.h"

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

// What a table row shows of the entry it was read from: an image shift, or
// a page entry (its pages, features and paper) and, for a row of the
// exception table, the one feature the row stands for. Deleting the row
// looks for exactly that in the collection as it is then, whatever other
// entries were added or removed since the table was built.
struct RowSource {
    bool image = false;
    PageEntry entry;
    ImageEntry shift;
    std::optional<PageFeature> feature;  // none for a row that stands for the whole entry
};

// A row of one of the pane's tables: its cells, the column each cell is
// meant for (a summary row may hold more cells than the table has columns),
// and where it comes from.
struct TableRow {
    std::vector<std::string> cells;
    std::vector<int> columns;
    RowSource source;

    void add(std::string cell, int column) {
        cells.push_back(std::move(cell));
        columns.push_back(column);
    }
};

// The index of the first page entry, or image-shift entry, that is what
// the row shows: the same pages and paper holding the row's feature, or,
// for a whole-entry row, the same pages, paper and features; -1 when the
// collection holds none.
int FindShownEntry(const PageEntries& entries, const RowSource& row);

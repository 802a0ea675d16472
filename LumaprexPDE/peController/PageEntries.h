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
};

struct ImageEntry {
    PageRange pages;
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // side 1 X and Y, side 2 X and Y
};

struct PageEntries {
    std::vector<PageEntry> pages;  // index i is page entry i of the collection
    std::vector<ImageEntry> images;
};

// Everything the bridge holds; nothing without a bridge.
PageEntries ReadPageEntries(const zqController* bridge);

// Which entry a table row was read from, so that deleting the row acts on
// exactly that entry: a page entry (and, for a row of the exception table,
// the feature of the row), or an image-shift entry.
struct RowSource {
    bool image = false;
    int index = 0;
    int code = 0;  // the row's feature; 0 for a row that stands for the whole entry
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

// After the entry a row came from has left the collection: the rows of
// later entries of the same list move up one index.
void ForgetEntry(std::vector<TableRow>& rows, const RowSource& removed);

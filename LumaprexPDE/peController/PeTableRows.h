// The rows of the page-exception pane's exception table (the paper
// substitutions and inserts held) and summary table (every page exception
// held), built from the page collection as the pane reads it. The cells are
// label texts, page numbers and paper names; label gives a label's text as
// the pane shows it.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "PageEntries.h"
#include "PageFeatureLabels.h"

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

// "5" for one page, "5..9" for several.
std::string PagesCell(const PageRange& pages);

// One row per substitution (232) or insert (233, 234) feature, in
// collection order and then feature order: pages, kind, paper, tray (" "
// for a substitution). Each row names its entry and feature.
std::vector<TableRow> ExceptionRows(const PageEntries& entries, const LabelText& label);

// One row per page entry whose pages are 1 or more, its cells feature by
// feature in the entry's order, each feature's cells meant for columns 1 to
// 4 and a punch cell for column 4; then one row per image shift. Each row
// names its entry.
std::vector<TableRow> SummaryRows(const PageEntries& entries, const LabelText& label);

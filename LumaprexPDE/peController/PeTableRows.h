// The rows of the page-exception pane's exception table (the paper
// substitutions and inserts held) and summary table (every page exception
// held), built from the page collection as the pane reads it. The cells are
// label texts, page numbers and paper names; label gives a label's text as
// the pane shows it.
#pragma once

#include <string>
#include <vector>

#include "PageEntries.h"
#include "PageFeatureLabels.h"

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

// The summary group of the page-exception pane: one row per page entry of
// the page collection and one per image shift, built when the group is
// chosen and after every change of the collection, and deleting them. A row
// stands for its whole entry: its Delete takes out that entry with every
// feature it holds, and nothing else.
#include "JSE_Records.h"
#include "PeTableRows.h"
#include "peController.h"
#include "zqController.h"

void peController::declareSummary() {
    declareOutlet("summaryListView", summaryListView);
    declareOutlet("summaryDeleteButton", summaryDeleteButton);
    declareOutlet("summaryDeleteAllButton", summaryDeleteAllButton);
    declareAction("selectDeleteSummaryItem:", &peController::selectDeleteSummaryItem);
    declareAction("selectDeleteAllSummaryItem:", &peController::selectDeleteAllSummaryItem);
}

void peController::setupSummary() {
    setupColumns(*summaryListView, _summaryColumns, {13013, 13113, 13114, 13067, 13072});
    summaryListView->setEnabled(false);
    summaryDeleteButton->setEnabled(false);
    summaryDeleteAllButton->setEnabled(false);
}

void peController::constructPeSummaryList() {
    _summaryList = SummaryRows(ReadPageEntries(_zqJSEController), [this](int id) { return getNSStringWithID(id); });
    for (const TableRow& row : _summaryList) widenColumns(*summaryListView, _summaryColumns, row);
    summaryListView->reloadData();
    const bool rows = !_summaryList.empty();
    if (rows) summaryListView->setEnabled(true);
    summaryDeleteButton->setEnabled(rows);
    summaryDeleteAllButton->setEnabled(rows);
}

void peController::selectDeleteSummaryItem(platform::Control&) {
    const auto remove = [this](const TableRow& row) { return removeSummaryRow(row); };
    if (!deleteSelectedRows(*summaryListView, _summaryList, remove)) return;
    if (_summaryList.empty()) {
        summaryDeleteButton->setEnabled(false);
        summaryDeleteAllButton->setEnabled(false);
    }
    _summaryListChanged = true;
    postExceptionUpdate();
}

// The entry the row shows, found as the collection holds it now; a row
// whose entry is gone deletes nothing. The layout the row shows leaves the
// layout list too, so that no later layout change brings it back. Refused,
// with the entry kept, when the pages cannot do without what it holds.
bool peController::removeSummaryRow(const TableRow& row) {
    if (!_zqJSEController) return true;
    const int index = FindShownEntry(ReadPageEntries(_zqJSEController), row.source);
    if (index < 0) return true;
    if (row.source.image) {
        _zqJSEController->JSE_PageCollection_RemoveImageAlignOnPages(row.source.shift.pages.start,
                                                                     row.source.shift.pages.end);
        return true;
    }
    const PageRange pages = row.source.entry.pages;
    if (judgeTakingAway(pages, row.source.entry.features, index) != 0) return false;
    _zqJSEController->JSE_PageCollection_RemovePageAt(index);
    for (const PageFeature& f : row.source.entry.features) {
        if (IsLayoutCode(f.code)) _zqJSEController->JSE_RemovePageFeature(pages.start, pages.end, f.code, kPeNotSet);
    }
    return true;
}

void peController::selectDeleteAllSummaryItem(platform::Control&) {
    if (_zqJSEController) _zqJSEController->JSE_PageCollection_RemoveAllPages();
    _summaryList.clear();
    summaryDeleteButton->setEnabled(false);
    summaryDeleteAllButton->setEnabled(false);
    summaryListView->reloadData();
    _summaryListChanged = true;
    postExceptionUpdate();
}

// The summary group of the page-exception pane: one row per page entry of
// the page collection and one per image shift, built when the group is
// chosen, and deleting them. A row stands for its whole entry: its Delete
// takes out that entry with every feature it holds, and nothing else.
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
    const bool deleted = deleteSelectedRows(*summaryListView, _summaryList, [this](const TableRow& row) {
        if (!_zqJSEController) return;
        const RowSource& entry = row.source;
        if (entry.image) {
            int first = -1, last = -1;
            _zqJSEController->JSE_PageCollection_GetImagePageNumber(entry.index, first, last);
            _zqJSEController->JSE_PageCollection_RemoveImageAlignOnPages(first, last);
        } else {
            _zqJSEController->JSE_PageCollection_RemovePageAt(entry.index);
        }
        ForgetEntry(_summaryList, entry);
    });
    if (!deleted) return;
    if (_summaryList.empty()) {
        summaryDeleteButton->setEnabled(false);
        summaryDeleteAllButton->setEnabled(false);
    }
    _summaryListChanged = true;
    postExceptionUpdate();
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

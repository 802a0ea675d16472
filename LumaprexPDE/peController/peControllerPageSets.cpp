// Page sets of the page-exception pane: the page field and its entries, the
// sorted set list in the set table, deleting sets, the all-sets box, the
// rebuilding of the sets from the settings, and the target ranges of the
// apply actions. Page sets live only in the dialog: nothing here reaches
// the bridge, and deleting a set leaves the page exceptions of its pages.
#include <algorithm>
#include <set>

#include "AlertPanel.h"
#include "peController.h"
#include "pageSetController.h"

void peController::declarePageSets() {
    declareOutlet("_pageSetController", _pageSetController);
    declareOutlet("pageEditorField", pageEditorField);
    declareOutlet("enterPageButton", enterPageButton);
    declareOutlet("pageSetView", pageSetView);
    declareOutlet("deletePageRange", deletePageRange);
    declareOutlet("selectAllSetCheck", selectAllSetCheck);
    declareOutlet("pageRange", pageRange);
    declareOutlet("pageExample", pageExample);
    declareAction("selectEnterPageButton:", &peController::selectEnterPageButton);
    declareAction("selectDeleteSet:", &peController::selectDeleteSet);
    declareAction("selectAllSets:", &peController::selectAllSets);
}

void peController::setupPageSets() {
    pageRange->setStringValue(getNSStringWithID(13064));
    pageExample->setStringValue(getNSStringWithID(13144));
    deletePageRange->setTitle(getNSStringWithID(10093));
    selectAllSetCheck->setTitle(getNSStringWithID(13187));
    // Two columns sharing the table's width: first page and last page.
    const double width = static_cast<int>(pageSetView->width() / 2 - 3);
    const int headers[] = {13049, 13050};
    for (std::size_t i = 0; i < pageSetView->tableColumns().size() && i < std::size(headers); ++i) {
        platform::TableColumn& column = pageSetView->tableColumns()[i];
        column.title = getNSStringWithID(headers[i]);
        column.minWidth = column.width = column.maxWidth = width;
    }
    deletePageRange->setEnabled(false);
    selectAllSetCheck->setEnabled(false);
    enterPageButton->setEnabled(false);
}

// The sets of the settings, each once: a set the file holds twice is one
// set, as the selector keeps it.
void peController::restorePageSets() {
    clearPageSets();
    const platform::Array sets = group()["pageSets"].array();
    for (const platform::Value& set : sets) {
        const PageRange pages{set["startPage"].intValue(), set["endPage"].intValue()};
        // A set from a file outside the pages a job can have is left out.
        if (pages.start < kFirstPage || pages.end > kLastPage || pages.start > pages.end) continue;
        if (std::find(_pageSetList.begin(), _pageSetList.end(), pages) != _pageSetList.end()) continue;
        AddPeSetRecord(pages.start, pages.end);
    }
}

// The page field ---------------------------------------------------------------

void peController::pageFieldDidChange(platform::TextField& field) {
    field.setStringValue(numberFormatter(field.stringValue(), kPageFieldTag));
    enterPageButton->setEnabled(!field.stringValue().empty());
}

std::string peController::numberFormatter(const std::string& text, int) const {
    FilteredPageText filtered = FilterPageText(text);
    if (filtered.refused) platform::Beep();
    return std::move(filtered.text);
}

void peController::selectEnterPageButton(platform::Control&) {
    verifyTextField(kPageFieldTag);
    enterPageButton->setEnabled(false);
}

void peController::verifyTextField(int) {
    const PageSetEntry entry = EnterPageSets(pageEditorField->stringValue(), _pageSetList);
    for (const PageRange& set : entry.accepted) AddPeSetRecord(set.start, set.end);
    pageEditorField->setStringValue(entry.field);
    if (!entry.errors.empty()) {
        showAlert(PageRangeAlertText(entry.errors, [this](int id) { return getNSStringWithID(id); }));
    }
    pageSetView->reloadData();
}

// The set list ----------------------------------------------------------------

void peController::AddPeSetRecord(int start, int end) {
    const auto later = std::find_if(_pageSetList.begin(), _pageSetList.end(),
                                    [&](const PageRange& set) { return set.start > start; });
    const int row = static_cast<int>(later - _pageSetList.begin());
    _pageSetList.insert(later, PageRange{start, end});
    _pageSetController->AddPeSetRecord(start, end);
    pageSetView->reloadData();
    if (_pageSetList.size() >= 2) selectAllSetCheck->setEnabled(true);
    if (AllSetsSelected()) selectEveryPageSet();
    else selectPageSetRow(row);
}

std::vector<std::string> peController::pageSetRow(int row) const {
    const PageRange& set = _pageSetList[static_cast<std::size_t>(row)];
    return {platform::FormatInteger(set.start), platform::FormatInteger(set.end)};
}

void peController::pageSetSelectionDidChange(platform::TableView& table) {
    if (_pageSetList.empty()) return;
    deletePageRange->setEnabled(true);
    if (!table.selectedRowIndexes().empty()) _pageSetController->SetSelectedRow(*table.selectedRowIndexes().begin());
}

void peController::selectPageSetRow(int row) {
    // Through an empty selection, so that the handler hears of the row even
    // when the table had selected that index already.
    pageSetView->deselectAll();
    pageSetView->selectRow(row, false);
}

// Selects every set, which keeps the strip of the selector disabled.
void peController::selectEveryPageSet() {
    std::set<int> rows;
    for (int row = 0; row < static_cast<int>(_pageSetList.size()); ++row) rows.insert(row);
    pageSetView->selectRowIndexes(rows, false);
    _pageSetController->EnablePageGroup(1);
}

void peController::selectDeleteSet(platform::Control&) {
    std::set<int> rows = pageSetView->selectedRowIndexes();
    std::erase_if(rows, [&](int row) { return row >= static_cast<int>(_pageSetList.size()); });
    if (rows.empty()) return;
    // Exactly the rows selected, from the last to the first.
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
        const PageRange set = _pageSetList[static_cast<std::size_t>(*row)];
        _pageSetController->RemovePeSetRecord(set.start, set.end);
        _pageSetList.erase(_pageSetList.begin() + *row);
    }
    pageSetView->reloadData();
    if (!_pageSetList.empty()) {
        // The row that took the first deleted one's place, or the last row.
        selectPageSetRow(std::min(*rows.begin(), static_cast<int>(_pageSetList.size()) - 1));
        return;
    }
    clearPageSets();
}

// All sets and target ranges -----------------------------------------------------

void peController::selectAllSets(platform::Control&) { allSetsChanged(AllSetsSelected() != 0); }

// Off, the box holds no set still: the table, the strip with its window
// and the current set's own selection come back, and the apply buttons
// wait for that selection. The page field stays open either way.
void peController::allSetsChanged(bool on) {
    pageSetView->setEnabled(!on);
    enableApplyButtons(on);
    if (on) {
        selectEveryPageSet();
    } else {
        // Before the row is shown, so that a small set's boxes end disabled.
        _pageSetController->EnablePageGroup(0);
        if (!_pageSetList.empty()) selectPageSetRow(0);
    }
    enableSubsetBox();
    enableLayout();
}

// No set left: the box goes off the whole way and cannot be turned on, and
// nothing is a target any more.
void peController::clearPageSets() {
    _pageSetList.clear();
    pageSetView->reloadData();
    deletePageRange->setEnabled(false);
    selectAllSetCheck->setState(0);
    selectAllSetCheck->setEnabled(false);
    allSetsChanged(false);
    _pageSetController->removeAllPeSets();
    enableForSelection(false);
}

int peController::AllSetsSelected() const { return selectAllSetCheck->state(); }

void peController::enableApplyButtons(bool enabled) {
    for (platform::Button* button : {exceptionUpdateButton, subsetButton, layoutUpdateButton, imageAlignButton})
        button->setEnabled(enabled);
}

std::vector<PageRange> peController::collectTargetRanges(Runs runs) const {
    PageSelection selection;
    selection.allSets = AllSetsSelected() == 1;
    selection.sets = _pageSetList;
    selection.allPages = _pageSetController->AllPagesSelected() == 1;
    selection.current = _pageSetController->getSelectedAllPages();
    for (int i = 0; i < _pageSetController->getSelectedPageCount(); ++i) {
        if (const auto run = _pageSetController->getSelectedPage(i)) selection.runs.push_back(*run);
    }
    return TargetRanges(selection, runs);
}

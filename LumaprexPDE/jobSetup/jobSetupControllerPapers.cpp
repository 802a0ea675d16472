// The job-setup pane's paper table and paper-kind buttons. The table lists
// the catalog's papers in catalog order; for every paper but the body's it
// starts with the row "<<Body Paper>>", which stands for the body paper and
// is sent as -1 without a name. Choosing a row sends it as the paper of the
// chosen kind; showing a stored paper never sends it.
#include "JSE_Records.h"
#include "jobSetupController.h"

// Paper-kind buttons ---------------------------------------------------------

void jobSetupController::selectBodyPaper(platform::Control&) { bodyPaper(); }
void jobSetupController::selectFrontCoverPaper(platform::Control&) { showPaperKind(2002); }
void jobSetupController::selectBackCoverPaper(platform::Control&) { showPaperKind(2004); }
void jobSetupController::selectInterleavePaper(platform::Control&) { showPaperKind(2005); }
void jobSetupController::selectSeparatorPaper(platform::Control&) { showPaperKind(2008); }

void jobSetupController::bodyPaper() { showPaperKind(2000); }

// The cover modes belong to the covers, whose table is there only while
// the cover is printed; every other kind always has its table.
void jobSetupController::showPaperKind(int tag) {
    const ImageButton& button = *PaperButton(tag);
    const PaperKind& kind = *PaperKindOf(tag);
    selectButton(_lastPaper, button);
    if (selectPaperText) selectPaperText->setStringValue(statusText(13047, button.label));
    const bool cover = tag == 2002 || tag == 2004;
    enableCover(cover);
    addVirtualPaper(tag != 2000);
    updatePaperSelection(kind);
    if (cover) changeCoverMode(tag == 2002 ? "frontCoverMode" : "backCoverMode");
    else if (paperTableView) paperTableView->setEnabled(true);
}

const jobSetupController::PaperKind* jobSetupController::selectedPaperKind() const {
    return _lastPaper.selected ? PaperKindOf(_lastPaper.selected->tag()) : nullptr;
}

// The virtual row ------------------------------------------------------------

// Without the virtual row the body paper is shown again. Nothing before the
// first catalog arrives.
void jobSetupController::addVirtualPaper(bool add) {
    if (_paperCatalog.numberOfRows() == 0 || add == _paperCatalog.hasVirtualPaper()) return;
    putBack([&] {
        if (add) _paperCatalog.addVirtualPaper();
        else _paperCatalog.removeVirtualPaper();
        if (!paperTableView) return;
        paperTableView->reloadData();
        if (add) return;
        const int row = _paperCatalog.findPaperIndex(storedText("bodyPaper"));
        paperTableView->selectRow(row, false);
        paperTableView->scrollRowToVisible(row);
    });
}

// An empty name is the body paper, the first row of the table.
void jobSetupController::updatePaperSelection(const PaperKind& kind) {
    if (!paperTableView) return;
    const int row = _paperCatalog.findPaperIndex(storedText(kind.key));
    putBack([&] {
        paperTableView->deselectAll();
        paperTableView->selectRow(row, false);
        paperTableView->scrollRowToVisible(row);
    });
}

// The table ------------------------------------------------------------------

int jobSetupController::numberOfRowsInTableView(platform::TableView&) { return _paperCatalog.numberOfRows(); }

std::string jobSetupController::objectValueForTableColumn(platform::TableView&, const platform::TableColumn& column,
                                                          int row) {
    return _paperCatalog.cell(column.identifier, row, [this](int id) { return getNSStringWithID(id); });
}

void jobSetupController::tableViewSelectionDidChange(platform::TableView& table) {
    const int row = table.selectedRow();
    const PaperKind* kind = selectedPaperKind();
    if (row < 0 || !kind) return;
    if (handleFeature(kind->feature, _paperCatalog.featureValue(row), _paperCatalog.featureText(row), 0) != 0)
        return undo(kind->feature);
    updateJobSetupDict(kind->dictCase);
}

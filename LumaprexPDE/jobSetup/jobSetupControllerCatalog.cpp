// The job-setup pane and the paper catalog: the bridge's paper table as the
// pane's own copy, the path of the catalog in use, another catalog file
// picked in the open panel and loaded by the bridge, and the table's column
// widths.
#include "NotificationCenter.h"
#include "OpenPanel.h"
#include "jobSetupController.h"

namespace {

// Every occurrence of the part replaced by the text, which is not searched
// again.
std::string ReplaceAll(std::string text, std::string_view part, std::string_view by) {
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + by.size()))
        text.replace(at, part.size(), by);
    return text;
}

}  // namespace

// The bridge answers by notifications: the path, the column widths, the
// load's end and the new table, or the failure.
void jobSetupController::selectPaperCatalog(platform::Control&) {
    const std::optional<std::string> path = platform::RunOpenPanel({"cat", "CAT"});
    if (!path) return;
    _tempPath = *path;
    platform::NotificationCenter::Default().post("zqController::loadPaperCatalog", _tempPath);
}

// The catalog in use stays, and so does the table.
void jobSetupController::listenLoadPaperCatalogError(const platform::Notification&) {
    if (paperCatalogPathText) paperCatalogPathText->setStringValue(_currentCatalogPath);
    showAlert(ReplaceAll(getNSStringWithID(16028), "%s", _tempPath));
}

void jobSetupController::listenLoadPaperCatalogComplete(const platform::Notification&) { _currentCatalogPath = _tempPath; }

void jobSetupController::listenPaperCatalogPathUpdate(const platform::Notification& notification) {
    _currentCatalogPath = notification.object.text();
}

// A new table comes without the virtual row. The first row is selected, or,
// while a paper kind is chosen, that kind's stored paper with the virtual
// row it needs; neither is sent.
void jobSetupController::listenPaperCatalogUpdate(const platform::Notification& notification) {
    _paperCatalog.setCatalog(notification.object.dictionary());
    if (paperTableView) {
        paperTableView->reloadData();
        putBack([this] {
            paperTableView->selectRow(0, false);
            if (const PaperKind* kind = selectedPaperKind()) {
                addVirtualPaper(kind->tag != 2000);
                updatePaperSelection(*kind);
            }
        });
    }
    if (paperCatalogPathText) paperCatalogPathText->setStringValue(_currentCatalogPath);
}

void jobSetupController::listenColumnSizeUpdate(const platform::Notification& notification) {
    if (paperTableView) PaperTable::sizeColumns(*paperTableView, notification.object);
}

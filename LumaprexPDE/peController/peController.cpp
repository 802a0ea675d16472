// The page-exception pane itself: its observers, its set-up, its settings,
// its end, and the dispatch of its tables and text fields to the concerns
// that own them.
#include "peController.h"

#include "pageSetController.h"

peController::peController() : OptionPane("peController", "Substitution", kPageExceptionLabels) {
    declarePageSets();
    registerZQController();
    registerForTermination();
    registerForJobFeatureUpdate("peSubstitutionController::applySettings");
}

// The selector may be gone already: the interface file ends its objects
// newest first, and the selector ends itself.
peController::~peController() {
    _pageSetController = nullptr;
    termination();
}

void peController::awakeFromNib() { setupPageSets(); }

void peController::applySettings() { restorePageSets(); }

void peController::termination() {
    if (_pageSetController) _pageSetController->termination();
    _pageSetList.clear();
    OptionPane::termination();
}

// Tables -------------------------------------------------------------------------

int peController::numberOfRowsInTableView(platform::TableView& table) {
    if (table.tag() == kPageSetTableTag) return static_cast<int>(_pageSetList.size());
    return 0;
}

std::string peController::objectValueForTableColumn(platform::TableView& table, const platform::TableColumn& column,
                                                    int row) {
    if (row < 0 || row >= numberOfRowsInTableView(table)) return {};
    std::vector<std::string> cells;
    if (table.tag() == kPageSetTableTag) cells = pageSetRow(row);
    const int cell = platform::ReadInt(column.identifier);
    return cell >= 0 && cell < static_cast<int>(cells.size()) ? cells[static_cast<std::size_t>(cell)] : std::string();
}

void peController::tableViewSelectionDidChange(platform::TableView& table) {
    if (table.tag() == kPageSetTableTag) pageSetSelectionDidChange(table);
}

// Text fields ----------------------------------------------------------------------

void peController::controlTextDidChange(platform::TextField& field) {
    if (field.tag() == kPageFieldTag) pageFieldDidChange(field);
}

bool peController::controlTextShouldEndEditing(platform::TextField& field) {
    if (field.tag() == kPageFieldTag) {
        verifyTextField(kPageFieldTag);
        // Read once: a click on Enter that ended the editing finds nothing more to read.
        enterPageButton->setEnabled(false);
    }
    postReadyToPrint();
    return true;
}

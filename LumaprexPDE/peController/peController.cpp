// The page-exception pane itself: its observers, its set-up, its settings,
// its end, and the dispatch of its tables and text fields to the concerns
// that own them.
#include "peController.h"

#include "pageSetController.h"

peController::peController() : OptionPane("peController", "Substitution", kPageExceptionLabels) {
    declarePageSets();
    declareShell();
    declareSummary();
    declareSubstitution();
    declareSubset();
    declareLayout();
    declareImage();
    registerZQController();
    registerPaperCatalogUpdate();
    registerForTermination();
    registerEnableExceptionUpdateButton();
    registerForJobFeatureUpdate("peSubstitutionController::applySettings");
    registerUpdatePeFeature();
    registerFactoryReset();
}

// The selector may be gone already: the interface file ends its objects
// newest first, and the selector ends itself.
peController::~peController() {
    _pageSetController = nullptr;
    termination();
}

void peController::awakeFromNib() {
    setupPageSets();
    setupShell();
    setupSummary();
    setupSubstitution();
    setupSubset();
    setupLayout();
    setupImage();
}

void peController::applySettings() {
    restorePageSets();
    selectPaper(0);
    selectPeSubstitute(*peSubstitute);
    followPageCollection();
}

void peController::termination() {
    if (_pageSetController) _pageSetController->termination();
    _pageSetList.clear();
    _exceptionList.clear();
    _summaryList.clear();
    _paperCatalogDict = {};
    _paperCatalogKeys.clear();
    _paperList.clear();
    _insertFinisherList.clear();
    OptionPane::termination();
}

// Tables -------------------------------------------------------------------------

int peController::numberOfRowsInTableView(platform::TableView& table) {
    switch (table.tag()) {
    case kPageSetTableTag: return static_cast<int>(_pageSetList.size());
    case kExceptionTableTag: return static_cast<int>(_exceptionList.size());
    case kSummaryTableTag: return static_cast<int>(_summaryList.size());
    default: return 0;
    }
}

std::string peController::objectValueForTableColumn(platform::TableView& table, const platform::TableColumn& column,
                                                    int row) {
    if (row < 0 || row >= numberOfRowsInTableView(table)) return {};
    const int index = platform::ReadInt(column.identifier);
    switch (table.tag()) {
    case kPageSetTableTag: {
        const std::vector<std::string> cells = pageSetRow(row);
        return index >= 0 && index < static_cast<int>(cells.size()) ? cells[static_cast<std::size_t>(index)] : "";
    }
    case kExceptionTableTag: return cell(_exceptionList, row, index);
    case kSummaryTableTag: return cell(_summaryList, row, index);
    default: return {};
    }
}

std::string peController::cell(const std::vector<TableRow>& rows, int row, int column) {
    const std::vector<std::string>& cells = rows[static_cast<std::size_t>(row)].cells;
    return column >= 0 && column < static_cast<int>(cells.size()) ? cells[static_cast<std::size_t>(column)] : "";
}

void peController::tableViewSelectionDidChange(platform::TableView& table) {
    if (table.tag() == kPageSetTableTag) pageSetSelectionDidChange(table);
    if (table.tag() == kExceptionTableTag && !_exceptionList.empty()) exceptionDeleteButton->setEnabled(true);
}

// Text fields ----------------------------------------------------------------------

namespace {

// The index of an image-shift field's tag; none for any other tag.
std::optional<int> ImageShiftIndex(int tag) {
    const int offset = tag - peController::kImageShiftFirstTag;
    if (offset < 0 || offset >= 2 * peController::kImageShiftFields || offset % 2 != 0) return std::nullopt;
    return offset / 2;
}

}  // namespace

void peController::controlTextDidChange(platform::TextField& field) {
    if (field.tag() == kPageFieldTag) pageFieldDidChange(field);
    if (const std::optional<int> index = ImageShiftIndex(field.tag())) imageShiftEdited(*index);
}

void peController::controlTextDidEndEditing(platform::TextField& field) {
    if (const std::optional<int> index = ImageShiftIndex(field.tag())) imageShiftEditingEnded(*index);
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

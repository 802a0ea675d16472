// The page-exception pane's shell, which its groups share: the six group
// buttons over the inner tab view, the validation box, the page-set
// selector's enable signal, the column sizing and row deleting of its
// tables, and the "Substitution" group of the job-feature dictionary.
#include <algorithm>

#include "PageFeatureList.h"
#include "pageSetController.h"
#include "peController.h"
#include "zqController.h"

namespace {

constexpr char kUpdatePeFeatureNotification[] = "peSubstitutionController::updatePeFeature";
constexpr char kExceptionUpdateNotification[] = "finishingController::exceptionUpdate";
constexpr int kColumnReference = 80;

}  // namespace

void peController::declareShell() {
    declareOutlet("peSubstitute", peSubstitute);
    declareOutlet("peInsert", peInsert);
    declareOutlet("peSubset", peSubset);
    declareOutlet("peLayout", peLayout);
    declareOutlet("peImage", peImage);
    declareOutlet("peSummary", peSummary);
    declareOutlet("peMainTabView", peMainTabView);
    declareOutlet("validationWarning", validationWarning);
    declareOutlet("pageFeatureTitle", pageFeatureTitle);
    declareAction("selectPeSubstitute:", &peController::selectPeSubstitute);
    declareAction("selectPeInsert:", &peController::selectPeInsert);
    declareAction("selectPeSubset:", &peController::selectPeSubset);
    declareAction("selectPeLayout:", &peController::selectPeLayout);
    declareAction("selectPeImage:", &peController::selectPeImage);
    declareAction("selectPeSummary:", &peController::selectPeSummary);
    declareAction("selectWarningButton:", &peController::selectWarningButton);
}

void peController::setupShell() {
    setupToolTips();
    selectPeSubstitute(*peSubstitute);
    pageFeatureTitle->setStringValue(getNSStringWithID(13061));
    validationWarning->setTitle(getNSStringWithID(12040));
    // The box shows what the pane does: it checks from the start.
    validationWarning->setState(_PeValidation);
}

void peController::setupToolTips() {
    const std::pair<platform::Button*, int> tips[] = {{peSubstitute, 13061}, {peInsert, 10014}, {peSubset, 13146},
                                                      {peLayout, 13021},     {peImage, 13120},  {peSummary, 13007}};
    for (const auto& [button, label] : tips) button->setToolTip(getNSStringWithID(label));
}

// Observers ---------------------------------------------------------------------

void peController::registerEnableExceptionUpdateButton() {
    observe(kEnableUpdateNotification, [this](const auto& note) { listenEnableUpdateButton(note); });
}

void peController::listenEnableUpdateButton(const platform::Notification& notification) {
    enableForSelection(notification.object.intValue() != 0);
}

void peController::enableForSelection(bool selected) {
    // With the all-sets box on every set is a target, whatever the strip
    // shows (adding a set with the box on empties the strip).
    const bool targets = selected || AllSetsSelected() == 1;
    for (platform::Button* button : {exceptionUpdateButton, layoutUpdateButton}) button->setEnabled(targets);
    for (platform::Button* button : {subsetUpdateButton, imageUpdateButton}) {
        if (!targets) button->setEnabled(false);
    }
    imageAlignButton->setEnabled(targets);
    exceptionDeleteButton->setEnabled(!_exceptionList.empty());
    // Every new selection starts the subset and image-shift groups off, the
    // shift at zero; the groups' current values stay.
    subsetButton->setState(0);
    enableSubsetBox();
    updateSubsetTitle();
    enableLayout();
    imageAlignButton->setState(0);
    selectImageAlignSide1Reset(*imageAlignResetButton);
    enableImageAligns();
}

void peController::registerUpdatePeFeature() {
    observe(kUpdatePeFeatureNotification, [this](const auto& note) { listenUpdatePeFeatureNotification(note); });
}

void peController::listenUpdatePeFeatureNotification(const platform::Notification&) {
    followPageCollection();
    updatePEFeatures();
}

void peController::postExceptionUpdate() {
    platform::NotificationCenter::Default().post(kExceptionUpdateNotification);
}

// Groups ------------------------------------------------------------------------

void peController::selectPeSubstitute(platform::Control&) {
    showGroup({&peController::peSubstitute, "substitution2.icns", "substitution1.icns", 0});
    showPaperGroup(false);
}

void peController::selectPeInsert(platform::Control&) {
    showGroup({&peController::peInsert, "insert2.icns", "insert1.icns", 0});
    showPaperGroup(true);
}

void peController::selectPeSubset(platform::Control&) {
    showGroup({&peController::peSubset, "subset2.icns", "subset1.icns", 2});
}

void peController::selectPeLayout(platform::Control&) {
    showGroup({&peController::peLayout, "pelayout2.icns", "pelayout1.icns", 3});
}

void peController::selectPeImage(platform::Control&) {
    showGroup({&peController::peImage, "peimage2.icns", "peimage1.icns", 4});
}

void peController::selectPeSummary(platform::Control&) {
    showGroup({&peController::peSummary, "pesummary2.icns", "pesummary1.icns", 5});
    constructPeSummaryList();
}

void peController::showGroup(const GroupButton& group) {
    if (lastSelected) selectThisButton(lastSelected, lastSelectedName);
    platform::Button* button = this->*group.button;
    selectThisButton(button, group.selectedImage);
    lastSelected = button;
    lastSelectedName = group.normalImage;
    peMainTabView->selectTabViewItemAtIndex(group.page);
}

void peController::showPaperGroup(bool insert) {
    for (platform::View* control : std::initializer_list<platform::View*>{insertExitText, insertFinisherCombo,
                                                                          insertLocationMatrix})
        control->setHidden(!insert);
    if (!_summaryListChanged) return;
    constructSubstitutionList();
    _summaryListChanged = false;
}

void peController::selectThisButton(platform::Button* button, std::string_view name) {
    if (!button || name.empty() || !_pluginBundle) return;
    const std::filesystem::path path = _pluginBundle.pathForResource(name);
    if (path.empty()) return;
    if (std::optional<platform::Image> image = platform::Image::FromFile(path)) button->setImage(std::move(image));
}

void peController::declareOptionButtons(std::span<const OptionButton> buttons) {
    for (const OptionButton& row : buttons) {
        declareOutlet(row.outlet, this->*row.button);
        declareAction(row.actionName, row.action);
    }
}

void peController::setOptionToolTips(std::span<const OptionButton> buttons) {
    for (const OptionButton& row : buttons) (this->*row.button)->setToolTip(getNSStringWithID(row.toolTip));
}

void peController::switchRow(ChosenButton& row, const OptionButton& chosen) {
    if (row.button) selectThisButton(row.button, row.normalImage);
    platform::Button* button = this->*chosen.button;
    selectThisButton(button, chosen.selectedImage);
    row = {button, chosen.normalImage};
}

void peController::setGroupTitle(platform::TextField* text, int head, int value) {
    text->setStringValue(getNSStringWithID(head) + " - " + getNSStringWithID(value));
}

void peController::confirmGroupUpdate(const std::string& settings) {
    showAlert(getNSStringWithID(16035) + "\n\n" + getNSStringWithID(13061) + ": " + settings);
    followPageCollection();
    updatePEFeatures();
    broadcastJobFeatures();
}

// Validation --------------------------------------------------------------------

void peController::selectWarningButton(platform::Control&) {
    if (validationWarning->state() == 0) {
        showAlert(getNSStringWithID(17283));
        _PeValidation = 0;
    } else {
        _PeValidation = 1;
    }
    if (_zqJSEController) _zqJSEController->SetPEValidation(_PeValidation);
}

// Tables ------------------------------------------------------------------------

void peController::setupColumns(platform::TableView& table, std::vector<int>& widths,
                                std::initializer_list<int> headers) const {
    widths.clear();
    for (int label : headers) {
        const std::string title = getNSStringWithID(label);
        widths.push_back(getMaxStringWidth(title, kColumnReference));
        platform::TableColumn* column = table.tableColumnWithIdentifier(platform::FormatInteger(widths.size() - 1));
        if (!column) continue;
        column->title = title;
        column->headerEditable = false;
        column->minWidth = kColumnReference;
        column->width = column->maxWidth = widths.back();
    }
}

void peController::widenColumns(platform::TableView& table, std::vector<int>& widths, const TableRow& row) const {
    for (std::size_t i = 0; i < row.cells.size(); ++i) {
        const std::size_t index = static_cast<std::size_t>(row.columns[i]);
        if (index >= widths.size()) continue;
        const int width = getMaxStringWidth(row.cells[i], kColumnReference);
        if (width <= widths[index]) continue;
        widths[index] = width;
        if (platform::TableColumn* column = table.tableColumnWithIdentifier(platform::FormatInteger(index))) {
            column->minWidth = kColumnReference;
            column->width = column->maxWidth = width;
        }
    }
}

void peController::followPageCollection() {
    constructSubstitutionList();
    constructPeSummaryList();
}

bool peController::deleteSelectedRows(platform::TableView& table, std::vector<TableRow>& rows,
                                      const std::function<bool(const TableRow&)>& remove) {
    const std::set<int> selected = table.selectedRowIndexes();
    std::optional<int> lowest;
    for (auto row = selected.rbegin(); row != selected.rend(); ++row) {
        if (*row >= static_cast<int>(rows.size())) continue;
        const TableRow removed = rows[static_cast<std::size_t>(*row)];
        if (!remove(removed)) break;
        rows.erase(rows.begin() + *row);
        lowest = *row;
    }
    if (!lowest) return false;
    const int kept = std::max(*lowest - 1, 0);
    table.selectRow(kept, false);
    table.scrollRowToVisible(kept);
    table.reloadData();
    return true;
}

// The "Substitution" group -----------------------------------------------------------

void peController::updatePEFeatures() {
    if (!_jobFeatureDict) return;
    platform::Dictionary substitution = group();
    substitution.set("pageSets", PageSetList(_pageSetList));
    substitution.set("pageFeatures", PageFeatureList(ReadPageEntries(_zqJSEController)));
    _jobFeatureDict->set("Substitution", substitution);
}

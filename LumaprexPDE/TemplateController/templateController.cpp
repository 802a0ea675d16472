// The template and summary pane: its life cycle, the template list with its
// actions, and the data source of both tables.
#include "templateController.h"

#include <algorithm>
#include <set>

#include "AlertPanel.h"
#include "OpenPanel.h"
#include "PropertyList.h"
#include "SavePanel.h"
#include "TemplateFileSize.h"

namespace {

constexpr char kUpdateListNotification[] = "templateController::updateList";
constexpr char kLoadSettingsNotification[] = "zqController::LoadSettings";

// Why a template was not saved: larger than a template may be, or not
// written.
constexpr int kTemplateTooLargeLabel = 17310;
constexpr int kTemplateNotWrittenLabel = 17311;

// The template list's column: never narrower than this.
constexpr int kTemplateColumnMinWidth = 80;

}  // namespace

templateController::templateController() : OptionPane("templateController", "", kTemplateLabels) {
    // The one pane that starts with a dictionary: a template saved before
    // the first settings arrive holds no groups.
    _jobFeatureDict = platform::Dictionary();
    declareOutletsAndActions();
    registerUpdateSummaryList();
    registerForJobFeatureUpdate(kTemplateSettingsNotification);
    initPunchPatterns();
}

void templateController::declareOutletsAndActions() {
    declareOutlet("applytemplate", applytemplate);
    declareOutlet("opentemplate", opentemplate);
    declareOutlet("savetemplate", savetemplate);
    declareOutlet("deleteTemplate", deleteTemplate);
    declareOutlet("deleteAllTemplate", deleteAllTemplate);
    declareOutlet("resetFactory", resetFactory);
    declareOutlet("summaryListView", summaryListView);
    declareOutlet("templateListView", templateListView);
    declareOutlet("templateTabView", templateTabView);
    declareOutlet("versionText", versionText);
    declareOutlet("copyRightString", copyRightString);
    declareOutlet("legalText", legalText);
    declareOutlet("licenseButton", licenseButton);
    declareOutlet("licenseView", licenseView);
    declareOutlet("buildText", buildText);
    declareOutlet("oemString", oemString);
    declareOutlet("aboutButton", aboutButton);
    declareAction("selectOpenTemplate:", &templateController::selectOpenTemplate);
    declareAction("selectSaveTemplate:", &templateController::selectSaveTemplate);
    declareAction("selectApplyTemplate:", &templateController::selectApplyTemplate);
    declareAction("selectDeleteTemplate:", &templateController::selectDeleteTemplate);
    declareAction("selectDeleteAllTemplate:", &templateController::selectDeleteAllTemplate);
    declareAction("selectResetFactory:", &templateController::selectResetFactory);
    declareAction("selectAboutButton:", &templateController::selectAboutButton);
    declareAction("selectLicense:", &templateController::selectLicense);
}

void templateController::registerUpdateSummaryList() {
    observe(kUpdateListNotification, [this](const auto& note) { listenForUpdateSummaryList(note); });
}

void templateController::listenForUpdateSummaryList(const platform::Notification&) { updateSummaryList(); }

void templateController::awakeFromNib() {
    if (summaryListView) {
        const std::pair<const char*, int> headers[] = {{"0", 13113}, {"1", 13114}};
        for (const auto& [identifier, label] : headers) {
            if (platform::TableColumn* column = summaryListView->tableColumnWithIdentifier(identifier)) {
                column->title = getNSStringWithID(label);
                column->headerEditable = false;
            }
        }
    }
    showBuildAndProduct();
    if (platform::TableColumn* column = templateListView ? templateListView->tableColumnWithIdentifier("0") : nullptr) {
        column->minWidth = kTemplateColumnMinWidth;
        column->width = 120;
        column->title = getNSStringWithID(13009);
    }
    enableDeleteButtons();
    setTitlesAndToolTips();
}

// Template list --------------------------------------------------------------

void templateController::selectOpenTemplate(platform::Control&) {
    if (const std::optional<std::string> path = platform::RunOpenPanel()) addTemplateItem(*path);
}

void templateController::selectSaveTemplate(platform::Control&) {
    _savefileName = getNSStringWithID(10106);
    const std::optional<std::string> path = platform::RunSavePanel(_savefileName);
    if (path && saveTemplate(*path)) addTemplateItem(*path);
}

// A template that cannot be written, or that is larger than the bridge
// applies, is not written or listed: applying it could only fail later, far
// from the save that went wrong.
bool templateController::saveTemplate(const std::string& path) {
    platform::PropertyListError error = platform::PropertyListError::None;
    if (platform::WritePropertyListFile(path, platform::Value(*_jobFeatureDict), &error, kMaxTemplateFileSize))
        return true;
    std::string message = getNSStringWithID(error == platform::PropertyListError::TooLarge ? kTemplateTooLargeLabel
                                                                                          : kTemplateNotWrittenLabel);
    if (const std::size_t at = message.find("%s"); at != std::string::npos) message.replace(at, 2, path);
    showAlert(message);
    return false;
}

void templateController::selectApplyTemplate(platform::Control&) {
    const int row = selectedTemplate();
    if (row < 0) return;
    platform::NotificationCenter::Default().post(kLoadSettingsNotification, templateList[static_cast<std::size_t>(row)]);
}

void templateController::selectDeleteTemplate(platform::Control&) {
    const int row = selectedTemplate();
    if (row < 0) return;
    templateList.erase(templateList.begin() + row);
    reloadTemplateList();
    enableDeleteButtons();
}

void templateController::selectDeleteAllTemplate(platform::Control&) {
    if (templateList.empty()) return;
    templateList.clear();
    reloadTemplateList();
    enableDeleteButtons();
}

void templateController::selectResetFactory(platform::Control&) {
    platform::Alert alert(getNSStringWithID(16037), getNSStringWithID(10001), getNSStringWithID(10105));
    alert.informational = true;
    if (platform::RunAlert(alert) == platform::AlertAnswer::Default) {
        platform::NotificationCenter::Default().post(kFactoryResetNotification);
    }
}

void templateController::addTemplateItem(const std::string& path) {
    if (std::find(templateList.begin(), templateList.end(), path) != templateList.end()) return;
    templateList.push_back(path);
    enableDeleteButtons();
    int width = kTemplateColumnMinWidth;
    for (const std::string& listed : templateList) width = std::max(width, getMaxStringWidth(listed, width));
    if (platform::TableColumn* column = templateListView ? templateListView->tableColumnWithIdentifier("0") : nullptr) {
        column->minWidth = kTemplateColumnMinWidth;
        column->width = column->maxWidth = width;
    }
    reloadTemplateList();
    std::set<int> rows;
    for (int row = 0; row < static_cast<int>(templateList.size()); ++row) rows.insert(row);
    if (templateListView) templateListView->selectRowIndexes(rows, true);
}

void templateController::enableDeleteButtons() {
    enableTemplateButtons(!templateList.empty(), !templateList.empty(), templateList.size() >= 2);
}

void templateController::enableTemplateButtons(bool apply, bool remove, bool removeAll) {
    if (applytemplate) applytemplate->setEnabled(apply);
    if (deleteTemplate) deleteTemplate->setEnabled(remove);
    if (deleteAllTemplate) deleteAllTemplate->setEnabled(removeAll);
}

void templateController::reloadTemplateList() {
    if (templateListView) templateListView->reloadData();
}

int templateController::selectedTemplate() const {
    const int row = templateListView ? templateListView->selectedRow() : -1;
    return row >= 0 && row < static_cast<int>(templateList.size()) ? row : -1;
}

// Tables ---------------------------------------------------------------------

int templateController::numberOfRowsInTableView(platform::TableView& table) {
    switch (table.tag()) {
    case kTemplateListTag: return static_cast<int>(templateList.size());
    case kSummaryListTag: return static_cast<int>(_summaryList.size());
    default: return 0;
    }
}

std::string templateController::objectValueForTableColumn(platform::TableView& table,
                                                          const platform::TableColumn& column, int row) {
    if (row < 0) return {};
    const auto index = static_cast<std::size_t>(row);
    if (table.tag() == kTemplateListTag) return index < templateList.size() ? templateList[index] : std::string();
    if (table.tag() != kSummaryListTag || index >= _summaryList.size()) return {};
    switch (platform::ReadInt(column.identifier)) {
    case 0: return _summaryList[index].first;
    case 1: return _summaryList[index].second;
    default: return {};
    }
}

void templateController::tableViewSelectionDidChange(platform::TableView& table) {
    if (table.tag() != kTemplateListTag) return;
    const bool selected = selectedTemplate() >= 0;
    enableTemplateButtons(selected, selected, selected);
}

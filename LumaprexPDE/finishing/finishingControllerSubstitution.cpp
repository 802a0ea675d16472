// The finishing pane's per-range punching: the substitution list shows the
// page ranges of the bridge's page collection that carry a paper
// substitution or an insert, and the user punches them or not, range by
// range, as page feature 237 (0 not punched, any other value punched). The
// page-exception pane tells the pane when page entries change
// ("finishingController::exceptionUpdate") and is told after every rebuild
// of the list ("peSubstitutionController::updatePeFeature"). Also the two
// tables' data source and delegate.
#include <optional>
#include <utility>

#include "JSE_Records.h"
#include "finishingController.h"
#include "zqController.h"

namespace {

constexpr char kUpdatePeFeatureNotification[] = "peSubstitutionController::updatePeFeature";

// The features of one page entry, in the order they were added.
std::vector<std::pair<int, int>> Features(const zqController& bridge, int entry) {
    std::vector<std::pair<int, int>> features;
    const int count = bridge.JSE_PageCollection_GetPageFeatureSize(entry);
    for (int j = 0; j < count; ++j) {
        int code = 0, value = 0;
        bridge.JSE_PageCollection_GetPageFeature(entry, j, code, value);
        features.emplace_back(code, value);
    }
    return features;
}

bool HasFeature(const zqController& bridge, int entry, int code) {
    for (const auto& feature : Features(bridge, entry)) {
        if (feature.first == code) return true;
    }
    return false;
}

}  // namespace

void finishingController::registerForExceptionUpdate() {
    observe("finishingController::exceptionUpdate",
            [this](const auto& note) { listenExceptionUpdateNotification(note); });
}

void finishingController::listenExceptionUpdateNotification(const platform::Notification&) {
    reapplyPunchExceptions(punchCheck->state());
}

void finishingController::handlePunchSubstitution(int state) {
    const bool enabled = state == 1 && !_substitutionList.empty();
    punchSubstitution->setEnabled(enabled);
    substitutionListView->setEnabled(enabled);
}

void finishingController::showSubstitutionPunch(bool on) {
    punchSubstitution->setState(on);
    updateGroup({{"punchSubstitution", platform::FormatInteger(on)}});
}

void finishingController::updatePunchExceptions(int value) { writePunchExceptions(value, true); }

void finishingController::reapplyPunchExceptions(int state) { writePunchExceptions(state, false); }

void finishingController::writePunchExceptions(int value, bool overwrite) {
    if (zqController* bridge = _zqJSEController) {
        const int punch = value == 1 ? bridge->JSE_GetJobPunchValue() : value;
        for (int i = 0; i < bridge->JSE_PageCollection_GetSize(); ++i) {
            if (!HasFeature(*bridge, i, kPePunch))
                bridge->JSE_PageCollection_AddPageFeature(i, kPePunch, punch);
            else if (overwrite)
                bridge->JSE_PageCollection_UpdatePageFeature(i, kPePunch, punch);
        }
    }
    handlePunchExceptions();
}

// The box and the table follow the rebuilt list, so that a first
// substitution added while punching is on can be punched at once.
void finishingController::handlePunchExceptions() {
    _substitutionList.clear();
    const int entries = _zqJSEController ? _zqJSEController->JSE_PageCollection_GetSize() : 0;
    for (int i = 0; i < entries; ++i) {
        if (std::optional<SubstitutionRow> row = substitutionRow(*_zqJSEController, i))
            _substitutionList.push_back(*row);
    }
    substitutionListView->reloadData();
    handlePunchSubstitution(punchCheck->state());
    platform::NotificationCenter::Default().post(kUpdatePeFeatureNotification);
}

// A page entry is listed when it carries a paper substitution or an insert
// and nothing but its punching besides.
std::optional<finishingController::SubstitutionRow> finishingController::substitutionRow(const zqController& bridge,
                                                                                         int entry) const {
    int first = -1, last = -1;
    bridge.JSE_PageCollection_GetPageNumber(entry, first, last);
    int kind = 0;
    int punch = 0;
    for (const auto& [code, value] : Features(bridge, entry)) {
        switch (code) {
            case kPePaperSubstitution: kind = first == last ? 13016 : 12022; break;
            case kPeInsertBefore: kind = 12020; break;
            case kPeInsertAfter: kind = 12021; break;
            case kPePunch: punch = value; break;
            default: return std::nullopt;
        }
    }
    if (kind == 0) return std::nullopt;
    const std::string pages = first == last ? platform::FormatInteger(first) : platform::Format("%d..%d", first, last);
    return SubstitutionRow{
        pages, getNSStringWithID(kind), getNSStringWithID(punch != 0 ? 12048 : 12047), first, last, punch != 0};
}

void finishingController::selectPunchSubstitution(platform::Control&) {
    showSubstitutionPunch(punchSubstitution->state());
    updateExceptionPunch();
    handlePunchExceptions();
}

// The bridge puts the job's pattern on the rows' pages for 1, 0 for 0.
void finishingController::updateExceptionPunch() {
    if (!_zqJSEController) return;
    for (const int row : substitutionListView->selectedRowIndexes()) {
        if (row >= static_cast<int>(_substitutionList.size())) continue;
        const SubstitutionRow& range = _substitutionList[static_cast<std::size_t>(row)];
        _zqJSEController->JSE_PageCollection_UpdatePunch(range.first, range.last, kPePunch, punchSubstitution->state());
    }
}

// The box shows the last selected row's punching.
void finishingController::substitutionSelectionDidChange() {
    const int size = static_cast<int>(_substitutionList.size());
    const int selected = substitutionListView->selectedRow();
    if (selected < 0 || selected >= size) return;
    bool punched = false;
    for (const int row : substitutionListView->selectedRowIndexes()) {
        if (row < size) punched = _substitutionList[static_cast<std::size_t>(row)].punch;
    }
    showSubstitutionPunch(punched);
}

// The two tables ---------------------------------------------------------------

int finishingController::numberOfRowsInTableView(platform::TableView& table) {
    if (table.tag() == kPatternListTag) return static_cast<int>(_punchTypeList.size());
    if (table.tag() == kSubstitutionListTag) return static_cast<int>(_substitutionList.size());
    return 0;
}

std::string finishingController::objectValueForTableColumn(platform::TableView& table,
                                                           const platform::TableColumn& column, int row) {
    if (row < 0 || row >= numberOfRowsInTableView(table)) return {};
    const auto index = static_cast<std::size_t>(row);
    const int cell = platform::ReadInt(column.identifier);
    if (table.tag() == kPatternListTag) {
        const PatternRow& pattern = _punchTypeList[index];
        const std::string cells[] = {pattern.id, pattern.name, pattern.custom ? "1" : "0"};
        return cell >= 0 && cell < 3 ? cells[cell] : std::string();
    }
    const SubstitutionRow& range = _substitutionList[index];
    const std::string cells[] = {range.pages,
                                 range.kind,
                                 range.punched,
                                 platform::FormatInteger(range.first),
                                 platform::FormatInteger(range.last),
                                 range.punch ? "1" : "0"};
    return cell >= 0 && cell < 6 ? cells[cell] : std::string();
}

// Rows are chosen only while punching is on.
bool finishingController::tableViewShouldSelectRow(platform::TableView& table, int) {
    if (table.tag() == kPatternListTag) return punchCheck->state() == 1;
    if (table.tag() == kSubstitutionListTag) return punchCheck->state() == 1 && !_substitutionList.empty();
    return false;
}

void finishingController::tableViewSelectionDidChange(platform::TableView& table) {
    if (table.tag() == kPatternListTag)
        patternSelectionDidChange();
    else if (table.tag() == kSubstitutionListTag)
        substitutionSelectionDidChange();
}

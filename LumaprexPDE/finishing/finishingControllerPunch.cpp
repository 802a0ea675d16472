// The finishing pane's punching of the whole job: the punch box, the list of
// punch patterns with its custom row, the custom pattern field and the boxes
// for punching the covers. The job's pattern goes to the bridge as job
// feature 218 (0 for no punching).
#include <algorithm>

#include "AlertPanel.h"
#include "JSE_Records.h"
#include "finishingController.h"
#include "zqController.h"

namespace {

// The printer's punch patterns with their name labels, in the list's order.
struct PatternDefinition {
    int id;
    int label;
};

constexpr PatternDefinition kPatterns[] = {
    {2, 13017},   {3, 13018},   {4, 13019},   {64, 14017},  {65, 14018},  {128, 13191},
    {129, 13192}, {136, 14019}, {137, 14020}, {144, 13193}, {145, 13194},
};

// The custom row holds 255 until the user types a number of his own.
constexpr int kNoCustomPattern = 255;
constexpr int kCustomLabel = 13069;
constexpr int kLargestCustomPattern = 999;

void SetColumn(platform::TableView& table, const char* identifier, const std::string& title, double minWidth,
               double width, double maxWidth) {
    if (platform::TableColumn* column = table.tableColumnWithIdentifier(identifier)) {
        column->title = title;
        column->minWidth = minWidth;
        column->width = width;
        column->maxWidth = maxWidth;
    }
}

}  // namespace

void finishingController::setUpPunchTables() {
    initPunchPatterns();
    const double width = substitutionListView->width();
    const double pages = static_cast<int>(width / 5);
    const double other = static_cast<int>((width - pages) / 2);
    SetColumn(*substitutionListView, "0", getNSStringWithID(13062), pages, pages, pages);
    SetColumn(*substitutionListView, "1", getNSStringWithID(13113), other, other, other);
    SetColumn(*substitutionListView, "2", getNSStringWithID(13072), other, other, other);
    substitutionListView->reloadData();
    punchIDListView->setEnabled(false);
}

// The name column is as wide as the widest name needs, at least 80 points.
void finishingController::initPunchPatterns() {
    _punchTypeList.clear();
    for (const PatternDefinition& pattern : kPatterns)
        _punchTypeList.push_back({platform::FormatInteger(pattern.id), getNSStringWithID(pattern.label), false});
    _punchTypeList.push_back({platform::FormatInteger(kNoCustomPattern), getNSStringWithID(kCustomLabel), true});
    int nameWidth = 80;
    for (const PatternRow& row : _punchTypeList) nameWidth = std::max(nameWidth, getMaxStringWidth(row.name, 80));
    SetColumn(*punchIDListView, "0", getNSStringWithID(13071), 80, 80, 80);
    SetColumn(*punchIDListView, "1", getNSStringWithID(13070), 80, nameWidth, nameWidth + 30);
    punchIDListView->reloadData();
}

void finishingController::Punch(int state) {
    if (state != 1) {
        customPattern->setStringValue("");
        customPattern->setEnabled(false);
        punchIDListView->setEnabled(false);
        handlePunchSubstitution(state);
        punchCheck->setState(0);
    } else if (hasFinisherGroup()) {
        punchIDListView->setEnabled(true);
        customPattern->setEnabled(true);
        handlePunchSubstitution(1);
        handlePunchCover(1);
        const int pattern = group()["defaultPunchPattern"].intValue();
        restoreCustomPattern(pattern);
        customPattern->setIntValue(isCustomPattern(pattern));
        selectPatternRow(getPunchIDIndex(pattern));
        punchCheck->setState(1);
    }
    handlePunchCover(state);
    reapplyPunchExceptions(state);
}

// A refusal, or settings without a "finisher" group, turn punching off in
// the pane and on every page range. The stored pattern's row is selected
// without sending it, so that the box sends the pattern once and a refusal
// is shown once.
void finishingController::selectPunch(platform::Control&) {
    auto turnOff = [this] {
        punchCheck->setState(0);
        showSubstitutionPunch(false);
        undo(218);
        updatePunchExceptions(0);
    };
    if (!hasFinisherGroup()) return turnOff();
    putBack([this] { Punch(punchCheck->state()); });
    const int pattern = punchCheck->state() ? customPattern->intValue() : 0;
    if (handleFeature(kFeaturePunchPattern, pattern, {}, 0) != 0) return turnOff();
    updateFinisherDict(16);
    if (_zqJSEController) _zqJSEController->setPunchPattern(customPattern->intValue());
    showCoverPunches();
    updatePunchExceptions(pattern);
    if (pattern != 0 && !_substitutionList.empty()) {
        substitutionListView->scrollRowToVisible(0);
        substitutionListView->selectRow(0, true);
    }
    showSubstitutionPunch(pattern != 0);
}

void finishingController::selectPunchPattern(platform::Control&) { updateFinisherDict(17); }

// A cover box applies only while punching is on and that cover is printed
// (an interleaved job prints none), and then shows whether the cover is
// punched.
void finishingController::handlePunchCover(int state) {
    const platform::Dictionary jobSetup =
        _jobFeatureDict ? (*_jobFeatureDict)["jobSetup"].dictionary() : platform::Dictionary();
    const bool covers = state == 1 && !IsInterleaveMode(jobSetup["printingMode"].intValue());
    setCoverBox(kBoxes[3], covers ? jobSetup["frontCoverMode"].intValue() : 1);
    setCoverBox(kBoxes[4], covers ? jobSetup["backCoverMode"].intValue() : 1);
}

void finishingController::setCoverBox(const BoxRow& row, int coverMode) {
    platform::Button* box = this->*row.box;
    box->setEnabled(coverMode >= 2);
    box->setState(coverMode >= 2 && storedCoverPunch(row));
}

// The pane's own copy of a cover punch, else the bridge's, as a template
// applies them.
bool finishingController::storedCoverPunch(const BoxRow& row) const {
    const platform::Dictionary finisher = group();
    if (finisher.contains(row.key)) return finisher[row.key].intValue() != 0;
    return _jobFeatureDict && (*_jobFeatureDict)["jobSetup"][row.key].intValue() != 0;
}

// The bridge decides which covers a punch pattern punches: the group takes
// what it holds, and the boxes show it.
void finishingController::showCoverPunches() {
    for (const BoxRow* row : {&kBoxes[3], &kBoxes[4]}) {
        const bool punched = _zqJSEController ? _zqJSEController->JSE_GetCoverPunchValue(row->feature)
                                              : storedCoverPunch(*row);
        if (punched != storedCoverPunch(*row)) updateGroup({{row->key, platform::FormatInteger(punched)}});
    }
    handlePunchCover(punchCheck->state());
}

void finishingController::restoreCustomPattern(int pattern) {
    if (pattern < 1 || pattern > kLargestCustomPattern || isCustomPattern(pattern) != 0) return;
    setCustomPatternID(pattern);
    punchIDListView->reloadData();
}

int finishingController::isCustomPattern(int pattern) const {
    for (const PatternRow& row : _punchTypeList) {
        if (platform::ReadInt(row.id) == pattern) return pattern;
    }
    return 0;
}

int finishingController::getPunchIDIndex(int pattern) const {
    for (std::size_t i = 0; i < _punchTypeList.size(); ++i) {
        if (platform::ReadInt(_punchTypeList[i].id) == pattern) return static_cast<int>(i);
    }
    return 0;
}

void finishingController::setCustomPatternID(int pattern) {
    const auto custom =
        std::find_if(_punchTypeList.begin(), _punchTypeList.end(), [](const auto& row) { return row.custom; });
    if (custom != _punchTypeList.end()) custom->id = platform::FormatInteger(pattern);
}

int finishingController::fixedPatternIndex(int pattern) const {
    for (std::size_t i = 0; i < _punchTypeList.size(); ++i) {
        if (!_punchTypeList[i].custom && platform::ReadInt(_punchTypeList[i].id) == pattern) return static_cast<int>(i);
    }
    return -1;
}

void finishingController::selectPatternRow(int row) {
    punchIDListView->scrollRowToVisible(row);
    punchIDListView->selectRow(row, true);
}

// Every change of the list's selection, by the user or by the pane, sends
// the chosen pattern; a refusal is only shown, and the pattern is kept.
void finishingController::patternSelectionDidChange() {
    const int row = punchIDListView->selectedRow();
    if (row < 0 || row >= static_cast<int>(_punchTypeList.size())) return;
    customPattern->setStringValue(_punchTypeList[static_cast<std::size_t>(row)].id);
    if (handleFeature(kFeaturePunchPattern, customPattern->intValue(), {}, 0) == 0) showCoverPunches();
    selectPunchPattern(*punchIDListView);
}

void finishingController::controlTextDidChange(platform::TextField& field) {
    if (&field == customPattern) verifyPatternField(false);
}

void finishingController::controlTextDidEndEditing(platform::TextField& field) {
    if (&field == customPattern) verifyPatternField(true);
}

std::string finishingController::NumberFormatter(std::string_view text) {
    std::string digits;
    int units = 0;  // UTF-16 units looked at
    for (std::size_t i = 0; i < text.size() && units < 3; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if ((byte & 0xC0) == 0x80) continue;  // inside a character already counted
        units += byte >= 0xF0 ? 2 : 1;
        if (byte >= '0' && byte <= '9') digits += static_cast<char>(byte);
    }
    return digits;
}

// The field's number is sent as it stands; the dictionary follows the
// pattern list's selection. An empty field or 0 names no pattern (only the
// punch box turns punching off): nothing is sent while the user types, and
// when editing ends the field shows the pattern in use again. The print that
// ended that editing is then held once, so that the job never goes while the
// user last saw another pattern than the one it punches.
void finishingController::verifyPatternField(bool editingEnded) {
    customPattern->setStringValue(NumberFormatter(customPattern->stringValue()));
    if (customPattern->intValue() == 0) {
        if (editingEnded) {
            showPatternInUse();
            postReadyToPrint();
        }
        return;
    }
    updateCustomPatternID();
    if (handleFeature(kFeaturePunchPattern, customPattern->intValue(), {}, 0) == 0) showCoverPunches();
}

// The engine's pattern in the field and the list, sending nothing.
void finishingController::showPatternInUse() {
    platform::Beep();
    const int pattern = _zqJSEController ? _zqJSEController->JSE_GetJobPunchValue()
                                         : group()["defaultPunchPattern"].intValue();
    putBack([&] {
        restoreCustomPattern(pattern);
        customPattern->setIntValue(pattern);
        punchIDListView->deselectAll();
        selectPatternRow(getPunchIDIndex(pattern));
    });
}

// A number the printer's own patterns hold selects that pattern; any other
// becomes the custom row's, which is then selected. The custom row itself is
// not searched, so that a custom number stays when editing ends.
void finishingController::updateCustomPatternID() {
    punchIDListView->deselectAll();
    const int pattern = customPattern->intValue();
    const int fixed = fixedPatternIndex(pattern);
    resetCustomRow(fixed >= 0 ? kNoCustomPattern : pattern);
    if (_punchTypeList.empty()) return;
    selectPatternRow(fixed >= 0 ? fixed : static_cast<int>(_punchTypeList.size()) - 1);
}

void finishingController::resetCustomRow(int pattern) {
    if (!_punchTypeList.empty())
        _punchTypeList.back() = {platform::FormatInteger(pattern), getNSStringWithID(kCustomLabel), true};
    punchIDListView->reloadData();
}

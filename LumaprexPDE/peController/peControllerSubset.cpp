// Finishing subsets, a group of the page-exception pane: the pages of each
// target range become a finishing subset (marker 238) with an output device
// of its own (224), a staple position (225), trimming (239), offset
// stacking (240) and, for a booklet, a fold (117). A click on a button is
// checked on every target range and changes the group's current value only
// when allowed; Update checks the values it stores again on the target
// ranges as the job and the pages are then, and stores and confirms them
// only when allowed.
#include "PageFeatureLabels.h"
#include "peController.h"
#include "pageSetController.h"
#include "zqController.h"

namespace {

constexpr int kTrimIndex = 11;
constexpr int kOffsetIndex = 12;
constexpr int kTrimOn = 10, kTrimOff = 11;
constexpr int kOffsetOn = 7, kOffsetOff = 6;
// The fold of a booklet subset without and with saddle stitching.
constexpr int kNoFold = 8, kSaddleFold = 9;

bool IsDevice(int device) { return device >= 1 && device <= 5; }

}  // namespace

// Devices 255 and 1 to 5, then staple positions 1 to 5 (indexes 6 to 10);
// the job's device is not checked.
const peController::OptionButton peController::kFinisherButtons[11] = {
    {"useJobButton", &peController::useJobButton, "selectUseJobFinisher:", &peController::selectUseJobFinisher,
     kPeNotSet, 0, kPeNotSet, "usejob2.icns", "usejob1.icns", 13014},
    {"topExitButton", &peController::topExitButton, "selectTopFinisher:", &peController::selectTopFinisher,
     1, kPeSubsetOutput, 1, "top2.icns", "top1.icns", 10045},
    {"StaplerButton", &peController::StaplerButton, "selectStaplerFinisher:", &peController::selectStaplerFinisher,
     2, kPeSubsetOutput, 2, "stapler2.icns", "stapler1.icns", 10046},
    {"StackerButton", &peController::StackerButton, "selectStackerFinisher:", &peController::selectStackerFinisher,
     3, kPeSubsetOutput, 3, "stacker2.icns", "stacker1.icns", 10047},
    {"BookletButton", &peController::BookletButton, "selectBookletFinisher:", &peController::selectBookletFinisher,
     4, kPeSubsetOutput, 4, "booklet2.icns", "booklet1.icns", 10048},
    {"otherFinisherButton", &peController::otherFinisherButton, "selectOtherFinisher:",
     &peController::selectOtherFinisher, 5, kPeSubsetOutput, 5, "other2.icns", "other1.icns", 10117},
    {"StapleNoneButton", &peController::StapleNoneButton, "selectStapleNone:", &peController::selectStapleNone,
     6, kPeSubsetStaple, 1, "staplenone2.icns", "staplenone1.icns", 10049},
    {"StapleTopButton", &peController::StapleTopButton, "selectStapleTop:", &peController::selectStapleTop,
     7, kPeSubsetStaple, 2, "stapletop2.icns", "stapletop1.icns", 10050},
    {"StapleBottomButton", &peController::StapleBottomButton, "selectStapleBottom:", &peController::selectStapleBottom,
     8, kPeSubsetStaple, 3, "staplebottom2.icns", "staplebottom1.icns", 10051},
    {"StapleBothButton", &peController::StapleBothButton, "selectStapleBoth:", &peController::selectStapleBoth,
     9, kPeSubsetStaple, 4, "stapleboth2.icns", "stapleboth1.icns", 10052},
    {"StapleSaddleButton", &peController::StapleSaddleButton, "selectStapleSaddle:", &peController::selectStapleSaddle,
     10, kPeSubsetStaple, 5, "staplesaddle2.icns", "staplesaddle1.icns", 12093},
};

void peController::declareSubset() {
    declareOptionButtons(kFinisherButtons);
    declareOutlet("edgeTrimButton", edgeTrimButton);
    declareOutlet("offsetButton", offsetButton);
    declareOutlet("subsetButton", subsetButton);
    declareOutlet("subsetUpdateButton", subsetUpdateButton);
    declareOutlet("finishingDeviceText", finishingDeviceText);
    declareOutlet("staplePositionText", staplePositionText);
    declareAction("selectEdgeTrim:", &peController::selectEdgeTrim);
    declareAction("selectOffsetStack:", &peController::selectOffsetStack);
    declareAction("selectSubset:", &peController::selectSubset);
    declareAction("selectFinisherUpdate:", &peController::selectFinisherUpdate);
}

void peController::setupSubset() {
    subsetButton->setTitle(getNSStringWithID(13146));
    subsetUpdateButton->setTitle(getNSStringWithID(13065));
    edgeTrimButton->setTitle(getNSStringWithID(13168));
    offsetButton->setTitle(getNSStringWithID(13169));
    setOptionToolTips(kFinisherButtons);
    finishingDeviceText->setStringValue(getNSStringWithID(13060));
    // Named with its position from the first staple click on.
    staplePositionText->setStringValue(getNSStringWithID(13172));
    selectUseJobFinisher(*useJobButton);
    enableSubsetBox();
}

// Clicks -------------------------------------------------------------------------

void peController::chooseFinisher(int index) {
    if (HandlePeFinisher(index) != 0) return;
    const OptionButton& chosen = kFinisherButtons[index == kPeNotSet ? 0 : index];
    if (chosen.code == kPeSubsetStaple) {
        switchRow(_lastStaplePositionButton, chosen);
        updateStaplePositionTitle();
        return;
    }
    switchRow(_lastFinishingButton, chosen);
    // A stapled subset starts without staples.
    if (index == 2) selectStapleNone(*StapleNoneButton);
    updateDeviceTitle();
}

void peController::chooseFinisherBox(int index) {
    platform::Button* box = index == kTrimIndex ? edgeTrimButton : offsetButton;
    if (HandlePeFinisher(index) != 0) box->setState(box->state() == 0);
}

int peController::HandlePeFinisher(int index) {
    int* value = nullptr;
    int chosen = 0;
    if (index == kPeNotSet || (index >= 1 && index < kTrimIndex)) {
        const OptionButton& row = kFinisherButtons[index == kPeNotSet ? 0 : index];
        value = row.code == kPeSubsetStaple ? &_mStaplePosition : &_mDeviceExit;
        chosen = row.value;
    } else if (index == kTrimIndex) {
        value = &_mEdgeTrimValue;
        chosen = edgeTrimButton->state() ? kTrimOn : kTrimOff;
    } else if (index == kOffsetIndex) {
        value = &_mOffstackValue;
        chosen = offsetButton->state() ? kOffsetOn : kOffsetOff;
    } else {
        return 0;
    }
    const int before = *value;
    *value = chosen;
    const int refusal = validateSubsetFeatures(index);
    if (refusal != 0) *value = before;
    else if (value == &_mDeviceExit) handleDevice();
    return refusal;
}

int peController::validateSubsetFeatures(int index) {
    const std::optional<PageFeature> feature = subsetClickFeature(index);
    return feature ? validateOnTargets(Runs::Apart, feature->code, feature->value, 0) : 0;
}

std::optional<PageFeature> peController::subsetClickFeature(int index) const {
    if (index >= 1 && index < kTrimIndex) return PageFeature{kFinisherButtons[index].code, kFinisherButtons[index].value};
    if (index == kTrimIndex) return PageFeature{kPeSubsetTrim, edgeTrimButton->state()};
    if (index == kOffsetIndex) return PageFeature{kPeSubsetJog, offsetButton->state()};
    return std::nullopt;
}

// The clicks were judged on the pages, papers and job of their time, and on
// each selected run apart; the ranges, their papers or the job may have
// changed since, and Update stores one subset over adjacent runs, whose
// pages must then suit its device together. The fold follows the staple
// position and is not judged on its own.
bool peController::subsetUpdateAllowed() {
    for (PageFeature feature : subsetDeviceFeatures(false)) {
        if (feature.code == kPeSubsetTrim) feature.value = feature.value == kTrimOn ? 1 : 0;
        if (feature.code == kPeSubsetJog) feature.value = feature.value == kOffsetOn ? 1 : 0;
        if (validateOnTargets(Runs::Joined, feature.code, feature.value, 0) != 0) return false;
    }
    return true;
}

// Unchecked: the job's device is never refused.
void peController::resetSubset() {
    _mDeviceExit = kPeNotSet;
    _mStaplePosition = 1;
    _mEdgeTrimValue = kTrimOff;
    _mOffstackValue = kOffsetOff;
    edgeTrimButton->setState(0);
    offsetButton->setState(0);
    switchRow(_lastFinishingButton, kFinisherButtons[0]);
    switchRow(_lastStaplePositionButton, kFinisherButtons[6]);
    updateDeviceTitle();
    updateStaplePositionTitle();
    handleDevice();
}

// Controls the device decides ------------------------------------------------------------

void peController::handleDevice() {
    edgeTrimButton->setEnabled(_mDeviceExit == 4);
    offsetButton->setEnabled(_mDeviceExit == 2 || _mDeviceExit == 3);
    handleStaplePosition();
}

// The stapler staples none, top, bottom or both; the booklet maker none or
// saddle; other devices do not staple.
void peController::handleStaplePosition() {
    const bool stapler = _mDeviceExit == 2, booklet = _mDeviceExit == 4;
    StapleNoneButton->setHidden(!stapler && !booklet);
    for (platform::Button* button : {StapleTopButton, StapleBottomButton, StapleBothButton})
        button->setHidden(!stapler);
    StapleSaddleButton->setHidden(!booklet);
    staplePositionText->setHidden(!stapler && !booklet);
}

// The subset box ------------------------------------------------------------------------

void peController::selectSubset(platform::Control&) {
    enableSubsetBox();
    updateSubsetTitle();
}

void peController::enableSubsetBox() {
    std::vector<platform::Control*> controls{staplePositionText, edgeTrimButton, offsetButton};
    for (const OptionButton& row : kFinisherButtons) controls.push_back(this->*row.button);
    if (collectTargetRanges().empty()) {
        subsetButton->setEnabled(false);
        for (platform::Control* control : controls) control->setEnabled(false);
    } else {
        subsetButton->setEnabled(true);
        controls.push_back(subsetUpdateButton);
        for (platform::Control* control : controls) control->setEnabled(subsetButton->state() == 1);
    }
    handleDevice();
}

// Update ------------------------------------------------------------------------------------

void peController::selectFinisherUpdate(platform::Control&) {
    const std::vector<PageRange> ranges = collectTargetRanges();
    if (ranges.empty() || !_zqJSEController) return;
    const int add = subsetButton->state();
    if (add == 1 && !subsetUpdateAllowed()) return;
    addSubset(add);
    // With the box off the subsets are gone; a device around the ranges is
    // not the user's to change here.
    if (add == 1) addDeviceFeatures(ranges);
    confirmGroupUpdate(subsetConfirmation());
}

// A subset names no paper of its own: its pages keep the papers they print
// on, whatever the paper combo shows.
void peController::addSubset(int add) {
    for (const PageRange& range : collectTargetRanges()) {
        removeCurrentSubsetSelection(range.start, range.end);
        if (add != 1) continue;
        _zqJSEController->JSE_SetPageProperty(range.start, range.end, 1, "", kPeFinishingSubset, _mDeviceExit);
        _zqJSEController->JSE_SetPageFeature(range.start, range.end, kPeFinishingSubset, _mDeviceExit);
        int entry = -1;
        _zqJSEController->JSE_PageCollection_FindPageFeatureByPageNumbers(range.start, range.end, kPeFinishingSubset,
                                                                          entry);
        if (entry >= 0) _zqJSEController->JSE_PageCollection_AddPageFeature(entry, kPeSubsetOutput, _mDeviceExit);
    }
}

void peController::removeCurrentSubsetSelection(int start, int end) {
    const std::vector<std::pair<int, PageEntry>> entries = ReadPageEntriesOver(_zqJSEController, {start, end});
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
        const PageEntry& entry = it->second;
        if (entry.pages.start < start || entry.pages.end > end || !entry.feature(kPeFinishingSubset)) continue;
        _zqJSEController->JSE_PageCollection_RemovePageAt(it->first);
    }
}

// The booklet's fold goes only on the sets of the all-sets box.
void peController::addDeviceFeatures(const std::vector<PageRange>& ranges) {
    const bool allSets = AllSetsSelected() == 1;
    for (const PageRange& range : ranges) {
        int entry = -1;
        _zqJSEController->JSE_PageCollection_FindPageFeatureByPageNumbers(range.start, range.end, kPeFinishingSubset,
                                                                          entry);
        if (entry < 0 || !IsDevice(_mDeviceExit)) {
            // The job's device: no subset of exactly the range stays.
            _zqJSEController->JSE_RemovePageFeature(range.start, range.end, kPeSubsetOutput, _mDeviceExit);
            continue;
        }
        for (const PageFeature& feature : subsetDeviceFeatures(allSets))
            _zqJSEController->JSE_PageCollection_AddPageFeature(entry, feature.code, feature.value);
    }
}

std::vector<PageFeature> peController::subsetDeviceFeatures(bool allSets) const {
    if (!IsDevice(_mDeviceExit)) return {};
    std::vector<PageFeature> features{{kPeSubsetOutput, _mDeviceExit}};
    if (_mDeviceExit == 2) features.insert(features.end(), {{kPeSubsetStaple, _mStaplePosition},
                                                            {kPeSubsetJog, _mOffstackValue}});
    if (_mDeviceExit == 3) features.push_back({kPeSubsetJog, _mOffstackValue});
    if (_mDeviceExit == 4) {
        features.insert(features.end(), {{kPeSubsetStaple, _mStaplePosition}, {kPeSubsetTrim, _mEdgeTrimValue}});
        if (allSets) features.push_back({kPeSubsetFold, _mStaplePosition == 1 ? kNoFold : kSaddleFold});
    }
    return features;
}

// "Output Device - Stapler: Top, Offset stacking: On" and the like.
std::string peController::subsetConfirmation() const {
    const auto label = [this](int id) { return getNSStringWithID(id); };
    const std::string offset = label(13169) + ": " + label(_mOffstackValue == kOffsetOff ? 12071 : 12070);
    std::string text = label(13060) + " - " + label(DeviceLabel(_mDeviceExit));
    switch (_mDeviceExit) {
    case 2:  // the stapler does not saddle-stitch
        return text + ": " + label(Pick(_mStaplePosition, {{2, 10050}, {3, 10051}, {4, 10052}}, 10049)) + ", " + offset;
    case 3: return text + ", " + offset;
    case 4:
        return text + ": " + label(_mStaplePosition == 5 ? 12093 : 10049) + ", " + label(13168) + ": " +
               label(_mEdgeTrimValue == kTrimOn ? 12070 : 12071);
    default: return text;
    }
}

// Titles --------------------------------------------------------------------------------------

void peController::updateDeviceTitle() { setGroupTitle(finishingDeviceText, 13060, DeviceLabel(_mDeviceExit)); }

void peController::updateStaplePositionTitle() {
    setGroupTitle(staplePositionText, 13172, StapleLabel(_mStaplePosition));
}

// While the box is on it names the pages: " ..." for all sets, the current
// set's pages, or the first two selected pages.
void peController::updateSubsetTitle() {
    std::string title = getNSStringWithID(13146);
    if (subsetButton->state() == 1) {
        subsetButton->setEnabled(true);
        int first = 0, second = 0;
        const std::optional<PageRange> current = _pageSetController->getSelectedAllPages();
        if (AllSetsSelected() == 1) {
            title += " ...";
        } else if (_pageSetController->AllPagesSelected() == 1 && current) {
            title += current->start == current->end ? platform::Format(" %d", current->start)
                                                    : platform::Format(" %d..%d", current->start, current->end);
        } else if (_pageSetController->GetSetStartAndEndPage(first, second); first >= 1 && second >= 1) {
            title += first == second ? platform::Format(" %d", first) : platform::Format(" %d, %d...", first, second);
        }
    }
    subsetButton->setTitle(title);
}

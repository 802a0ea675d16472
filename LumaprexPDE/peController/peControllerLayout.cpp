// Page layout, a group of the page-exception pane: each target range gets a
// print mode (235), a print side (236), a rotation (301) and a chapter start
// (300) of its own, or the job's (255). A click is checked on every target
// range and changes the group's current value only when allowed; Update
// checks the current values again on the target ranges as the job and the
// pages are then, and stores and confirms them only when allowed.
#include "PageFeatureLabels.h"
#include "peController.h"
#include "zqController.h"

// Print mode, print side, rotation, chapter start; indexes 13 to 23.
const peController::OptionButton peController::kLayoutButtons[11] = {
    {"useJobPrintingButton", &peController::useJobPrintingButton, "selectUseJobPrinting:",
     &peController::selectUseJobPrinting, 13, kPePrintMode, kPeNotSet, "usejob2.icns", "usejob1.icns", 13014},
    {"simplexButton", &peController::simplexButton, "selectPrintSide1:", &peController::selectPrintSide1, 14,
     kPePrintMode, 1, "simplex2.icns", "simplex1.icns", 10030},
    {"duplexLongEdgeButton", &peController::duplexLongEdgeButton, "selectPrintSide2LongEdge:",
     &peController::selectPrintSide2LongEdge, 15, kPePrintMode, 2, "duplexlong2.icns", "duplexlong1.icns", 10031},
    {"duplexShortEdgeButton", &peController::duplexShortEdgeButton, "selectPrintSide2ShortEdge:",
     &peController::selectPrintSide2ShortEdge, 16, kPePrintMode, 3, "duplexshort2.icns", "duplexshort1.icns", 10032},
    {"useJobPrintSideButton", &peController::useJobPrintSideButton, "selectUseJobSide:",
     &peController::selectUseJobSide, 17, kPePrintSide, kPeNotSet, "usejob2.icns", "usejob1.icns", 13014},
    {"frontSideButton", &peController::frontSideButton, "selectFrontSide:", &peController::selectFrontSide, 18,
     kPePrintSide, 1, "peside1_2.icns", "peside1_1.icns", 10041},
    {"backSideButton", &peController::backSideButton, "selectBackSide:", &peController::selectBackSide, 19,
     kPePrintSide, 2, "peside2_2.icns", "peside2_1.icns", 10042},
    {"useJobimageRotationButton", &peController::useJobimageRotationButton, "selectUseJobRotation:",
     &peController::selectUseJobRotation, 20, kPeRotation, kPeNotSet, "usejob2.icns", "usejob1.icns", 13014},
    {"use180RotationButton", &peController::use180RotationButton, "select180Rotation:",
     &peController::select180Rotation, 21, kPeRotation, 3, "rotate1802.icns", "rotate1801.icns", 12079},
    {"chapterPageYesButton", &peController::chapterPageYesButton, "selectChapterPageStart:",
     &peController::selectChapterPageStart, 22, kPeChapterStart, 1, "startchapter2.icns", "startchapter1.icns", 13075},
    {"chapterPageNoneButton", &peController::chapterPageNoneButton, "selectChapterPageNone:",
     &peController::selectChapterPageNone, 23, kPeChapterStart, kPeNotSet, "nochapter2.icns", "nochapter1.icns",
     10118},
};

namespace {

constexpr int kFirstLayoutIndex = 13;

int PrintSideLabel(int side) { return Pick(side, {{1, 10041}, {2, 10042}}, 13014); }

}  // namespace

void peController::declareLayout() {
    declareOptionButtons(kLayoutButtons);
    declareOutlet("layoutUpdateButton", layoutUpdateButton);
    declareOutlet("layoutText", layoutText);
    declareOutlet("printingModeText", printingModeText);
    declareOutlet("printSideText", printSideText);
    declareOutlet("imageRotationText", imageRotationText);
    declareOutlet("chapterPageText", chapterPageText);
    declareAction("selectLayoutUpdate:", &peController::selectLayoutUpdate);
}

void peController::setupLayout() {
    setOptionToolTips(kLayoutButtons);
    layoutText->setStringValue(getNSStringWithID(13021));
    layoutUpdateButton->setTitle(getNSStringWithID(13065));
    layoutUpdateButton->setEnabled(false);
    resetLayout();
    enableLayout();
}

void peController::registerFactoryReset() {
    observe(kFactoryResetNotification, [this](const auto&) {
        resetLayout();
        resetSubset();
    });
}

// Every row on the job's setting, unchecked: nothing the pages held before
// can refuse it.
void peController::resetLayout() {
    for (const OptionButton& row : kLayoutButtons) {
        if (row.value != kPeNotSet) continue;
        layoutValue(row.code) = kPeNotSet;
        showLayoutChoice(row);
    }
}

int& peController::layoutValue(int code) {
    switch (code) {
    case kPePrintMode: return mPrintMode;
    case kPePrintSide: return mPrintSides;
    case kPeRotation: return mRotation;
    default: return mChapter;
    }
}

void peController::chooseLayout(int index) {
    if (HandlePeLayout(index) != 0) return;
    showLayoutChoice(kLayoutButtons[index - kFirstLayoutIndex]);
}

void peController::showLayoutChoice(const OptionButton& chosen) {
    switch (chosen.code) {
    case kPePrintMode:
        switchRow(_lastPrintingModeButton, chosen);
        updateLayoutPrintingTitle();
        break;
    case kPePrintSide:
        switchRow(_lastPrintingSideButton, chosen);
        updateLayoutPrintingSidesTitle();
        break;
    case kPeRotation:
        switchRow(_lastImageRotationButton, chosen);
        updateLayoutRotationTitle();
        break;
    default:
        switchRow(_lastChapterPageButton, chosen);
        updateLayoutChapterTitle();
        break;
    }
}

int peController::HandlePeLayout(int index) {
    if (index < kFirstLayoutIndex || index >= kFirstLayoutIndex + static_cast<int>(std::size(kLayoutButtons))) return 0;
    const OptionButton& chosen = kLayoutButtons[index - kFirstLayoutIndex];
    const int refusal = validateLayoutFeatures(chosen.code, chosen.value);
    if (refusal != 0) return refusal;
    layoutValue(chosen.code) = chosen.value;
    return 0;
}

// Checked as stored (add 1), which stores no layout feature but brings the
// validator's list up to date. The pages are judged with the print side or
// print mode that Update stores beside the click, not the one they hold, so
// that one Update of both gives the answer of an Update for each.
int peController::validateLayoutFeatures(int code, int value) {
    std::optional<PageFeature> other;
    if (code == kPePrintMode) other = PageFeature{kPePrintSide, mPrintSides};
    if (code == kPePrintSide) other = PageFeature{kPePrintMode, mPrintMode};
    return validateOnTargets(Runs::Joined, code, value, 1, other);
}

void peController::enableLayout() {
    const bool targets = !collectTargetRanges().empty();
    for (const OptionButton& row : kLayoutButtons) (this->*row.button)->setEnabled(targets);
}

// Update --------------------------------------------------------------------------------------

void peController::selectLayoutUpdate(platform::Control&) {
    const std::vector<PageRange> ranges = collectTargetRanges();
    if (ranges.empty() || !_zqJSEController) return;
    const std::pair<int, int> features[] = {
        {kPePrintMode, mPrintMode}, {kPePrintSide, mPrintSides}, {kPeRotation, mRotation}, {kPeChapterStart, mChapter}};
    // The clicks were judged on the pages, papers and job of their time;
    // the ranges, their papers or the job may have changed since.
    for (const auto& [code, value] : features) {
        if (validateLayoutFeatures(code, value) != 0) return;
    }
    for (const PageRange& range : ranges) {
        for (const auto& [code, value] : features) {
            if (value == kPeNotSet) _zqJSEController->JSE_RemovePageFeature(range.start, range.end, code, value);
            else _zqJSEController->JSE_SetPageFeature(range.start, range.end, code, value);
        }
    }
    confirmGroupUpdate(layoutConfirmation());
}

// "Page Layout - Print mode: Simplex, Print Side: Front, Rotation: ...,
// Chapter Start: None".
std::string peController::layoutConfirmation() const {
    const auto label = [this](int id) { return getNSStringWithID(id); };
    return label(13021) + " - " + label(13051) + ": " + label(PrintModeLabel(mPrintMode)) + ", " + label(13037) +
           ": " + label(PrintSideLabel(mPrintSides)) + ", " + label(12085) + ": " +
           label(RotationLabel(mRotation)) + ", " + label(13074) + ": " + label(ChapterLabel(mChapter));
}

// Titles --------------------------------------------------------------------------------------

void peController::updateLayoutPrintingTitle() { setGroupTitle(printingModeText, 13051, PrintModeLabel(mPrintMode)); }

void peController::updateLayoutPrintingSidesTitle() {
    setGroupTitle(printSideText, 13037, PrintSideLabel(mPrintSides));
}

void peController::updateLayoutRotationTitle() { setGroupTitle(imageRotationText, 12085, RotationLabel(mRotation)); }

void peController::updateLayoutChapterTitle() { setGroupTitle(chapterPageText, 13074, ChapterLabel(mChapter)); }

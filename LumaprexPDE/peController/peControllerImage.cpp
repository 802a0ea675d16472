// Image shift on pages, a group of the page-exception pane: an X and a Y
// shift of side 1 and of side 2, in inches or millimetres, side 2 mirrored
// from side 1 across the portrait or landscape axis when the mirror box is
// on. Update stores the shift in points on the target ranges as page
// exception 302 and confirms it. The fields type, read and limit their
// numbers as the image pane's alignment fields do (ImageFieldText.h).
#include <algorithm>

#include "PageFeatureLabels.h"
#include "AlertPanel.h"
#include "UserEnvironment.h"
#include "imageController/ImageFieldText.h"
#include "peController.h"
#include "zqController.h"

namespace {

using image_field::Group;
using image_field::Unit;

constexpr int kPointsPerInch = 72;

struct ShiftField {
    const char* field;
    const char* stepper;
    const char* stepperAction;
    void (peController::*action)(platform::Control&);
};

// By index: side 1 X, side 1 Y, side 2 X, side 2 Y.
constexpr ShiftField kShiftFields[] = {
    {"imageSide1XEditText", "imageSide1XStepper", "selectImageAlignSide1XStepper:",
     &peController::selectImageAlignSide1XStepper},
    {"imageSide1YEditText", "imageSide1YStepper", "selectImageAlignSide1YStepper:",
     &peController::selectImageAlignSide1YStepper},
    {"imageSide2XEditText", "imageSide2XStepper", "selectImageAlignSide2XStepper:",
     &peController::selectImageAlignSide2XStepper},
    {"imageSide2YEditText", "imageSide2YStepper", "selectImageAlignSide2YStepper:",
     &peController::selectImageAlignSide2YStepper},
};

constexpr int kSide1X = 0, kSide1Y = 1, kSide2 = 2;

// The group box's title after its label: the range of the unit.
const char* RangeSuffix(int unit) { return unit == image_field::kInch ? " (-0.8..0.8\")" : " (-20.32 .. 20.32mm)"; }

}  // namespace

void peController::declareImage() {
    for (int i = 0; i < kImageShiftFields; ++i) {
        declareOutlet(kShiftFields[i].field, imageShiftFields[i]);
        declareOutlet(kShiftFields[i].stepper, imageShiftSteppers[i]);
        declareAction(kShiftFields[i].stepperAction, kShiftFields[i].action);
    }
    declareOutlet("imageAlignButton", imageAlignButton);
    declareOutlet("imageSide1Text", imageSide1Text);
    declareOutlet("imageSide2Text", imageSide2Text);
    declareOutlet("mirrorSide1Button", mirrorSide1Button);
    declareOutlet("imageAlignResetButton", imageAlignResetButton);
    declareOutlet("resetToZeroText", resetToZeroText);
    declareOutlet("inchButton", inchButton);
    declareOutlet("mmButton", mmButton);
    declareOutlet("portraitButton", portraitButton);
    declareOutlet("landscapeButton", landscapeButton);
    declareOutlet("imageUpdateButton", imageUpdateButton);
    declareAction("selectImageAlign:", &peController::selectImageAlign);
    declareAction("selectImageAlignSide1Mirror:", &peController::selectImageAlignSide1Mirror);
    declareAction("selectImageAlignSide1Inch:", &peController::selectImageAlignSide1Inch);
    declareAction("selectImageAlignSide1MM:", &peController::selectImageAlignSide1MM);
    declareAction("selectImageAlignSide1Reset:", &peController::selectImageAlignSide1Reset);
    declareAction("selectPortraitButton:", &peController::selectPortraitButton);
    declareAction("selectLandscapeButton:", &peController::selectLandscapeButton);
    declareAction("selectImageUpdate:", &peController::selectImageUpdate);
}

// The group starts in inches, side 2 mirrored, at zero.
void peController::setupImage() {
    const image_field::Limits limits = image_field::LimitsOf(Group::Alignment, image_field::kInch);
    for (platform::Stepper* stepper : imageShiftSteppers) {
        stepper->setIncrement(0.01);
        stepper->setMinValue(limits.lowest);
        stepper->setMaxValue(limits.highest);
    }
    imageAlignButton->setTitle(getNSStringWithID(13120) + RangeSuffix(image_field::kInch));
    imageSide1Text->setStringValue(getNSStringWithID(13106));
    imageSide2Text->setStringValue(getNSStringWithID(13107));
    mirrorSide1Button->setTitle(getNSStringWithID(13094));
    resetToZeroText->setStringValue(getNSStringWithID(13095));
    inchButton->setTitle(getNSStringWithID(14013));
    mmButton->setTitle(getNSStringWithID(14014));
    portraitButton->setTitle(getNSStringWithID(2028));
    landscapeButton->setTitle(getNSStringWithID(2029));
    imageUpdateButton->setTitle(getNSStringWithID(13065));
    mirrorSide1Button->setState(1);
    selectImageAlignSide1Reset(*imageAlignResetButton);
    enableImageAligns();
    _currentUnit = image_field::kInch;
}

// Fields and steppers ------------------------------------------------------------------------

int peController::imageShiftRadioUnit() const {
    return mmButton->state() == 1 ? image_field::kMillimetre : image_field::kInch;
}

int peController::imageShiftRadioOrientation() const { return portraitButton->state() == 1 ? 1 : 2; }

float peController::mirroredOnSide2(int side1Index) const {
    float side1[] = {imageShiftValue(kSide1X), imageShiftValue(kSide1Y)};
    computeImageAlignMirrorValues(imageShiftRadioOrientation(), side1[kSide1X], side1[kSide1Y]);
    return side1[side1Index];
}

void peController::showMirroredSide2() {
    for (int side1 : {kSide1X, kSide1Y}) showImageShift(side1 + kSide2, mirroredOnSide2(side1));
}

float peController::imageShiftValue(int index) const {
    return static_cast<float>(
        image_field::FieldValue(imageShiftFields[index]->stringValue(), platform::DecimalSeparator()));
}

void peController::showImageShift(int index, float value) {
    value = static_cast<float>(zqController::PlusZeroAtTwoDecimals(value));
    imageShiftSteppers[index]->setFloatValue(value);
    imageShiftFields[index]->setStringValue(platform::FormatDecimal(value));
}

void peController::imageShiftStepped(int index) {
    const auto [lowest, highest] = image_field::LimitsOf(Group::Alignment, static_cast<Unit>(imageShiftRadioUnit()));
    showImageShift(index, static_cast<float>(std::clamp(imageShiftSteppers[index]->value(), lowest, highest)));
    if (index < kSide2 && mirrorSide1Button->state() == 1)
        showImageShift(index + kSide2, mirroredOnSide2(index));
}

void peController::imageShiftEdited(int index) {
    const auto unit = static_cast<Unit>(imageShiftRadioUnit());
    const image_field::Filtered filtered =
        image_field::FilterTypedNumber(imageShiftFields[index]->stringValue(), unit == image_field::kMillimetre ? 6 : 5,
                                       Group::Alignment, unit, platform::DecimalSeparator());
    if (filtered.refused) platform::Beep();
    imageShiftFields[index]->setStringValue(filtered.text);
    followImageShiftField(index);
}

void peController::followImageShiftField(int index) {
    imageShiftSteppers[index]->setFloatValue(imageShiftValue(index));
    if (index < kSide2 && mirrorSide1Button->state() == 1)
        showImageShift(index + kSide2, mirroredOnSide2(index));
}

void peController::imageShiftEditingEnded(int index) {
    imageShiftEdited(index);
    const std::string text = imageShiftFields[index]->stringValue();
    if (const auto shown = image_field::TwoDecimalText(text, platform::DecimalSeparator())) {
        imageShiftFields[index]->setStringValue(*shown);
        followImageShiftField(index);
    }
}

// The group's switches ------------------------------------------------------------------------

void peController::selectImageAlignSide1Mirror(platform::Control&) { mirrorImageShift(); }

void peController::mirrorImageShift() {
    const bool mirrored = mirrorSide1Button->state() == 1;
    if (mirrored) showMirroredSide2();
    for (int side1 : {kSide1X, kSide1Y}) {
        if (!mirrored) imageShiftSteppers[side1 + kSide2]->setFloatValue(0);
        const bool editable = !mirrored && imageAlignButton->state() == 1;
        imageShiftFields[side1 + kSide2]->setEnabled(editable);
        imageShiftSteppers[side1 + kSide2]->setEnabled(editable);
    }
}

void peController::imageShiftOrientationClicked() {
    if (mirrorSide1Button->state() == 1) showMirroredSide2();
}

void peController::enableImageAligns() {
    const bool on = imageAlignButton->state() == 1;
    std::vector<platform::Control*> controls{imageSide1Text, mirrorSide1Button, imageAlignResetButton, inchButton,
                                             mmButton, portraitButton, landscapeButton, imageUpdateButton};
    controls.insert(controls.end(), imageShiftFields.begin(), imageShiftFields.end());
    controls.insert(controls.end(), imageShiftSteppers.begin(), imageShiftSteppers.end());
    for (platform::Control* control : controls) control->setEnabled(on);
    mirrorImageShift();
}

// The values are converted as they stand, not limited again; a mirrored
// side 2 shows side 1's new values mirrored rather than converting its own.
void peController::switchImageShiftUnit(int unit) {
    if (_currentUnit == unit) return;
    const image_field::Limits limits = image_field::LimitsOf(Group::Alignment, static_cast<Unit>(unit));
    const double factor =
        unit == image_field::kMillimetre ? image_field::kInchToMillimetre : image_field::kMillimetreToInch;
    const bool mirrored = mirrorSide1Button->state() == 1;
    for (int i = 0; i < kImageShiftFields; ++i) {
        imageShiftSteppers[i]->setMinValue(limits.lowest);
        imageShiftSteppers[i]->setMaxValue(limits.highest);
        if (!mirrored || i < kSide2) showImageShift(i, static_cast<float>(imageShiftValue(i) * factor));
    }
    if (mirrored) showMirroredSide2();
    _currentUnit = unit;
    imageAlignButton->setTitle(getNSStringWithID(13120) + RangeSuffix(unit));
}

void peController::selectImageAlignSide1Reset(platform::Control&) {
    const std::string zero = "0" + platform::DecimalSeparator() + "0";
    for (int i = 0; i < kImageShiftFields; ++i) {
        imageShiftFields[i]->setStringValue(zero);
        imageShiftSteppers[i]->setFloatValue(0);
    }
    imageAlignResetButton->setState(0);
}

// Update ----------------------------------------------------------------------------------------

double peController::InchToPoint(double inches) { return inches * kPointsPerInch; }

double peController::mmToPoint(double millimetres) { return zqController::mmToPoint(millimetres); }

void peController::computeImageAlignMirrorValues(int orientation, float& x, float& y) {
    zqController::MirrorPageShift(orientation, x, y);
}

// The all-sets box replaces every shift of the job by the sets' (none when
// the shift is zero); otherwise each target range's shift replaces what its
// pages had, and the shifts of other pages stay.
void peController::selectImageUpdate(platform::Control&) {
    const std::vector<PageRange> ranges = collectTargetRanges();
    if (ranges.empty() || !_zqJSEController) return;
    const int unit = imageShiftRadioUnit();
    const auto points = [&](int index) {
        return static_cast<float>(unit == image_field::kInch ? InchToPoint(imageShiftValue(index))
                                                             : mmToPoint(imageShiftValue(index)));
    };
    float x1 = points(0), y1 = points(1), x2 = points(2), y2 = points(3);
    const int mirror = mirrorSide1Button->state();
    const int orientation = imageShiftRadioOrientation();
    if (mirror == 1) {
        x2 = x1;
        y2 = y1;
        computeImageAlignMirrorValues(orientation, x2, y2);
    }
    for (float* value : {&x1, &y1, &x2, &y2}) *value = static_cast<float>(zqController::PlusZeroAtTwoDecimals(*value));
    const bool allSets = AllSetsSelected() == 1;
    if (allSets) _zqJSEController->JSE_PageCollection_RemoveAllImageFeature();
    if (!allSets || x1 != 0 || y1 != 0 || x2 != 0 || y2 != 0) {
        for (const PageRange& range : ranges) {
            _zqJSEController->JSE_PageCollection_SetImageFeature(range.start, range.end, kPeImageShift, unit, mirror,
                                                                 orientation, x1, y1, x2, y2);
        }
    }
    confirmGroupUpdate(imageShiftConfirmation(x1, y1, x2, y2));
}

// "Image Alignment: Side 1: x (36.00) y (0.00), Side 2: x (-36.00) y (0.00). "
std::string peController::imageShiftConfirmation(float x1, float y1, float x2, float y2) const {
    return getNSStringWithID(13120) + ": " +
           ImageShiftText(x1, y1, x2, y2, [this](int id) { return getNSStringWithID(id); }) + ". ";
}

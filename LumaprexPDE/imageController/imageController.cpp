// The image pane: rotation, GRET, image alignment, edge erase and halftone
// screen, each sent to the bridge through its typed setter and recorded in
// the "image" group of the job-feature dictionary.
#include "imageController.h"

#include <algorithm>

#include "AlertPanel.h"
#include "UserEnvironment.h"
#include "zqController.h"

using image_field::Group;
using image_field::Unit;

namespace {

constexpr int kFirstTag = 6100;
constexpr int kOrientationCase = 6;

struct ValueField {
    const char* field;
    const char* stepper;
    const char* key;
};

// By index: the field of tag 6100 + 2 x index.
constexpr ValueField kValueFieldNames[] = {
    {"iaSide1XEditText", "iaSide1XStepper", "imageAlignFrontX"},
    {"iaSide1YEditText", "iaSide1YStepper", "imageAlignFrontY"},
    {"iaSide2XEditText", "iaSide2XStepper", "imageAlignBackX"},
    {"iaSide2YEditText", "iaSide2YStepper", "imageAlignBackY"},
    {"eaSide1TopEditText", "eaSide1TopStepper", "frontEraseTopSide"},
    {"eaSide1LeftEditText", "eaSide1LeftStepper", "frontEraseLeftSide"},
    {"eaSide1BottomEditText", "eaSide1BottomStepper", "frontEraseBottomSide"},
    {"eaSide1RightEditText", "eaSide1RightStepper", "frontEraseRightSide"},
    {"eaSide2TopEditText", "eaSide2TopStepper", "backEraseTopSide"},
    {"eaSide2LeftEditText", "eaSide2LeftStepper", "backEraseLeftSide"},
    {"eaSide2BottomEditText", "eaSide2BottomStepper", "backEraseBottomSide"},
    {"eaSide2RightEditText", "eaSide2RightStepper", "backEraseRightSide"},
    {"halftoneAngleEditText", "halftoneAngleStepper", "halftoneAngle"},
    {"halftoneFrequencyEditText", "halftoneFrequencyStepper", "halftoneFrequency"},
};

// The halftone screen's range: angle, then lines per inch.
constexpr std::pair<int, int> kHalftoneLimits[] = {{30, 180}, {60, 600}};

struct Rotation {
    const char* outlet;
    int label;
    const char* chosenImage;
    const char* unselectedImage;
};

// By rotation case 1 to 4: 0, 90, 180 and 270 degrees.
constexpr Rotation kRotations[] = {
    {"imageRotation0", 12094, "rotatenone2.icns", "rotatenone1.icns"},
    {"imageRotation90", 12067, "rotate902.icns", "rotate901.icns"},
    {"imageRotation180", 12079, "rotate1802.icns", "rotate1801.icns"},
    {"imageRotation270", 12068, "rotate2702.icns", "rotate2701.icns"},
};

struct Caption {
    const char* outlet;
    int label;
};

constexpr Caption kCaptions[] = {
    {"imageOptionTitleText", 13086}, {"orientationText", 2027},      {"iaSide1Text", 13106},
    {"eaSide1Text", 13106},          {"iaSide2Text", 13107},          {"eaSide2Text", 13107},
    {"iaSide1XText", 13108},         {"iaSide2XText", 13108},         {"iaSide1YText", 13109},
    {"iaSide2YText", 13109},         {"eaSide1TopText", 13099},       {"eaSide2TopText", 13099},
    {"eaSide1LeftText", 13100},      {"eaSide2LeftText", 13100},      {"eaSide1BottomText", 13101},
    {"eaSide2BottomText", 13101},    {"eaSide1RightText", 13102},     {"eaSide2RightText", 13102},
    {"halftoneText", -2024},         {"halftoneAngleText", -2025},    {"halftoneDegreeText", -2026},
    {"halftoneFrequencyText", -2027}, {"halftoneFrequencyLineText", -2028},
};

int TagOf(int index) { return kFirstTag + 2 * index; }

// The index of a value field's tag; none for any other tag.
std::optional<int> IndexOfTag(int tag) {
    const int lastTag = TagOf(static_cast<int>(std::size(kValueFieldNames)) - 1);
    if (tag < kFirstTag || tag > lastTag || tag % 2 != 0) return std::nullopt;
    return (tag - kFirstTag) / 2;
}

// The texts of an inch or millimetre range after the group box's label.
const char* RangeSuffix(Group group, Unit unit) {
    if (group == Group::Alignment) return unit == image_field::kInch ? " (-0.8 .. 0.8\")" : " (-20.32 .. 20.32mm)";
    return unit == image_field::kInch ? " (0 .. 1\")" : " (0 .. 25.4mm)";
}

}  // namespace

imageController::imageController() : OptionPane("imageController", "image", kUnstrippedLabels) {
    for (int i = 0; i < kValueFields; ++i) {
        declareOutlet(kValueFieldNames[i].field, m_fields[i]);
        declareOutlet(kValueFieldNames[i].stepper, m_steppers[i]);
    }
    for (std::size_t r = 0; r < m_rotationButtons.size(); ++r) {
        declareOutlet(kRotations[r].outlet, m_rotationButtons[r]);
    }
    for (std::size_t c = 0; c < m_captions.size(); ++c) declareOutlet(kCaptions[c].outlet, m_captions[c]);
    declareOutlet("imageRotationText", imageRotationText);
    declareOutlet("gretButton", gretButton);
    declareOutlet("bodyText", bodyText);
    declareOutlet("bodySizeText", bodySizeText);
    declareOutlet("imageAlignButton", imageAlign.box);
    declareOutlet("imageAlignMirrorSide1Button", imageAlign.mirror);
    declareOutlet("imageAlignResetButton", imageAlign.reset);
    declareOutlet("imageAlignUnitInchCell", imageAlign.inchCell);
    declareOutlet("imageAlignUnitMMCell", imageAlign.mmCell);
    declareOutlet("edgeEraseButton", edgeErase.box);
    declareOutlet("edgeEraseMirrorSide1Button", edgeErase.mirror);
    declareOutlet("edgeEraseResetButton", edgeErase.reset);
    declareOutlet("edgeEraseUnitInchCell", edgeErase.inchCell);
    declareOutlet("edgeEraseUnitMMCell", edgeErase.mmCell);

    declareAction("selectRotation0:", &imageController::selectRotation0);
    declareAction("selectRotation90:", &imageController::selectRotation90);
    declareAction("selectRotation180:", &imageController::selectRotation180);
    declareAction("selectRotation270:", &imageController::selectRotation270);
    declareAction("selectGRET:", &imageController::selectGRET);
    declareAction("selectImageAlign:", &imageController::selectImageAlign);
    declareAction("selectImageAlignSide1XStepper:", &imageController::selectImageAlignSide1XStepper);
    declareAction("selectImageAlignSide1YStepper:", &imageController::selectImageAlignSide1YStepper);
    declareAction("selectImageAlignSide2XStepper:", &imageController::selectImageAlignSide2XStepper);
    declareAction("selectImageAlignSide2YStepper:", &imageController::selectImageAlignSide2YStepper);
    declareAction("selectImageAlignSide1Mirror:", &imageController::selectImageAlignSide1Mirror);
    declareAction("selectImageAlignSide1Inch:", &imageController::selectImageAlignSide1Inch);
    declareAction("selectImageAlignSide1MM:", &imageController::selectImageAlignSide1MM);
    declareAction("selectImageAlignSide1Reset:", &imageController::selectImageAlignSide1Reset);
    declareAction("selectEdgeErase:", &imageController::selectEdgeErase);
    declareAction("selectEdgeEraseSide1TopStepper:", &imageController::selectEdgeEraseSide1TopStepper);
    declareAction("selectEdgeEraseSide1LeftStepper:", &imageController::selectEdgeEraseSide1LeftStepper);
    declareAction("selectEdgeEraseSide1BottomStepper:", &imageController::selectEdgeEraseSide1BottomStepper);
    declareAction("selectEdgeEraseSide1RightStepper:", &imageController::selectEdgeEraseSide1RightStepper);
    declareAction("selectEdgeEraseSide2TopStepper:", &imageController::selectEdgeEraseSide2TopStepper);
    declareAction("selectEdgeEraseSide2LeftStepper:", &imageController::selectEdgeEraseSide2LeftStepper);
    declareAction("selectEdgeEraseSide2BottomStepper:", &imageController::selectEdgeEraseSide2BottomStepper);
    declareAction("selectEdgeEraseSide2RightStepper:", &imageController::selectEdgeEraseSide2RightStepper);
    declareAction("selectEdgeEraseSide1Mirror:", &imageController::selectEdgeEraseSide1Mirror);
    declareAction("selectEdgeEraseSide1Inch:", &imageController::selectEdgeEraseSide1Inch);
    declareAction("selectEdgeEraseSide1MM:", &imageController::selectEdgeEraseSide1MM);
    declareAction("selectEdgeEraseSide1Reset:", &imageController::selectEdgeEraseSide1Reset);
    declareAction("selectHalftoneAngleStepper:", &imageController::selectHalftoneAngleStepper);
    declareAction("selectHalftoneFrequencyStepper:", &imageController::selectHalftoneFrequencyStepper);

    registerForJobFeatureUpdate();
    observe("imageController::bodyPaperChange", [this](const auto&) { showBodyPaper(); });
    registerForTermination();
    registerZQController([this] { showBodyPaper(); });
}

imageController::~imageController() { termination(); }

void imageController::awakeFromNib() {
    for (std::size_t c = 0; c < m_captions.size(); ++c) {
        m_captions[c]->setStringValue(getNSStringWithID(kCaptions[c].label));
    }
    for (std::size_t r = 0; r < m_rotationButtons.size(); ++r) {
        m_rotationButtons[r]->setToolTip(getNSStringWithID(kRotations[r].label));
    }
    gretButton->setTitle(getNSStringWithID(13088));
    for (ValueGroup* group : {&imageAlign, &edgeErase}) {
        group->mirror->setTitle(getNSStringWithID(13094));
        group->reset->setToolTip(getNSStringWithID(13095));
        group->inchCell->setTitle(getNSStringWithID(14013));
        group->mmCell->setTitle(getNSStringWithID(14014));
        group->box->setTitle(buttonTitle(*group, image_field::kInch));
        group->unit = image_field::kInch;
        const image_field::Limits limits = image_field::LimitsOf(group->kind, image_field::kInch);
        for (int i = group->first; i < group->end(); ++i) {
            m_steppers[i]->setIncrement(0.01);
            m_steppers[i]->setMinValue(limits.lowest);
            m_steppers[i]->setMaxValue(limits.highest);
        }
    }
}

std::string imageController::buttonTitle(const ValueGroup& group, Unit unit) const {
    return getNSStringWithID(group.titleLabel) + RangeSuffix(group.kind, unit);
}

// ---------------------------------------------------------------------------
// Rotation

void imageController::selectRotation(int rotation) {
    changeTitle(rotation);
    resetRotationButton();
    const Rotation& chosen = kRotations[rotation - 1];
    changeButtonImage(m_rotationButtons[rotation - 1], chosen.chosenImage);
    _lastRotationButton = m_rotationButtons[rotation - 1];
    _lastRotationButtonName = chosen.unselectedImage;
    updateImageDict(rotation);
}

void imageController::changeTitle(int rotationCase) {
    const std::string rotation = getNSStringWithID(kRotations[rotationCase - 1].label);
    imageRotationText->setStringValue(getNSStringWithID(12085) + ": " + rotation);
}

void imageController::resetRotationButton() {
    if (_lastRotationButton) changeButtonImage(_lastRotationButton, _lastRotationButtonName);
}

// ---------------------------------------------------------------------------
// Alignment and erase groups

void imageController::enableImageAligns(int flag) { enableGroup(imageAlign, flag != 0); }

void imageController::enableEdgeErase(int flag) { enableGroup(edgeErase, flag == 1); }

// Switching alignment off zeroes it first; erase keeps its margins.
void imageController::enableGroup(ValueGroup& group, bool on) {
    if (!on && group.kind == Group::Alignment) resetGroup(group);
    group.box->setState(on);
    for (int i = group.first; i < group.end(); ++i) {
        m_fields[i]->setEnabled(on);
        m_steppers[i]->setEnabled(on);
    }
    for (platform::Button* control : {group.mirror, group.reset, group.inchCell, group.mmCell}) control->setEnabled(on);
    mirrorRoutine(group);
    updateImageDict(group.sendCase);
}

// Mirrored, side 2 shows side 1 (alignment turned over) and cannot be
// edited; otherwise it reads "0.0" and is editable while the group is on.
// Nothing is recorded or sent here.
void imageController::mirrorRoutine(ValueGroup& group) {
    const bool mirrored = group.mirror->state() != 0;
    const auto [mirroredX, mirroredY] = mirroredAlignment();
    for (int side1 = group.first; side1 < group.first + group.perSide; ++side1) {
        const int side2 = side1 + group.perSide;
        if (!mirrored) {
            m_fields[side2]->setStringValue("0.0");
            m_steppers[side2]->setFloatValue(0);
        } else if (group.kind == Group::Alignment) {
            const float shown = side1 == kSide1X ? mirroredX : mirroredY;
            m_fields[side2]->setStringValue(platform::FormatDecimal(shown));
            m_steppers[side2]->setFloatValue(shown);
        } else {
            m_fields[side2]->setStringValue(m_fields[side1]->stringValue());
            m_steppers[side2]->setFloatValue(fieldValue(side1));
        }
        const bool editable = !mirrored && group.box->state() != 0;
        m_fields[side2]->setEnabled(editable);
        m_steppers[side2]->setEnabled(editable);
    }
}

// Sending on the click, not with the group's next change, which a print may
// never see.
void imageController::selectMirror(ValueGroup& group) {
    mirrorRoutine(group);
    updateImageDict(group.sendCase);
}

// Without a bridge, as a portrait job.
std::pair<float, float> imageController::mirroredAlignment() const {
    float x = fieldValue(kSide1X), y = fieldValue(kSide1X + 1);
    if (_zqJSEController) _zqJSEController->ComputeImageAlignMirrorValues(x, y);
    else x = x == 0 ? 0.0f : -x;
    return {x, y};
}

void imageController::resetGroup(ValueGroup& group) {
    const std::string zero = "0" + platform::DecimalSeparator() + (group.kind == Group::Alignment ? "00" : "0");
    for (int i = group.first; i < group.end(); ++i) {
        m_fields[i]->setStringValue(zero);
        m_steppers[i]->setFloatValue(0);
    }
    if (group.kind == Group::Alignment) group.reset->setState(0);
    updateImageDict(group.sendCase);
}

// Converts the shown values (alignment all, erase those above 0) without
// clamping, a mirrored side 2 following side 1's new value rather than
// converting its own, and sends the group in its new unit at once, so that
// what prints, the summary and a template are the values shown, whatever
// comes next.
void imageController::switchUnit(ValueGroup& group, Unit unit) {
    if (group.unit == unit) return;
    const double factor =
        unit == image_field::kMillimetre ? image_field::kInchToMillimetre : image_field::kMillimetreToInch;
    const bool mirrored = group.mirror->state() != 0;
    for (int i = group.first; i < group.end(); ++i) {
        const float value = fieldValue(i);
        if ((group.kind == Group::EdgeErase && !(value > 0)) || (mirrored && !isSide1(i))) continue;
        const auto converted = static_cast<float>(value * factor);
        m_steppers[i]->setFloatValue(converted);
        m_fields[i]->setStringValue(platform::FormatDecimal(converted));
        followSide1(i);
    }
    showUnit(group, unit);
    updateImageDict(group.sendCase);
}

// The unit's cell chosen, the steppers' limits and the box's title.
void imageController::showUnit(ValueGroup& group, Unit unit) {
    const image_field::Limits limits = image_field::LimitsOf(group.kind, unit);
    for (int i = group.first; i < group.end(); ++i) {
        m_steppers[i]->setMinValue(limits.lowest);
        m_steppers[i]->setMaxValue(limits.highest);
    }
    group.inchCell->setState(unit == image_field::kInch);
    group.mmCell->setState(unit == image_field::kMillimetre);
    group.unit = unit;
    group.box->setTitle(buttonTitle(group, unit));
}

// ---------------------------------------------------------------------------
// Steppers

void imageController::imageAlignValueChange(int index) {
    const image_field::Limits limits = image_field::LimitsOf(Group::Alignment, shownUnit(imageAlign));
    auto v = static_cast<float>(m_steppers[index]->value());
    if (v < limits.lowest) v = static_cast<float>(limits.lowest);
    else if (v > limits.highest) v = static_cast<float>(limits.highest);
    m_steppers[index]->setFloatValue(v);
    std::string text = v == 0 ? "0.0" : platform::FormatDecimal(v);
    m_fields[index]->setStringValue(text == "-0.00" ? "0.00" : text);
    std::optional<int> side2;
    if (isSide1(index) && imageAlign.mirror->state() != 0) {
        side2 = index + imageAlign.perSide;
        const auto [mirroredX, mirroredY] = mirroredAlignment();
        const float shown = index == kSide1X ? mirroredX : mirroredY;
        m_steppers[*side2]->setFloatValue(shown);
        m_fields[*side2]->setStringValue(fieldValue(index) == 0 ? "0.0" : platform::FormatDecimal(shown));
    }
    updateImageDict(TagOf(index));
    if (side2) updateImageDict(TagOf(*side2));
}

// Side 2 follows on screen and in the send; only the stepper's own field is
// recorded.
void imageController::edgeEraseValueChange(int index) {
    auto v = static_cast<float>(m_steppers[index]->value());
    const double highest = image_field::LimitsOf(Group::EdgeErase, shownUnit(edgeErase)).highest;
    if (v < 0) v = 0;
    else if (v > highest) v = static_cast<float>(highest);
    m_steppers[index]->setFloatValue(v);
    m_fields[index]->setStringValue(platform::FormatDecimal(v));
    if (isSide1(index) && edgeErase.mirror->state() != 0) {
        const int side2 = index + edgeErase.perSide;
        const float w = fieldValue(index);
        m_steppers[side2]->setFloatValue(w);
        m_fields[side2]->setStringValue(platform::FormatDecimal(w));
    }
    updateImageDict(TagOf(index));
}

void imageController::halftoneValueChange(int index) { showHalftone(index, m_steppers[index]->intValue()); }

// A typed screen value is kept to the stepper's range too, so that field,
// stepper, dictionary and bridge agree on what is printed.
void imageController::halftoneEdited(int index) { showHalftone(index, m_fields[index]->intValue()); }

void imageController::showHalftone(int index, int value) {
    const auto [lowest, highest] = kHalftoneLimits[index - kHalftoneAngle];
    value = std::clamp(value, lowest, highest);
    m_steppers[index]->setIntValue(value);
    m_fields[index]->setIntValue(value);
    updateImageDict(TagOf(index));
}

// ---------------------------------------------------------------------------
// Typing

void imageController::controlTextDidChange(platform::TextField& field) {
    const std::optional<int> index = IndexOfTag(field.tag());
    if (!index || *index >= kHalftoneAngle) return;
    ValueGroup& group = groupOf(*index);
    const bool longer = group.kind == Group::Alignment && group.mmCell->state() != 0;
    floatNumberFormatter(*index, longer ? 6 : 5);
    m_steppers[*index]->setFloatValue(fieldValue(*index));
    followSide1(*index);
    sendGroup(group);
}

void imageController::controlTextDidEndEditing(platform::TextField& field) {
    if (const std::optional<int> index = IndexOfTag(field.tag()); index && *index >= kHalftoneAngle) {
        halftoneEdited(*index);
    } else if (index) {
        floatNumberFormatter(*index, imageAlign.mmCell->state() != 0 ? 6 : 5);
        // The number the field shows is the one recorded, sent and followed.
        const std::string text = m_fields[*index]->stringValue();
        if (const auto shown = image_field::TwoDecimalText(text, platform::DecimalSeparator()))
            m_fields[*index]->setStringValue(*shown);
        m_steppers[*index]->setFloatValue(fieldValue(*index));
        updateImageDict(field.tag());
        if (const std::optional<int> side2 = followSide1(*index)) updateImageDict(TagOf(*side2));
    }
    postReadyToPrint();
}

void imageController::floatNumberFormatter(int index, std::size_t length) {
    const ValueGroup& group = groupOf(index);
    const image_field::Filtered filtered = image_field::FilterTypedNumber(
        m_fields[index]->stringValue(), length, group.kind, shownUnit(group), platform::DecimalSeparator());
    if (filtered.refused) platform::Beep();
    m_fields[index]->setStringValue(filtered.text);
}

// Typed side 1 shows on side 2 as "%.2f", alignment turned over.
std::optional<int> imageController::followSide1(int index) {
    const ValueGroup& group = groupOf(index);
    if (!isSide1(index) || group.mirror->state() == 0) return std::nullopt;
    const int side2 = index + group.perSide;
    const auto [mirroredX, mirroredY] = mirroredAlignment();
    const float value = group.kind == Group::EdgeErase ? fieldValue(index) : index == kSide1X ? mirroredX : mirroredY;
    m_fields[side2]->setStringValue(platform::FormatDecimal(value));
    m_steppers[side2]->setFloatValue(value);
    return side2;
}

// ---------------------------------------------------------------------------
// Recording and sending

// A distance or a group's box goes to the bridge first, and the group's keys
// are then written as the bridge holds them, so that the dictionary has the
// unit and every value in it that a template brings back.
void imageController::updateImageDict(int recordCase) {
    const std::optional<int> index = IndexOfTag(recordCase);
    if (recordCase >= 1 && recordCase <= 4) {
        handleFeatureState(kOrientationCase, recordCase);
        updateGroup({{"FinishOrientation", platform::FormatInteger(recordCase)}});
    } else if (recordCase == kGretCase) {
        handleFeatureState(kGretCase, gretButton->state());
        updateGroup({{"engineGRET", platform::FormatInteger(gretButton->state())}});
    } else if (index && *index >= kHalftoneAngle) {
        const int screen = m_fields[*index]->intValue();
        handleFeatureState(recordCase, screen);
        updateGroup({{kValueFieldNames[*index].key, platform::FormatInteger(screen)}});
    } else if (index || recordCase == imageAlign.sendCase || recordCase == edgeErase.sendCase) {
        const ValueGroup& group = index ? groupOf(*index) : recordCase == imageAlign.sendCase ? imageAlign : edgeErase;
        sendGroup(group);
        std::vector<std::pair<std::string, std::string>> entries;
        if (_zqJSEController) addHeldEntries(group, entries);
        else if (index) entries.emplace_back(kValueFieldNames[*index].key, platform::FormatDecimal(fieldValue(*index)));
        else entries.emplace_back(group.key, platform::FormatInteger(group.box->state()));
        updateGroup(entries);
    }
}

// The group as the bridge holds it after a send: the on and mirror boxes
// sent, the bridge's unit and every distance in that unit.
void imageController::addHeldEntries(const ValueGroup& group,
                                     std::vector<std::pair<std::string, std::string>>& entries) const {
    const zqController& bridge = *_zqJSEController;
    const bool alignment = group.kind == Group::Alignment;
    const int unit = alignment ? bridge.GetCurrentImageAlignUnit() : bridge.GetCurrentEdgeEraseUnit();
    std::vector<double> values;
    if (alignment) {
        const zqController::ImageShift s = bridge.GetCurrentImageAlignValues(unit);
        values = {s.front.x, s.front.y, s.back.x, s.back.y};
    } else {
        const zqController::EdgeMargins m = bridge.GetCurrentEdgeEraseValues(unit);
        values = {m.front.top, m.front.left, m.front.bottom, m.front.right,
                  m.back.top,  m.back.left,  m.back.bottom,  m.back.right};
    }
    entries.emplace_back(group.key, platform::FormatInteger(group.box->state()));
    entries.emplace_back(group.mirrorKey, platform::FormatInteger(group.mirror->state() != 0));
    entries.emplace_back(group.unitKey, platform::FormatInteger(unit));
    for (std::size_t k = 0; k < values.size(); ++k) {
        const int index = group.first + static_cast<int>(k);
        entries.emplace_back(kValueFieldNames[index].key,
                             platform::FormatDecimal(zqController::PlusZeroAtTwoDecimals(values[k])));
    }
}

// Nothing while the pane shows what the dictionary holds.
void imageController::handleFeatureState(int sendCase, int value) {
    if (!_zqJSEController || isPuttingBack()) return;
    switch (sendCase) {
        case kGretCase: _zqJSEController->SetGRET(value); break;
        case kOrientationCase: _zqJSEController->SetFinishOrientation(value); break;
        case 9: sendGroup(imageAlign); break;
        case 10: sendGroup(edgeErase); break;
        case 6124: _zqJSEController->SetHalfToneAngle(value); break;
        case 6126: _zqJSEController->SetHalfToneFrequency(value); break;
        default: break;
    }
}

// The whole group from its fields, in the unit shown, in the paper
// orientation the values are held in.
void imageController::sendGroup(const ValueGroup& group) {
    if (!_zqJSEController || isPuttingBack()) return;
    const bool on = group.box->state() == 1;
    const bool mirror = group.mirror->state() != 0;
    const int unit = shownUnit(group);
    const int orientation = heldOrientation(group);
    const auto v = [this, &group](int k) { return fieldValue(group.first + k); };
    if (group.kind == Group::Alignment) {
        _zqJSEController->SetImageAlign(on, mirror, unit, orientation, v(0), v(1), v(2), v(3));
    } else {
        _zqJSEController->SetEdgeErase(on, mirror, unit, orientation,
                                       {{v(0), v(1), v(2), v(3)}, {v(4), v(5), v(6), v(7)}});
    }
}

// The pane places its values upright; a template can hold them in another
// paper orientation, which a click that changes no value must not turn.
int imageController::heldOrientation(const ValueGroup& group) const {
    const platform::Value* image = _jobFeatureDict ? _jobFeatureDict->find("image") : nullptr;
    const platform::Value* held = image ? image->dictionary().find(group.orientationKey) : nullptr;
    return held ? held->intValue() : 1;
}

// ---------------------------------------------------------------------------
// Settings, body paper and end

// Restoring shows; it never sends: the dictionary holds what the bridge
// holds, each group's distances in the unit the group is shown in.
void imageController::applySettings() {
    showBodyPaper();
    const platform::Value* found = _jobFeatureDict ? _jobFeatureDict->find("image") : nullptr;
    if (!found) return;
    const platform::Dictionary image = found->dictionary();
    putBack([&] {
        const int rotation = image["FinishOrientation"].intValue();
        selectRotation(rotation >= 2 && rotation <= 4 ? rotation : 1);
        gretButton->setState(image["engineGRET"].intValue() != 0);
        restoreGroup(image, imageAlign);
        restoreGroup(image, edgeErase);
        for (const int index : {kHalftoneAngle, kHalftoneFrequency}) {
            std::string text;
            if (const platform::Value* stored = image.find(kValueFieldNames[index].key)) text = stored->text();
            else if (_zqJSEController) {
                text = platform::FormatInteger(index == kHalftoneAngle ? _zqJSEController->GetHalftoneAngle()
                                                                       : _zqJSEController->GetLinePerInch());
            } else continue;
            m_fields[index]->setStringValue(text);
            m_steppers[index]->setIntValue(m_fields[index]->intValue());
        }
    });
}

// The unit, the on box, side 1 as stored, then side 2 from the mirror or as
// stored; the steppers take the values shown.
void imageController::restoreGroup(const platform::Dictionary& image, ValueGroup& group) {
    showUnit(group, image[group.unitKey].intValue() == 1 ? image_field::kMillimetre : image_field::kInch);
    if (group.kind == Group::Alignment) enableImageAligns(image[group.key].intValue());
    else enableEdgeErase(image[group.key].intValue());
    for (int i = group.first; i < group.first + group.perSide; ++i) restoreText(image, i);
    const bool mirrored = image[group.mirrorKey].intValue() != 0;
    group.mirror->setState(mirrored);
    mirrorRoutine(group);
    if (!mirrored)
        for (int i = group.first + group.perSide; i < group.end(); ++i) restoreText(image, i);
    for (int i = group.first; i < group.end(); ++i) m_steppers[i]->setFloatValue(fieldValue(i));
}

// A key the group lacks leaves the field as it is.
void imageController::restoreText(const platform::Dictionary& image, int index) {
    if (const platform::Value* stored = image.find(kValueFieldNames[index].key)) {
        m_fields[index]->setStringValue(stored->text());
    }
}

// Both texts the same way from every road: the body paper of the pane's
// "jobSetup" group and, once the bridge is known, its size.
void imageController::showBodyPaper() {
    const bool hasJobSetup = _jobFeatureDict && _jobFeatureDict->contains("jobSetup");
    const std::string paper = hasJobSetup ? (*_jobFeatureDict)["jobSetup"]["bodyPaper"].text() : std::string();
    if (hasJobSetup) bodyText->setStringValue(getNSStringWithID(10086) + " " + paper);
    if (!_zqJSEController) return;
    bodySizeText->setStringValue(getNSStringWithID(10137) + " " + _zqJSEController->getPaperSize(paper));
}

void imageController::termination() {
    _lastRotationButton = nullptr;
    _lastRotationButtonName.clear();
    OptionPane::termination();
}

// ---------------------------------------------------------------------------
// Plain values of the controls

bool imageController::isSide1(int index) const {
    const ValueGroup& group = index < kSide1Top ? imageAlign : edgeErase;
    return index >= group.first && index < group.first + group.perSide;
}

Unit imageController::shownUnit(const ValueGroup& group) const {
    return group.mmCell->state() != 0 ? image_field::kMillimetre : image_field::kInch;
}

float imageController::fieldValue(int index) const {
    return static_cast<float>(image_field::FieldValue(m_fields[index]->stringValue(), platform::DecimalSeparator()));
}

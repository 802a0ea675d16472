// imageController: the image pane, tab 5 of the main pane. It sets the
// finishing orientation (rotation 0, 90, 180 or 270 degrees), the engine's
// GRET switch, image alignment (a shift of side 1 and side 2) and edge erase
// (four margins of each side), both in inches or millimetres with side 2
// following side 1 when mirrored, and the halftone screen (angle and lines
// per inch); it also shows the body paper and its size.
//
// Unlike the other option panes it never takes the feature road: every
// value goes to the bridge through a typed setter, unchecked, so the pane
// shows no alert and keeps its values within range itself, by its input
// filter and by clamping. A value field's tag (6100 to 6126) is also the
// case by which the pane records it in the "image" group and sends it.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ImageFieldText.h"
#include "OptionPane.h"

class imageController : public OptionPane, public platform::TextFieldDelegate {
public:
    imageController();
    ~imageController() override;

    // Sets the captions, titles and tool tips, and the alignment and erase
    // steppers' increment and limits in inches.
    void awakeFromNib() override;

    // The rotation buttons: record case 1 to 4.
    void selectRotation0(platform::Control&) { selectRotation(1); }
    void selectRotation90(platform::Control&) { selectRotation(2); }
    void selectRotation180(platform::Control&) { selectRotation(3); }
    void selectRotation270(platform::Control&) { selectRotation(4); }
    void selectGRET(platform::Control&) { updateImageDict(kGretCase); }

    // Image alignment.
    void selectImageAlign(platform::Control&) { enableImageAligns(imageAlign.box->state()); }
    void selectImageAlignSide1XStepper(platform::Control&) { imageAlignValueChange(kSide1X); }
    void selectImageAlignSide1YStepper(platform::Control&) { imageAlignValueChange(kSide1X + 1); }
    void selectImageAlignSide2XStepper(platform::Control&) { imageAlignValueChange(kSide1X + 2); }
    void selectImageAlignSide2YStepper(platform::Control&) { imageAlignValueChange(kSide1X + 3); }
    void selectImageAlignSide1Mirror(platform::Control&) { selectMirror(imageAlign); }
    void selectImageAlignSide1Inch(platform::Control&) { switchUnit(imageAlign, image_field::kInch); }
    void selectImageAlignSide1MM(platform::Control&) { switchUnit(imageAlign, image_field::kMillimetre); }
    void selectImageAlignSide1Reset(platform::Control&) { resetGroup(imageAlign); }

    // Edge erase: side-1 steppers top, left, bottom, right, then side 2.
    void selectEdgeErase(platform::Control&) { enableEdgeErase(edgeErase.box->state()); }
    void selectEdgeEraseSide1TopStepper(platform::Control&) { edgeEraseValueChange(kSide1Top); }
    void selectEdgeEraseSide1LeftStepper(platform::Control&) { edgeEraseValueChange(kSide1Top + 1); }
    void selectEdgeEraseSide1BottomStepper(platform::Control&) { edgeEraseValueChange(kSide1Top + 2); }
    void selectEdgeEraseSide1RightStepper(platform::Control&) { edgeEraseValueChange(kSide1Top + 3); }
    void selectEdgeEraseSide2TopStepper(platform::Control&) { edgeEraseValueChange(kSide1Top + 4); }
    void selectEdgeEraseSide2LeftStepper(platform::Control&) { edgeEraseValueChange(kSide1Top + 5); }
    void selectEdgeEraseSide2BottomStepper(platform::Control&) { edgeEraseValueChange(kSide1Top + 6); }
    void selectEdgeEraseSide2RightStepper(platform::Control&) { edgeEraseValueChange(kSide1Top + 7); }
    void selectEdgeEraseSide1Mirror(platform::Control&) { selectMirror(edgeErase); }
    void selectEdgeEraseSide1Inch(platform::Control&) { switchUnit(edgeErase, image_field::kInch); }
    void selectEdgeEraseSide1MM(platform::Control&) { switchUnit(edgeErase, image_field::kMillimetre); }
    void selectEdgeEraseSide1Reset(platform::Control&) { resetGroup(edgeErase); }

    // The halftone screen.
    void selectHalftoneAngleStepper(platform::Control&) { halftoneValueChange(kHalftoneAngle); }
    void selectHalftoneFrequencyStepper(platform::Control&) { halftoneValueChange(kHalftoneFrequency); }

    // Typing filters the field and sends its group; the end of an edit
    // leaves a distance at two decimals, records it (sending the group
    // again) and holds the next print back once.
    void controlTextDidChange(platform::TextField& field) override;
    void controlTextDidEndEditing(platform::TextField& field) override;

    // The units the alignment and erase fields show now; for tests.
    int currentImageAlignUnit() const { return imageAlign.unit; }
    int currentEdgeEraseUnit() const { return edgeErase.unit; }

protected:
    // Shows the "image" group, units included, and sends nothing.
    void applySettings() override;
    void termination() override;

private:
    // The value fields by index: tag 6100 + 2 x index, case the same.
    static constexpr int kSide1X = 0;          // alignment: 1X, 1Y, 2X, 2Y
    static constexpr int kSide1Top = 4;        // erase: side 1 top..right, side 2 top..right
    static constexpr int kHalftoneAngle = 12;  // then the frequency
    static constexpr int kHalftoneFrequency = 13;
    static constexpr int kValueFields = 14;
    static constexpr int kGretCase = 5;

    // Image alignment or edge erase: its controls and the unit it shows.
    struct ValueGroup {
        image_field::Group kind;
        int first;       // index of the first side-1 field
        int perSide;     // fields per side
        int sendCase;    // 9 or 10
        int titleLabel;  // the group box's label
        const char* key;  // of the on/off box in the "image" group
        const char* mirrorKey;
        const char* unitKey;
        const char* orientationKey;  // the paper orientation the bridge holds the values in
        platform::Button* box = nullptr;
        platform::Button* mirror = nullptr;
        platform::Button* reset = nullptr;
        platform::Button* inchCell = nullptr;
        platform::Button* mmCell = nullptr;
        int unit = image_field::kInch;

        // Past the group's last side-2 field.
        int end() const { return first + 2 * perSide; }
    };

    void selectRotation(int rotation);
    void changeTitle(int rotationCase);
    void resetRotationButton();

    void enableImageAligns(int flag);
    void enableEdgeErase(int flag);
    void enableGroup(ValueGroup& group, bool on);
    void mirrorRoutine(ValueGroup& group);
    // The mirror box clicked: side 2 follows or clears, and the group goes to
    // the bridge at once, so that what prints is what side 2 shows.
    void selectMirror(ValueGroup& group);
    // Side 2 of mirrored image alignment as the ticket prints it: side 1
    // turned over across the axis the job's orientation gives.
    std::pair<float, float> mirroredAlignment() const;
    void resetGroup(ValueGroup& group);
    void switchUnit(ValueGroup& group, image_field::Unit unit);
    void showUnit(ValueGroup& group, image_field::Unit unit);
    void imageAlignValueChange(int index);
    void edgeEraseValueChange(int index);
    void halftoneValueChange(int index);
    void halftoneEdited(int index);
    // The screen value within its range in field and stepper, recorded.
    void showHalftone(int index, int value);

    // Runs the input filter on the field and beeps at a refused character.
    void floatNumberFormatter(int index, std::size_t length);
    // Side 2 of a side-1 field takes its value when the group is mirrored;
    // the index of the side-2 field that followed, if any.
    std::optional<int> followSide1(int index);
    // Sends the case and records it in the "image" group, then broadcasts.
    void updateImageDict(int recordCase);
    void addHeldEntries(const ValueGroup& group, std::vector<std::pair<std::string, std::string>>& entries) const;
    // Sends one case to the bridge through its typed setter.
    void handleFeatureState(int sendCase, int value);
    void sendGroup(const ValueGroup& group);
    // The paper orientation the bridge holds the group's values in: 1
    // (upright) but after a template that holds another.
    int heldOrientation(const ValueGroup& group) const;

    void showBodyPaper();
    void restoreGroup(const platform::Dictionary& image, ValueGroup& group);
    void restoreText(const platform::Dictionary& image, int index);

    ValueGroup& groupOf(int index) { return index < kSide1Top ? imageAlign : edgeErase; }
    bool isSide1(int index) const;
    image_field::Unit shownUnit(const ValueGroup& group) const;
    float fieldValue(int index) const;
    std::string buttonTitle(const ValueGroup& group, image_field::Unit unit) const;

    std::array<platform::TextField*, kValueFields> m_fields{};
    std::array<platform::Stepper*, kValueFields> m_steppers{};
    std::array<platform::Button*, 4> m_rotationButtons{};
    std::array<platform::TextField*, 23> m_captions{};
    platform::TextField* imageRotationText = nullptr;
    platform::Button* gretButton = nullptr;
    platform::TextField* bodyText = nullptr;
    platform::TextField* bodySizeText = nullptr;
    ValueGroup imageAlign{image_field::Group::Alignment, kSide1X, 2, 9, 13120, "imageAlign", "imageAlignMirrorSide1",
                          "imageAlignUnit", "imageAlignPaperOrientation"};
    ValueGroup edgeErase{image_field::Group::EdgeErase, kSide1Top, 4, 10, 13087, "edgeErase", "edgeEraseMirrorSide1",
                         "edgeEraseUnit", "edgeErasePaperOrientation"};

    platform::Button* _lastRotationButton = nullptr;
    std::string _lastRotationButtonName;
};

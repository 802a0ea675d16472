// The job-setup pane's settings other than papers: print mode, cover modes,
// collate, proof set, set separators and the signature size of a pamphlet.
// Each goes to the bridge through the checked feature road; a refused one
// is put back from the dictionary and leaves the dictionary as it was.
#include <algorithm>
#include <vector>

#include "JSE_Records.h"
#include "jobSetupController.h"
#include "zqController.h"

// Print mode ---------------------------------------------------------------

// An interleaved job is collated and has no covers, as the ticket prints
// it: with the mode the pane sends collate on and both covers off, so that
// the engine holds what the pane then shows. A refusal of any of them shows
// its alert and leaves every control, and the engine, as they were.
void jobSetupController::selectPrintMode(int mode) {
    std::vector<FeatureChange> changes = {{kFeaturePrintingMode, mode, selectedPrintMode()}};
    if (IsInterleaveMode(mode)) {
        if (storedNumber("collate") != 1) changes.push_back({kFeatureCollate, 1, storedNumber("collate")});
        for (const auto& [feature, key] : {std::pair{kFeatureFrontCoverMode, "frontCoverMode"},
                                           std::pair{kFeatureBackCoverMode, "backCoverMode"}})
            if (storedNumber(key) > 1) changes.push_back({feature, 1, storedNumber(key)});
    }
    if (!sendTogether(changes)) return;
    showPrintMode(mode);
    if (IsInterleaveMode(mode))
        writeJobSetup({{"printingMode", platform::FormatInteger(mode)}, {"collate", "1"}, {"frontCoverMode", "1"},
                       {"backCoverMode", "1"}});
    else
        updateJobSetupDict(kCasePrintMode);
}

// The features in order, as one click: a refused one puts those sent before
// it back to what they were, unasked.
bool jobSetupController::sendTogether(const std::vector<FeatureChange>& changes) {
    for (auto change = changes.begin(); change != changes.end(); ++change) {
        if (handleFeature(change->feature, change->value, {}, 0) == 0) continue;
        while (change != changes.begin()) {
            --change;
            if (_zqJSEController) _zqJSEController->HandleJobFeatures(change->feature, change->before, {}, 0);
        }
        return false;
    }
    return true;
}

// Signature pages belong to a pamphlet, interleave papers to the two
// interleaved modes; an interleaved job shows collate on and no cover to
// choose.
void jobSetupController::showPrintMode(int mode) {
    const bool interleave = IsInterleaveMode(mode);
    selectButton(_lastPrint, PrintButton(mode));
    updatePrintText();
    enableSignature(mode == 6);
    enableInterleave(interleave);
    if (collateCheckBox) {
        if (interleave) collateCheckBox->setState(1);
        collateCheckBox->setEnabled(!interleave);
    }
    for (platform::Button* cover : {frontCoverPaperButton, backCoverPaperButton})
        if (cover) cover->setEnabled(!interleave);
    if (!interleave) return;
    const PaperKind* kind = selectedPaperKind();
    if (kind && (kind->tag == 2002 || kind->tag == 2004)) bodyPaper();
    showCoverMode(1);
}

// The mode of the selected print button by its tag (1000, 1002, ... 1010);
// simplex for any other tag.
int jobSetupController::selectedPrintMode() const {
    const int tag = _lastPrint.selected ? _lastPrint.selected->tag() : 0;
    return tag >= 1000 && tag <= 1010 && tag % 2 == 0 ? (tag - 1000) / 2 + 1 : 1;
}

// A pamphlet's text ends with the signature field's text.
void jobSetupController::updatePrintText() {
    if (!printModeText) return;
    const int mode = selectedPrintMode();
    std::string text = statusText(13051, PrintButton(mode).label);
    if (mode == 6 && signatureSizeText) text += signatureSizeText->stringValue();
    printModeText->setStringValue(text);
}

void jobSetupController::enableSignature(bool enabled) {
    if (signatureSizeText) signatureSizeText->setEnabled(enabled);
    if (signatureSizeStepper) signatureSizeStepper->setEnabled(enabled);
}

void jobSetupController::enableInterleave(bool enabled) {
    if (interleavePaperButton) interleavePaperButton->setEnabled(enabled);
}

void jobSetupController::enableSeparator(bool enabled) {
    if (separatorPaperButton) separatorPaperButton->setEnabled(enabled);
}

void jobSetupController::enableCover(bool enabled) {
    for (const ImageButton& row : kCoverButtons)
        if (platform::Button* button = this->*row.button) button->setEnabled(enabled);
}

// Cover modes ----------------------------------------------------------------

// The mode of the chosen cover: the front cover's when its paper button is
// chosen, else the back cover's. Only a cover that is printed has a paper
// to choose; "none" takes the table away even when it is refused.
void jobSetupController::selectCoverMode(int mode) {
    const PaperKind* kind = selectedPaperKind();
    const bool front = kind && kind->tag == 2002;
    if (handleFeature(front ? kFeatureFrontCoverMode : kFeatureBackCoverMode, mode, {}, 0) == 0) {
        showCoverMode(mode);
        updateJobSetupDict(kCaseCoverNone + mode - 1);
        if (paperTableView) paperTableView->setEnabled(mode >= 2);
    }
    if (mode == 1 && paperTableView) paperTableView->setEnabled(false);
}

void jobSetupController::changeCoverMode(std::string_view key) {
    const int mode = storedNumber(key);
    if (paperTableView) paperTableView->setEnabled(mode > 1);
    showCoverMode(mode);
}

// Any mode out of 2 to 5 shows as none.
void jobSetupController::showCoverMode(int mode) {
    const ImageButton& row = kCoverButtons[mode >= 2 && mode <= 5 ? mode - 1 : 0];
    selectButton(_lastCover, row);
    if (coverPaperText) coverPaperText->setStringValue(statusText(10011, row.label));
}

// Check boxes ----------------------------------------------------------------

// Set separators need collated sets: collate is not turned off under them.
void jobSetupController::selectCollate(platform::Control&) {
    const int on = collateCheckBox ? collateCheckBox->state() : 0;
    if (on != 1 && setSeparatorCheckBox && setSeparatorCheckBox->state() == 1) {
        showAlert(getNSStringWithID(16117));
        return undo(kFeatureCollate);
    }
    if (handleFeature(kFeatureCollate, on, {}, 0) != 0) return undo(kFeatureCollate);
    updateJobSetupDict(kCaseCollate);
}

void jobSetupController::selectProof(platform::Control&) {
    const int on = proofSet ? proofSet->state() : 0;
    if (handleFeature(kFeatureProofSet, on, {}, 0) != 0) return undo(kFeatureProofSet);
    updateJobSetupDict(kCaseProofSet);
}

// Set separators go between collated sets only: without collate the box is
// turned off with a word why, and the engine is told it is off.
void jobSetupController::selectSetSeparator(platform::Control&) {
    if (!setSeparatorCheckBox) return;
    if (!collateCheckBox || collateCheckBox->state() != 1) {
        showAlert(getNSStringWithID(16117));
        setSeparatorCheckBox->setState(0);
    }
    const int on = setSeparatorCheckBox->state();
    if (handleFeature(kFeatureSetSeparator, on, {}, 0) != 0) return undo(kFeatureSetSeparator);
    enableSeparator(on);
    updateJobSetupDict(kCaseSetSeparator);
}

// Signature ------------------------------------------------------------------

void jobSetupController::selectSignatureStepper(platform::Control&) {
    if (!signatureSizeStepper) return;
    const int pages = std::clamp(signatureSizeStepper->intValue(), kMinSignaturePages, kMaxSignaturePages);
    signatureSizeStepper->setIntValue(pages);
    if (signatureSizeText) signatureSizeText->setIntValue(pages);
    setSignaturePages(pages);
}

// Only digits stay; a number out of range is shown at the nearer end.
void jobSetupController::controlTextDidChange(platform::TextField& field) {
    if (field.tag() != 1001) return;
    const std::string typed = field.stringValue();
    const std::string verified = verifyIntField(typed);
    if (verified != typed) field.setStringValue(verified);
    const int number = platform::ReadInt(verified);
    const int pages = std::clamp(number, kMinSignaturePages, kMaxSignaturePages);
    if (pages != number) field.setIntValue(pages);
    if (signatureSizeStepper) signatureSizeStepper->setIntValue(pages);
    setSignaturePages(pages);
}

std::string jobSetupController::verifyIntField(const std::string& text) {
    std::size_t end = text.size();
    while (end > 0 && text[end - 1] >= '0' && text[end - 1] <= '9') --end;
    if (end == 0) return text;
    // The whole character: back over the continuation bytes of its UTF-8 form.
    std::size_t start = end - 1;
    while (start > 0 && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80) --start;
    return text.substr(0, start) + text.substr(end);
}

void jobSetupController::setSignaturePages(int pages) {
    if (handleFeature(kFeatureSignaturePages, pages, {}, 0) != 0) return undo(kFeatureSignaturePages);
    updatePrintText();
    showSheets(platform::FormatInteger((pages + 3) / 4));
    updateJobSetupDict(kCaseSignature);
}

void jobSetupController::showStoredSignature() {
    if (signatureSizeText) signatureSizeText->setStringValue(storedText("signaturePages"));
    if (signatureSizeStepper) signatureSizeStepper->setIntValue(storedNumber("signaturePages"));
    showSheets(storedText("sheets"));
}

void jobSetupController::showSheets(const std::string& sheets) {
    _sheets = sheets;
    if (signatureSheet) signatureSheet->setStringValue(getNSStringWithID(10084) + " " + sheets);
}

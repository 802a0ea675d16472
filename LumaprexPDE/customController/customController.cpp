// The custom-command tab: destination features and the user's own command.
#include "customController.h"

#include <array>

#include "AlertPanel.h"
#include "JSE_Records.h"
#include "OpenPanel.h"
#include "UserEnvironment.h"
#include "zqController.h"

struct customController::TextFieldRow {
    int tag;
    int feature;  // 0: the command text, which is no job feature
    const char* key;  // the text's rule goes by it
};

namespace {

constexpr int kAfterTicket = 1;
constexpr int kBeforeTicket = 2;
constexpr int kCommandTextTag = 3006;
constexpr int kCommandFileTag = 3008;

// "fieldFlag": 1 no command, 2 text, 3 file, 4 text and file.
int CommandKind(bool text, bool file) {
    if (text) return file ? 4 : 2;
    return file ? 3 : 1;
}

bool IsOn(const platform::Button* button) { return button && button->state() == 1; }

void Enable(platform::Control* control, bool enabled) {
    if (control) control->setEnabled(enabled);
}

void SetState(platform::Button* button, bool on) {
    if (button) button->setState(on ? 1 : 0);
}

std::string TextOf(const platform::TextField* field) { return field ? field->stringValue() : std::string(); }

void SetText(platform::TextField* field, const std::string& text) {
    if (field) field->setStringValue(text);
}

}  // namespace

customController::customController() : OptionPane("customController", "custom", kUnstrippedLabels) {
    declareOutlet("destination", destination);
    declareOutlet("printButton", printButton);
    declareOutlet("createTIFFButton", createTIFFButton);
    declareOutlet("destinationText", destinationText);
    declareOutlet("userIDText", userIDText);
    declareOutlet("userIDEditText", userIDEditText);
    declareOutlet("storeButton", storeButton);
    declareOutlet("storeEditText", storeEditText);
    declareOutlet("specificPrinterButton", specificPrinterButton);
    declareOutlet("specificPrinterEditText", specificPrinterEditText);
    declareOutlet("customOptionTitle", customOptionTitle);
    declareOutlet("userDefinedCommandFileButton", userDefinedCommandFileButton);
    declareOutlet("userDefinedCustomCommandEditText", userDefinedCustomCommandEditText);
    declareOutlet("customCommandFileButton", customCommandFileButton);
    declareOutlet("customCommandFileEditText", customCommandFileEditText);
    declareOutlet("customCommandFileSearchButton", customCommandFileSearchButton);
    declareOutlet("insertCustomOptionText", insertCustomOptionText);
    declareOutlet("insertCustomPreappendButton", insertCustomPreappendButton);
    declareOutlet("insertCustomAppendButton", insertCustomAppendButton);
    declareAction("selectPrint:", &customController::selectPrint);
    declareAction("selectCreateTiff:", &customController::selectCreateTiff);
    declareAction("selectStore:", &customController::selectStore);
    declareAction("selectSpecificPrinter:", &customController::selectSpecificPrinter);
    declareAction("selectDestination:", &customController::selectDestination);
    declareAction("selectUserCommand:", &customController::selectUserCommand);
    declareAction("selectUserCommandFile:", &customController::selectUserCommandFile);
    declareAction("selectUserCommandSearchFile:", &customController::selectUserCommandSearchFile);
    declareAction("selectPreAppendCommand:", &customController::selectPreAppendCommand);
    declareAction("selectAppendCommand:", &customController::selectAppendCommand);
    registerZQController();
    registerForJobFeatureUpdate();
}

// The pane has no termination notification; it leaves the center as it goes.
customController::~customController() { termination(); }

const customController::TextFieldRow* customController::FieldRow(int tag) {
    static const std::array<TextFieldRow, 4> rows = {{
        {3000, kFeatureCreateTIFF, "createTIFFPath"},
        {3002, kFeatureSaveAs, "saveAsFileNameText"},
        {3004, kFeatureSpecificPrinter, "specificPrinterNameText"},
        {kCommandTextTag, 0, "command"},
    }};
    for (const TextFieldRow& row : rows) {
        if (row.tag == tag) return &row;
    }
    return nullptr;
}

void customController::awakeFromNib() {
    Enable(userDefinedCustomCommandEditText, false);
    Enable(customCommandFileEditText, false);
    Enable(customCommandFileSearchButton, false);
    showInsertPosition(kBeforeTicket);
}

// ---- Destination ----

// Printing the job ends the TIFF too, in the engine and in the group, so
// that the ticket never asks for a TIFF the pane no longer shows.
void customController::selectPrint(platform::Control&) {
    const bool print = IsOn(printButton);
    if (print) {
        SetText(userIDEditText, {});
        SetState(createTIFFButton, false);
    }
    Enable(userIDEditText, !print);
    sendDestination(kFeaturePrint, print, {});
    if (print) sendDestination(kFeatureCreateTIFF, 0, {});
}

void customController::selectCreateTiff(platform::Control&) {
    const bool tiff = IsOn(createTIFFButton);
    if (tiff) SetState(printButton, false);
    SetText(userIDEditText, tiff ? platform::LoginName() : std::string());
    Enable(userIDEditText, tiff);
    sendDestination(kFeatureCreateTIFF, tiff, TextOf(userIDEditText));
}

void customController::selectStore(platform::Control&) {
    Enable(storeEditText, IsOn(storeButton));
    sendDestination(kFeatureSaveAs, IsOn(storeButton), TextOf(storeEditText));
}

void customController::selectSpecificPrinter(platform::Control&) {
    Enable(specificPrinterEditText, IsOn(specificPrinterButton));
    sendDestination(kFeatureSpecificPrinter, IsOn(specificPrinterButton), TextOf(specificPrinterEditText));
}

void customController::sendDestination(int feature, int value, const std::string& text) {
    if (!_zqJSEController) return;
    if (handleFeature(feature, value, text, 0) == 0) updateCustomDict(feature);
}

void customController::updateCustomDict(int feature) {
    const auto state = [](const platform::Button* button) { return platform::Format("%ld", IsOn(button) ? 1L : 0L); };
    switch (feature) {
    case kFeatureSaveAs:
        return updateGroup({{"saveAs", state(storeButton)}, {"saveAsFileNameText", TextOf(storeEditText)}});
    case kFeatureCreateTIFF:
        return updateGroup({{"createTIFF", state(createTIFFButton)}, {"createTIFFPath", TextOf(userIDEditText)}});
    case kFeatureSpecificPrinter:
        return updateGroup({{"specificPrinter", state(specificPrinterButton)},
                            {"specificPrinterNameText", TextOf(specificPrinterEditText)}});
    default: return;
    }
}

// ---- Typing ----

void customController::controlTextDidChange(platform::TextField& field) {
    if (field.tag() == kCommandFileTag) return handleCustomCommand(kCommandFileTag);
    if (const TextFieldRow* row = FieldRow(field.tag())) verifyTextField(field, *row);
}

// Names lose the characters outside their class and every text is cut to
// its limit with a beep. What the field then shows is what is sent and
// stored: a mended text is sent unless the group already holds it.
void customController::verifyTextField(platform::TextField& field, const TextFieldRow& row) {
    const AuditedText audited = AuditUserEntry(field.stringValue(), *TextRuleOf(row.key));
    if (audited.cut) platform::Beep();
    if (audited.mended()) {
        field.setStringValue(audited.text);
        if (audited.text == group()[row.key].text()) return;
    }
    if (row.tag == kCommandTextTag) return handleCustomCommand(kCommandTextTag);
    if (handleFeature(row.feature, 1, audited.text, 0) == 0) updateCustomDict(row.feature);
}

// ---- The custom command ----

void customController::handleCustomCommand(int tag) {
    if (tag == kCommandTextTag) updateCommand({{"command", TextOf(userDefinedCustomCommandEditText)}});
    else updateCommand({{"fileName", TextOf(customCommandFileEditText)}});
}

// The bridge takes the group with the entries first; the group then holds
// the entries and whether the bridge's command is on, which a template
// brings back.
void customController::updateCommand(std::vector<std::pair<std::string, std::string>> entries) {
    if (_zqJSEController && _jobFeatureDict) {
        platform::Dictionary custom = group().copy();
        for (const auto& [key, value] : entries) custom.set(key, value);
        _zqJSEController->setCustomCommand(custom);
        entries.emplace_back("withJobStream", _zqJSEController->customCommandEnabled() ? "1" : "0");
    }
    updateGroup(entries);
}

void customController::selectUserCommandSearchFile(platform::Control&) {
    const std::optional<std::string> path = platform::RunOpenPanel();
    if (!path) return;
    SetText(customCommandFileEditText, *path);
    handleCustomCommand(kCommandFileTag);
}

// Unticking the text box disables the insert buttons even with the file box
// on; a click on the file box enables them again.
void customController::selectUserCommand(platform::Control&) {
    const bool text = IsOn(userDefinedCommandFileButton);
    Enable(userDefinedCustomCommandEditText, text);
    Enable(insertCustomPreappendButton, text);
    Enable(insertCustomAppendButton, text);
    updateCommandKind();
}

void customController::selectUserCommandFile(platform::Control&) {
    const bool text = IsOn(userDefinedCommandFileButton), file = IsOn(customCommandFileButton);
    Enable(customCommandFileSearchButton, file);
    Enable(insertCustomPreappendButton, text || file);
    Enable(insertCustomAppendButton, text || file);
    if (text) Enable(userDefinedCustomCommandEditText, true);
    updateCommandKind();
}

void customController::updateCommandKind() {
    const int kind = CommandKind(IsOn(userDefinedCommandFileButton), IsOn(customCommandFileButton));
    updateCommand(
        {{"fieldFlag", platform::FormatInteger(kind)}, {"insertPosition", platform::FormatInteger(_insertPosition)}});
}

void customController::selectPreAppendCommand(platform::Control&) { selectInsertPosition(kBeforeTicket); }
void customController::selectAppendCommand(platform::Control&) { selectInsertPosition(kAfterTicket); }

void customController::selectInsertPosition(int position) {
    showInsertPosition(position);
    updateCommand({{"insertPosition", platform::FormatInteger(position)}});
}

void customController::showInsertPosition(int position) {
    resetInsertButton();
    const bool before = position == kBeforeTicket;
    selectInsertButton(before ? insertCustomPreappendButton : insertCustomAppendButton,
                       before ? "preappend2.icns" : "append2.icns", true);
    _lastInsertButtonName = before ? "preappend1.icns" : "append1.icns";
    _insertPosition = before ? kBeforeTicket : kAfterTicket;
}

void customController::resetInsertButton() {
    if (_lastInsertButton && !_lastInsertButtonName.empty()) changeButtonImage(_lastInsertButton, _lastInsertButtonName);
}

void customController::selectInsertButton(platform::Button* button, const char* image, bool setLast) {
    if (!_pluginBundle) return;
    if (setLast) _lastInsertButton = button;
    changeButtonImage(button, image);
}

// ---- Restoring ----

// Sends nothing: the group holds what the engine holds. The command's
// fields show its text and file, and the insert buttons follow its kind.
void customController::applySettings() {
    if (!_jobFeatureDict || !_jobFeatureDict->contains("custom")) return;
    const platform::Dictionary custom = group();
    const auto restoreBox = [&](platform::Button* box, platform::TextField* field, const char* flag, const char* text) {
        SetState(box, custom[flag].intValue() != 0);
        Enable(field, IsOn(box));
        SetText(field, custom[text].text());
    };
    restoreBox(storeButton, storeEditText, "saveAs", "saveAsFileNameText");
    restoreBox(specificPrinterButton, specificPrinterEditText, "specificPrinter", "specificPrinterNameText");
    const bool tiff = custom["createTIFF"].intValue() != 0;
    SetState(printButton, !tiff);
    SetState(createTIFFButton, tiff);
    Enable(userIDEditText, tiff);
    if (tiff) SetText(userIDEditText, custom["createTIFFPath"].text());

    const int kind = custom["fieldFlag"].intValue();
    const bool known = kind >= 2 && kind <= 4, text = kind == 2 || kind == 4, file = kind == 3 || kind == 4;
    SetState(userDefinedCommandFileButton, text);
    SetState(customCommandFileButton, file);
    Enable(userDefinedCustomCommandEditText, text);
    Enable(customCommandFileEditText, file);
    Enable(customCommandFileSearchButton, file);
    SetText(userDefinedCustomCommandEditText, custom["command"].text());
    SetText(customCommandFileEditText, custom["fileName"].text());
    Enable(insertCustomPreappendButton, known);
    Enable(insertCustomAppendButton, known);
    if (known) showInsertPosition(custom["insertPosition"].intValue() == kBeforeTicket ? kBeforeTicket : kAfterTicket);
}

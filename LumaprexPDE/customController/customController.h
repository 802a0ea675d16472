// customController: the custom-command tab. Where the job goes (printed, or
// made into a TIFF for a user ID; stored under a name; sent to a specific
// printer), sent to the bridge as job features; and the user's own command,
// as text, as a file or both, before or after the ticket's keyword lines,
// kept in the "custom" group and handed to the bridge whole.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "OptionPane.h"
#include "TypedText.h"

class customController : public OptionPane, public platform::TextFieldDelegate {
public:
    customController();
    ~customController() override;

    void awakeFromNib() override;

    // Destination.
    void selectPrint(platform::Control& sender);
    void selectCreateTiff(platform::Control& sender);
    void selectStore(platform::Control& sender);
    void selectSpecificPrinter(platform::Control& sender);
    // The choice group itself; its cells send their own actions.
    void selectDestination(platform::Control&) {}

    // The custom command.
    void selectUserCommand(platform::Control& sender);
    void selectUserCommandFile(platform::Control& sender);
    void selectUserCommandSearchFile(platform::Control& sender);
    void selectPreAppendCommand(platform::Control& sender);
    void selectAppendCommand(platform::Control& sender);

    void controlTextDidChange(platform::TextField& field) override;

protected:
    void applySettings() override;

private:
    // One text field that is checked as it is typed.
    struct TextFieldRow;
    static const TextFieldRow* FieldRow(int tag);

    // A destination feature from a box or cell: without a bridge nothing is
    // sent or written; accepted, the group is written.
    void sendDestination(int feature, int value, const std::string& text);
    // Mends the field's text and sends it; see the source.
    void verifyTextField(platform::TextField& field, const TextFieldRow& row);
    // The command text (3006) or file (3008) into the group, then the group
    // to the bridge.
    void handleCustomCommand(int tag);
    // "fieldFlag" from the two boxes and "insertPosition" from the chosen
    // button into the group, then the group to the bridge.
    void updateCommandKind();
    // The chosen insert position (1 after the ticket lines, 2 before) shown
    // on its button, written into the group and handed to the bridge.
    void selectInsertPosition(int position);
    // Shows the position's button as chosen.
    void showInsertPosition(int position);
    // Writes the destination feature's entries ("saveAs", "createTIFF",
    // "specificPrinter" with their texts) and broadcasts; nothing for any
    // other feature.
    void updateCustomDict(int feature);
    // The custom command's entries into the group and, when there is a
    // bridge, the group to it.
    void updateCommand(std::vector<std::pair<std::string, std::string>> entries);

    void resetInsertButton();
    void selectInsertButton(platform::Button* button, const char* image, bool setLast);

    platform::Matrix* destination = nullptr;
    platform::Button* printButton = nullptr;
    platform::Button* createTIFFButton = nullptr;
    platform::TextField* destinationText = nullptr;
    platform::TextField* userIDText = nullptr;
    platform::TextField* userIDEditText = nullptr;
    platform::Button* storeButton = nullptr;
    platform::TextField* storeEditText = nullptr;
    platform::Button* specificPrinterButton = nullptr;
    platform::TextField* specificPrinterEditText = nullptr;
    platform::TextField* customOptionTitle = nullptr;
    platform::Button* userDefinedCommandFileButton = nullptr;
    platform::TextField* userDefinedCustomCommandEditText = nullptr;
    platform::Button* customCommandFileButton = nullptr;
    platform::TextField* customCommandFileEditText = nullptr;
    platform::Button* customCommandFileSearchButton = nullptr;
    platform::TextField* insertCustomOptionText = nullptr;
    platform::Button* insertCustomPreappendButton = nullptr;
    platform::Button* insertCustomAppendButton = nullptr;

    platform::Button* _lastInsertButton = nullptr;
    std::string _lastInsertButtonName;
    // The chosen insert position, held here because the image buttons have
    // no state of their own.
    int _insertPosition = 2;
};

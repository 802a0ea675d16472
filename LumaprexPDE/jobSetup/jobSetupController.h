// jobSetupController: the job-setup tab, the first a user sees. It chooses
// how the job prints (simplex, duplex, interleaved, pamphlet with its
// signature size), the papers of the body, the covers, the interleaves and
// the set separators from the printer's paper catalog, the cover modes,
// collate and the proof set, and loads another paper catalog file.
//
// Every choice goes to the controller bridge as a job feature; a refused one
// shows the rule's message and its control is put back from the "jobSetup"
// group of the pane's job-feature dictionary, without being sent again. An
// accepted one is written into that group, which is then broadcast to the
// template pane and handed to the finishing pane.
//
// The pane is declared by concern, each implemented in its own file:
// jobSetupController.cpp (life cycle, notifications, restoring and writing
// the dictionary), jobSetupControllerPapers.cpp (the paper table and the
// paper-kind buttons), jobSetupControllerModes.cpp (print mode, covers,
// collate, proof set, separators, signature) and
// jobSetupControllerCatalog.cpp (loading a catalog, column sizes).
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "Controls.h"
#include "FoundationValues.h"
#include "OptionPane.h"
#include "PaperTable.h"

class jobSetupController : public OptionPane,
                           public platform::TableDataSource,
                           public platform::TableDelegate,
                           public platform::TextFieldDelegate {
public:
    // Signature pages a pamphlet may have.
    static constexpr int kMinSignaturePages = 1;
    static constexpr int kMaxSignaturePages = 4000;

    jobSetupController();
    ~jobSetupController() override;

    void awakeFromNib() override;

    // Print mode: sends 112 with 1 to 6.
    void selectPrintSimplex(platform::Control&) { selectPrintMode(1); }
    void selectPrintDuplexLongEdge(platform::Control&) { selectPrintMode(2); }
    void selectPrintDuplexShortEdge(platform::Control&) { selectPrintMode(3); }
    void selectPrintInterleaveBlank(platform::Control&) { selectPrintMode(4); }
    void selectPrintInterleavePrinted(platform::Control&) { selectPrintMode(5); }
    void selectPrintPamphlet(platform::Control&) { selectPrintMode(6); }
    // Cover mode of the cover whose paper button is chosen: 1 to 5.
    void selectCoverNone(platform::Control&) { selectCoverMode(1); }
    void selectCoverFront(platform::Control&) { selectCoverMode(2); }
    void selectCoverBack(platform::Control&) { selectCoverMode(3); }
    void selectCoverBoth(platform::Control&) { selectCoverMode(4); }
    void selectCoverPrinted(platform::Control&) { selectCoverMode(5); }
    // Which paper the table chooses.
    void selectBodyPaper(platform::Control&);
    void selectFrontCoverPaper(platform::Control&);
    void selectBackCoverPaper(platform::Control&);
    void selectInterleavePaper(platform::Control&);
    void selectSeparatorPaper(platform::Control&);
    void selectCollate(platform::Control&);
    void selectProof(platform::Control&);
    void selectSetSeparator(platform::Control&);
    void selectSignatureStepper(platform::Control&);
    // The open panel for another catalog file (".cat").
    void selectPaperCatalog(platform::Control&);

    // The paper table: the catalog's papers, with the "<<Body Paper>>" row
    // first for every paper but the body's.
    int numberOfRowsInTableView(platform::TableView&) override;
    std::string objectValueForTableColumn(platform::TableView&, const platform::TableColumn& column, int row) override;
    // Every change of the selection sends the selected row as the paper of
    // the chosen paper button.
    void tableViewSelectionDidChange(platform::TableView& table) override;
    // The signature field filters what is typed and sends the pages.
    void controlTextDidChange(platform::TextField& field) override;

    // What tests look at.
    const std::string& currentCatalogPath() const { return _currentCatalogPath; }

protected:
    void applySettings() override;
    void termination() override;

private:
    // One row of a group of image buttons of which one shows as selected.
    struct ImageButton {
        int value;  // the print mode, the cover mode or the paper button's tag
        platform::Button* jobSetupController::*button;
        const char* normalImage;
        const char* selectedImage;
        int label;  // the name shown in the group's status text
    };
    // A group's selected button and the normal image it gets back.
    struct ButtonGroup {
        platform::Button* selected = nullptr;
        std::string normalName;
    };
    // A paper kind: its button row, what it sends and where it is kept.
    struct PaperKind {
        int tag;
        int feature;
        const char* key;
        int dictCase;
    };
    static const ImageButton kPrintButtons[6];
    static const ImageButton kPaperButtons[5];
    static const ImageButton kCoverButtons[5];
    static const PaperKind kPaperKinds[5];
    static const ImageButton& PrintButton(int mode);
    static const ImageButton* PaperButton(int tag);
    static const PaperKind* PaperKindOf(int tag);

    // Cases of the dictionary write (updateJobSetupDict:).
    enum DictCase {
        kCaseBodyPaper = 2,
        kCaseFrontCoverPaper = 3,
        kCaseBackCoverPaper = 4,
        kCaseInterleavePaper = 5,
        kCaseSeparatorPaper = 6,
        kCaseCollate = 7,
        kCaseProofSet = 8,
        kCaseSetSeparator = 11,
        kCasePrintMode = 12,
        kCaseCoverNone = 16,  // to 20, the cover modes 1 to 5
        kCaseSignature = 21,
    };

    // ---- Button groups (jobSetupController.cpp) ----
    void selectButton(ButtonGroup& group, const ImageButton& row);
    void resetButton(ButtonGroup& group);
    // The text of a status line: the label, ": " and the value's label.
    std::string statusText(int label, int value) const;

    // ---- Life cycle and the dictionary (jobSetupController.cpp) ----
    // Writes one case into the "jobSetup" group and posts the whole
    // dictionary to the finishing pane and the template pane (and the body
    // paper to the image pane).
    void updateJobSetupDict(int dictCase);
    void writeJobSetup(std::initializer_list<std::pair<std::string_view, std::string>> entries, bool bodyPaper = false);
    // Puts the control of the feature back from the dictionary.
    void undo(int feature);
    int storedNumber(std::string_view key) const;
    std::string storedText(std::string_view key) const;

    // ---- Print mode, covers, check boxes, signature (jobSetupControllerModes.cpp) ----
    // A feature the pane sends, with the value the engine held before.
    struct FeatureChange {
        int feature, value, before;
    };
    void selectPrintMode(int mode);
    // Whether the bridge took every change.
    bool sendTogether(const std::vector<FeatureChange>& changes);
    void showPrintMode(int mode);
    void updatePrintText();
    void enableSignature(bool enabled);
    void enableInterleave(bool enabled);
    void enableSeparator(bool enabled);
    void enableCover(bool enabled);
    void selectCoverMode(int mode);
    // Shows the cover mode stored for the chosen cover; nothing is sent.
    void changeCoverMode(std::string_view key);
    void showCoverMode(int mode);
    // Sends the signature pages and shows them with the sheets they take.
    void setSignaturePages(int pages);
    // The field, the sheets text and the stepper as the dictionary holds them.
    void showStoredSignature();
    void showSheets(const std::string& sheets);
    // The typed text with its last character outside 0 to 9 removed.
    static std::string verifyIntField(const std::string& text);
    int selectedPrintMode() const;

    // ---- The paper table (jobSetupControllerPapers.cpp) ----
    // Chooses the paper kind the table works on: its button, its status
    // text, the cover buttons, the virtual row and its stored paper.
    void showPaperKind(int tag);
    void bodyPaper();
    const PaperKind* selectedPaperKind() const;
    void addVirtualPaper(bool add);
    // Selects the stored paper of the kind without sending it.
    void updatePaperSelection(const PaperKind& kind);

    // ---- The catalog (jobSetupControllerCatalog.cpp) ----
    void listenPaperCatalogUpdate(const platform::Notification& notification);
    void listenPaperCatalogPathUpdate(const platform::Notification& notification);
    void listenColumnSizeUpdate(const platform::Notification& notification);
    void listenLoadPaperCatalogError(const platform::Notification& notification);
    void listenLoadPaperCatalogComplete(const platform::Notification& notification);

    // Outlets.
    platform::Button* simplex = nullptr;
    platform::Button* duplexLongEdge = nullptr;
    platform::Button* duplexShortEdge = nullptr;
    platform::Button* interleaveBlank = nullptr;
    platform::Button* interleavePrePrinted = nullptr;
    platform::Button* pamphlet = nullptr;
    platform::Button* bodyPaperButton = nullptr;
    platform::Button* frontCoverPaperButton = nullptr;
    platform::Button* backCoverPaperButton = nullptr;
    platform::Button* interleavePaperButton = nullptr;
    platform::Button* separatorPaperButton = nullptr;
    platform::Button* coverPaperNoneButton = nullptr;
    platform::Button* coverPaperFrontButton = nullptr;
    platform::Button* coverPaperBackButton = nullptr;
    platform::Button* coverPaperBothButton = nullptr;
    platform::Button* coverPaperPrintedButton = nullptr;
    platform::TableView* paperTableView = nullptr;
    platform::Button* collateCheckBox = nullptr;
    platform::Button* proofSet = nullptr;
    platform::Button* setSeparatorCheckBox = nullptr;
    platform::TextField* signatureSizeText = nullptr;
    platform::Stepper* signatureSizeStepper = nullptr;
    platform::TextField* signatureSheet = nullptr;
    platform::TextField* signatureMaxSize = nullptr;
    platform::TextField* printModeText = nullptr;
    platform::TextField* selectPaperText = nullptr;
    platform::TextField* coverPaperText = nullptr;
    platform::TextField* paperCatalogPathText = nullptr;
    platform::TextField* jobsetupTitle = nullptr;
    platform::Button* paperCatalogButton = nullptr;

    // Pane state.
    PaperTable _paperCatalog;
    ButtonGroup _lastPrint, _lastPaper, _lastCover;
    std::string _currentCatalogPath;
    std::string _tempPath;
    std::string _sheets;
};

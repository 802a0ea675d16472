// The page-exception pane: tab 2 of the dialog's pane. The user gathers
// pages into page sets with the page field, picks a set in the set table and
// its pages in the page-set selector, and applies page exceptions to the
// target ranges those choices give (TargetRanges.h). The exceptions live in
// the bridge's page collection only; the pane reads them back for its
// tables and for its group of the job-feature dictionary, "Substitution".
//
// The pane is written by concern, one source file each, and this header
// keeps one section per concern:
//   peController.cpp              the pane itself: construction, set-up,
//                                 settings delivery, termination, and the
//                                 one data source, selection handler and
//                                 text-field delegate of its tables and
//                                 fields, which hand each table or field to
//                                 its concern by tag
//   peControllerPageSets.cpp      page sets: the page field, the set table,
//                                 the Delete button, the all-sets box,
//                                 target ranges
//   peControllerShell.cpp         the group buttons and the inner tab view,
//                                 the validation box, the selector's enable
//                                 signal, the "Substitution" group
//   peControllerSummary.cpp       the summary table of every page exception,
//                                 Delete and Delete All
//   peControllerSubstitution.cpp  paper substitution and inserts: the paper
//                                 combo, Update, the exception table, Delete,
//                                 and the check-and-store road of every page
//                                 feature
//   peControllerSubset.cpp        finishing subsets: output device, staple
//                                 position, trimming and offset stacking of
//                                 the target ranges, the subset box, Update
//   peControllerLayout.cpp        page layout: print mode, print side,
//                                 rotation and chapter start, Update
//   peControllerImage.cpp         image shift on pages: both sides' X and Y
//                                 in inches or millimetres, the mirror,
//                                 Update
// A concern declares its outlets and actions in its own declare method,
// which the constructor calls, and sets its controls up in its own setup
// method, which awakeFromNib calls.
#pragma once

#include <array>
#include <functional>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "JSE_Records.h"
#include "OptionPane.h"
#include "PageEntries.h"
#include "PageRangeEntry.h"
#include "PeTableRows.h"
#include "TargetRanges.h"

class pageSetController;

class peController : public OptionPane,
                     public platform::TableDataSource,
                     public platform::TableDelegate,
                     public platform::TextFieldDelegate {
public:
    peController();
    ~peController() override;

    void awakeFromNib() override;

    // The pane's tables, told apart by tag.
    int numberOfRowsInTableView(platform::TableView& table) override;
    std::string objectValueForTableColumn(platform::TableView& table, const platform::TableColumn& column,
                                          int row) override;
    void tableViewSelectionDidChange(platform::TableView& table) override;

    // The pane's text fields, told apart by tag. Ending the editing of any
    // of them holds the next print back.
    void controlTextDidChange(platform::TextField& field) override;
    bool controlTextShouldEndEditing(platform::TextField& field) override;
    void controlTextDidEndEditing(platform::TextField& field) override;

    // --- Page sets and page-range entry (peControllerPageSets.cpp) ---------

    static constexpr int kPageFieldTag = 6001;
    static constexpr int kPageSetTableTag = 6100;

    // Parses the page field and adds the ranges that pass the checks as page
    // sets; one alert lists every error of the entry.
    void selectEnterPageButton(platform::Control& sender);
    // Deletes the selected sets (the page exceptions of their pages stay).
    void selectDeleteSet(platform::Control& sender);
    // The all-sets box: every set becomes a target range.
    void selectAllSets(platform::Control& sender);
    // 1 while the all-sets box is on.
    int AllSetsSelected() const;
    // Inserts the set by its first page, without checks, and makes it the
    // current set (or, with the all-sets box on, selects every set again).
    void AddPeSetRecord(int start, int end);
    // The page ranges an apply action acts on.
    std::vector<PageRange> collectTargetRanges(Runs runs = Runs::Joined) const;

    const std::vector<PageRange>& pageSets() const { return _pageSetList; }
    pageSetController* pageSelector() const { return _pageSetController; }

    // --- Pane shell (peControllerShell.cpp) -----------------------------------

    static constexpr int kExceptionTableTag = 6102;
    static constexpr int kSummaryTableTag = 6106;

    // The group buttons: each shows its group in the inner tab view (the
    // substitution and insert groups share the first page).
    void selectPeSubstitute(platform::Control& sender);
    void selectPeInsert(platform::Control& sender);
    void selectPeSubset(platform::Control& sender);
    void selectPeLayout(platform::Control& sender);
    void selectPeImage(platform::Control& sender);
    void selectPeSummary(platform::Control& sender);
    // The validation box: turned off it warns once and stops the pane's
    // engine checks of page exceptions; either way the bridge is told.
    void selectWarningButton(platform::Control& sender);
    // 1 while page exceptions are checked before they are stored.
    int PeValidation() const { return _PeValidation; }
    // Rewrites "pageSets" and "pageFeatures" of the "Substitution" group
    // from the page sets and the bridge's page collection, keeping the
    // group's other keys; posts nothing.
    void updatePEFeatures();

    // --- Summary (peControllerSummary.cpp) -------------------------------------

    // Delete takes the entries of the selected rows out of the page
    // collection, each row exactly its own entry; Delete All empties the
    // collection.
    void selectDeleteSummaryItem(platform::Control& sender);
    void selectDeleteAllSummaryItem(platform::Control& sender);

    // --- Paper substitution and inserts (peControllerSubstitution.cpp) --------

    static constexpr int kPaperComboTag = 1000;

    // Stores the substitution (or, with the insert group showing, the
    // insert) of the paper chosen on every target range, each checked first;
    // stops at the first refusal.
    void selectExceptionUpdate(platform::Control& sender);
    // Takes exactly the feature of each selected row of the exception table
    // out of the page collection.
    void selectExceptionDelete(platform::Control& sender);
    // The paper combo's choice: its description line follows it.
    void comboBoxSelectionDidChange(platform::Control& sender);
    // The tray combo and the before/after choice are read at Update.
    void selectInsFinisher(platform::Control&) {}
    void selectInsMode(platform::Control&) {}
    // The road of every page feature: checked by the engine while the
    // validation box is on, the refusal shown in one alert (label 16218 for
    // an engine error); with add 1 an allowed feature is stored. 0 when
    // allowed, else the refusal. A layout feature given is judged as stored
    // on the pages with it.
    int ValidationOnExceptions(int start, int end, int code, const std::string& paper, int value, int add,
                               std::optional<PageFeature> layout = std::nullopt);
    // The feature on every target range with the paper combo's paper,
    // stopping at the first refusal, shown once; 0 with the validation box
    // off.
    int validateOnTargets(Runs runs, int code, int value, int add,
                          std::optional<PageFeature> layout = std::nullopt);

    // --- Finishing subsets (peControllerSubset.cpp) ---------------------------

    // The subset group's buttons. A click is checked on every target range
    // (while the validation box is on) and, allowed, becomes the group's
    // current value, shown selected in its row; the stapler also chooses no
    // staple. Nothing reaches the page collection before Update.
    void selectUseJobFinisher(platform::Control&) { chooseFinisher(kPeNotSet); }
    void selectTopFinisher(platform::Control&) { chooseFinisher(1); }
    void selectStaplerFinisher(platform::Control&) { chooseFinisher(2); }
    void selectStackerFinisher(platform::Control&) { chooseFinisher(3); }
    void selectBookletFinisher(platform::Control&) { chooseFinisher(4); }
    void selectOtherFinisher(platform::Control&) { chooseFinisher(5); }
    void selectStapleNone(platform::Control&) { chooseFinisher(6); }
    void selectStapleTop(platform::Control&) { chooseFinisher(7); }
    void selectStapleBottom(platform::Control&) { chooseFinisher(8); }
    void selectStapleBoth(platform::Control&) { chooseFinisher(9); }
    void selectStapleSaddle(platform::Control&) { chooseFinisher(10); }
    // The trimming and offset-stacking boxes; a refused click puts the box
    // back.
    void selectEdgeTrim(platform::Control&) { chooseFinisherBox(11); }
    void selectOffsetStack(platform::Control&) { chooseFinisherBox(12); }
    // The subset box: on, Update makes every target range a subset; off,
    // Update takes the subsets of the ranges away.
    void selectSubset(platform::Control& sender);
    // Stores the group's current values on every target range and confirms
    // them in an alert, when every range allows them as the job and the
    // pages are now; a refusal is shown once and stores nothing.
    void selectFinisherUpdate(platform::Control& sender);
    // A click of the group by index (1 to 5 and 255 the devices, 6 to 10
    // the staple positions, 11 trimming, 12 offset stacking): the current
    // value changed when every target range allows it; 0, or the refusal.
    int HandlePeFinisher(int index);
    // Enables the group as the target ranges and the subset box allow.
    void enableSubsetBox();
    // The subset box's title names the pages it acts on while it is on.
    void updateSubsetTitle();

    // --- Page layout (peControllerLayout.cpp) -----------------------------------

    // The layout group's buttons, each checked on every target range like a
    // subset click; 255 stands for the job's setting.
    void selectUseJobPrinting(platform::Control&) { chooseLayout(13); }
    void selectPrintSide1(platform::Control&) { chooseLayout(14); }
    void selectPrintSide2LongEdge(platform::Control&) { chooseLayout(15); }
    void selectPrintSide2ShortEdge(platform::Control&) { chooseLayout(16); }
    void selectUseJobSide(platform::Control&) { chooseLayout(17); }
    void selectFrontSide(platform::Control&) { chooseLayout(18); }
    void selectBackSide(platform::Control&) { chooseLayout(19); }
    void selectUseJobRotation(platform::Control&) { chooseLayout(20); }
    void select180Rotation(platform::Control&) { chooseLayout(21); }
    void selectChapterPageStart(platform::Control&) { chooseLayout(22); }
    void selectChapterPageNone(platform::Control&) { chooseLayout(23); }
    // Stores print mode, print side, rotation and chapter start on every
    // target range (the job's setting by taking the range's own away) and
    // confirms them in an alert, when every range allows them as the job and
    // the pages are now; a refusal is shown once and stores nothing.
    void selectLayoutUpdate(platform::Control& sender);
    // A layout click by index (13 to 23): 0 when every target range allows
    // it, else the refusal.
    int HandlePeLayout(int index);
    // The layout buttons are enabled while there is a target range.
    void enableLayout();

    // --- Image shift on pages (peControllerImage.cpp) ----------------------------

    // The four fields: side 1 X, side 1 Y, side 2 X, side 2 Y, tagged 7000
    // upwards by twos.
    static constexpr int kImageShiftFirstTag = 7000;
    static constexpr int kImageShiftFields = 4;

    void selectImageAlign(platform::Control&) { enableImageAligns(); }
    void selectImageAlignSide1XStepper(platform::Control&) { imageShiftStepped(0); }
    void selectImageAlignSide1YStepper(platform::Control&) { imageShiftStepped(1); }
    void selectImageAlignSide2XStepper(platform::Control&) { imageShiftStepped(2); }
    void selectImageAlignSide2YStepper(platform::Control&) { imageShiftStepped(3); }
    // The mirror box: on, side 2 shows side 1 mirrored and cannot be edited.
    void selectImageAlignSide1Mirror(platform::Control& sender);
    // The unit radios convert the four values.
    void selectImageAlignSide1Inch(platform::Control&) { switchImageShiftUnit(0); }
    void selectImageAlignSide1MM(platform::Control&) { switchImageShiftUnit(1); }
    // All four values to 0.
    void selectImageAlignSide1Reset(platform::Control& sender);
    // The orientation radios: a mirrored side 2 is shown across the new axis.
    void selectPortraitButton(platform::Control&) { imageShiftOrientationClicked(); }
    void selectLandscapeButton(platform::Control&) { imageShiftOrientationClicked(); }
    // Stores the shift, in points, on the target ranges and confirms it.
    void selectImageUpdate(platform::Control& sender);
    // Enables the group's controls while the image-shift box is on.
    void enableImageAligns();

protected:
    // Restores the pane from its group of the job-feature dictionary.
    void applySettings() override;
    // Ends the page-set selector, then the pane.
    void termination() override;

private:
    // --- Page sets and page-range entry -------------------------------------

    void declarePageSets();
    void setupPageSets();
    // Rebuilds the sets from the "pageSets" of the "Substitution" group.
    void restorePageSets();
    void pageFieldDidChange(platform::TextField& field);
    // The page field's filter: the text cut before the first character that
    // is no figure, blank, "." or ","; a beep when it cuts.
    std::string numberFormatter(const std::string& text, int tag) const;
    void verifyTextField(int tag);
    std::vector<std::string> pageSetRow(int row) const;
    void pageSetSelectionDidChange(platform::TableView& table);
    // Selects one row, which the selection handler makes current.
    void selectPageSetRow(int row);
    void selectEveryPageSet();
    // What the all-sets box's state asks of the table, the strip and the
    // apply buttons; run whenever the box changes, by the user or by code.
    void allSetsChanged(bool on);
    void clearPageSets();
    void enableApplyButtons(bool enabled);

    std::vector<PageRange> _pageSetList;  // sorted by first page
    pageSetController* _pageSetController = nullptr;
    platform::TextField* pageEditorField = nullptr;
    platform::Button* enterPageButton = nullptr;
    platform::TableView* pageSetView = nullptr;
    platform::Button* deletePageRange = nullptr;
    platform::Button* selectAllSetCheck = nullptr;
    platform::TextField* pageRange = nullptr;
    platform::TextField* pageExample = nullptr;
    // The apply buttons of the groups, enabled by the all-sets box and by
    // the selector's signal; each group declares its own outlets.
    platform::Button* exceptionUpdateButton = nullptr;
    platform::Button* subsetButton = nullptr;
    platform::Button* subsetUpdateButton = nullptr;
    platform::Button* layoutUpdateButton = nullptr;
    platform::Button* imageAlignButton = nullptr;
    platform::Button* imageUpdateButton = nullptr;

    // --- Pane shell ----------------------------------------------------------

    // A button of a row of the subset or layout group: its outlet and
    // action as the interface file names them, the index its click hands
    // on, the page feature and value it chooses, its selected and normal
    // images and its tool tip's label.
    struct OptionButton {
        const char* outlet;
        platform::Button* peController::*button;
        const char* actionName;
        void (peController::*action)(platform::Control&);
        int index;
        int code;
        int value;
        const char* selectedImage;
        const char* normalImage;
        int toolTip;
    };
    // The button a row shows selected and the image it takes back when
    // another button of the row is chosen.
    struct ChosenButton {
        platform::Button* button = nullptr;
        std::string normalImage;
    };

    // A group button: its images and its page of the inner tab view.
    struct GroupButton {
        platform::Button* peController::*button;
        const char* selectedImage;
        const char* normalImage;
        int page;
    };

    void declareShell();
    void setupShell();
    void setupToolTips();
    void registerEnableExceptionUpdateButton();
    void listenEnableUpdateButton(const platform::Notification& notification);
    // The apply buttons and the groups follow whether pages are selected
    // (or the all-sets box is on); a new selection starts the subset and
    // image-shift boxes off.
    void enableForSelection(bool selected);
    void registerUpdatePeFeature();
    void listenUpdatePeFeatureNotification(const platform::Notification& notification);
    void showGroup(const GroupButton& group);
    // Shows or hides the insert group's controls; the exception table is
    // rebuilt when summary deletes changed the collection meanwhile.
    void showPaperGroup(bool insert);
    void selectThisButton(platform::Button* button, std::string_view name);
    // Declares the outlet and the action of each button.
    void declareOptionButtons(std::span<const OptionButton> buttons);
    void setOptionToolTips(std::span<const OptionButton> buttons);
    // Shows the chosen button selected in its row and the one before it
    // normal again.
    void switchRow(ChosenButton& row, const OptionButton& chosen);
    // Writes "head - value" of the two labels into the text.
    void setGroupTitle(platform::TextField* text, int head, int value);
    // Ends an Update that stored the group's settings on the target ranges:
    // confirms them in an alert (label 16035 and the settings after the
    // pane's title), rebuilds the tables, rewrites the "Substitution" group
    // and broadcasts the dictionary.
    void confirmGroupUpdate(const std::string& settings);
    // Rebuilds the exception table and the summary from the collection as
    // it is now, so that every row shows an entry the collection holds and
    // every entry is shown.
    void followPageCollection();
    // Posts "finishingController::exceptionUpdate", after which the
    // finishing pane brings the punching of every page entry up to date.
    void postExceptionUpdate();
    // Widens the table's columns to the row's cells; widths only grow.
    void widenColumns(platform::TableView& table, std::vector<int>& widths, const TableRow& row) const;
    // Sets the table's column headers and first widths from the labels.
    void setupColumns(platform::TableView& table, std::vector<int>& widths, std::initializer_list<int> headers) const;
    // Deletes the selected rows from the last to the first, each through
    // remove, then selects the row before the first one deleted and reloads
    // the table; false, and nothing done, when no row is selected. A row
    // that remove refuses stays, and so do the rows above it; false when
    // no row went.
    bool deleteSelectedRows(platform::TableView& table, std::vector<TableRow>& rows,
                            const std::function<bool(const TableRow&)>& remove);
    // Whether the pages may lose the features of page entry `entry`: a print
    // mode judged as the layout group judges the job's, a substitution as the
    // job's paper put back on the pages. 0 when they may, else the refusal,
    // shown once.
    int judgeTakingAway(const PageRange& pages, const std::vector<PageFeature>& features, int entry);
    // The value of the layout code that the pages keep without page entry
    // `entry`; 255 when none.
    int keptLayoutValue(const PageRange& pages, int code, int entry) const;
    static std::string cell(const std::vector<TableRow>& rows, int row, int column);

    int _PeValidation = 1;
    bool _summaryListChanged = false;
    platform::Button* lastSelected = nullptr;
    std::string lastSelectedName;
    platform::Button* peSubstitute = nullptr;
    platform::Button* peInsert = nullptr;
    platform::Button* peSubset = nullptr;
    platform::Button* peLayout = nullptr;
    platform::Button* peImage = nullptr;
    platform::Button* peSummary = nullptr;
    platform::TabView* peMainTabView = nullptr;
    platform::Button* validationWarning = nullptr;
    platform::TextField* pageFeatureTitle = nullptr;

    // --- Summary ---------------------------------------------------------------

    void declareSummary();
    void setupSummary();
    void constructPeSummaryList();
    bool removeSummaryRow(const TableRow& row);

    std::vector<TableRow> _summaryList;
    std::vector<int> _summaryColumns;  // widths of columns "0" to "4"
    platform::TableView* summaryListView = nullptr;
    platform::Button* summaryDeleteButton = nullptr;
    platform::Button* summaryDeleteAllButton = nullptr;

    // --- Paper substitution and inserts ------------------------------------------

    void declareSubstitution();
    void setupSubstitution();
    void registerPaperCatalogUpdate();
    void listenPaperCatalogUpdate(const platform::Notification& notification);
    // Chooses paper index of the combo and describes it.
    void selectPaper(int index);
    // The name of the paper chosen in the paper combo; "" when none is.
    std::string chosenPaper() const;
    void updatePaperAttribute(int index);
    // Rebuilds the exception table from the page collection.
    void constructSubstitutionList();
    void storePageFeature(int start, int end, int code, const std::string& paper, int value);
    // Gives every page entry without a punch feature the job's punching, or
    // every such entry sharing a page with the pages.
    void addJobPunchToEntries(std::optional<PageRange> pages);
    bool removeExceptionRow(const TableRow& row);

    platform::Dictionary _paperCatalogDict;
    std::vector<std::string> _paperCatalogKeys;
    std::vector<std::string> _paperList;
    std::vector<TableRow> _exceptionList;
    std::vector<int> _exceptionColumns;  // widths of columns "0" to "3"
    std::vector<std::string> _insertFinisherList;
    platform::ComboBox* exceptionPaperCombo = nullptr;
    platform::TextField* paperAttribute = nullptr;
    platform::TextField* exceptionPaperCatalogText = nullptr;
    platform::ComboBox* insertFinisherCombo = nullptr;
    platform::Matrix* insertLocationMatrix = nullptr;
    platform::Button* insertBeforeButton = nullptr;
    platform::TextField* insertExitText = nullptr;
    platform::TableView* exceptionListView = nullptr;
    platform::Button* exceptionDeleteButton = nullptr;

    // --- Finishing subsets ------------------------------------------------------------

    void declareSubset();
    void setupSubset();
    void chooseFinisher(int index);
    void chooseFinisherBox(int index);
    // Checks a click on every target range, runs of pages apart; 0 with the
    // validation box off.
    int validateSubsetFeatures(int index);
    // The feature a click chooses, as the engine judges it: a box by its
    // state (1 on, 0 off); none for the job's device, which is never refused.
    std::optional<PageFeature> subsetClickFeature(int index) const;
    // Whether every feature Update would store on the ranges is allowed as
    // the pages and the job are now; a refusal is shown once.
    bool subsetUpdateAllowed();
    // The device's features a subset entry receives, in the order stored;
    // none for the job's device.
    std::vector<PageFeature> subsetDeviceFeatures(bool allSets) const;
    // The device row on the job's setting, no staple, both boxes off.
    void resetSubset();
    // Shows the staple positions the device offers and enables the boxes it
    // can do.
    void handleDevice();
    void handleStaplePosition();
    // For every target range: its subsets removed, then with add 1 the
    // range made a subset of the current device.
    void addSubset(int add);
    // Removes the subset entries of exactly start..end or inside it.
    void removeCurrentSubsetSelection(int start, int end);
    // The current device's features on the subset entry of each range.
    void addDeviceFeatures(const std::vector<PageRange>& ranges);
    std::string subsetConfirmation() const;
    void updateDeviceTitle();
    void updateStaplePositionTitle();

    static const OptionButton kFinisherButtons[11];
    // The current values, 255 the job's setting: device 1 top, 2 stapler,
    // 3 stacker, 4 booklet, 5 other; staple position 1 none, 2 top, 3
    // bottom, 4 both, 5 saddle; trimming 10 on, 11 off; offset stacking 7
    // on, 6 off.
    int _mDeviceExit = kPeNotSet;
    int _mStaplePosition = 1;
    int _mEdgeTrimValue = 11;
    int _mOffstackValue = 6;
    ChosenButton _lastFinishingButton;
    ChosenButton _lastStaplePositionButton;
    platform::Button* useJobButton = nullptr;
    platform::Button* topExitButton = nullptr;
    platform::Button* StaplerButton = nullptr;
    platform::Button* StackerButton = nullptr;
    platform::Button* BookletButton = nullptr;
    platform::Button* otherFinisherButton = nullptr;
    platform::Button* StapleNoneButton = nullptr;
    platform::Button* StapleTopButton = nullptr;
    platform::Button* StapleBottomButton = nullptr;
    platform::Button* StapleBothButton = nullptr;
    platform::Button* StapleSaddleButton = nullptr;
    platform::Button* edgeTrimButton = nullptr;
    platform::Button* offsetButton = nullptr;
    platform::TextField* finishingDeviceText = nullptr;
    platform::TextField* staplePositionText = nullptr;

    // --- Page layout -------------------------------------------------------------------

    void declareLayout();
    void setupLayout();
    // A factory reset puts the layout and subset rows back on the job's
    // setting.
    void registerFactoryReset();
    void resetLayout();
    int& layoutValue(int code);
    void chooseLayout(int index);
    // The row shows the button chosen, and its title the value.
    void showLayoutChoice(const OptionButton& chosen);
    // Checks the feature on every target range, storing nothing; 0 with the
    // validation box off. A print mode and a print side are judged together,
    // each with the group's current other one, as Update stores them.
    int validateLayoutFeatures(int code, int value);
    std::string layoutConfirmation() const;
    void updateLayoutPrintingTitle();
    void updateLayoutPrintingSidesTitle();
    void updateLayoutRotationTitle();
    void updateLayoutChapterTitle();

    static const OptionButton kLayoutButtons[11];
    // Print mode 1 simplex, 2 duplex long edge, 3 duplex short edge; print
    // side 1 front, 2 back; rotation 3 (180 degrees); chapter start 1; 255
    // the job's setting (no chapter start) in each.
    int mPrintMode = kPeNotSet;
    int mPrintSides = kPeNotSet;
    int mRotation = kPeNotSet;
    int mChapter = kPeNotSet;
    ChosenButton _lastPrintingModeButton;
    ChosenButton _lastPrintingSideButton;
    ChosenButton _lastImageRotationButton;
    ChosenButton _lastChapterPageButton;
    platform::Button* useJobPrintingButton = nullptr;
    platform::Button* simplexButton = nullptr;
    platform::Button* duplexLongEdgeButton = nullptr;
    platform::Button* duplexShortEdgeButton = nullptr;
    platform::Button* useJobPrintSideButton = nullptr;
    platform::Button* frontSideButton = nullptr;
    platform::Button* backSideButton = nullptr;
    platform::Button* useJobimageRotationButton = nullptr;
    platform::Button* use180RotationButton = nullptr;
    platform::Button* chapterPageNoneButton = nullptr;
    platform::Button* chapterPageYesButton = nullptr;
    platform::TextField* layoutText = nullptr;
    platform::TextField* printingModeText = nullptr;
    platform::TextField* printSideText = nullptr;
    platform::TextField* imageRotationText = nullptr;
    platform::TextField* chapterPageText = nullptr;

    // --- Image shift on pages ------------------------------------------------------------

    void declareImage();
    void setupImage();
    void imageShiftStepped(int index);
    // Typing and the end of editing: the field filtered, its stepper and,
    // mirrored, side 2 following.
    void imageShiftEdited(int index);
    // The field's stepper and, mirrored, side 2 take the field's number.
    void followImageShiftField(int index);
    // The end of editing, as typing; then a third decimal typed shows at two
    // (0.125 as 0.12) and a zero in any form ("0", "-0", "-0.00") as 0.00,
    // side 2 following, so that Update stores what the fields show.
    void imageShiftEditingEnded(int index);
    // Side 2 shows side 1 mirrored while the mirror box is on.
    void mirrorImageShift();
    // Side 2's fields and steppers show side 1 mirrored as Update sends it.
    void showMirroredSide2();
    // Side 2's X or Y (by side 1's index) mirrored from side 1's values
    // across the orientation the radios show.
    float mirroredOnSide2(int side1Index) const;
    // With the mirror box on, side 2 follows the orientation clicked; off,
    // no field changes.
    void imageShiftOrientationClicked();
    // The orientation the radios show: 1 portrait, 2 landscape.
    int imageShiftRadioOrientation() const;
    void switchImageShiftUnit(int unit);
    // The unit the radios show: 0 inch, 1 millimetre.
    int imageShiftRadioUnit() const;
    // The number a field's text stands for (either decimal point).
    float imageShiftValue(int index) const;
    // Field ("%.2f") and stepper show the value, one that shows as 0.00 or
    // -0.00 as 0.
    void showImageShift(int index, float value);
    // Side 2's X and Y from side 1's (in points, or as the fields show
    // them), mirrored across the orientation's axis (1 portrait: X negated;
    // 2 landscape: Y), a zero never negative.
    static void computeImageAlignMirrorValues(int orientation, float& x, float& y);
    static double InchToPoint(double inches);
    static double mmToPoint(double millimetres);
    std::string imageShiftConfirmation(float x1, float y1, float x2, float y2) const;

    int _currentUnit = 0;  // of the four values: 0 inch, 1 millimetre
    std::array<platform::TextField*, kImageShiftFields> imageShiftFields{};
    std::array<platform::Stepper*, kImageShiftFields> imageShiftSteppers{};
    platform::TextField* imageSide1Text = nullptr;
    platform::TextField* imageSide2Text = nullptr;
    platform::Button* mirrorSide1Button = nullptr;
    platform::Button* imageAlignResetButton = nullptr;
    platform::TextField* resetToZeroText = nullptr;
    platform::Button* inchButton = nullptr;
    platform::Button* mmButton = nullptr;
    platform::Button* portraitButton = nullptr;
    platform::Button* landscapeButton = nullptr;
};

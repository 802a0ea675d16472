// The finishing pane (tab 1): the job's output device, staple position, page
// order, long-edge fold, trimming, offset stacking and hole punching. Each
// choice goes to the controller bridge as a job feature; an accepted one is
// written into the "finisher" group of the job-feature dictionary, a refused
// one is shown in an alert and its control put back.
//
// Punching has a list of punch patterns with a field for a custom pattern
// number, boxes for punching the covers, and the substitution list: the page
// ranges that carry a paper substitution or an insert, each of which the
// user may punch or not. That choice is page feature 237 of the bridge's page
// collection (0 not punched, any other value punched), which the pane keeps
// in step with the page-exception pane through "finishingController::
// exceptionUpdate" (observed) and "peSubstitutionController::updatePeFeature"
// (posted).
//
// Declared by concern: finishingController.cpp holds the life cycle, the
// dictionary and the image groups, finishingControllerDevices.cpp the
// device, staple, page-order and box choices, finishingControllerPunch.cpp
// the punch box and its pattern list, finishingControllerSubstitution.cpp
// the per-range punching.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Controls.h"
#include "OptionPane.h"

class finishingController : public OptionPane,
                            public platform::TableDataSource,
                            public platform::TableDelegate,
                            public platform::TextFieldDelegate {
public:
    // One row of the punch-pattern list: the pattern's id, its name and
    // whether it is the custom row (always the last one).
    struct PatternRow {
        std::string id;
        std::string name;
        bool custom = false;
    };
    // One row of the substitution list: its three cells, the pages it
    // stands for and whether they are punched.
    struct SubstitutionRow {
        std::string pages;
        std::string kind;
        std::string punched;
        int first = 0;
        int last = 0;
        bool punch = false;
    };

    // The tags by which the pane tells its two tables apart.
    static constexpr int kPatternListTag = 6002;
    static constexpr int kSubstitutionListTag = 6004;

    finishingController();
    ~finishingController() override;

    void awakeFromNib() override;

    // The controls' actions.
    void selectTopExit(platform::Control& sender);
    void selectStapler(platform::Control& sender);
    void selectStacker(platform::Control& sender);
    void selectBooklet(platform::Control& sender);
    void selectOther(platform::Control& sender);
    void selectStapleNone(platform::Control& sender);
    void selectStapleTop(platform::Control& sender);
    void selectStapleBottom(platform::Control& sender);
    void selectStapleBoth(platform::Control& sender);
    void selectStapleSaddle(platform::Control& sender);
    void selectFaceDown(platform::Control& sender);
    void selectFaceUp(platform::Control& sender);
    void selectLastPageFirst(platform::Control& sender);
    void selectLongEdge(platform::Control& sender);
    void selectEdgeTrim(platform::Control& sender);
    void selectOffsetStack(platform::Control& sender);
    void selectPunch(platform::Control& sender);
    void selectPunchPattern(platform::Control& sender);
    void selectPunchFrontCover(platform::Control& sender);
    void selectPunchBackCover(platform::Control& sender);
    void selectPunchSubstitution(platform::Control& sender);

    // The two tables' rows and selections, and the custom pattern field.
    int numberOfRowsInTableView(platform::TableView& table) override;
    std::string objectValueForTableColumn(platform::TableView& table, const platform::TableColumn& column,
                                          int row) override;
    bool tableViewShouldSelectRow(platform::TableView& table, int row) override;
    void tableViewSelectionDidChange(platform::TableView& table) override;
    void controlTextDidChange(platform::TextField& field) override;
    void controlTextDidEndEditing(platform::TextField& field) override;

    // The custom pattern field's filter: of the first three characters, the
    // digits "0" to "9", in order.
    static std::string NumberFormatter(std::string_view text);

    const std::vector<PatternRow>& punchTypeList() const { return _punchTypeList; }
    const std::vector<SubstitutionRow>& substitutionList() const { return _substitutionList; }

protected:
    void applySettings() override;
    void termination() override;

private:
    // A group of image buttons of which one is shown selected: that button
    // and the name of its not-selected image.
    struct ImageGroup {
        platform::Button* button = nullptr;
        std::string lastName;
    };
    // What a device does with a check box.
    enum class BoxStep {
        ClearSendDisable,  // cleared, its choice sent as if the user made it, disabled
        Enable,            // enabled, its state kept
    };
    // How a device shows the stored staple position.
    enum class StapleImage {
        None,     // not at all
        Stapler,  // 1 to 4 as they are, any other as saddle
        Booklet,  // 1 as none, any other as saddle (after the boxes)
    };
    struct DeviceRow;
    struct ImageRow;
    // A check box sent as a job feature (0 off, 1 on): its feature, its
    // dictionary case and key, and the case that puts it back.
    struct BoxRow {
        platform::Button* finishingController::*box;
        int feature;
        int dictCase;
        int undoCase;
        const char* key;
    };

    // Life cycle and dictionary (finishingController.cpp).
    void declareOutletsAndActions();
    void setTitlesAndToolTips();
    bool hasFinisherGroup() const;
    // Whether the group's "punchJob" says the job punches: 1 or 0.
    int storedPunchState() const;
    // Writes one case of the "finisher" group and broadcasts the dictionary.
    void updateFinisherDict(int dictCase);
    // Cases 16 (the punch box and the pattern) and 17 (the pattern).
    void updatePunchDict(bool withPunchBox);
    // Puts a control back from the "finisher" group after a refusal.
    void undo(int undoCase);
    void changeTitle(int titleCase);
    void selectGroupButton(ImageGroup& group, platform::Button* button, const char* selected, const char* normal);
    void resetGroupButton(const ImageGroup& group);
    // Shows the bundle's image of that name on the button; a missing or
    // unreadable image leaves the button as it is.
    void changeButtonImage(platform::Button* button, std::string_view name);

    // Devices, staples, page order and boxes (finishingControllerDevices.cpp).
    void chooseDevice(int device);
    void chooseStaple(int position);
    void choosePageOrder(int order);
    void chooseBox(const BoxRow& row);
    // The state operations: images, titles and enabling, no feature sent
    // but those of the boxes they clear.
    void showDevice(int device, int staplePosition);
    void showStaple(int position);
    void showPageOrder(int order);
    void TopExit() { showDevice(1, 0); }
    void Stapler(int position) { showDevice(2, position); }
    void Stacker() { showDevice(3, 0); }
    void Booklet(int position) { showDevice(4, position); }
    void Other() { showDevice(5, 0); }
    void setBox(const BoxRow& row, BoxStep step);

    // The punch box and the pattern list (finishingControllerPunch.cpp).
    void initPunchPatterns();
    void setUpPunchTables();
    // Sets the punch controls for a state without sending the job's pattern.
    void Punch(int state);
    void handlePunchCover(int state);
    void setCoverBox(const BoxRow& row, int coverMode);
    bool storedCoverPunch(const BoxRow& row) const;
    void showCoverPunches();
    // Puts a stored custom number into the custom row, so that it can be
    // shown and selected.
    void restoreCustomPattern(int pattern);
    int isCustomPattern(int pattern) const;
    int getPunchIDIndex(int pattern) const;
    void setCustomPatternID(int pattern);
    // The index of the first row other than the custom row that holds the
    // pattern; -1 when none does.
    int fixedPatternIndex(int pattern) const;
    void selectPatternRow(int row);
    void patternSelectionDidChange();
    void verifyPatternField(bool editingEnded);
    void showPatternInUse();
    void updateCustomPatternID();
    void resetCustomRow(int pattern);

    // Per-range punching (finishingControllerSubstitution.cpp).
    void handlePunchSubstitution(int state);
    // Sets the punch-substitution box and keeps its state in the group.
    void showSubstitutionPunch(bool on);
    // Page feature 237 on every page entry: value 1 stands for the job's
    // pattern. updatePunchExceptions writes it on every entry (the user
    // turned punching on or off); reapplyPunchExceptions only gives it to
    // entries that lack it, keeping the ranges the user set by hand.
    void updatePunchExceptions(int value);
    void reapplyPunchExceptions(int state);
    void writePunchExceptions(int value, bool overwrite);
    // Rebuilds the substitution list from the page collection and tells the
    // page-exception pane.
    void handlePunchExceptions();
    std::optional<SubstitutionRow> substitutionRow(const zqController& bridge, int entry) const;
    void updateExceptionPunch();
    void substitutionSelectionDidChange();
    void registerForExceptionUpdate();
    void listenExceptionUpdateNotification(const platform::Notification& notification);

    // Outlets.
    platform::TextField* finishingOptionTitle = nullptr;
    platform::TextField* finishingDeviceTitle = nullptr;
    platform::TextField* stapleTitle = nullptr;
    platform::TextField* pageOrderingTitle = nullptr;
    platform::Button* topExit = nullptr;
    platform::Button* staplerExit = nullptr;
    platform::Button* stackerExit = nullptr;
    platform::Button* bookletExit = nullptr;
    platform::Button* otherExit = nullptr;
    platform::Button* stapleNone = nullptr;
    platform::Button* stapleTop = nullptr;
    platform::Button* stapleBottom = nullptr;
    platform::Button* stapleBoth = nullptr;
    platform::Button* stapleSaddle = nullptr;
    platform::Button* facedown = nullptr;
    platform::Button* faceup = nullptr;
    platform::Button* lastPageFirst = nullptr;
    platform::Button* longEdgeCheck = nullptr;
    platform::Button* edgeTrimCheck = nullptr;
    platform::Button* offsetStack = nullptr;
    platform::Button* punchCheck = nullptr;
    platform::Button* punchFrontCover = nullptr;
    platform::Button* punchBackCover = nullptr;
    platform::Button* punchSubstitution = nullptr;
    platform::TableView* punchIDListView = nullptr;
    platform::TableView* substitutionListView = nullptr;
    platform::TextField* customPattern = nullptr;
    platform::TextField* customIDPatternTitle = nullptr;

    ImageGroup _finisherGroup;
    ImageGroup _stapleGroup;
    ImageGroup _pageOrderGroup;
    std::vector<PatternRow> _punchTypeList;
    std::vector<SubstitutionRow> _substitutionList;

    static const DeviceRow kDevices[5];
    static const ImageRow kStaples[5];
    static const ImageRow kPageOrders[3];
    // Fold, trimming, offset stacking, front cover, back cover.
    static const BoxRow kBoxes[5];
};

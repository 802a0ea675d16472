// The finishing pane's life cycle, its "finisher" group of the job-feature
// dictionary, the titles of its three button groups and the images that
// show which button of a group is chosen.
#include "finishingController.h"

#include <filesystem>
#include <optional>

#include "Image.h"
#include "JSE_Records.h"

namespace {

// The page order each of the cases 10 to 12 writes: face up, face down, last
// page first.
constexpr int kPageOrderOfCase[] = {2, 1, 3};

// One line of a button group's title: its group label and the label of
// each choice, by title case from the first.
struct TitleRow {
    int firstCase;
    int groupLabel;
    std::vector<int> choiceLabels;
};

const TitleRow kTitles[] = {
    {0, 13060, {10045, 10046, 10047, 10048, 10117}},
    {5, 10017, {10049, 10050, 10051, 10052, 12093}},
    {10, 3656, {3657, 3658, 10120}},
};

}  // namespace

finishingController::finishingController() : OptionPane("finishingController", "finisher", kUnstrippedLabels) {
    declareOutletsAndActions();
    registerForTermination();
    registerForJobFeatureUpdate();
    registerZQController();
    registerForExceptionUpdate();
}

finishingController::~finishingController() { termination(); }

void finishingController::declareOutletsAndActions() {
    declareOutlet("finishingOptionTitle", finishingOptionTitle);
    declareOutlet("finishingDeviceTitle", finishingDeviceTitle);
    declareOutlet("stapleTitle", stapleTitle);
    declareOutlet("pageOrderingTitle", pageOrderingTitle);
    declareOutlet("topExit", topExit);
    declareOutlet("staplerExit", staplerExit);
    declareOutlet("stackerExit", stackerExit);
    declareOutlet("bookletExit", bookletExit);
    declareOutlet("otherExit", otherExit);
    declareOutlet("stapleNone", stapleNone);
    declareOutlet("stapleTop", stapleTop);
    declareOutlet("stapleBottom", stapleBottom);
    declareOutlet("stapleBoth", stapleBoth);
    declareOutlet("stapleSaddle", stapleSaddle);
    declareOutlet("facedown", facedown);
    declareOutlet("faceup", faceup);
    declareOutlet("lastPageFirst", lastPageFirst);
    declareOutlet("longEdgeCheck", longEdgeCheck);
    declareOutlet("edgeTrimCheck", edgeTrimCheck);
    declareOutlet("offsetStack", offsetStack);
    declareOutlet("punchCheck", punchCheck);
    declareOutlet("punchFrontCover", punchFrontCover);
    declareOutlet("punchBackCover", punchBackCover);
    declareOutlet("punchSubstitution", punchSubstitution);
    declareOutlet("punchIDListView", punchIDListView);
    declareOutlet("substitutionListView", substitutionListView);
    declareOutlet("customPattern", customPattern);
    declareOutlet("customIDPatternTitle", customIDPatternTitle);

    declareAction("selectTopExit:", &finishingController::selectTopExit);
    declareAction("selectStapler:", &finishingController::selectStapler);
    declareAction("selectStacker:", &finishingController::selectStacker);
    declareAction("selectBooklet:", &finishingController::selectBooklet);
    declareAction("selectOther:", &finishingController::selectOther);
    declareAction("selectStapleNone:", &finishingController::selectStapleNone);
    declareAction("selectStapleTop:", &finishingController::selectStapleTop);
    declareAction("selectStapleBottom:", &finishingController::selectStapleBottom);
    declareAction("selectStapleBoth:", &finishingController::selectStapleBoth);
    declareAction("selectStapleSaddle:", &finishingController::selectStapleSaddle);
    declareAction("selectFaceDown:", &finishingController::selectFaceDown);
    declareAction("selectFaceUp:", &finishingController::selectFaceUp);
    declareAction("selectLastPageFirst:", &finishingController::selectLastPageFirst);
    declareAction("selectLongEdge:", &finishingController::selectLongEdge);
    declareAction("selectEdgeTrim:", &finishingController::selectEdgeTrim);
    declareAction("selectOffsetStack:", &finishingController::selectOffsetStack);
    declareAction("selectPunch:", &finishingController::selectPunch);
    declareAction("selectPunchPattern:", &finishingController::selectPunchPattern);
    declareAction("selectPunchFrontCover:", &finishingController::selectPunchFrontCover);
    declareAction("selectPunchBackCover:", &finishingController::selectPunchBackCover);
    declareAction("selectPunchSubstitution:", &finishingController::selectPunchSubstitution);
}

void finishingController::awakeFromNib() {
    setTitlesAndToolTips();
    setUpPunchTables();
}

void finishingController::setTitlesAndToolTips() {
    finishingOptionTitle->setStringValue(getNSStringWithID(13112));
    const std::pair<platform::Button*, int> toolTips[] = {
        {topExit, 10045},    {staplerExit, 10046}, {stackerExit, 10047},   {bookletExit, 10048}, {otherExit, 10117},
        {stapleNone, 10049}, {stapleTop, 10050},   {stapleBottom, 10051},  {stapleBoth, 10052},  {stapleSaddle, 12093},
        {facedown, 3658},    {faceup, 3657},       {lastPageFirst, 10120},
    };
    for (const auto& [button, label] : toolTips) button->setToolTip(getNSStringWithID(label));
    const std::pair<platform::Button*, int> titles[] = {
        {longEdgeCheck, 3655},    {edgeTrimCheck, 13168},  {offsetStack, 13169},       {punchCheck, 13195},
        {punchFrontCover, 13197}, {punchBackCover, 13198}, {punchSubstitution, 13196},
    };
    for (const auto& [box, label] : titles) box->setTitle(getNSStringWithID(label));
}

// The device decides which of the other controls apply, so it comes first;
// the punch controls follow the job's punching, and the boxes are read last,
// after the device may have cleared and sent them; the selected pages show
// punched only while the job punches.
void finishingController::applySettings() {
    if (!hasFinisherGroup()) return;
    const int device = group()["jobExit"].intValue();
    showDevice(device >= 1 && device <= 4 ? device : 5, group()["staplerPosition"].intValue());
    const int order = group()["pageOrdering"].intValue();
    showPageOrder(order == 2 || order == 3 ? order : 1);
    Punch(storedPunchState());
    punchSubstitution->setState(storedPunchState() == 1 && group()["punchSubstitution"].intValue() != 0);
    longEdgeCheck->setState(group()["longEdgeFold"].intValue() == 1);
    edgeTrimCheck->setState(group()["trimming"].intValue() == 1);
    offsetStack->setState(group()["offsetStack"].intValue() == 1);
}

void finishingController::termination() {
    _substitutionList.clear();
    _punchTypeList.clear();
    _finisherGroup = {};
    _stapleGroup = {};
    _pageOrderGroup = {};
    OptionPane::termination();
}

// The pane writes the punch box's state, the bridge the job's pattern.
int finishingController::storedPunchState() const { return group()["punchJob"].intValue() != 0 ? 1 : 0; }

bool finishingController::hasFinisherGroup() const {
    return _jobFeatureDict && (*_jobFeatureDict)["finisher"].isDictionary();
}

// Cases 0 to 4 the device, 5 to 9 the staple position, 10 to 12 the page
// order, 16 and 17 the punch pattern, the others a check box.
void finishingController::updateFinisherDict(int dictCase) {
    if (dictCase >= 0 && dictCase <= 12) {
        const char* key = dictCase < 5 ? "jobExit" : dictCase < 10 ? "staplerPosition" : "pageOrdering";
        const int value = dictCase < 5 ? dictCase + 1 : dictCase < 10 ? dictCase - 4 : kPageOrderOfCase[dictCase - 10];
        updateGroup({{key, platform::FormatInteger(value)}});
    } else if (dictCase == 16 || dictCase == 17) {
        updatePunchDict(dictCase == 16);
    } else {
        for (const BoxRow& row : kBoxes) {
            if (row.dictCase == dictCase) updateGroup({{row.key, platform::FormatInteger((this->*row.box)->state())}});
        }
    }
}

// Without a chosen pattern the stored one stays.
void finishingController::updatePunchDict(bool withPunchBox) {
    const int row = punchIDListView->selectedRow();
    const bool chosen = row >= 0 && row < static_cast<int>(_punchTypeList.size());
    const std::string pattern = chosen ? _punchTypeList[static_cast<std::size_t>(row)].id : std::string();
    const std::string punchJob = platform::FormatInteger(punchCheck->state());
    if (withPunchBox && chosen)
        updateGroup({{"punchJob", punchJob}, {"defaultPunchPattern", pattern}});
    else if (withPunchBox)
        updateGroup({{"punchJob", punchJob}});
    else if (chosen)
        updateGroup({{"defaultPunchPattern", pattern}});
}

void finishingController::undo(int undoCase) {
    putBack([&] {
        for (const BoxRow& row : kBoxes) {
            if (row.undoCase != undoCase) continue;
            const bool cover = row.feature == kFeaturePunchFrontCover || row.feature == kFeaturePunchBackCover;
            (this->*row.box)->setState(cover ? storedCoverPunch(row) : group()[row.key].intValue() != 0);
        }
        if (undoCase == 218) Punch(storedPunchState());
    });
}

void finishingController::changeTitle(int titleCase) {
    platform::TextField* const texts[] = {finishingDeviceTitle, stapleTitle, pageOrderingTitle};
    for (std::size_t i = 0; i < std::size(kTitles); ++i) {
        const TitleRow& row = kTitles[i];
        const int choice = titleCase - row.firstCase;
        if (choice < 0 || choice >= static_cast<int>(row.choiceLabels.size())) continue;
        texts[i]->setStringValue(getNSStringWithID(row.groupLabel) + ": " +
                                 getNSStringWithID(row.choiceLabels[static_cast<std::size_t>(choice)]));
    }
}

// Without the bundle no image changes and the group remembers no button.
void finishingController::selectGroupButton(ImageGroup& imageGroup, platform::Button* button, const char* selected,
                                            const char* normal) {
    if (_pluginBundle) {
        imageGroup.button = button;
        changeButtonImage(button, selected);
    }
    imageGroup.lastName = normal;
}

void finishingController::resetGroupButton(const ImageGroup& imageGroup) {
    if (imageGroup.button && !imageGroup.lastName.empty()) changeButtonImage(imageGroup.button, imageGroup.lastName);
}

void finishingController::changeButtonImage(platform::Button* button, std::string_view name) {
    const std::filesystem::path path = _pluginBundle.pathForResource(name);
    if (path.empty() || !button) return;
    if (std::optional<platform::Image> image = platform::Image::FromFile(path)) button->setImage(std::move(image));
}

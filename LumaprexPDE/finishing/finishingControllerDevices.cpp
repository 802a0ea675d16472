// The finishing pane's choices of output device, staple position and page
// order (image buttons, one shown selected per group) and its check boxes.
// The device decides which staple positions and boxes apply: choosing it
// clears, sends and disables the boxes that the device cannot do.
#include "JSE_Records.h"
#include "finishingController.h"

namespace {

constexpr unsigned Positions(std::initializer_list<int> positions) {
    unsigned mask = 0;
    for (int position : positions) mask |= 1u << position;
    return mask;
}

}  // namespace

struct finishingController::DeviceRow {
    platform::Button* finishingController::*button;
    const char* selectedImage;
    const char* normalImage;
    unsigned staples;  // the staple positions whose buttons are enabled
    BoxStep fold, trim, offset;
    StapleImage stapleImage;
};

struct finishingController::ImageRow {
    platform::Button* finishingController::*button;
    const char* selectedImage;
    const char* normalImage;
    int value;      // the feature's value
    int titleCase;  // also the dictionary case
};

const finishingController::DeviceRow finishingController::kDevices[5] = {
    {&finishingController::topExit, "top2.icns", "top1.icns", Positions({1}), BoxStep::ClearSendDisable,
     BoxStep::ClearSendDisable, BoxStep::ClearSendDisable, StapleImage::None},
    {&finishingController::staplerExit, "stapler2.icns", "stapler1.icns", Positions({1, 2, 3, 4}),
     BoxStep::ClearSendDisable, BoxStep::ClearSendDisable, BoxStep::Enable, StapleImage::Stapler},
    {&finishingController::stackerExit, "stacker2.icns", "stacker1.icns", Positions({1}), BoxStep::ClearSendDisable,
     BoxStep::ClearSendDisable, BoxStep::Enable, StapleImage::None},
    {&finishingController::bookletExit, "booklet2.icns", "booklet1.icns", Positions({1, 5}), BoxStep::Enable,
     BoxStep::Enable, BoxStep::ClearSendDisable, StapleImage::Booklet},
    {&finishingController::otherExit, "other2.icns", "other1.icns", Positions({1}), BoxStep::ClearSendDisable,
     BoxStep::ClearSendDisable, BoxStep::ClearSendDisable, StapleImage::None},
};

const finishingController::ImageRow finishingController::kStaples[5] = {
    {&finishingController::stapleNone, "staplenone2.icns", "staplenone1.icns", 1, 5},
    {&finishingController::stapleTop, "stapletop2.icns", "stapletop1.icns", 2, 6},
    {&finishingController::stapleBottom, "staplebottom2.icns", "staplebottom1.icns", 3, 7},
    {&finishingController::stapleBoth, "stapleboth2.icns", "stapleboth1.icns", 4, 8},
    {&finishingController::stapleSaddle, "staplesaddle2.icns", "staplesaddle1.icns", 5, 9},
};

const finishingController::ImageRow finishingController::kPageOrders[3] = {
    {&finishingController::facedown, "facedown2.icns", "facedown1.icns", 1, 11},
    {&finishingController::faceup, "faceup2.icns", "faceup1.icns", 2, 10},
    {&finishingController::lastPageFirst, "lastsheetfirst2.icns", "lastsheetfirst1.icns", 3, 12},
};

const finishingController::BoxRow finishingController::kBoxes[5] = {
    {&finishingController::longEdgeCheck, kFeatureLongEdgeFold, 13, 13, "longEdgeFold"},
    {&finishingController::edgeTrimCheck, kFeatureTrimming, 14, 14, "trimming"},
    {&finishingController::offsetStack, kFeatureOffsetStacking, 15, 15, "offsetStack"},
    {&finishingController::punchFrontCover, kFeaturePunchFrontCover, 18, 219, "punchFrontCover"},
    {&finishingController::punchBackCover, kFeaturePunchBackCover, 19, 220, "punchBackCover"},
};

void finishingController::selectTopExit(platform::Control&) { chooseDevice(1); }
void finishingController::selectStapler(platform::Control&) { chooseDevice(2); }
void finishingController::selectStacker(platform::Control&) { chooseDevice(3); }
void finishingController::selectBooklet(platform::Control&) { chooseDevice(4); }
void finishingController::selectOther(platform::Control&) { chooseDevice(5); }
void finishingController::selectStapleNone(platform::Control&) { chooseStaple(1); }
void finishingController::selectStapleTop(platform::Control&) { chooseStaple(2); }
void finishingController::selectStapleBottom(platform::Control&) { chooseStaple(3); }
void finishingController::selectStapleBoth(platform::Control&) { chooseStaple(4); }
void finishingController::selectStapleSaddle(platform::Control&) { chooseStaple(5); }
void finishingController::selectFaceDown(platform::Control&) { choosePageOrder(1); }
void finishingController::selectFaceUp(platform::Control&) { choosePageOrder(2); }
void finishingController::selectLastPageFirst(platform::Control&) { choosePageOrder(3); }
void finishingController::selectLongEdge(platform::Control&) { chooseBox(kBoxes[0]); }
void finishingController::selectEdgeTrim(platform::Control&) { chooseBox(kBoxes[1]); }
void finishingController::selectOffsetStack(platform::Control&) { chooseBox(kBoxes[2]); }
void finishingController::selectPunchFrontCover(platform::Control&) { chooseBox(kBoxes[3]); }
void finishingController::selectPunchBackCover(platform::Control&) { chooseBox(kBoxes[4]); }

// A refused device keeps the one shown; a refused "other" device is taken
// as the user's choice of no staple.
void finishingController::chooseDevice(int device) {
    if (handleFeature(kFeatureDocumentExit, device, {}, 0) != 0) {
        if (device == 5) chooseStaple(1);
        return;
    }
    showDevice(device, group()["staplerPosition"].intValue());
    updateFinisherDict(device - 1);
}

void finishingController::chooseStaple(int position) {
    if (handleFeature(kFeatureStaplerPosition, position, {}, 0) != 0) return;
    showStaple(position);
    updateFinisherDict(kStaples[position - 1].titleCase);
}

void finishingController::choosePageOrder(int order) {
    if (handleFeature(kFeaturePageOrder, order, {}, 0) != 0) return;
    showPageOrder(order);
    updateFinisherDict(kPageOrders[order - 1].titleCase);
}

void finishingController::chooseBox(const BoxRow& row) {
    if (handleFeature(row.feature, (this->*row.box)->state(), {}, 0) == 0)
        updateFinisherDict(row.dictCase);
    else
        undo(row.undoCase);
}

void finishingController::showDevice(int device, int staplePosition) {
    const DeviceRow& row = kDevices[(device >= 1 && device <= 5 ? device : 5) - 1];
    changeTitle(static_cast<int>(&row - kDevices));
    resetGroupButton(_finisherGroup);
    selectGroupButton(_finisherGroup, this->*row.button, row.selectedImage, row.normalImage);
    for (const ImageRow& staple : kStaples) (this->*staple.button)->setEnabled((row.staples >> staple.value) & 1u);
    // A device without staples holds no staple, whatever was shown before.
    if (row.stapleImage == StapleImage::None) showStaple(1);
    if (row.stapleImage == StapleImage::Stapler)
        showStaple(staplePosition >= 1 && staplePosition <= 4 ? staplePosition : 5);
    setBox(kBoxes[0], row.fold);
    setBox(kBoxes[1], row.trim);
    setBox(kBoxes[2], row.offset);
    if (row.stapleImage == StapleImage::Booklet) showStaple(staplePosition == 1 ? 1 : 5);
}

void finishingController::setBox(const BoxRow& row, BoxStep step) {
    platform::Button* box = this->*row.box;
    switch (step) {
        case BoxStep::Enable: box->setEnabled(true); return;
        case BoxStep::ClearSendDisable:
            box->setState(0);
            chooseBox(row);
            box->setEnabled(false);
            return;
    }
}

void finishingController::showStaple(int position) {
    const ImageRow& row = kStaples[position - 1];
    changeTitle(row.titleCase);
    resetGroupButton(_stapleGroup);
    selectGroupButton(_stapleGroup, this->*row.button, row.selectedImage, row.normalImage);
}

void finishingController::showPageOrder(int order) {
    const ImageRow& row = kPageOrders[order - 1];
    changeTitle(row.titleCase);
    resetGroupButton(_pageOrderGroup);
    selectGroupButton(_pageOrderGroup, this->*row.button, row.selectedImage, row.normalImage);
}

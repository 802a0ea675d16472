// The settings file's records, field by field in file order: one list that
// the save walks with a preference_file::Writer (over constant records) and
// the load with a preference_file::Reader (filling the records), so the two
// cannot drift apart. Used by the settings store only.
#pragma once

#include <cstdint>
#include <tuple>
#include <utility>

#include "JSE_PreferenceFile.h"

namespace preference_file {

// The job-feature record after its size. The narrow text has no bytes in the
// file (it is always empty there); the store handles it.
template <class Io, class Record>
void JobRecordFields(Io& io, Record& r) {
    for (auto* value : {&r.jobEmulationType, &r.printerType, &r.printingMode, &r.jobExit, &r.staplerPosition,
                        &r.orientation, &r.finishOrientation})
        io.Int32(*value);
    for (auto* value : {&r.copyCount, &r.printPageFrom, &r.printPageTo}) io.Int64(*value);
    io.Flag(r.proofSet);
    io.Int32(r.timeOutAction);
    io.Int32(r.waitTime);
    for (auto* flag : {&r.collate, &r.offsetStack, &r.trimming, &r.compileJobOnly}) io.Flag(*flag);
    io.Text(r.bodyPaper);
    io.Text(r.interleavePaper);
    for (auto [mode, punch, paper] : {std::tuple{&r.frontCoverMode, &r.punchFrontCover, &r.frontCoverPaper},
                                      std::tuple{&r.backCoverMode, &r.punchBackCover, &r.backCoverPaper},
                                      std::tuple{&r.statusMode, &r.punchStatusPaper, &r.statusPaper}}) {
        io.Int32(*mode);
        io.Flag(*punch);
        io.Text(*paper);
    }
    io.Flag(r.setSeparator);
    io.Flag(r.punchSeparatorPaper);
    io.Text(r.separatorPaper);
    io.Flag(r.finishChapter);
    for (auto* text : {&r.userName, &r.chargeNumberText, &r.operatorMessageText, &r.deliverToText,
                       &r.eMailAddressText})
        io.Text(*text);
    io.Flag(r.printCheck);
    for (auto [flag, text] : {std::pair{&r.saveAs, &r.saveAsFileNameText},
                              std::pair{&r.specificPrinter, &r.specificPrinterNameText},
                              std::pair{&r.createTIFF, &r.createTIFFPath}}) {
        io.Flag(*flag);
        io.Text(*text);
    }
    for (auto* value :
         {&r.pagePerSide, &r.signaturePages, &r.sheets, &r.halftoneAngle, &r.halftoneFrequency, &r.punchJob})
        io.Int32(*value);
    for (auto* flag : {&r.engineGRET, &r.imageAlign, &r.imageAlignMirrorSide1}) io.Flag(*flag);
    io.Int32(r.imageAlignPaperOrientation);
    for (auto* value : {&r.imageAlignFrontX, &r.imageAlignFrontY, &r.imageAlignBackX, &r.imageAlignBackY})
        io.Float(*value);
    io.Flag(r.edgeErase);
    io.Flag(r.edgeEraseMirrorSide1);
    io.Int32(r.edgeErasePaperOrientation);
    for (auto* value : {&r.frontEraseLeftSide, &r.frontEraseRightSide, &r.frontEraseTopSide,
                        &r.frontEraseBottomSide, &r.backEraseLeftSide, &r.backEraseRightSide, &r.backEraseTopSide,
                        &r.backEraseBottomSide})
        io.Float(*value);
    for (auto* flag : {&r.printerServerSpool, &r.pdfAutoCenter, &r.pdfBinaryOK, &r.pdfFitToPage,
                       &r.pdfMediaMatchAll, &r.pdfPrintAnnotations, &r.pdfUsePrintersHalftone})
        io.Flag(*flag);
}

template <class Io, class Values>
void Release7Fields(Io& io, Values& values) {
    io.Int32(values.narrowBooklet);
    io.Int32(values.pageOrder);
}

template <class Io, class Values>
void Release6Fields(Io& io, Values& values) {
    io.Text(values.pdfVersion);
    io.Int32(values.pdfUseOpp);
    io.Int32(values.userPunchPattern);
    io.Flag(values.pdfPageLoop);
    io.Flag(values.lastPageFirst);
}

// One paper of the paper list; versions without the precollated field leave
// it as it is.
template <class Io, class Paper>
void PaperFields(Io& io, Paper& p, bool withPrecollated) {
    io.Text(p.name);
    io.Text(p.colour);
    io.Text(p.type);
    io.Float(p.widthInches);
    io.Float(p.heightInches);
    for (auto* value : {&p.widthPoints, &p.heightPoints, &p.weight, &p.mode}) io.Int32(*value);
    if (withPrecollated) io.Int32(p.precollated);
    io.Int32(p.mediaCode);
    io.ByteFlag(p.mediaFlag);
    io.ByteFlag(p.punchable);
    io.Int32(p.mediaExtra);
}

template <class Io, class Custom>
void CustomCommandFields(Io& io, Custom& custom) {
    io.Flag(custom.withJobStream);
    io.Int32(custom.fieldFlag);
    io.Int32(custom.insertPosition);
    io.Int32(custom.modifyPrintFile);
    io.Bytes(custom.command, sizeof custom.command);
    io.Text(custom.fileName);
}

// A page exception from its paper exit to its subset flag: what follows the
// kind, and comes before the device block.
template <class Io, class Item>
void PageExceptionFields(Io& io, Item& item) {
    io.Int32(item.paperExit);
    io.Int64(item.startingPage);
    io.Int64(item.endingPage);
    io.Flag(item.fromJobPaper);
    io.Byte(item.pePunch);
    io.Text(item.mediaName);
    io.Flag(item.printOn);
    io.Int32(item.printingMode);
    io.Byte(item.peGRET);
    io.Byte(item.peGRETValue);
    io.Flag(item.pePlex);
    io.Int32(item.pePlexValue);
    io.Flag(item.peRotate);
    io.Int32(item.peRotateValue);
    io.Flag(item.peShift);
    for (auto* value : {&item.frontX, &item.frontY, &item.backX, &item.backY}) io.Float(*value);
    io.Flag(item.peSide);
    io.Int32(item.peSideValue);
    io.Flag(item.finishChapter);
    io.Flag(item.peSubset);
}

// The six {flag, value} pairs of a page exception's device block.
template <class Io, class Device>
void DeviceFields(Io& io, Device& d) {
    for (auto [flag, value] : {std::pair{&d.peFold, &d.peFoldValue}, std::pair{&d.peJog, &d.peJogValue},
                               std::pair{&d.pePostProcess, &d.pePostProcessValue},
                               std::pair{&d.peStaple, &d.peStapleValue}, std::pair{&d.peOutput, &d.peOutputValue},
                               std::pair{&d.peTrim, &d.peTrimValue}}) {
        io.Flag(*flag);
        io.Int32(*value);
    }
}

// What an item of the given item version carries after its device block:
// the page copies from version 1, the paper-selection index from version 2.
template <class Io, class Item>
void PageExceptionTailFields(Io& io, Item& item, std::int64_t itemVersion) {
    if (itemVersion >= 1) io.Int32(item.pageCopies);
    if (itemVersion >= 2) io.Int32(item.reserved);
}

}  // namespace preference_file

// The translators of the job ticket: the job features, the paper catalog and
// the ticket's own page exceptions become the header record the writer reads.
// Job-level codes are 1-based with 1 for none or the default; the header
// counts from 0.
#include <cstring>

#include "FoundationValues.h"
#include "JSE_JobTicket.h"
#include "JSE_Media.h"

namespace {

constexpr std::size_t kBodyPaperLength = 31;
constexpr std::int32_t kDefaultSignaturePages = 88;
constexpr int kMaxProofWait = 60;

// Code 2..last becomes 1..last-1; anything else 0.
std::uint16_t headerCode(std::int32_t code, std::int32_t last) {
    return code >= 2 && code <= last ? static_cast<std::uint16_t>(code - 1) : 0;
}

const WString& orBody(const WString& paper, const JSE_JobFeatureType& job) {
    return paper.empty() ? job.bodyPaper : paper;
}

// A cover of the job: none in interleave jobs; kinds 2..5 are written as
// 1..4; the paper falls back on the body paper unless the cover is off.
void translateCover(std::int32_t mode, const WString& paper, const JSE_JobFeatureType& job, cover_type& cover) {
    cover.valid = cover.mode = 0;
    cover.paper.clear();
    if (IsInterleaveMode(job.printingMode)) return;
    cover.mode = headerCode(mode, 5);
    cover.valid = cover.mode != 0;
    if (mode != 1) cover.paper = orBody(paper, job);
}

_Paper_Catalog catalogPaper(const JSE_Media& catalog, int i) {
    _Paper_Catalog paper;
    WString text;
    catalog.JSE_Media_GetName(i, text);
    paper.name = JSE_MacEncoding<true>(text);
    catalog.JSE_Media_GetColor(i, text);
    paper.colour = JSE_MacEncoding<true>(text);
    catalog.JSE_Media_GetType(i, text);
    paper.type = JSE_MacEncoding<true>(text);
    paper.weight = catalog.GetPaperWeight(i);
    catalog.JSE_Media_GetPoints(i, paper.widthPoints, paper.heightPoints);
    paper.mode = catalog.JSE_Media_GetMode(i);
    paper.precollated = catalog.JSE_Media_GetPrecollated(i);
    paper.punchable = catalog.JSE_Media_GetPunchable(i);
    return paper;
}

// The paper the writer knows when no catalog is lent.
_Paper_Catalog letterPaper() {
    _Paper_Catalog paper;
    paper.name = "Letter";
    paper.colour = "white";
    paper.type = "plain";
    paper.widthPoints = 612;
    paper.heightPoints = 792;
    paper.weight = 75;
    paper.mode = 2;
    paper.precollated = 0;
    paper.punchable = 1;
    return paper;
}

}  // namespace

void JSE_JobTicket::TranslateEmulationAndPlatform() {
    header.emulation = jobFeature.jobEmulationType;
    HandEmulationFlags(header.emulation);
    header.structVersion = 0;
    header.platformFlag = platform == 2 ? 1 : 0;
}

void JSE_JobTicket::TranslatePaperList() {
    header.paperCatalog.clear();
    if (media == nullptr) {
        header.paperCatalog.push_back(letterPaper());
    } else {
        const int count = media->JSE_Media_GetNumberOfEntry();
        for (int i = 0; i < count; ++i) header.paperCatalog.push_back(catalogPaper(*media, i));
    }
    header.numberOfPapers = static_cast<std::uint16_t>(header.paperCatalog.size());
}

// Print mode, body paper (cut to 31 bytes at the end of a whole character),
// booklet, print range and interleave paper.
void JSE_JobTicket::TranslateJobLayout() {
    header.printMode = headerCode(jobFeature.printingMode, 6);
    if (jobFeature.bodyPaper.empty()) {
        header.bodyPaper = language == L"English" ? L"Letter" : L"A4";
    } else {
        header.bodyPaper = jobFeature.bodyPaper;
        header.bodyPaper.assign(platform::Utf8Prefix(header.bodyPaper, kBodyPaperLength));
    }
    header.compileOnly = jobFeature.compileJobOnly;
    const bool booklet = jobFeature.printingMode == 6 && jobFeature.signaturePages >= 1;
    header.bookletValid = booklet;
    header.signaturePages = booklet ? jobFeature.signaturePages : kDefaultSignaturePages;
    header.startPage = static_cast<std::int32_t>(jobFeature.printPageFrom);
    header.endPage = static_cast<std::int32_t>(jobFeature.printPageTo);
    if (IsInterleaveMode(jobFeature.printingMode))
        header.interleavePaper = orBody(jobFeature.interleavePaper, jobFeature);
    else
        header.interleavePaper.clear();
}

// Covers, status pages and separators.
void JSE_JobTicket::TranslateSpecialPapers() {
    translateCover(jobFeature.frontCoverMode, jobFeature.frontCoverPaper, jobFeature, header.frontCover);
    translateCover(jobFeature.backCoverMode, jobFeature.backCoverPaper, jobFeature, header.backCover);
    status_pages_type& status = header.statusPages;
    status.mode = headerCode(jobFeature.statusMode, 4);
    status.valid = status.mode != 0;
    if (jobFeature.statusMode == 1)
        status.paper.clear();
    else
        status.paper = orBody(jobFeature.statusPaper, jobFeature);
    separators_type& separators = header.separators;
    separators.valid = separators.value = jobFeature.setSeparator;
    if (jobFeature.setSeparator)
        separators.paper = orBody(jobFeature.separatorPaper, jobFeature);
    else
        separators.paper.clear();
}

// Output device, stapling, orientation, copies, proof set, collation,
// offset stacking and trimming.
void JSE_JobTicket::TranslateFinishing() {
    header.documentExit = getVTR1documentExit(jobFeature.jobExit);
    header.staplingValid = 1;
    header.staplingMode = headerCode(jobFeature.staplerPosition, 5);
    header.finishOrientation = headerCode(jobFeature.finishOrientation, 4);
    header.copyCount = jobFeature.copyCount;
    const bool proof = jobFeature.proofSet;
    header.proofSetValid = header.proofSetValue = proof;
    const bool waitInRange = jobFeature.waitTime >= 1 && jobFeature.waitTime <= kMaxProofWait;
    header.proofCount = proof ? (waitInRange ? static_cast<std::uint16_t>(jobFeature.waitTime) : 1) : 0;
    const bool actionInRange = jobFeature.timeOutAction >= 2 && jobFeature.timeOutAction <= 4;
    header.proofAction = proof ? (actionInRange ? static_cast<std::uint16_t>(jobFeature.timeOutAction) : 2) : 0;
    header.collateValid = header.collateValue = jobFeature.collate;
    header.offsetStackValid = header.offsetStackValue = jobFeature.offsetStack;
    header.trimValid = header.trimValue = jobFeature.trimming;
}

// The chapter starts of the ticket's own page exceptions, behind the job's
// own chapter pages when chapters are finished as sets.
void JSE_JobTicket::TranslateChapters() {
    std::string list;
    for (const JSE_PageExceptionType& record : pageExceptions)
        if (record.finishChapter) list += ChapterEntry(record.startingPage, record.endingPage);
    const bool sets = jobFeature.finishChapter;
    header.chaptersAreSetsValid = header.chaptersAreSetsValue = sets;
    if (!list.empty()) {
        header.chapters.valid = 1;
        header.chapters.pages = sets ? jobFeature.chapterPages + list : list;
    } else if (sets) {
        header.chapters.valid = 1;
        header.chapters.pages = jobFeature.chapterPages;
    } else {
        header.chapters.valid = 0;
    }
}

// The user's texts and the custom command.
void JSE_JobTicket::TranslateTexts() {
    header.userName = jobFeature.userName;
    header.chargeNumber = jobFeature.chargeNumberText;
    header.operatorMessage = jobFeature.operatorMessageText;
    header.deliverTo = jobFeature.deliverToText;
    header.eMailAddress = jobFeature.eMailAddressText;
    vlxCustomCommandType command;
    command.enabled = customCommand.withJobStream;
    command.kind = customCommand.fieldFlag;
    command.position = customCommand.insertPosition;
    std::memcpy(command.text, customCommand.command, sizeof(command.text));
    writer.Set_VLX_CustomCommand(command);
}

// Specific printer, print, TIFF and store.
void JSE_JobTicket::TranslatePrintMethod() {
    header.specificPrinterValid = header.specificPrinterValue = jobFeature.specificPrinter;
    header.printerName = jobFeature.specificPrinterNameText;
    printMethod_type& method = header.printMethod;
    header.tiffPath.clear();
    if (jobFeature.printCheck) {
        method.print = 1;
    } else if (jobFeature.createTIFF) {
        method.print = 0;
        header.tiffPath = L"/Rip/" + jobFeature.createTIFFPath;
    } else {
        method.print = jobFeature.saveAs ? 0 : 1;
        header.printerName.clear();
    }
    const bool store = jobFeature.saveAs && !jobFeature.saveAsFileNameText.empty();
    method.store = store;
    if (store)
        method.storeName = jobFeature.saveAsFileNameText;
    else
        method.storeName.clear();
}

// The release blocks: GRET, alignment, erase, spool and PDF switches, punching,
// MICR font, PDF values and the release-7 values.
void JSE_JobTicket::TranslateReleaseItems() {
    const JSE_JobFeatureType& job = jobFeature;
    header.engineGRET = job.engineGRET;
    header.imageAlignOn = job.imageAlign;
    const float align[4] = {job.imageAlignFrontX, job.imageAlignFrontY, job.imageAlignBackX, job.imageAlignBackY};
    for (int i = 0; i < 4; ++i) header.imageAlign[i] = job.imageAlign ? align[i] : 0.0f;
    header.edgeEraseOn = job.edgeErase;
    const float erase[8] = {job.frontEraseLeftSide, job.frontEraseRightSide, job.frontEraseTopSide,
                            job.frontEraseBottomSide, job.backEraseLeftSide,  job.backEraseRightSide,
                            job.backEraseTopSide,     job.backEraseBottomSide};
    for (int i = 0; i < 8; ++i) header.edgeErase[i] = job.edgeErase ? erase[i] : 0.0f;
    header.printerServerSpool = job.printerServerSpool;
    header.pdfAutoCenter = job.pdfAutoCenter;
    header.pdfBinaryOK = job.pdfBinaryOK;
    header.pdfFitToPage = job.pdfFitToPage;
    header.pdfMediaMatchAll = job.pdfMediaMatchAll;
    header.pdfPrintAnnotations = job.pdfPrintAnnotations;
    header.pdfUsePrintersHalftone = job.pdfUsePrintersHalftone;
    writer.SetVLXRelease4Items(vlxRelease4Type::FromHeader(header));
    header.punchPattern = job.punchJob;
    header.punchFrontCover = job.punchFrontCover;
    header.punchBackCover = job.punchBackCover;
    header.punchSeparatorPaper = job.punchSeparatorPaper;
    header.punchStatusPaper = job.punchStatusPaper;
    writer.SetVLXRelease5Items(vlxRelease5Type::FromHeader(header));
    writer.SetVLXRelease502Items(header.micrFont != 0);
    writer.SetLastSheetFirst(lastPageFirst);
    writer.SetVLXRelease6Items(release6);
    writer.SetVLXRelease7Items(vlxRelease7Type{release7.narrowBooklet, release7.pageOrder});
}

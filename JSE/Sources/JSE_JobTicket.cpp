// The job ticket: construction, build, copy-out and the setters that reach
// the ticket's writer.
#include "JSE_JobTicket.h"

#include <cstring>

#include "JSE_Preference.h"

namespace {

constexpr int kBodySlot = 8;  // the body line's slot of the writer's table

}  // namespace

JSE_JobTicket::JSE_JobTicket(const WString& language, const WString& defaultPaper, std::int32_t /*unused*/)
    : language(language), defaultPaper(defaultPaper) {
    writer.Initialize_DSC_VLX_Structure(header, ticketText);
    customCommand.withJobStream = false;
    customCommand.fieldFlag = 1;
    customCommand.insertPosition = 2;
    customCommand.modifyPrintFile = 1;
    customCommand.SetCommandText("");
    customCommand.fileName.clear();
    defaultTicket.jobFeature.printerType = kCommandSetVTR;
    defaultTicket.jobFeature.jobEmulationType = 1;
    writer.SetUseDeviceLookup(true);
}

JSE_JobTicket::~JSE_JobTicket() {
    pageExceptions.clear();
    imageAligner.reset();
    header.paperCatalog.clear();
    writer.ClearMediaExceptionList();
}

// Command sets other than the VTR set are known but not built. The text of
// an earlier build never survives a build that fails, so it cannot be read
// later as this build's text.
std::int64_t JSE_JobTicket::JSE_JobTicket_Create() {
    ticketText.clear();
    const std::int32_t commandSet = defaultTicket.jobFeature.printerType;
    if (commandSet == kCommandSetVTR)
        lastError = createVTRCommandSet();
    else
        lastError = commandSet >= 2 && commandSet <= 6 ? kNotImplemented : kUnknownCommandSet;
    return lastError;
}

std::int64_t JSE_JobTicket::createVTRCommandSet() {
    writer.SetVersionString(versionString);
    HandEmissionFlags(emitPDFCommand, emitPCLComment);
    writer.SetEmitCopyCountFlag(emitCopyCount);
    if (preference != nullptr) preference->JSE_Preference_GetJobFeature(jobFeature);
    TranslateEmulationAndPlatform();
    TranslatePaperList();
    TranslateJobLayout();
    TranslateSpecialPapers();
    TranslateFinishing();
    TranslateChapters();
    TranslateTexts();
    TranslatePrintMethod();
    TranslateReleaseItems();
    ticketText.clear();
    const std::int64_t handOver = HandOverPageExceptions();
    if (handOver != 0) return handOver;
    return writer.Generate_DSC_VLX_Header(header, ticketText);
}

std::int64_t JSE_JobTicket::JSE_JobTicket_GetSize() const {
    return lastError != 0 ? 0 : static_cast<std::int64_t>(ticketText.size());
}

// A wrong length sets the last error, so the text cannot be read again
// until the next build.
std::int64_t JSE_JobTicket::JSE_JobTicket_Get(char* buffer, long length) {
    if (lastError != 0) return lastError;
    if (buffer == nullptr || length < 0 || static_cast<std::size_t>(length) != ticketText.size()) {
        lastError = kWrongLength;
        return lastError;
    }
    std::memset(buffer, 0, ticketText.size());
    std::memcpy(buffer, ticketText.data(), ticketText.size());
    return 0;
}

void JSE_JobTicket::JSE_JobTicket_GetJobFeature(JSE_JobFeatureType& record) { record = jobFeature; }

// An empty body paper leaves the body paper and its compile-only flag as
// they are; an empty cover, status or separator paper clears the paper but
// keeps its punch flag.
void JSE_JobTicket::JSE_JobTicket_SetJobFeature(JSE_JobFeatureType record) {
    const JSE_JobFeatureType previous = jobFeature;
    jobFeature = std::move(record);
    if (jobFeature.bodyPaper.empty()) {
        jobFeature.bodyPaper = previous.bodyPaper;
        jobFeature.compileJobOnly = previous.compileJobOnly;
    }
    if (jobFeature.frontCoverPaper.empty()) jobFeature.punchFrontCover = previous.punchFrontCover;
    if (jobFeature.backCoverPaper.empty()) jobFeature.punchBackCover = previous.punchBackCover;
    if (jobFeature.statusPaper.empty()) jobFeature.punchStatusPaper = previous.punchStatusPaper;
    if (jobFeature.separatorPaper.empty()) jobFeature.punchSeparatorPaper = previous.punchSeparatorPaper;
}

std::int64_t JSE_JobTicket::JSE_JobTicket_GetPageExceptionItem(long index, JSE_PageExceptionType& record) {
    if (index < 0 || index >= JSE_JobTicket_GetNumberOfPageExceptionItem()) {
        lastError = kNoSuchPageException;
        return lastError;
    }
    record = pageExceptions[static_cast<std::size_t>(index)];
    lastError = 0;
    return 0;
}

void JSE_JobTicket::JSE_JobTicket_SetPageExceptionItem(JSE_PageExceptionType record, bool alsoStore) {
    pageExceptions.push_back(record);
    if (alsoStore && preference != nullptr) preference->JSE_Preference_SetPageExceptionItem(record);
}

std::int64_t JSE_JobTicket::JSE_JobTicket_GetSubSetPeItem(JSE_PeRecordType& /*record*/) { return 0; }
void JSE_JobTicket::JSE_JobTicket_SetSubSetPeItem(JSE_PeRecordType /*record*/) {}
std::int64_t JSE_JobTicket::JSE_JobTicket_GetMedia(JSE_MediaRecordType& /*paper*/) { return 0; }
void JSE_JobTicket::JSE_JobTicket_SetMedia(JSE_MediaRecordType /*paper*/) {}

std::int64_t JSE_JobTicket::JSE_JobTicket_GetNumberOfPageExceptionItem() const {
    return static_cast<std::int64_t>(pageExceptions.size());
}

void JSE_JobTicket::JSE_JobTicket_Get_Default_PageRecord(JSE_PageExceptionType& record) const {
    record = JSE_PageExceptionType();
}

// ---------------------------------------------------------------------------
// Writer switches

void JSE_JobTicket::HandEmissionFlags(bool pdfCommand, bool pclComment) {
    writer.SetEmittionFlags(emitJobSpool, customOptionPreAppend, customOptionAppend, pdfCommand, pclComment);
}

// PCL jobs carry their comment lines as PJL comments and no PDF lines; PDF
// jobs the PDF lines; PostScript jobs neither. Other emulations keep the
// flags the writer has.
void JSE_JobTicket::HandEmulationFlags(int emulation) {
    if (emulation == 3) HandEmissionFlags(false, true);
    if (emulation == 4) HandEmissionFlags(true, false);
    if (emulation == 1) HandEmissionFlags(false, false);
}

void JSE_JobTicket::JSE_JobTicket_Set_EmulationType(int type) {
    defaultTicket.jobFeature.jobEmulationType = type;
    HandEmulationFlags(type);
}

void JSE_JobTicket::JSE_JobTicket_SetEmitBody(bool on) { writer.SetVLXInhibit(kBodySlot, !on); }
void JSE_JobTicket::JSE_JobTicket_Set_PeDeviceLookup(bool on) { writer.SetUseDeviceLookup(on); }
void JSE_JobTicket::JSE_JobTicket_SetMICRFeature(bool on) { writer.SetMICRFeature(on); }
void JSE_JobTicket::JSE_JobTicket_Set_DocumentTitle(const std::string& title) { writer.SetDocumentTitle(title); }

// ---------------------------------------------------------------------------
// PDF and release values

void JSE_JobTicket::JSE_JobTicket_SetPDFVersion(const WString& pdfVersion) {
    release6.pdfVersion = pdfVersion;
    release6.pdfVersionText = JSE_MacEncoding<false>(pdfVersion);
}

void JSE_JobTicket::JSE_JobTicket_SetRelease6Features(const JSE_Release1_4Type& values) {
    lastPageFirst = values.lastPageFirst;
    JSE_JobTicket_SetPDFVersion(values.pdfVersion);
    release6.pdfPageLoop = values.pdfPageLoop;
    release6.pdfUseOpp = values.pdfUseOpp;
    release6.userPunchPattern = values.userPunchPattern;
    writer.SetLastSheetFirst(lastPageFirst);
    writer.SetVLXRelease6Items(release6);
}

void JSE_JobTicket::JSE_JobTicket_SetNarrowBookletValue(int value) {
    release7.narrowBooklet = value == 0 || value == 1 ? value : 0;
}

void JSE_JobTicket::JSE_JobTicket_SetPageOrderValue(int value) {
    release7.pageOrder = value >= 1 && value <= 3 ? value : 1;
}

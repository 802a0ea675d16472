// The ticket writer's driver, generator table, line rules, setters and state
// reset.
#include "VLX_Writer.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "FoundationValues.h"
#include "JSE_StringTicket.h"

namespace {

constexpr const char* kCrLf = "\r\n";
constexpr const char* kPclCommentPrefix = "@PJL COMMENT ";
constexpr const char* kBuildKeyword = "%ZQ-JSE-3-0-Build: ";

// Generator of each table slot; the slots no step names hold Generate_NULL.
constexpr VLX_Writer::Generator kSlotGenerators[VLX_Writer::kSlotCount] = {
    &VLX_Writer::Generate_DocumentMedia,             // 0
    &VLX_Writer::Generate_DocumentPrinterRequired,   // 1
    &VLX_Writer::Generate_For,                       // 2
    &VLX_Writer::Generate_Emulation,                 // 3
    &VLX_Writer::Generate_OperatorMessage,           // 4
    &VLX_Writer::Generate_NULL,                      // 5
    &VLX_Writer::Generate_Routing,                   // 6
    &VLX_Writer::Generate_VLXActOn,                  // 7
    &VLX_Writer::Generate_VLXBody,                   // 8
    &VLX_Writer::Generate_VLXBooklet,                // 9
    &VLX_Writer::Generate_VLXChapters,               // 10
    &VLX_Writer::Generate_VLXChaptersAreSets,        // 11
    &VLX_Writer::Generate_VLXChargeNumber,           // 12
    &VLX_Writer::Generate_VLXCovers,                 // 13
    &VLX_Writer::Generate_NULL,                      // 14
    &VLX_Writer::Generate_NULL,                      // 15
    &VLX_Writer::Generate_VLXDestination,            // 16
    &VLX_Writer::Generate_VLXEmail,                  // 17
    &VLX_Writer::Generate_VLXEngineEdgeErase,        // 18
    &VLX_Writer::Generate_VLXEngineGRET,             // 19
    &VLX_Writer::Generate_VLXImageAlign,             // 20
    &VLX_Writer::Generate_VLXError,                  // 21
    &VLX_Writer::Generate_VLXInserts,                // 22
    &VLX_Writer::Generate_NULL,                      // 23
    &VLX_Writer::Generate_VLXOutputMedia,            // 24
    &VLX_Writer::Generate_VLXProofSet,               // 25
    &VLX_Writer::Generate_VLXPrintMethod,            // 26
    &VLX_Writer::Generate_VLXRequirements,           // 27
    &VLX_Writer::Generate_VLXReqPunch,               // 28
    &VLX_Writer::Generate_VLXRotation,               // 29
    &VLX_Writer::Generate_VLXSeparator,              // 30
    &VLX_Writer::Generate_VLXSlip,                   // 31
    &VLX_Writer::Generate_Title,                     // 32
    &VLX_Writer::Generate_VLXTransparencyMode,       // 33
    &VLX_Writer::Generate_VLXMedia,                  // 34
    &VLX_Writer::Generate_VLXPrinterServerSpool,     // 35
    &VLX_Writer::Generate_VLXPrintRange,             // 36
    &VLX_Writer::Generate_VLXMICR,                   // 37
    &VLX_Writer::Generate_VLXPeSubsetItems,          // 38
    &VLX_Writer::Generate_NULL,                      // 39
    &VLX_Writer::Generate_NULL,                      // 40
    &VLX_Writer::Generate_NULL,                      // 41
    &VLX_Writer::Generate_NULL,                      // 42
    &VLX_Writer::Generate_NULL,                      // 43
    &VLX_Writer::Generate_NULL,                      // 44
    &VLX_Writer::Generate_NULL,                      // 45
    &VLX_Writer::Generate_VLXPeRotate,               // 46
    &VLX_Writer::Generate_VLXPeShift,                // 47
    &VLX_Writer::Generate_VLXPeSide,                 // 48
    &VLX_Writer::Generate_VLXPePlex,                 // 49
    &VLX_Writer::Generate_VLXPeCopyCount,            // 50
    &VLX_Writer::Generate_VLXPDFVersion,             // 51
    &VLX_Writer::Generate_VLXPDFAutoCenter,          // 52
    &VLX_Writer::Generate_VLXPDFBinaryOK,            // 53
    &VLX_Writer::Generate_VLXPDFFitToPage,           // 54
    &VLX_Writer::Generate_VLXPDFMediaMatchAll,       // 55
    &VLX_Writer::Generate_VLXPDFPrintAnnotations,    // 56
    &VLX_Writer::Generate_VLXPDFUsePrintersHalftone, // 57
    &VLX_Writer::Generate_VLXPDFPageLoop,            // 58
    &VLX_Writer::Generate_NULL,                      // 59
    &VLX_Writer::Generate_VLXLastSheetFirst,         // 60
    &VLX_Writer::Generate_VLXNarrowBooklet,          // 61
    &VLX_Writer::Generate_NULL,                      // 62
};

// Slot run by each emission step; the last two entries are unused.
constexpr int VLX_Sequence[VLX_Writer::kSequenceSize] = {
    12, 8,  17, 26, 24, 27, 36, 25, 13, 22, 33, 9,  29, 21, 30, 10, 11, 31, 48, 49, 47, 46, 50, 38, 7, 4,
    32, 2,  3,  6,  1,  0,  34, 18, 20, 19, 16, 51, 52, 53, 55, 56, 54, 57, 58, 35, 28, 60, 61, 37, 0, 0,
};

void cutAtFirstNul(std::string& text) {
    const std::size_t nul = text.find('\0');
    if (nul != std::string::npos) text.resize(nul);
}

}  // namespace

std::string VLX_Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string out = platform::FormatList(format, args);
    va_end(args);
    return out;
}

int Append_Buffer_to_DSC_Header(std::string& text, std::string line, int /*tag*/) {
    cutAtFirstNul(text);
    cutAtFirstNul(line);
    if (!line.empty()) {
        text += kCrLf;
        text += line;
    }
    return kVlxDone;
}

// Every segment that ends just after a CR LF, or at the end of the text, gets
// the PJL comment prefix when it begins with '%'.
void PrependCommandPCLComment(std::string& text) {
    std::string prefixed;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t crlf = text.find(kCrLf, start);
        const std::size_t end = crlf == std::string::npos ? text.size() : crlf + 2;
        if (text[start] == '%') prefixed += kPclCommentPrefix;
        prefixed.append(text, start, end - start);
        start = end;
    }
    cutAtFirstNul(prefixed);
    text = prefixed;
}

std::string vlxCustomCommandType::Text() const { return std::string(text, strnlen(text, kTextSize)); }

vlxRelease4Type vlxRelease4Type::FromHeader(const DSC_VLX& header) {
    vlxRelease4Type items;
    items.release4Reserved = header.release4Reserved;
    items.engineGRET = header.engineGRET != 0;
    items.imageAlignOn = header.imageAlignOn != 0;
    std::memcpy(items.imageAlign, header.imageAlign, sizeof(items.imageAlign));
    items.edgeEraseOn = header.edgeEraseOn != 0;
    std::memcpy(items.edgeErase, header.edgeErase, sizeof(items.edgeErase));
    items.printerServerSpool = header.printerServerSpool != 0;
    items.pdfAutoCenter = header.pdfAutoCenter != 0;
    items.pdfBinaryOK = header.pdfBinaryOK != 0;
    items.pdfFitToPage = header.pdfFitToPage != 0;
    items.pdfMediaMatchAll = header.pdfMediaMatchAll != 0;
    items.pdfPrintAnnotations = header.pdfPrintAnnotations != 0;
    items.pdfUsePrintersHalftone = header.pdfUsePrintersHalftone != 0;
    return items;
}

vlxRelease5Type vlxRelease5Type::FromHeader(const DSC_VLX& header) {
    vlxRelease5Type items;
    items.punchPattern = header.punchPattern;
    items.punchFrontCover = header.punchFrontCover != 0;
    items.punchBackCover = header.punchBackCover != 0;
    items.punchSeparatorPaper = header.punchSeparatorPaper != 0;
    items.punchStatusPaper = header.punchStatusPaper != 0;
    return items;
}

VLX_Writer::VLX_Writer() {
    for (int slot = 0; slot < kSlotCount; ++slot) DscTable[slot].generator = kSlotGenerators[slot];
}

// ---------------------------------------------------------------------------
// Driver

int VLX_Writer::Generate_DSC_VLX_Header(DSC_VLX& header, std::string& text) {
    if (header.platformFlag != 0 && header.platformFlag != 1) return kVlxBadPlatform;
    if (!vlxMediaExceptionList.empty()) {
        PreFlightPeList();
        CopyExceptionList();
        zqSort();
        PageException_PreProcess();
        CreateSlipList();
        CombineSlipList();
    }
    Generate_JSE_Version(header, text);
    Generate_VLXCustomPreAppend(header, text);
    int result = kVlxDone;
    RunSequence(header, text, result);
    Generate_VLXCustomAppend(header, text);
    cutAtFirstNul(text);
    if (gEmitPCLComment) PrependCommandPCLComment(text);
    vlxMediaExceptionList.clear();
    gGenerate_VLXMedia_Section = false;
    return result;
}

// Runs the 50 emission steps; an inhibited step leaves the result unchanged.
void VLX_Writer::RunSequence(DSC_VLX& header, std::string& text, int& result) {
    for (int step = 0; step < kStepCount; ++step) {
        const DscSlot& slot = DscTable[VLX_Sequence[step]];
        if (!slot.inhibit) result = (this->*slot.generator)(header, text);
    }
}

// The build line is the ticket's first line: nothing goes before it.
int VLX_Writer::Generate_JSE_Version(DSC_VLX& header, std::string& text) {
    if (header.structVersion != 0) return kVlxBadVersion;
    text += kBuildKeyword;
    text += gVersionString;
    return kVlxDone;
}

bool VLX_Writer::CustomCommandWritable() const {
    const int kind = gVLXCustomCommand.kind;
    return gVLXCustomCommand.enabled && (kind == 2 || kind == 4) && !gVLXCustomCommand.Text().empty();
}

// The command text goes in as lines of the ticket, whatever line ends it
// holds: none of its own at the end, and no empty line.
int VLX_Writer::Generate_VLXCustomPreAppend(DSC_VLX& /*header*/, std::string& text) {
    if (!gEmitCustomOptionPreAppend || !CustomCommandWritable() || gVLXCustomCommand.position != 2) return kVlxDone;
    gVLXCustomCommandEmitted = true;
    return Append_Buffer_to_DSC_Header(text, TicketLines(gVLXCustomCommand.Text()), 1);
}

int VLX_Writer::Generate_VLXCustomAppend(DSC_VLX& /*header*/, std::string& text) {
    if (!gEmitCustomOptionAppend || !CustomCommandWritable() || gVLXCustomCommand.position != 1 ||
        gVLXCustomCommandEmitted)
        return kVlxDone;
    gVLXCustomCommandEmitted = true;
    return Append_Buffer_to_DSC_Header(text, TicketLines(gVLXCustomCommand.Text()), 2);
}

int VLX_Writer::Generate_NULL(DSC_VLX& header, std::string& text) {
    if (header.structVersion != 0) return kVlxBadVersion;
    return Append_Buffer_to_DSC_Header(text, "%JSE_SW_ERROR!!!!!!!!:  Generate_NULL() function called", 3);
}

// ---------------------------------------------------------------------------
// State reset

void VLX_Writer::Initialize_DSC_VLX_Structure(DSC_VLX& header, std::string& text) {
    ResetHeader(header);
    text.clear();
    vlxMediaExceptionList.clear();
    ResetEmissionState();
    SetJobStaplingItems("");
    SetJobFoldItems("");
    SetJobTrimItems("");
    sVlxRelease5Items = vlxRelease5Type{};
    gTurnOnThisFeature = false;
    gLastSheetFirst = false;
    sVlxRelease502Items = false;
    sVlxRelease6Items.pdfVersionText.clear();
    sVlxRelease6Items.pdfPageLoop = false;
    sVlxRelease6Items.pdfUseOpp = 0;
    sVlxRelease7Items = vlxRelease7Type{};
    gDocumentTitle.clear();
}

// Nothing can be written until the ticket's translators set the platform
// and the structure version. Proof count and action keep their values, and
// the valid, mode and value members of the sub-records are left alone.
void VLX_Writer::ResetHeader(DSC_VLX& header) const {
    header.platformFlag = 0xFFFF;
    header.structVersion = 0xFFFF;
    header.printMode = header.documentExit = header.numberOfPapers = 0;
    header.startPage = header.endPage = 0;
    header.copyCount = 1;
    header.paperCatalog.clear();
    std::string* const texts[] = {
        &header.bodyPaper,        &header.interleavePaper, &header.chargeNumber,     &header.operatorMessage,
        &header.userName,         &header.deliverTo,       &header.eMailAddress,     &header.printerName,
        &header.tiffPath,         &header.chapters.pages,  &header.frontCover.paper, &header.backCover.paper,
        &header.statusPages.paper, &header.separators.paper, &header.printMethod.storeName,
    };
    for (std::string* member : texts) member->clear();
    header.reservedWord = 0;
    header.offsetStackValid = header.offsetStackValue = 0;
    header.collateValid = header.collateValue = 0;
    header.landscapeDetectValid = header.landscapeDetectValue = 0;
    header.proofSetValid = header.proofSetValue = 0;
    header.trimValid = header.trimValue = 0;
    header.chaptersAreSetsValid = header.chaptersAreSetsValue = 0;
    header.specificPrinterValid = header.specificPrinterValue = 0;
    header.bookletValid = 0;
    header.signaturePages = 0;
    header.compileOnly = 0;
}

// The release-4 switches (not its alignment and erase values) and the
// emission flags.
void VLX_Writer::ResetEmissionState() {
    vlxRelease4Type& items = sVlxRelease4Items;
    items.release4Reserved = 0;
    items.engineGRET = items.imageAlignOn = items.edgeEraseOn = items.printerServerSpool = false;
    items.pdfAutoCenter = items.pdfBinaryOK = items.pdfFitToPage = false;
    items.pdfMediaMatchAll = items.pdfPrintAnnotations = items.pdfUsePrintersHalftone = false;
    gEmitJobSpool = gEmitCustomOptionPreAppend = gEmitCustomOptionAppend = gEmitPCLComment = false;
    gEmitPDFCommand = gEmitCopyCount = true;
    gGenerate_VLXMedia_Section = false;
}

// ---------------------------------------------------------------------------
// Setters

void VLX_Writer::SetEmittionFlags(bool jobSpool, bool customBefore, bool customAfter, bool pdfCommand,
                                  bool pclComment) {
    gEmitJobSpool = jobSpool;
    gEmitCustomOptionPreAppend = customBefore;
    gEmitCustomOptionAppend = customAfter;
    gEmitPDFCommand = pdfCommand;
    gEmitPCLComment = pclComment;
}

void VLX_Writer::SetVLXInhibit(int slot, bool inhibit) {
    if (slot >= 0 && slot < kStepCount) DscTable[slot].inhibit = inhibit;
}

bool VLX_Writer::IsInhibited(int slot) const { return slot >= 0 && slot < kSlotCount && DscTable[slot].inhibit; }

// The text is held as at most 255 bytes: a text that fills all 255 bytes has
// no terminator and ends after its last byte.
void VLX_Writer::Set_VLX_CustomCommand(const vlxCustomCommandType& command) {
    gVLXCustomCommand.enabled = command.enabled;
    gVLXCustomCommand.kind = command.kind;
    gVLXCustomCommand.position = command.position;
    std::memset(gVLXCustomCommand.text, 0, sizeof(gVLXCustomCommand.text));
    const std::string text = command.Text();
    std::memcpy(gVLXCustomCommand.text, text.data(), text.size());
    gVLXCustomCommandEmitted = false;
}

// Every value is copied, the spool switch too, so a ticket that turns server
// spooling off again is written with it off.
void VLX_Writer::SetVLXRelease4Items(const vlxRelease4Type& items) {
    const std::int32_t reserved = sVlxRelease4Items.release4Reserved;
    sVlxRelease4Items = items;
    sVlxRelease4Items.release4Reserved = reserved;
}

void VLX_Writer::SetVLXRelease6Items(const vlxHeaderRelease6Type& items) {
    sVlxRelease6Items = items;
    const std::string& version = items.pdfVersionText;
    sVlxRelease6Items.pdfVersionText = version == "1.3" || version == "1.4" ? version : "usepdl";
}

void VLX_Writer::Set_VLX_NumberOfSubstitution(long count) {
    if (count >= 1)
        vlxMediaExceptionList.resize(static_cast<std::size_t>(count));
    else
        vlxMediaExceptionList.clear();
}

int VLX_Writer::Set_VLX_Substitution_List(long index, const vlxPageExeptionType& record) {
    if (index < 0 || index >= GetMediaExceptionListSize()) return kVlxBadExceptionIndex;
    vlxMediaExceptionList[static_cast<std::size_t>(index)] = record;
    return kVlxDone;
}

int VLX_Writer::Add_VLX_Substitution_List(const vlxPageExeptionType& record) {
    vlxMediaExceptionList.push_back(record);
    return kVlxDone;
}

void VLX_Writer::GetOneExceptionRecord(long index, vlxPageExeptionType& record) const {
    if (index >= 0 && index < GetMediaExceptionListSize()) record = vlxMediaExceptionList[static_cast<std::size_t>(index)];
}

void VLX_Writer::ChangeExceptionMode(long index, std::int32_t code) {
    if (index >= 0 && index < GetMediaExceptionListSize())
        vlxMediaExceptionList[static_cast<std::size_t>(index)].exceptionMode = code;
}

void VLX_Writer::SetJobStaplingItems(const std::string& text) {
    sJobStaplerSetting = text.empty() ? " staple(none) " : text;
}
void VLX_Writer::SetJobFoldItems(const std::string& text) { sJobFoldSetting = text.empty() ? " fold(none) " : text; }
void VLX_Writer::SetJobTrimItems(const std::string& text) { sJobTrimSetting = text.empty() ? " trim(off) " : text; }
void VLX_Writer::SetJobJog(const std::string& text) { sJobJogSetting = text.empty() ? " jog(none) " : text; }
void VLX_Writer::SetJobPlex(const std::string& text) { sJobPlexSetting = text.empty() ? " simplex " : text; }
void VLX_Writer::SetJobOutputItems(const std::string& text) { sJobOutputSetting = text.empty() ? " top " : text; }

// The job-level lines of the ticket: one generator per keyword line.
#include <cstdint>

#include "FoundationValues.h"
#include "JSE_StringTicket.h"
#include "VLX_Writer.h"

namespace {

constexpr int kMaxPage = 99999;
constexpr std::size_t kPrinterNameLength = 31;
constexpr int kMaxProofCount = 60;

constexpr const char* Finishing_Orientation[] = {"0", "90", "180", "270"};
constexpr const char* Status_Page_Mode[] = {"off ", "onerror ", "on ", "1page "};
constexpr const char* Kestrelvane_Queue_ID[] = {"LXQ01"};

// A table entry; a code outside the table falls back to the first entry.
template <std::size_t N>
const char* tableWord(const char* const (&table)[N], unsigned code) {
    return code < N ? table[code] : table[0];
}

const char* onOff(bool on) { return on ? "on " : "off "; }

const std::string& orBody(const std::string& paper, const DSC_VLX& header) {
    return paper.empty() ? header.bodyPaper : paper;
}

// A line made of the keyword and the text in parentheses, when the text is
// not empty.
int textLine(const DSC_VLX& header, std::string& text, const char* keyword, const std::string& value, int tag) {
    if (header.structVersion != 0) return kVlxBadVersion;
    if (value.empty()) return kVlxDone;
    return Append_Buffer_to_DSC_Header(text, keyword + TicketString(value), tag);
}

const char* deviceWord(unsigned documentExit) {
    switch (documentExit) {
    case 1: return " stapler ";
    case 2: return " stacker ";
    case 3: return " bookmaker ";
    case 4: return " postprocessor ";
    case 5: return " wirecombbinder ";
    default: return " top ";
    }
}

const char* proofActionWord(unsigned action) {
    switch (action) {
    case 1: return "cancel";
    case 3: return "block";
    case 4: return "hold";
    default: return "print";
    }
}

const char* emulationLine(std::int32_t emulation) {
    switch (emulation) {
    case 2: return "%%Emulation: vgl";
    case 3: return "%%Emulation: pcl5";
    case 4: return "%%Emulation: pdf";
    default: return "%%Emulation: postscript";
    }
}

// The values with two decimals, one blank between them.
std::string fixedList(const float* values, int count) {
    std::string list;
    for (int i = 0; i < count; ++i) {
        if (i > 0) list += ' ';
        list += VLX_Format("%.2f", static_cast<double>(values[i]));
    }
    return list;
}

}  // namespace

std::uint8_t getVTR1documentExit(int jobExit) { return jobExit >= 2 && jobExit <= 6 ? jobExit - 1 : 0; }

int VLX_Writer::OnOffLine(const DSC_VLX& header, std::string& text, const char* keyword, bool on) const {
    if (header.structVersion != 0) return kVlxBadVersion;
    return Append_Buffer_to_DSC_Header(text, std::string(keyword) + onOff(on), 4);
}

// The PDF lines are checked against the structure version even when they
// are switched off.
int VLX_Writer::PdfLine(const DSC_VLX& header, std::string& text, const char* keyword, bool on) const {
    if (header.structVersion != 0) return kVlxBadVersion;
    if (!gEmitPDFCommand) return kVlxDone;
    return OnOffLine(header, text, keyword, on);
}

int VLX_Writer::Generate_VLXChargeNumber(DSC_VLX& header, std::string& text) {
    return textLine(header, text, "%VLXChargeNumber: ", header.chargeNumber, 5);
}

int VLX_Writer::Generate_VLXBody(DSC_VLX& header, std::string& text) {
    if (header.structVersion != 0) return kVlxBadVersion;
    if (header.printMode > 5) return kVlxDone;
    const std::string line =
        "%VLXBody: " + TicketString(header.bodyPaper) + " " + (header.compileOnly ? "off" : "on");
    return Append_Buffer_to_DSC_Header(text, line, 6);
}

int VLX_Writer::Generate_VLXEmail(DSC_VLX& header, std::string& text) {
    return textLine(header, text, "%VLXEmail: ", header.eMailAddress, 7);
}

int VLX_Writer::Generate_VLXPrintMethod(DSC_VLX& header, std::string& text) {
    if (header.structVersion != 0) return kVlxBadVersion;
    const printMethod_type& method = header.printMethod;
    const bool store = method.store != 0 && !method.storeName.empty();
    if (method.print == 0 && !store) return header.tiffPath.empty() ? kVlxNothingToPrint : kVlxDone;
    std::string line = "%VLXPrintMethod:";
    if (method.print != 0) line += " print";
    if (store) line += " store" + TicketString(method.storeName);
    return Append_Buffer_to_DSC_Header(text, line, 8);
}

// The device word is also the job's output device for the page exceptions.
int VLX_Writer::Generate_VLXOutputMedia(DSC_VLX& header, std::string& text) {
    if (header.structVersion != 0) return kVlxBadVersion;
    const std::string word = deviceWord(header.documentExit);
    SetJobOutputItems(word);
    return Append_Buffer_to_DSC_Header(text, "%VLXOutputMedia: " + word, 9);
}

// Pages beyond the last page are clamped, in the record too.
int VLX_Writer::Generate_VLXPrintRange(DSC_VLX& header, std::string& text) {
    if (header.startPage <= 0) return kVlxDone;
    if (header.startPage > kMaxPage) header.startPage = kMaxPage;
    if (header.endPage > kMaxPage) header.endPage = kMaxPage;
    std::string line = "%VLXPrintRange: " + std::to_string(header.startPage);
    if (header.endPage > 0) {
        line += ' ';
        line += std::to_string(header.endPage);
    }
    return Append_Buffer_to_DSC_Header(text, line, 10);
}

int VLX_Writer::Generate_VLXProofSet(DSC_VLX& header, std::string& text) {
    if (header.structVersion != 0) return kVlxBadVersion;
    if (header.proofSetValid == 0 || header.proofSetValue == 0) return kVlxDone;
    const bool inRange = header.proofCount >= 1 && header.proofCount <= kMaxProofCount;
    const unsigned count = inRange ? header.proofCount : 1;
    const char* action = inRange ? proofActionWord(header.proofAction) : "print";
    return Append_Buffer_to_DSC_Header(text, VLX_Format("%%VLXProofSet: %u %s", count, action), 11);
}

int VLX_Writer::Generate_VLXTransparencyMode(DSC_VLX& header, std::string& text) {
    if (header.structVersion != 0) return kVlxBadVersion;
    if (header.printMode != 3 && header.printMode != 4) return kVlxDone;
    const char* mode = header.printMode == 3 ? "blank" : "printed";
    const std::string line = "%VLXTransparencyMode: " + TicketString(header.bodyPaper) + " " + mode + " " +
                             TicketString(orBody(header.interleavePaper, header));
    return Append_Buffer_to_DSC_Header(text, line, 12);
}

// Sheets per signature: the page count rounded up to a multiple of 4, over 4.
int VLX_Writer::Generate_VLXBooklet(DSC_VLX& header, std::string& text) {
    if (header.structVersion != 0) return kVlxBadVersion;
    if (header.bookletValid == 0) return kVlxDone;
    std::int64_t pages = header.signaturePages;
    if (pages % 4 != 0) pages = pages + 4 - pages % 4;
    return Append_Buffer_to_DSC_Header(text, "%VLXBooklet: " + std::to_string(pages / 4), 13);
}

int VLX_Writer::Generate_VLXRotation(DSC_VLX& header, std::string& text) {
    if (header.structVersion != 0) return kVlxBadVersion;
    const std::string line = std::string("%VLXRotation: ") + tableWord(Finishing_Orientation, header.finishOrientation);
    return Append_Buffer_to_DSC_Header(text, line, 14);
}

int VLX_Writer::Generate_VLXError(DSC_VLX& header, std::string& text) {
    if (header.structVersion != 0) return kVlxBadVersion;
    const status_pages_type& status = header.statusPages;
    std::string line = "%VLXError: ";
    if (status.valid != 0 && status.mode != 0)
        line += tableWord(Status_Page_Mode, status.mode) + TicketString(orBody(status.paper, header));
    else
        line += "off ";
    return Append_Buffer_to_DSC_Header(text, line, 15);
}

int VLX_Writer::Generate_VLXSeparator(DSC_VLX& header, std::string& text) {
    if (header.structVersion != 0) return kVlxBadVersion;
    const separators_type& separators = header.separators;
    if (separators.valid == 0 || separators.value == 0) return kVlxDone;
    return Append_Buffer_to_DSC_Header(text, "%VLXSeparator: " + TicketString(orBody(separators.paper, header)), 16);
}

int VLX_Writer::Generate_VLXChapters(DSC_VLX& header, std::string& text) {
    if (header.structVersion != 0) return kVlxBadVersion;
    if (header.chapters.valid == 0 || header.chapters.pages.empty()) return kVlxDone;
    // The job's own chapter text comes from the caller as it is; it stays on
    // the line.
    return Append_Buffer_to_DSC_Header(text, "%VLXChapters: " + BlankControlCharacters(header.chapters.pages), 17);
}

int VLX_Writer::Generate_VLXChaptersAreSets(DSC_VLX& header, std::string& text) {
    if (header.structVersion != 0) return kVlxBadVersion;
    if (header.chaptersAreSetsValid == 0 || header.chaptersAreSetsValue == 0) return kVlxDone;
    return Append_Buffer_to_DSC_Header(text, "%VLXChaptersAreSets: on ", 18);
}

int VLX_Writer::Generate_VLXActOn(DSC_VLX& header, std::string& text) {
    if (header.structVersion != 0) return kVlxBadVersion;
    return Append_Buffer_to_DSC_Header(text, "%VLXActOn: ", 19);
}

int VLX_Writer::Generate_OperatorMessage(DSC_VLX& header, std::string& text) {
    return textLine(header, text, "%%OperatorMessage: ", header.operatorMessage, 20);
}

int VLX_Writer::Generate_Title(DSC_VLX& /*header*/, std::string& text) {
    if (gDocumentTitle.empty()) return kVlxDone;
    return Append_Buffer_to_DSC_Header(text, "%%Title: " + TicketString(gDocumentTitle), 21);
}

int VLX_Writer::Generate_For(DSC_VLX& header, std::string& text) {
    return textLine(header, text, "%%For: ", header.userName, 22);
}

int VLX_Writer::Generate_Emulation(DSC_VLX& header, std::string& text) {
    if (header.structVersion != 0) return kVlxBadVersion;
    return Append_Buffer_to_DSC_Header(text, emulationLine(header.emulation), 23);
}

// The Macintosh platform always names a routing, even an empty one.
int VLX_Writer::Generate_Routing(DSC_VLX& header, std::string& text) {
    if (header.structVersion != 0) return kVlxBadVersion;
    if (header.deliverTo.empty() && header.platformFlag != 1) return kVlxDone;
    return Append_Buffer_to_DSC_Header(text, "%%Routing: " + TicketString(header.deliverTo), 24);
}

// The printer name is cut to 31 bytes at the end of a whole character.
int VLX_Writer::Generate_DocumentPrinterRequired(DSC_VLX& header, std::string& text) {
    if (header.structVersion != 0) return kVlxBadVersion;
    std::string printer;
    if (header.specificPrinterValid != 0 && header.specificPrinterValue != 0)
        printer = platform::Utf8Prefix(header.printerName, kPrinterNameLength);
    const std::string line = "%%DocumentPrinterRequired: " + TicketString(printer) + " (" +
                             tableWord(Kestrelvane_Queue_ID, header.structVersion) + ")";
    return Append_Buffer_to_DSC_Header(text, line, 25);
}

int VLX_Writer::Generate_VLXEngineEdgeErase(DSC_VLX& header, std::string& text) {
    if (header.structVersion != 0) return kVlxBadVersion;
    if (!sVlxRelease4Items.edgeEraseOn) return kVlxDone;
    return Append_Buffer_to_DSC_Header(text, "%VLXEngineEdgeErase: " + fixedList(sVlxRelease4Items.edgeErase, 8), 26);
}

int VLX_Writer::Generate_VLXImageAlign(DSC_VLX& header, std::string& text) {
    if (header.structVersion != 0) return kVlxBadVersion;
    if (!sVlxRelease4Items.imageAlignOn) return kVlxDone;
    return Append_Buffer_to_DSC_Header(text, "%VLXEngineImageAlign: " + fixedList(sVlxRelease4Items.imageAlign, 4),
                                       27);
}

int VLX_Writer::Generate_VLXEngineGRET(DSC_VLX& header, std::string& text) {
    return OnOffLine(header, text, "%VLXEngineGRET: ", sVlxRelease4Items.engineGRET);
}

int VLX_Writer::Generate_VLXDestination(DSC_VLX& header, std::string& text) {
    if (header.structVersion != 0) return kVlxBadVersion;
    if (header.tiffPath.empty()) return kVlxDone;
    return Append_Buffer_to_DSC_Header(text, "%VLXDestination: " + TicketString(header.tiffPath + "/" + gDocumentTitle),
                                       28);
}

int VLX_Writer::Generate_VLXPDFVersion(DSC_VLX& header, std::string& text) {
    if (header.structVersion != 0) return kVlxBadVersion;
    if (!gEmitPDFCommand) return kVlxDone;
    const std::string& version = sVlxRelease6Items.pdfVersionText;
    return Append_Buffer_to_DSC_Header(text, "%VLXPDFVersion: " + (version.empty() ? "usepdl" : version), 29);
}

int VLX_Writer::Generate_VLXPDFAutoCenter(DSC_VLX& header, std::string& text) {
    return PdfLine(header, text, "%VLXPDFAutoCenter: ", sVlxRelease4Items.pdfAutoCenter);
}

int VLX_Writer::Generate_VLXPDFBinaryOK(DSC_VLX& header, std::string& text) {
    return PdfLine(header, text, "%VLXPDFBinaryOK: ", sVlxRelease4Items.pdfBinaryOK);
}

int VLX_Writer::Generate_VLXPDFMediaMatchAll(DSC_VLX& header, std::string& text) {
    return PdfLine(header, text, "%VLXPDFMediaMatchAll: ", sVlxRelease4Items.pdfMediaMatchAll);
}

int VLX_Writer::Generate_VLXPDFPrintAnnotations(DSC_VLX& header, std::string& text) {
    return PdfLine(header, text, "%VLXPDFPrintAnnotations: ", sVlxRelease4Items.pdfPrintAnnotations);
}

int VLX_Writer::Generate_VLXPDFFitToPage(DSC_VLX& header, std::string& text) {
    return PdfLine(header, text, "%VLXPDFFitToPage: ", sVlxRelease4Items.pdfFitToPage);
}

int VLX_Writer::Generate_VLXPDFUsePrintersHalftone(DSC_VLX& header, std::string& text) {
    return PdfLine(header, text, "%VLXPDFUsePrintersHalftone: ", sVlxRelease4Items.pdfUsePrintersHalftone);
}

int VLX_Writer::Generate_VLXPDFPageLoop(DSC_VLX& header, std::string& text) {
    return PdfLine(header, text, "%VLXPDFPageLoop: ", sVlxRelease6Items.pdfPageLoop);
}

// Spooling is only ever switched off when the job asks for the spool switch.
int VLX_Writer::Generate_VLXPrinterServerSpool(DSC_VLX& header, std::string& text) {
    return OnOffLine(header, text, "%VLXSpool: ", !(gEmitJobSpool && !sVlxRelease4Items.printerServerSpool));
}

int VLX_Writer::Generate_VLXReqPunch(DSC_VLX& header, std::string& text) {
    if (header.structVersion != 0) return kVlxBadVersion;
    return Append_Buffer_to_DSC_Header(text, "%VLXReqPunch: " + std::to_string(sVlxRelease5Items.punchPattern), 30);
}

int VLX_Writer::Generate_VLXLastSheetFirst(DSC_VLX& /*header*/, std::string& text) {
    const char* order = " facedown";
    if (sVlxRelease7Items.pageOrder == 2) order = " faceup";
    if (sVlxRelease7Items.pageOrder == 3) order = " lastsheetfirst ";
    return Append_Buffer_to_DSC_Header(text, std::string("%VLXReqReorderSheets:") + order, 31);
}

int VLX_Writer::Generate_VLXNarrowBooklet(DSC_VLX& /*header*/, std::string& text) {
    if (sVlxRelease7Items.narrowBooklet != 1) return kVlxDone;
    return Append_Buffer_to_DSC_Header(text, "%VLXReqNarrowBooks: on ", 32);
}

int VLX_Writer::Generate_VLXMICR(DSC_VLX& header, std::string& text) {
    if (!gTurnOnThisFeature) return kVlxDone;
    return OnOffLine(header, text, "%VLXMICR: ", sVlxRelease502Items);
}

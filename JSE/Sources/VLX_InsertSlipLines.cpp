// The inserts and slip-sheet lines: extra sheets put between the pages and
// the paper substitutions of the prepared page-exception list.
#include <cstdint>
#include <string>

#include "JSE_Records.h"
#include "JSE_StringTicket.h"
#include "VLX_Writer.h"

namespace {

constexpr const char* kInsertsKeyword = "%VLXInserts: ";
constexpr const char* kSlipKeyword = "%VLXSlip:";
constexpr const char* kContinuation = "%%+ ";
constexpr std::size_t kLongLine = 80;

constexpr std::uint16_t kPrePrintedCover = 4;

bool isInterleaved(const DSC_VLX& header) { return header.printMode == 3 || header.printMode == 4; }

bool namesPaper(const vlxPageExeptionType& record) { return record.fromJobPaper || !record.mediaName.empty(); }

const std::string& paperOf(const DSC_VLX& header, const vlxPageExeptionType& record) {
    return record.fromJobPaper ? header.bodyPaper.str() : record.mediaName.str();
}

std::string pageRange(std::int64_t first, std::int64_t last) {
    std::string range;
    return Construct_Page_Range(first, last, range);
}

// The insert's own exit, else the job's; the bookmaker, postprocessor and
// wire-comb binder take no exit word.
const char* exitWord(std::int32_t paperExit, std::uint16_t documentExit) {
    switch (paperExit) {
    case 1: return "(top) ";
    case 2: return "(stapler) ";
    case 3: return "(stacker) ";
    default: break;
    }
    switch (documentExit) {
    case 1: return "(stapler) ";
    case 2: return "(stacker) ";
    case 3:
    case 4:
    case 5: return nullptr;
    default: return "(top) ";
    }
}

// One item per line, the first after the keyword.
class InsertLines {
public:
    explicit InsertLines(std::string& text) : text(text) {}

    int Add(const std::string& item) {
        const char* start = first ? kInsertsKeyword : kContinuation;
        first = false;
        return result = Append_Buffer_to_DSC_Header(text, start + item, 22);
    }
    int Result() const { return result; }

private:
    std::string& text;
    bool first = true;
    int result = kVlxDone;
};

// Is this a pre-printed cover, written as an insert before the first or
// after the last page?
bool prePrinted(const cover_type& cover) { return cover.valid != 0 && cover.mode == kPrePrintedCover; }

const char* slipPlexWord(const vlxPageExeptionType& record, const DSC_VLX& header, const _Paper_Catalog& paper) {
    const bool oneSidedPaper = paper.mode == 1;
    const bool jobSimplex = header.printMode == 0 || oneSidedPaper;
    if (record.pePlex) {
        if (record.pePlexValue == 2 || record.pePlexValue == 3) return "duplex";
        if (record.pePlexValue == kPeNotSet) return jobSimplex ? "simplex" : "duplex";
        return "simplex";
    }
    if (record.printingMode == kPeNotSet) return jobSimplex ? "simplex" : "duplex";
    return record.printingMode == 1 || oneSidedPaper ? "simplex" : "duplex";
}

// The slip line: the first item alone on the keyword line; following items
// of the same paper and plex share a continuation line, which is closed once
// it passes 80 characters.
class SlipLines {
public:
    explicit SlipLines(std::string& text) : text(text) {}

    void Add(const std::string& paperText, const std::string& plexWord, const std::string& item) {
        if (count == 0) {
            line = kSlipKeyword + item;
        } else if (count > 1 && paperText == lastPaperText && plexWord == lastPlexWord) {
            line += item;
            if (line.size() > kLongLine) {
                Flush();
                line = kContinuation;
            }
        } else {
            Flush();
            line = kContinuation + item;
        }
        ++count;
        lastPaperText = paperText;
        lastPlexWord = plexWord;
    }

    int Finish() {
        Flush();
        return result;
    }

private:
    void Flush() {
        if (line.size() > std::char_traits<char>::length(kContinuation))
            result = Append_Buffer_to_DSC_Header(text, line, 31);
    }

    std::string& text;
    std::string line;
    std::string lastPaperText;
    std::string lastPlexWord;
    int count = 0;
    int result = kVlxDone;
};

}  // namespace

// An insert before page n is written as an insert after page n - 1; page 0
// stands before the first page. Papers are written by name, unchecked.
int VLX_Writer::Generate_VLXInserts(DSC_VLX& header, std::string& text) {
    InsertLines lines(text);
    const cover_type& front = header.frontCover;
    if (prePrinted(front)) {
        const std::string punch = PunchText(sVlxRelease5Items.punchFrontCover);
        lines.Add(TicketString(front.paper) + (punch.empty() ? " 0" : punch + "0"));
    }
    for (const vlxPageExeptionType& record : vlxMediaExceptionList) {
        const bool insert = record.exceptionMode == kPeInsertBefore || record.exceptionMode == kPeInsertAfter;
        if (!insert || !namesPaper(record)) continue;
        std::int64_t first = record.startingPage;
        std::int64_t last = record.endingPage;
        if (record.exceptionMode == kPeInsertBefore) {
            if (first >= 1) --first;
            if (last >= 1) --last;
        }
        std::string item = TicketString(paperOf(header, record)) + PunchText(record.pePunch);
        if (const char* word = exitWord(record.paperExit, header.documentExit)) item += std::string(" output") + word;
        lines.Add(item + pageRange(first, last));
    }
    const cover_type& back = header.backCover;
    if (prePrinted(back)) {
        const std::string punch = PunchText(sVlxRelease5Items.punchBackCover);
        lines.Add(TicketString(back.paper) + punch + "lastpage");
    }
    return lines.Result();
}

// Interleaved jobs carry no slip sheets; a paper missing from the catalog
// is left out. The slip list is used up either way.
int VLX_Writer::Generate_VLXSlip(DSC_VLX& header, std::string& text) {
    SlipLines lines(text);
    for (const vlxPageExeptionType& record : SlipList) {
        if (record.exceptionMode != kPePaperSubstitution || isInterleaved(header) || !namesPaper(record)) continue;
        const std::string& name = paperOf(header, record);
        const _Paper_Catalog* paper = Lookup_Catalog_Entry(header, name);
        if (paper == nullptr) continue;
        const std::string paperText = " " + TicketString(name) + " ";
        const std::string plexWord = slipPlexWord(record, header, *paper);
        lines.Add(paperText, plexWord,
                  paperText + PunchText(record.pePunch) + plexWord + pageRange(record.startingPage, record.endingPage));
    }
    SlipList.clear();
    return lines.Finish();
}

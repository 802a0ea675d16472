// The requirements and covers lines.
#include <cstdint>
#include <iterator>

#include "JSE_StringTicket.h"
#include "VLX_Writer.h"

namespace {

constexpr const char* Stapling[] = {"staple(none) ", "staple(front) ", "staple(back) ", "staple(both) ",
                                    "staple(saddle) "};
constexpr const char* Cover_Sides[] = {"", "simplex frontside", "duplex backside", "duplex"};

constexpr std::uint16_t kExitStapler = 1;
constexpr std::uint16_t kExitBookmaker = 3;

// A stapling mode outside the table staples nothing.
const char* staplingWord(unsigned mode) { return mode < std::size(Stapling) ? Stapling[mode] : Stapling[0]; }

bool pairSet(std::uint16_t valid, std::uint16_t value) { return valid != 0 && value != 0; }

struct RequirementWords {
    std::string dsc;  // "%%Requirements: "
    std::string vlx;  // "%VLXRequirements:"

    void add(const std::string& word) {
        dsc += word;
        vlx += word;
    }
};

}  // namespace

std::string VLX_Writer::PunchText(bool itemPunched) const {
    return sVlxRelease5Items.punchPattern != 0 && !itemPunched ? " punch(none) " : "";
}

// Besides its two lines, hands the job's device, stapling, plex, offset
// stacking, trimming and folding to the page-exception lines.
int VLX_Writer::Generate_VLXRequirements(DSC_VLX& header, std::string& text) {
    if (header.structVersion != 0) {
        SetJobFoldItems("");
        return kVlxBadVersion;
    }
    RequirementWords words;
    std::string fold = "fold(none) ";
    if (gEmitCopyCount) words.add(VLX_Format("numcopies(%lld) ", static_cast<long long>(header.copyCount)));
    SetJobDevice(header.documentExit);

    std::string staple = "staple(none) ";
    if (header.documentExit == kExitBookmaker) {
        if (header.staplingMode != 0) {
            staple = "staple(saddle) ";
            fold = "fold(saddle) ";
        }
        words.add(staple + " fold(saddle) ");
    } else {
        if (header.documentExit == kExitStapler && header.staplingValid != 0) staple = staplingWord(header.staplingMode);
        words.add(staple + " fold(none) ");
    }
    SetJobStaplingItems(staple);

    switch (header.printMode) {
    case 0:
    case 3:
    case 4:
        words.add(" simplex ");
        SetJobPlex(" simplex ");
        break;
    case 1:
    case 5:
        words.dsc += " duplex(on) ";
        words.vlx += " duplex(longedge) ";
        SetJobPlex(" duplex(longedge) ");
        break;
    case 2:
        words.dsc += " duplex(tumble) ";
        words.vlx += " duplex(shortedge) ";
        SetJobPlex(" duplex(shortedge) ");
        break;
    default: break;
    }

    const bool collate = pairSet(header.collateValid, header.collateValue) ||
                         pairSet(header.separators.valid, header.separators.value) || header.printMode == 3 ||
                         header.printMode == 4;
    words.add(collate ? " collate" : " noncollate");
    const std::string jog = pairSet(header.offsetStackValid, header.offsetStackValue) ? " jog(alternate) " : " jog(none) ";
    words.add(jog);
    SetJobJog(jog);
    Append_Buffer_to_DSC_Header(text, "%%Requirements:  " + words.dsc, 60);

    const std::string trim = pairSet(header.trimValid, header.trimValue) ? " trim(on) " : " trim(off) ";
    words.vlx += trim;
    SetJobTrimItems(trim);
    const int result = Append_Buffer_to_DSC_Header(text, "%VLXRequirements: " + words.vlx, 61);
    SetJobFoldItems(fold);
    return result;
}

// A pre-printed cover (mode 4) is written as an insert instead.
int VLX_Writer::Generate_VLXCovers(DSC_VLX& header, std::string& text) {
    if (header.structVersion != 0) return kVlxBadVersion;
    auto coverItem = [&](const cover_type& cover, bool punched, const char* side) {
        const std::string& paper = cover.paper.empty() ? header.bodyPaper : cover.paper;
        return TicketString(paper) + PunchText(punched) + side + Cover_Sides[cover.mode];
    };
    auto printedCover = [](const cover_type& cover) { return cover.valid != 0 && cover.mode >= 1 && cover.mode <= 3; };
    std::string line;
    if (printedCover(header.frontCover))
        line = "%VLXCovers: " + coverItem(header.frontCover, sVlxRelease5Items.punchFrontCover, " front ");
    if (printedCover(header.backCover)) {
        line += line.empty() ? "%VLXCovers: " : "\r\n%%+ ";
        line += coverItem(header.backCover, sVlxRelease5Items.punchBackCover, " back ");
    }
    if (line.empty()) line = "%VLXCovers: " + TicketString(header.bodyPaper) + " none";
    return Append_Buffer_to_DSC_Header(text, line, 62);
}

// The media lines: every paper of the job, once in the document-structuring
// form ("%%DocumentMedia:") and once in the printer's own form ("%VLXMedia: ").
// The first paper goes on the keyword line, every further paper on a
// continuation line; a paper is listed once per line, for the first role that
// uses it.
#include <algorithm>
#include <array>
#include <vector>

#include "JSE_Records.h"
#include "JSE_StringTicket.h"
#include "VLX_Writer.h"

namespace {

constexpr int kBodySlot = 8;  // the body line's slot of the generator table
constexpr const char* kContinuation = "%%+ ";
constexpr const char* kPrinterKeyword = "%VLXMedia: ";
constexpr const char* kDocumentKeyword = "%%DocumentMedia:";

bool isPaperRecord(const vlxPageExeptionType& record) { return record.exceptionMode == kPePaperSubstitution; }
bool isInsertRecord(const vlxPageExeptionType& record) {
    return record.exceptionMode == kPeInsertBefore || record.exceptionMode == kPeInsertAfter;
}

// A colour or type in parentheses; "*" stands for any and is written as
// empty parentheses.
std::string attributeString(const std::string& text) { return TicketString(text == "*" ? std::string() : text); }

// The papers of one media line, for one form of it.
class MediaRoles {
public:
    MediaRoles(const DSC_VLX& header, bool printerForm, const std::vector<vlxPageExeptionType>& exceptions)
        : header(header), printerForm(printerForm), exceptions(exceptions) {}

    const char* Keyword() const { return printerForm ? kPrinterKeyword : kDocumentKeyword; }

    int Format_Media_Body_Paper(std::string& line, std::string& paperList) const;
    int Format_Media_Interleave_Paper(std::string& line, std::string& paperList) const;
    int Format_Media_Front_Cover_Paper(std::string& line, std::string& paperList) const;
    int Format_Media_Back_Cover_Paper(std::string& line, std::string& paperList) const;
    int Format_Media_Separator_Paper(std::string& line, std::string& paperList) const;
    int Format_Media_Status_Page_Paper(std::string& line, std::string& paperList) const;
    int Format_Media_Slip_Sheet_Paper(std::string& line, std::string& paperList) const;
    int Format_Media_Insert_Paper(std::string& line, std::string& paperList) const;

private:
    // The paper's own text: name and attributes, or the document entry.
    std::string PaperText(const _Paper_Catalog& paper) const;
    // One role: nothing when the condition fails, the code when the paper
    // is empty or unknown, a continuation line for a paper not yet listed.
    int RolePaper(bool condition, const std::string& name, int missingCode, std::string& line,
                  std::string& paperList) const;
    // One continuation line per listed record paper not yet on the line;
    // papers the catalog lacks are skipped.
    int ListedPapers(bool (*selects)(const vlxPageExeptionType&), std::string& line, std::string& paperList) const;

    const DSC_VLX& header;
    bool printerForm;
    const std::vector<vlxPageExeptionType>& exceptions;
};

std::string MediaRoles::PaperText(const _Paper_Catalog& paper) const {
    std::string text;
    if (printerForm) {
        text = TicketString(paper.name);
        Generate_PaperAttributes(paper, text);
    } else {
        Format_Document_Media_Entry(paper, text);
    }
    return text;
}

int MediaRoles::Format_Media_Body_Paper(std::string& line, std::string& paperList) const {
    line += Keyword();
    const _Paper_Catalog* paper = header.bodyPaper.empty() ? nullptr : Lookup_Catalog_Entry(header, header.bodyPaper);
    if (paper == nullptr) return kVlxNoBodyPaper;
    line += PaperText(*paper);
    paperList = " " + header.bodyPaper + " ";
    return kVlxDone;
}

int MediaRoles::RolePaper(bool condition, const std::string& name, int missingCode, std::string& line,
                          std::string& paperList) const {
    if (!condition) return kVlxDone;
    const _Paper_Catalog* paper = name.empty() ? nullptr : Lookup_Catalog_Entry(header, name);
    if (paper == nullptr) return missingCode;
    if (Check_Whether_To_Add_Paper(paperList, *paper)) line += kContinuation + PaperText(*paper);
    return kVlxDone;
}

int MediaRoles::Format_Media_Interleave_Paper(std::string& line, std::string& paperList) const {
    const bool interleaved = header.printMode == 3 || header.printMode == 4;
    return RolePaper(interleaved, header.interleavePaper, kVlxNoInterleavePaper, line, paperList);
}

int MediaRoles::Format_Media_Front_Cover_Paper(std::string& line, std::string& paperList) const {
    const cover_type& cover = header.frontCover;
    return RolePaper(cover.valid != 0, cover.paper, kVlxNoFrontCoverPaper, line, paperList);
}

int MediaRoles::Format_Media_Back_Cover_Paper(std::string& line, std::string& paperList) const {
    const cover_type& cover = header.backCover;
    return RolePaper(cover.valid != 0, cover.paper, kVlxNoBackCoverPaper, line, paperList);
}

int MediaRoles::Format_Media_Separator_Paper(std::string& line, std::string& paperList) const {
    const separators_type& separators = header.separators;
    const std::string& paper = separators.paper.empty() ? header.bodyPaper : separators.paper;
    return RolePaper(separators.valid != 0 && separators.value != 0, paper, kVlxNoSeparatorPaper, line, paperList);
}

int MediaRoles::Format_Media_Status_Page_Paper(std::string& line, std::string& paperList) const {
    const status_pages_type& status = header.statusPages;
    return RolePaper(status.valid != 0 && status.mode != 0, status.paper, kVlxNoStatusPaper, line, paperList);
}

int MediaRoles::ListedPapers(bool (*selects)(const vlxPageExeptionType&), std::string& line,
                             std::string& paperList) const {
    for (const vlxPageExeptionType& record : exceptions) {
        if (!selects(record) || record.mediaName.empty()) continue;
        const std::string& name = record.fromJobPaper ? header.bodyPaper : record.mediaName;
        const _Paper_Catalog* paper = Lookup_Catalog_Entry(header, name);
        if (paper != nullptr && Check_Whether_To_Add_Paper(paperList, *paper))
            line += kContinuation + PaperText(*paper) + "\r\n";
    }
    if (!line.empty()) line.resize(line.size() - 2);
    return kVlxDone;
}

int MediaRoles::Format_Media_Slip_Sheet_Paper(std::string& line, std::string& paperList) const {
    return ListedPapers(isPaperRecord, line, paperList);
}

int MediaRoles::Format_Media_Insert_Paper(std::string& line, std::string& paperList) const {
    return ListedPapers(isInsertRecord, line, paperList);
}

using RoleFunction = int (MediaRoles::*)(std::string&, std::string&) const;

// The roles after the body paper, in the order of each form.
constexpr std::array<RoleFunction, 7> kPrinterRoles = {
    &MediaRoles::Format_Media_Interleave_Paper, &MediaRoles::Format_Media_Front_Cover_Paper,
    &MediaRoles::Format_Media_Back_Cover_Paper, &MediaRoles::Format_Media_Separator_Paper,
    &MediaRoles::Format_Media_Status_Page_Paper, &MediaRoles::Format_Media_Slip_Sheet_Paper,
    &MediaRoles::Format_Media_Insert_Paper,
};

constexpr std::array<RoleFunction, 7> kDocumentRoles = {
    &MediaRoles::Format_Media_Interleave_Paper, &MediaRoles::Format_Media_Front_Cover_Paper,
    &MediaRoles::Format_Media_Back_Cover_Paper, &MediaRoles::Format_Media_Separator_Paper,
    &MediaRoles::Format_Media_Slip_Sheet_Paper, &MediaRoles::Format_Media_Insert_Paper,
    &MediaRoles::Format_Media_Status_Page_Paper,
};

}  // namespace

const _Paper_Catalog* Lookup_Catalog_Entry(const DSC_VLX& header, const std::string& name) {
    const std::size_t count = std::min<std::size_t>(header.numberOfPapers, header.paperCatalog.size());
    for (std::size_t i = 0; i < count; ++i)
        if (header.paperCatalog[i].name == name) return &header.paperCatalog[i];
    return nullptr;
}

bool Check_Whether_To_Add_Paper(std::string& paperList, const _Paper_Catalog& paper) {
    const std::string entry = " " + paper.name + " ";
    if (paperList.find(entry) != std::string::npos) return false;
    paperList += entry;
    return true;
}

void Generate_PaperAttributes(const _Paper_Catalog& paper, std::string& line) {
    if (paper.mode == 0)
        line += " postfuserinsert ";
    else
        line += paper.mode == 1 ? " sides(1) " : " sides(2) ";
    if (paper.precollated == 1) line += " precollated ";
    if (paper.punchable == 0) line += " unpunchable ";
}

void Format_Document_Media_Entry(const _Paper_Catalog& paper, std::string& entry) {
    entry = " " + TicketString(paper.name) + " " +
            VLX_Format("%u %u %u ", static_cast<unsigned>(paper.widthPoints), static_cast<unsigned>(paper.heightPoints),
                       static_cast<unsigned>(paper.weight)) +
            attributeString(paper.colour) + " " + attributeString(paper.type);
}

bool VLX_Writer::AnyMediaInTheJob(const DSC_VLX& header) const {
    const bool frontCover = header.frontCover.valid != 0 && !header.frontCover.paper.empty();
    const bool backCover = header.backCover.valid != 0 && !header.backCover.paper.empty();
    const separators_type& separators = header.separators;
    const bool separator = separators.valid != 0 && separators.value != 0 && !separators.paper.empty();
    const status_pages_type& status = header.statusPages;
    const bool statusPage = status.valid != 0 && status.mode != 0 && !status.paper.empty();
    return !header.interleavePaper.empty() || frontCover || backCover || separator || statusPage ||
           !vlxMediaExceptionList.empty();
}

// The keyword line with the body paper. With the body line switched off the
// keyword stands alone when the job names other papers. With a body paper
// missing from the catalog the keyword is written in front of the first
// continuation line, so that one never continues the line before it.
int VLX_Writer::WriteMediaLines(const DSC_VLX& header, std::string& text, bool printerForm) {
    const MediaRoles roles(header, printerForm, vlxMediaExceptionList);
    std::string paperList;
    std::string line;
    bool keywordPending = false;
    int result = kVlxDone;
    if (IsInhibited(kBodySlot)) {
        if (AnyMediaInTheJob(header)) Append_Buffer_to_DSC_Header(text, roles.Keyword(), 33);
    } else {
        result = roles.Format_Media_Body_Paper(line, paperList);
        keywordPending = result != kVlxDone;
        if (!keywordPending) Append_Buffer_to_DSC_Header(text, line, 33);
    }
    for (RoleFunction role : printerForm ? kPrinterRoles : kDocumentRoles) {
        line.clear();
        result = (roles.*role)(line, paperList);
        if (result != kVlxDone || line.empty()) continue;
        if (keywordPending) Append_Buffer_to_DSC_Header(text, roles.Keyword(), 33);
        keywordPending = false;
        Append_Buffer_to_DSC_Header(text, line, 34);
    }
    return result;
}

int VLX_Writer::Generate_DocumentMedia(DSC_VLX& header, std::string& text) {
    if (header.structVersion != 0) return kVlxBadVersion;
    return WriteMediaLines(header, text, false);
}

int VLX_Writer::Generate_VLXMedia(DSC_VLX& header, std::string& text) {
    gGenerate_VLXMedia_Section = true;
    if (header.structVersion != 0) return kVlxBadVersion;
    return WriteMediaLines(header, text, true);
}

// Ticket text shared by the writer tests: the lines that close every ticket
// of a PostScript job on the Macintosh platform on plain Letter paper,
// without a named printer, engine settings or PDF settings.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "DSC_VLX.h"
#include "ticket_reading.h"
#include "VLX_Writer.h"

// The catalog copy of a job ticket without a paper catalog: Letter alone.
inline void AddLetterToCatalog(DSC_VLX& header) {
    header.paperCatalog.push_back({"Letter", "white", "plain", 612, 792, 75, 2, 0, 1});
    header.numberOfPapers = static_cast<std::uint16_t>(header.paperCatalog.size());
}

// A new ticket's writer and header as the translators leave them for a
// plain job on the Macintosh platform with the body paper Letter.
inline void PreparePlainJob(VLX_Writer& writer, DSC_VLX& header) {
    std::string text;
    writer.Initialize_DSC_VLX_Structure(header, text);
    header.platformFlag = 1;
    header.structVersion = 0;
    header.bodyPaper = L"Letter";
    AddLetterToCatalog(header);
}

// The lines one generator writes on its own, without the line break that
// precedes them, or "<none>".
template <typename Generator>
std::string GeneratedLines(VLX_Writer& writer, Generator generator, DSC_VLX& header, int& result) {
    std::string text;
    result = (writer.*generator)(header, text);
    if (text.empty()) return "<none>";
    EXPECT_EQ(text.rfind("\r\n", 0), 0u);
    return text.substr(2);
}

// The lines of a generator that must report success.
template <typename Generator>
std::string DoneGeneratorLines(VLX_Writer& writer, Generator generator, DSC_VLX& header) {
    int result = -1;
    std::string text = GeneratedLines(writer, generator, header, result);
    EXPECT_EQ(result, kVlxDone);
    return text;
}

#define LUMAPREX_PLAIN_TICKET_TAIL            \
    "%VLXActOn: \r\n"                         \
    "%%Emulation: postscript\r\n"             \
    "%%Routing: ()\r\n"                       \
    "%%DocumentPrinterRequired: () (LXQ01)\r\n" \
    "%%DocumentMedia: (Letter) 612 792 75 (white) (plain)\r\n" \
    "%VLXMedia: (Letter) sides(2) \r\n"     \
    "%VLXEngineGRET: off \r\n"                \
    "%VLXPDFVersion: usepdl\r\n"              \
    "%VLXPDFAutoCenter: off \r\n"             \
    "%VLXPDFBinaryOK: off \r\n"               \
    "%VLXPDFMediaMatchAll: off \r\n"          \
    "%VLXPDFPrintAnnotations: off \r\n"       \
    "%VLXPDFFitToPage: off \r\n"              \
    "%VLXPDFUsePrintersHalftone: off \r\n"    \
    "%VLXPDFPageLoop: off \r\n"               \
    "%VLXSpool: on \r\n"                      \
    "%VLXReqPunch: 0\r\n"                     \
    "%VLXReqReorderSheets: facedown"

// Ticket text shared by the writer tests: the lines that close every ticket
// of a PostScript job on the Macintosh platform without a named printer,
// engine settings or PDF settings.
#pragma once

#define LUMAPREX_PLAIN_TICKET_TAIL            \
    "%VLXActOn: \r\n"                         \
    "%%Emulation: postscript\r\n"             \
    "%%Routing: ()\r\n"                       \
    "%%DocumentPrinterRequired: () (LXQ01)\r\n" \
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

// Whole tickets whose inserts and slip sheets come from the ticket's own
// page-exception list, on the shipped paper catalog.
#include <gtest/gtest.h>

#include <string>

#include "job_ticket_support.h"

namespace {

using namespace job_ticket_test;

JSE_PageExceptionType ownRecord(std::int32_t code, std::int64_t first, std::int64_t last, const wchar_t* paper) {
    JSE_PageExceptionType record;
    record.exceptionMode = code;
    record.startingPage = first;
    record.endingPage = last;
    record.mediaName = paper;
    record.fromJobPaper = *paper == L'\0';
    record.pePlex = record.peRotate = false;
    return record;
}

JSE_PageExceptionType ownPlex(std::int64_t first, std::int64_t last, std::int32_t value) {
    JSE_PageExceptionType record = ownRecord(kPePrintMode, first, last, L"");
    record.pePlex = true;
    record.pePlexValue = value;
    return record;
}

class OwnListTicket : public JobTicket {
protected:
    void add(std::initializer_list<JSE_PageExceptionType> records) {
        for (const JSE_PageExceptionType& record : records) ticket.JSE_JobTicket_SetPageExceptionItem(record, false);
    }
};

}  // namespace

// Pre-printed covers frame the inserts; an insert before a page follows the
// page before it; the substitution is split where the plex changes, the one
// to a paper the catalog lacks is left out of both the slip and media lines.
TEST_F(OwnListTicket, PrePrintedCoversInsertsAndPlexRunsByteForByte) {
    job.printingMode = 2;
    job.frontCoverMode = job.backCoverMode = 5;
    job.frontCoverPaper = job.backCoverPaper = L"Letter_Cover";
    JSE_PageExceptionType stapled = ownRecord(kPeInsertBefore, 1, 1, L"Letter_Insert");
    stapled.paperExit = 2;
    add({ownRecord(kPePaperSubstitution, 1, 10, L"Letter_Blue"), ownPlex(3, 5, 3), ownPlex(6, 10, 1),
         ownRecord(kPePaperSubstitution, 12, 12, L"Letter_Purple"), ownRecord(kPeInsertAfter, 14, 99999, L"Letter_Tab"),
         stapled});
    const std::string first = build();
    EXPECT_EQ(first,
              "%ZQ-JSE-3-0-Build: 08.01.0004\r\n"
              "%VLXBody: (Letter) on\r\n"
              "%VLXPrintMethod: print\r\n"
              "%VLXOutputMedia:  top \r\n"
              "%%Requirements:  numcopies(1) staple(none)  fold(none)  duplex(on)  collate jog(none) \r\n"
              "%VLXRequirements: numcopies(1) staple(none)  fold(none)  duplex(longedge)  collate jog(none) "
              " trim(off) \r\n"
              "%VLXCovers: (Letter) none\r\n"
              "%VLXInserts: (Letter_Cover) 0\r\n"
              "%%+ (Letter_Insert) output(stapler)  0\r\n"
              "%%+ (Letter_Tab) output(top)  14..lastpage\r\n"
              "%%+ (Letter_Cover)lastpage\r\n"
              "%VLXRotation: 0\r\n"
              "%VLXError: off \r\n"
              "%VLXSlip: (Letter_Blue) duplex 1..2\r\n"
              "%%+  (Letter_Blue) duplex 3..5\r\n"
              "%%+  (Letter_Blue) simplex 6..10\r\n"
              "%VLXPePlex:  duplex(shortedge) 3  simplex 6  duplex(longedge) 11 \r\n"
              "%VLXActOn: \r\n"
              "%%Emulation: postscript\r\n"
              "%%Routing: ()\r\n"
              "%%DocumentPrinterRequired: () (LXQ01)\r\n"
              "%%DocumentMedia: (Letter) 612 792 75 (white) (plain)\r\n"
              "%%+  (Letter_Cover) 612 792 200 (white) (cover)\r\n"
              "%%+  (Letter_Blue) 612 792 75 (blue) (plain)\r\n"
              "%%+  (Letter_Insert) 612 792 90 (white) (insert)\r\n"
              "%%+  (Letter_Tab) 648 792 163 (white) (tab)\r\n"
              "%VLXMedia: (Letter) sides(2) \r\n"
              "%%+ (Letter_Cover) sides(2)  unpunchable \r\n"
              "%%+ (Letter_Blue) sides(2) \r\n"
              "%%+ (Letter_Insert) sides(2) \r\n"
              "%%+ (Letter_Tab) sides(1)  precollated \r\n"
              "%VLXEngineGRET: off \r\n"
              "%VLXSpool: on \r\n"
              "%VLXReqPunch: 0\r\n"
              "%VLXReqReorderSheets: facedown");
    EXPECT_EQ(result, 0);

    // The list is handed over and used up anew by every build.
    EXPECT_EQ(build(), first);
}

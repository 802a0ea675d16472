// The ticket's page exceptions: taken from the lent page collection (page
// records, then image shifts through the image alignment), or from the
// ticket's own list when the collection holds none; whole tickets with
// inserts and slip sheets.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "JSE_PageCollection.h"
#include "job_ticket_support.h"

namespace {

using namespace job_ticket_test;

JSE_PageExceptionType ownRecord(std::int32_t code, std::int64_t first, std::int64_t last) {
    JSE_PageExceptionType record;
    record.exceptionMode = code;
    record.startingPage = first;
    record.endingPage = last;
    return record;
}

class Handover : public JobTicket {
protected:
    Handover() { ticket.JSE_JobTicket_SetPageObject(&collection); }

    void substitute(long first, long last, const wchar_t* paper) {
        collection.JSE_PageCollection_SetProperty(first, last, 1, paper, kPePaperSubstitution, 1, true);
    }
    // An insert sheet: its record with the paper, then its exit.
    void insert(long page, std::int32_t code, const wchar_t* paper, int exit) {
        collection.JSE_PageCollection_SetProperty(page, page, code, paper, code, exit, true);
        collection.JSE_PageCollection_SetPageType(page, page, code, exit);
    }

    JSE_PageCollection collection;
};

TEST_F(Handover, PageRecordsGiveInsertAndSlipLines) {
    job.printingMode = 2;
    substitute(2, 3, L"Letter_Blue");
    substitute(6, 6, L"Letter_Blue");
    substitute(9, 9, L"Letter_Red");
    insert(5, kPeInsertBefore, L"Letter_Insert", 3);
    insert(7, kPeInsertAfter, L"Letter_Tab", 9);  // not an exit: the job's
    EXPECT_EQ(build(), expectedTicket("inserts_and_slips.txt"));
    EXPECT_EQ(result, 0);

    // Interleaved jobs carry no slip line, but still their inserts.
    job.printingMode = 4;
    const std::string text = build();
    EXPECT_EQ(lineOf(text, "%VLXSlip:"), "<none>");
    EXPECT_EQ(lineOf(text, "%VLXInserts: "), "%VLXInserts: (Letter_Insert) output(stacker)  4");
}

TEST_F(Handover, PageFeaturesReachTheWriter) {
    collection.JSE_PageCollection_SetPageType(3, 4, kPePrintSide, 7);
    collection.JSE_PageCollection_SetPageType(8, 9, kPePrintMode, 3);
    collection.JSE_PageCollection_SetPageType(11, 11, kPeRotation, 3);
    collection.JSE_PageCollection_SetPageType(12, 13, kPePageCopyCount, 4);
    collection.JSE_PageCollection_SetPageType(0, 0, kPePageCopyCount, 5);  // no such page: skipped
    ASSERT_EQ(collection.JSE_PageCollection_GetSize(), 5);
    const std::string text = build();
    EXPECT_EQ(lineOf(text, "%VLXPeSide: "), "%VLXPeSide: forceback 3..4 ");
    EXPECT_EQ(lineOf(text, "%VLXPePlex: "), "%VLXPePlex:  duplex(shortedge) 8  simplex 10 ");
    EXPECT_EQ(lineOf(text, "%VLXPeRotate: "), "%VLXPeRotate:  rotate(180)  11");
    EXPECT_EQ(lineOf(text, "%VLXPePageCopies: "), "%VLXPePageCopies: copies(4) 12 copies(1) 14 ");
}

// Chapter starts of the collection replace the job's chapter list and are
// not finished as sets.
TEST_F(Handover, CollectionChaptersReplaceTheJobsChapters) {
    job.finishChapter = true;
    job.chapterPages = "1 ";
    collection.JSE_PageCollection_SetPageType(4, 6, kPeChapterStart, 1);
    collection.JSE_PageCollection_SetPageType(10, 10, kPeChapterStart, 1);
    collection.JSE_PageCollection_SetPageType(14, 14, kPeChapterStart, 0);
    const std::string text = build();
    EXPECT_EQ(lineOf(text, "%VLXChapters: "), "%VLXChapters: 4..6 10 ");
    EXPECT_EQ(lineOf(text, "%VLXChaptersAreSets: "), "<none>");
}

// Shifts are placed for the printer by orientation, short-edge flip and the
// size of the range's paper (Tabloid is not a small paper); a shift of
// nothing gives no record, and a negative zero is written as 0.00.
TEST_F(Handover, ImageShiftsThroughTheImageAlignment) {
    job.printingMode = 3;
    substitute(3, 4, L"Tabloid");
    collection.JSE_PageCollection_SetImageFeature(3, 4, kPeImageShift, 0, false, 1, 10.0f, -5.0f, 0.0f, 2.5f);
    collection.JSE_PageCollection_SetImageFeature(8, 8, kPeImageShift, 0, false, 1, 0.0f, 0.0f, 0.0f, 0.0f);
    collection.JSE_PageCollection_SetImageFeature(9, 9, kPeImageShift, 0, false, 2, 10.0f, -5.0f, 0.0f, 2.5f);
    const std::string text = build();
    const std::size_t start = text.find("%VLXPeShift: ");
    ASSERT_NE(start, std::string::npos);
    EXPECT_EQ(text.substr(start, text.find("\r\n%VLX", start) - start),
              "%VLXPeShift:  frontX(-5.00) frontY(-10.00) backX(2.50) backY(0.00)  3..4\r\n"
              "%%+  frontX(5.00) frontY(10.00) backX(2.50) backY(0.00)  9");
}

TEST_F(Handover, OwnListOnlyWhenTheCollectionIsEmpty) {
    JSE_PageExceptionType own = ownRecord(kPeInsertAfter, 3, 3);
    own.fromJobPaper = false;
    own.mediaName = L"Letter_Red";
    ticket.JSE_JobTicket_SetPageExceptionItem(own, false);
    EXPECT_EQ(lineOf(build(), "%VLXInserts: "), "%VLXInserts: (Letter_Red) output(top)  3");

    // An image record whose shift gives no writer record still makes the
    // collection the source.
    collection.JSE_PageCollection_SetImageFeature(8, 8, kPeImageShift, 0, false, 1, 0.0f, 0.0f, 0.0f, 0.0f);
    EXPECT_EQ(lineOf(build(), "%VLXInserts: "), "<none>");

    ticket.JSE_JobTicket_SetPageObject(nullptr);
    EXPECT_EQ(lineOf(build(), "%VLXInserts: "), "%VLXInserts: (Letter_Red) output(top)  3");
}

// A record without a finishing subset carries no device settings, also
// when the record before it had some.
TEST_F(Handover, OwnRecordsWithoutSubsetCarryNoDevices) {
    JSE_PageExceptionType subset = ownRecord(kPeFinishingSubset, 2, 4);
    subset.peSubset = true;
    subset.peRecord.peOutputValue = 3;
    ticket.JSE_JobTicket_SetPageExceptionItem(subset, false);
    JSE_PageExceptionType plain = ownRecord(kPeFinishingSubset, 6, 7);
    plain.peRecord.peStaple = 1;
    plain.peRecord.peStapleValue = 2;
    ticket.JSE_JobTicket_SetPageExceptionItem(plain, false);
    const std::string text = build();
    EXPECT_EQ(lineOf(text, "%VLXPeSubset: "), "%VLXPeSubset:  2 5");
    EXPECT_EQ(text.find("staple(front)"), std::string::npos);
}

// Stored records hold "the job's plex" unless they set one: a rotation, an
// insert or a substitution begun inside a stored print-mode range leaves its
// pages to that range, while a range that sets a plex of its own takes its
// pages over however it is nested. The slip sheets follow the plex line.
TEST_F(Handover, StoredRecordsOfTheJobsPlexLeaveTheRangeAroundThemAsItIs) {
    struct Own {
        std::int32_t code;
        std::int64_t first, last;
        std::int32_t plex;  // 255: the job's
        const wchar_t* paper;
    };
    const Own duplex{kPePrintMode, 1, 10, 2, nullptr}, blue{kPePaperSubstitution, 3, 4, 255, L"Letter_Blue"};
    const struct {
        std::vector<Own> records;
        const char* lines;  // the slip and plex lines
    } cases[] = {
        {{duplex, {kPeRotation, 5, 6, 255, nullptr}, {kPeInsertBefore, 8, 8, 255, L"Letter_Red"}},
         "%VLXPePlex:  duplex(longedge) 1  simplex 11 "},
        {{duplex, blue, {kPeRotation, 8, 14, 255, nullptr}},
         "%VLXSlip: (Letter_Blue) duplex 3..4\r\n%VLXPePlex:  duplex(longedge) 1  simplex 11 "},
        {{duplex, {kPePrintMode, 4, 6, 3, nullptr}},
         "%VLXPePlex:  duplex(longedge) 1  duplex(shortedge) 4  duplex(longedge) 7  simplex 11 "},
        {{{kPePaperSubstitution, 1, 5, 255, L"Letter_Blue"}, {kPePrintMode, 2, 3, 2, nullptr}},
         "%VLXSlip: (Letter_Blue) simplex 1\r\n%%+  (Letter_Blue) duplex 2..3\r\n%%+  (Letter_Blue) simplex 4..5\r\n"
         "%VLXPePlex:  simplex 1  duplex(longedge) 2  simplex 4  simplex 6 "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lines);
        ticket.JSE_JobTicket_Clear_PageException();
        for (const Own& own : c.records) {
            JSE_PageExceptionType record = ownRecord(own.code, own.first, own.last);
            record.pePlexValue = own.plex;
            if (own.code == kPeRotation) record.peRotateValue = 2;
            record.fromJobPaper = own.paper == nullptr;
            record.mediaName = own.paper ? own.paper : L"";
            ticket.JSE_JobTicket_SetPageExceptionItem(record, false);
        }
        const std::string text = build();
        const std::size_t from = std::min(text.find("%VLXSlip:"), text.find("%VLXPePlex:"));
        const std::string plex = lineOf(text, "%VLXPePlex: ");
        EXPECT_EQ(text.substr(from, text.find(plex) + plex.size() - from), c.lines);
    }
}

}  // namespace

// Preparation of the writer's page-exception list: paperless substitutions,
// order by first page, merging of continued substitutions and the slip list.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "VLX_Writer.h"

namespace {

vlxPageExeptionType record(std::int32_t code, std::int64_t first, std::int64_t last, const char* paper = "") {
    vlxPageExeptionType r;
    r.exceptionMode = code;
    r.startingPage = first;
    r.endingPage = last;
    r.mediaName = JSE_MacEncoding<true>(WString(paper, paper + std::char_traits<char>::length(paper)));
    r.fromJobPaper = *paper == '\0';
    return r;
}

vlxPageExeptionType plex(std::int64_t first, std::int64_t last, std::int32_t value) {
    vlxPageExeptionType r = record(235, first, last);
    r.pePlex = true;
    r.pePlexValue = value;
    return r;
}

// "first-last code paper" for each record, so a whole list compares at once.
std::vector<std::string> describe(const std::vector<vlxPageExeptionType>& list) {
    std::vector<std::string> out;
    for (const vlxPageExeptionType& r : list)
        out.push_back(std::to_string(r.startingPage) + "-" + std::to_string(r.endingPage) + " " +
                      std::to_string(r.exceptionMode) + (r.mediaName.empty() ? "" : " " + std::string(r.mediaName)));
    return out;
}

std::vector<std::int32_t> plexValues(const std::vector<vlxPageExeptionType>& list) {
    std::vector<std::int32_t> out;
    for (const vlxPageExeptionType& r : list) out.push_back(r.pePlex ? r.pePlexValue : 0);
    return out;
}

using Names = std::vector<std::string>;

class PageExceptionList : public ::testing::Test {
protected:
    // The preparation as the driver runs it before the first line.
    void prepare(const std::vector<vlxPageExeptionType>& records) {
        for (const vlxPageExeptionType& r : records) writer.Add_VLX_Substitution_List(r);
        writer.PreFlightPeList();
        writer.CopyExceptionList();
        writer.zqSort();
        writer.PageException_PreProcess();
        writer.CreateSlipList();
        writer.CombineSlipList();
    }

    Names list() const { return describe(writer.MediaExceptionList()); }
    Names slips() const { return describe(writer.SlipRecords()); }

    VLX_Writer writer;
};

}  // namespace

TEST(PageExceptionRecord, DefaultRecordCarriesNoPlexNorRotation) {
    const vlxPageExeptionType r;
    EXPECT_EQ(r.exceptionMode, 232);
    EXPECT_EQ(r.paperExit, 255);
    EXPECT_TRUE(r.fromJobPaper);
    EXPECT_TRUE(r.pePunch);
    EXPECT_FALSE(r.pePlex);
    EXPECT_FALSE(r.peRotate);
    EXPECT_TRUE(r.peSide);
    EXPECT_EQ(r.pageCopies, 1);
    EXPECT_TRUE(r.peRecord.peJog);
    EXPECT_TRUE(r.peRecord.peOutput);
    EXPECT_FALSE(r.peRecord.peFold || r.peRecord.pePostProcess || r.peRecord.peStaple || r.peRecord.peTrim);
}

TEST_F(PageExceptionList, SubstitutionWithoutPaperIsNeutralisedAndGivesNoSlip) {
    vlxPageExeptionType ownPaperNamedNothing = record(232, 7, 7);
    ownPaperNamedNothing.fromJobPaper = false;
    prepare({record(232, 2, 3), record(232, 5, 5, "Blue"), ownPaperNamedNothing});
    EXPECT_EQ(list(), (Names{"2-3 231", "5-5 232 Blue", "7-7 232"}));
    EXPECT_EQ(slips(), (Names{"5-5 232 Blue", "7-7 232"}));
}

TEST_F(PageExceptionList, RecordsAreOrderedByFirstPage) {
    prepare({record(232, 5, 5, "Blue"), record(235, 2, 2), record(232, 2, 2, "Red")});
    EXPECT_EQ(list(), (Names{"2-2 235", "2-2 232 Red", "5-5 232 Blue"}));

    writer = VLX_Writer();
    prepare({record(301, 9, 9), record(301, 1, 1), record(236, 7, 7), record(302, 3, 3), record(301, 5, 5),
             record(240, 2, 2), record(301, 8, 8), record(237, 3, 3)});
    EXPECT_EQ(list(), (Names{"1-1 301", "2-2 240", "3-3 302", "3-3 237", "5-5 301", "7-7 236", "8-8 301",
                             "9-9 301"}));
}

TEST_F(PageExceptionList, AdjoiningSubstitutionsMergeOnlyWithSamePaperAndSettings) {
    prepare({record(232, 4, 6, "Blue"), record(232, 3, 3, "Blue")});
    EXPECT_EQ(list(), (Names{"3-6 232 Blue"}));
    EXPECT_EQ(slips(), (Names{"3-6 232 Blue"}));

    writer = VLX_Writer();
    prepare({record(232, 3, 3, "Blue"), record(232, 4, 6, "Red")});
    EXPECT_EQ(list(), (Names{"3-3 232 Blue", "4-6 232 Red"}));
    EXPECT_EQ(slips(), (Names{"3-3 232 Blue", "4-6 232 Red"}));

    writer = VLX_Writer();
    vlxPageExeptionType shifted = record(232, 4, 6, "Blue");
    shifted.peShift = true;
    shifted.backY = 0.5F;
    vlxPageExeptionType alsoShifted = record(232, 3, 3, "Blue");
    alsoShifted.peShift = true;
    prepare({alsoShifted, shifted, record(232, 8, 9, "Blue")});
    EXPECT_EQ(list(), (Names{"3-3 232 Blue", "4-6 232 Blue", "8-9 232 Blue"}));
}

TEST_F(PageExceptionList, OtherRecordsStartingAfterASubstitutionStayBehindIt) {
    prepare({record(232, 3, 3, "Blue"), plex(4, 8, 2), record(232, 4, 4, "Blue")});
    EXPECT_EQ(list(), (Names{"3-4 232 Blue", "4-8 235"}));

    // Past a longer record, merging stops at the first one ending beyond it.
    writer = VLX_Writer();
    prepare({record(232, 3, 3, "Blue"), record(301, 4, 5), record(232, 4, 6, "Blue"), record(233, 9, 9)});
    EXPECT_EQ(list(), (Names{"3-3 232 Blue", "4-5 301", "4-6 232 Blue", "9-9 233"}));
}

TEST_F(PageExceptionList, SlipRecordsAreSplitWherePlexChanges) {
    prepare({record(232, 1, 10, "Blue"), plex(3, 5, 2), plex(6, 10, 1)});
    EXPECT_EQ(slips(), (Names{"1-5 232 Blue", "6-10 232 Blue"}));
    EXPECT_EQ(plexValues(writer.SlipRecords()), (std::vector<std::int32_t>{2, 1}));
    EXPECT_EQ(list(), (Names{"1-10 232 Blue", "3-5 235", "6-10 235"}));

    // A substitution with its own plex is split at the first differing run.
    writer = VLX_Writer();
    vlxPageExeptionType simplexBlue = record(232, 1, 99999, "Blue");
    simplexBlue.pePlex = true;
    simplexBlue.pePlexValue = 1;
    prepare({simplexBlue, plex(4, 6, 3), plex(7, 7, 1)});
    EXPECT_EQ(slips(), (Names{"1-3 232 Blue", "4-6 232 Blue", "7-99999 232 Blue"}));
    EXPECT_EQ(plexValues(writer.SlipRecords()), (std::vector<std::int32_t>{1, 3, 1}));
}

TEST_F(PageExceptionList, PlexChangeOnTheSlipsFirstPageOnlyGivesItsPlex) {
    vlxPageExeptionType simplexBlue = record(232, 3, 10, "Blue");
    simplexBlue.pePlex = true;
    simplexBlue.pePlexValue = 1;
    prepare({simplexBlue, plex(3, 8, 2)});
    EXPECT_EQ(slips(), (Names{"3-10 232 Blue"}));
    EXPECT_EQ(plexValues(writer.SlipRecords()), (std::vector<std::int32_t>{2}));

    // After a split the slip starts where the change began; a second change
    // starting there too gives no piece that ends before it begins.
    writer = VLX_Writer();
    simplexBlue.startingPage = 1;
    prepare({simplexBlue, plex(4, 10, 2), plex(4, 6, 3)});
    EXPECT_EQ(slips(), (Names{"1-3 232 Blue", "4-10 232 Blue"}));
    for (const vlxPageExeptionType& slip : writer.SlipRecords()) EXPECT_LE(slip.startingPage, slip.endingPage);
}

TEST_F(PageExceptionList, SlipRecordsOfDifferentPapersAreNeverCombined) {
    // The rotation record keeps the two 'Blue' ranges apart in the list, so
    // they only meet when the slip list is combined, next to the 'Red' page.
    prepare({record(232, 1, 2, "Blue"), record(301, 3, 4), record(232, 3, 5, "Blue"), record(232, 3, 3, "Red")});
    EXPECT_EQ(list(), (Names{"1-2 232 Blue", "3-4 301", "3-5 232 Blue", "3-3 232 Red"}));
    EXPECT_EQ(slips(), (Names{"1-5 232 Blue", "3-3 232 Red"}));
}

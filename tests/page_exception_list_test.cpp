// Preparation of the writer's page-exception list: paperless substitutions,
// order by first page, merging of continued substitutions and the slip list.
#include <gtest/gtest.h>

#include <cstdint>

#include <string>
#include <vector>

#include "VLX_Writer.h"
#include "pe_list_support.h"

namespace {

vlxPageExeptionType record(std::int32_t code, std::int64_t first, std::int64_t last, const wchar_t* paper = L"") {
    return PeOnPaper(code, paper, first, last);
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
    void prepare(std::initializer_list<vlxPageExeptionType> records) { PreparePeList(writer, records); }

    Names list() const { return describe(writer.MediaExceptionList()); }
    Names slips() const { return describe(writer.SlipRecords()); }
    // The plex line of the prepared list, for a simplex job.
    std::string plexLine() {
        DSC_VLX header;
        std::string text;
        writer.SetJobPlex(" simplex ");
        writer.Generate_VLXPePlex(header, text);
        const std::size_t at = text.find("%VLXPePlex:");
        return at == std::string::npos ? text : text.substr(at);
    }

    VLX_Writer writer;
};

}  // namespace

// Records built from the default (image shifts among them) set no plex or
// rotation of their own.
TEST(PageExceptionRecord, DefaultRecordCarriesNoPlexNorRotation) {
    const vlxPageExeptionType r;
    EXPECT_FALSE(r.pePlex || r.peRotate);
    EXPECT_EQ(r.exceptionMode, 232);
}

TEST_F(PageExceptionList, SubstitutionWithoutPaperIsNeutralisedAndGivesNoSlip) {
    vlxPageExeptionType ownPaperNamedNothing = record(232, 7, 7);
    ownPaperNamedNothing.fromJobPaper = false;
    prepare({record(232, 2, 3), record(232, 5, 5, L"Blue"), ownPaperNamedNothing});
    EXPECT_EQ(list(), (Names{"2-3 231", "5-5 232 Blue", "7-7 232"}));
    EXPECT_EQ(slips(), (Names{"5-5 232 Blue", "7-7 232"}));
}

TEST_F(PageExceptionList, RecordsAreOrderedByFirstPage) {
    prepare({record(232, 5, 5, L"Blue"), record(235, 2, 2), record(232, 2, 2, L"Red")});
    EXPECT_EQ(list(), (Names{"2-2 235", "2-2 232 Red", "5-5 232 Blue"}));

    prepare({record(301, 9, 9), record(301, 1, 1), record(236, 7, 7), record(302, 3, 3), record(301, 5, 5),
             record(240, 2, 2), record(301, 8, 8), record(237, 3, 3)});
    EXPECT_EQ(list(), (Names{"1-1 301", "2-2 240", "3-3 302", "3-3 237", "5-5 301", "7-7 236", "8-8 301",
                             "9-9 301"}));
}

TEST_F(PageExceptionList, AdjoiningSubstitutionsMergeOnlyWithSamePaperAndSettings) {
    prepare({record(232, 4, 6, L"Blue"), record(232, 3, 3, L"Blue")});
    EXPECT_EQ(list(), (Names{"3-6 232 Blue"}));
    EXPECT_EQ(slips(), (Names{"3-6 232 Blue"}));

    prepare({record(232, 3, 3, L"Blue"), record(232, 4, 6, L"Red")});
    EXPECT_EQ(list(), (Names{"3-3 232 Blue", "4-6 232 Red"}));
    EXPECT_EQ(slips(), (Names{"3-3 232 Blue", "4-6 232 Red"}));

    vlxPageExeptionType shifted = record(232, 4, 6, L"Blue");
    shifted.peShift = true;
    shifted.backY = 0.5F;
    vlxPageExeptionType alsoShifted = record(232, 3, 3, L"Blue");
    alsoShifted.peShift = true;
    prepare({alsoShifted, shifted, record(232, 8, 9, L"Blue")});
    EXPECT_EQ(list(), (Names{"3-3 232 Blue", "4-6 232 Blue", "8-9 232 Blue"}));
}

TEST_F(PageExceptionList, OtherRecordsStartingAfterASubstitutionStayBehindIt) {
    prepare({record(232, 3, 3, L"Blue"), PePlexRun(4, 8, 2), record(232, 4, 4, L"Blue")});
    EXPECT_EQ(list(), (Names{"3-4 232 Blue", "4-8 235"}));

    // Past a longer record, merging stops at the first one ending beyond it.
    prepare({record(232, 3, 3, L"Blue"), record(301, 4, 5), record(232, 4, 6, L"Blue"), record(233, 9, 9)});
    EXPECT_EQ(list(), (Names{"3-3 232 Blue", "4-5 301", "4-6 232 Blue", "9-9 233"}));
}

TEST_F(PageExceptionList, SlipRecordsAreSplitWherePlexChanges) {
    // The pages before the first plex run keep the job's plex.
    prepare({record(232, 1, 10, L"Blue"), PePlexRun(3, 5, 2), PePlexRun(6, 10, 1)});
    EXPECT_EQ(slips(), (Names{"1-2 232 Blue", "3-5 232 Blue", "6-10 232 Blue"}));
    EXPECT_EQ(plexValues(writer.SlipRecords()), (std::vector<std::int32_t>{0, 2, 1}));
    EXPECT_EQ(list(), (Names{"1-10 232 Blue", "3-5 235", "6-10 235"}));

    // The plex of a range inside the substitution ends with the range.
    prepare({record(232, 1, 10, L"Blue"), PePlexRun(3, 5, 2)});
    EXPECT_EQ(slips(), (Names{"1-2 232 Blue", "3-5 232 Blue", "6-10 232 Blue"}));
    EXPECT_EQ(plexValues(writer.SlipRecords()), (std::vector<std::int32_t>{0, 2, 0}));

    // A plex range before the substitution in the list gives its plex to
    // the substitution's pages it holds, and only to those.
    const struct {
        std::initializer_list<vlxPageExeptionType> records;
        Names slips;
        std::vector<std::int32_t> plex;
    } cases[] = {
        {{PePlexRun(5, 10, 2), record(232, 6, 8, L"Blue")}, {"6-8 232 Blue"}, {2}},
        {{PePlexRun(5, 10, 2), record(232, 8, 12, L"Blue")}, {"8-10 232 Blue", "11-12 232 Blue"}, {2, 0}},
        {{PePlexRun(5, 10, 1), record(232, 5, 10, L"Blue")}, {"5-10 232 Blue"}, {1}},
        {{PePlexRun(5, 10, 2), record(232, 5, 6, L"Blue"), record(232, 7, 8, L"Red"), record(232, 9, 10, L"Blue")},
         {"5-6 232 Blue", "7-8 232 Red", "9-10 232 Blue"},
         {2, 2, 2}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.slips));
        prepare(c.records);
        EXPECT_EQ(slips(), c.slips);
        EXPECT_EQ(plexValues(writer.SlipRecords()), c.plex);
    }
}

// A stored record may hold any page number: a substitution over an enormous
// range is split as any other, without stepping through its pages.
TEST_F(PageExceptionList, SlipsOfHugeRangesAreBuiltWithoutVisitingEveryPage) {
    const std::int64_t huge = 1000000000000000;
    prepare({record(232, 1, huge, L"Blue"), PePlexRun(3, 5, 2), PePlexRun(6, 10, 1)});
    EXPECT_EQ(slips(), (Names{"1-2 232 Blue", "3-5 232 Blue", "6-10 232 Blue", "11-1000000000000000 232 Blue"}));
    EXPECT_EQ(plexValues(writer.SlipRecords()), (std::vector<std::int32_t>{0, 2, 1, 0}));

    prepare({record(232, 1, INT64_MAX, L"Blue"), PePlexRun(3, 5, 2), PePlexRun(INT64_MAX, INT64_MAX, 3)});
    EXPECT_EQ(slips(), (Names{"1-2 232 Blue", "3-5 232 Blue", "6-9223372036854775806 232 Blue",
                              "9223372036854775807-9223372036854775807 232 Blue"}));
    EXPECT_EQ(plexValues(writer.SlipRecords()), (std::vector<std::int32_t>{0, 2, 0, 3}));

    // Substitutions continue one another past the 32-bit page numbers, and
    // nothing continues the last page there is.
    prepare({record(232, 5, INT32_MAX, L"Blue"), record(232, 2147483648, 2147483650, L"Blue")});
    EXPECT_EQ(list(), (Names{"5-2147483650 232 Blue"}));
    prepare({record(232, 9, INT64_MAX, L"Blue"), record(232, INT64_MAX, INT64_MAX, L"Blue")});
    EXPECT_EQ(list(), (Names{"9-9223372036854775807 232 Blue", "9223372036854775807-9223372036854775807 232 Blue"}));
}

// A plex run inside a substitution with a plex of its own takes its pages
// over, in the plex line and on the slip sheets; the substitution's plex
// holds again after it.
TEST_F(PageExceptionList, PlexRunsInsideASubstitutionWithItsOwnPlexTakeTheirPagesOver) {
    vlxPageExeptionType simplexBlue = record(232, 1, 99999, L"Blue");
    simplexBlue.pePlex = true;
    simplexBlue.pePlexValue = 1;
    prepare({simplexBlue, PePlexRun(4, 6, 3), PePlexRun(7, 7, 1)});
    EXPECT_EQ(plexLine(), "%VLXPePlex:  simplex 1  duplex(shortedge) 4  simplex 7  simplex 100000 ");
    EXPECT_EQ(slips(), (Names{"1-3 232 Blue", "4-6 232 Blue", "7-99999 232 Blue"}));
    EXPECT_EQ(plexValues(writer.SlipRecords()), (std::vector<std::int32_t>{1, 3, 1}));

    simplexBlue.startingPage = 3;
    simplexBlue.endingPage = 10;
    prepare({simplexBlue, PePlexRun(3, 8, 2)});
    EXPECT_EQ(plexLine(), "%VLXPePlex:  duplex(longedge) 3  simplex 9  simplex 11 ");
    EXPECT_EQ(slips(), (Names{"3-8 232 Blue", "9-10 232 Blue"}));
    EXPECT_EQ(plexValues(writer.SlipRecords()), (std::vector<std::int32_t>{2, 1}));
}

TEST_F(PageExceptionList, SlipRecordsOfDifferentPapersAreNeverCombined) {
    // The rotation record keeps the two 'Blue' ranges apart in the list, so
    // they only meet when the slip list is combined, next to the 'Red' page.
    prepare({record(232, 1, 2, L"Blue"), record(301, 3, 4), record(232, 3, 5, L"Blue"), record(232, 3, 3, L"Red")});
    EXPECT_EQ(list(), (Names{"1-2 232 Blue", "3-4 301", "3-5 232 Blue", "3-3 232 Red"}));
    EXPECT_EQ(slips(), (Names{"1-5 232 Blue", "3-3 232 Red"}));
}

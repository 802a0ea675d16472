// Whole-job validation and preflight through the service, on the shipped
// catalog and rules: what is refused, where it is recorded, what is kept
// once, and what happens when the check cannot start.
#include <gtest/gtest.h>

#include <utility>

#include "service_support.h"
#include "validation_support.h"

namespace {

using namespace service_test;
using validation_test::Pe;
using Records = std::vector<std::pair<long, long>>;  // (message, location)

class WholeJob : public ::testing::Test {
protected:
    WholeJob() {
        service.JSE_Initialize(L"English", WString(), data.catalog(), WString(), false);
        service.JSE_Preference_GetJobFeature(job);
    }

    Records errors() const {
        Records records;
        for (long i = 0; i < service.JSE_JobTicket_Validation_GetNumberOfErrors(); ++i)
            records.emplace_back(service.JSE_JobTicket_Validation_GetErrorID(i),
                                 service.JSE_JobTicket_Validation_GetErrorLocation(i));
        return records;
    }

    DataFolder data;
    TestService service;
    JSE_JobFeatureType job;
};

TEST_F(WholeJob, EachRefusedFeatureIsRecordedOncePerMessageOnAValidatorOfItsOwn) {
    struct Case {
        const char* name;
        void (*change)(JSE_JobFeatureType&);
        Records expected;
    };
    const Case cases[] = {
        {"factory defaults", [](JSE_JobFeatureType&) {}, {}},
        {"two covers of another size",
         [](JSE_JobFeatureType& j) {
             j.frontCoverMode = j.backCoverMode = 2;
             j.frontCoverPaper = L"A4_Cover";
             j.backCoverPaper = L"Tabloid_Cover";
         },
         {{16310, -1}, {16311, -1}}},
        // Interleaves are checked in both interleave modes; their size is
        // refused at the print mode and again at the body paper, kept once.
        {"blank interleaves of another size",
         [](JSE_JobFeatureType& j) {
             j.printingMode = 4;
             j.interleavePaper = L"A4";
         },
         {{16314, -1}}},
        // Any punch pattern is punching, which needs a punchable paper.
        {"punch pattern 37 on paper that cannot be punched",
         [](JSE_JobFeatureType& j) {
             j.punchJob = 37;
             j.bodyPaper = L"Tabloid";
         },
         {{16305, -1}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        JSE_JobFeatureType changed = job;
        c.change(changed);
        EXPECT_EQ(service.JSE_JobTicketValidation(changed, {}), c.expected.empty());
        EXPECT_EQ(errors(), c.expected);
        JSE_JobTicket ticket(L"English", L"Letter", 1);
        ticket.JSE_JobTicket_SetJobFeature(changed);
        EXPECT_EQ(service.JSE_JobTicket_Validation(&ticket, nullptr), c.expected.empty());
        EXPECT_EQ(errors(), c.expected) << "from a ticket";
    }
    // The checks ran on validators of their own.
    EXPECT_EQ(service.Validation()->JSE_Validation_GetControlValue(eJSE_FrontCoverSelection), 1);
}

// Two sided printing on a one-sided paper is refused (16004), and trimming
// without the booklet maker (16024), each at the first page of its group.
TEST_F(WholeJob, PageExceptionGroupsAreRecordedAtTheirFirstPage) {
    struct Case {
        const char* name;
        std::vector<JSE_PageExceptionType> list;
        Records expected;
    };
    const Case cases[] = {
        // Taken out again, the first group leaves the second to be judged alone.
        {"both groups refused",
         {Pe(kPePaperSubstitution, 1, 3).On(L"Letter_Transparency").Plex(2), Pe(kPeRotation, 1, 3),
          Pe(kPeFinishingSubset, 5, 6).Subset(kPeNotSet).Trim(10)},
         {{16004, 1}, {16024, 5}}},
        {"a last group sharing its last page",
         {Pe(kPePaperSubstitution, 1, 2).On(L"Letter_Heavy"),
          Pe(kPePaperSubstitution, 5, 6).On(L"Letter_Transparency").Plex(2), Pe(kPeRotation, 4, 6)},
         {{16004, 5}}},
        {"no refusal",
         {Pe(kPePaperSubstitution, 1, 3).On(L"Letter_Heavy"),
          Pe(kPePaperSubstitution, 5, 6).On(L"Letter_Transparency")},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(service.JSE_JobTicketValidation(job, c.list), c.expected.empty());
        EXPECT_EQ(errors(), c.expected);
    }
}

TEST_F(WholeJob, JobAndPageExceptionRefusalsAreListedTogether) {
    job.frontCoverMode = job.backCoverMode = 2;
    job.frontCoverPaper = L"A4_Cover";
    job.backCoverPaper = L"Tabloid_Cover";
    JSE_JobTicket ticket(L"English", L"Letter", 1);
    ticket.JSE_JobTicket_SetJobFeature(job);
    for (const Pe& item : {Pe(kPePaperSubstitution, 1, 3).On(L"Letter_Heavy"), Pe(kPeRotation, 1, 3),
                           Pe(kPePaperSubstitution, 5, 6).On(L"Letter_Transparency").Plex(2)})
        ticket.JSE_JobTicket_SetPageExceptionItem(item, false);
    EXPECT_FALSE(service.JSE_JobTicket_Validation(&ticket, nullptr));
    EXPECT_EQ(errors(), Records({{16310, -1}, {16311, -1}, {16004, 5}}));
}

TEST_F(WholeJob, CheckThatCannotStartIsRecordedAtLocationMinusTwo) {
    EXPECT_FALSE(service.JSE_JobTicket_Validation(nullptr, nullptr));
    EXPECT_EQ(errors(), Records({{kServiceNoJobTicket, -2}}));
    JSE_Service empty;
    EXPECT_FALSE(empty.JSE_JobTicket_Validation(job, {}, nullptr));
    EXPECT_EQ(empty.JSE_JobTicket_Validation_GetErrorID(0), kServiceNoMedia);
    EXPECT_EQ(empty.JSE_JobTicket_Validation_GetErrorLocation(0), -2);
    // The service's validator lost its rule file: nothing can be judged.
    service.Validation()->JSE_Validation_Set_DataFilePath(data.file("absent.dat"));
    EXPECT_FALSE(service.JSE_JobTicketValidation(job, {}));
    EXPECT_EQ(errors(), Records({{kServiceNoValidation, -2}}));
    // Out of range, the accessors give nothing.
    WString solution = L"x";
    service.JSE_JobTicket_Validation_GetSolution(1, solution);
    EXPECT_EQ(solution, L"");
    for (long i : {-1L, 1L})
        EXPECT_EQ(std::vector<long>({service.JSE_JobTicket_Validation_GetErrorID(i),
                                     service.JSE_JobTicket_Validation_GetErrorLocation(i),
                                     service.JSE_JobTicket_Validation_GetSolutionID(i)}),
                  std::vector<long>(3, 0));
}

// The rules come from where the service read its own, not from beside
// whichever catalog the check runs on.
TEST(WholeJobRules, ScratchValidatorReadsTheServicesRuleFile) {
    DataFolder rules;
    DataFolder catalogOnly(false);
    JSE_Service service(L"English", WString(), catalogOnly.catalog(),
                        service_test::Wide(rules.file("PaperCatalog.cat.dat")), false);
    ASSERT_TRUE(service.JSE_Validation_RulesLoaded());
    JSE_JobFeatureType job;
    service.JSE_Preference_GetJobFeature(job);
    job.frontCoverMode = 2;
    job.frontCoverPaper = L"A4_Cover";
    EXPECT_FALSE(service.JSE_JobTicketValidation(job, {}));
    EXPECT_EQ(service.JSE_JobTicket_Validation_GetErrorID(0), 16310);
}

TEST_F(WholeJob, PreflightReturnsTheFirstRefusalInCheckingOrder) {
    job.bodyPaper = L"Tabloid";
    job.frontCoverMode = job.backCoverMode = 2;
    job.frontCoverPaper = L"A4_Cover";
    job.backCoverPaper = L"Letter_Cover";
    job.punchJob = 37;
    const struct {
        const char* step;
        std::int32_t JSE_JobFeatureType::*mode;
        long refusal;
    } steps[] = {{"front cover", nullptr, 16310},
                 {"back cover", &JSE_JobFeatureType::frontCoverMode, 16311},
                 {"punching, any pattern", &JSE_JobFeatureType::backCoverMode, 16305}};
    for (const auto& s : steps) {
        SCOPED_TRACE(s.step);
        if (s.mode) job.*s.mode = 1;  // the cover before is taken off
        EXPECT_EQ(service.JSE_PreFlightTicket(job), s.refusal);
        JSE_JobFeatureType handed;
        service.JobTicket()->JSE_JobTicket_GetJobFeature(handed);
        EXPECT_EQ(handed.frontCoverMode, job.frontCoverMode);
    }
    JSE_Service empty;
    EXPECT_EQ(empty.JSE_PreFlightTicket(job), kServiceNoValidation);
}

}  // namespace

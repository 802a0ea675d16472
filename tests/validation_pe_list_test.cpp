// The validator's page-exception list over the shipped catalog and rules:
// where records go, adding and removing pages, the selection, the papers
// page exceptions use, and applying a control's value or a paper to the
// selected pages.
#include <gtest/gtest.h>

#include <climits>

#include "validation_support.h"

namespace {

using namespace validation_test;

// The records' pages in list order.
std::vector<std::pair<long, long>> Pages(const Validator& v) {
    std::vector<std::pair<long, long>> pages;
    for (const JSE_PageExceptionType& r : v.List()) pages.emplace_back(r.startingPage, r.endingPage);
    return pages;
}

std::vector<std::pair<int, int>> Uses(const Validator& v) {
    std::vector<std::pair<int, int>> uses;
    for (const auto& paper : v.Papers()) uses.emplace_back(paper.paper, paper.count);
    return uses;
}

TEST(PeList, RecordsGoBeforeTheRecordHoldingThemOrByFirstPage) {
    const struct {
        const char* name;
        std::vector<std::pair<long, long>> loaded, expected;
    } cases[] = {
        {"held and later pages", {{5, 5}, {1, 10}, {3, 4}}, {{3, 4}, {1, 10}, {5, 5}}},
        {"first pages in any order", {{9, 9}, {1, 1}, {5, 6}}, {{1, 1}, {5, 6}, {9, 9}}},
        {"the 64-bit ends", {{LONG_MAX, LONG_MAX}, {LONG_MIN, 0}, {1, LONG_MAX}},
         {{LONG_MIN, 0}, {1, LONG_MAX}, {LONG_MAX, LONG_MAX}}},
        {"a range ending before it starts", {{3, 3}, {9, 2}, {5, 5}}, {{5, 5}, {9, 2}, {3, 3}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PeSetUp s;
        for (const auto& [first, last] : c.loaded) s.Load({Pe(232, first, last)});
        EXPECT_EQ(Pages(s.v), c.expected);
    }
    PeSetUp s;
    s.Load({Pe(232, 2, 4).On(L"A4"), Pe(232, 2, 4).On(L"Legal")});
    EXPECT_EQ(s.v.List().front().mediaName, L"Legal");  // an equal record goes ahead
}

TEST(PeList, AddingAPageSelectsItAloneAndChecksItsPaper) {
    PeSetUp s;
    s.Load({Pe(233, 3, 3)});
    s.v.JSE_Validation_Select_Page(3, 233);
    EXPECT_EQ(s.v.JSE_Validation_Add_PePage(7, -1, 232), 0);
    ASSERT_EQ(Pages(s.v), (std::vector<std::pair<long, long>>{{3, 3}, {7, 7}}));
    const JSE_PageExceptionType& added = s.v.List().back();
    EXPECT_TRUE(added.exceptionMode == 232 && added.fromJobPaper && added.mediaName.empty() && !added.peSubset);
    ASSERT_EQ(s.v.Selection().size(), 1u);
    EXPECT_EQ(s.v.Selection().front().page, 7);
    EXPECT_EQ(s.v.JSE_Validation_Add_PePage(8, s.catalog[L"Blank_Stock"], 232), 16125);  // kept all the same
    EXPECT_EQ(s.v.JSE_Validation_Add_PePage(LONG_MAX, -1, 232), 0);
    EXPECT_EQ(s.v.Selection().front().page, LONG_MAX);
    EXPECT_EQ(s.v.JSE_Validation_Get_NumberOf_PeRecord(), 4);
}

TEST(PeList, ASelectedPageNeedsARecordOfItsCodeAndIsHeldOncePerCode) {
    PeSetUp s;
    s.Load({Pe(232, 1, 5), Pe(233, 3, 3), Pe(232, 9, 2)});
    const struct {
        int page, code;
        long result;
    } steps[] = {{3, 232, 0}, {3, 232, 0}, {3, 233, 0}, {6, 232, -11}, {4, 233, -11}, {9, 232, -11}};
    for (const auto& step : steps)
        EXPECT_EQ(s.v.JSE_Validation_Select_Page(step.page, step.code), step.result) << step.page << " " << step.code;
    EXPECT_EQ(s.v.Selection().size(), 2u);
    EXPECT_EQ(s.v.FindPage(1, 3, 0, 0), 0);
    EXPECT_EQ(s.v.JSE_Validation_SetMedia_For_Selected_Pages(L"A4"), 0);
    EXPECT_EQ(s.v.List()[1].mediaName, L"A4");  // 3..3, the first record of any code covering page 3
    EXPECT_EQ(s.v.List()[2].mediaName, L"");
    s.v.JSE_Validation_Clear_Selected_Page();
    EXPECT_EQ(s.v.JSE_Validation_SetMedia_For_Selected_Pages(L"A4"), kValidationNoSelection);
}

TEST(PeList, UsesOfAPaperAreCountedAndNeverGoBelowOne) {
    PeSetUp s;
    const int a4 = s.catalog[L"A4"], legal = s.catalog[L"Legal"], letter = s.catalog[L"Letter"];
    s.v.AddItemToPaperSubstitutionList(a4);
    s.v.AddItemToPaperSubstitutionList(legal);
    s.v.AddItemToPaperSubstitutionList(a4);
    s.v.JSE_Validation_Remove_Exception_Media(a4);
    EXPECT_EQ(Uses(s.v), (std::vector<std::pair<int, int>>{{a4, 1}, {legal, 1}}));
    s.v.JSE_Validation_Remove_Exception_Media(a4);
    s.v.JSE_Validation_Remove_Exception_Media(a4);
    s.v.JSE_Validation_Remove_Exception_Media(-1);  // the body paper, which has no entry
    EXPECT_EQ(Uses(s.v), (std::vector<std::pair<int, int>>{{legal, 1}}));
    s.v.AddItemToPaperSubstitutionList(-1);
    s.v.JSE_Validation_Remove_Exception_Media(letter);
    EXPECT_EQ(Uses(s.v), (std::vector<std::pair<int, int>>{{legal, 1}}));
    s.Load({Pe(232, 1, 1)});
    s.v.JSE_Validation_Select_Page(1, 232);
    EXPECT_EQ(s.v.JSE_Validation_Add_Exception_Media(s.catalog[L"Blank_Stock"], true), 16125);
    EXPECT_EQ(s.v.JSE_Validation_Add_Exception_Media(a4, true), 0);
    EXPECT_EQ(s.v.JSE_Validation_Add_Exception_Media(a4, false), 0);
    EXPECT_EQ(Uses(s.v), (std::vector<std::pair<int, int>>{{legal, 1}, {a4, 1}}));
}

// A record on the job's paper takes no use off the body paper, which another
// record may still print on.
TEST(PeList, RemovingPagesTakesOffTheUsesOfTheirPapers) {
    PeSetUp s;
    const int a4 = s.catalog[L"A4"], legal = s.catalog[L"Legal"], letter = s.catalog[L"Letter"];
    s.Load({Pe(232, 2, 2).On(L"A4"), Pe(232, 4, 9).On(L"Legal"), Pe(233, 3, 3), Pe(232, 6, 6),
            Pe(232, 7, 7).On(L"Letter"), Pe(232, 12, 11).On(L"A4"), Pe(232, 12, 12)});
    for (const int paper : {a4, a4, legal, letter}) s.v.AddItemToPaperSubstitutionList(paper);
    EXPECT_EQ(s.v.JSE_Validation_Remove_PePage(6, 232), 0);
    EXPECT_EQ(s.v.JSE_Validation_Remove_PePage(6, 232), -1);
    EXPECT_EQ(Uses(s.v), (std::vector<std::pair<int, int>>{{a4, 2}, {legal, 1}, {letter, 1}}));
    EXPECT_EQ(s.v.JSE_Validation_Remove_PePageRange(1, 5, 232), 0);
    EXPECT_EQ(Pages(s.v), (std::vector<std::pair<long, long>>{{3, 3}, {7, 7}, {12, 11}, {12, 12}}));
    EXPECT_EQ(s.v.JSE_Validation_Remove_PePageRange(12, INT_MAX, 232), 0);
    EXPECT_EQ(Pages(s.v), (std::vector<std::pair<long, long>>{{3, 3}, {7, 7}, {12, 12}}));
    EXPECT_EQ(Uses(s.v), (std::vector<std::pair<int, int>>{{letter, 1}}));
    EXPECT_EQ(s.v.JSE_Validation_Remove_PePageRange(INT_MAX, INT_MIN, 233), 0);
    EXPECT_EQ(s.v.JSE_Validation_Get_NumberOf_PeRecord(), 3);
}

TEST(PeList, LookUpsOutsideTheListFindNothing) {
    PeSetUp s;
    s.Load({Pe(233, 2, 4), Pe(232, 2, 4).On(L"A4")});
    JSE_PageExceptionType out = Pe(300, 8, 8);
    for (const long index : {-1L, 2L, LONG_MAX}) {
        EXPECT_EQ(s.v.JSE_Validation_GetPageExceptionItem(index, out), kValidationBadIndex);
        EXPECT_EQ(s.v.JSE_Validation_GetError(), kValidationBadIndex);
    }
    EXPECT_EQ(out.exceptionMode, 300);
    EXPECT_EQ(s.v.JSE_Validation_Get_ExceptionRecord(2, 4, out, 234), kValidationNoRecord);
    EXPECT_EQ(s.v.JSE_Validation_Get_ExceptionRecord(2, 4, out, 233) + out.exceptionMode, 233);
    EXPECT_EQ(s.v.JSE_Validation_Get_ExceptionRecord(2, 4, out, -1) + out.exceptionMode, 232);
    EXPECT_EQ(s.v.JSE_Validation_GetPageExceptionItem(1, out) + s.v.JSE_Validation_GetError(), 0);
    EXPECT_EQ(s.v.FindPage(5, 5, 1, -1), -1);
    EXPECT_EQ(s.v.FindPage(3, 3, 2, -1), -1);
    s.v.CopyExceptionList();
    s.v.JSE_Validation_Remove_All_PageList();
    EXPECT_EQ(s.v.FindPage(3, 3, 2, -1), 0);
    s.v.RestoreExceptionList();
    EXPECT_EQ(s.v.JSE_Validation_Get_NumberOf_PeRecord(), 2);
}

struct CommandCase {
    int control, value;
    JSE_PageExceptionType record;
    long expected;
    bool (*written)(const JSE_PageExceptionType&);
};

TEST(PeSelectionChecks, TheCurrentControlsValueIsCheckedThenWrittenIntoTheRecords) {
    const JSE_PageExceptionType onLetter = Pe(232, 3, 3), subset = Pe(238, 3, 3).Subset(255);
    const CommandCase cases[] = {
        {46, 1, onLetter, 0, [](const JSE_PageExceptionType& r) { return r.peSide && r.peSideValue == 1; }},
        {47, 2, onLetter, 0, [](const JSE_PageExceptionType& r) { return r.pePlex && r.pePlexValue == 2; }},
        {47, 2, Pe(232, 3, 3).On(L"Letter_Transparency"), 16004,
         [](const JSE_PageExceptionType& r) { return r.pePlexValue == 255; }},
        {48, 3, subset, 0,
         [](const JSE_PageExceptionType& r) { return r.peRecord.peOutputValue == 3 && r.paperExit == 255; }},
        {48, 3, onLetter, 0, [](const JSE_PageExceptionType& r) { return r.paperExit == 3; }},
        {48, 4, Pe(232, 3, 3).Plex(1), 16114, [](const JSE_PageExceptionType& r) { return r.paperExit == 255; }},
        {49, 2, onLetter, 0, [](const JSE_PageExceptionType& r) { return !r.peRecord.peStaple; }},
        {50, 11, subset, 0,
         [](const JSE_PageExceptionType& r) { return r.peRecord.peTrim && r.peRecord.peTrimValue == 11; }},
        {51, 6, subset, 0, [](const JSE_PageExceptionType& r) { return r.peRecord.peJogValue == 6; }},
        {52, 0, onLetter, 0, [](const JSE_PageExceptionType& r) { return !r.pePunch; }},
        {53, 4, onLetter, 0, [](const JSE_PageExceptionType& r) { return r.reserved == 4; }},
    };
    for (const CommandCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "control " << c.control << " value " << c.value);
        PeSetUp s;
        s.Load({c.record});
        ASSERT_EQ(s.v.JSE_Validation_Select_Page(3, c.record.exceptionMode), 0);
        s.v.JSE_Validation_Select_PeCommand(c.control, c.value);
        int ignored = 0;
        EXPECT_EQ(s.v.JSE_Validation_On_Selected_PageOn_Command(ignored, false, true), c.expected);
        EXPECT_TRUE(c.written(s.v.List().front()));
    }
}

TEST(PeSelectionChecks, ThePageExceptionPaperIsCheckedThenGivenToTheRecords) {
    PeSetUp s;
    s.Load({Pe(232, 3, 3), Pe(300, 5, 5)});
    s.v.JSE_Validation_Select_Page(3, 232);
    s.v.JSE_Validation_Select_Page(5, 300);
    s.v.JSE_Validation_Select_PeMedia(s.catalog[L"A4"]);
    EXPECT_EQ(s.v.PePaper(), L"A4");
    EXPECT_EQ(s.v.JSE_Validation_On_Selected_PageOn_Media(true, true, 0), 0);
    for (const JSE_PageExceptionType& r : s.v.List()) EXPECT_TRUE(!r.fromJobPaper && r.mediaName == L"A4");
    s.v.JSE_Validation_Select_PeMedia(s.catalog[L"Blank_Stock"]);
    EXPECT_EQ(s.v.JSE_Validation_On_Selected_PageOn_Media(true, true, 0), 16125);
    EXPECT_EQ(s.v.List().front().mediaName, L"A4");
    EXPECT_EQ(s.v.PePaper(), L"A4");  // back to the paper tried before
    s.v.JSE_Validation_Select_PeMedia(-5);
    EXPECT_EQ(s.v.PePaper(), L"Letter");  // the store's body paper
    Validator alone(&s.catalog);
    alone.JSE_Validation_Select_PeMedia(-5);
    EXPECT_EQ(alone.JSE_Validation_GetError(), kValidationNoPreference);
    EXPECT_EQ(alone.JSE_Validation_OnPePageRange(1, 1, {L"", 0}, 232, 0, 0, false), kValidationNoPreference);
    EXPECT_EQ(alone.JSE_Validation_OnPePageRange(1, 1, {L"Blank_Stock", 0}, 232, 0, 0, false), 0);
}

}  // namespace

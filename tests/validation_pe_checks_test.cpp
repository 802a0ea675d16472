// The page-exception feature checks over the shipped catalog and rules: what
// each feature code refuses on pages shaped by the list and the job, which
// record claims which pages, one job's page exceptions walked through, the
// whole-list check and the job-feature rules that ask for it.
#include <gtest/gtest.h>

#include <climits>
#include <fstream>
#include <random>
#include <set>
#include <sstream>

#include "validation_support.h"

namespace {

using namespace validation_test;
using List = std::vector<JSE_PageExceptionType>;

struct FeatureCase {
    const char* name;
    Job job;
    List list;
    long start, end;
    int code;
    const wchar_t* paper;
    int value;
    long expected;
    int index = 1;  // the paper's selection index; 0 asks for a printable paper
};

TEST(PeFeatureChecks, EachCodeRefusesWhatItsPagesCannotTake) {
    const Pe subsetToStapler = Pe(238, 1, 10).Subset(2), a4 = Pe(232, 3, 5).On(L"A4");
    const FeatureCase cases[] = {
        {"interleaving answers every feature", {.mode = 4}, {}, 1, 1, 300, L"Letter", 0, 16142},
        {"interleaving answers before the booklet maker", {.mode = 5}, {Pe(235, 1, 10).Plex(1)}, 1, 10, 224, L"", 4,
         16142},
        {"paper of mode 0 selected with index 0", {}, {}, 1, 1, 232, L"Blank_Stock", 0, 16125, 0},
        {"paper missing from the catalog, index 0", {}, {}, 1, 1, 232, L"Unknown", 0, 16125, 0},
        {"paper of mode 0 with another index", {}, {}, 1, 1, 232, L"Blank_Stock", 0, 0},
        {"stapler too small for the paper", {}, {subsetToStapler}, 1, 10, 232, L"Tabloid", 0, 16011},
        {"subsets sending the pages to two devices", {}, {Pe(238, 1, 5).Subset(2), Pe(238, 6, 10).Subset(3)}, 1, 10,
         232, L"Letter_Blue", 0, 0},
        {"one of two subsets' devices too small for the paper", {},
         {Pe(238, 1, 5).Subset(2), Pe(238, 6, 10).Subset(3)}, 1, 10, 232, L"Tabloid", 0, 16011},
        {"a subset's page on another paper than its substituted pages", {}, {subsetToStapler, a4}, 6, 6, 232,
         L"Letter", 0, 16000},
        {"a substitution takes its pages off the paper they had", {}, {subsetToStapler, Pe(232, 1, 10).On(L"A4")}, 1,
         12, 232, L"Letter", 0, 0},
        {"booklet maker on papers of two heights", {}, {a4}, 1, 10, 224, L"", 4, 16118},
        {"booklet maker on one height in two units", {.mode = 2}, {Pe(232, 3, 5).On(L"Letter_mm")}, 1, 10, 224, L"", 4,
         0},
        {"booklet maker on simplex pages", {.mode = 2}, {Pe(235, 1, 10).Plex(1)}, 1, 10, 224, L"", 4, 16114},
        {"booklet maker for a one-sided insert", {}, {}, 7, 7, 234, L"Letter_Transparency", 4, 16114},
        {"insert on the booklet maker's paper", {}, {}, 7, 7, 234, L"Letter_Insert", 4, 0},
        {"stapler on papers of two feed lengths", {}, {a4}, 1, 10, 224, L"", 2, 16000},
        {"feed lengths before a paper too large", {}, {Pe(232, 3, 5).On(L"Tabloid")}, 1, 10, 224, L"", 2, 16000},
        {"sixth device beyond its feed limits", {}, {Pe(232, 1, 10).On(L"Legal")}, 1, 10, 224, L"", 6, 16141},
        {"job trimming off the booklet maker", {.trim = 10}, {}, 0, 0, 224, L"", 1, 16024},
        {"job offset stacking on the booklet maker", {.mode = 2, .stack = 7}, {}, 0, 0, 224, L"", 4, 16023},
        {"subset trim to the stapler", {}, {subsetToStapler}, 1, 10, 239, L"", 10, 16025},
        {"subset trim off", {}, {subsetToStapler}, 1, 10, 239, L"", 11, 0},
        {"subset jog to the booklet maker", {}, {Pe(238, 1, 10).Subset(4)}, 1, 10, 240, L"", 7, 16022},
        {"back side in a simplex job", {}, {}, 3, 3, 236, L"", 2, 16004},
        {"back side in a pamphlet", {.mode = 6}, {}, 3, 3, 236, L"", 2, 16009},
        {"front side in a pamphlet", {.mode = 6}, {}, 3, 3, 236, L"", 1, 16009},
        {"back side of one-sided duplex paper", {.body = L"Letter_Transparency", .mode = 2}, {}, 3, 3, 236, L"", 2,
         16009},
        {"back side in a duplex job", {.mode = 2}, {}, 3, 3, 236, L"", 2, 0},
        {"a record setting no side hides no back side", {.mode = 2}, {Pe(232, 4, 6).On(L"A4"), Pe(236, 4, 4).Side(2)},
         3, 5, 235, L"", 1, 16004},
        {"back side without the job's paper", {.body = L""}, {}, 3, 3, 236, L"", 2, 0},
        {"duplex plex on one-sided paper", {}, {Pe(232, 3, 5).On(L"Letter_Transparency")}, 3, 5, 235, L"", 2, 16004},
        {"interleave plex on another size", {}, {a4}, 3, 5, 235, L"", 4, 16009},
        {"pamphlet plex on another size", {}, {a4}, 3, 5, 235, L"", 6, 16017},
        {"simplex on one-sided paper while control 54 holds 2", {.control54 = 2},
         {Pe(232, 3, 5).On(L"Letter_Transparency")}, 3, 5, 235, L"", 1, 16006},
        {"punch on paper that cannot be punched", {.punch = 1}, {}, 9, 9, 237, L"Letter_Cover", 1, 16134},
        {"punch while the job does not punch", {}, {}, 9, 9, 237, L"Letter_Cover", 1, 0},
        {"punch beyond the punch's feed limits", {.punch = 1}, {}, 9, 9, 237, L"Wide_Punchable", 1, 16135},
        {"punch on the paper going to the pages' device", {.punch = 1},
         {Pe(238, 9, 9).Subset(1), Pe(232, 9, 9).On(L"A4_Cover")}, 9, 9, 237, L"", 1, 16134},
        {"printable paper asked for", {}, {}, 1, 1, 310, L"Blank_Stock", 0, 16125},
        {"printable paper not asked for", {}, {}, 1, 1, 310, L"Blank_Stock", 1, 0},
        {"an earlier record claims its pages", {.mode = 2}, {a4, Pe(232, 3, 5).On(L"Legal")}, 3, 5, 224, L"", 4, 0},
        {"a record partly claimed adds nothing", {.mode = 2}, {Pe(232, 3, 4).On(L"A4"), Pe(232, 2, 5).On(L"Legal")},
         2, 5, 224, L"", 4, 0},
        {"a later record on free pages adds its paper", {.mode = 2}, {a4, Pe(232, 6, 8).On(L"Legal")}, 3, 8, 224,
         L"", 4, 16118},
        {"a range ending before it starts holds no page", {}, {a4}, 10, 1, 224, L"", 4, 0},
        {"pages at the 64-bit limit", {}, {Pe(232, LONG_MAX - 1, LONG_MAX).On(L"A4")}, 1, LONG_MAX, 224, L"", 4,
         16118},
    };
    for (const FeatureCase& c : cases) {
        SCOPED_TRACE(c.name);
        PeSetUp s;
        s.Give(c.job);
        EXPECT_EQ(s.v.JSE_Validation_CheckPeFeature(c.start, c.end, c.list, c.code, {c.paper, c.index}, c.value),
                  c.expected);
    }
}

// A check reads only the records sharing pages with its range, or with the
// finishing subsets that do: on those alone, in their order, it answers as on
// the whole list, which is all the bridge builds for it.
TEST(PeFeatureChecks, ACheckAnswersOnTheRecordsAroundItsRangeAsOnTheWholeList) {
    PeSetUp s;
    s.Give({.body = L"Letter", .mode = 2, .punch = 1});
    std::mt19937 random(46);
    const auto below = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const wchar_t* papers[] = {L"Letter", L"A4", L"Legal", L"Letter_Transparency", L"Tabloid"};
    const int codes[] = {224, 232, 233, 234, 235, 236, 237, 238, 239, 240};
    for (int round = 0; round < 1000; ++round) {
        // Often a subset to the stapler, whose papers must feed alike.
        List list;
        if (below(2)) list.push_back(Pe(238, 1, 15).Subset(2));
        for (int k = below(12); k > 0; --k) {
            const long first = 1 + below(20);
            Pe record(codes[below(10)], first, first + below(12));
            if (below(2)) record.On(papers[below(5)]);
            if (below(2)) record.Subset(below(2) ? 2 : 1 + below(5)).Trim(10 + below(2)).Jog(6 + below(2));
            if (below(3) == 0) record.Plex(1 + below(3));
            list.push_back(record);
        }
        const long start = 1 + below(20), end = start + below(4);
        long first = start, last = end;
        for (const JSE_PageExceptionType& r : list) {
            if (!r.peSubset || r.startingPage > end || r.endingPage < start) continue;
            first = std::min<long>(first, r.startingPage);
            last = std::max<long>(last, r.endingPage);
        }
        List around;
        for (const JSE_PageExceptionType& r : list)
            if (r.startingPage <= last && first <= r.endingPage) around.push_back(r);
        const int code = codes[below(10)], value = below(12);
        const JSE_MediaSelection paper(papers[below(2) ? 0 : below(5)], below(2));
        EXPECT_EQ(s.v.JSE_Validation_CheckPeFeature(start, end, around, code, paper, value),
                  s.v.JSE_Validation_CheckPeFeature(start, end, list, code, paper, value))
            << "round " << round;
    }
}

TEST(PeFeatureChecks, LayoutCopiesAndUnknownCodesAreAllowed) {
    PeSetUp s;
    s.Give({.body = L"Letter_Transparency", .mode = 6, .punch = 1});
    const List list = {Pe(235, 1, 10).Plex(1)};
    for (const int code : {225, 241, 300, 301, 302, 303, 250, 231, 0, -1})
        EXPECT_EQ(s.v.JSE_Validation_CheckPeFeature(1, 10, list, code, {L"Letter_Cover", 0}, 2), 0) << code;
}

// The internal errors that are never raised still have their messages; any
// number outside them answers 16009.
TEST(PeFeatureChecks, EveryInternalErrorHasAMessageWithAnEnglishText) {
    std::ifstream source(DataPath("src/PageExceptionMessages.txt"));
    ASSERT_TRUE(source) << "the page-exception messages' texts";
    std::set<int> listed;
    for (std::string line; std::getline(source, line);) {
        std::istringstream words(line);
        std::string keyword, text;
        int id = 0;
        if (words >> keyword >> id && keyword == "message" && std::getline(words, text) && text.size() > 4)
            listed.insert(id);
    }
    PeSetUp s;
    std::set<int> raised = {16142};
    for (int error = -1; error <= 26; ++error)
        raised.insert(s.v.GetJseErrorCode(static_cast<JSE_Validation::pe_error>(error)));
    EXPECT_EQ(listed, raised);
    EXPECT_EQ(s.v.GetJseErrorCode(JSE_Validation::kPeUnused23), 16136);
    EXPECT_EQ(s.v.GetJseErrorCode(static_cast<JSE_Validation::pe_error>(25)), 16009);
}

// One job as the page-exception pane builds it: each change is checked on the
// records accepted so far before it is kept.
TEST(PeFeatureChecks, OneJobsPageExceptionsAnswerWithTheirMessages) {
    PeSetUp s;
    s.Give({.body = L"Letter", .mode = 2});
    List accepted;
    const auto propose = [&](const Pe& record, int code, const wchar_t* paper, int value) {
        const JSE_PageExceptionType r = record;
        const long result = s.v.JSE_Validation_CheckPeFeature(r.startingPage, r.endingPage, accepted, code,
                                                              {paper, 1}, value);
        if (result == 0) accepted.push_back(r);
        return result;
    };
    EXPECT_EQ(propose(Pe(232, 3, 5).On(L"A4"), 232, L"A4", 0), 0);
    EXPECT_EQ(propose(Pe(234, 7, 7).On(L"Letter_Insert"), 234, L"Letter_Insert", 255), 0);
    EXPECT_EQ(propose(Pe(238, 1, 10).Subset(4), 224, L"", 4), 16118);
    EXPECT_EQ(propose(Pe(238, 6, 10).Subset(4), 224, L"", 4), 0);
    s.Give({.body = L"Letter", .mode = 2, .punch = 1});
    EXPECT_EQ(propose(Pe(237, 9, 9).On(L"Letter_Cover"), 237, L"Letter_Cover", 1), 16134);
    EXPECT_EQ(propose(Pe(237, 9, 9), 237, L"Letter", 1), 0);

    s.Load(accepted);
    EXPECT_EQ(s.v.Validation_On_PeList(), 0);
    s.v.JSE_Validation_SetControlValue(eJSE_BodyPaperSelection, s.catalog[L"Letter_Transparency"]);
    EXPECT_EQ(s.v.Validation_On_PeList(), 16114);  // the booklet maker's pages now print on one side only
}

TEST(PeListCheck, ChecksTheListOrTheStoresRecordsOrNeedsAStore) {
    ShippedCatalog catalog;
    Validator alone(&catalog);
    EXPECT_EQ(alone.Validation_On_PeList(), kValidationNoPreference);
    PeSetUp s;
    EXPECT_EQ(s.v.Validation_On_PeList(), 0);
    s.store.JSE_Preference_SetPageExceptionItem(Pe(232, 2, 2).On(L"Blank_Stock"));
    EXPECT_EQ(s.v.Validation_On_PeList(), 16125);
    s.Load({Pe(232, 4, 4).On(L"A4")});
    EXPECT_EQ(s.v.Validation_On_PeList(), 0);
    s.Load({Pe(232, 1, 9).On(L"Letter_Transparency").Plex(2)});
    EXPECT_EQ(s.v.Validation_On_PeList(), 16004);
}

// Pages that print differently only (a print mode or a side of their own)
// are checked on the list too, so that a job value tried on it meets them.
TEST(PeListCheck, PagesWithAPrintModeOrASideOfTheirOwnAreChecked) {
    const struct {
        const char* name;
        Pe record;
        int control, value;
        long expected;
    } cases[] = {
        {"duplex pages on a one-sided body paper", Pe(235, 3, 5).Plex(2), eJSE_BodyPaperSelection, -2, 16004},
        {"simplex pages of an interleaved job", Pe(235, 3, 5).Plex(1), eJSE_PrintModeSelection, 4, 16142},
        {"back sides of a simplex job", Pe(236, 3, 5).Side(2), eJSE_PrintModeSelection, 1, 16004},
        {"front sides of a pamphlet", Pe(236, 3, 5).Side(1), eJSE_PrintModeSelection, 6, 16009},
        {"back sides of a duplex job", Pe(236, 3, 5).Side(2), eJSE_PrintModeSelection, 2, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PeSetUp s;
        s.Load({c.record});
        s.v.JSE_Validation_SetControlValue(c.control, c.value == -2 ? s.catalog[L"Letter_Transparency"] : c.value);
        EXPECT_EQ(s.v.Validation_On_PeList(), c.expected);
    }
}

struct LevelCase {
    const char* name;
    Record rule;
    int control;
    Value proposed;
    List list;
    long expected;
    int after;  // the control's value after the check, which is asked not to store
};

// A rule record asking for the page-exception list tries the proposed value
// on the list; print mode and document exit keep a value the list accepts.
TEST(PeListCheck, JobFeatureRulesAskTheListAboutANewValue) {
    const List booklet = {Pe(238, 1, 10).Subset(4)};
    const Record any = Rule().If(eJSE_DeliverToEdit).Says(900);
    const LevelCase cases[] = {
        {"interleaving", Rule(any).Check(28), 1, 4, booklet, 16142, 2},
        {"simplex into the booklet maker", Rule(any).Check(28), 1, 1, booklet, 16114, 2},
        {"duplex is kept", Rule(any).Check(28), 1, 3, booklet, 0, 3},
        {"without page exceptions", Rule(any).Check(28), 1, 1, {}, 0, 2},
        {"a one-sided body paper", Rule(any).Check(19), 0, L"Letter_Transparency", booklet, 16114, 0},
        {"a document exit is kept", Rule(any).Check(29), 9, 3, {Pe(232, 1, 2).On(L"A4")}, 0, 3},
        {"a document exit is tried only", Rule().If(eJSE_PaperExceptionPageEdit).Check(32).Says(900), 9, 4,
         {Pe(232, 1, 2).On(L"A4")}, 16118, 1},
        {"punching a cover", Rule().If(eJSE_PaperExceptionPageEdit).Check(33).Says(900), 24, 1,
         {Pe(232, 1, 2).On(L"Letter_Cover")}, 16134, 0},
        {"another check code", Rule().If(eJSE_CurrentPePageType).Check(5).Says(900), 24, 1, booklet, 0, 0},
    };
    for (const LevelCase& c : cases) {
        SCOPED_TRACE(c.name);
        ShippedCatalog catalog;
        std::vector<ControlBytes> table = EmptyTable();
        table[c.control] = ControlBytes(1, 0, {c.rule});
        RuleFile file(&catalog, RuleBytes(table));
        Validator& v = *file.validator;
        JSE_Preference store(L"Qwi_JSE.prf", L"English");
        store.JSE_Preference_Set_Media_Reference(&catalog);
        v.JSE_Validation_Set_JSE_PreferenceRef(&store);
        v.JSE_Validation_SetControlValue(eJSE_PrintModeSelection, 2);
        v.JSE_Validation_SetControlValue(eJSE_DocumentExitSelection, 1);
        v.AddItemToPaperSubstitutionList(catalog[L"A4"]);
        for (const JSE_PageExceptionType& r : c.list) v.JSE_Validation_Load_ExceptionRecord(r);
        int conflict = 0;
        EXPECT_EQ(v.JSE_Validation_Check(c.control, c.proposed.Of(catalog), conflict, false), c.expected);
        EXPECT_EQ(v.Get_Value(c.control, true), c.after);
    }
}

}  // namespace

// Rule checking of job features over the shipped paper catalog: every check
// of the catalogue, how a record's level controls give the compared values,
// groups of alternatives, the check's own steps, paper sizes and feed limits,
// the shipped rules, and the built-in page-exception constraint table.
#include <gtest/gtest.h>

#include <optional>

#include "JSE_Preference.h"
#include "validation_support.h"

namespace {

using namespace validation_test;

constexpr int K = eJSE_EMailAddressEdit;  // the checked control; no rule reads it
constexpr int kAlways = eJSE_DeliverToEdit;  // a condition that always holds ("any")
constexpr int kRefused = 900;

struct Setting {
    int control;
    Value value;
};

// A validator over the shipped catalog whose control K has the kind and
// rules given; every other control is of kind 0 without rules.
class Checker {
public:
    Checker(int kind, std::vector<Record> rules, int control = K) {
        std::vector<ControlBytes> table = EmptyTable();
        table[control] = ControlBytes(kind, 0, std::move(rules));
        m_file.emplace(&catalog, RuleBytes(table));
    }
    Validator& v() { return *m_file->validator; }
    void Set(const std::vector<Setting>& settings) {
        for (const Setting& s : settings) v().JSE_Validation_SetControlValue(s.control, s.value.Of(catalog));
    }
    int Check(Value proposed, int control = K, bool apply = false) {
        return v().JSE_Validation_Check(control, proposed.Of(catalog), conflict, apply);
    }
    ShippedCatalog catalog;
    int conflict = -99;

private:
    std::optional<RuleFile> m_file;
};

// A refusing record under a condition that always holds, or on a control.
Rule Any() { return Rule().If(kAlways).Says(kRefused); }
Rule On(int control, int low = 0, int high = -2) { return Rule().If(control, low, high).Says(kRefused); }

struct FlagCase {
    int flag;
    int condition;
    Value proposed;
    bool refused;
    std::vector<Setting> settings = {};
};

TEST(ValidationCheckCatalogue, EachFlagRefusesExactlyItsConflicts) {
    const FlagCase cases[] = {
        {1, 0, L"Letter_Transparency", true}, {1, 0, L"Letter", false}, {2, 0, L"Letter_Tab", true},
        {3, 1, 1, true}, {3, 2, 1, false}, {3, 2, 0, true}, {3, 3, 1, false},
        {4, 1, 0, true}, {4, 2, 0, false}, {5, 0, 0, true},
        {6, 1, L"Letter", true}, {6, 1, L"Legal", false}, {7, 1, L"A3", true}, {8, 1, L"A4", true},
        {9, 1, L"Tabloid", true}, {10, 1, L"Letter_Tab", true}, {11, 1, L"A4_Tab", true}, {14, 1, L"A4_Tab", true},
        {21, 2, L"A4", true}, {21, 1, L"A4", false}, {22, 4, L"Statement", true}, {22, 3, L"Statement", false},
        {23, 3, L"Tabloid", true}, {24, 1, L"Paper_9x12", true}, {24, 2, L"Letter_Tab", false},
        {16, 2, L"Statement", true}, {16, 2, L"Legal", false}, {16, 2, -1, true, {{0, L"Statement"}}},
        {20, 2, L"Letter", true}, {20, 1, L"Letter", false},
        {25, 0, L"Legal", false}, {25, 0, L"Tabloid", true}, {25, 0, L"A4", false}, {25, 0, L"B4", true},
        {30, 0, 89, true}, {30, 0, 88, false}, {31, 1, 1, true}, {31, 1, 2, false},
        {32, 0, L"Letter", false}, {32, 0, L"Legal", true}, {32, 0, L"A5", true}, {35, 0, L"Paper_9x12", false},
        {35, 0, L"Legal", true}, {34, 0, L"Legal", false}, {34, 0, L"Tabloid", true}, {34, 0, L"A5", true},
        {33, 0, L"Letter_Cover", true}, {33, 0, L"Letter", false}, {33, 0, -1, true, {{0, L"Letter_Cover"}}},
        {36, 0, L"Letter_Transparency", true, {{6, -1}}}, {36, 0, L"Letter_Transparency", false, {{6, 0}}},
        {37, 0, L"Letter_Transparency", true, {{8, -1}}}, {37, 0, L"Letter", false, {{8, -1}}},
        {38, 0, 2, true, {{0, L"Letter_Transparency"}}}, {38, 0, 1, false, {{0, L"Letter_Transparency"}}},
        {38, 0, 2, false, {{5, 2}, {6, -1}}}, {38, 0, 2, true, {{5, 2}, {6, L"Letter_Transparency"}}},
        {38, 0, 2, true, {{7, 3}, {8, L"Letter_Tab"}}}, {38, 0, 2, false, {{7, 1}, {8, L"Letter_Tab"}}},
        {39, 0, L"Letter_Transparency", true, {{54, 2}}}, {43, 0, L"Letter_Transparency", false, {{54, 0}}},
        {51, 1, 2, true}, {51, 2, 2, false}, {0, 0, 0, true}, {44, 0, 0, true}, {99, 0, 0, true},
        {19, 0, 0, false}, {29, 0, 0, false}, {28, 0, 1, false},
    };
    for (const FlagCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "flag " << c.flag << " condition " << c.condition);
        Checker checker(1, {Any().Check(c.flag, c.condition)});
        checker.Set(c.settings);
        EXPECT_EQ(checker.Check(c.proposed), c.refused ? kRefused : 0);
    }
}

struct LevelCase {
    const char* name;
    int kind;
    std::vector<Record> rules;
    std::vector<Setting> settings;
    Value proposed;
    int expected;
    int conflict = 0;
};

TEST(ValidationCheckLevels, ConditionsSelectTheComparedValues) {
    const int collate = eJSE_CollateCheck, itsField = collate + 1;
    const Record interleaveSize = On(4, 0, 100).Parent(4).And(4, 0, 100).Using(0).Check(12, 2);
    const Record coverSize = Any().And(5, 2, 5).Using(6).Check(12, 2);
    const LevelCase cases[] = {
        {"kind 0 compares the level-1 value", 0, {On(9).Check(33)}, {{9, L"Letter_Cover"}}, L"Letter", kRefused, 9},
        {"level 1 out of range", 0, {On(9, 2, 2).Check(5)}, {{9, 1}}, 0, 0},
        {"level 2 in range gives A", 0, {Any().And(6, 0, 100).Check(33)}, {{6, L"Letter_Cover"}}, 0, kRefused, kAlways},
        {"level 2 out of range", 0, {Any().And(9, 2, 2).Check(5)}, {{9, 1}}, 0, 0},
        {"level 2 naming its bounds", 0, {Any().And(collate, itsField, itsField).Check(33)}, {{3, 1}}, L"Letter_Cover",
         kRefused, kAlways},
        {"level 2 naming the checked control", 0, {Any().And(K, 5, 5).Check(33)}, {}, L"Letter_Cover", kRefused, kAlways},
        {"level 3 with flag 12 against level 2", 2, {interleaveSize}, {{4, L"A4"}, {0, L"Letter"}}, 4, kRefused, 4},
        {"kind 1 with level 3 compares the proposal", 1, {coverSize}, {{5, 2}, {6, L"A4"}}, L"Letter", kRefused, kAlways},
        {"level 3 of -1 stands for the proposal", 1, {coverSize}, {{5, 2}, {6, -1}}, L"Letter", 0},
        {"flag 18 compares feed lengths", 0, {Any().And(6, 0, 100).Using(8).Check(18, 2)},
         {{6, L"Letter"}, {8, L"Legal"}}, 0, kRefused, kAlways},
        {"flag 18 compares indices", 0, {Any().And(6, 0, 100).Using(8).Check(18, 3)}, {{6, 5}, {8, 4}}, 0, kRefused,
         kAlways},
        {"flag 12 with condition 4 compares indices", 0, {Any().And(6, 0, 100).Using(8).Check(12, 4)},
         {{6, 4}, {8, 5}}, 0, kRefused, kAlways},
        {"level 3 with another flag gives A", 0, {Any().And(kAlways).Using(8).Check(33)}, {{8, L"Letter_Cover"}}, 0,
         kRefused, kAlways},
        {"B carries to the next record", 0, {Any().And(2, 7, 7).Check(15, 2), On(3).Check(15, 1)}, {{2, 7}, {3, 7}},
         0, kRefused, 3},
        {"kind 2 looks at its parent's records", 2, {Any().Parent(2).Check(5).Says(901), Any().Parent(3).Check(5)}, {},
         3, kRefused, kAlways},
        {"kind 2 stops at the next parent", 2, {Any().Parent(2).Check(15, 2), Any().Parent(3).Check(5)}, {}, 2, 0},
        {"kind 2 without records for the value", 2, {Any().Parent(2).Check(5)}, {}, 4, 0},
        {"-1 proposes the body paper", 1, {Any().Check(33)}, {{0, L"Letter_Cover"}}, -1, kRefused, kAlways},
        {"page-exception list without papers", 0, {On(eJSE_PaperExceptionPageEdit).Check(5)}, {}, 0, 0},
        {"page-exception type as a level", 0, {On(eJSE_CurrentPePageType).Check(5)}, {}, 0, 0},
        {"level control outside the table", 0, {On(200, 0, 0).Check(5)}, {}, 0, kRefused, 200},
    };
    for (const LevelCase& c : cases) {
        SCOPED_TRACE(c.name);
        Checker checker(c.kind, c.rules);
        checker.Set(c.settings);
        EXPECT_EQ(checker.Check(c.proposed), c.expected);
        EXPECT_EQ(checker.conflict, c.conflict);
    }
}

TEST(ValidationCheckGroups, ChainedRecordsWithCondition2AreAlternatives) {
    const Record letter = Any().Check(6, 2).Says(901);  // refuses what is not Letter-sized
    const Record a4 = Any().Check(8, 2).Says(902);      // refuses what is not A4-sized
    const Record sameAsBody = Any().And(0).Check(12, 2).Says(903);
    const struct {
        const char* name;
        std::vector<Record> rules;
        const wchar_t* proposed;
        int expected, conflict;
    } cases[] = {
        {"second alternative holds, third record alone", {letter, a4, sameAsBody}, L"A4", 903, kAlways},
        {"first alternative holds", {letter, a4, sameAsBody}, L"Letter_Red", 0, 0},
        {"no alternative holds", {letter, a4, sameAsBody}, L"Tabloid", 902, kAlways},
        {"the last two records are no group", {letter, a4}, L"A4", 901, kAlways},
        {"condition 1 ends the group at once",
         {Any().Check(6, 1).Says(901), Any().Check(8, 1).Says(902), sameAsBody}, L"Letter", 901, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Checker checker(1, c.rules);
        checker.Set({{0, L"Letter"}});
        EXPECT_EQ(checker.Check(c.proposed), c.expected);
        EXPECT_EQ(checker.conflict, c.conflict);
    }
}

TEST(ValidationCheckSteps, StoreOnlyAllowedValuesAndOnlyWhenAsked) {
    Checker checker(2, {On(9, 1, 1).Parent(2).Check(5)}, eJSE_StaplerSelection);
    Validator& v = checker.v();
    checker.Set({{eJSE_DocumentExitSelection, 1}});
    EXPECT_EQ(checker.Check(2, eJSE_StaplerSelection, true), kRefused);
    EXPECT_EQ(checker.conflict, eJSE_DocumentExitSelection);
    EXPECT_EQ(v.Get_Value(eJSE_StaplerSelection, true), 0);
    EXPECT_EQ(checker.Check(3, eJSE_StaplerSelection, false) + v.Get_Value(eJSE_StaplerSelection, true), 0);
    EXPECT_EQ(checker.Check(3, eJSE_StaplerSelection, true), 0);
    EXPECT_EQ(v.Get_Value(eJSE_StaplerSelection, true), 3);
    EXPECT_EQ(checker.Check(-1, eJSE_SeparatorPaperSelection, true), 0);  // no rules: stored as it is
    EXPECT_EQ(v.Get_Value(eJSE_SeparatorPaperSelection, true), -1);
    for (const int outside : {-1, 55}) {
        checker.conflict = 5;
        EXPECT_EQ(checker.Check(2, outside, true), 0);
        EXPECT_EQ(checker.conflict, 0);
    }
}

TEST(ValidationCheckSteps, FlagsOnThePageExceptionsCompareTheirPapersWithTheBody) {
    Checker checker(0, {Any().Check(28)});
    checker.Set({{0, L"Letter"}});
    EXPECT_EQ(checker.Check(6), 0);  // no page exceptions
    JSE_Preference store(L"Qwi_JSE.prf", L"English");
    JSE_PageExceptionType substitution;
    substitution.fromJobPaper = false;
    substitution.mediaName = L"A4";
    store.JSE_Preference_SetPageExceptionItem(substitution);
    checker.v().JSE_Validation_Set_JSE_PreferenceRef(&store);
    EXPECT_EQ(checker.Check(6), 16017);
    EXPECT_EQ(checker.Check(5), 16009);
    EXPECT_EQ(checker.Check(1), 0);
    checker.Set({{0, L"A4_Heavy"}});
    EXPECT_EQ(checker.Check(6), 0);
}

TEST(ValidationPaperSizes, FeedDimensionsTurnPapersTheWayTheFinisherTakesThem) {
    ShippedCatalog catalog;
    Validator v(&catalog, Wide("/nonexistent"));
    const struct {
        int paper, result;
        float first, second;
    } cases[] = {
        {catalog[L"Letter"], 0, 8.5f, 11.0f},
        {catalog.AddPaper(L"Letter_Wide", 11.0f, 8.5f, 0), 0, 8.5f, 11.0f},
        {catalog.AddPaper(L"Ledger", 17.0f, 11.0f, 0), 0, 17.0f, 11.0f},
        {catalog.AddPaper(L"Square", 15.0f, 15.0f, 0), 1, -1, -1},
        {catalog.AddPaper(L"Square_mm", 400.0f, 400.0f, 1), 1, -1, -1},
        {catalog[L"A4"], 0, 210.0f / 25.4f, 297.0f / 25.4f},
        {catalog.AddPaperWithoutSize(L"Unsized"), 2, -1, -1},
        {-5, 2, -1, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.paper);
        float first = -1, second = -1;
        EXPECT_EQ(v.GetFinisherFeedDimensions(c.paper, first, second), c.result);
        EXPECT_FLOAT_EQ(first, c.first);
        EXPECT_FLOAT_EQ(second, c.second);
        // A paper the finisher cannot measure is refused by the feed limits.
        if (c.result != 0) {
            EXPECT_EQ(v.Type_Checking(c.paper, 34, 0) + v.Type_Checking(c.paper, 32, 0), 2);
        }
    }
}

TEST(ValidationPaperSizes, PaperComparisonsByMode) {
    ShippedCatalog catalog;
    Validator v(&catalog, Wide("/nonexistent"));  // no controls: the body paper is paper 0, Letter
    const int letter = catalog[L"Letter"], legal = catalog[L"Legal"], a4 = catalog[L"A4"];
    const int unsized = catalog.AddPaperWithoutSize(L"Unsized");
    const int square = catalog.AddPaper(L"Square", 15.0f, 15.0f, 0);
    const struct {
        int a, b, condition, mode, expected;
    } cases[] = {
        {5, 4, 3, 4, 1},           {5, 5, 3, 4, 0},           {4, 5, 4, 4, 1},          {5, 5, 1, 4, 1},
        {letter, catalog[L"Letter_Red"], 1, 1, 1},             {letter, a4, 2, 1, 1},    {letter, a4, 1, 1, 0},
        {letter, legal, 3, 1, 1},  {letter, legal, 4, 1, 1},  {legal, letter, 2, 3, 1}, {legal, letter, 2, 2, 0},
        {-1, catalog[L"Letter_Blue"], 1, 1, 1},                {letter, -1, 2, 4, 0},
        {letter, unsized, 1, 2, -1}, {square, letter, 1, 3, -2}, {unsized, square, 1, 3, -1},
        {letter, unsized, 1, 1, -5}, {letter, a4, 2, 9, 0},   {letter, a4, 7, 1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.a << " " << c.b << " condition " << c.condition << " mode " << c.mode);
        EXPECT_EQ(v.Paper_Size_Compare(c.a, c.b, c.condition, c.mode), c.expected);
    }
}

// The shipped rules over the shipped catalog, starting from the values the
// rule file gives (the factory defaults), with some values set first.
struct ShippedCase {
    const char* name;
    std::vector<Setting> settings;
    int control;
    Value proposed;
    int expected;
};

TEST(ShippedRules, RefuseWhatTheFinisherCannotDoAndAllowTheFactoryDefaults) {
    ShippedCatalog catalog;
    const ShippedCase cases[] = {
        {"staple top to the top tray", {}, eJSE_StaplerSelection, 2, 16300},
        {"staple top to the stapler", {{9, 2}}, eJSE_StaplerSelection, 2, 0},
        {"top tray while stapling", {{9, 2}, {10, 2}}, eJSE_DocumentExitSelection, 1, 16300},
        {"saddle stitch to the top tray", {}, eJSE_StaplerSelection, 5, 16301},
        {"pamphlet to the stacker", {{9, 3}}, eJSE_PrintModeSelection, 6, 16302},
        {"stacker for a pamphlet", {{1, 6}}, eJSE_DocumentExitSelection, 3, 16302},
        {"pamphlet to the booklet maker", {{9, 4}}, eJSE_PrintModeSelection, 6, 0},
        {"pamphlet flat to the top tray", {}, eJSE_PrintModeSelection, 6, 0},
        {"trimming on the stacker", {{9, 3}}, eJSE_TrimmingCheck, 1, 16303},
        {"offset stacking in the booklet maker", {{9, 4}}, eJSE_OffsetStackingCheck, 1, 16304},
        {"offset stacking on the stacker", {{9, 3}}, eJSE_OffsetStackingCheck, 1, 0},
        {"punching a cover paper body", {{0, L"Letter_Cover"}}, eJSE_PunchJobTypeCheck, 1, 16305},
        {"cover paper body while punching", {{24, 1}}, eJSE_BodyPaperSelection, L"Letter_Cover", 16305},
        {"punched front cover", {{5, 2}, {6, L"Letter_Cover"}}, eJSE_PunchFrontCoverTypeCheck, 1, 16306},
        {"punched back cover of body paper", {{7, 2}, {8, -1}, {0, L"A4_Cover"}}, eJSE_PunchBackCoverTypeCheck, 1,
         16307},
        {"duplex on transparencies", {{0, L"Letter_Transparency"}}, eJSE_PrintModeSelection, 2, 16308},
        {"pamphlet of tabloid", {{0, L"Tabloid"}, {9, 4}}, eJSE_PrintModeSelection, 6, 16309},
        {"front cover of another size", {{5, 2}}, eJSE_FrontCoverPaperSelection, L"A4", 16310},
        {"front cover of the body's size", {{5, 2}}, eJSE_FrontCoverPaperSelection, L"Letter_Cover", 0},
        {"body of another size than the back cover", {{7, 2}, {8, L"Letter_Cover"}}, eJSE_BodyPaperSelection, L"A4",
         16311},
        {"signature of 89 pages", {}, eJSE_SignaturePagesEdit, 89, 16312},
        {"stapling tabloid", {{9, 2}, {0, L"Tabloid"}}, eJSE_StaplerSelection, 2, 16313},
        {"interleaves of another size", {{4, L"A4"}}, eJSE_PrintModeSelection, 4, 16314},
        {"interleave paper of another size", {{1, 5}}, eJSE_InterleavePaperSelection, L"A4", 16314},
    };
    for (const ShippedCase& c : cases) {
        SCOPED_TRACE(c.name);
        Validator v(&catalog);
        for (const Setting& s : c.settings) v.JSE_Validation_SetValue_NoCheck(s.control, s.value.Of(catalog));
        int conflict = 0;
        EXPECT_EQ(v.JSE_Validation_Check(c.control, c.proposed.Of(catalog), conflict, true), c.expected);
    }

    Validator v(&catalog);
    for (int control = 0; control < JSE_Validation::kControlCount; ++control) {
        int conflict = 0;
        EXPECT_EQ(v.JSE_Validation_Check(control, v.Get_Value(control, true), conflict, false), 0) << control;
    }
}

TEST(ShippedRules, StartFromTheSettingsStoresFactoryDefaults) {
    ShippedCatalog catalog;
    Validator v(&catalog);
    JSE_Preference store(L"Qwi_JSE.prf", L"English");
    store.JSE_Preference_Set_Media_Reference(&catalog);
    JSE_JobFeatureType job;
    store.JSE_Preference_Get_Default_JobFeature(job);
    const auto paper = [&](const WString& name) { return catalog.JSE_Media_GetIndex(name); };
    const std::pair<int, int> expected[] = {
        {0, paper(job.bodyPaper)}, {1, job.printingMode}, {2, job.proofSet}, {3, job.collate},
        {4, paper(job.interleavePaper)}, {5, job.frontCoverMode}, {6, paper(job.frontCoverPaper)},
        {7, job.backCoverMode}, {8, paper(job.backCoverPaper)}, {9, job.jobExit}, {10, job.staplerPosition},
        {11, job.offsetStack}, {12, job.printCheck}, {13, job.saveAs}, {14, job.specificPrinter},
        {15, job.statusMode}, {16, paper(job.statusPaper)}, {17, job.setSeparator}, {18, paper(job.separatorPaper)},
        {20, job.finishChapter}, {21, job.signaturePages}, {22, job.trimming}, {24, job.punchJob != 0},
        {26, job.punchFrontCover}, {27, job.punchBackCover}, {43, job.createTIFF},
    };
    for (const auto& [control, value] : expected) EXPECT_EQ(v.Get_Value(control, true), value) << control;
}

TEST(ValidationPeConstraints, FirstMatchingRowGivesItsCheckAndMessage) {
    ShippedCatalog catalog;
    Validator v(&catalog, Wide("/nonexistent"));
    using Query = JSE_Validation::peCommandConstraintType;
    const auto query = [&](int command, int low, int high, int value, int device, const wchar_t* a, const wchar_t* b) {
        return Query{command, low, high, value, device, catalog[a], catalog[b], 77, 0, 77};
    };
    const struct {
        const char* name;
        Query query;
        bool found;
        int check, message;
    } cases[] = {
        {"row without device", query(255, 6, 6, 2, 3, L"Letter", L"Letter"), true, 0, 16009},
        {"check 0 with operand 0", query(255, 4, 5, 0, 4, L"Letter", L"Letter"), true, 0, 16120},
        {"operand 27 never matches", query(255, 1, 1, 1, 3, L"Letter", L"Letter"), false, 0, 0},
        {"one-sided paper B", query(255, 2, 3, 1, 1, L"Letter", L"Letter_Transparency"), true, 1, 16004},
        {"two-sided paper B", query(255, 2, 3, 1, 1, L"Letter", L"Letter"), false, 0, 0},
        {"papers of another size", query(255, 4, 5, 0, 1, L"Letter", L"A4"), true, 12, 16009},
        {"papers of one size", query(255, 4, 5, 0, 1, L"Letter", L"Letter_Red"), false, 0, 0},
        {"feed lengths differ", query(255, 6, 6, 1, 2, L"Letter", L"Legal"), true, 18, 16000},
        {"too large for the stapler", query(255, 6, 6, 1, 2, L"Tabloid", L"Tabloid_Cover"), true, 17, 16011},
        {"plex row without device", query(47, 1, 1, 2, 5, L"Letter", L"Letter"), true, 0, 16004},
        {"modes beyond the row's range", query(255, 1, 3, 1, 1, L"Letter", L"Letter_Transparency"), false, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Query q = c.query;
        EXPECT_EQ(v.JSE_Validation_PeConstraint_Lookup(q), c.found);
        EXPECT_EQ(q.checkCode, c.check);
        EXPECT_EQ(q.messageId, c.message);
    }
}

}  // namespace

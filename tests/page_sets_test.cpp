// Page sets of the page-exception tab: the page-range parser with its
// checks, and the target-range rule.
#include <gtest/gtest.h>

#include "peController/PageRangeEntry.h"
#include "peController/TargetRanges.h"

namespace {

using Ranges = std::vector<PageRange>;

TEST(PageRangeEntry, TypedRangesBecomeSetsOrErrorsWithTheFieldLeftToEdit) {
    const Ranges set5to10 = {{5, 10}};
    struct Case {
        const char* text;
        Ranges sets;
        Ranges accepted;
        std::vector<int> errors;
        const char* field;
    };
    const Case cases[] = {
        {"1 3,5..7 9..", {}, {{1, 1}, {3, 3}, {5, 7}, {9, 99999}}, {}, ""},
        {"..4", {}, {{1, 4}}, {}, ""},
        {"5..0", {}, {{5, 5}}, {}, ""},
        {"5.", {}, {{5, 99999}}, {}, ""},
        {",, 6 ,", {}, {{6, 6}}, {}, ""},
        {"", {}, {}, {}, ""},
        {"0", {}, {}, {57666}, "0"},
        {"05", {}, {}, {57666}, "05"},
        {"0..4", {}, {}, {57666}, "0..4"},
        {"100000", {}, {}, {16219}, "100000"},
        {"1..100000", {}, {}, {16219}, "1..100000"},
        {"5...7", {}, {}, {16077}, "5...7"},
        {"5.7", {}, {}, {16077}, "5.7"},
        {".5", {}, {}, {16077}, ".5"},
        {"..", {}, {}, {16077}, ".."},
        {"5.. 7", {}, {}, {16077}, "5.. 7"},
        {"5..7..9", {}, {}, {16077}, "5..7..9"},
        {"7..3", {}, {}, {16077}, "7..3 "},
        {"10..12", set5to10, {}, {17237}, "10..12 "},
        {"1..5", set5to10, {}, {17237}, "1..5 "},
        {"6..9", set5to10, {}, {17237}, "6..9 "},
        {"1..20", set5to10, {}, {17237}, "1..20 "},
        {"10", set5to10, {}, {17237}, "10 "},
        {"1..4 11..20", set5to10, {{1, 4}, {11, 20}}, {}, ""},
        {"3 3", {}, {{3, 3}}, {17237}, "3 "},
        {"2 4 0", {}, {{2, 2}, {4, 4}}, {57666}, " 0"},
        {"7..3 9..4", {}, {}, {16077}, "7..3 9..4 "},
        {"7..3 0", {}, {}, {57666, 16077}, "7..3 "},
        {"1 5..7 2", set5to10, {{1, 1}, {2, 2}}, {17237}, "5..7 "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const PageSetEntry entry = EnterPageSets(c.text, c.sets);
        EXPECT_EQ(entry.accepted, c.accepted);
        EXPECT_EQ(entry.errors, c.errors);
        EXPECT_EQ(entry.field, c.field);
    }
    EXPECT_EQ(FilterPageText("1-3").text, "1");
    EXPECT_TRUE(FilterPageText("1-3").refused);
    EXPECT_FALSE(FilterPageText("1 3,5..7").refused);
}

TEST(TargetRanges, AllSetsThenTheWholeSetThenTheSelectedRunsJoined) {
    const Ranges sets = {{1, 2}, {4, 20}, {30, 30}};
    const Ranges runs = {{3, 3}, {4, 4}, {5, 5}, {8, 8}};
    struct Case {
        bool allSets;
        bool allPages;
        std::optional<PageRange> current;
        Ranges runs;
        Ranges targets;
    };
    const Case cases[] = {
        {true, true, PageRange{4, 20}, runs, sets},
        {false, true, PageRange{4, 20}, runs, {{4, 20}}},
        {false, true, std::nullopt, {}, {}},
        {false, false, PageRange{1, 20}, runs, {{3, 5}, {8, 8}}},
        {false, false, PageRange{1, 20}, {{1, 1}, {3, 3}, {5, 5}}, {{1, 1}, {3, 3}, {5, 5}}},
        {false, false, std::nullopt, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "row " << &c - cases);
        EXPECT_EQ(TargetRanges({c.allSets, sets, c.allPages, c.current, c.runs}), c.targets);
    }
}

}  // namespace

// The road of a pane's setting through the bridge: every feature the panes
// send, accepted into the settings store and the ticket or refused by its
// rule with nothing changed; the punch follow-up over the page ranges; the
// values the ticket does not print.
#include <gtest/gtest.h>

#include "controller_support.h"
#include "validation_support.h"

namespace {

using namespace controller_test;

struct Send {
    int feature;
    std::int64_t val = 0;
    const char* text = "";
    std::int64_t val2 = 0;
};

// The store holds the working record: storing the record again, through a
// feature the road does not write, leaves its image as it was.
void ExpectStoreHoldsTheWorkingRecord(Bridge& bridge) {
    const std::string image = bridge.storeImage();
    bridge.SetJobFeature(0, 0, {}, 0);
    EXPECT_EQ(bridge.storeImage(), image);
}

TEST(SettingRoad, AcceptedFeaturesReachTheStoreAndTheTicket) {
    const std::vector<Send> none;
    const struct {
        std::vector<Send> setup;
        Send send;
    } cases[] = {
        {none, {101, 4, "Letter_Red"}}, {none, {101, -1, ""}}, {{{112, 4}}, {102, 4, "Letter_Red"}},
        {none, {103, 2}}, {{{103, 2}}, {104, 4, "Letter_Red"}}, {none, {105, 3}},
        {{{105, 3}}, {106, 4, "Letter_Red"}}, {none, {107, 2}}, {none, {108, 4, "Letter_Red"}}, {none, {109, 1}},
        {{{109, 1}}, {110, 4, "Letter_Red"}}, {none, {111, 1}}, {none, {112, 2}}, {{{112, 2}}, {112, 7}},
        {none, {113, 3}}, {{{113, 2}}, {114, 2}}, {{{113, 2}}, {115, 1}}, {{{113, 4}}, {116, 1}},
        {none, {117, 1}}, {none, {200, 3}}, {none, {201, 0}}, {none, {206, 2, "", 5}},
        {{{209, 1, "job.ps"}}, {207, 0}}, {none, {209, 1, "job.ps"}}, {{{209, 1, "job.ps"}}, {209, 0}},
        {none, {210, 1, "/tmp/x.tif"}}, {{{210, 1, "/tmp/x.tif"}}, {210, 0}}, {none, {212, 1, "Press2"}},
        {none, {214, 0, "a@b.example"}}, {none, {215, 0, "Hello"}}, {none, {216, 0, "Room 5"}},
        {none, {217, 0, "C-17"}}, {none, {218, 64}}, {{{103, 2}, {104, 0, "Letter"}, {218, 64}}, {219, 0}},
        {{{105, 3}, {106, 0, "Letter"}, {218, 64}}, {220, 0}}, {none, {221, 1}}, {none, {222, 1}},
        {none, {223, 1}}, {none, {224, 0, "alice"}}, {none, {225, 0, "Report"}}, {none, {226, 1}},
        {{{112, 6}, {113, 4}}, {227, 40}}, {none, {228, 1}}, {none, {229, 30}}, {none, {230, 120}},
        {none, {232, 2}}, {none, {233, 3}}, {{{2000, 4}}, {1381, 1}}, {{{2000, 4}}, {1382, 0}},
        {{{2000, 4}}, {1383, 1}}, {{{2000, 4}}, {1384, 0}}, {{{2000, 4}}, {1385, 0}},
        {{{2000, 4}}, {1386, 1}}, {none, {2000, 4}},
    };
    std::string transcript;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.send.feature);
        Bridge bridge;
        bridge.start();
        transcript += "== " + std::to_string(c.send.feature) + " " + std::to_string(c.send.val) + " \"" +
                      c.send.text + "\" " + std::to_string(c.send.val2);
        for (const Send& s : c.setup) {
            ASSERT_EQ(bridge.HandleJobFeatures(s.feature, s.val, s.text, s.val2), 0);
            transcript += " after " + std::to_string(s.feature) + "=" + std::to_string(s.val) + s.text;
        }
        const std::string before = bridge.ticket();
        EXPECT_EQ(bridge.HandleJobFeatures(c.send.feature, c.send.val, c.send.text, c.send.val2), 0);
        transcript += "\n" + Changes(before, bridge.ticket());
        ExpectStoreHoldsTheWorkingRecord(bridge);
    }
    EXPECT_EQ(transcript,
              Fixture("setting_road_changes.txt"));
}

// Each checked feature under a rule that refuses it, and refusals of the
// shipped rules: the rule's message comes back and nothing changes.
TEST(SettingRoad, RefusedFeaturesReturnTheRuleMessageAndChangeNothing) {
    std::vector<validation_test::ControlBytes> table = validation_test::EmptyTable();
    for (int control = 0; control < JSE_Validation::kControlCount; ++control)
        table[control] = {1, 0, {validation_test::Rule().If(eJSE_DeliverToEdit).Check(5).Says(900 + control)}};
    const DataBundle refusing(validation_test::RuleBytes(table));
    struct Case {
        Send send;
        int message;  // under the refusing rules: 900 + the control that checks the feature
        Send setup = {0};
    };
    std::vector<Case> cases = {{{101}, 900}, {{102}, 904}, {{103}, 905}, {{104}, 906}, {{105}, 907}, {{106}, 908},
                               {{107}, 915}, {{108}, 916}, {{109}, 917}, {{110}, 918}, {{111}, 941}, {{112}, 901},
                               {{113}, 909}, {{114}, 910}, {{115}, 911}, {{116}, 922}, {{201}, 903}, {{218}, 924},
                               {{219}, 926}, {{220}, 927}, {{223}, 902}, {{227}, 921},
                               // the shipped rules
                               {{114, 2}, 16300}, {{115, 1}, 16304}, {{112, 2}, 16308, {101, 9, "Letter_Transparency"}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.send.feature);
        Bridge bridge;
        bridge.start(c.message < 16000 ? refusing.bundle : ShippedBundle());
        if (c.setup.feature) {
            ASSERT_EQ(bridge.HandleJobFeatures(c.setup.feature, c.setup.val, c.setup.text, 0), 0);
        }
        const std::string ticket = bridge.ticket(), image = bridge.storeImage();
        EXPECT_EQ(bridge.HandleJobFeatures(c.send.feature, c.send.val ? c.send.val : 2, "Letter_Red", 0), c.message);
        EXPECT_EQ(bridge.ticket(), ticket);
        EXPECT_EQ(bridge.storeImage(), image);
        ExpectStoreHoldsTheWorkingRecord(bridge);
    }
}

// Punching reaches the covers, the status page and the separators the job
// has, and every page range from page 1 on; switching it off clears all.
TEST(SettingRoad, PunchPatternReachesPapersAndPageRanges) {
    Bridge bridge;
    bridge.start();
    JSE_PageCollection& pages = *bridge.pageCollection();
    pages.JSE_PageCollection_SetPageType(0, 0, kPePaperSubstitution, 1);
    pages.JSE_PageCollection_SetPageType(3, 5, kPePaperSubstitution, 1);
    pages.JSE_PageCollection_SetPageType(8, 9, kPePaperSubstitution, 2);
    ASSERT_EQ(bridge.HandleJobFeatures(kFeatureFrontCoverMode, 2, {}, 0), 0);
    ASSERT_EQ(bridge.HandleJobFeatures(kFeatureSetSeparator, 1, {}, 0), 0);
    // Front, back, status and separator punch flags, then each range's
    // first page and punch feature.
    const auto state = [&] {
        const JSE_JobFeatureType& r = bridge.workingRecord();
        std::string text = std::to_string(r.punchJob) + " " + std::to_string(r.punchFrontCover) +
                           std::to_string(r.punchBackCover) + std::to_string(r.punchStatusPaper) +
                           std::to_string(r.punchSeparatorPaper);
        for (long i = 0, first, last; i < pages.JSE_PageCollection_GetSize(); ++i) {
            pages.JSE_PageCollection_GetPageNumber(i, first, last);
            text += " " + std::to_string(first) + ":";
            for (int j = 0, code, value; j < pages.JSE_PageCollection_GetPageFeatureSize(i); ++j)
                if (pages.JSE_PageCollection_GetPageFeature(i, j, code, value), code == kPePunch) text += std::to_string(value);
        }
        return text;
    };
    ASSERT_EQ(bridge.HandleJobFeatures(kFeaturePunchPattern, 64, {}, 0), 0);
    EXPECT_EQ(state(), "64 1011 0: 3:1 8:1");
    pages.JSE_PageCollection_UpdatePageFeature(1, kPePunch, 0);  // pages 3..5 left unpunched by hand
    ASSERT_EQ(bridge.HandleJobFeatures(kFeaturePunchPattern, 128, {}, 0), 0);
    EXPECT_EQ(state(), "128 1011 0: 3:0 8:1") << "another pattern keeps each range as the user set it";
    // A punched cover keeps paper that can be punched; punching off, it may
    // take any, and punching on again leaves such a cover unpunched.
    EXPECT_EQ(bridge.HandleJobFeatures(kFeatureFrontCoverPaper, 2, "Letter_Cover", 0), 16306);
    ASSERT_EQ(bridge.HandleJobFeatures(kFeaturePunchPattern, 0, {}, 0), 0);
    EXPECT_EQ(state(), "0 0000 0: 3:0 8:0");
    ASSERT_EQ(bridge.HandleJobFeatures(kFeatureFrontCoverPaper, 2, "Letter_Cover", 0), 0);
    ASSERT_EQ(bridge.HandleJobFeatures(kFeaturePunchPattern, 64, {}, 0), 0);
    EXPECT_EQ(state(), "64 0011 0: 3:1 8:1");
}

TEST(SettingRoad, ValuesTheTicketDoesNotPrintReachTheStore) {
    Bridge bridge;
    bridge.start();
    ASSERT_EQ(bridge.HandleJobFeatures(kFeatureLongEdgeFold, 1, {}, 0), 0);
    EXPECT_EQ(bridge.engine()->JSE_Preference_GetNarrowBookletValue(), 1);
    ASSERT_EQ(bridge.HandleJobFeatures(kFeatureHalftoneAngle, 30, {}, 0), 0);
    ASSERT_EQ(bridge.HandleJobFeatures(kFeatureHalftoneFrequency, 120, {}, 0), 0);
    bridge.setPunchPattern(7);
    JSE_JobFeatureType stored;
    bridge.engine()->JSE_Preference_GetJobFeature(stored);
    EXPECT_EQ(std::to_string(stored.halftoneAngle) + "/" + std::to_string(stored.halftoneFrequency), "30/120");
    EXPECT_EQ(bridge.engine()->JSE_Preference_GetUserPunchPattern(), 7);
}

}  // namespace

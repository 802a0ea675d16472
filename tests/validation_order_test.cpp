// A check holds whatever the order of the clicks: over the shipped rule file
// and catalog, through the bridge's road, every job setting that a rule
// governs and every page exception on a catalog paper are both accepted or
// both refused, whichever of the two the user sets first; and the settings
// that refuse page exceptions refuse those of the fixture.
#include <gtest/gtest.h>

#include <map>

#include "SystemLog.h"
#include "controller_support.h"

namespace {

using namespace controller_test;

// One setting as a pane sends it to the bridge.
struct Click {
    int feature;
    int value;
    std::string paper;
};
using Clicks = std::vector<Click>;

// A paper substitution on pages 3 to 5, or an insert before page 3 from the
// job's tray.
struct PageException {
    int code;
    std::string paper;
};

// One bridge for all the walks, back at the factory settings before each.
class Walks {
public:
    Walks() { m_bridge.start(); }
    // Whether the clicks, then the page exception, then the last click are
    // all accepted.
    bool accepted(const Clicks& clicks, const PageException* pe = nullptr, const Click* last = nullptr) {
        m_bridge.JSEPreferenceSetFactory();
        for (const Click& click : clicks)
            if (m_bridge.HandleJobFeatures(click.feature, click.value, click.paper, 0) != 0) return false;
        const bool substitution = pe && pe->code == kPePaperSubstitution;
        if (pe && StorePaper(m_bridge, 3, substitution ? 5 : 3, pe->code, pe->paper, substitution ? 0 : kPeNotSet))
            return false;
        return !last || m_bridge.HandleJobFeatures(last->feature, last->value, last->paper, 0) == 0;
    }
    std::vector<std::string> papers() {
        std::vector<std::string> names(static_cast<std::size_t>(m_bridge.engine()->JSE_Media_GetNumberOfEntry()));
        for (std::size_t i = 0; i < names.size(); ++i) {
            WString name;
            m_bridge.engine()->JSE_Media_GetName(static_cast<int>(i), name);
            names[i] = Bridge::wstringToNSString(name);
        }
        return names;
    }

private:
    platform::LogRecorder m_quiet;
    Bridge m_bridge;
};

// The settings that decide what a page exception's paper must be able to do,
// as contexts for every setting.
const std::pair<const char*, Clicks> kContexts[] = {
    {"", {}},
    {"duplex, ", {{kFeaturePrintingMode, 2, ""}}},
    {"pamphlet, ", {{kFeaturePrintingMode, 6, ""}}},
    {"stapler, ", {{kFeatureDocumentExit, 2, ""}}},
    {"booklet maker, ", {{kFeatureDocumentExit, 4, ""}}},
    {"punching, ", {{kFeaturePunchPattern, 3, ""}}},
};

// Every value of every feature that a rule of the shipped file governs,
// after the clicks it needs: name, clicks, value.
std::vector<std::tuple<std::string, Clicks, Click>> Settings(const std::vector<std::string>& papers) {
    std::vector<std::tuple<std::string, Clicks, Click>> all;
    const Click stapler{kFeatureDocumentExit, 2, ""}, booklet{kFeatureDocumentExit, 4, ""};
    for (int mode = 1; mode <= 6; ++mode)
        all.push_back({"print mode " + std::to_string(mode), {}, {kFeaturePrintingMode, mode, ""}});
    for (int exit = 1; exit <= 5; ++exit)
        all.push_back({"output device " + std::to_string(exit), {}, {kFeatureDocumentExit, exit, ""}});
    for (int staple = 2; staple <= 4; ++staple)
        all.push_back({"stapler, staple " + std::to_string(staple), {stapler}, {kFeatureStaplerPosition, staple, ""}});
    all.push_back({"booklet maker, saddle", {booklet}, {kFeatureStaplerPosition, 5, ""}});
    all.push_back({"booklet maker, trimming", {booklet}, {kFeatureTrimming, 1, ""}});
    all.push_back({"stapler, offset stacking", {stapler}, {kFeatureOffsetStacking, 1, ""}});
    all.push_back({"stacker, offset stacking", {{kFeatureDocumentExit, 3, ""}}, {kFeatureOffsetStacking, 1, ""}});
    for (int pattern : {3, 4, 64})
        all.push_back({"punch pattern " + std::to_string(pattern), {}, {kFeaturePunchPattern, pattern, ""}});
    all.push_back({"signature of 16 pages", {{kFeaturePrintingMode, 6, ""}}, {kFeatureSignaturePages, 16, ""}});
    for (const auto& [cover, mode, punch] : {std::tuple{"front", kFeatureFrontCoverMode, kFeaturePunchFrontCover},
                                             {"back", kFeatureBackCoverMode, kFeaturePunchBackCover}})
        all.push_back(
            {std::string(cover) + " cover, punched", {{mode, 2, ""}, {kFeaturePunchPattern, 3, ""}}, {punch, 1, ""}});
    for (int i = 0; i < static_cast<int>(papers.size()); ++i) {
        const std::string& paper = papers[static_cast<std::size_t>(i)];
        all.push_back({"body paper " + paper, {}, {kFeatureBodyPaper, i, paper}});
        for (const auto& [name, needs, feature] :
             {std::tuple{"front cover on ", Click{kFeatureFrontCoverMode, 2, ""}, kFeatureFrontCoverPaper},
              {"back cover on ", Click{kFeatureBackCoverMode, 2, ""}, kFeatureBackCoverPaper},
              {"interleaved on ", Click{kFeaturePrintingMode, 5, ""}, kFeatureInterleavePaper}})
            all.push_back({name + paper, {needs}, {feature, i, paper}});
    }
    return all;
}

TEST(ValidationOrder, EveryJobSettingAndPageExceptionGiveOneAnswerInBothOrders) {
    Walks walks;
    const std::vector<std::string> papers = walks.papers();
    std::map<std::string, std::vector<PageException>> acceptedAfter;  // by the clicks before the setting
    std::string differences, table;
    for (const auto& [contextName, context] : kContexts) {
        for (const auto& [settingName, needs, value] : Settings(papers)) {
            Clicks before = context;
            before.insert(before.end(), needs.begin(), needs.end());
            Clicks made = before;
            made.push_back(value);
            if (!walks.accepted(made)) continue;
            std::string key;
            for (const Click& click : before) key += platform::Format("%d=%d ", click.feature, click.value);
            if (!acceptedAfter.count(key))
                for (const std::string& paper : papers)
                    for (int code : {kPePaperSubstitution, kPeInsertBefore})
                        if (const PageException pe{code, paper}; walks.accepted(before, &pe))
                            acceptedAfter[key].push_back(pe);
            const std::string name = contextName + settingName;
            std::map<int, int> refused, alone;
            for (const PageException& pe : acceptedAfter[key]) {
                ++alone[pe.code];
                const bool second = !walks.accepted(made, &pe), first = !walks.accepted(before, &pe, &value);
                if (first != second)
                    differences += name + " / " + std::to_string(pe.code) + " " + pe.paper + ": refused only " +
                                   (second ? "after" : "before") + " the setting\n";
                refused[pe.code] += first && second;
            }
            if (refused[kPePaperSubstitution] + refused[kPeInsertBefore] > 0)
                table += platform::Format("%s: refuses %d of %d substitutions, %d of %d inserts\n", name.c_str(),
                                          refused[kPePaperSubstitution], alone[kPePaperSubstitution],
                                          refused[kPeInsertBefore], alone[kPeInsertBefore]);
        }
    }
    EXPECT_EQ(differences, "");
    EXPECT_EQ(table, filter_test::readFile(LUMAPREX_TEST_DATA "/validation/order_refusals.txt"));
}

}  // namespace

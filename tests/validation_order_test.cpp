// A check holds whatever the order of the clicks: over the shipped rule file
// and catalog, through the bridge's road, every job setting that a rule
// governs and every page exception on a catalog paper are both accepted or
// both refused, whichever of the two the user sets first; and the settings
// that refuse page exceptions refuse those of the fixture.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <numeric>
#include <random>

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

// A page exception as the page-exception pane stores it: a paper
// substitution on pages 3 to 5 or an insert before or after page 3 (going
// with the job; one before also to each tray, one after to the stapler),
// each on a catalog paper; or pages 3 to 5 on the body paper with a print
// mode, a print side or an output device (and staple position) of their own.
struct PageException {
    int code;
    std::string paper;
    int value = 0;
    int first = 3, last = 5, staple = 1;
};

// What it stores on its pages: a subset also its staple position and a
// booklet's fold, as through the all-sets box.
std::vector<std::pair<int, int>> Features(const PageException& pe) {
    std::vector<std::pair<int, int>> features{{pe.code, pe.value}};
    if (pe.code == kPeSubsetOutput && (pe.value == 2 || pe.value == 4)) features.push_back({kPeSubsetStaple, pe.staple});
    if (pe.code == kPeSubsetOutput && pe.value == 4) features.push_back({kPeSubsetFold, pe.staple == 1 ? 8 : 9});
    return features;
}

// The pane's Update of a layout or a finishing subset: the check, the
// store, every range given the job's punch, the validator's list afresh.
int StorePages(Bridge& b, const PageException& pe) {
    const int s = pe.first, e = pe.last;
    for (const auto& [code, value] : Features(pe))
        if (const int refusal = b.JSE_ValidationOnExceptions(s, e, code, "", value)) return refusal;
    if (pe.code != kPeSubsetOutput) {
        b.JSE_SetPageFeature(s, e, pe.code, pe.value);
    } else {
        b.JSE_SetPageProperty(s, e, 1, "Letter", kPeFinishingSubset, pe.value);  // the paper the pane's list shows
        b.JSE_SetPageFeature(s, e, kPeFinishingSubset, pe.value);
        int entry = -1;
        b.JSE_PageCollection_FindPageFeatureByPageNumbers(s, e, kPeFinishingSubset, entry);
        for (const auto& [code, value] : Features(pe)) b.JSE_PageCollection_AddPageFeature(entry, code, value);
    }
    for (int i = 0; i < b.JSE_PageCollection_GetSize(); ++i)
        b.JSE_PageCollection_AddPageFeature(i, kPePunch, b.JSE_GetJobPunchValue());
    b.JSE_LoadPageExceptionToValidation();
    return 0;
}

int Store(Bridge& b, const PageException& pe) {
    switch (pe.code) {
    case kPePaperSubstitution: return StorePaper(b, pe.first, pe.last, pe.code, pe.paper, 0);
    case kPeInsertBefore:
    case kPeInsertAfter: return StorePaper(b, pe.first, pe.last, pe.code, pe.paper, pe.value ? pe.value : kPeNotSet);
    default: return StorePages(b, pe);
    }
}

std::vector<PageException> PageExceptions(const std::vector<std::string>& papers) {
    std::vector<PageException> all;
    for (const std::string& paper : papers)
        for (int code : {kPePaperSubstitution, kPeInsertBefore, kPeInsertAfter})
            all.push_back({code, paper, 0, 3, code == kPePaperSubstitution ? 5 : 3});
    for (const std::string& paper : papers) {
        for (int tray = 1; tray <= 3; ++tray) all.push_back({kPeInsertBefore, paper, tray, 3, 3});
        all.push_back({kPeInsertAfter, paper, 2, 3, 3});
    }
    for (int mode = 1; mode <= 3; ++mode) all.push_back({kPePrintMode, "", mode});
    for (int side = 1; side <= 2; ++side) all.push_back({kPePrintSide, "", side});
    for (int device = 1; device <= 5; ++device) all.push_back({kPeSubsetOutput, "", device});
    return all;
}

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
        if (pe && Store(m_bridge, *pe) != 0) return false;
        return !last || m_bridge.HandleJobFeatures(last->feature, last->value, last->paper, 0) == 0;
    }
    // Whether the clicks, then the page exceptions in this order, are all accepted.
    bool accepted(const Clicks& clicks, std::initializer_list<const PageException*> order) {
        return accepted(clicks) && std::all_of(order.begin(), order.end(), [&](auto pe) { return !Store(m_bridge, *pe); });
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

// One value of a job feature that a rule of the shipped file governs, after
// the clicks it needs, in the family of its feature.
struct Setting {
    const char* family;
    std::string name;
    Clicks needs;
    Click value;
};

std::vector<Setting> Settings(const std::vector<std::string>& papers) {
    std::vector<Setting> all;
    const Click stapler{kFeatureDocumentExit, 2, ""}, booklet{kFeatureDocumentExit, 4, ""};
    for (int mode = 1; mode <= 6; ++mode)
        all.push_back({"print mode", "print mode " + std::to_string(mode), {}, {kFeaturePrintingMode, mode, ""}});
    for (int exit = 1; exit <= 6; ++exit)
        all.push_back({"output device", "output device " + std::to_string(exit), {}, {kFeatureDocumentExit, exit, ""}});
    for (int staple = 2; staple <= 4; ++staple)
        all.push_back({"staple position", "stapler, staple " + std::to_string(staple), {stapler},
                       {kFeatureStaplerPosition, staple, ""}});
    all.push_back({"staple position", "booklet maker, saddle", {booklet}, {kFeatureStaplerPosition, 5, ""}});
    all.push_back({"trimming", "booklet maker, trimming", {booklet}, {kFeatureTrimming, 1, ""}});
    for (const auto& [name, exit] : {std::pair{"stapler", 2}, {"stacker", 3}})
        all.push_back({"offset stacking", std::string(name) + ", offset stacking", {{kFeatureDocumentExit, exit, ""}},
                       {kFeatureOffsetStacking, 1, ""}});
    for (int pattern : {3, 4, 64})
        all.push_back({"punch pattern", "punch pattern " + std::to_string(pattern), {}, {kFeaturePunchPattern, pattern, ""}});
    all.push_back({"signature pages", "signature of 16 pages", {{kFeaturePrintingMode, 6, ""}},
                   {kFeatureSignaturePages, 16, ""}});
    for (const auto& [cover, mode, punch] : {std::tuple{"front", kFeatureFrontCoverMode, kFeaturePunchFrontCover},
                                             {"back", kFeatureBackCoverMode, kFeaturePunchBackCover}})
        all.push_back({"cover punch", std::string(cover) + " cover, punched",
                       {{mode, 2, ""}, {kFeaturePunchPattern, 3, ""}}, {punch, 1, ""}});
    for (int i = 0; i < static_cast<int>(papers.size()); ++i) {
        const std::string& paper = papers[static_cast<std::size_t>(i)];
        all.push_back({"body paper", "body paper " + paper, {}, {kFeatureBodyPaper, i, paper}});
        for (const auto& [family, name, needs, feature] :
             {std::tuple{"cover paper", "front cover on ", Click{kFeatureFrontCoverMode, 2, ""}, kFeatureFrontCoverPaper},
              {"cover paper", "back cover on ", Click{kFeatureBackCoverMode, 2, ""}, kFeatureBackCoverPaper},
              {"interleave paper", "interleaved on ", Click{kFeaturePrintingMode, 5, ""}, kFeatureInterleavePaper}})
            all.push_back({family, name + paper, {needs}, {feature, i, paper}});
    }
    return all;
}

// The job features that no page exception meets in the page-exception
// checks, so that no rule need join them (the table shows they refuse none):
// the staple position, trimming and offset stacking, which those checks
// judge by the output device, whose rules check the page exceptions, and
// by a subset's own trim and offset; the signature; the covers and their
// punches, sheets of their own outside the pages; and the interleave paper,
// as no page exception is held while the job interleaves.
constexpr const char* kUnconnected = "staple position, trimming, offset stacking, signature pages, cover punch, "
                                     "cover paper, interleave paper";

// The kinds of page exception, as the table counts them.
std::string KindOf(const PageException& pe) {
    switch (pe.code) {
    case kPePaperSubstitution: return "substitutions";
    case kPeInsertBefore: return "inserts before";
    case kPeInsertAfter: return "inserts after";
    case kPePrintMode: return "print modes";
    case kPePrintSide: return "print sides";
    default: return "output devices";
    }
}

std::string NameOf(const PageException& pe) {
    return KindOf(pe) + " " + pe.paper + (pe.value == 0 ? "" : (pe.paper.empty() ? "" : " to ") + std::to_string(pe.value)) +
           (pe.staple == 1 ? "" : " stapled " + std::to_string(pe.staple)) + platform::Format(" on %d..%d", pe.first, pe.last);
}

TEST(ValidationOrder, EveryJobSettingAndPageExceptionGiveOneAnswerInBothOrders) {
    Walks walks;
    const std::vector<std::string> papers = walks.papers();
    const std::vector<PageException> pageExceptions = PageExceptions(papers);
    std::map<std::string, std::vector<PageException>> acceptedAfter;  // by the clicks before the setting
    std::map<std::string, bool> refusing;                              // by family
    std::string differences, table;
    for (const auto& [contextName, context] : kContexts) {
        for (const Setting& setting : Settings(papers)) {
            Clicks before = context;
            before.insert(before.end(), setting.needs.begin(), setting.needs.end());
            Clicks made = before;
            made.push_back(setting.value);
            refusing.emplace(setting.family, false);
            if (!walks.accepted(made)) continue;
            std::string key;
            for (const Click& click : before) key += platform::Format("%d=%d ", click.feature, click.value);
            if (!acceptedAfter.count(key))
                for (const PageException& pe : pageExceptions)
                    if (walks.accepted(before, &pe)) acceptedAfter[key].push_back(pe);
            const std::string name = contextName + setting.name;
            std::map<std::string, std::pair<int, int>> counts;  // by kind: refused, accepted alone
            for (const PageException& pe : acceptedAfter[key]) {
                const bool peSecond = !walks.accepted(made, &pe), settingSecond = !walks.accepted(before, &pe, &setting.value);
                if (peSecond != settingSecond)
                    differences += name + " / " + NameOf(pe) + ": refused only " + (peSecond ? "after" : "before") +
                                   " the setting\n";
                auto& [refused, alone] = counts[KindOf(pe)];
                refused += peSecond && settingSecond;
                ++alone;
            }
            std::string row;
            for (const auto& [kind, count] : counts)
                if (count.first > 0) row += platform::Format(", %d of %d %s", count.first, count.second, kind.c_str());
            if (row.empty()) continue;
            table += name + ": refuses" + row.substr(1) + "\n";
            refusing[setting.family] = true;
        }
    }
    std::string unconnected;
    for (const Setting& setting : Settings(papers))
        if (!refusing[setting.family]) {
            unconnected += (unconnected.empty() ? "" : ", ") + std::string(setting.family);
            refusing[setting.family] = true;  // named once
        }
    EXPECT_EQ(differences, "");
    EXPECT_EQ(unconnected, kUnconnected);
    EXPECT_EQ(table, filter_test::readFile(LUMAPREX_TEST_DATA "/validation/order_refusals.txt"));
}


// Pages of a finishing subset print on the body paper, not on the paper the
// pane's list shows beside the subset: a paper on one of them, or a body
// paper, that its device cannot take with the others is refused in every
// order of the three steps; so is a paper on pages partly outside the
// subset, which go with the rest of the job to the same device.
TEST(ValidationOrder, SubsetPagesAreJudgedOnTheBodyPaperInEveryOrder) {
    platform::LogRecorder quiet;
    Bridge b;
    b.start();
    const auto index = [&](const char* paper) {
        WString name;
        Bridge::NSStringToWString(paper, name);
        return b.engine()->JSE_Media_GetIndex(name);
    };
    struct Case {
        const char* name;
        Clicks job;
        int device;
        const char* body;
        const char* paper;
        std::pair<int, int> pages, subset;
        int refusal;
    } cases[] = {
        {"stapler subset, Letter_Blue on page 4", {}, 2, "A4", "Letter_Blue", {4, 4}, {3, 5}, 16000},
        {"booklet subset of a duplex job, Letter_Blue on page 4", {{kFeaturePrintingMode, 2, ""}}, 4, "A4", "Letter_Blue",
         {4, 4}, {3, 5}, 16118},
        {"stapler subset, Tabloid body", {}, 2, "Tabloid", nullptr, {}, {3, 5}, 16011},
        {"booklet job, booklet subset 2..3, Letter on 1..3",
         {{kFeaturePrintingMode, 2, ""}, {kFeatureDocumentExit, 4, ""}}, 4, "B4", "Letter", {1, 3}, {2, 3}, 16118},
    };
    for (const Case& c : cases) {
        std::vector<std::function<int()>> steps = {
            [&] { return b.HandleJobFeatures(kFeatureBodyPaper, index(c.body), c.body, 0); },
            [&] { return Store(b, {kPeSubsetOutput, "", c.device, c.subset.first, c.subset.second}); },
        };
        if (c.paper)
            steps.push_back([&] { return StorePaper(b, c.pages.first, c.pages.second, kPePaperSubstitution, c.paper, 0); });
        std::vector<std::size_t> order(steps.size());
        std::iota(order.begin(), order.end(), 0);
        do {
            SCOPED_TRACE(testing::Message() << c.name << ", order " << order[0] << order[1] << (c.paper ? order[2] : 9));
            b.JSEPreferenceSetFactory();
            for (const Click& click : c.job) b.HandleJobFeatures(click.feature, click.value, click.paper, 0);
            int refusal = 0;
            for (const std::size_t i : order)
                if (refusal == 0) refusal = steps[i]();
            EXPECT_EQ(refusal, c.refusal);
        } while (std::next_permutation(order.begin(), order.end()));
    }
}

// On the job as it comes and on a duplex job (which booklets and back sides
// need), every two page exceptions accepted alone - a subset to each device
// with each staple position, a substitution to each catalog paper, an insert
// on three papers to each tray, each print mode and side - answer alike in
// both orders, the second on the pages of the first (3 to 5), within them,
// at either end or across the last; and in a seeded sample, a third stored
// between two answers as when stored first (unless it replaces the first,
// being of its kind).
TEST(ValidationOrder, TwoPageExceptionsAnswerAlikeWhicheverIsStoredFirst) {
    Walks walks;
    std::vector<PageException> kinds;
    for (int device = 1; device <= 5; ++device)
        for (int staple : device == 2 ? std::vector{1, 2, 3, 4} : device == 4 ? std::vector{1, 5} : std::vector{1})
            kinds.push_back({kPeSubsetOutput, "", device, 3, 5, staple});
    for (const std::string& paper : walks.papers()) kinds.push_back({kPePaperSubstitution, paper});
    for (int code : {kPeInsertBefore, kPeInsertAfter})
        for (const char* paper : {"Letter_Insert", "A4", "Letter_Tab"})
            for (int tray = 0; tray <= 3; ++tray) kinds.push_back({code, paper, tray});
    for (int mode = 1; mode <= 3; ++mode) kinds.push_back({kPePrintMode, "", mode});
    for (int side = 1; side <= 2; ++side) kinds.push_back({kPePrintSide, "", side});
    std::mt19937 random(57);
    std::string differences, table;
    for (const auto& [contextName, context] : {kContexts[0], kContexts[1]}) {
        std::vector<PageException> placed;
        for (PageException pe : kinds)
            for (const auto& [first, last] : {std::pair{3, 5}, {4, 4}, {3, 4}, {4, 5}, {4, 6}})
                if (pe.first = first, pe.last = last; walks.accepted(context, {&pe})) placed.push_back(pe);
        std::map<std::string, std::map<std::string, std::pair<int, int>>> counts;  // refused, tried
        for (const PageException& a : placed) {
            if (a.first != 3 || a.last != 5) continue;
            for (const PageException& b : placed) {
                const bool ab = walks.accepted(context, {&a, &b}), ba = walks.accepted(context, {&b, &a});
                if (ab != ba) differences += contextName + NameOf(a) + " / " + NameOf(b) + "\n";
                counts[KindOf(a)][KindOf(b)].first += !ab && !ba;
                ++counts[KindOf(a)][KindOf(b)].second;
            }
        }
        for (int round = 0; round < 1000; ++round) {
            const PageException &a = placed[random() % placed.size()], &b = placed[random() % placed.size()],
                                &c = placed[random() % placed.size()];
            if (c.code != a.code && walks.accepted(context, {&a, &c, &b}) != walks.accepted(context, {&c, &a, &b}))
                differences += contextName + NameOf(c) + " between " + NameOf(a) + " and " + NameOf(b) + "\n";
        }
        for (const auto& [kind, seconds] : counts) {
            std::string row;
            for (const auto& [second, count] : seconds)
                if (count.first > 0) row += platform::Format(", %d of %d %s", count.first, count.second, second.c_str());
            if (!row.empty()) table += contextName + kind + " on 3..5: refuses" + row.substr(1) + "\n";
        }
    }
    EXPECT_EQ(differences, "");
    EXPECT_EQ(table, filter_test::readFile(LUMAPREX_TEST_DATA "/validation/order_page_exception_pairs.txt"));
}

}  // namespace

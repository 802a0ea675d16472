// Page exceptions through the bridge, step by step as the page-exception
// pane sends them: what each step leaves in the collection as the pane reads
// it back, in the validator's list and in the handed-out ticket; the
// validator's list is a fresh load of the collection after every step.
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <iterator>
#include <random>

#include "controller_support.h"

namespace {

using namespace controller_test;
using Step = std::pair<const char*, std::function<void(Bridge&)>>;

// Every page and image record, read through the getters the panes use.
std::string PaneView(Bridge& b) {
    std::string text;
    for (int i = 0, first, last, code, value, id; i < b.JSE_PageCollection_GetSize(); ++i) {
        b.JSE_PageCollection_GetPageNumber(i, first, last);
        text += "  pages " + std::to_string(first) + ".." + std::to_string(last);
        for (int j = 0; j < b.JSE_PageCollection_GetPageFeatureSize(i); ++j) {
            b.JSE_PageCollection_GetPageFeature(i, j, code, value);
            text += " " + std::to_string(code) + "=" + std::to_string(value);
        }
        for (int j = 0; j < b.JSE_PageCollection_GetPropertySize(i); ++j) {
            std::string paper;
            b.JSE_PageCollection_GetProperty(i, j, id, paper);
            text += " property " + std::to_string(id) + "=\"" + paper + "\"";
        }
        text += "\n";
    }
    for (int k = 0, first, last, code, codeValue, unit, orientation; k < b.JSE_PageCollection_GetPageImageSize(); ++k) {
        bool mirror = false;
        float x1, y1, x2, y2;
        b.JSE_PageCollection_GetImagePageNumber(k, first, last);
        b.JSE_PageCollection_GetImageFeature(k, 0, code, codeValue, unit, mirror, orientation, x1, y1, x2, y2);
        text += platform::Format("  image %d..%d %d unit %d mirror %d orientation %d %.3f %.3f %.3f %.3f\n", first,
                                 last, code, unit, mirror, orientation, x1, y1, x2, y2);
    }
    return text;
}

// The validator's page-exception list, one line per record.
std::string ValidatorList(Bridge& b) {
    std::string text;
    for (long i = 0; i < b.engine()->JSE_Validation_Get_NumberOf_PeRecord(); ++i) {
        JSE_PageExceptionType r;
        b.engine()->JSE_Validation_GetPageExceptionItem(i, r);
        text += platform::Format("  validator %d..%d mode %d exit %d paper \"%s\" punch %d plex %d side %d rotate %d "
                                 "chapter %d subset %d output %d staple %d jog %d copies %d\n",
                                 int(r.startingPage), int(r.endingPage), r.exceptionMode, r.paperExit,
                                 Bridge::wstringToNSString(r.mediaName).c_str(), r.pePunch, r.pePlexValue,
                                 r.peSideValue, r.peRotateValue, r.finishChapter, r.peSubset, r.peRecord.peOutputValue,
                                 r.peRecord.peStapleValue, r.peRecord.peJogValue, r.pageCopies);
    }
    return text;
}

// Runs the steps; after each the pane's view and the validator's list go
// into the transcript, and a fresh load must leave that list as it is.
std::string Walk(Bridge& b, const std::vector<Step>& steps) {
    std::string transcript;
    for (const auto& [name, step] : steps) {
        SCOPED_TRACE(name);
        step(b);
        const std::string list = ValidatorList(b);
        b.JSE_LoadPageExceptionToValidation();
        EXPECT_EQ(ValidatorList(b), list) << "the validator's list is no fresh load";
        transcript += std::string("== ") + name + "\n" + PaneView(b) + list;
    }
    return transcript;
}

std::string HandOut(Bridge& b) {
    std::string text;
    int error = 0;
    return b.GetJobTicket(text, b.GetJobTicketSize(), error), text;
}

const std::vector<Step> kScenario = {
    {"substitution 3..5: one-sided paper refused in a duplex job, then red paper",
     [](Bridge& b) {
         ASSERT_EQ(b.HandleJobFeatures(kFeaturePrintingMode, 2, {}, 0), 0);
         EXPECT_EQ(StorePaper(b, 3, 5, kPePaperSubstitution, "Letter_Transparency", 0), 16004);
         EXPECT_EQ(StorePaper(b, 3, 5, kPePaperSubstitution, "Letter_Red", 0), 0);
     }},
    {"insert after page 7 from the stapler's tray",
     [](Bridge& b) { EXPECT_EQ(StorePaper(b, 7, 7, kPeInsertAfter, "Letter_Insert", 2), 0); }},
    {"booklet subset 10..20, no staple, trimmed",
     [](Bridge& b) {
         EXPECT_EQ(b.JSE_ValidationOnExceptions(10, 20, kPeSubsetOutput, "", 4), 0);
         b.JSE_SetPageProperty(10, 20, 1, "", kPeFinishingSubset, 4);
         b.JSE_SetPageFeature(10, 20, kPeFinishingSubset, 4);
         int i = -1;
         b.JSE_PageCollection_FindPageFeatureByPageNumbers(10, 20, kPeFinishingSubset, i);
         for (const auto& [code, value] : {std::pair{224, 4}, {225, 1}, {239, 10}})
             b.JSE_PageCollection_AddPageFeature(i, code, value);
     }},
    {"image shift on 2..4 of 5 and 3 mm, side 2 mirrored",
     [](Bridge& b) {
         const float x = static_cast<float>(Bridge::mmToPoint(5)), y = static_cast<float>(Bridge::mmToPoint(3));
         b.JSE_PageCollection_SetImageFeature(2, 4, kPeImageShift, 1, 1, 1, x, y, -x, y);
     }},
    {"print mode simplex and chapter start on 7..8",
     [](Bridge& b) { b.JSE_SetPageFeature(7, 8, kPePrintMode, 1), b.JSE_SetPageFeature(7, 8, kPeChapterStart, 1); }},
    {"the job punches: every range punched, then 3..5 takes the pattern",
     [](Bridge& b) {
         ASSERT_EQ(b.HandleJobFeatures(kFeaturePunchPattern, 64, {}, 0), 0);
         b.JSE_PageCollection_UpdatePunch(3, 5, kPePunch, 1);
     }},
};

TEST(PageExceptionServices, PaneScenariosAndRemovalsReadBackAndReachTheTicket) {
    Bridge bridge;
    bridge.start();
    const std::string before = HandOut(bridge);
    std::string transcript = Walk(bridge, kScenario);
    transcript += "== ticket\n" + Changes(before, HandOut(bridge));
    // The whole-job check, before and after one-sided paper goes unchecked
    // on a page of the duplex job.
    for (const char* paper : {"", "Letter_Transparency"}) {
        if (*paper) bridge.JSE_SetPageProperty(22, 22, 1, paper, kPePaperSubstitution, 0);
        const bool passed = bridge.JSE_ValidationOnTicket();
        transcript += platform::Format("== whole job: %d, %d refusals, first %d\n", passed,
                                       bridge.JSE_Validation_GetNumberOfErrors(),
                                       bridge.JSE_JobTicket_Validation_GetErrorID(0));
    }
    EXPECT_EQ(transcript, Fixture("page_exception_scenarios.txt"));
    bridge.JSE_PageCollection_RemovePageAt(bridge.JSE_PageCollection_GetSize() - 1);  // page 22 goes again
    const std::vector<Step> removals = {
        {"pages 12..14 cut out of the subset", [](Bridge& b) { b.JSE_PageCollection_RemovePages(12, 14); }},
        {"chapter start off 7..8 keeps the print mode's punch",
         [](Bridge& b) { b.JSE_RemovePageFeature(7, 8, kPeChapterStart, 255); }},
        {"pages 3..5 removed whole, then 3..4 cut out of the image shift",
         [](Bridge& b) { b.JSE_PageCollection_RemovePages(3, 5), b.JSE_PageCollection_RemovePages(3, 4); }},
        {"subset of exactly 15..20 removed with its device",
         [](Bridge& b) { b.JSE_RemovePageFeature(15, 20, kPeSubsetOutput, 255); }},
        {"the first record", [](Bridge& b) { b.JSE_PageCollection_RemovePageAt(0); }},
        {"reversed and absent ranges change nothing",
         [](Bridge& b) { b.JSE_PageCollection_RemovePages(9, 1), b.JSE_PageCollection_RemovePages(30, 40); }},
        {"all pages", [](Bridge& b) { b.JSE_PageCollection_RemoveAllPages(); }},
    };
    EXPECT_EQ(Walk(bridge, removals), Fixture("page_exception_removals.txt"));
}

// The validator's list is built when it is read: read after every change of
// a long seeded run, or only now and then, it is the same list, and so is
// the ticket.
TEST(PageExceptionServices, ValidatorListReadAfterManyChangesIsTheListReadAfterEach) {
    Bridge each, now;
    each.start();
    now.start();
    const std::function<void(Bridge&, int, int, int)> changes[] = {
        [](Bridge& b, int a, int e, int v) { StorePaper(b, a, e, kPePaperSubstitution, v % 2 ? "A4" : "Legal", 0); },
        [](Bridge& b, int a, int e, int v) { StorePaper(b, a, e, kPeInsertBefore, "Letter_Tab", v % 4); },
        [](Bridge& b, int a, int e, int v) { b.JSE_SetPageFeature(a, e, v % 2 ? kPePrintMode : kPeRotation, 1 + v); },
        [](Bridge& b, int a, int e, int v) { b.JSE_RemovePageFeature(a, e, v % 2 ? kPePrintMode : kPeRotation, 0); },
        [](Bridge& b, int a, int e, int) { b.JSE_PageCollection_RemovePages(a, e); },
        [](Bridge& b, int a, int, int) { b.JSE_PageCollection_RemovePageAt(a % 6); },
        [](Bridge& b, int a, int e, int v) {
            b.JSE_SetPageProperty(a, e, 1, "", kPeFinishingSubset, 1 + v % 5);
            b.JSE_SetPageFeature(a, e, kPeFinishingSubset, 1 + v % 5);
        },
        [](Bridge& b, int a, int, int) { b.JSE_PageCollection_UpdatePunch(a, a, kPePunch, 1); },
    };
    std::mt19937 random(46);
    for (int step = 1; step <= 150; ++step) {
        const int a = 1 + static_cast<int>(random() % 40), e = a + static_cast<int>(random() % 9);
        const auto& change = changes[random() % std::size(changes)];
        const int value = static_cast<int>(random() % 12);
        if (step % 50 == 0) each.JSE_PageCollection_RemoveAllPages(), now.JSE_PageCollection_RemoveAllPages();
        change(each, a, e, value);
        change(now, a, e, value);
        const std::string list = ValidatorList(each);
        if (step % 7 != 0) continue;
        ASSERT_EQ(ValidatorList(now), list) << "step " << step;
    }
    EXPECT_EQ(ValidatorList(now), ValidatorList(each));
    EXPECT_EQ(HandOut(now), HandOut(each));
}

// Pages cut out of the entry that holds them leave a layout range whole, and
// it stays so through a later layout change.
TEST(PageExceptionServices, RemovingPagesCutsTheirEntryAndNeverALayoutRange) {
    Bridge b;
    b.start();
    b.JSE_SetPageFeature(1, 10, kPeRotation, 3);
    StorePaper(b, 1, 10, kPePaperSubstitution, "Letter_Red", 0);
    b.JSE_PageCollection_RemovePages(4, 5);
    b.JSE_SetPageFeature(20, 20, kPePrintMode, 2);
    EXPECT_EQ(PaneView(b), "  pages 1..3 232=0 237=0 property 1=\"Letter_Red\"\n"
                           "  pages 6..10 232=0 237=0 property 1=\"Letter_Red\"\n"
                           "  pages 1..10 301=3 237=0\n"
                           "  pages 20..20 235=2\n");
}

// Out of range, and before the engine runs, every getter answers -1, 0 or
// empty, whatever its outputs held; the one record has two features and one
// property.
TEST(PageExceptionServices, IndexesOutOfRangeGiveNeutralAnswers) {
    Bridge started, idle;
    started.start();
    StorePaper(started, 3, 5, kPePaperSubstitution, "Letter_Red", 0);
    for (Bridge* b : {&started, &idle}) {
        for (const int bad : {-1, 2, INT_MAX, INT_MIN}) {
            SCOPED_TRACE(testing::Message() << (b == &idle ? "idle " : "started ") << bad);
            int n[10] = {7, 7, 7, 7, 7, 7, 7, 7, 7, 7};
            std::string texts[2] = {"stale", "stale"};
            b->JSE_PageCollection_GetPageNumber(bad, n[0], n[1]);
            b->JSE_PageCollection_GetImagePageNumber(bad, n[2], n[3]);
            b->JSE_PageCollection_GetPageFeature(bad, 0, n[4], n[5]);
            b->JSE_PageCollection_GetPageFeature(0, bad, n[6], n[7]);
            b->JSE_PageCollection_GetProperty(bad, 0, n[8], texts[0]);
            b->JSE_PageCollection_GetProperty(0, bad, n[9], texts[1]);
            EXPECT_EQ(std::vector<int>(n, n + 10), std::vector<int>({-1, -1, -1, -1, 0, 0, 0, 0, 0, 0}));
            EXPECT_EQ(texts[0] + texts[1] + std::to_string(b->JSE_PageCollection_GetPageFeatureSize(bad)) +
                          std::to_string(b->JSE_PageCollection_GetPropertySize(bad)), "00");
        }
    }
}

}  // namespace

// Templates into a running bridge: whatever bytes a template file holds, the
// load ends, the dictionary the panes hold keeps its six groups and can be
// saved as a template again, the bridge still hands out a ticket, and the
// settings store holds nothing the panes would not let the user choose: each
// number within its control's range, collate, covers and separators as the
// job-setup pane lets them stand, each text within its field's class and
// byte limit, each paper one of the catalog in use, image shifts and margins
// within their limits, page features on pages 1 to 99999 with the values the
// page-exception pane gives them.
#include <algorithm>

#include "AlertPanel.h"
#include "ImageDistanceLimits.h"
#include "PropertyList.h"
#include "SystemLog.h"
#include "TypedText.h"
#include "fuzz_support.h"
#include "zqController.h"

namespace {

// The engine's parts the checks read.
class Bridge : public zqController {
public:
    using zqController::engine;
    using zqController::pageCollection;
};

Bridge& RunningBridge() {
    static Bridge* bridge = [] {
        auto* started = new Bridge();
        started->SetJobTicketInfoFromApplication("Fuzz", 1, 1);
        started->setBundle(platform::Bundle::Open(LUMAPREX_BUNDLE_DIR));
        return started;
    }();
    return *bridge;
}

bool Within(double value, double lowest, double highest) { return value >= lowest && value <= highest; }

// What the panes let the user choose for the numbers of the job.
bool NumbersWithinThePanesRanges(const JSE_JobFeatureType& r) {
    return Within(static_cast<double>(r.copyCount), 1, 99999) && Within(r.printingMode, 1, 6) &&
           Within(r.frontCoverMode, 1, 5) && Within(r.backCoverMode, 1, 5) && Within(r.statusMode, 1, 4) &&
           Within(r.jobExit, 1, 6) && Within(r.staplerPosition, 1, 5) && Within(r.punchJob, 0, 999) &&
           Within(r.signaturePages, 1, 4000) && Within(r.halftoneAngle, 30, 180) &&
           Within(r.halftoneFrequency, 60, 600) && Within(r.finishOrientation, 1, 4);
}

// The job-setup pane's rules: an interleaved job is collated and has no
// covers, and set separators go between collated sets only.
bool JobSetupRulesHold(const JSE_JobFeatureType& r) {
    const bool interleaved = IsInterleaveMode(r.printingMode);
    return (!interleaved || (r.collate && r.frontCoverMode == 1 && r.backCoverMode == 1)) &&
           (!r.setSeparator || r.collate);
}

bool TextsKeepToTheirFields(const JSE_JobFeatureType& r) {
    const std::pair<const char*, const WString*> texts[] = {
        {"eMailAddressText", &r.eMailAddressText},     {"operatorMessageText", &r.operatorMessageText},
        {"deliverToText", &r.deliverToText},           {"chargeNumberText", &r.chargeNumberText},
        {"createTIFFPath", &r.createTIFFPath},         {"saveAsFileNameText", &r.saveAsFileNameText},
        {"specificPrinterNameText", &r.specificPrinterNameText}};
    for (const auto& [key, text] : texts)
        if (!KeepsToRule(zqController::wstringToNSString(*text), *TextRuleOf(key))) return false;
    return true;
}

bool Known(Bridge& bridge, const WString& paper) {
    return paper.empty() || bridge.engine()->JSE_Media_GetIndex(paper) >= 0;
}

bool PapersOfTheCatalog(Bridge& bridge, const JSE_JobFeatureType& r) {
    for (const WString* paper : {&r.bodyPaper, &r.interleavePaper, &r.frontCoverPaper, &r.backCoverPaper,
                                 &r.separatorPaper, &r.statusPaper})
        if (!Known(bridge, *paper)) return false;
    for (int i = 0; i < bridge.JSE_PageCollection_GetSize(); ++i) {
        int id = 0;
        std::string paper;
        bridge.JSE_PageCollection_GetProperty(i, 0, id, paper);
        WString wide;
        zqController::NSStringToWString(paper, wide);
        if (!Known(bridge, wide)) return false;
    }
    return true;
}

// The distances within what the image pane can reach in their unit, as the
// engine keeps them (single precision): a shift up to 0.81 inch or 20.57 mm
// either way, a margin within the pane's limits; page shifts in points.
bool ImageWithinItsLimits(const Bridge& bridge) {
    const auto within = [](double v, image_limits::Limits limits) {
        return Within(v, static_cast<float>(limits.lowest), static_cast<float>(limits.highest));
    };
    const int alignUnit = bridge.GetCurrentImageAlignUnit(), eraseUnit = bridge.GetCurrentEdgeEraseUnit();
    const zqController::ImageShift s = bridge.GetCurrentImageAlignValues(alignUnit);
    const image_limits::Limits reach = image_limits::AlignmentReach(alignUnit);
    for (double v : {s.front.x, s.front.y, s.back.x, s.back.y})
        if (!within(v, reach)) return false;
    const zqController::EdgeMargins m = bridge.GetCurrentEdgeEraseValues(eraseUnit);
    for (double v : {m.front.top, m.front.left, m.front.bottom, m.front.right, m.back.top, m.back.left,
                     m.back.bottom, m.back.right})
        if (!within(v, image_limits::EdgeErase(eraseUnit))) return false;
    for (int k = 0; k < bridge.JSE_PageCollection_GetPageImageSize(); ++k) {
        int code = 0, value = 0, unit = 0, orientation = 0;
        bool mirror = false;
        float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        bridge.JSE_PageCollection_GetImageFeature(k, 0, code, value, unit, mirror, orientation, x1, y1, x2, y2);
        for (float v : {x1, y1, x2, y2})
            if (!within(v, image_limits::ShiftReachInPoints())) return false;
        if (orientation != 1 && orientation != 2) return false;
    }
    return true;
}

// The values the page-exception pane gives each feature of pages; a punch
// is a pattern or 0, a substitution takes any number.
bool PaneGives(int code, int value) {
    const auto among = [value](std::initializer_list<int> values) {
        return std::find(values.begin(), values.end(), value) != values.end();
    };
    switch (code) {
    case kPePrintMode: return among({1, 2, 3});
    case kPePrintSide: return among({1, 2});
    case kPeChapterStart: return among({1});
    case kPeRotation: return among({3});
    case kPeSubsetOutput: case kPeFinishingSubset: case kPeSubsetStaple: return Within(value, 1, 5);
    case kPeSubsetTrim: return among({10, 11});
    case kPeSubsetJog: return among({6, 7});
    case kPeSubsetFold: return among({8, 9});
    case kPeInsertBefore: case kPeInsertAfter: return among({1, 2, 3, 255});
    case kPePunch: return Within(value, 0, 999);
    default: return true;
    }
}

bool PageValuesThePanesGive(const Bridge& bridge) {
    for (int i = 0; i < bridge.JSE_PageCollection_GetSize(); ++i) {
        for (int j = 0; j < bridge.JSE_PageCollection_GetPageFeatureSize(i); ++j) {
            int code = 0, value = 0;
            bridge.JSE_PageCollection_GetPageFeature(i, j, code, value);
            if (!PaneGives(code, value)) return false;
        }
    }
    return true;
}

bool PagesWithinTheJob(const Bridge& bridge) {
    for (int i = 0; i < bridge.JSE_PageCollection_GetSize(); ++i) {
        int first = -1, last = -1;
        bridge.JSE_PageCollection_GetPageNumber(i, first, last);
        if (first < 1 || first > last || last > kLastPage) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    platform::LogRecorder quiet;
    platform::AlertRecorder alerts;
    Bridge& bridge = RunningBridge();
    fuzz::Folder::Instance().Write("template.plist", data, size);
    bridge.LoadSettings(fuzz::Folder::Instance().Path("template.plist"));
    FUZZ_CHECK(alerts.alerts().size() == 1, "every load ends with one alert");
    const platform::Dictionary& dictionary = bridge.jobFeatureDictionary();
    for (const char* group : {"jobSetup", "finisher", "custom", "image", "notification", "Substitution"})
        FUZZ_CHECK(dictionary[group].isDictionary(), "the dictionary keeps its six groups");
    FUZZ_CHECK(platform::PropertyListText(dictionary).has_value(), "the dictionary can be saved as a template");
    JSE_JobFeatureType stored;
    bridge.engine()->JSE_Preference_GetJobFeature(stored);
    FUZZ_CHECK(NumbersWithinThePanesRanges(stored), "the store's numbers lie within the panes' ranges");
    FUZZ_CHECK(JobSetupRulesHold(stored), "collate, covers and separators keep to the job-setup pane's rules");
    FUZZ_CHECK(TextsKeepToTheirFields(stored), "the store's texts keep to their fields' classes and limits");
    FUZZ_CHECK(PapersOfTheCatalog(bridge, stored), "the store's papers are papers of the catalog in use");
    FUZZ_CHECK(ImageWithinItsLimits(bridge), "image shifts and margins lie within their limits");
    FUZZ_CHECK(PagesWithinTheJob(bridge), "page features lie on pages 1 to 99999");
    FUZZ_CHECK(PageValuesThePanesGive(bridge), "page features hold the values the page-exception pane gives");
    FUZZ_CHECK(bridge.GetJobTicketSize() > 0, "a ticket is handed out, with or without the command file");
    return 0;
}

// The job-level values the service hands to a validator: the job controls
// and the job features checked, read from a job-feature record.
#include "JSE_ServiceJob.h"

#include "JSE_Validation.h"

namespace service_job {
namespace {

// A job feature that a rule checks: its JobFeatureId and its control.
struct CheckedFeature {
    int feature;
    int control;
};

constexpr CheckedFeature kBodyPaper{101, eJSE_BodyPaperSelection};
constexpr CheckedFeature kInterleavePaper{102, eJSE_InterleavePaperSelection};
constexpr CheckedFeature kFrontCoverMode{103, eJSE_FrontCoverSelection};
constexpr CheckedFeature kFrontCoverPaper{104, eJSE_FrontCoverPaperSelection};
constexpr CheckedFeature kBackCoverMode{105, eJSE_BackCoverSelection};
constexpr CheckedFeature kBackCoverPaper{106, eJSE_BackCoverPaperSelection};
constexpr CheckedFeature kStatusMode{107, eJSE_StatusModeSelection};
constexpr CheckedFeature kStatusPaper{108, eJSE_StatusPaperSelection};
constexpr CheckedFeature kSetSeparator{109, eJSE_SetSeparatorSelection};
constexpr CheckedFeature kSeparatorPaper{110, eJSE_SeparatorPaperSelection};
constexpr CheckedFeature kPrintMode{112, eJSE_PrintModeSelection};
constexpr CheckedFeature kDocumentExit{113, eJSE_DocumentExitSelection};
constexpr CheckedFeature kStaplerPosition{114, eJSE_StaplerSelection};
constexpr CheckedFeature kOffsetStacking{115, eJSE_OffsetStackingCheck};
constexpr CheckedFeature kTrimming{116, eJSE_TrimmingCheck};
constexpr CheckedFeature kCollate{201, eJSE_CollateCheck};
constexpr CheckedFeature kPunch{218, eJSE_PunchJobTypeCheck};
constexpr CheckedFeature kPunchFrontCover{219, eJSE_PunchFrontCoverTypeCheck};
constexpr CheckedFeature kPunchBackCover{220, eJSE_PunchBackCoverTypeCheck};
constexpr CheckedFeature kSignaturePages{227, eJSE_SignaturePagesEdit};

constexpr CheckedFeature kCheckedFeatures[] = {
    kBodyPaper,      kInterleavePaper, kFrontCoverMode,  kFrontCoverPaper, kBackCoverMode,
    kBackCoverPaper, kStatusMode,      kStatusPaper,     kSetSeparator,    kSeparatorPaper,
    kPrintMode,      kDocumentExit,    kStaplerPosition, kOffsetStacking,  kTrimming,
    kCollate,        kPunch,           kPunchFrontCover, kPunchBackCover,  kSignaturePages,
};

constexpr std::int32_t kNone = 1;  // cover and status-page mode "none"

}  // namespace

int ControlOfFeature(int feature) {
    for (const CheckedFeature& row : kCheckedFeatures)
        if (row.feature == feature) return row.control;
    return -1;
}

std::vector<ControlValue> JobControlValues(const JSE_JobFeatureType& job, const PaperIndex& paperIndex,
                                           bool withCoverPunches) {
    // Stored without checks, so their order does not matter: papers as
    // catalog indexes, then numbers, flags as 0 or 1.
    std::vector<ControlValue> values = {
        {eJSE_BodyPaperSelection, paperIndex(job.bodyPaper)},
        {eJSE_InterleavePaperSelection, paperIndex(job.interleavePaper)},
        {eJSE_FrontCoverPaperSelection, paperIndex(job.frontCoverPaper)},
        {eJSE_BackCoverPaperSelection, paperIndex(job.backCoverPaper)},
        {eJSE_StatusPaperSelection, paperIndex(job.statusPaper)},
        {eJSE_SeparatorPaperSelection, paperIndex(job.separatorPaper)},
        {eJSE_PrintModeSelection, job.printingMode},
        {eJSE_PrintProofSetCheck, job.proofSet},
        {eJSE_CollateCheck, job.collate},
        {eJSE_FrontCoverSelection, job.frontCoverMode},
        {eJSE_BackCoverSelection, job.backCoverMode},
        {eJSE_DocumentExitSelection, job.jobExit},
        {eJSE_StaplerSelection, job.staplerPosition},
        {eJSE_OffsetStackingCheck, job.offsetStack},
        {eJSE_PrintCheck, job.printCheck},
        {eJSE_SaveAsCheck, job.saveAs},
        {eJSE_SpecificPrintCheck, job.specificPrinter},
        {eJSE_StatusModeSelection, job.statusMode},
        {eJSE_SetSeparatorSelection, job.setSeparator},
        {eJSE_SignaturePagesEdit, job.signaturePages},
        {eJSE_FinishChapterCheck, job.finishChapter},
        {eJSE_TrimmingCheck, job.trimming},
        {eJSE_CreateTiffCheck, job.createTIFF},
        {eJSE_PunchJobTypeCheck, PunchSwitch(job.punchJob)},
    };
    if (withCoverPunches) {
        values.push_back({eJSE_PunchFrontCoverTypeCheck, job.punchFrontCover});
        values.push_back({eJSE_PunchBackCoverTypeCheck, job.punchBackCover});
    }
    return values;
}

// Interleaves before the print mode, the mode before the exit and the body
// paper, the body paper before the covers and other papers that must match
// it; every paper of a role the job does not use is left out.
std::vector<FeatureValue> JobFeatureChecks(const JSE_JobFeatureType& job, const PaperIndex& paperIndex) {
    std::vector<FeatureValue> checks;
    const auto add = [&checks](bool when, const CheckedFeature& checked, long value) {
        if (when) checks.push_back({checked.feature, value});
    };
    add(IsInterleaveMode(job.printingMode), kInterleavePaper, paperIndex(job.interleavePaper));
    add(true, kPrintMode, job.printingMode);
    add(true, kDocumentExit, job.jobExit);
    add(true, kBodyPaper, paperIndex(job.bodyPaper));
    add(job.frontCoverMode != kNone, kFrontCoverMode, job.frontCoverMode);
    add(job.frontCoverMode != kNone, kFrontCoverPaper, paperIndex(job.frontCoverPaper));
    add(job.backCoverMode != kNone, kBackCoverMode, job.backCoverMode);
    add(job.backCoverMode != kNone, kBackCoverPaper, paperIndex(job.backCoverPaper));
    add(job.setSeparator, kSeparatorPaper, paperIndex(job.separatorPaper));
    add(job.statusMode != kNone, kStatusPaper, paperIndex(job.statusPaper));
    add(job.collate, kCollate, 1);
    add(job.offsetStack, kOffsetStacking, 1);
    add(job.trimming, kTrimming, 1);
    add(true, kSignaturePages, job.signaturePages);
    add(true, kPunch, PunchSwitch(job.punchJob));
    add(true, kPunchFrontCover, job.punchFrontCover);
    add(true, kPunchBackCover, job.punchBackCover);
    return checks;
}

}  // namespace service_job

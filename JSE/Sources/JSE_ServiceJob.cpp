// The job-level values the service hands to a validator: the job controls
// and the job features checked, read from a job-feature record.
#include "JSE_ServiceJob.h"

#include "JSE_Validation.h"

namespace service_job {
namespace {

// The job features that a rule checks (JobFeatureId numbers).
enum CheckedFeature : int {
    kBodyPaper = 101,
    kInterleavePaper = 102,
    kFrontCoverMode = 103,
    kFrontCoverPaper = 104,
    kBackCoverMode = 105,
    kBackCoverPaper = 106,
    kStatusMode = 107,
    kStatusPaper = 108,
    kSetSeparator = 109,
    kSeparatorPaper = 110,
    kPrintMode = 112,
    kDocumentExit = 113,
    kStaplerPosition = 114,
    kOffsetStacking = 115,
    kTrimming = 116,
    kCollate = 201,
    kPunch = 218,
    kPunchFrontCover = 219,
    kPunchBackCover = 220,
    kSignaturePages = 227,
};

struct FeatureControl {
    int feature;
    int control;
};

const FeatureControl kFeatureControls[] = {
    {kBodyPaper, eJSE_BodyPaperSelection},
    {kInterleavePaper, eJSE_InterleavePaperSelection},
    {kFrontCoverMode, eJSE_FrontCoverSelection},
    {kFrontCoverPaper, eJSE_FrontCoverPaperSelection},
    {kBackCoverMode, eJSE_BackCoverSelection},
    {kBackCoverPaper, eJSE_BackCoverPaperSelection},
    {kStatusMode, eJSE_StatusModeSelection},
    {kStatusPaper, eJSE_StatusPaperSelection},
    {kSetSeparator, eJSE_SetSeparatorSelection},
    {kSeparatorPaper, eJSE_SeparatorPaperSelection},
    {kPrintMode, eJSE_PrintModeSelection},
    {kDocumentExit, eJSE_DocumentExitSelection},
    {kStaplerPosition, eJSE_StaplerSelection},
    {kOffsetStacking, eJSE_OffsetStackingCheck},
    {kTrimming, eJSE_TrimmingCheck},
    {kCollate, eJSE_CollateCheck},
    {kPunch, eJSE_PunchJobTypeCheck},
    {kPunchFrontCover, eJSE_PunchFrontCoverTypeCheck},
    {kPunchBackCover, eJSE_PunchBackCoverTypeCheck},
    {kSignaturePages, eJSE_SignaturePagesEdit},
};

constexpr std::int32_t kNone = 1;  // cover and status-page mode "none"

}  // namespace

int ControlOfFeature(int feature) {
    for (const FeatureControl& row : kFeatureControls)
        if (row.feature == feature) return row.control;
    return -1;
}

std::vector<ControlValue> JobControlValues(const JSE_JobFeatureType& job, const PaperIndex& paperIndex,
                                           bool withCoverPunches) {
    std::vector<ControlValue> values = {
        {eJSE_BodyPaperSelection, paperIndex(job.bodyPaper)},
        {eJSE_PrintModeSelection, job.printingMode},
        {eJSE_PrintProofSetCheck, job.proofSet},
        {eJSE_CollateCheck, job.collate},
        {eJSE_InterleavePaperSelection, paperIndex(job.interleavePaper)},
        {eJSE_FrontCoverSelection, job.frontCoverMode},
        {eJSE_FrontCoverPaperSelection, paperIndex(job.frontCoverPaper)},
        {eJSE_BackCoverSelection, job.backCoverMode},
        {eJSE_BackCoverPaperSelection, paperIndex(job.backCoverPaper)},
        {eJSE_DocumentExitSelection, job.jobExit},
        {eJSE_StaplerSelection, job.staplerPosition},
        {eJSE_OffsetStackingCheck, job.offsetStack},
        {eJSE_PrintCheck, job.printCheck},
        {eJSE_SaveAsCheck, job.saveAs},
        {eJSE_SpecificPrintCheck, job.specificPrinter},
        {eJSE_StatusModeSelection, job.statusMode},
        {eJSE_StatusPaperSelection, paperIndex(job.statusPaper)},
        {eJSE_SetSeparatorSelection, job.setSeparator},
        {eJSE_SeparatorPaperSelection, paperIndex(job.separatorPaper)},
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
    const auto add = [&checks](bool when, int feature, long value) {
        if (when) checks.push_back({feature, value});
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

// The job's papers after another catalog was loaded: each paper of the job
// and of its pages stays when the catalog has it; one the catalog lacks
// becomes the first row of its paper list (the catalog's first paper for the
// body and the pages, the body paper for the others). Then every paper is
// checked by the rules as if chosen again, for a paper the catalog keeps may
// have changed (one the job punches may no longer be punchable). When the
// rules refuse one, the catalog is not taken.
#include <optional>

#include "AlertPanel.h"
#include "SystemLog.h"
#include "zqController.h"

namespace {

constexpr int kOkButton = 10001;
constexpr int kEngineRefusal = 16218;  // shown for a check that answers with an engine error

// The job's papers in the order the rules read them: the body's first.
struct JobPaper {
    int feature;
    WString JSE_JobFeatureType::*name;
};

constexpr JobPaper kJobPapers[] = {
    {kFeatureBodyPaper, &JSE_JobFeatureType::bodyPaper},
    {kFeatureInterleavePaper, &JSE_JobFeatureType::interleavePaper},
    {kFeatureFrontCoverPaper, &JSE_JobFeatureType::frontCoverPaper},
    {kFeatureBackCoverPaper, &JSE_JobFeatureType::backCoverPaper},
    {kFeatureSeparatorPaper, &JSE_JobFeatureType::separatorPaper},
    {kFeatureStatusPaper, &JSE_JobFeatureType::statusPaper},
};

}  // namespace

// The user hears the rule's message; the catalog in use before then comes
// back as it was kept, whatever became of its files meanwhile.
bool zqController::followLoadedCatalog(JSE_Media::Contents previous, const JSE_JobFeatureType& job,
                                       CatalogFollow& follow) {
    replaceMissingPapers(follow);
    const int refusal = checkJobPapers(follow);
    if (refusal == 0) return true;
    platform::ConsoleLog(platform::Format("zqController: the rules refuse the catalog's papers for the job (message %d)", refusal));
    platform::ShowAlert(getNSStringWithID(refusal > 0 ? refusal : kEngineRefusal), getNSStringWithID(kOkButton));
    takeBackCatalog(std::move(previous), job, follow);
    return false;
}

// Every paper is replaced before any is checked, so that no check judges
// by a paper the catalog no longer has.
void zqController::replaceMissingPapers(CatalogFollow& follow) {
    WString first;
    m_service->JSE_Media_GetName(0, first);
    for (const JobPaper& paper : kJobPapers) {
        const WString& name = mJobFeature.*paper.name;
        if (name.empty() || m_service->JSE_Media_GetIndex(name) >= 0) continue;
        const bool body = paper.feature == kFeatureBodyPaper;
        follow.jobPapers.push_back({paper.feature, body ? 0 : -1, body ? wstringToNSString(first) : std::string()});
        SetJobFeature(paper.feature, follow.jobPapers.back().value, follow.jobPapers.back().text, 0);
    }
    if (m_pageCollection) {
        for (long i = 0; i < m_pageCollection->JSE_PageCollection_GetSize(); ++i) {
            for (long j = 0; j < m_pageCollection->JSE_PageCollection_GetPropertySize(i); ++j) {
                int id = 0;
                WString paper;
                m_pageCollection->JSE_PageCollection_GetProperty(i, j, id, paper);
                if (paper.empty() || m_service->JSE_Media_GetIndex(paper) >= 0) continue;
                follow.pagePapers.push_back({i, j, paper});
                m_pageCollection->JSE_PageCollection_SetPropertyValueAt(i, j, first);
            }
        }
    }
    follow.replaced = !follow.jobPapers.empty() || !follow.pagePapers.empty();
    // The papers that stay are found by name in the new catalog.
    m_service->JSE_Preference_Copy_Value_To_Validation();
    JSE_LoadPageExceptionToValidation();
}

// A paper of the job is checked as its list sends it: a replaced one as the
// first row, a kept one by its row in the new catalog. An insert is checked
// as the insert it is, any other page paper as a substitution of its pages.
// 0, or the message of the first refusal.
int zqController::checkJobPapers(const CatalogFollow& follow) {
    for (const JobPaper& paper : kJobPapers) {
        const WString& name = mJobFeature.*paper.name;
        std::optional<JobPaperChange> sent;
        if (!name.empty()) sent = {paper.feature, m_service->JSE_Media_GetIndex(name), wstringToNSString(name)};
        for (const JobPaperChange& change : follow.jobPapers)
            if (change.feature == paper.feature) sent = change;
        if (!sent) continue;  // the body paper, judged with the body
        if (const int refusal = HandleJobFeatures(sent->feature, sent->value, sent->text, 0)) return refusal;
    }
    for (long i = 0; m_pageCollection && i < m_pageCollection->JSE_PageCollection_GetSize(); ++i) {
        for (long j = 0; j < m_pageCollection->JSE_PageCollection_GetPropertySize(i); ++j)
            if (const int refusal = checkPagePaper(i, j)) return refusal;
    }
    return 0;
}

int zqController::checkPagePaper(long record, long property) {
    long start = -1, end = -1;
    int kind = 0, tray = 0, id = 0;
    std::string paper;
    JSE_PageCollection_GetProperty(static_cast<int>(record), static_cast<int>(property), id, paper);
    if (paper.empty()) return 0;
    m_pageCollection->JSE_PageCollection_GetPageNumber(record, start, end);
    m_pageCollection->JSE_PageCollection_GetPageTypeAndValue(record, kind, tray);
    const bool insert = id == kPeInsertBefore || id == kPeInsertAfter;
    return JSE_ValidationOnExceptions(static_cast<int>(start), static_cast<int>(end),
                                      insert ? id : kPePaperSubstitution, paper, insert ? tray : 0);
}

void zqController::takeBackCatalog(JSE_Media::Contents previous, const JSE_JobFeatureType& job,
                                   const CatalogFollow& follow) {
    m_service->JSE_Media_BringBack(std::move(previous));
    mJobFeature = job;
    storeAndCopyToTicket();
    for (const PagePaper& page : follow.pagePapers)
        m_pageCollection->JSE_PageCollection_SetPropertyValueAt(page.record, page.property, page.paper);
    m_service->JSE_Preference_Copy_Value_To_Validation();
    JSE_LoadPageExceptionToValidation();
}

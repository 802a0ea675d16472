// The job's papers after another catalog was loaded: each paper of the job
// and of its pages stays when the catalog has it; one the catalog lacks
// becomes the first row of its paper list (the catalog's first paper for the
// body and the pages, the body paper for the others), through the rules.
// When the rules refuse that, the catalog is not taken.
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
// back. Should it no longer load, the new catalog stays with the papers it
// lacks replaced, unchecked.
bool zqController::followLoadedCatalog(const WString& previous, const JSE_JobFeatureType& job, CatalogFollow& follow) {
    replaceMissingPapers(follow);
    const int refusal = checkReplacedPapers(follow);
    if (refusal == 0) return true;
    platform::ConsoleLog(platform::Format("zqController: the rules refuse the catalog's first paper for the job (message %d)", refusal));
    platform::ShowAlert(getNSStringWithID(refusal > 0 ? refusal : kEngineRefusal), getNSStringWithID(kOkButton));
    if (takeBackCatalog(previous, job, follow)) return false;
    platform::ConsoleLog("zqController: the catalog in use before cannot be loaded again; the new one stays");
    return true;
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
                follow.pagePapers.push_back({i, j, id, paper});
                m_pageCollection->JSE_PageCollection_SetPropertyValueAt(i, j, first);
            }
        }
    }
    follow.replaced = !follow.jobPapers.empty() || !follow.pagePapers.empty();
    // The papers that stay are found by name in the new catalog.
    m_service->JSE_Preference_Copy_Value_To_Validation();
    JSE_LoadPageExceptionToValidation();
}

// An insert is checked as the insert it is, any other page paper as a
// substitution of its pages. 0, or the message of the first refusal.
int zqController::checkReplacedPapers(const CatalogFollow& follow) {
    for (const JobPaperChange& paper : follow.jobPapers)
        if (const int refusal = HandleJobFeatures(paper.feature, paper.value, paper.text, 0)) return refusal;
    for (const PagePaper& page : follow.pagePapers) {
        long start = -1, end = -1;
        int kind = 0, tray = 0, id = 0;
        std::string paper;
        m_pageCollection->JSE_PageCollection_GetPageNumber(page.record, start, end);
        m_pageCollection->JSE_PageCollection_GetPageTypeAndValue(page.record, kind, tray);
        JSE_PageCollection_GetProperty(static_cast<int>(page.record), static_cast<int>(page.property), id, paper);
        const bool insert = page.id == kPeInsertBefore || page.id == kPeInsertAfter;
        if (const int refusal = JSE_ValidationOnExceptions(static_cast<int>(start), static_cast<int>(end),
                                                           insert ? page.id : kPePaperSubstitution, paper,
                                                           insert ? tray : 0))
            return refusal;
    }
    return 0;
}

bool zqController::takeBackCatalog(const WString& previous, const JSE_JobFeatureType& job,
                                   const CatalogFollow& follow) {
    if (!m_service->JSE_Media_LoadCatalog(previous, true)) return false;
    mJobFeature = job;
    storeAndCopyToTicket();
    for (const PagePaper& page : follow.pagePapers)
        m_pageCollection->JSE_PageCollection_SetPropertyValueAt(page.record, page.property, page.paper);
    m_service->JSE_Preference_Copy_Value_To_Validation();
    JSE_LoadPageExceptionToValidation();
    return true;
}

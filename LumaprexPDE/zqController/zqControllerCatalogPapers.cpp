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
// back. Should it no longer load, the new catalog stays and the papers it
// lacks take its first rows unchecked.
bool zqController::followLoadedCatalog(const WString& previous, const JSE_JobFeatureType& job, CatalogFollow& follow) {
    const int refusal = followCatalog(true, follow);
    if (refusal == 0) return true;
    platform::ConsoleLog(platform::Format("zqController: the rules refuse the catalog's first paper for the job (message %d)", refusal));
    platform::ShowAlert(getNSStringWithID(refusal > 0 ? refusal : kEngineRefusal), getNSStringWithID(kOkButton));
    if (takeBackCatalog(previous, job, follow)) return false;
    platform::ConsoleLog("zqController: the catalog in use before cannot be loaded again; the new one stays");
    followCatalog(false, follow);
    return true;
}

int zqController::followCatalog(bool checked, CatalogFollow& follow) {
    // The papers that stay are found by name in the new catalog.
    m_service->JSE_Preference_Copy_Value_To_Validation();
    JSE_LoadPageExceptionToValidation();
    if (const int refusal = followJobPapers(checked, follow)) return refusal;
    return followPagePapers(checked, follow);
}

int zqController::followJobPapers(bool checked, CatalogFollow& follow) {
    WString first;
    m_service->JSE_Media_GetName(0, first);
    for (const JobPaper& paper : kJobPapers) {
        const WString& name = mJobFeature.*paper.name;
        if (name.empty() || m_service->JSE_Media_GetIndex(name) >= 0) continue;
        follow.replaced = true;
        const bool body = paper.feature == kFeatureBodyPaper;
        const std::string text = body ? wstringToNSString(first) : std::string();
        if (!checked) {
            SetJobFeature(paper.feature, body ? 0 : -1, text, 0);
        } else if (const int refusal = HandleJobFeatures(paper.feature, body ? 0 : -1, text, 0)) {
            return refusal;
        }
    }
    return 0;
}

// An insert is checked as the insert it is, any other page paper as a
// substitution of its pages.
int zqController::followPagePapers(bool checked, CatalogFollow& follow) {
    if (!m_pageCollection) return 0;
    WString first;
    m_service->JSE_Media_GetName(0, first);
    for (long i = 0; i < m_pageCollection->JSE_PageCollection_GetSize(); ++i) {
        for (long j = 0; j < m_pageCollection->JSE_PageCollection_GetPropertySize(i); ++j) {
            int id = 0;
            WString paper;
            m_pageCollection->JSE_PageCollection_GetProperty(i, j, id, paper);
            if (paper.empty() || m_service->JSE_Media_GetIndex(paper) >= 0) continue;
            follow.replaced = true;
            long start = -1, end = -1;
            int kind = 0, tray = 0;
            m_pageCollection->JSE_PageCollection_GetPageNumber(i, start, end);
            m_pageCollection->JSE_PageCollection_GetPageTypeAndValue(i, kind, tray);
            const bool insert = id == kPeInsertBefore || id == kPeInsertAfter;
            if (checked) {
                if (const int refusal = JSE_ValidationOnExceptions(static_cast<int>(start), static_cast<int>(end),
                                                                   insert ? id : kPePaperSubstitution,
                                                                   wstringToNSString(first), insert ? tray : 0))
                    return refusal;
            }
            follow.pagePapers.push_back({i, j, paper});
            m_pageCollection->JSE_PageCollection_SetPropertyValueAt(i, j, first);
            JSE_LoadPageExceptionToValidation();
        }
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

// Papers set aside by mode, papers found by load position, the nearest
// paper, a catalog file's language and the check of size-definition names.
#include <cmath>
#include <limits>

#include "JSE_Media.h"
#include "JSE_MediaFileText.h"

namespace {

constexpr double kMillimetresPerInch = 25.4;

const PAPERDEF* FindByName(const std::vector<PAPERDEF>& papers, const WString& name) {
    for (const PAPERDEF& paper : papers)
        if (paper.name == name) return &paper;
    return nullptr;
}

}  // namespace

// ---- Dropped papers ----

void JSE_Media::DropModePapers(int mode) {
    m_lastError = kMediaNoError;
    for (std::size_t i = 0; i < m_papers.size();) {
        if (m_papers[i].mode != mode) {
            ++i;
            continue;
        }
        if (m_defaultPaper == static_cast<int>(i)) m_droppedDefault = static_cast<int>(m_droppedPapers.size());
        m_droppedPapers.push_back(m_papers[i]);
        m_papers.erase(m_papers.begin() + static_cast<long>(i));
        FollowDefaultAfterRemoval(static_cast<int>(i));
    }
}

// A restored paper goes back before the first paper loaded after it. The
// default paper takes its mark back, unless another paper was made the
// default meanwhile.
void JSE_Media::RestoreModePapers(int mode) {
    m_lastError = kMediaNoError;
    for (std::size_t i = 0; i < m_droppedPapers.size();) {
        const PAPERDEF paper = m_droppedPapers[i];
        if (paper.mode != mode) {
            ++i;
            continue;
        }
        std::size_t position = 0;
        while (position < m_papers.size() && m_papers[position].absoluteIndex <= paper.absoluteIndex) ++position;
        m_papers.insert(m_papers.begin() + static_cast<long>(position), paper);
        FollowDefaultAfterInsertion(static_cast<int>(position));
        if (m_droppedDefault == static_cast<int>(i) && m_defaultPaper == -1) m_defaultPaper = static_cast<int>(position);
        if (m_droppedDefault == static_cast<int>(i)) m_droppedDefault = -1;
        else if (m_droppedDefault > static_cast<int>(i)) --m_droppedDefault;
        m_droppedPapers.erase(m_droppedPapers.begin() + static_cast<long>(i));
    }
}

int JSE_Media::GetDroppedPaperIndex(const WString& name) const {
    const PAPERDEF* paper = FindByName(m_droppedPapers, name);
    return paper ? static_cast<int>(paper - m_droppedPapers.data()) : -1;
}

bool JSE_Media::GetDroppedPaperInfo(int index, PAPERDEF& out) const {
    if (index < 0 || static_cast<std::size_t>(index) >= m_droppedPapers.size()) return false;
    out = m_droppedPapers[index];
    return true;
}

// ---- Load positions ----

int JSE_Media::GetAbsolutePaperIndex(const WString& name) const {
    const PAPERDEF* paper = FindByName(m_papers, name);
    if (!paper) paper = FindByName(m_droppedPapers, name);
    return paper ? paper->absoluteIndex : -1;
}

const PAPERDEF* JSE_Media::FindAbsolute(int absoluteIndex) const {
    for (const auto* list : {&m_papers, &m_droppedPapers})
        for (const PAPERDEF& paper : *list)
            if (paper.absoluteIndex == absoluteIndex) return &paper;
    return nullptr;
}

bool JSE_Media::GetAbsolutePaperName(int absoluteIndex, WString& name) const {
    name.clear();
    const PAPERDEF* paper = FindAbsolute(absoluteIndex);
    if (paper) name = paper->name;
    return paper != nullptr;
}

bool JSE_Media::GetAbsolutePaperInfo(int absoluteIndex, PAPERDEF& out) const {
    const PAPERDEF* paper = FindAbsolute(absoluteIndex);
    if (paper) out = *paper;
    return paper != nullptr;
}

// ---- Nearest paper ----

// Distances are in millimetres, fractions included; a paper without a size
// definition is passed over.
int JSE_Media::GetNearestPaper(const PAPERDEF& paper) const {
    const PAPERCLASS* reference = DefinitionAt(paper.sizeIndex);
    const bool referenceInMillimetres = reference && reference->measureType == 1;
    const double scale = referenceInMillimetres ? 1.0 : kMillimetresPerInch;
    const double width = paper.width * scale;
    const double height = paper.height * scale;
    int best = 0;
    bool found = false;
    double bestDistance = std::numeric_limits<float>::max();
    for (std::size_t i = 0; i < m_papers.size(); ++i) {
        const PAPERCLASS* d = DefinitionAt(m_papers[i].sizeIndex);
        if (!d) continue;
        const double toMillimetres = d->measureType == 1 ? 1.0 : kMillimetresPerInch;
        const double distance = std::hypot(d->width * toMillimetres - width, d->height * toMillimetres - height);
        const bool closer = distance < bestDistance;
        const bool lighterTie = distance == bestDistance && std::abs(paper.weight - m_papers[i].weight) <
                                                                std::abs(paper.weight - m_papers[best].weight);
        if (!found || closer || lighterTie) {
            best = static_cast<int>(i);
            bestDistance = distance;
            found = true;
        }
    }
    return best;
}

// ---- Catalog language, size-name check ----

bool JSE_Media::GetCatalogLanguage(const WString& path, WString& language, int& error) const {
    error = kMediaNoError;
    if (path.empty()) {
        error = kMediaNoPath;
        return false;
    }
    std::string bytes;
    if (!media_file::ReadFileBytes(path, bytes)) {
        error = kMediaCannotOpen;
        return false;
    }
    std::vector<WString> lines;
    if (media_file::StartsWithByteOrderMark(bytes))
        lines = media_file::SplitUnicodeLines(bytes);
    else
        media_file::SplitByteLines(bytes, media_file::kCatalogLineLimit, lines);
    if (lines.empty()) {
        error = kMediaReadError;
        return false;
    }
    language = lines[0].substr(0, lines[0].find(L':'));
    return true;
}

void JSE_Media::preFlightSizeName() {
    QwiDrv_StringCategoryVerifier verifier;
    for (PAPERCLASS& definition : m_definitions) {
        WString& name = definition.name;
        if (verifier.IsCategory13(name.c_str(), static_cast<int>(name.size()))) continue;
        m_sizeNameError = kMediaSizeNameError;
        for (wchar_t& c : name)
            if (c == L'/' || c == L':' || c == L'"' || c == L'\'') c = L'?';
    }
}

// Paper substitution and inserts, the first group of the page-exception
// pane: the paper combo with its description line, Update, which stores a
// substitution (232) or an insert before or after the pages (233, 234) on
// every target range, the exception table of the substitutions and inserts
// held, and its Delete. Also the road by which every group checks a page
// feature with the engine and stores it.
#include <algorithm>

#include "JSE_Records.h"
#include "PeTableRows.h"
#include "peController.h"
#include "zqController.h"

namespace {

constexpr char kCatalogUpdateNotification[] = "peController::catalogUpdate";
// Update stores an insert while the insert group shows.
constexpr char kInsertGroupImage[] = "insert1.icns";
constexpr int kVisibleItems = 10;
// Shown in place of an engine error's number.
constexpr int kEngineErrorLabel = 16218;

}  // namespace

void peController::declareSubstitution() {
    declareOutlet("exceptionPaperCombo", exceptionPaperCombo);
    declareOutlet("paperAttribute", paperAttribute);
    declareOutlet("exceptionPaperCatalogText", exceptionPaperCatalogText);
    declareOutlet("insertFinisherCombo", insertFinisherCombo);
    declareOutlet("insertLocationMatrix", insertLocationMatrix);
    declareOutlet("insertBeforeButton", insertBeforeButton);
    declareOutlet("insertExitText", insertExitText);
    declareOutlet("exceptionListView", exceptionListView);
    declareOutlet("exceptionUpdateButton", exceptionUpdateButton);
    declareOutlet("exceptionDeleteButton", exceptionDeleteButton);
    declareAction("selectExceptionUpdate:", &peController::selectExceptionUpdate);
    declareAction("selectExceptionDelete:", &peController::selectExceptionDelete);
    declareAction("comboBoxSelectionDidChange:", &peController::comboBoxSelectionDidChange);
    declareAction("selectInsFinisher:", &peController::selectInsFinisher);
    declareAction("selectInsMode:", &peController::selectInsMode);
}

void peController::setupSubstitution() {
    setupColumns(*exceptionListView, _exceptionColumns, {13013, 13113, 13067, 10015});
    exceptionListView->setEnabled(false);
    exceptionPaperCatalogText->setStringValue(getNSStringWithID(10172));
    exceptionUpdateButton->setTitle(getNSStringWithID(13065));
    exceptionDeleteButton->setTitle(getNSStringWithID(10093));
    exceptionUpdateButton->setEnabled(false);
    exceptionDeleteButton->setEnabled(false);
    // The job's tray, then the top tray, the stapler and the stacker.
    _insertFinisherList.clear();
    for (int label : {13014, 10045, 10046, 10047}) _insertFinisherList.push_back(getNSStringWithID(label));
    insertFinisherCombo->removeAllItems();
    insertFinisherCombo->addItems(_insertFinisherList);
    insertFinisherCombo->selectItemAtIndex(0);
    insertExitText->setStringValue(getNSStringWithID(13066));
    const std::vector<platform::Button*> cells = insertLocationMatrix->cells();
    for (std::size_t i = 0; i < cells.size() && i < 2; ++i)
        cells[i]->setTitle(getNSStringWithID(i == 0 ? 12020 : 12021));
}

// The paper combo ---------------------------------------------------------------------

void peController::registerPaperCatalogUpdate() {
    observe(kCatalogUpdateNotification, [this](const auto& note) { listenPaperCatalogUpdate(note); });
}

void peController::listenPaperCatalogUpdate(const platform::Notification& notification) {
    _paperCatalogDict = notification.object.dictionary().copy();
    // The bridge's keys are decimal numbers of one width: their text order
    // is the catalog's order.
    _paperCatalogKeys.clear();
    _paperList.clear();
    std::vector<std::string> keys = _paperCatalogDict.keys();
    std::sort(keys.begin(), keys.end());
    for (const std::string& key : keys) {
        const platform::Value& record = _paperCatalogDict[key];
        if (!record.isDictionary()) continue;
        _paperCatalogKeys.push_back(key);
        _paperList.push_back(record["Name"].text());
    }
    exceptionPaperCombo->removeAllItems();
    exceptionPaperCombo->addItems(_paperList);
    exceptionPaperCombo->setNumberOfVisibleItems(std::min(static_cast<int>(_paperList.size()), kVisibleItems));
    selectPaper(0);
}

void peController::selectPaper(int index) {
    exceptionPaperCombo->selectItemAtIndex(index);
    updatePaperAttribute(exceptionPaperCombo->indexOfSelectedItem());
}

std::string peController::chosenPaper() const {
    const int chosen = exceptionPaperCombo->indexOfSelectedItem();
    return chosen >= 0 ? exceptionPaperCombo->items()[static_cast<std::size_t>(chosen)] : "";
}

void peController::comboBoxSelectionDidChange(platform::Control& sender) {
    if (sender.tag() == kPaperComboTag) updatePaperAttribute(exceptionPaperCombo->indexOfSelectedItem());
}

// "Size, colour, weight g/m2, type, sides, precollated: no, punchable: yes";
// empty while no paper is chosen.
void peController::updatePaperAttribute(int index) {
    if (index < 0 || index >= static_cast<int>(_paperCatalogKeys.size())) {
        paperAttribute->setStringValue("");
        return;
    }
    const platform::Value& paper = _paperCatalogDict[_paperCatalogKeys[static_cast<std::size_t>(index)]];
    const int mode = paper["Mode"].intValue();
    const auto yesNo = [this](const platform::Value& flag) {
        return getNSStringWithID(flag.intValue() == 1 ? 12048 : 12047);
    };
    paperAttribute->setStringValue(paper["Size"].text() + ", " + paper["Color"].text() + ", " + paper["Weight"].text() +
                                   " " + getNSStringWithID(13174) + ", " + paper["Type"].text() + ", " +
                                   getNSStringWithID(mode == 1 ? 12080 : mode == 2 ? 12076 : 12075) + ", " +
                                   getNSStringWithID(13137) + ": " + yesNo(paper["Precollated"]) + ", " +
                                   getNSStringWithID(13136) + ": " + yesNo(paper["Punchable"]));
}

// Update ----------------------------------------------------------------------------------

void peController::selectExceptionUpdate(platform::Control&) {
    int code = kPePaperSubstitution, value = 0;
    if (lastSelectedName == kInsertGroupImage) {
        code = insertBeforeButton->state() == 1 ? kPeInsertBefore : kPeInsertAfter;
        const int tray = insertFinisherCombo->indexOfSelectedItem();
        value = tray >= 1 && tray <= 3 ? tray : kPeNotSet;
    }
    const std::string paper = chosenPaper();
    // Ranges stored before a refusal stay stored, and the dictionary and
    // the finishing pane hear of them.
    bool stored = false;
    const std::vector<PageRange> ranges = collectTargetRanges();
    for (std::size_t k = 0; k < ranges.size(); ++k) {
        const PageRange& range = ranges[k];
        if (ValidationOnExceptions(range.start, range.end, code, paper, value, 1) != 0) break;
        stored = true;
        if (ValidationOnExceptions(range.start, range.end, kPePunch, paper, 0, 0) != 0) break;
        // Once every entry has punching, only those of the pages just stored
        // can lack it.
        addJobPunchToEntries(k == 0 ? std::nullopt : std::optional(range));
    }
    constructSubstitutionList();
    if (!stored) return;
    updatePEFeatures();
    broadcastJobFeatures();
    postExceptionUpdate();
}

int peController::ValidationOnExceptions(int start, int end, int code, const std::string& paper, int value,
                                         int add, std::optional<PageFeature> layout) {
    const bool checked = _PeValidation == 1 && _zqJSEController;
    const auto stored = layout ? std::optional(FeatureType{layout->code, layout->value}) : std::nullopt;
    const int refusal =
        checked ? _zqJSEController->JSE_ValidationOnExceptions(start, end, code, paper, value, stored) : 0;
    if (refusal != 0) {
        showAlert(getNSStringWithID(refusal > 0 ? refusal : kEngineErrorLabel));
        return refusal;
    }
    if (add != 1 || !_zqJSEController) return 0;
    storePageFeature(start, end, code, paper, value);
    if (_PeValidation == 1) _zqJSEController->JSE_LoadPageExceptionToValidation();
    return 0;
}

int peController::validateOnTargets(Runs runs, int code, int value, int add, std::optional<PageFeature> layout) {
    if (_PeValidation != 1) return 0;
    const std::string paper = chosenPaper();
    for (const PageRange& range : collectTargetRanges(runs)) {
        if (const int refusal = ValidationOnExceptions(range.start, range.end, code, paper, value, add, layout))
            return refusal;
    }
    return 0;
}

void peController::storePageFeature(int start, int end, int code, const std::string& paper, int value) {
    switch (code) {
    case kPePrintMode:
    case kPePrintSide:
    case kPeChapterStart:
    case kPeRotation: return;  // checked only; the layout group stores them itself
    case kPePunch:
        addJobPunchToEntries(std::nullopt);
        _zqJSEController->JSE_LoadPageExceptionToValidation();
        return;
    case kPePaperSubstitution:
        // A substitution on the range is replaced, not added to.
        _zqJSEController->JSE_RemovePageFeature(start, end, code, value);
        break;
    default: break;
    }
    const bool insert = code == kPeInsertBefore || code == kPeInsertAfter;
    if (!paper.empty()) _zqJSEController->JSE_SetPageProperty(start, end, insert ? code : 1, paper, code, value);
    _zqJSEController->JSE_SetPageFeature(start, end, code, value);
}

// Entries punched by page keep their own punching: only an entry without a
// punch feature takes the job's.
void peController::addJobPunchToEntries(std::optional<PageRange> pages) {
    const int punch = _zqJSEController->JSE_GetJobPunchValue();
    std::vector<std::pair<int, PageEntry>> entries;
    if (pages) {
        entries = ReadPageEntriesOver(_zqJSEController, *pages);
    } else {
        std::vector<PageEntry> all = ReadPageEntries(_zqJSEController).pages;
        for (std::size_t i = 0; i < all.size(); ++i) entries.emplace_back(static_cast<int>(i), std::move(all[i]));
    }
    for (const auto& [i, entry] : entries) {
        if (!entry.feature(kPePunch)) _zqJSEController->JSE_PageCollection_AddPageFeature(i, kPePunch, punch);
    }
}

// The exception table ------------------------------------------------------------------

void peController::constructSubstitutionList() {
    _exceptionList = ExceptionRows(ReadPageEntries(_zqJSEController), [this](int id) { return getNSStringWithID(id); });
    for (const TableRow& row : _exceptionList) widenColumns(*exceptionListView, _exceptionColumns, row);
    exceptionListView->reloadData();
    if (!_exceptionList.empty()) exceptionListView->setEnabled(true);
}

void peController::selectExceptionDelete(platform::Control&) {
    const auto remove = [this](const TableRow& row) { return removeExceptionRow(row); };
    if (!deleteSelectedRows(*exceptionListView, _exceptionList, remove)) return;
    if (_exceptionList.empty()) exceptionDeleteButton->setEnabled(false);
    postExceptionUpdate();
}

// A row's feature leaves the entry that holds it now, found by the row's
// pages, paper and feature; an entry that held nothing else but its
// punching goes whole. Other entries of the same pages (a subset, an image
// shift, another insert) stay, and a row whose feature the collection no
// longer holds deletes nothing. Refused, with the feature kept, when the
// pages cannot do without it.
bool peController::removeExceptionRow(const TableRow& row) {
    if (!_zqJSEController || !row.source.feature) return true;
    const PageEntries entries = ReadPageEntries(_zqJSEController);
    const int index = FindShownEntry(entries, row.source);
    if (index < 0) return true;
    const int code = row.source.feature->code;
    if (judgeTakingAway(row.source.entry.pages, {*row.source.feature}, index) != 0) return false;
    const std::vector<PageFeature>& features = entries.pages[static_cast<std::size_t>(index)].features;
    const bool alone = std::all_of(features.begin(), features.end(),
                                   [&](const PageFeature& f) { return f.code == code || f.code == kPePunch; });
    if (alone) _zqJSEController->JSE_PageCollection_RemovePageAt(index);
    else _zqJSEController->JSE_PageCollection_RemovePageFeatureAt(index, code);
    return true;
}

// Taking a feature away is judged as the change that leaves the pages the
// same: the job's print mode chosen in the layout group beside the print
// side the pages keep, the job's paper substituted. A print side can be
// taken away at any time.
int peController::judgeTakingAway(const PageRange& pages, const std::vector<PageFeature>& features, int entry) {
    for (const PageFeature& f : features) {
        int refusal = 0;
        if (f.code == kPePrintMode) {
            const PageFeature side{kPePrintSide, keptLayoutValue(pages, kPePrintSide, entry)};
            refusal = ValidationOnExceptions(pages.start, pages.end, f.code, "", kPeNotSet, 0, side);
        } else if (f.code == kPePaperSubstitution) {
            refusal = ValidationOnExceptions(pages.start, pages.end, f.code, _zqJSEController->JSE_GetBodyPaper(), 0, 0);
        }
        if (refusal != 0) return refusal;
    }
    return 0;
}

// The last entry sharing a page with the pages rules them, as the ticket
// reads its layout.
int peController::keptLayoutValue(const PageRange& pages, int code, int entry) const {
    int kept = kPeNotSet;
    for (const auto& [i, held] : ReadPageEntriesOver(_zqJSEController, pages)) {
        const std::optional<int> value = held.feature(code);
        if (i != entry && value) kept = *value;
    }
    return kept;
}

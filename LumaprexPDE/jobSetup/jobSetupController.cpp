// The job-setup pane's life cycle: its outlets, actions and observers, the
// wake-up texts, restoring the controls from the "jobSetup" group, writing
// that group after each accepted change, putting a refused control back,
// the groups of image buttons and termination.
#include "jobSetupController.h"

#include "JSE_Records.h"
#include "NotificationCenter.h"

const jobSetupController::ImageButton jobSetupController::kPrintButtons[6] = {
    {1, &jobSetupController::simplex, "simplex1.icns", "simplex2.icns", 10030},
    {2, &jobSetupController::duplexLongEdge, "duplexlong1.icns", "duplexlong2.icns", 10031},
    {3, &jobSetupController::duplexShortEdge, "duplexshort1.icns", "duplexshort2.icns", 10032},
    {4, &jobSetupController::interleaveBlank, "interleaveblank1.icns", "interleaveblank2.icns", 10033},
    {5, &jobSetupController::interleavePrePrinted, "interleaveprinted1.icns", "interleaveprinted2.icns", 10034},
    {6, &jobSetupController::pamphlet, "pamphlet1.icns", "pamphlet2.icns", 10035},
};

const jobSetupController::ImageButton jobSetupController::kPaperButtons[5] = {
    {2000, &jobSetupController::bodyPaperButton, "bodypaper1.icns", "bodypaper2.icns", 10124},
    {2002, &jobSetupController::frontCoverPaperButton, "frontcover1.icns", "frontcover2.icns", 12061},
    {2004, &jobSetupController::backCoverPaperButton, "backcover1.icns", "backcover2.icns", 12062},
    {2005, &jobSetupController::interleavePaperButton, "interleave1.icns", "interleave2.icns", 13059},
    {2008, &jobSetupController::separatorPaperButton, "separatorpaper1.icns", "separatorpaper2.icns", 10123},
};

const jobSetupController::ImageButton jobSetupController::kCoverButtons[5] = {
    {1, &jobSetupController::coverPaperNoneButton, "covernone1.icns", "covernone2.icns", 10040},
    {2, &jobSetupController::coverPaperFrontButton, "coverside1.icns", "coverside2.icns", 10041},
    {3, &jobSetupController::coverPaperBackButton, "coverside2_1.icns", "coverside2_2.icns", 10042},
    {4, &jobSetupController::coverPaperBothButton, "coverboth1.icns", "coverboth2.icns", 10043},
    {5, &jobSetupController::coverPaperPrintedButton, "coverpreprinted1.icns", "coverpreprinted2.icns", 10044},
};

const jobSetupController::PaperKind jobSetupController::kPaperKinds[5] = {
    {2000, kFeatureBodyPaper, "bodyPaper", kCaseBodyPaper},
    {2002, kFeatureFrontCoverPaper, "frontCoverPaper", kCaseFrontCoverPaper},
    {2004, kFeatureBackCoverPaper, "backCoverPaper", kCaseBackCoverPaper},
    {2005, kFeatureInterleavePaper, "interleavePaper", kCaseInterleavePaper},
    {2008, kFeatureSeparatorPaper, "separatorPaper", kCaseSeparatorPaper},
};

// Any mode out of range shows as simplex.
const jobSetupController::ImageButton& jobSetupController::PrintButton(int mode) {
    return kPrintButtons[mode >= 1 && mode <= 6 ? mode - 1 : 0];
}

const jobSetupController::ImageButton* jobSetupController::PaperButton(int tag) {
    for (const ImageButton& row : kPaperButtons)
        if (row.value == tag) return &row;
    return nullptr;
}

const jobSetupController::PaperKind* jobSetupController::PaperKindOf(int tag) {
    for (const PaperKind& kind : kPaperKinds)
        if (kind.tag == tag) return &kind;
    return nullptr;
}

jobSetupController::jobSetupController() : OptionPane("jobSetupController", "jobSetup", kJobSetupLabels) {
    declareOutlet("simplex", simplex);
    declareOutlet("duplexLongEdge", duplexLongEdge);
    declareOutlet("duplexShortEdge", duplexShortEdge);
    declareOutlet("interleaveBlank", interleaveBlank);
    declareOutlet("interleavePrePrinted", interleavePrePrinted);
    declareOutlet("pamphlet", pamphlet);
    declareOutlet("bodyPaperButton", bodyPaperButton);
    declareOutlet("frontCoverPaperButton", frontCoverPaperButton);
    declareOutlet("backCoverPaperButton", backCoverPaperButton);
    declareOutlet("interleavePaperButton", interleavePaperButton);
    declareOutlet("separatorPaperButton", separatorPaperButton);
    declareOutlet("coverPaperNoneButton", coverPaperNoneButton);
    declareOutlet("coverPaperFrontButton", coverPaperFrontButton);
    declareOutlet("coverPaperBackButton", coverPaperBackButton);
    declareOutlet("coverPaperBothButton", coverPaperBothButton);
    declareOutlet("coverPaperPrintedButton", coverPaperPrintedButton);
    declareOutlet("paperTableView", paperTableView);
    declareOutlet("collateCheckBox", collateCheckBox);
    declareOutlet("proofSet", proofSet);
    declareOutlet("setSeparatorCheckBox", setSeparatorCheckBox);
    declareOutlet("signatureSizeText", signatureSizeText);
    declareOutlet("signatureSizeStepper", signatureSizeStepper);
    declareOutlet("signatureSheet", signatureSheet);
    declareOutlet("signatureMaxSize", signatureMaxSize);
    declareOutlet("printModeText", printModeText);
    declareOutlet("selectPaperText", selectPaperText);
    declareOutlet("coverPaperText", coverPaperText);
    declareOutlet("paperCatalogPathText", paperCatalogPathText);
    declareOutlet("jobsetupTitle", jobsetupTitle);
    declareOutlet("paperCatalogButton", paperCatalogButton);

    declareAction("selectPrintSimplex:", &jobSetupController::selectPrintSimplex);
    declareAction("selectPrintDuplexLongEdge:", &jobSetupController::selectPrintDuplexLongEdge);
    declareAction("selectPrintDuplexShortEdge:", &jobSetupController::selectPrintDuplexShortEdge);
    declareAction("selectPrintInterleaveBlank:", &jobSetupController::selectPrintInterleaveBlank);
    declareAction("selectPrintInterleavePrinted:", &jobSetupController::selectPrintInterleavePrinted);
    declareAction("selectPrintPamphlet:", &jobSetupController::selectPrintPamphlet);
    declareAction("selectCoverNone:", &jobSetupController::selectCoverNone);
    declareAction("selectCoverFront:", &jobSetupController::selectCoverFront);
    declareAction("selectCoverBack:", &jobSetupController::selectCoverBack);
    declareAction("selectCoverBoth:", &jobSetupController::selectCoverBoth);
    declareAction("selectCoverPrinted:", &jobSetupController::selectCoverPrinted);
    declareAction("selectBodyPaper:", &jobSetupController::selectBodyPaper);
    declareAction("selectFrontCoverPaper:", &jobSetupController::selectFrontCoverPaper);
    declareAction("selectBackCoverPaper:", &jobSetupController::selectBackCoverPaper);
    declareAction("selectInterleavePaper:", &jobSetupController::selectInterleavePaper);
    declareAction("selectSeparatorPaper:", &jobSetupController::selectSeparatorPaper);
    declareAction("selectCollate:", &jobSetupController::selectCollate);
    declareAction("selectProof:", &jobSetupController::selectProof);
    declareAction("selectSetSeparator:", &jobSetupController::selectSetSeparator);
    declareAction("selectSignatureStepper:", &jobSetupController::selectSignatureStepper);
    declareAction("selectPaperCatalog:", &jobSetupController::selectPaperCatalog);

    registerForTermination();
    registerForJobFeatureUpdate();
    observe("jobSetupController::columnSizeUpdate", [this](const auto& note) { listenColumnSizeUpdate(note); });
    observe("jobSetupController::catalogUpdate", [this](const auto& note) { listenPaperCatalogUpdate(note); });
    observe("jobSetupController::FullCatalogPath", [this](const auto& note) { listenPaperCatalogPathUpdate(note); });
    observe("jobSetupController::loadCatalogFailed", [this](const auto& note) { listenLoadPaperCatalogError(note); });
    observe("jobSetupController::loadCatalogComplete", [this](const auto& note) { listenLoadPaperCatalogComplete(note); });
    registerZQController();
}

jobSetupController::~jobSetupController() { termination(); }

void jobSetupController::awakeFromNib() {
    if (jobsetupTitle) jobsetupTitle->setStringValue(getNSStringWithID(13002));
    static constexpr int kColumnLabels[8] = {10115, 10096, 10097, 10098, 10099, 10072, 13137, 13136};
    if (paperTableView) {
        for (platform::TableColumn& column : paperTableView->tableColumns()) {
            const std::string& id = column.identifier;
            if (id.size() == 1 && id[0] >= '0' && id[0] <= '7') column.title = getNSStringWithID(kColumnLabels[id[0] - '0']);
            column.headerEditable = false;
        }
    }
    if (proofSet) proofSet->setTitle(getNSStringWithID(10009));
    if (collateCheckBox) collateCheckBox->setTitle(getNSStringWithID(10010));
    if (setSeparatorCheckBox) setSeparatorCheckBox->setTitle(getNSStringWithID(10080));
    if (signatureMaxSize) signatureMaxSize->setStringValue(getNSStringWithID(10083));
    if (coverPaperText) coverPaperText->setStringValue(statusText(10011, 10040));
}

void jobSetupController::termination() {
    _sheets.clear();
    _tempPath.clear();
    _currentCatalogPath.clear();
    _lastPrint = _lastPaper = _lastCover = {};
    _paperCatalog = PaperTable();
    OptionPane::termination();
}

// Restoring ------------------------------------------------------------------

// Everything is shown as stored, the print mode included, without sending:
// the dictionary holds what the engine holds. A group with nothing in it
// describes no job and is passed over like a missing one.
void jobSetupController::applySettings() {
    if (group().empty()) return;
    putBack([this] {
        if (collateCheckBox) collateCheckBox->setState(storedNumber("collate") == 1);
        // A pamphlet's text names the signature pages shown.
        showStoredSignature();
        const int mode = storedNumber("printingMode");
        showPrintMode(mode >= 1 && mode <= 5 ? mode : 6);
        if (proofSet) proofSet->setState(storedNumber("proofSet") != 0);
        const bool separator = storedNumber("setSeparator") != 0;
        if (setSeparatorCheckBox) setSeparatorCheckBox->setState(separator);
        enableSeparator(separator);
        if (paperTableView) paperTableView->selectRow(_paperCatalog.findPaperIndex(storedText("bodyPaper")), false);
        bodyPaper();
    });
}

int jobSetupController::storedNumber(std::string_view key) const { return group()[key].intValue(); }

std::string jobSetupController::storedText(std::string_view key) const { return group()[key].text(); }

// Putting back ---------------------------------------------------------------

void jobSetupController::undo(int feature) {
    putBack([&] {
        switch (feature) {
            case kFeatureCollate:
                if (collateCheckBox) collateCheckBox->setState(storedNumber("collate") == 1);
                break;
            case kFeatureProofSet:
                if (proofSet) proofSet->setState(storedNumber("proofSet") == 1);
                break;
            case kFeatureSetSeparator: {
                const bool on = storedNumber("setSeparator") == 1;
                if (setSeparatorCheckBox) setSeparatorCheckBox->setState(on);
                enableSeparator(on);
                break;
            }
            case kFeatureSignaturePages:
                showStoredSignature();
                updatePrintText();
                break;
            default:
                for (const PaperKind& kind : kPaperKinds)
                    if (kind.feature == feature) updatePaperSelection(kind);
        }
    });
}

// Writing the group ----------------------------------------------------------

void jobSetupController::updateJobSetupDict(int dictCase) {
    const auto flag = [](const platform::Button* box) { return platform::FormatInteger(box && box->state()); };
    switch (dictCase) {
        case kCaseBodyPaper: {
            const int row = paperTableView ? paperTableView->selectedRow() : -1;
            if (row >= 0) writeJobSetup({{"bodyPaper", _paperCatalog.featureText(row)}}, true);
            return;
        }
        case kCaseFrontCoverPaper:
        case kCaseBackCoverPaper:
        case kCaseInterleavePaper:
        case kCaseSeparatorPaper: {
            const int row = paperTableView ? paperTableView->selectedRow() : -1;
            const std::string name = _paperCatalog.featureText(row);
            for (const PaperKind& kind : kPaperKinds)
                if (kind.dictCase == dictCase) writeJobSetup({{kind.key, name}});
            return;
        }
        case kCaseCollate: return writeJobSetup({{"collate", flag(collateCheckBox)}});
        case kCaseProofSet: return writeJobSetup({{"proofSet", flag(proofSet)}});
        case kCaseSetSeparator: return writeJobSetup({{"setSeparator", flag(setSeparatorCheckBox)}});
        case kCasePrintMode: return writeJobSetup({{"printingMode", platform::FormatInteger(selectedPrintMode())}});
        case kCaseSignature: {
            const int pages = signatureSizeText ? signatureSizeText->intValue() : 0;
            return writeJobSetup({{"signaturePages", platform::FormatInteger(pages)},
                                  {"sheets", platform::FormatInteger((pages + 3) / 4)}});
        }
        default:
            if (dictCase >= kCaseCoverNone && dictCase < kCaseCoverNone + 5) {
                const PaperKind* kind = selectedPaperKind();
                const char* key = kind && kind->tag == 2002 ? "frontCoverMode" : "backCoverMode";
                writeJobSetup({{key, platform::FormatInteger(dictCase - kCaseCoverNone + 1)}});
            }
    }
}

void jobSetupController::writeJobSetup(std::initializer_list<std::pair<std::string_view, std::string>> entries,
                                       bool bodyPaper) {
    if (!_jobFeatureDict || isPuttingBack()) return;
    updateGroup(entries);
    platform::NotificationCenter& center = platform::NotificationCenter::Default();
    center.post("finishingController::applySettings", *_jobFeatureDict);
    if (bodyPaper) center.post("imageController::bodyPaperChange", *_jobFeatureDict);
}

// Image buttons and status texts -----------------------------------------------

void jobSetupController::selectButton(ButtonGroup& group, const ImageButton& row) {
    resetButton(group);
    platform::Button* button = this->*row.button;
    changeButtonImage(button, row.selectedImage);
    group.selected = button;
    group.normalName = row.normalImage;
}

void jobSetupController::resetButton(ButtonGroup& group) {
    if (group.selected && !group.normalName.empty()) changeButtonImage(group.selected, group.normalName);
}

std::string jobSetupController::statusText(int label, int value) const {
    return getNSStringWithID(label) + ": " + getNSStringWithID(value);
}

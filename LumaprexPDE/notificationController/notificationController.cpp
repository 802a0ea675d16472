// The notification tab: status page mode and paper, and the job's four texts.
#include "notificationController.h"

#include <array>

#include "AlertPanel.h"
#include "JSE_Records.h"

struct notificationController::TextFieldRow {
    int tag;
    int feature;
    const char* key;  // the text's rule goes by it
    platform::TextField* notificationController::*field;
    platform::TextField* notificationController::*caption;
    int captionLabel;
};

namespace {

using Pane = notificationController;

// One status-page mode: its title label, images and dictionary case.
struct StatusModeRow {
    int mode;
    int label;
    const char* normalImage;
    const char* selectedImage;
    int dictCase;
};

// Stored as "statusMode"; a stored value outside 1 to 4 shows none.
const std::array<StatusModeRow, 4> kStatusModes = {{
    {1, 10073, "statusnone1.icns", "statusnone2.icns", 0},
    {2, 10074, "statusonerror1.icns", "statusonerror2.icns", 2},
    {3, 10075, "statusalways1.icns", "statusalways2.icns", 1},
    {4, 10076, "status1page1.icns", "status1page2.icns", 3},
}};

const StatusModeRow& StatusMode(int mode) { return kStatusModes[mode >= 1 && mode <= 4 ? mode - 1 : 0]; }

// The paper table's column headers, columns "0" to "7".
constexpr std::array<int, 8> kColumnHeaders = {10115, 10096, 10097, 10098, 10099, 10072, 13137, 13136};

constexpr int kStatusPaperCase = 4;

}  // namespace

notificationController::notificationController()
    : OptionPane("notificationController", "notification", kNotificationLabels) {
    declareOutlet("statusNone", statusNone);
    declareOutlet("statusOnError", statusOnError);
    declareOutlet("statusFirstPage", statusFirstPage);
    declareOutlet("statusAlways", statusAlways);
    declareOutlet("statusPaperListView", statusPaperListView);
    declareOutlet("eMailEditField", eMailEditField);
    declareOutlet("operatorEditField", operatorEditField);
    declareOutlet("deliverToEditField", deliverToEditField);
    declareOutlet("chargeNumberEditField", chargeNumberEditField);
    declareOutlet("notificationTitle", notificationTitle);
    declareOutlet("statusPageTitle", statusPageTitle);
    declareOutlet("eMailTitle", eMailTitle);
    declareOutlet("operatorTitle", operatorTitle);
    declareOutlet("deliverToTitle", deliverToTitle);
    declareOutlet("chargeNumberTitle", chargeNumberTitle);
    declareAction("selectStausNone:", &notificationController::selectStausNone);
    declareAction("selectStatusOnError:", &notificationController::selectStatusOnError);
    declareAction("selectStatusAlways:", &notificationController::selectStatusAlways);
    declareAction("selectStatusFirstPage:", &notificationController::selectStatusFirstPage);
    registerZQController();
    registerForJobFeatureUpdate();
    registerForTermination();
    observe("notificationController::columnSizeUpdate", [this](const auto& note) { listenColumnSizeUpdate(note); });
    observe("notificationController::catalogUpdate", [this](const auto& note) { listenPaperCatalogUpdate(note); });
}

notificationController::~notificationController() { termination(); }

const notificationController::TextFieldRow* notificationController::FieldRow(int tag) {
    static const std::array<TextFieldRow, 4> rows = {{
        {4002, kFeatureEMailAddress, "eMailAddressText", &Pane::eMailEditField, &Pane::eMailTitle, 10057},
        {4004, kFeatureOperatorMessage, "operatorMessageText", &Pane::operatorEditField, &Pane::operatorTitle, 10056},
        {4006, kFeatureDeliverTo, "deliverToText", &Pane::deliverToEditField, &Pane::deliverToTitle, 10066},
        {4008, kFeatureChargeNumber, "chargeNumberText", &Pane::chargeNumberEditField, &Pane::chargeNumberTitle, 10055},
    }};
    for (const TextFieldRow& row : rows) {
        if (row.tag == tag) return &row;
    }
    return nullptr;
}

void notificationController::awakeFromNib() {
    if (notificationTitle) notificationTitle->setStringValue(getNSStringWithID(13003));
    for (int tag : {4002, 4004, 4006, 4008}) {
        const TextFieldRow& row = *FieldRow(tag);
        if (platform::TextField* caption = this->*row.caption) caption->setStringValue(getNSStringWithID(row.captionLabel));
    }
    if (statusPaperListView) {
        for (std::size_t c = 0; c < kColumnHeaders.size(); ++c) {
            if (platform::TableColumn* column = statusPaperListView->tableColumnWithIdentifier(std::to_string(c)))
                column->title = getNSStringWithID(kColumnHeaders[c]);
        }
    }
    showStatusMode(1);
}

// ---- Status page mode ----

void notificationController::selectStausNone(platform::Control&) { selectStatusMode(1); }
void notificationController::selectStatusOnError(platform::Control&) { selectStatusMode(2); }
void notificationController::selectStatusAlways(platform::Control&) { selectStatusMode(3); }
void notificationController::selectStatusFirstPage(platform::Control&) { selectStatusMode(4); }

// A refused mode leaves the buttons and the dictionary as they were.
void notificationController::selectStatusMode(int mode) {
    if (handleFeature(kFeatureStatusMode, mode, {}, 0) != 0) return;
    showStatusMode(mode);
    updateNotificationDict(StatusMode(mode).dictCase);
}

void notificationController::showStatusMode(int mode) {
    const StatusModeRow& row = StatusMode(mode);
    platform::Button* const buttons[] = {statusNone, statusOnError, statusAlways, statusFirstPage};
    platform::Button* button = buttons[row.mode - 1];
    if (statusPageTitle) statusPageTitle->setStringValue(getNSStringWithID(13054) + ": " + getNSStringWithID(row.label));
    if (_lastStatusButton && !_lastStatusButtonName.empty()) changeButtonImage(_lastStatusButton, _lastStatusButtonName);
    changeButtonImage(button, row.selectedImage);
    _lastStatusButton = button;
    _lastStatusButtonName = row.normalImage;
}

// ---- Status paper ----

// Every catalog, the one of the start and each one loaded later, shows the
// stored status paper (the body paper's row when it has none); the bridge
// has made the job's papers follow the catalog, so nothing is sent.
void notificationController::listenPaperCatalogUpdate(const platform::Notification& notification) {
    _paperCatalog.setCatalog(notification.object.dictionary());
    _paperCatalog.addVirtualPaper();
    if (!statusPaperListView) return;
    statusPaperListView->reloadData();
    selectStoredPaper();
}

void notificationController::listenColumnSizeUpdate(const platform::Notification& notification) {
    if (statusPaperListView) PaperTable::sizeColumns(*statusPaperListView, notification.object);
}

int notificationController::numberOfRowsInTableView(platform::TableView&) { return _paperCatalog.numberOfRows(); }

std::string notificationController::objectValueForTableColumn(platform::TableView&, const platform::TableColumn& column,
                                                              int row) {
    return _paperCatalog.cell(column.identifier, row, [this](int id) { return getNSStringWithID(id); });
}

void notificationController::tableViewSelectionDidChange(platform::TableView& table) {
    const int row = table.selectedRow();
    if (row < 0) return;
    if (handleFeature(kFeatureStatusPaper, _paperCatalog.featureValue(row), _paperCatalog.featureText(row), 0) == 0)
        updateNotificationDict(kStatusPaperCase);
    else
        undo(kFeatureStatusPaper);
}

void notificationController::selectStoredPaper() {
    const int row = _paperCatalog.findPaperIndex(group()["statusPaper"].text());
    if (!statusPaperListView || row < 0) return;
    putBack([&] {
        statusPaperListView->deselectAll();
        statusPaperListView->selectRow(row, false);
    });
    statusPaperListView->scrollRowToVisible(row);
}

void notificationController::undo(int feature) {
    if (feature == kFeatureStatusPaper) selectStoredPaper();
}

// ---- The four texts ----

void notificationController::controlTextDidChange(platform::TextField& field) {
    if (const TextFieldRow* row = FieldRow(field.tag())) verifyEditField(field, *row);
}

bool notificationController::controlTextShouldEndEditing(platform::TextField&) {
    postReadyToPrint();
    return true;
}

// Characters outside the field's class are removed and a text over its limit
// is cut with a beep. What the field then shows is what is sent and stored:
// a mended text is sent unless the group already holds it (a key typed past
// the limit leaves the text that was sent before), so the engine and the
// dictionary never keep a text other than the one the user sees.
void notificationController::verifyEditField(platform::TextField& field, const TextFieldRow& row) {
    const AuditedText audited = AuditUserEntry(field.stringValue(), *TextRuleOf(row.key));
    if (audited.cut) platform::Beep();
    if (audited.mended()) {
        field.setStringValue(audited.text);
        if (audited.text == group()[row.key].text()) return;
    }
    if (handleFeature(row.feature, 0, audited.text, 0) == 0) updateNotificationDict(row.tag);
}

// ---- The dictionary ----

void notificationController::updateNotificationDict(int dictCase) {
    for (const StatusModeRow& mode : kStatusModes) {
        if (mode.dictCase == dictCase) return updateGroup({{"statusMode", platform::FormatInteger(mode.mode)}});
    }
    if (dictCase == kStatusPaperCase) {
        const int row = statusPaperListView ? statusPaperListView->selectedRow() : -1;
        return updateGroup({{"statusPaper", row >= 1 ? _paperCatalog.name(row) : std::string()}});
    }
    if (const TextFieldRow* row = FieldRow(dictCase)) {
        if (platform::TextField* field = this->*row->field) updateGroup({{row->key, field->stringValue()}});
    }
}

// The stored texts are shown as they are; nothing is sent again.
void notificationController::applySettings() {
    if (!_jobFeatureDict || !_jobFeatureDict->contains("notification")) return;
    const platform::Dictionary notification = group();
    showStatusMode(notification["statusMode"].intValue());
    selectStoredPaper();
    for (int tag : {4002, 4006, 4008, 4004}) {
        const TextFieldRow& row = *FieldRow(tag);
        if (platform::TextField* field = this->*row.field) field->setStringValue(notification[row.key].text());
    }
}

void notificationController::termination() {
    _paperCatalog = PaperTable();
    _lastStatusButtonName.clear();
    OptionPane::termination();
}

// notificationController: the notification tab. When the printer prints a
// status page (none, on error, always, before the first page) and on which
// paper, chosen from the paper table headed by the body-paper row; and four
// texts that travel with the job: e-mail address, operator message,
// deliver-to text and charge number, each mended to its character class and
// byte limit as it is typed. Every choice goes to the bridge as a job
// feature; accepted ones are written into the "notification" group.
#pragma once

#include <string>

#include "OptionPane.h"
#include "PaperTable.h"
#include "TypedText.h"

class notificationController : public OptionPane,
                               public platform::TableDataSource,
                               public platform::TableDelegate,
                               public platform::TextFieldDelegate {
public:
    notificationController();
    ~notificationController() override;

    void awakeFromNib() override;

    // The status-page buttons (the first name as the interface file has it).
    void selectStausNone(platform::Control& sender);
    void selectStatusOnError(platform::Control& sender);
    void selectStatusAlways(platform::Control& sender);
    void selectStatusFirstPage(platform::Control& sender);

    // The status paper table.
    int numberOfRowsInTableView(platform::TableView&) override;
    std::string objectValueForTableColumn(platform::TableView&, const platform::TableColumn& column, int row) override;
    void tableViewSelectionDidChange(platform::TableView& table) override;

    // The four text fields.
    void controlTextDidChange(platform::TextField& field) override;
    // Every end of editing holds the next print back; editing always ends.
    bool controlTextShouldEndEditing(platform::TextField& field) override;

protected:
    void applySettings() override;
    void termination() override;

private:
    // One of the four text fields: its tag, feature, key, class and limit.
    struct TextFieldRow;
    static const TextFieldRow* FieldRow(int tag);

    // Sends the status mode (1 none, 2 on error, 3 always, 4 first page);
    // accepted, it is shown and written.
    void selectStatusMode(int mode);
    // The display step: the status title and the selected button.
    void showStatusMode(int mode);
    void listenPaperCatalogUpdate(const platform::Notification& notification);
    void listenColumnSizeUpdate(const platform::Notification& notification);
    // Selects the row of the stored status paper and scrolls to it, without
    // sending it again.
    void selectStoredPaper();
    // Puts a control back after a refusal: 108 the status paper.
    void undo(int feature);
    // Mends the field's text and sends it; see the source.
    void verifyEditField(platform::TextField& field, const TextFieldRow& row);
    // Writes one entry of the "notification" group and broadcasts: cases 0
    // to 3 the status modes none, always, on error and first page; 4 the
    // status paper; 4002 to 4008 the text field of that tag.
    void updateNotificationDict(int dictCase);

    platform::Button* statusNone = nullptr;
    platform::Button* statusOnError = nullptr;
    platform::Button* statusFirstPage = nullptr;
    platform::Button* statusAlways = nullptr;
    platform::TableView* statusPaperListView = nullptr;
    platform::TextField* eMailEditField = nullptr;
    platform::TextField* operatorEditField = nullptr;
    platform::TextField* deliverToEditField = nullptr;
    platform::TextField* chargeNumberEditField = nullptr;
    platform::TextField* notificationTitle = nullptr;
    platform::TextField* statusPageTitle = nullptr;
    platform::TextField* eMailTitle = nullptr;
    platform::TextField* operatorTitle = nullptr;
    platform::TextField* deliverToTitle = nullptr;
    platform::TextField* chargeNumberTitle = nullptr;

    PaperTable _paperCatalog;
    platform::Button* _lastStatusButton = nullptr;
    std::string _lastStatusButtonName;
};

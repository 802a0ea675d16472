// The controller bridge: the one object between the dialog's panes and the
// job-ticket engine, alive for one showing of the extension's pane.
//
// The main pane creates it, hands it the plug-in bundle and releases it. With
// the bundle the bridge composes the data paths from the bundle's
// information dictionary and starts the engine (a JSE_Service with its own
// page collection, working job-feature record, custom-command record and
// image-placement objects), then announces itself to every pane by
// notification. The panes keep an unretained pointer and message the bridge
// directly; the bridge answers only by return values and by notifications on
// the default notification center, announcing itself as their sender.
//
// The class is declared by concern, each concern implemented in its own
// zqController*.cpp. Main thread only.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "Bundle.h"
#include "FoundationValues.h"
#include "ImageAdjust.h"
#include "JSE_PageCollection.h"
#include "JSE_Records.h"
#include "JSE_Service.h"
#include "NotificationCenter.h"

namespace template_values {
class Group;
class Outcome;
struct SettingKey;
}  // namespace template_values

// The bridge's own error codes, kept as its last error beside the engine's.
enum zqControllerError : int {
    kBridgeNoError = 0,
    kBridgeNoEngine = -1,               // the engine was not started
    // Why a custom-command file was left out of a ticket (logged and shown;
    // the ticket goes without it).
    kCustomFileCannotOpen = -4001,      // the custom-command file cannot be opened
    kCustomFileNotRegular = -4002,      // the custom-command file is no regular file
    kCustomFileTooLarge = -4003,        // the custom-command file is larger than the printer's queue keeps
    kCustomFileUnreadable = -4004,      // the custom-command file cannot be read to its end
};

class zqController {
public:
    // Image shift of both sides, X and Y each (side 1 is the front).
    struct SideShift {
        double x = 0, y = 0;
    };
    struct ImageShift {
        SideShift front, back;
    };
    // Edge-erase margins of both sides.
    struct Margins {
        double top = 0, left = 0, bottom = 0, right = 0;
    };
    struct EdgeMargins {
        Margins front, back;
    };

    // Operating-system language codes (the first preferred localization).
    enum Language : int {
        kLanguageOther = 0,
        kLanguageFrench = 1,
        kLanguageGerman = 2,
        kLanguageItalian = 3,
        kLanguageDutch = 4,
        kLanguageSwedish = 5,
        kLanguageSpanish = 6,
        kLanguageDanish = 7,
        kLanguagePortuguese = 8,
        kLanguageNorwegian = 9,
        kLanguageJapanese = 11,
    };

    // ---- Life cycle and engine start-up (zqControllerLifeCycle.cpp) ----
    // A bridge without an engine, its observers registered and its working
    // records at their creation values.
    zqController();
    // Ends every observer registration first, posts nothing, then deletes
    // the engine, the page collection and the image-placement objects.
    virtual ~zqController();
    zqController(const zqController&) = delete;
    zqController& operator=(const zqController&) = delete;

    // Tells the panes the bridge was announced to that they have no bridge
    // now; its owner sends it before letting the bridge go, so that no click
    // reaches a bridge that is gone. Nothing when the engine never started.
    void withdrawAnnouncements();
    // Keeps the bundle, composes the data paths and starts the engine; sent
    // once per bridge.
    void setBundle(const platform::Bundle& bundle);
    void getDataPath();
    // Starts the engine; on success announces the bridge to the panes and
    // sends them the paper table and the job-feature dictionary. On failure
    // the code is kept (the start-up error) and nothing is posted.
    void restart();
    // True when the engine started on a rule file that is there but could
    // not be read whole (the console log says why); the main pane tells the
    // user.
    bool RuleFileDamaged() const;
    // Factory defaults into the settings store, the ticket, the validator
    // and the page collection.
    void JSEPreferenceSetFactory();
    // The template pane's "zqController::FactoryReset": the factory reset,
    // the application's job name, copies and orientation again, then the new
    // dictionary to the panes.
    void listenFactoryResetNotification(const platform::Notification& notification);
    void setOSLanguage();
    int getPreferredLanguage() const { return m_preferredLanguage; }
    // The dictionary's default punch pattern: 4 for the European languages
    // of the table, 3 for any other.
    int getDefaultPunchPattern() const;
    // The language code of a localization name: its primary language subtag
    // ("ja", "pt_BR", "zh-Hans") or an older full name ("Japanese").
    static int LanguageCode(std::string_view localization);

    // Text conversions. The engine's wide strings hold one character per
    // Unicode code point; texts are UTF-8.
    // The first count characters; nothing for a count below 1.
    static std::optional<std::string> getName(const wchar_t* characters, int count);
    static void NSStringToWString(std::string_view text, WString& out);
    // The first 1024 characters.
    static std::string wstringToNSString(const WString& wide);

    // ---- Paper-catalog table (zqControllerPaperCatalog.cpp) ----
    // Rebuilds the table from the engine's catalog, posts the catalog's path
    // and then the column widths.
    void updateCatalog();
    void computeColumnSize();
    // The text's width in the label font when it exceeds the reference
    // width, plus an 18-point margin; else the reference.
    static int getMaxStringWidth(std::string_view text, int reference);
    // The job-setup pane's "zqController::loadPaperCatalog" (object: the
    // path): loads the catalog file, and the job's papers follow it; a file
    // that fails, or whose papers the rules refuse for the job (its first
    // paper for one the job uses, or a kept paper that changed), keeps the
    // catalog in use and posts the failure.
    void listenLoadPaperCatalogNotification(const platform::Notification& notification);

    // ---- Setting road (zqControllerSettingRoad.cpp) ----
    // A pane's feature: checked against the rules where one applies, then
    // stored and copied into the ticket. 0 when accepted; else the rule's
    // message identifier (or the engine's error), and nothing is stored.
    int HandleJobFeatures(int feature, std::int64_t val, std::string_view sValue, std::int64_t val2);
    // Stores a feature without a check (templates take this road too).
    void SetJobFeature(int feature, std::int64_t val, std::string_view sValue, std::int64_t val2);
    // The cover, status-page and separator punch flags and every page
    // range's punch feature follow the job's punch pattern: punching turned
    // on punches them (a cover only on paper the rules let be punched),
    // turned off clears them; with punchedBefore (the job goes on punching
    // with another pattern) each keeps what the user gave it, and only a
    // range without a punch is punched.
    void updateJobPunchFeatures(int pattern, bool punchedBefore = false);
    void setPunchPattern(int pattern);
    // The record into the settings store, and the working record read back.
    void SetJobFeatures(JSE_JobFeatureType record);
    // The application's job name, copy count and orientation; kept for
    // start-up when the engine is not running yet.
    void SetJobTicketInfoFromApplication(std::string_view jobName, int copies, int orientation);
    int GetPrintingMode() const { return mJobFeature.printingMode; }
    // The body paper's size in points; 612 x 792 without an engine, the
    // outputs untouched for a body paper the catalog does not hold.
    void GetBodyPaperSize(int& width, int& height);

    // ---- Job-feature dictionary (zqControllerFeatureDictionary.cpp) ----
    // Rebuilds the six groups of the job-feature dictionary ("jobSetup",
    // "finisher", "custom", "image", "notification", "Substitution") from
    // the working records, the page collection and an older template's page
    // sets. Posts nothing.
    void convertFeaturesToDictionary();
    // The dictionary the panes were last sent: the bridge's own build, or
    // the file of the template last applied.
    const platform::Dictionary& jobFeatureDictionary() const { return m_jobFeatureDict; }

    // ---- Templates (zqControllerTemplates.cpp, zqControllerTemplatePages.cpp,
    // zqControllerOlderTemplates.cpp) ----
    // The template pane's "zqController::LoadSettings" (object: the path).
    void listenLoadSettingsNotification(const platform::Notification& notification);
    // Puts the engine back to factory settings and applies the template
    // file, group by group and with its page features, each value held to
    // what the panes let the user choose and the rules checked as on the
    // setting road; the file becomes the dictionary the panes receive, with
    // the engine's values for what it could not give, and an alert tells the
    // user whether all of it was applied. A file that cannot be read changes
    // nothing, nor does one that is no template, of which the user is told;
    // one with a group missing leaves the panes the dictionary rebuilt from
    // the engine. A file with "Version" is a template of the earlier release,
    // applied without rule checks.
    void LoadSettings(const std::string& path);
    // The earlier release's template held as the dictionary: applied to
    // factory settings, then the dictionary rebuilt from the engine. Whether
    // nothing of it was left out.
    bool convertRelease7Template();
    // Its page sets (kept for every later build of the dictionary) and its
    // page features into the page collection.
    void convertPageFeatures(template_values::Outcome& outcome);
    // The bundle's label text of the identifier; "Labels" for one the table
    // lacks, "" without a bundle.
    std::string getNSStringWithID(int identifier) const;

    // ---- Page exceptions (zqControllerPageExceptions.cpp, zqControllerPageCollection.cpp) ----
    // Settings for a range of pages, kept in the bridge's page collection,
    // which the ticket reads. Pages count from 1, records, features and
    // properties from 0. Every change made here leaves the validator's
    // page-exception list as JSE_LoadPageExceptionToValidation builds it.
    // Before start-up there is no collection: changes do nothing and reads
    // answer as for a record out of range.

    // Whether the feature (a PageExceptionCode, or 310: the paper must be
    // printable) may go on pages start..end beside the exceptions held and
    // the job's settings. 0 when allowed; else the message the pane shows,
    // or a negative engine error (-1 before start-up). Nothing is stored.
    // With a layout feature (print mode or print side) given, the pages are
    // judged as storing it on start..end leaves them: that feature in place
    // of the one they hold, 255 taking theirs away.
    int JSE_ValidationOnExceptions(int start, int end, int code, std::string_view paper, int value,
                                   std::optional<FeatureType> layout = std::nullopt);
    // Empties the validator's page-exception list and loads it from the
    // collection: one record each time a feature of a page record marks it.
    // The records are built when the validator next reads its list, from the
    // collection as this left it.
    void JSE_LoadPageExceptionToValidation();
    // Applies the feature to the pages, splitting, merging or inserting
    // records (inserts and layout codes go to their own records).
    void JSE_SetPageFeature(int start, int end, int code, int value);
    // 224: every subset record of exactly start..end goes; 235, 236, 300,
    // 301: that layout feature leaves the pages; 303: the image shift of the
    // range; any other code: the record of exactly start..end whose own kind
    // and value are code and value goes, with all it holds.
    void JSE_RemovePageFeature(int start, int end, int code, int value);
    void JSE_SetPageProperty(int start, int end, int property, std::string_view text, int pageType,
                             int pageTypeValue);
    int JSE_PageCollection_GetSize() const;
    // -1 and -1 out of range.
    void JSE_PageCollection_GetPageNumber(int i, int& first, int& last) const;
    int JSE_PageCollection_GetPageFeatureSize(int i) const;
    // 0 and 0 when either index is out of range.
    void JSE_PageCollection_GetPageFeature(int i, int j, int& code, int& value) const;
    int JSE_PageCollection_GetPropertySize(int i) const;
    // 0 and an empty text when either index is out of range.
    void JSE_PageCollection_GetProperty(int i, int j, int& id, std::string& text) const;
    // Removes the record of exactly start..end or, when there is none, cuts
    // the pages out of the first record that holds them; the same in the
    // image list. The layout list and the mirrors of its ranges stay.
    void JSE_PageCollection_RemovePages(int start, int end);
    void JSE_PageCollection_RemoveAllPages();
    // The first record holding start..end with a feature of the code; -1.
    void JSE_PageCollection_FindPageFeatureByPageNumbers(int start, int end, int code, int& index) const;
    // The records sharing a page with start..end, in order.
    std::vector<int> JSE_PageCollection_FindPagesOverlapping(int start, int end) const;
    // Sets or appends the feature; a device (224) drops what it excludes.
    void JSE_PageCollection_AddPageFeature(int i, int code, int value);
    // Changes the record's first feature of that code, if it has one.
    void JSE_PageCollection_UpdatePageFeature(int i, int code, int value);
    void JSE_PageCollection_RemovePageAt(int i);
    // Takes the (last) feature of that code off record i; a record left
    // without features goes.
    void JSE_PageCollection_RemovePageFeatureAt(int i, int code);
    // The first record holding start..end with the code takes the value;
    // value 1 stands for the job's punch pattern.
    void JSE_PageCollection_UpdatePunch(int start, int end, int code, int value);
    // The job's punch pattern; 0 for no punching.
    int JSE_GetJobPunchValue() const { return mJobFeature.punchJob; }
    // The paper the job's pages print on.
    std::string JSE_GetBodyPaper() const;
    // Whether the front cover (219) or the back cover (220) is punched.
    bool JSE_GetCoverPunchValue(int feature) const {
        return feature == kFeaturePunchFrontCover ? mJobFeature.punchFrontCover
                                                  : feature == kFeaturePunchBackCover && mJobFeature.punchBackCover;
    }
    void SetPEValidation(int on) { _PeValidation = on; }
    int JSE_PageCollection_GetPageImageSize() const;
    // -1 and -1 out of range.
    void JSE_PageCollection_GetImagePageNumber(int i, int& first, int& last) const;
    // Image feature j of image record i, the offsets in points. Record out of
    // range: code 0, unit 0, mirror on, orientation 1, offsets 0, the code
    // value untouched; feature out of range: nothing written.
    void JSE_PageCollection_GetImageFeature(int i, int j, int& code, int& codeValue, int& unit, bool& mirror,
                                            int& orientation, float& x1, float& y1, float& x2, float& y2) const;
    // Only code 302 is kept; mirror is on exactly for 1. Offsets in points,
    // one that shows as 0.00 or -0.00 kept as 0; unit the one the user
    // typed in (0 inch, 1 millimetre).
    void JSE_PageCollection_SetImageFeature(int start, int end, int code, int unit, int mirror, int orientation,
                                            float x1, float y1, float x2, float y2);
    void JSE_PageCollection_RemoveAllImageFeature();
    // Every image record that holds start..end goes.
    void JSE_PageCollection_RemoveImageAlignOnPages(int start, int end);
    // The offsets of the first image feature of exactly start..end.
    bool getPEImageRecord(int start, int end, float& x1, float& y1, float& x2, float& y2) const;
    // The whole job, page exceptions included, against the rules; true when
    // nothing was refused. The refusals stay for the two readers below.
    bool JSE_ValidationOnTicket();
    int JSE_Validation_GetNumberOfErrors() const;
    int JSE_JobTicket_Validation_GetErrorID(int i) const;

private:
    // The page-exception pane's validation switch, kept for the pane. The
    // checks above do not read it, and template loading need not: its page
    // features go through the services above, which keep the validator's
    // list in step whether the switch is on or off.
    int _PeValidation = 1;

public:

    // ---- Image alignment and edge erase (zqControllerImageAdjust.cpp) ----
    // The image pane's values are kept in inches and in millimetres, with the
    // side-2 values mirrored from side 1; before each ticket they are placed
    // for the printer in points. Units: 0 inch, 1 millimetre.
    static double InchToPoint(double inches) { return inches * 72; }
    static double mmToPoint(double millimetres) { return millimetres / 25.4 * 72; }
    static double PointToMM(double points) { return points / 72 * 25.4; }
    static double PointToInch(double points) { return points / 72; }
    static double mmToInch(double millimetres);
    // Whole hundredths of an inch, as the pane shows them, in millimetres.
    static double inchToMM(double inches);
    void SetCurrentImageAlignUnit(int unit) { m_imageAlignValues.unit = unit; }
    int GetCurrentImageAlignUnit() const { return m_imageAlignValues.unit; }
    void SetCurrentEdgeEraseUnit(int unit) { m_edgeEraseValues.unit = unit; }
    int GetCurrentEdgeEraseUnit() const { return m_edgeEraseValues.unit; }
    // The pane's image shift in its unit into both units and the record,
    // which goes to the settings store; off stores orientation 1 and zeros.
    void SetImageAlign(bool on, bool mirror, int unit, int orientation, float frontX, float frontY, float backX,
                       float backY);
    ImageShift GetCurrentImageAlignValues(int unit) const;
    SideShift GetImageAlignMirrorValues(int unit) const;
    // The application's orientation of the job (1 portrait, 2 landscape, 3
    // reverse landscape, 4 reverse portrait), by which the job's image values
    // are mirrored: the one the bridge keeps from the application, whatever
    // the factory settings left in the working record.
    int GetJobOrientation() const { return m_orientation; }
    // Side 2 from side 1 as the ticket prints it: X negated for a portrait
    // job, else Y; a zero stays +0. The image pane shows its mirror so.
    void ComputeImageAlignMirrorValues(float& x, float& y) const;
    // A page range's side-1 shift mirrored onto side 2 as the page-exception
    // pane mirrors it: across the axis of the shift's own orientation, Y
    // negated for landscape (2), else X; a zero stays +0.
    static void MirrorPageShift(int orientation, float& x, float& y);
    // +0 for a distance that shows as 0.00 or -0.00 at two decimals, any
    // other as it is, so that no field, summary, template or ticket shows
    // "-0.00", however the value is mirrored or placed.
    static double PlusZeroAtTwoDecimals(double value);
    // A distance as a pane holds it once editing ends: its single-precision
    // value at two decimals, +0 for one that shows 0.00 (0.125 is 0.12,
    // 0.045 is 0.05, -0.001 is 0); one too large for single precision stays
    // infinite, as it is there, so that no range takes it.
    static double AtTwoDecimals(double value);
    void SetImageAlignMirrorSide1Value(int unit, float x, float y);
    // Places a shift in points for the job's orientation, duplex flip and
    // body paper; nothing before start-up.
    void ConvertImageAlignValues(const ImageShift& points);
    // The placed shift; values just below 0, and -0, read as 0.
    void GetImageAlignValues(ImageShift& placed) const;
    // The placed shift into the record and the store, when alignment is on.
    void ImageAlignUpdate();
    void SetEdgeErase(bool on, bool mirror, int unit, int orientation, const EdgeMargins& margins);
    // The margins in both units and, with mirror, side 1's as side 2's;
    // the record is not touched.
    void SetEdgeEraseValues(int unit, const EdgeMargins& margins, bool mirror);
    EdgeMargins GetCurrentEdgeEraseValues(int unit) const;
    // Side 2 takes side 1's margins as they are.
    void ComputeEdgeEraseMirrorValues(Margins& margins) const;
    void SetEdgeEraseMirrorSide1Value(int unit, const Margins& margins);
    Margins GetEdgeEraseMirrorValues(int unit) const;
    void ConvertEdgeEraseValues(const EdgeMargins& points);
    void GetEdgeEraseValues(EdgeMargins& placed) const;
    void EdgeEraseUpdate();
    // 1 to 4: 0, 90, 180, 270 degrees.
    void SetFinishOrientation(int orientation);
    void SetGRET(int on);
    void SetHalfToneAngle(int degrees);
    void SetHalfToneFrequency(int linesPerInch);
    // The "Size" text of the paper table's row of that name; "" for none.
    std::string getPaperSize(std::string_view paperName) const;

    // ---- Ticket hand-out and custom command (zqControllerTicket.cpp) ----
    // What the command job puts around a handed-out ticket, all of which the
    // queue keeps with it: the PostScript header line ahead and a line feed
    // after it.
    static constexpr std::string_view kTicketHeaderLine = "%!PS-Adobe-3.0\r\n";
    static constexpr std::string_view kTicketLastLine = "\n";
    // Builds the ticket text afresh: the engine's ticket with the custom
    // command file before or after it, closed by CR LF "%%EndComments" CR.
    // Its length in bytes; 0 when no ticket was built (GetLastError says why).
    std::int64_t GetJobTicketSize();
    // The text of the last hand-out; an empty text and the error when there
    // is none. The size is not used.
    void GetJobTicket(std::string& ticket, std::int64_t size, int& error);
    // The engine's ticket with the command file joined; 0 or the error.
    int createTicket(std::string& ticket);
    void ClearError() { m_fatalStop = 0; }
    // The engine's last error; -1 before the engine started.
    int GetLastError() const;
    // The custom pane's group: kind ("fieldFlag"), position
    // ("insertPosition"), "modifyPrintFile", "fileName" and "command".
    void setCustomCommand(const platform::Dictionary& custom);
    // Whether the custom command goes into the ticket (its "withJobStream").
    bool customCommandEnabled() const { return mCustomCommand.withJobStream; }
    // The login name as the job's user name.
    void setUserName();
    int GetHalftoneAngle() const { return mJobFeature.halftoneAngle; }
    int GetLinePerInch() const { return mJobFeature.halftoneFrequency; }
    const std::string& GetDocumentTitle() const { return m_documentTitle; }

protected:
    // The engine service of a start-up; tests give one that fails.
    virtual std::unique_ptr<JSE_Service> NewService(const WString& language, const WString& definitionPath,
                                                    const WString& catalogPath, const WString& validationPath,
                                                    bool safe);

    JSE_Service* engine() const { return m_service.get(); }
    JSE_PageCollection* pageCollection() const { return m_pageCollection.get(); }
    const JSE_JobFeatureType& workingRecord() const { return mJobFeature; }
    const JSE_CustomCommandType& workingCustomCommand() const { return mCustomCommand; }
    int fatalStop() const { return m_fatalStop; }
    const std::string& catalogPath() const { return m_paperCatalogPath; }
    const std::string& definitionPath() const { return m_paperCatalogDefinitionPath; }
    const std::string& validationPath() const { return m_validationPath; }

private:
    // The paper table's column widths in points; they only grow.
    struct ColumnWidths {
        int name = 80, size = 80, color = 80, type = 80, weight = 80, mode = 80, preCollated = 80, punchable = 80;
    };

    // Life cycle.
    void initJobFeature();
    // Whether the engine started completely; observers act only then.
    bool started() const { return m_engineStarted; }
    // The start-up steps after the service reported no error.
    void completeStart();
    // The ticket's document title from the kept job name.
    void giveTitleToTicket();
    // The application's job name, copy count and orientation into the
    // record, the store and the ticket, as the print road sends them.
    void reapplyApplicationJobInfo();
    void postAnnouncements();
    void postApplySettings(std::initializer_list<const char*> names);
    void post(std::string_view name, platform::Value object = {});

    // Paper table.
    platform::Dictionary paperRecord(int index);
    // After a catalog load (zqControllerCatalogPapers.cpp): what the job's
    // papers became, so that the catalog in use before can be taken back.
    struct JobPaperChange {
        int feature, value;  // as the first row of its list sends it
        std::string text;
    };
    struct PagePaper {
        long record, property;
        WString paper;  // the text the property had
    };
    struct CatalogFollow {
        bool replaced = false;  // a paper of the job or its pages was replaced
        std::vector<JobPaperChange> jobPapers;
        std::vector<PagePaper> pagePapers;
    };
    // Whether the catalog just loaded stays, the job's papers following it.
    bool followLoadedCatalog(JSE_Media::Contents previous, const JSE_JobFeatureType& job, CatalogFollow& follow);
    // Every paper of the job and its pages that the catalog lacks becomes
    // the first row of its list, unchecked; then every paper of the job and
    // its pages is checked by the rules.
    void replaceMissingPapers(CatalogFollow& follow);
    int checkJobPapers(const CatalogFollow& follow);
    int checkPagePaper(long record, long property);
    // The catalog in use before, with the job's papers as they were.
    void takeBackCatalog(JSE_Media::Contents previous, const JSE_JobFeatureType& job, const CatalogFollow& follow);

    // Setting road.
    // Writes the feature into the working record (the page order into the
    // store and the ticket, the emulation's PDF switch into the ticket).
    void writeFeature(int feature, std::int64_t val, const WString& text, std::int64_t val2);
    void storeAndCopyToTicket();
    // Whether the rules let the cover of that punch control (26 front, 27
    // back) be punched with its paper; the validator keeps an allowed punch.
    bool coverMayBePunched(int control);

    // Image alignment and edge erase: the pane's values in both units.
    struct ImageAlignValues {
        int unit = 0;
        ImageShift inch, mm;
        SideShift mirrorInch, mirrorMm;
    };
    struct EdgeEraseValues {
        int unit = 0;
        EdgeMargins inch, mm;
        Margins mirrorInch, mirrorMm;
    };
    // The record to the settings store (no copy into the ticket, which
    // reads the store when it is built).
    void storeRecord();
    // Sets the orientation, duplex flip and body paper of a placement.
    template <class Placement>
    void preparePlacement(Placement& placement, bool mirror, int orientation);

    // Ticket hand-out: the custom command file's text and its path; no text,
    // said why, for a file that cannot go whole.
    void readCustomCommandFile(const JSE_CustomCommandType& custom, std::string& path, std::string& text);
    // Logs why the command file was left out and, when the ticket goes
    // without lines the file holds, tells the user in one alert.
    void leaveOutCommandFile(const std::string& path, int error) const;
    // The alert of the label, its "%s" the file's path.
    void showFileAlert(int label, const std::string& path) const;

    // The validator's page-exception list from the collection; punched: with
    // every range punched, as turning punching on leaves them.
    void loadPageExceptionsToValidation(bool punched);

    // Job-feature dictionary: the five groups of the job's own settings,
    // each from the working records.
    void convertJobFeaturesToDictionary();
    void fillJobSetupGroup();
    void fillFinisherGroup();
    void fillNotificationGroup();
    void fillCustomGroup();
    void fillImageGroup();
    void fillSubstitutionGroup();

    // Templates. Whether the whole file was applied.
    bool applyTemplateFile(const platform::Dictionary& file);
    // False when a job group is missing.
    bool applyTemplate(const platform::Dictionary& file, template_values::Outcome& outcome);
    // The file as the panes receive it, with the engine's values for the
    // keys the template could not give.
    void answerFromEngine(const platform::Dictionary& file, const template_values::Outcome& outcome);
    void applyTemplateKeys(template_values::Group& in, std::span<const template_values::SettingKey> keys);
    void keepApplicationJobInfo(std::optional<template_values::Group>& jobSetup);
    void applyTemplatePaper(template_values::Group& in, const template_values::SettingKey& k);
    // The value the job-setup pane's rules give the setting.
    std::int64_t jobSetupPaneValue(int feature, std::int64_t value) const;
    // Whether the setting turns set separators on in a job not collated.
    bool separatorsCollate(int feature, std::int64_t value) const;
    // Through the checked road; a refusal leaves the value out.
    void applyTemplateSetting(template_values::Group& in, const char* key, int feature, std::int64_t value,
                              std::string_view text);
    void applyCoverPunches(std::optional<template_values::Group>& jobSetup,
                           std::optional<template_values::Group>& finisher);
    void applyFinisherGroup(template_values::Group& finisher);
    void applyCustomGroup(template_values::Group& custom);
    void applyImageGroup(template_values::Group& image);
    void applyImageAlign(template_values::Group& image, bool on, bool mirror);
    void applyEdgeErase(template_values::Group& image, bool on, bool mirror);
    // A number through the storing step (the long-edge fold to the store).
    void storeTemplateNumber(int feature, std::int64_t value);
    // Page features; orientation is the one of image shifts. The entries
    // applied are kept for the dictionary.
    void applyPageFeatures(const platform::Dictionary& substitution, int orientation,
                           template_values::Outcome& outcome);
    // False when the entry was not applied, a refusal being told to the
    // outcome.
    bool applyPageFeatureEntry(const platform::Value& entry, int orientation, template_values::Outcome& outcome);
    bool applyPageFeatureEntry(template_values::Group& entry, int orientation);
    void storePageFeaturesInOrder(const platform::Array& entries, const std::vector<bool>& applied, int orientation);
    void arrangePagesAsListed(const platform::Array& entries);
    bool applyImageShiftEntry(template_values::Group& entry, int first, int last, int orientation);
    bool pageRulesTake(template_values::Group& entry, int first, int last, const std::string& paper,
                       std::initializer_list<std::pair<int, int>> features);
    void convertPageFeatureArray(const platform::Array& items, template_values::Outcome& outcome);
    // False when the pair was left out.
    bool convertPageFeaturePair(int first, int last, int code, int value, const std::string& paper);
    int setPagePaper(int first, int last, int property, const std::string& paper, int code, int value);
    bool addToRecordHolding(int first, int last, int holder, int code, int value);
    // Whether the catalog in use holds the paper; an empty name is the body paper.
    bool knownPaper(const std::string& name);
    // Templates of the earlier release, step by step.
    void getJobSettings(template_values::Outcome& outcome);
    void getDeviceSettings(template_values::Outcome& outcome);
    void getPunchPatterns(template_values::Outcome& outcome);
    void getNotificationSettings(template_values::Outcome& outcome);
    void getCustomOptions(template_values::Outcome& outcome);
    void getImageAlign(template_values::Outcome& outcome);
    void getEdgeErase(template_values::Outcome& outcome);
    void getHalfTones(template_values::Outcome& outcome);

    platform::Bundle m_pluginBundle;
    platform::Dictionary m_paperCatalogDict;
    platform::Dictionary m_maxColumnDict;
    platform::Dictionary m_jobFeatureDict;
    platform::Dictionary m_jobSetupDict, m_finisherFeatureDict, m_customFeatureDict, m_imageFeatureDict,
        m_notificationFeatureDict, m_peFeatureDict;
    std::optional<platform::Array> m_release7PageSet;  // an older template's page sets
    std::optional<platform::Array> m_appliedPageFeatures;  // a template's page features that were applied
    std::string m_paperCatalogPath;
    std::string m_fullCatalogPath;
    std::string m_paperCatalogDefinitionPath;
    std::string m_validationPath;
    std::string m_documentTitle;
    int m_copyCount = 1;
    int m_orientation = 1;
    int m_fatalStop = 0;
    int m_preferredLanguage = kLanguageOther;
    ColumnWidths m_widths;
    int mPageOrdering = 2;
    int mNarrowBookletValue = 0;
    bool m_engineStarted = false;
    JSE_JobFeatureType mJobFeature;
    JSE_CustomCommandType mCustomCommand;
    std::unique_ptr<JSE_Service> m_service;
    std::unique_ptr<JSE_PageCollection> m_pageCollection;  // lent to the ticket
    std::unique_ptr<ImageAlign> m_imageAlign;
    std::unique_ptr<EdgeErase> m_edgeErase;
    ImageAlignValues m_imageAlignValues;
    EdgeEraseValues m_edgeEraseValues;
    std::string m_driverJobTicket;  // the text of the last hand-out
    // Last, so that its registrations end before anything else goes.
    platform::Observation m_observation{this};
};

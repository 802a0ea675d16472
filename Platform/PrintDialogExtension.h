// Stand-in for the print dialog's extension interface. The extension side:
// a module exports one C entry, named kPDEPlugInEntry, that makes its plug-in
// object; the plug-in is given its bundle and makes panes of the types it
// knows; each pane answers the pane protocol. The dialog side, for tests and
// the print host: the host callback object that holds the print session,
// print settings, page format, printer and PPD; the dialog's calls on a pane
// in their order; and the loading of an extension module.
//
// The module keeps its own copy of the platform stand-ins, so only the
// interfaces below and the objects they pass (views, print settings) cross
// between dialog and extension.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Bundle.h"
#include "Controls.h"
#include "FoundationValues.h"
#include "PrintingServices.h"

namespace platform {

// What the dialog offers every pane of an extension. Each may be missing.
class PDEPluginCallback {
public:
    virtual ~PDEPluginCallback() = default;
    virtual PrintSession* printSession() = 0;
    virtual PrintSettings* printSettings() = 0;
    virtual PageFormat* pageFormat() = 0;
    virtual Printer* PMPrinter() = 0;
    virtual ppd_file_t* ppdFile() = 0;
};

// One pane of the dialog. Destroying it is the dialog's release of the pane.
class PDEPanel {
public:
    virtual ~PDEPanel() = default;
    virtual View* panelView() = 0;
    virtual std::optional<std::string> panelName() = 0;
    virtual std::string panelKind() = 0;
    virtual std::vector<std::string> supportedPPDOptionKeys() = 0;
    virtual void willShow() = 0;
    virtual bool shouldHide() = 0;
    virtual bool saveValuesAndReturnError(std::string* error) = 0;
    virtual bool restoreValuesAndReturnError(std::string* error) = 0;
    virtual void PPDOptionKeyValueDidChange(std::string_view key, std::string_view choice) = 0;
    virtual Dictionary summaryInfo() = 0;
    virtual bool shouldPrint() = 0;
    virtual bool shouldShowHelp() = 0;
};

// The panes a plug-in makes for a type: none at all (nothing) is not the
// same answer as an empty list.
using PDEPanelList = std::optional<std::vector<std::unique_ptr<PDEPanel>>>;

class PDEPlugIn {
public:
    virtual ~PDEPlugIn() = default;
    virtual bool initWithBundle(const Bundle& bundle) = 0;
    virtual PDEPanelList PDEPanelsForType(std::string_view type, PDEPluginCallback* host) = 0;
};

// The type of pane that the print dialog asks extensions for.
inline constexpr char kPrintDialogPaneType[] = "BDB091F4-E57F-11D3-B5CC-0050E4603277";

// The module's C entry: makes a plug-in object, which the caller owns.
inline constexpr char kPDEPlugInEntry[] = "PDEPlugInCreate";
extern "C" {
using PDEPlugInCreateFunction = PDEPlugIn* (*)();
}

// Dialog side ---------------------------------------------------------------

// The host callback object: what the dialog knows of the job, filled by the
// print host or a test. A missing part is nothing.
class PrintDialogHost : public PDEPluginCallback {
public:
    std::optional<PrintSession> session = PrintSession{};
    std::optional<PrintSettings> settings = PrintSettings{};
    std::optional<PageFormat> format = PageFormat{};
    std::optional<Printer> printer;
    // False offers the PPD through the session only.
    bool offersPPD = true;

    PrintSession* printSession() override { return session ? &*session : nullptr; }
    PrintSettings* printSettings() override { return settings ? &*settings : nullptr; }
    PageFormat* pageFormat() override { return format ? &*format : nullptr; }
    Printer* PMPrinter() override { return printer ? &*printer : nullptr; }
    ppd_file_t* ppdFile() override { return offersPPD ? GetPPDRefFromSession(printSession()) : nullptr; }
};

// The dialog with one extension's pane: the calls it makes, in order, each
// also written to calls().
class PrintDialog {
public:
    PrintDialog(PDEPlugIn& plugIn, PDEPluginCallback& host) : m_plugIn(plugIn), m_host(host) {}
    ~PrintDialog() { close(); }
    PrintDialog(const PrintDialog&) = delete;
    PrintDialog& operator=(const PrintDialog&) = delete;

    // Asks for the panes of the type, then the first one's view, then tells
    // it that it shows. False when the plug-in makes no pane or the pane no
    // view.
    bool show(std::string_view paneType);
    PDEPanel* pane() const { return m_panes.empty() ? nullptr : m_panes.front().get(); }
    View* view() const { return m_view; }
    // The user's click on Print: the pane may refuse; when it agrees it is
    // asked whether it may hide, and the dialog closes. True when the job is
    // to be printed.
    bool print();
    // Releases the panes.
    void close();
    const std::vector<std::string>& calls() const { return m_calls; }

private:
    PDEPlugIn& m_plugIn;
    PDEPluginCallback& m_host;
    std::vector<std::unique_ptr<PDEPanel>> m_panes;
    View* m_view = nullptr;
    std::vector<std::string> m_calls;
};

// An extension module loaded into the process; unloaded when it goes, so
// every object it made must go first.
class PlugInModule {
public:
    // The module, or nullptr with the reason when it cannot be loaded or has
    // no entry.
    static std::unique_ptr<PlugInModule> Load(const std::filesystem::path& file, std::string* reason);
    ~PlugInModule();
    PlugInModule(const PlugInModule&) = delete;
    PlugInModule& operator=(const PlugInModule&) = delete;

    // A new plug-in object from the module's entry.
    std::unique_ptr<PDEPlugIn> createPlugIn() const;

private:
    PlugInModule(void* handle, PDEPlugInCreateFunction entry) : m_handle(handle), m_entry(entry) {}
    void* m_handle;
    PDEPlugInCreateFunction m_entry;
};

}  // namespace platform

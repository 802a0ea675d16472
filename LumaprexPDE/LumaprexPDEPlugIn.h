// The plug-in object that the print dialog gets from the extension module:
// it keeps the extension's bundle for the process and makes the one main
// pane for the dialog's pane type.
#pragma once

#include <string_view>

#include "Bundle.h"
#include "PrintDialogExtension.h"

class LumaprexPDEPlugIn : public platform::PDEPlugIn {
public:
    // Keeps the bundle when none is kept yet; the first one stays.
    bool initWithBundle(const platform::Bundle& bundle) override;
    // One new main pane for the dialog's pane type (kPrintDialogPaneType);
    // nothing (not an empty list) for any other type.
    platform::PDEPanelList PDEPanelsForType(std::string_view type, platform::PDEPluginCallback* host) override;
};

// The extension's bundle, shared by the plug-in and the main pane, whose
// termination lets it go.
platform::Bundle& PluginBundle();

// The plug-in object and the process-wide bundle.
#include "LumaprexPDEPlugIn.h"

#include "LumaprexPDE.h"

platform::Bundle& PluginBundle() {
    static platform::Bundle bundle;
    return bundle;
}

bool LumaprexPDEPlugIn::initWithBundle(const platform::Bundle& bundle) {
    // The module has its own registry of bundles, in which the panes look
    // the bundle up by its identifier: it opens the bundle it is given.
    if (!PluginBundle() && bundle) PluginBundle() = platform::Bundle::Open(bundle.path());
    return true;
}

platform::PDEPanelList LumaprexPDEPlugIn::PDEPanelsForType(std::string_view type, platform::PDEPluginCallback* host) {
    if (type != platform::kPrintDialogPaneType) return std::nullopt;
    std::vector<std::unique_ptr<platform::PDEPanel>> panes;
    panes.push_back(std::make_unique<LumaprexPDE>(host));
    return panes;
}

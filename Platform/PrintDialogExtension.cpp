// The dialog's side of the extension interface: the calls on a pane, and
// extension modules loaded with dlopen.
#include "PrintDialogExtension.h"

#include <dlfcn.h>

namespace platform {

bool PrintDialog::show(std::string_view paneType) {
    m_calls.push_back("PDEPanelsForType");
    PDEPanelList panes = m_plugIn.PDEPanelsForType(paneType, &m_host);
    if (!panes || panes->empty()) return false;
    m_panes = std::move(*panes);
    m_calls.push_back("panelView");
    m_view = pane()->panelView();
    if (!m_view) return false;
    m_calls.push_back("willShow");
    pane()->willShow();
    return true;
}

bool PrintDialog::print() {
    if (!pane()) return false;
    m_calls.push_back("shouldPrint");
    if (!pane()->shouldPrint()) return false;
    m_calls.push_back("shouldHide");
    pane()->shouldHide();
    close();
    return true;
}

void PrintDialog::close() {
    if (m_panes.empty()) return;
    m_calls.push_back("release");
    m_view = nullptr;
    m_panes.clear();
}

std::unique_ptr<PlugInModule> PlugInModule::Load(const std::filesystem::path& file, std::string* reason) {
    void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        if (reason) *reason = dlerror();
        return nullptr;
    }
    auto entry = reinterpret_cast<PDEPlugInCreateFunction>(dlsym(handle, kPDEPlugInEntry));
    if (!entry) {
        if (reason) *reason = file.string() + " has no entry " + kPDEPlugInEntry;
        dlclose(handle);
        return nullptr;
    }
    return std::unique_ptr<PlugInModule>(new PlugInModule(handle, entry));
}

PlugInModule::~PlugInModule() { dlclose(m_handle); }

std::unique_ptr<PDEPlugIn> PlugInModule::createPlugIn() const { return std::unique_ptr<PDEPlugIn>(m_entry()); }

}  // namespace platform

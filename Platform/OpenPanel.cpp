// Open panels answered on standard error, or by a recorder in their place.
#include "OpenPanel.h"

#include <cstdio>

namespace platform {

namespace {

// Nobody to choose a file: the panel is cancelled.
class StandardErrorPresenter : public OpenPanelPresenter {
public:
    std::optional<std::string> present(const std::vector<std::string>& fileTypes) override {
        std::string types;
        for (const std::string& type : fileTypes) types += (types.empty() ? " of type " : ", ") + type;
        std::fprintf(stderr, "open panel: choose a file%s [Cancel]\n", types.c_str());
        return std::nullopt;
    }
};

OpenPanelPresenter*& CurrentPresenter() {
    static StandardErrorPresenter standardError;
    static OpenPanelPresenter* presenter = &standardError;
    return presenter;
}

}  // namespace

std::optional<std::string> RunOpenPanel(const std::vector<std::string>& fileTypes) {
    return CurrentPresenter()->present(fileTypes);
}

OpenPanelRecorder::OpenPanelRecorder() : m_previous(CurrentPresenter()) { CurrentPresenter() = this; }

OpenPanelRecorder::~OpenPanelRecorder() { CurrentPresenter() = m_previous; }

std::optional<std::string> OpenPanelRecorder::present(const std::vector<std::string>& fileTypes) {
    m_requests.push_back(fileTypes);
    if (m_choices.empty()) return std::nullopt;
    std::optional<std::string> choice = std::move(m_choices.front());
    m_choices.pop_front();
    return choice;
}

}  // namespace platform

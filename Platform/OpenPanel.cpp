// Open panels answered with the user's queued picks, or by a recorder in
// their place.
#include "OpenPanel.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace platform {

namespace {

// The queue is kept in the process environment, one pick a line, because
// that is the one store that every copy of the stand-ins shares: the print
// host's and that of the extension module it loads.
constexpr char kPicksVariable[] = "LUMAPREX_FILE_PICKS";

std::string PicksText() {
    const char* text = std::getenv(kPicksVariable);
    return text ? text : "";
}

void SetPicksText(const std::string& text) {
    if (text.empty()) unsetenv(kPicksVariable);
    else setenv(kPicksVariable, text.c_str(), 1);
}

// The first pick queued, taken off the queue; nothing when there is none.
std::optional<std::string> TakePick() {
    const std::string text = PicksText();
    if (text.empty()) return std::nullopt;
    const std::size_t end = text.find('\n');
    SetPicksText(end == std::string::npos ? std::string() : text.substr(end + 1));
    return text.substr(0, end);
}

// Why the panel does not list the file; "" when it does.
std::string WhyNotListed(const std::string& path, const std::vector<std::string>& fileTypes) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return "there is no such file";
    const std::string extension = std::filesystem::path(path).extension().string();
    if (fileTypes.empty() || (!extension.empty() &&
                              std::find(fileTypes.begin(), fileTypes.end(), extension.substr(1)) != fileTypes.end()))
        return {};
    std::string types;
    for (const std::string& type : fileTypes) types += (types.empty() ? "." : ", .") + type;
    return "the panel lists " + types + " files only";
}

// The user at the screen: the next pick when the panel lists it.
class UserPresenter : public OpenPanelPresenter {
public:
    std::optional<std::string> present(const std::vector<std::string>& fileTypes) override {
        std::optional<std::string> pick = TakePick();
        if (!pick) {
            std::string types;
            for (const std::string& type : fileTypes) types += (types.empty() ? " of type " : ", ") + type;
            std::fprintf(stderr, "open panel: choose a file%s [Cancel]\n", types.c_str());
            return std::nullopt;
        }
        if (const std::string why = WhyNotListed(*pick, fileTypes); !why.empty()) {
            std::fprintf(stderr, "open panel: cannot pick \"%s\": %s [Cancel]\n", pick->c_str(), why.c_str());
            return std::nullopt;
        }
        return pick;
    }
};

OpenPanelPresenter*& CurrentPresenter() {
    static UserPresenter user;
    static OpenPanelPresenter* presenter = &user;
    return presenter;
}

}  // namespace

bool QueueFilePick(const std::string& path) {
    if (path.empty() || path.find('\n') != std::string::npos) return false;
    const std::string text = PicksText();
    SetPicksText(text.empty() ? path : text + "\n" + path);
    return true;
}

void ClearFilePicks() { SetPicksText({}); }

std::optional<std::string> TakeFilePick() { return TakePick(); }

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

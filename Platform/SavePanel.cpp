// Save panels answered with the user's queued picks or by a recorder, their
// answers made into the path of the file to write, and the folder they start
// in.
#include "SavePanel.h"

#include <cstdio>
#include <cstdlib>
#include <system_error>

#include "OpenPanel.h"
#include "UserEnvironment.h"

namespace platform {

namespace {

constexpr char kSaveFolderVariable[] = "LUMAPREX_SAVE_FOLDER";

// The user at the screen: the next pick names the file.
class UserPresenter : public SavePanelPresenter {
public:
    std::optional<std::string> present(const SavePanelRequest& request) override {
        std::optional<std::string> pick = TakeFilePick();
        if (!pick) {
            std::fprintf(stderr, "save panel: save as \"%s\" in %s [Cancel]\n", request.proposedName.c_str(),
                         request.folder.c_str());
        }
        return pick;
    }
};

SavePanelPresenter*& CurrentPresenter() {
    static UserPresenter user;
    static SavePanelPresenter* presenter = &user;
    return presenter;
}

// Whether two paths name one folder, written alike but for "." steps and a
// closing "/".
bool SameFolder(const std::filesystem::path& a, const std::filesystem::path& b) {
    const auto text = [](const std::filesystem::path& path) {
        std::string normal = path.lexically_normal().string();
        while (normal.size() > 1 && normal.back() == '/') normal.pop_back();
        return normal;
    };
    return text(a) == text(b);
}

// The file the answer names, or "" with the reason why it cannot be written
// there.
std::filesystem::path Target(const SavePanelRequest& request, const std::string& answer, std::string& why) {
    std::error_code error;
    std::filesystem::path path = request.folder / answer;  // an absolute answer stands as it is
    if (std::filesystem::is_directory(path, error)) {
        if (request.proposedName.empty()) {
            why = "it is a folder and the panel proposes no name";
            return {};
        }
        path /= request.proposedName;
    }
    const std::filesystem::path folder = path.parent_path();
    if (SameFolder(folder, request.folder) && !std::filesystem::exists(folder, error)) {
        std::filesystem::create_directories(folder, error);
        if (error) why = "its folder cannot be made: " + error.message();
    } else if (!std::filesystem::is_directory(folder, error)) {
        why = "there is no such folder";
    } else if (std::filesystem::is_directory(path, error)) {
        why = "it is a folder";
    }
    return why.empty() ? path : std::filesystem::path();
}

}  // namespace

std::filesystem::path SaveFolder() {
    if (const char* named = std::getenv(kSaveFolderVariable); named && *named) return named;
    const char* data = std::getenv("XDG_DATA_HOME");
    const std::filesystem::path base =
        data && *data ? std::filesystem::path(data) : std::filesystem::path(HomeDirectory()) / ".local/share";
    return base / "lumaprex/templates";
}

void SetSaveFolder(const std::string& folder) {
    if (folder.empty()) unsetenv(kSaveFolderVariable);
    else setenv(kSaveFolderVariable, folder.c_str(), 1);
}

std::optional<std::string> RunSavePanel(const std::string& proposedName) {
    const SavePanelRequest request{proposedName, SaveFolder()};
    const std::optional<std::string> answer = CurrentPresenter()->present(request);
    if (!answer || answer->empty()) return std::nullopt;
    std::string why;
    const std::filesystem::path path = Target(request, *answer, why);
    if (!why.empty()) {
        std::fprintf(stderr, "save panel: cannot save as \"%s\": %s [Cancel]\n", answer->c_str(), why.c_str());
        return std::nullopt;
    }
    return path.string();
}

SavePanelRecorder::SavePanelRecorder() : m_previous(CurrentPresenter()) { CurrentPresenter() = this; }

SavePanelRecorder::~SavePanelRecorder() { CurrentPresenter() = m_previous; }

std::optional<std::string> SavePanelRecorder::present(const SavePanelRequest& request) {
    m_requests.push_back(request);
    if (m_answers.empty()) return std::nullopt;
    std::optional<std::string> answer = std::move(m_answers.front());
    m_answers.pop_front();
    return answer;
}

}  // namespace platform

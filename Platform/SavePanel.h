// Stand-in for the platform's save panel: the user names the file to write,
// starting from a proposed name in the save folder. A panel goes to the
// current presenter. By default that is the user at the screen, whose
// answers come from the picks queued for every file panel (QueueFilePick in
// OpenPanel.h: by a test, the user driver's "pick PATH" or the print host);
// with no pick queued it writes the request on standard error and answers
// Cancel. A SavePanelRecorder, while it exists, records each request and
// answers with the names a test queued.
//
// The answer becomes a path: a relative name lies in the save folder, and a
// name of an existing folder takes the proposed name in that folder. The
// file's folder must exist, except the save folder itself, which is made
// when a file is to be saved in it; otherwise the panel is cancelled, saying
// why on standard error. An existing file of that name is replaced (the user
// confirmed).
#pragma once

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// The folder in which save panels start: the one the host names, else the
// user's own folder for the dialog's files, $XDG_DATA_HOME/lumaprex/templates
// (~/.local/share/lumaprex/templates without it). The host's choice is kept
// in the environment (LUMAPREX_SAVE_FOLDER), the one store that the print
// host's copy of the stand-ins shares with the extension module's; "" goes
// back to the user's folder.
std::filesystem::path SaveFolder();
void SetSaveFolder(const std::string& folder);

// The path of the file to write; nothing when the user cancelled or the
// answer names no file that can be written.
std::optional<std::string> RunSavePanel(const std::string& proposedName);

// What a save panel shows: the proposed name and the folder it starts in.
struct SavePanelRequest {
    std::string proposedName;
    std::filesystem::path folder;
};

class SavePanelPresenter {
public:
    virtual ~SavePanelPresenter() = default;
    // The name the user gives (a name or a path); nothing for Cancel.
    virtual std::optional<std::string> present(const SavePanelRequest& request) = 0;
};

// Takes every save panel while it exists. Answers are given in the order
// queued, then Cancel.
class SavePanelRecorder : public SavePanelPresenter {
public:
    SavePanelRecorder();
    ~SavePanelRecorder() override;
    SavePanelRecorder(const SavePanelRecorder&) = delete;
    SavePanelRecorder& operator=(const SavePanelRecorder&) = delete;

    void queueName(std::string name) { m_answers.emplace_back(std::move(name)); }
    void queueCancel() { m_answers.emplace_back(std::nullopt); }
    const std::vector<SavePanelRequest>& requests() const { return m_requests; }

    std::optional<std::string> present(const SavePanelRequest& request) override;

private:
    std::vector<SavePanelRequest> m_requests;
    std::deque<std::optional<std::string>> m_answers;
    SavePanelPresenter* m_previous;
};

}  // namespace platform

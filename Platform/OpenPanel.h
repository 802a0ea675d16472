// Stand-in for the platform's open panel: the user picks one existing file,
// of the given file types when any are given. A panel goes to the current
// presenter. By default that is the user at the screen, whose picks are
// queued ahead (QueueFilePick: by a test, the user driver's "pick PATH" or
// the print host): the panel takes the next pick when it lists that file and
// is cancelled, saying why on standard error, when it does not; with no pick
// queued it writes the request on standard error and answers Cancel. An
// OpenPanelRecorder, while it exists, records each request and answers with
// the choices a test queued.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// The chosen file's path; nothing when the user cancelled. File types are
// file-name extensions without the dot, matched exactly as written ("cat"
// and "CAT" for both cases).
std::optional<std::string> RunOpenPanel(const std::vector<std::string>& fileTypes = {});

// The file the user picks in the next panel; false, and nothing queued, for
// an empty path or one holding a line feed. The queue is the process's: the
// print host's picks reach the panels of the extension module it loads.
bool QueueFilePick(const std::string& path);
// Forgets the picks no panel has taken; for tests.
void ClearFilePicks();
// The next pick, taken off the queue; nothing when none is queued. Every
// file panel of the user at the screen answers from here.
std::optional<std::string> TakeFilePick();

class OpenPanelPresenter {
public:
    virtual ~OpenPanelPresenter() = default;
    virtual std::optional<std::string> present(const std::vector<std::string>& fileTypes) = 0;
};

// Takes every open panel while it exists. Choices are given in the order
// queued, then Cancel.
class OpenPanelRecorder : public OpenPanelPresenter {
public:
    OpenPanelRecorder();
    ~OpenPanelRecorder() override;
    OpenPanelRecorder(const OpenPanelRecorder&) = delete;
    OpenPanelRecorder& operator=(const OpenPanelRecorder&) = delete;

    void queueChoice(std::string path) { m_choices.emplace_back(std::move(path)); }
    void queueCancel() { m_choices.emplace_back(std::nullopt); }
    // The file types of each panel shown, in order.
    const std::vector<std::vector<std::string>>& requests() const { return m_requests; }

    std::optional<std::string> present(const std::vector<std::string>& fileTypes) override;

private:
    std::vector<std::vector<std::string>> m_requests;
    std::deque<std::optional<std::string>> m_choices;
    OpenPanelPresenter* m_previous;
};

}  // namespace platform

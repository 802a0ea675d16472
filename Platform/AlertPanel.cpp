// Alerts on standard error, or to a recorder in their place.
#include "AlertPanel.h"

#include <cstdio>
#include <string>

namespace platform {

namespace {

// The text with each carriage return, alone or before a line feed, as the
// line break the panel shows for it.
std::string WithLineBreaks(std::string text) {
    for (std::size_t at = text.find('\r'); at != std::string::npos; at = text.find('\r', at)) {
        text.replace(at, at + 1 < text.size() && text[at + 1] == '\n' ? 2 : 1, "\n");
    }
    return text;
}

// Writes the alert, its line breaks as such, and answers with its default
// button.
class StandardErrorPresenter : public AlertPresenter {
public:
    AlertAnswer present(const Alert& alert) override {
        const std::string button = alert.defaultButton.empty() ? "OK" : alert.defaultButton;
        std::fprintf(stderr, "alert: %s%s%s [%s]\n", alert.title.c_str(), alert.title.empty() ? "" : ": ",
                     WithLineBreaks(alert.message).c_str(), button.c_str());
        return AlertAnswer::Default;
    }
    void beep() override { std::fputs("\a", stderr); }
};

AlertPresenter*& CurrentPresenter() {
    static StandardErrorPresenter standardError;
    static AlertPresenter* presenter = &standardError;
    return presenter;
}

}  // namespace

AlertAnswer RunAlert(const Alert& alert) { return CurrentPresenter()->present(alert); }

void ShowAlert(std::string message, std::string button) { RunAlert(Alert(std::move(message), std::move(button))); }

void Beep() { CurrentPresenter()->beep(); }

AlertRecorder::AlertRecorder() : m_previous(CurrentPresenter()) { CurrentPresenter() = this; }

AlertRecorder::~AlertRecorder() { CurrentPresenter() = m_previous; }

std::vector<std::string> AlertRecorder::messages() const {
    std::vector<std::string> messages;
    for (const Alert& alert : m_alerts) messages.push_back(alert.message);
    return messages;
}

AlertAnswer AlertRecorder::present(const Alert& alert) {
    m_alerts.push_back(alert);
    if (m_answers.empty()) return AlertAnswer::Default;
    const AlertAnswer answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

}  // namespace platform

// Stand-in for the platform's modal alert panels and the system beep. An
// alert goes to the current presenter: by default one that writes it to
// standard error and answers with the default button; an AlertRecorder, while
// it exists, records each alert and beep and answers as a test told it to.
#pragma once

#include <deque>
#include <string>
#include <utility>
#include <vector>

namespace platform {

// The button that closed an alert.
enum class AlertAnswer { Default, Alternate, Other };

struct Alert {
    explicit Alert(std::string message, std::string defaultButton = {}, std::string alternateButton = {})
        : message(std::move(message)),
          defaultButton(std::move(defaultButton)),
          alternateButton(std::move(alternateButton)) {}

    std::string message;          // shown as it stands, never read as a format
    std::string defaultButton;    // "" for the platform's "OK"
    std::string alternateButton;  // "" for none
    std::string otherButton;      // "" for none
    std::string title;            // "" for none
    bool informational = false;   // the informational panel rather than the plain one
};

// Shows the alert and waits for a button.
AlertAnswer RunAlert(const Alert& alert);
// The panes' plain alert: no title, the message and one button.
void ShowAlert(std::string message, std::string button);
// Sounds the system beep (a refused key stroke).
void Beep();

class AlertPresenter {
public:
    virtual ~AlertPresenter() = default;
    virtual AlertAnswer present(const Alert& alert) = 0;
    virtual void beep() = 0;
};

// Takes every alert and beep while it exists, in place of the current
// presenter. Answers are given in the order queued, then Default.
class AlertRecorder : public AlertPresenter {
public:
    AlertRecorder();
    ~AlertRecorder() override;
    AlertRecorder(const AlertRecorder&) = delete;
    AlertRecorder& operator=(const AlertRecorder&) = delete;

    void queueAnswer(AlertAnswer answer) { m_answers.push_back(answer); }
    const std::vector<Alert>& alerts() const { return m_alerts; }
    // The messages alone, in order.
    std::vector<std::string> messages() const;
    int beeps() const { return m_beeps; }

    AlertAnswer present(const Alert& alert) override;
    void beep() override { ++m_beeps; }

private:
    std::vector<Alert> m_alerts;
    std::deque<AlertAnswer> m_answers;
    int m_beeps = 0;
    AlertPresenter* m_previous;
};

}  // namespace platform

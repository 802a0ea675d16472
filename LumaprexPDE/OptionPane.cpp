// The framework every option pane shares: observer pairs, labels, alerts,
// the feature road, the dictionary write and broadcast, column sizing and
// the ready-to-print post.
#include "OptionPane.h"

#include "AlertPanel.h"
#include "Font.h"
#include "Image.h"
#include "zqController.h"

OptionPane::OptionPane(std::string className, std::string groupName, const LabelRule& labels)
    : _pluginBundle(platform::Bundle::WithIdentifier(kPluginBundleIdentifier)),
      m_className(std::move(className)),
      m_groupName(std::move(groupName)),
      m_labels(labels) {}

void OptionPane::registerZQController(std::function<void()> then) {
    m_followsBridge = true;
    observe(m_className + "::zqcontroller", [this, then = std::move(then)](const auto& note) {
        listenZQControllerNotification(note);
        if (then) then();
    });
}

void OptionPane::listenZQControllerNotification(const platform::Notification& notification) {
    _zqJSEController = notification.senderAs<zqController>();
}

void OptionPane::registerForJobFeatureUpdate(std::string_view name) {
    const std::string fullName = name.empty() ? m_className + "::applySettings" : std::string(name);
    observe(fullName, [this](const auto& note) { listenJobFeatureUpdateNotification(note); });
}

void OptionPane::listenJobFeatureUpdateNotification(const platform::Notification& notification) {
    // A shallow copy: the groups stay the very dictionaries the poster holds.
    _jobFeatureDict = notification.object.dictionary().copy();
    applySettings();
}

void OptionPane::registerForTermination() {
    observe(m_className + "::termination", [this](const auto& note) { listenTerminationNotification(note); });
}

void OptionPane::listenTerminationNotification(const platform::Notification&) { termination(); }

void OptionPane::observe(std::string_view name, platform::NotificationCenter::Handler handler) {
    m_observation.observe(name, std::move(handler));
}

void OptionPane::termination() {
    _jobFeatureDict.reset();
    m_observation.stopObservingAll();
}

std::string OptionPane::getNSStringWithID(int id) const { return ::getNSStringWithID(_pluginBundle, id, m_labels); }

void OptionPane::showAlert(const std::string& message) const { platform::ShowAlert(message, getNSStringWithID(10001)); }

int OptionPane::handleFeature(int feature, int value, std::string_view sValue, int value2) {
    if (!_zqJSEController || m_puttingBack) return 0;
    const int result = _zqJSEController->HandleJobFeatures(feature, value, sValue, value2);
    if (result != 0) showAlert(getNSStringWithID(result));
    return result;
}

void OptionPane::putBack(const std::function<void()>& restore) {
    const bool outer = !m_puttingBack;
    m_puttingBack = true;
    restore();
    if (outer) m_puttingBack = false;
}

platform::Dictionary OptionPane::group() const {
    if (!_jobFeatureDict) return {};
    return (*_jobFeatureDict)[m_groupName].dictionary();
}

void OptionPane::updateGroup(std::initializer_list<std::pair<std::string_view, std::string>> entries) {
    updateGroup(std::vector<std::pair<std::string, std::string>>(entries.begin(), entries.end()));
}

void OptionPane::updateGroup(const std::vector<std::pair<std::string, std::string>>& entries) {
    if (!_jobFeatureDict || m_puttingBack || lacksItsBridge()) return;
    platform::Dictionary written = group();
    for (const auto& [key, value] : entries) written.set(key, value);
    _jobFeatureDict->set(m_groupName, written);
    broadcastJobFeatures();
}

void OptionPane::broadcastJobFeatures() {
    platform::NotificationCenter::Default().post(kTemplateSettingsNotification,
                                                 _jobFeatureDict ? platform::Value(*_jobFeatureDict) : platform::Value());
}

int OptionPane::getMaxStringWidth(const std::string& text, int reference) const {
    const double width = platform::LabelFontSize() * static_cast<double>(platform::Utf16Length(text));
    return width > reference ? static_cast<int>(width + 18) : reference;
}

void OptionPane::postReadyToPrint() {
    platform::NotificationCenter::Default().post(kReadyToPrintNotification, _readyToPrint);
}

void OptionPane::changeButtonImage(platform::Button* button, std::string_view name) const {
    if (!button || !_pluginBundle) return;
    const std::filesystem::path path = _pluginBundle.pathForResource(name);
    if (path.empty()) return;
    if (std::optional<platform::Image> image = platform::Image::FromFile(path)) button->setImage(std::move(image));
}

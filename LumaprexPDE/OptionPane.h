// The option-pane framework: what every pane controller of the dialog shares.
// A pane never calls another pane or the main pane; it meets them through
// named notifications ("<receiver>::<event>") and sends its settings to the
// controller bridge of the current showing, which it receives by
// notification. Each pane keeps its own copy of the job-feature dictionary,
// writes its group of it after every accepted change and broadcasts the
// whole dictionary to the template and summary pane.
//
// A pane controller derives from OptionPane, declares its outlets and
// actions, registers its observer pairs in its constructor in its own order,
// and gives applySettings. Its controls come from its section of the
// interface file "PDE"; PaneClasses.cpp makes it by class name.
#pragma once

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "Bundle.h"
#include "Controls.h"
#include "FoundationValues.h"
#include "LabelLookup.h"
#include "NotificationCenter.h"

class zqController;

// The extension bundle's identifier, by which panes find it.
inline constexpr char kPluginBundleIdentifier[] = "com.varneth.pzf.lumaprex";

// The name of the whole-dictionary broadcast that the template and summary
// pane follows, and of the main pane's print gate.
inline constexpr char kTemplateSettingsNotification[] = "lumaTemplate::applySettings";
inline constexpr char kReadyToPrintNotification[] = "mainController::readyToPrint";
// The template pane's factory reset, heard by the bridge and by the panes
// that keep values of their own beside it.
inline constexpr char kFactoryResetNotification[] = "zqController::FactoryReset";

class OptionPane : public platform::InterfaceObject {
public:
    ~OptionPane() override = default;

    // The bridge and the dictionary copy the pane holds; for tests.
    zqController* bridge() const { return _zqJSEController; }
    const std::optional<platform::Dictionary>& jobFeatureDictionary() const { return _jobFeatureDict; }

    // A pane that follows a bridge takes no clicks while it has none.
    bool acceptsActions() const override { return !lacksItsBridge(); }

protected:
    // className names the pane's notifications ("finishingController::
    // termination"); groupName is the group of the job-feature dictionary it
    // writes ("finisher", "" for none); labels is its stripping rule.
    OptionPane(std::string className, std::string groupName, const LabelRule& labels);

    // Observer pairs. Each register method adds one observer; the pane calls
    // them from its constructor in its own order.
    // "<class>::zqcontroller": the pane follows the bridge it names, and then
    // runs then; a post that names none leaves the pane without one, and a
    // pane without its bridge takes no clicks.
    void registerZQController(std::function<void()> then = {});
    void listenZQControllerNotification(const platform::Notification& notification);
    // "<class>::applySettings", or the name the pane answers to.
    void registerForJobFeatureUpdate(std::string_view name = {});
    void listenJobFeatureUpdateNotification(const platform::Notification& notification);
    void registerForTermination();  // "<class>::termination"
    void listenTerminationNotification(const platform::Notification& notification);
    // Any other notification of the pane, with its handler.
    void observe(std::string_view name, platform::NotificationCenter::Handler handler);

    // Sets every control from the pane's group of the dictionary.
    virtual void applySettings() = 0;
    // Releases what the pane holds and leaves the notification center; a
    // pane that ends with its termination notification also runs it from
    // its destructor. Overrides end by calling this one.
    virtual void termination();

    std::string getNSStringWithID(int id) const;
    // One modal alert: no title, the message as it stands, one button
    // labelled with label 10001.
    void showAlert(const std::string& message) const;

    // The road of one setting (handleFeature:value:sValue:vale:): 0 when the
    // bridge accepted the value (or there is no bridge yet, or a control is
    // being put back), else the label id of the refusal, already shown in an
    // alert. An empty text stands for none.
    int handleFeature(int feature, int value, std::string_view sValue, int value2);

    // Puts controls back after a refusal. While it runs, the feature road
    // sends nothing and the dictionary is not written, so that a control
    // put back from the dictionary never sends its value again, and a value
    // the bridge refuses again cannot start a loop of refusals.
    void putBack(const std::function<void()>& restore);
    bool isPuttingBack() const { return m_puttingBack; }

    // The pane's group of the dictionary (a new empty one when the pane has
    // no dictionary or the dictionary lacks the group).
    platform::Dictionary group() const;
    // Writes the entries into the pane's group, then broadcasts the whole
    // dictionary. Nothing before the first settings arrive, while putting
    // back, or while a pane that follows a bridge has none.
    void updateGroup(std::initializer_list<std::pair<std::string_view, std::string>> entries);
    void updateGroup(const std::vector<std::pair<std::string, std::string>>& entries);
    // Posts the whole dictionary as "lumaTemplate::applySettings".
    void broadcastJobFeatures();

    // Column sizing: the label font size times the text's length in
    // characters; when above the reference width, that plus 18, cut to an
    // integer, else the reference.
    int getMaxStringWidth(const std::string& text, int reference) const;

    // Tells the main pane that a text field ended editing, which refuses the
    // next print request once.
    void postReadyToPrint();

    // Shows the bundle's image resource of that name on the button; a
    // missing button, resource or image leaves everything as it was.
    void changeButtonImage(platform::Button* button, std::string_view name) const;

    const std::string& className() const { return m_className; }

    platform::Bundle _pluginBundle;
    zqController* _zqJSEController = nullptr;
    std::optional<platform::Dictionary> _jobFeatureDict;
    std::string _readyToPrint = "0";

private:
    // A pane that follows a bridge and has none now.
    bool lacksItsBridge() const { return m_followsBridge && !_zqJSEController; }

    std::string m_className;
    std::string m_groupName;
    const LabelRule& m_labels;
    bool m_puttingBack = false;
    bool m_followsBridge = false;
    platform::Observation m_observation{this};
};

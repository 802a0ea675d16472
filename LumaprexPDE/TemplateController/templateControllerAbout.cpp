// The template pane's about and licence tabs: the version, build and product
// texts from the bundle's information dictionary, the legal line, and the
// licence agreement, a document among the bundle's resources.
#include "templateController.h"

namespace {

constexpr char kSelectAboutNotification[] = "mainController::selectAbout";
constexpr char kSelectLicenseNotification[] = "mainController::selectLicense";

}  // namespace

void templateController::selectAboutButton(platform::Control&) {
    platform::NotificationCenter::Default().post(kSelectAboutNotification);
    const platform::Dictionary info = _pluginBundle.infoDictionary();
    if (const platform::Value* version = info.find("CFBundleVersion"); version && versionText) {
        versionText->setStringValue("v" + version->text());
    }
    if (legalText) {
        legalText->setTextColor("blue");
        legalText->setUnderlined(true);
        legalText->setEditable(false);
        legalText->setSelectable(false);
        legalText->setString(getNSStringWithID(21011));
    }
}

// The "License" entry is appended to the resource folder's path as it
// stands, so it begins with its own "/".
void templateController::selectLicense(platform::Control&) {
    platform::NotificationCenter::Default().post(kSelectLicenseNotification);
    const std::string path =
        _pluginBundle.resourcePath().string() + _pluginBundle.localizedInfoDictionary()["License"].text();
    if (!licenseView) return;
    licenseView->setRichText(true);
    licenseView->setEditable(false);
    licenseView->readDocument(path);
}

void templateController::showBuildAndProduct() {
    if (!_pluginBundle) return;
    if (buildText) {
        buildText->setStringValue(getNSStringWithID(13190) + ": " +
                                  _pluginBundle.infoDictionary()["CFBundleInfoDictionaryVersion"].text());
    }
    if (oemString) {
        oemString->setStringValue(_pluginBundle.localizedInfoDictionary()["Product"].text() + " " +
                                  getNSStringWithID(-2009));
    }
}

void templateController::setTitlesAndToolTips() {
    if (templateTabView) {
        const int tabLabels[] = {13009, 13007, 12011};
        for (int item = 0; item < templateTabView->numberOfTabViewItems() && item < 3; ++item) {
            templateTabView->tabViewItemAtIndex(item).label = getNSStringWithID(tabLabels[item]);
        }
    }
    const std::pair<platform::Button*, int> tips[] = {{applytemplate, 14034}, {opentemplate, 12027},
                                                       {savetemplate, 12028}, {deleteTemplate, 13053},
                                                       {deleteAllTemplate, 13052}, {resetFactory, 3042}};
    for (const auto& [button, label] : tips) {
        if (button) button->setToolTip(getNSStringWithID(label));
    }
}

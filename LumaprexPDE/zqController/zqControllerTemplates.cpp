// Job templates: a template file the template pane names is read as a
// job-feature dictionary and applied to the engine.
#include "SystemLog.h"
#include "zqController.h"

// Templates are not read yet: the request is logged and nothing changes, so
// the panes keep the settings they show.
void zqController::listenLoadSettingsNotification(const platform::Notification& notification) {
    if (!started()) return;
    platform::ConsoleLog("zqController: templates cannot be loaded yet; " + notification.object.text() +
                         " was not read");
}

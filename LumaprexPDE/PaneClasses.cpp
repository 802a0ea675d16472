// The pane controllers by class name. A pane is added with one line here,
// its section in the interface file and its labels in the strings table.
#include "PaneClasses.h"

#include <functional>
#include <map>
#include <string>

#include "finishing/finishingController.h"
#include "jobSetup/jobSetupController.h"
#include "peController/pageSetController.h"
#include "peController/peController.h"
#include "imageController/imageController.h"
#include "customController/customController.h"
#include "notificationController/notificationController.h"
#include "TemplateController/templateController.h"

namespace {

using Maker = std::function<std::unique_ptr<platform::InterfaceObject>()>;

template <class Pane>
Maker Make() {
    return [] { return std::make_unique<Pane>(); };
}

const std::map<std::string, Maker, std::less<>>& Classes() {
    static const std::map<std::string, Maker, std::less<>> classes = {
        {"jobSetupController", Make<jobSetupController>()},
        {"peController", Make<peController>()},
        {"pageSetController", Make<pageSetController>()},
        {"imageController", Make<imageController>()},
        {"notificationController", Make<notificationController>()},
        {"customController", Make<customController>()},
        {"finishingController", Make<finishingController>()},
        {"templateController", Make<templateController>()},
    };
    return classes;
}

}  // namespace

std::unique_ptr<platform::InterfaceObject> MakePaneController(std::string_view className) {
    const auto found = Classes().find(className);
    return found == Classes().end() ? nullptr : found->second();
}

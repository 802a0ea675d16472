// The controller classes that the interface file "PDE" creates by name: one
// line per pane in PaneClasses.cpp.
#pragma once

#include <memory>
#include <string_view>

#include "Controls.h"

// A new controller of the class; nullptr for a class the extension lacks.
std::unique_ptr<platform::InterfaceObject> MakePaneController(std::string_view className);

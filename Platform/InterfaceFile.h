// Stand-in for the platform's interface files: the views of a pane and the
// objects that control them, kept as data among a bundle's resources and
// loaded with an owner. An interface file named "PDE" is the XML property
// list "PDE.plist", found as the bundle finds any resource.
//
// The file is a dictionary of two entries:
//
//   "Objects"  array of the objects the file creates, in this order, each a
//              dictionary: "name" (how the file refers to it), "class" (the
//              class the factory makes) and, optionally, "outlets" (outlet
//              name -> name of another object). The owner, given to the
//              loader, is named "File's Owner"; an entry of that name without
//              a class only connects the owner's outlets.
//   "Views"    dictionary of named view sections. Each is a view (below) with
//              one more key, "controller": the object (default the owner)
//              whose outlets, actions, delegates and data sources the section
//              names. A section is placed once: as a tab of a tab view, as a
//              subview ({"view": section name} in a "subviews" array), or,
//              when nothing places it, as a top-level view of the file.
//
// A view is a dictionary with "class" (View, Button, Matrix, TextField,
// Stepper, ComboBox, TableView, TabView, TextView) and optionally:
//   "outlet"     the controller's outlet that receives the view
//   "tag", "hidden", "width", "height"
//   "title"      a label id (integer), shown as the bundle's text for it
//                ("Labels" when its strings lack it), or a literal text
//   "toolTip"    a label id or a literal text
//   "subviews"   array of views (or section places)
// Controls also take "enabled" and "action" (the controller's action of that
// name; "target" names another object to send it to), and by class:
//   Button     "type" (push, checkBox, radio, image), "state", "image" (the
//              name of an image resource)
//   Matrix     "cells": array of Button views (radio buttons)
//   TextField  "editable" (default true; false makes a label), "text",
//              "delegate" (an object name)
//   Stepper    "min", "max", "increment", "value"
//   ComboBox   "items" (label ids or texts), "selected"
//   TableView  "columns": array of {"identifier", "title", "minWidth",
//              "width", "maxWidth", "headerEditable"}, "dataSource" and
//              "delegate" (object names), "multipleSelection"
//   TabView    "tabs": array of {"label", "view": section name}, "showsTabs"
//   TextView   "text", "editable", "selectable", "richText"
//
// Loading is all or nothing: an unknown class, key value of the wrong kind,
// object, outlet, action or section, a delegate that is none, a section
// placed twice, or an outlet that the file leaves unconnected refuses the
// whole file with a reason; the objects made are then destroyed unawoken.
// After every connection is made, every created object and then the owner
// receive awakeFromNib.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "Bundle.h"
#include "Controls.h"

namespace platform {

enum class InterfaceError {
    None,
    CannotRead,    // the resource is missing or is no property-list dictionary
    Malformed,     // an entry has the wrong kind of value or a required key is missing
    UnknownClass,  // no view class, or no class the factory makes, of that name
    UnknownName,   // an object, a section, an outlet or an action of that name is not there
    WrongKind,     // an outlet, delegate or data source does not fit the view or object given
    PlacedTwice,   // a section or an outlet is used a second time
    Unconnected,   // an outlet that an object declares is not in the file
};

const char* DescribeInterfaceError(InterfaceError error);

// Makes the object of a class the file names; nullptr for a class it does
// not know.
using InterfaceObjectFactory = std::function<std::unique_ptr<InterfaceObject>(std::string_view className)>;

// What a loaded file made: its objects and its top-level views, owned until
// it goes (the objects first, newest first, then the views).
class LoadedInterface {
public:
    LoadedInterface() = default;
    ~LoadedInterface();
    LoadedInterface(const LoadedInterface&) = delete;
    LoadedInterface& operator=(const LoadedInterface&) = delete;

    // The created object of that name; nullptr when there is none.
    InterfaceObject* object(std::string_view name) const;
    const std::vector<std::pair<std::string, std::unique_ptr<InterfaceObject>>>& objects() const { return m_objects; }
    // The sections nothing places, in the file's order.
    const std::vector<std::unique_ptr<View>>& topLevelViews() const { return m_views; }

private:
    friend class InterfaceLoader;
    std::vector<std::pair<std::string, std::unique_ptr<InterfaceObject>>> m_objects;
    std::vector<std::unique_ptr<View>> m_views;
};

struct InterfaceLoad {
    std::unique_ptr<LoadedInterface> interface;  // nullptr when refused
    InterfaceError error = InterfaceError::None;
    std::string reason;  // what was refused and where; "" when loaded
};

// Loads the bundle's interface file of that name with the owner.
InterfaceLoad LoadInterfaceFile(const Bundle& bundle, std::string_view name, InterfaceObject& owner,
                                const InterfaceObjectFactory& factory);
// Loads an interface file from its property-list dictionary; labels and
// images come from the bundle.
InterfaceLoad LoadInterface(const Bundle& bundle, const Dictionary& file, InterfaceObject& owner,
                            const InterfaceObjectFactory& factory);

}  // namespace platform

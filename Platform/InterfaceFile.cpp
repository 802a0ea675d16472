// Loading interface files: objects made by the factory, view sections built
// and placed, outlets, actions, delegates and data sources connected, then
// every object woken.
#include "InterfaceFile.h"

#include <algorithm>
#include <map>

#include "PropertyList.h"

namespace platform {

namespace {

constexpr std::string_view kOwnerName = "File's Owner";

}  // namespace

const char* DescribeInterfaceError(InterfaceError error) {
    switch (error) {
        case InterfaceError::None:
            return "loaded";
        case InterfaceError::CannotRead:
            return "the interface file cannot be read";
        case InterfaceError::Malformed:
            return "an entry is malformed";
        case InterfaceError::UnknownClass:
            return "a class is unknown";
        case InterfaceError::UnknownName:
            return "a name is unknown";
        case InterfaceError::WrongKind:
            return "a connection does not fit";
        case InterfaceError::PlacedTwice:
            return "something is used twice";
        case InterfaceError::Unconnected:
            return "an outlet is not connected";
    }
    return "unknown error";
}

LoadedInterface::~LoadedInterface() {
    while (!m_objects.empty()) m_objects.pop_back();
    m_views.clear();
}

InterfaceObject* LoadedInterface::object(std::string_view name) const {
    for (const auto& [objectName, object] : m_objects) {
        if (objectName == name) return object.get();
    }
    return nullptr;
}

// One load: builds into a LoadedInterface and keeps the first refusal.
class InterfaceLoader {
public:
    InterfaceLoader(const Bundle& bundle, InterfaceObject& owner, const InterfaceObjectFactory& factory)
        : m_bundle(bundle), m_owner(owner), m_factory(factory), m_result(std::make_unique<LoadedInterface>()) {}

    InterfaceLoad load(const Dictionary& file) {
        if (makeObjects(file["Objects"]) && buildSections(file["Views"]) && placeSections() &&
            connectObjectOutlets() && checkEveryOutlet()) {
            wake();
            return InterfaceLoad{std::move(m_result), InterfaceError::None, {}};
        }
        return InterfaceLoad{nullptr, m_error, m_reason};
    }

private:
    // Where a section goes: a placeholder inside another section.
    struct Place {
        std::string section;
        View* placeholder;
    };

    bool fail(InterfaceError error, std::string reason) {
        if (m_error == InterfaceError::None) {
            m_error = error;
            m_reason = std::move(reason);
        }
        return false;
    }
    bool malformed(std::string_view where, std::string_view what) {
        return fail(InterfaceError::Malformed, std::string(where) + ": " + std::string(what));
    }

    // Key readers: absent keys keep the default; a value of the wrong kind
    // refuses the file.
    bool readText(const Dictionary& node, std::string_view key, std::string_view where, std::string& out) {
        const Value* value = node.find(key);
        if (!value) return true;
        if (value->kind() != Value::Kind::String) return malformed(where, "\"" + std::string(key) + "\" is no text");
        out = value->text();
        return true;
    }
    bool readInt(const Dictionary& node, std::string_view key, std::string_view where, int& out) {
        const Value* value = node.find(key);
        if (!value) return true;
        if (value->kind() != Value::Kind::Integer) return malformed(where, "\"" + std::string(key) + "\" is no integer");
        out = value->intValue();
        return true;
    }
    bool readNumber(const Dictionary& node, std::string_view key, std::string_view where, double& out) {
        const Value* value = node.find(key);
        if (!value) return true;
        if (value->kind() != Value::Kind::Integer && value->kind() != Value::Kind::Real) {
            return malformed(where, "\"" + std::string(key) + "\" is no number");
        }
        out = value->doubleValue();
        return true;
    }
    bool readFlag(const Dictionary& node, std::string_view key, std::string_view where, bool& out) {
        const Value* value = node.find(key);
        if (!value) return true;
        if (value->kind() != Value::Kind::Boolean) return malformed(where, "\"" + std::string(key) + "\" is no flag");
        out = value->boolValue();
        return true;
    }
    // A label id shown as the bundle's text for it, or a literal text.
    bool readLabel(const Dictionary& node, std::string_view key, std::string_view where, std::string& out) {
        const Value* value = node.find(key);
        if (!value) return true;
        if (value->kind() == Value::Kind::Integer) {
            out = m_bundle.localizedString(FormatInteger(value->integerValue()), "Labels");
            return true;
        }
        return readText(node, key, where, out);
    }
    bool readArray(const Dictionary& node, std::string_view key, std::string_view where, Array& out) {
        const Value* value = node.find(key);
        if (!value) return true;
        if (!value->isArray()) return malformed(where, "\"" + std::string(key) + "\" is no array");
        out = value->array();
        return true;
    }

    InterfaceObject* objectNamed(std::string_view name) {
        if (name == kOwnerName) return &m_owner;
        return m_result->object(name);
    }
    bool findObject(std::string_view name, std::string_view where, InterfaceObject*& out) {
        out = objectNamed(name);
        if (!out) return fail(InterfaceError::UnknownName, std::string(where) + ": no object \"" + std::string(name) + "\"");
        return true;
    }

    // Objects ----------------------------------------------------------------

    bool makeObjects(const Value& objects) {
        if (!objects.isNone() && !objects.isArray()) return malformed("Objects", "no array");
        for (const Value& entry : objects.array()) {
            if (!entry.isDictionary()) return malformed("Objects", "an entry is no dictionary");
            const Dictionary object = entry.dictionary();
            std::string name, className;
            if (!readText(object, "name", "Objects", name) || !readText(object, "class", "Objects", className)) {
                return false;
            }
            if (name.empty()) return malformed("Objects", "an entry has no name");
            if (objectNamed(name) && name != kOwnerName) {
                return fail(InterfaceError::PlacedTwice, "Objects: \"" + name + "\" is named twice");
            }
            if (name == kOwnerName) {
                if (!className.empty()) return malformed("Objects", "the owner is given, not made");
            } else {
                std::unique_ptr<InterfaceObject> made = className.empty() ? nullptr : m_factory(className);
                if (!made) return fail(InterfaceError::UnknownClass, "Objects: no class \"" + className + "\"");
                m_result->m_objects.emplace_back(name, std::move(made));
            }
            if (object.contains("outlets")) m_objectOutlets.emplace_back(name, object["outlets"]);
        }
        return true;
    }

    bool connectObjectOutlets() {
        for (const auto& [name, outlets] : m_objectOutlets) {
            const std::string where = "Objects: \"" + name + "\"";
            if (!outlets.isDictionary()) return malformed(where, "\"outlets\" is no dictionary");
            for (const auto& [outlet, target] : outlets.dictionary()) {
                if (target.kind() != Value::Kind::String) return malformed(where, "outlet \"" + outlet + "\" names no object");
                InterfaceObject* other = nullptr;
                if (!findObject(target.text(), where, other)) return false;
                if (!connected(name, outlet, objectNamed(name)->connectOutlet(outlet, *other), where)) return false;
            }
        }
        return true;
    }

    bool connected(std::string_view objectName, std::string_view outlet, InterfaceObject::Connection connection,
                   std::string_view where) {
        const std::string what = std::string(where) + ": outlet \"" + std::string(outlet) + "\" of \"" +
                                 std::string(objectName) + "\"";
        switch (connection) {
            case InterfaceObject::Connection::Made:
                return true;
            case InterfaceObject::Connection::NoSuchOutlet:
                return fail(InterfaceError::UnknownName, what + " is not declared");
            case InterfaceObject::Connection::WrongKind:
                return fail(InterfaceError::WrongKind, what + " is for another kind");
            case InterfaceObject::Connection::AlreadyMade:
                return fail(InterfaceError::PlacedTwice, what + " is connected twice");
        }
        return false;
    }

    bool checkEveryOutlet() {
        std::vector<std::pair<std::string, InterfaceObject*>> all{{std::string(kOwnerName), &m_owner}};
        for (const auto& [name, object] : m_result->m_objects) all.emplace_back(name, object.get());
        for (const auto& [name, object] : all) {
            const std::vector<std::string> missing = object->unconnectedOutlets();
            if (!missing.empty()) {
                return fail(InterfaceError::Unconnected,
                            "outlet \"" + missing.front() + "\" of \"" + name + "\" is not in the file");
            }
        }
        return true;
    }

    void wake() {
        for (const auto& [name, object] : m_result->m_objects) object->awakeFromNib();
        m_owner.awakeFromNib();
    }

    // Sections ---------------------------------------------------------------

    bool buildSections(const Value& views) {
        if (!views.isNone() && !views.isDictionary()) return malformed("Views", "no dictionary");
        for (const auto& [name, section] : views.dictionary()) {
            if (!section.isDictionary()) return malformed("Views: " + name, "no dictionary");
            const Dictionary node = section.dictionary();
            std::string controllerName(kOwnerName);
            if (!readText(node, "controller", "Views: " + name, controllerName)) return false;
            InterfaceObject* controller = nullptr;
            if (!findObject(controllerName, "Views: " + name, controller)) return false;
            std::unique_ptr<View> view = buildView(node, *controller, "Views: " + name);
            if (!view) return false;
            m_sections.emplace_back(name, std::move(view));
        }
        return true;
    }

    std::unique_ptr<View> takeSection(std::string_view name) {
        for (auto& [sectionName, view] : m_sections) {
            if (sectionName == name) return std::move(view);
        }
        return nullptr;
    }

    bool sectionExists(std::string_view name) const {
        return std::any_of(m_sections.begin(), m_sections.end(), [&](const auto& entry) { return entry.first == name; });
    }

    // Puts each placed section in its placeholder, refusing a section placed
    // twice or inside itself; the sections left are the top-level views.
    bool placeSections() {
        std::map<std::string, View*, std::less<>> roots;
        for (const auto& [name, view] : m_sections) roots[name] = view.get();
        for (const Place& place : m_places) {
            const auto root = roots.find(place.section);
            if (root == roots.end()) {
                return fail(InterfaceError::UnknownName, "Views: no section \"" + place.section + "\" to place");
            }
            std::unique_ptr<View> section = takeSection(place.section);
            if (!section) return fail(InterfaceError::PlacedTwice, "Views: \"" + place.section + "\" is placed twice");
            for (const View* above = place.placeholder; above; above = above->superview()) {
                if (above == root->second) {
                    return fail(InterfaceError::PlacedTwice, "Views: \"" + place.section + "\" is placed inside itself");
                }
            }
            // The section goes in; the placeholder comes out and is dropped.
            place.placeholder->superview()->replaceChild(*place.placeholder, std::move(section));
        }
        for (auto& [name, view] : m_sections) {
            if (view) m_result->m_views.push_back(std::move(view));
        }
        return true;
    }

    // Views --------------------------------------------------------------------

    std::unique_ptr<View> buildView(const Dictionary& node, InterfaceObject& controller, const std::string& where) {
        if (++m_depth > kMaxDepth) {
            fail(InterfaceError::Malformed, where + ": views nested too deeply");
            return nullptr;
        }
        std::unique_ptr<View> view = makeView(node, controller, where);
        if (view && !(readCommon(node, *view, where) && readSubviews(node, *view, controller, where) &&
                      connectView(node, *view, controller, where))) {
            view.reset();
        }
        --m_depth;
        return view;
    }

    std::unique_ptr<View> makeView(const Dictionary& node, InterfaceObject& controller, const std::string& where) {
        std::string className;
        if (!readText(node, "class", where, className)) return nullptr;
        std::unique_ptr<View> view;
        bool read = true;
        if (className == "View") view = std::make_unique<View>();
        else if (className == "Button") read = makeButton(node, where, view);
        else if (className == "Matrix") read = makeMatrix(node, controller, where, view);
        else if (className == "TextField") read = makeTextField(node, where, view);
        else if (className == "Stepper") read = makeStepper(node, where, view);
        else if (className == "ComboBox") read = makeComboBox(node, where, view);
        else if (className == "TableView") read = makeTable(node, where, view);
        else if (className == "TabView") read = makeTabView(node, where, view);
        else if (className == "TextView") read = makeTextView(node, where, view);
        else fail(InterfaceError::UnknownClass, where + ": no view class \"" + className + "\"");
        if (!read) return nullptr;
        return view;
    }

    bool readCommon(const Dictionary& node, View& view, const std::string& where) {
        int tag = 0;
        bool hidden = false;
        double width = 0, height = 0;
        std::string title, toolTip;
        if (!(readInt(node, "tag", where, tag) && readFlag(node, "hidden", where, hidden) &&
              readNumber(node, "width", where, width) && readNumber(node, "height", where, height) &&
              readLabel(node, "title", where, title) && readLabel(node, "toolTip", where, toolTip))) {
            return false;
        }
        view.setTag(tag);
        view.setHidden(hidden);
        view.setFrameSize(width, height);
        if (!title.empty()) {
            if (auto* field = dynamic_cast<TextField*>(&view)) field->setStringValue(title);
            else view.setTitle(title);
        }
        view.setToolTip(toolTip);
        if (auto* control = dynamic_cast<Control*>(&view)) {
            bool enabled = true;
            if (!readFlag(node, "enabled", where, enabled)) return false;
            control->setEnabled(enabled);
        }
        return true;
    }

    bool readSubviews(const Dictionary& node, View& view, InterfaceObject& controller, const std::string& where) {
        Array subviews;
        if (!readArray(node, "subviews", where, subviews)) return false;
        for (const Value& entry : subviews) {
            if (!entry.isDictionary()) return malformed(where, "a subview is no dictionary");
            const Dictionary child = entry.dictionary();
            if (child.size() == 1 && child.contains("view")) {
                if (!placeholder(child, where, view.addSubview(std::make_unique<View>()))) return false;
                continue;
            }
            std::unique_ptr<View> built = buildView(child, controller, where + " > " + subviewName(child));
            if (!built) return false;
            view.addSubview(std::move(built));
        }
        return true;
    }

    static std::string subviewName(const Dictionary& node) {
        const std::string& outlet = node["outlet"].text();
        return outlet.empty() ? node["class"].text() : outlet;
    }

    // Notes that the section named by "view" goes where the placeholder is.
    bool placeholder(const Dictionary& node, const std::string& where, View& holder) {
        std::string section;
        if (!readText(node, "view", where, section)) return false;
        if (section.empty()) return malformed(where, "a place names no section");
        m_places.push_back(Place{section, &holder});
        return true;
    }

    bool connectView(const Dictionary& node, View& view, InterfaceObject& controller, const std::string& where) {
        std::string outlet;
        if (!readText(node, "outlet", where, outlet)) return false;
        if (!outlet.empty()) {
            view.setOutlet(outlet);
            if (!connected(controllerName(controller), outlet, controller.connectOutlet(outlet, view), where)) return false;
        }
        auto* control = dynamic_cast<Control*>(&view);
        if (!control) return !node.contains("action") || malformed(where, "only controls send actions");
        return connectAction(node, *control, controller, where) && connectDelegates(node, view, where);
    }

    std::string controllerName(const InterfaceObject& controller) const {
        if (&controller == &m_owner) return std::string(kOwnerName);
        for (const auto& [name, object] : m_result->m_objects) {
            if (object.get() == &controller) return name;
        }
        return {};
    }

    bool connectAction(const Dictionary& node, Control& control, InterfaceObject& controller, const std::string& where) {
        std::string action, targetName;
        if (!readText(node, "action", where, action) || !readText(node, "target", where, targetName)) return false;
        if (action.empty()) return targetName.empty() || malformed(where, "a target without an action");
        InterfaceObject* target = &controller;
        if (!targetName.empty() && !findObject(targetName, where, target)) return false;
        if (!target->hasAction(action)) {
            return fail(InterfaceError::UnknownName,
                        where + ": \"" + controllerName(*target) + "\" has no action \"" + action + "\"");
        }
        control.setAction(target, action);
        return true;
    }

    // The object named by the key as the interface T it must implement.
    template <class T>
    bool readRole(const Dictionary& node, std::string_view key, const std::string& where, T*& out) {
        std::string name;
        if (!readText(node, key, where, name)) return false;
        if (name.empty()) return true;
        InterfaceObject* object = nullptr;
        if (!findObject(name, where, object)) return false;
        out = dynamic_cast<T*>(object);
        if (!out) return fail(InterfaceError::WrongKind, where + ": \"" + name + "\" is no " + std::string(key));
        return true;
    }

    bool connectDelegates(const Dictionary& node, View& view, const std::string& where) {
        if (auto* field = dynamic_cast<TextField*>(&view)) {
            TextFieldDelegate* delegate = nullptr;
            if (!readRole(node, "delegate", where, delegate)) return false;
            field->setDelegate(delegate);
        } else if (auto* table = dynamic_cast<TableView*>(&view)) {
            TableDelegate* delegate = nullptr;
            TableDataSource* source = nullptr;
            if (!readRole(node, "delegate", where, delegate) || !readRole(node, "dataSource", where, source)) return false;
            table->setDelegate(delegate);
            table->setDataSource(source);
        } else if (node.contains("delegate") || node.contains("dataSource")) {
            return malformed(where, "this view has no delegate");
        }
        return true;
    }

    // Classes --------------------------------------------------------------------

    bool makeButton(const Dictionary& node, const std::string& where, std::unique_ptr<View>& out) {
        static const std::map<std::string, ButtonType, std::less<>> kTypes = {
            {"push", ButtonType::Push}, {"checkBox", ButtonType::CheckBox},
            {"radio", ButtonType::Radio}, {"image", ButtonType::Image}};
        std::string type = "push", image;
        int state = 0;
        if (!readText(node, "type", where, type) || !readInt(node, "state", where, state) ||
            !readText(node, "image", where, image)) {
            return false;
        }
        const auto found = kTypes.find(type);
        if (found == kTypes.end()) return malformed(where, "no button type \"" + type + "\"");
        auto button = std::make_unique<Button>(found->second);
        button->setState(state);
        if (!image.empty()) {
            const std::filesystem::path path = m_bundle.pathForResource(image);
            if (!path.empty()) button->setImage(Image::FromFile(path));
        }
        out = std::move(button);
        return true;
    }

    bool makeMatrix(const Dictionary& node, InterfaceObject& controller, const std::string& where,
                    std::unique_ptr<View>& out) {
        Array cells;
        if (!readArray(node, "cells", where, cells)) return false;
        auto matrix = std::make_unique<Matrix>();
        for (const Value& entry : cells) {
            if (!entry.isDictionary() || entry["class"].text() != "Button") {
                return malformed(where, "a cell is no button");
            }
            // Cells are radio buttons unless the file says otherwise.
            Dictionary cellNode = entry.dictionary().copy();
            if (!cellNode.contains("type")) cellNode.set("type", "radio");
            std::unique_ptr<View> cell = buildView(cellNode, controller, where + " > cell");
            if (!cell) return false;
            matrix->addCell(std::unique_ptr<Button>(static_cast<Button*>(cell.release())));
        }
        out = std::move(matrix);
        return true;
    }

    bool makeTextField(const Dictionary& node, const std::string& where, std::unique_ptr<View>& out) {
        bool editable = true;
        std::string text;
        if (!readFlag(node, "editable", where, editable) || !readLabel(node, "text", where, text)) return false;
        auto field = std::make_unique<TextField>();
        field->setEditable(editable);
        field->setStringValue(text);
        out = std::move(field);
        return true;
    }

    bool makeStepper(const Dictionary& node, const std::string& where, std::unique_ptr<View>& out) {
        auto stepper = std::make_unique<Stepper>();
        double min = stepper->minValue(), max = stepper->maxValue(), increment = stepper->increment(), value = 0;
        if (!readNumber(node, "min", where, min) || !readNumber(node, "max", where, max) ||
            !readNumber(node, "increment", where, increment) || !readNumber(node, "value", where, value)) {
            return false;
        }
        if (!(min <= max)) return malformed(where, "the stepper's lowest value is above its highest");
        stepper->setMinValue(min);
        stepper->setMaxValue(max);
        stepper->setIncrement(increment);
        stepper->setDoubleValue(value);
        out = std::move(stepper);
        return true;
    }

    bool makeComboBox(const Dictionary& node, const std::string& where, std::unique_ptr<View>& out) {
        Array items;
        int selected = -1;
        if (!readArray(node, "items", where, items) || !readInt(node, "selected", where, selected)) return false;
        std::vector<std::string> texts;
        for (const Value& item : items) {
            Dictionary holder{{"item", item}};
            std::string text;
            if (!item.isNone() && item.kind() != Value::Kind::Integer && item.kind() != Value::Kind::String) {
                return malformed(where, "an item is no label");
            }
            readLabel(holder, "item", where, text);
            texts.push_back(text);
        }
        auto combo = std::make_unique<ComboBox>();
        combo->addItems(texts);
        combo->selectItemAtIndex(selected);
        out = std::move(combo);
        return true;
    }

    bool makeTable(const Dictionary& node, const std::string& where, std::unique_ptr<View>& out) {
        Array columns;
        bool multiple = false;
        if (!readArray(node, "columns", where, columns) || !readFlag(node, "multipleSelection", where, multiple)) {
            return false;
        }
        auto table = std::make_unique<TableView>();
        table->setAllowsMultipleSelection(multiple);
        for (const Value& entry : columns) {
            if (!entry.isDictionary()) return malformed(where, "a column is no dictionary");
            const Dictionary column = entry.dictionary();
            TableColumn made;
            if (!(readText(column, "identifier", where, made.identifier) && readLabel(column, "title", where, made.title) &&
                  readNumber(column, "minWidth", where, made.minWidth) && readNumber(column, "width", where, made.width) &&
                  readNumber(column, "maxWidth", where, made.maxWidth) &&
                  readFlag(column, "headerEditable", where, made.headerEditable))) {
                return false;
            }
            if (made.identifier.empty()) return malformed(where, "a column has no identifier");
            table->addTableColumn(std::move(made));
        }
        out = std::move(table);
        return true;
    }

    bool makeTabView(const Dictionary& node, const std::string& where, std::unique_ptr<View>& out) {
        Array tabs;
        bool showsTabs = true;
        if (!readArray(node, "tabs", where, tabs) || !readFlag(node, "showsTabs", where, showsTabs)) return false;
        auto tabView = std::make_unique<TabView>();
        tabView->setShowsTabs(showsTabs);
        for (const Value& entry : tabs) {
            if (!entry.isDictionary()) return malformed(where, "a tab is no dictionary");
            const Dictionary tab = entry.dictionary();
            std::string label;
            if (!readLabel(tab, "label", where, label)) return false;
            TabView::Item& item = tabView->addTabViewItem(label, std::make_unique<View>());
            if (tab.contains("view") && !placeholder(tab, where, *item.view)) return false;
        }
        out = std::move(tabView);
        return true;
    }

    bool makeTextView(const Dictionary& node, const std::string& where, std::unique_ptr<View>& out) {
        auto textView = std::make_unique<TextView>();
        std::string text;
        bool editable = true, selectable = true, rich = false;
        if (!(readLabel(node, "text", where, text) && readFlag(node, "editable", where, editable) &&
              readFlag(node, "selectable", where, selectable) && readFlag(node, "richText", where, rich))) {
            return false;
        }
        textView->setString(text);
        textView->setEditable(editable);
        textView->setSelectable(selectable);
        textView->setRichText(rich);
        out = std::move(textView);
        return true;
    }

    // Deeper nesting is no pane anyone draws; it is refused before the
    // stack is.
    static constexpr int kMaxDepth = 64;

    const Bundle& m_bundle;
    InterfaceObject& m_owner;
    const InterfaceObjectFactory& m_factory;
    std::unique_ptr<LoadedInterface> m_result;
    std::vector<std::pair<std::string, Value>> m_objectOutlets;
    std::vector<std::pair<std::string, std::unique_ptr<View>>> m_sections;
    std::vector<Place> m_places;
    int m_depth = 0;
    InterfaceError m_error = InterfaceError::None;
    std::string m_reason;
};

InterfaceLoad LoadInterface(const Bundle& bundle, const Dictionary& file, InterfaceObject& owner,
                            const InterfaceObjectFactory& factory) {
    return InterfaceLoader(bundle, owner, factory).load(file);
}

InterfaceLoad LoadInterfaceFile(const Bundle& bundle, std::string_view name, InterfaceObject& owner,
                                const InterfaceObjectFactory& factory) {
    const std::filesystem::path path = bundle.pathForResource(name, "plist");
    PropertyListError error = PropertyListError::None;
    const std::optional<Value> file = path.empty() ? std::nullopt : ReadPropertyListFile(path, &error);
    if (!file || !file->isDictionary()) {
        const std::string why = path.empty() ? "no such resource" : file ? "no dictionary" : DescribePropertyListError(error);
        return InterfaceLoad{nullptr, InterfaceError::CannotRead, "interface file \"" + std::string(name) + "\": " + why};
    }
    return LoadInterface(bundle, file->dictionary(), owner, factory);
}

}  // namespace platform

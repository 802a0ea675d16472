// Working the controls as a user would, and the script commands that name
// those actions.
#include "UserDriver.h"

#include <charconv>
#include <optional>

#include "FoundationValues.h"
#include "OpenPanel.h"

namespace platform {

namespace {

// The first visible view of the tree, depth first, whose outlet is the name.
View* FindVisible(View& view, std::string_view name) {
    if (!view.isVisible()) return nullptr;
    if (view.outlet() == name) return &view;
    for (View* child : view.children()) {
        if (View* found = FindVisible(*child, name)) return found;
    }
    return nullptr;
}

// A whole number of the text, or nothing when it is not one.
std::optional<int> Number(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
    return value;
}

// The text split at its first blank: the word and the rest.
std::pair<std::string_view, std::string_view> Split(std::string_view text) {
    const std::size_t blank = text.find(' ');
    if (blank == std::string_view::npos) return {text, {}};
    return {text.substr(0, blank), text.substr(blank + 1)};
}

// The UTF-8 characters of a text, one string each.
std::vector<std::string> Characters(std::string_view text) {
    std::vector<std::string> characters;
    for (std::size_t at = 0; at < text.size();) {
        std::size_t length = 1;
        while (at + length < text.size() && (static_cast<unsigned char>(text[at + length]) & 0xC0) == 0x80) ++length;
        characters.emplace_back(text.substr(at, length));
        at += length;
    }
    return characters;
}

}  // namespace

bool UserDriver::fail(std::string reason) {
    m_error = std::move(reason);
    return false;
}

View* UserDriver::find(std::string_view name) {
    View* scope = nullptr;
    for (std::string_view rest = name;;) {
        const std::size_t slash = rest.find('/');
        const std::string_view part = rest.substr(0, slash);
        View* found = nullptr;
        if (!scope) found = FindVisible(m_root, part);
        for (View* child : scope ? scope->children() : std::vector<View*>()) {
            if ((found = FindVisible(*child, part))) break;
        }
        if (!found || part.empty()) {
            fail("no visible control \"" + std::string(name) + "\"");
            return nullptr;
        }
        scope = found;
        if (slash == std::string_view::npos) return scope;
        rest = rest.substr(slash + 1);
    }
}

template <class T>
T* UserDriver::control(std::string_view name, const char* kind) {
    View* view = find(name);
    if (!view) return nullptr;
    T* typed = dynamic_cast<T*>(view);
    if (!typed) {
        fail("\"" + std::string(name) + "\" is no " + kind);
        return nullptr;
    }
    if (auto* asControl = dynamic_cast<Control*>(view); asControl && !asControl->isEnabled()) {
        fail("\"" + std::string(name) + "\" is disabled");
        return nullptr;
    }
    return typed;
}

bool UserDriver::leaveField(const TextField* next) {
    if (!m_editing || m_editing == next) return true;
    TextField* field = m_editing;
    m_editing = nullptr;
    if (!field->userEndedEditing() && field->isEnabled() && field->isEditable()) {
        m_editing = field;
        return fail("\"" + field->outlet() + "\" keeps the user in it");
    }
    return true;
}

bool UserDriver::endEditing() { return leaveField(); }

bool UserDriver::click(std::string_view name) {
    auto* button = control<Button>(name, "button");
    if (!button || !leaveField()) return false;
    button->performClick();
    return true;
}

bool UserDriver::type(std::string_view name, std::string_view text) {
    auto* field = control<TextField>(name, "text field");
    if (!field) return false;
    if (!field->isEditable()) return fail("\"" + std::string(name) + "\" cannot be edited");
    if (!leaveField(field)) return false;
    m_editing = field;
    // The first character replaces the selected text; an empty text deletes it.
    const std::vector<std::string> characters = Characters(text);
    if (characters.empty()) return field->userChangedText({});
    bool replace = true;
    for (const std::string& character : characters) {
        field->userChangedText((replace ? std::string() : field->stringValue()) + character);
        replace = false;
    }
    return true;
}

bool UserDriver::step(std::string_view name, bool up, int count) {
    auto* stepper = control<Stepper>(name, "stepper");
    if (!stepper || !leaveField()) return false;
    for (int i = 0; i < count; ++i) stepper->performStep(up);
    return true;
}

bool UserDriver::choose(std::string_view name, std::string_view item) {
    View* view = find(name);
    if (!view) return false;
    if (auto* combo = dynamic_cast<ComboBox*>(view)) {
        if (!control<ComboBox>(name, "combo box") || !leaveField()) return false;
        const std::vector<std::string>& items = combo->items();
        int index = Number(item).value_or(-1);
        for (std::size_t i = 0; index < 0 && i < items.size(); ++i) {
            if (items[i] == item) index = static_cast<int>(i);
        }
        if (index < 0 || index >= combo->numberOfItems()) return fail("\"" + std::string(name) + "\" has no item \"" + std::string(item) + "\"");
        combo->performChoice(index);
        return true;
    }
    auto* matrix = control<Matrix>(name, "combo box or matrix");
    if (!matrix || !leaveField()) return false;
    const std::vector<Button*> cells = matrix->cells();
    int index = Number(item).value_or(-1);
    for (std::size_t i = 0; index < 0 && i < cells.size(); ++i) {
        if (cells[i]->title() == item) index = static_cast<int>(i);
    }
    if (index < 0 || static_cast<std::size_t>(index) >= cells.size()) {
        return fail("\"" + std::string(name) + "\" has no cell \"" + std::string(item) + "\"");
    }
    if (!cells[static_cast<std::size_t>(index)]->isEnabled()) return fail("that cell of \"" + std::string(name) + "\" is disabled");
    matrix->performClickOnCell(index);
    return true;
}

bool UserDriver::selectRows(std::string_view name, const std::vector<int>& rows) {
    auto* table = control<TableView>(name, "table");
    if (!table || !leaveField()) return false;
    bool extend = false;
    for (int row : rows) {
        if (row < 0 || row >= table->numberOfRows()) return fail("\"" + std::string(name) + "\" has no row " + FormatInteger(row));
        table->performClickOnRow(row, extend);
        extend = true;
    }
    return true;
}

bool UserDriver::selectTab(std::string_view name, std::string_view item) {
    auto* tabs = dynamic_cast<TabView*>(find(name));
    if (!tabs) return m_error.empty() ? fail("\"" + std::string(name) + "\" is no tab view") : false;
    if (!tabs->showsTabs()) return fail("\"" + std::string(name) + "\" shows no tabs to click");
    int index = Number(item).value_or(-1);
    for (int i = 0; index < 0 && i < tabs->numberOfTabViewItems(); ++i) {
        if (tabs->tabViewItemAtIndex(i).label == item) index = i;
    }
    if (index < 0 || index >= tabs->numberOfTabViewItems()) return fail("\"" + std::string(name) + "\" has no tab \"" + std::string(item) + "\"");
    if (!leaveField()) return false;
    tabs->selectTabViewItemAtIndex(index);
    return true;
}

bool UserDriver::pick(std::string_view path) {
    if (!QueueFilePick(std::string(path))) return fail("\"" + std::string(path) + "\" is no file to pick");
    return true;
}

bool UserDriver::perform(std::string_view command) {
    m_error.clear();
    const auto [verb, rest] = Split(command);
    const auto [name, argument] = Split(rest);
    if (verb == "end" && rest.empty()) return endEditing();
    if (verb == "pick") return pick(rest);
    if (name.empty()) return fail("\"" + std::string(command) + "\" names no control");
    if (verb == "click" && argument.empty()) return click(name);
    if (verb == "type") return type(name, argument);
    if (verb == "choose" && !argument.empty()) return choose(name, argument);
    if (verb == "tab" && !argument.empty()) return selectTab(name, argument);
    if (verb == "step") {
        const auto [direction, times] = Split(argument);
        const std::optional<int> count = times.empty() ? 1 : Number(times);
        if ((direction == "up" || direction == "down") && count && *count > 0) return step(name, direction == "up", *count);
    }
    if (verb == "select" && !argument.empty()) {
        std::vector<int> rows;
        for (std::string_view list = argument; !list.empty();) {
            const std::size_t comma = list.find(',');
            const std::optional<int> row = Number(list.substr(0, comma));
            if (!row) return fail("\"" + std::string(argument) + "\" is no list of rows");
            rows.push_back(*row);
            list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
        }
        return selectRows(name, rows);
    }
    return fail("\"" + std::string(command) + "\" is no command a user can do");
}

}  // namespace platform

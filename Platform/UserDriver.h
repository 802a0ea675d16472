// The user at the screen, for tests and for the print host: works the
// visible controls of a view tree as a user would, finding each by its
// outlet name ("finisherButton", or "pane/field" for the field inside the
// view named pane). A control that is hidden, in a tab not shown, or
// disabled cannot be worked; the action is then refused with a reason.
//
// Typing goes into one field at a time: typing selects the field's whole
// text, then enters the characters one by one, the field's delegate told
// after each (so its filter can refuse one, with a beep). The field stays
// in editing until the user ends it or works another control, which ends it
// first; a delegate that keeps the user in the field refuses that action.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "Controls.h"

namespace platform {

class UserDriver {
public:
    explicit UserDriver(View& root) : m_root(root) {}

    // Each returns true when done, else false with the reason in
    // lastError().
    bool click(std::string_view button);
    bool type(std::string_view field, std::string_view text);
    // Ends editing of the field being edited, if any.
    bool endEditing();
    bool step(std::string_view stepper, bool up, int count = 1);
    // An item of a combo box or a cell of a matrix: its index (digits) or
    // its text.
    bool choose(std::string_view control, std::string_view item);
    // Clicks the first row, then adds each further row to the selection.
    bool selectRows(std::string_view table, const std::vector<int>& rows);
    // A tab of a tab view that shows its tabs: its index or its label.
    bool selectTab(std::string_view tabView, std::string_view item);
    // The file the user will pick or name in the next open or save panel
    // (OpenPanel.h, SavePanel.h).
    bool pick(std::string_view path);

    // One command of a script:
    //   click NAME | type NAME TEXT | end | step NAME up|down [COUNT]
    //   choose NAME ITEM | select NAME ROW[,ROW...] | tab NAME ITEM
    //   pick PATH
    bool perform(std::string_view command);

    const std::string& lastError() const { return m_error; }
    // The field being edited; nullptr when none is.
    TextField* editedField() const { return m_editing; }
    // The visible view of that name ("pane/field" for the one inside the
    // view named pane), or nullptr with the reason in lastError().
    View* find(std::string_view name);

private:
    bool fail(std::string reason);
    // The visible, enabled control of that name and kind.
    template <class T>
    T* control(std::string_view name, const char* kind);
    // Ends the editing under way before another control is worked.
    bool leaveField(const TextField* next = nullptr);

    View& m_root;
    TextField* m_editing = nullptr;
    std::string m_error;
};

}  // namespace platform

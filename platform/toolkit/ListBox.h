#pragma once

#include <string>
#include <vector>

#include "platform/runtime/Integer.h"
#include "platform/toolkit/Control.h"
#include "platform/toolkit/UserEvent.h"

namespace toolkit {

// A list box: unsorted, single selection. Counts and indexes are 16-bit; the list holds at most
// 32768 entries (indexes 0 to 32767); ListCount of a full list raises the overflow error.
class ListBox : public Control {
public:
    explicit ListBox(Form& owner);

    // Removes every entry; nothing is selected afterwards. Raises no event.
    void Clear();
    // Appends the text as the new last entry. Raises no event; past the last entry the list can
    // hold it raises "Memoria esaurita" (7).
    void AddItem(const std::string& text);

    runtime::Integer ListCount() const;
    // The selected entry's index, -1 when none is selected.
    runtime::Integer ListIndex() const;
    // Selects that entry (-1 selects none) and raises Click before returning, every time, also when
    // the entry was selected already; an index outside -1..ListCount-1 raises 380.
    void SetListIndex(runtime::Integer index);
    // The selected entry's text; "" when none is selected.
    std::string Text() const;
    // The entry's text at an index; 9 outside the list.
    std::string List(runtime::Integer index) const;

    // A click on an entry or an arrow key that moves the selection raises Click; a double-click
    // raises Click (from its first click) and then DblClick.
    runtime::Event Click;
    runtime::Event DblClick;

private:
    // The backend's half: the widget's rows follow entries_ (cleared, one appended), and its
    // selected row (-1 none), read and set without raising an event.
    void ClearRows();
    void AppendRow(const std::string& text);
    int SelectedRow() const;
    void SelectRow(int row);

    // The entries' own bytes; the widget shows them decoded.
    std::vector<std::string> entries_;
};

}  // namespace toolkit

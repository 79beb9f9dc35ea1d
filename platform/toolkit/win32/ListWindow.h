#pragma once

#include <windows.h>

#include <memory>
#include <string>

namespace toolkit {
class ControlPeer;
}

// The LISTBOX and COMBOBOX messages the list controls share.
namespace toolkit::win32 {

// The peer of a list control: a LISTBOX with a scroll bar and a sunken edge that notifies its
// form and takes the focus by Tab; `extraStyle` adds to its style (an owner-drawn list).
std::unique_ptr<ControlPeer> MakeListPeer(DWORD extraStyle = 0);

// Empties a list box; adds an entry (with its data) at the end.
void ClearListBox(HWND list);
void AddListEntry(HWND list, const std::string& text, LPARAM data = 0);
// The selected row, -1 when none.
int SelectedRow(HWND list);
void SelectRow(HWND list, int row);

}  // namespace toolkit::win32

#pragma once

#include <windows.h>

#include <string>

// The LISTBOX and COMBOBOX messages the list controls share.
namespace toolkit::win32 {

// Empties a list box; adds an entry (with its data) at the end.
void ClearListBox(HWND list);
void AddListEntry(HWND list, const std::string& text, LPARAM data = 0);
// The selected row, -1 when none.
int SelectedRow(HWND list);
void SelectRow(HWND list, int row);

}  // namespace toolkit::win32

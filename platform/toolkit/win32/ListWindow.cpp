#include "platform/toolkit/win32/ListWindow.h"

#include "platform/toolkit/win32/Peers.h"
#include "platform/toolkit/win32/WideText.h"

namespace toolkit::win32 {

std::unique_ptr<ControlPeer> MakeListPeer(DWORD extraStyle) {
    constexpr DWORD kListStyle =
        LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP;
    return std::make_unique<ControlPeer>(L"LISTBOX", kListStyle | extraStyle, WS_EX_CLIENTEDGE);
}

void ClearListBox(HWND list) {
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
}

void AddListEntry(HWND list, const std::string& text, LPARAM data) {
    const LRESULT row =
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(text).c_str()));
    if (row >= 0) {
        SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(row), data);
    }
}

int SelectedRow(HWND list) {
    const LRESULT row = SendMessageW(list, LB_GETCURSEL, 0, 0);
    return row == LB_ERR ? -1 : static_cast<int>(row);
}

void SelectRow(HWND list, int row) {
    SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
}

}  // namespace toolkit::win32

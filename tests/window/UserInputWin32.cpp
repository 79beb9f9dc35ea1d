#include <windows.h>

#include "platform/toolkit/win32/Peers.h"
#include "tests/window/UserInput.h"

namespace user_input {

namespace {

// The notification a list box sends its form when the user acts on it.
void Notify(HWND list, int code) {
    SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(0, code), reinterpret_cast<LPARAM>(list));
}

}  // namespace

void ClickEntry(toolkit::ListBox& list, int index, bool doubleClick) {
    HWND window = toolkit::win32::WindowOf(list);
    SendMessageW(window, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    Notify(window, LBN_SELCHANGE);
    if (doubleClick) {
        Notify(window, LBN_DBLCLK);
    }
}

void ClickButton(toolkit::CommandButton& button) {
    SendMessageW(toolkit::win32::WindowOf(button), BM_CLICK, 0, 0);
}

}  // namespace user_input

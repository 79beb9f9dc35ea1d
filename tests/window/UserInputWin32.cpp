#include <windows.h>

#include "platform/toolkit/win32/MessageLoop.h"
#include "platform/toolkit/win32/Peers.h"
#include "tests/window/UserInput.h"

namespace user_input {

namespace {

// The notification a list box sends its form when the user acts on it.
void Notify(HWND list, int code) {
    SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(0, code), reinterpret_cast<LPARAM>(list));
}

// A key pressed and let go on the window with the focus, through the form's message loop.
void PressKey(const toolkit::Form& form, WPARAM key) {
    for (UINT message : {WM_KEYDOWN, WM_KEYUP}) {
        // Repeat count 1; a key let go was down before and is up now (bits 30 and 31).
        const LPARAM flags = message == WM_KEYUP ? static_cast<LPARAM>(0xC0000001u) : 1;
        MSG delivered{GetFocus(), message, key, flags, 0, {0, 0}};
        toolkit::win32::DeliverMessage(form, delivered);
    }
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

void PressTab(toolkit::Form& form) {
    PressKey(form, VK_TAB);
}

void PressEnter(toolkit::Form& form, toolkit::Control& control) {
    SetFocus(toolkit::win32::WindowOf(control));
    PressKey(form, VK_RETURN);
}

}  // namespace user_input

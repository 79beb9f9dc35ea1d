#pragma once

#include <windows.h>

#include <functional>

#include "platform/toolkit/Control.h"
#include "platform/toolkit/Form.h"

// The Win32 halves of the forms layer: the windows behind the forms and their controls.
namespace toolkit {

// A control's child window, made when the control joins its form, and what the form's window
// procedure hands to it: the notifications it sends to the form, its owner-drawn items, and the
// messages the window itself receives (every control window is subclassed).
class ControlPeer {
public:
    // The window class and styles the child window is made with (WS_CHILD is always added).
    ControlPeer(const wchar_t* windowClass, DWORD style, DWORD extendedStyle = 0);
    // Destroys the window and the custom cursor.
    ~ControlPeer();
    ControlPeer(const ControlPeer&) = delete;
    ControlPeer& operator=(const ControlPeer&) = delete;

    // Makes the child window of that form window, in the form's default font.
    void Create(HWND form);

    HWND hwnd = nullptr;
    // The pointer shown over the control (nullptr: the class's own); the custom one is owned.
    HCURSOR pointer = nullptr;
    HCURSOR customCursor = nullptr;
    // A drop-down's height with its list open, in pixels (0: the placed height).
    int droppedHeight = 0;
    // The control does not redraw until the program is back in its message loop
    // (RedrawDeferral.h).
    bool redrawDeferred = false;

    // A WM_COMMAND notification code the control sent to its form.
    std::function<void(int)> notified;
    // A WM_DRAWITEM for the control.
    std::function<void(const DRAWITEMSTRUCT&)> drawItem;
    // A message to the control's own window; true when handled, with its result.
    std::function<bool(UINT, WPARAM, LPARAM, LRESULT&)> message;
    // The control was made visible.
    std::function<void()> shown;

private:
    static LRESULT CALLBACK Subclassed(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    const wchar_t* windowClass_;
    DWORD style_;
    DWORD extendedStyle_;
    WNDPROC original_ = nullptr;
};

// A form's top-level window, its background brush and icons, the control the focus starts in and
// the one that had it when the window was last deactivated (where it returns on activation).
class FormPeer {
public:
    FormPeer();
    ~FormPeer();
    FormPeer(const FormPeer&) = delete;
    FormPeer& operator=(const FormPeer&) = delete;

    HWND hwnd = nullptr;
    HBRUSH background = nullptr;
    HICON bigIcon = nullptr;
    HICON smallIcon = nullptr;
    HWND firstFocus = nullptr;
    HWND lastFocus = nullptr;
};

namespace win32 {

// The peer of a control's window; nullptr for a window that is no control's.
ControlPeer* PeerOf(HWND control);
// The peer of a form's window; nullptr for a window that is no form's.
FormPeer* FormPeerOf(HWND form);

inline HWND WindowOf(const Control& control) {
    return control.Peer().hwnd;
}

// The font every control starts with: "MS Sans Serif" 8 pt (a stand-in face when missing).
HFONT DefaultFont();

}  // namespace win32

}  // namespace toolkit

#pragma once

#include <windows.h>

// Lists filled from code do not redraw while they fill: under Wine every entry added to a shown
// list with a scroll bar redraws the scroll bar at once (milliseconds an entry, seconds for a file
// of many icons). Nothing could show before the program is back in its message loop anyway.
namespace toolkit {
class ControlPeer;
}

namespace toolkit::win32 {

// The message a form gets, posted, to let a control redraw again (lParam: the control's window).
// Posted messages come before the user's input, so the control is itself again before any key.
constexpr UINT kResumeRedrawMessage = WM_APP + 0x51;

// Stops a shown control redrawing until its form handles kResumeRedrawMessage (or ResumeRedraw
// is called); nothing for a hidden control or one already waiting.
void DeferRedrawUntilIdle(ControlPeer& peer);
// Lets the control redraw again and redraws it; nothing when it was not waiting. Whoever reads or
// changes the control's visibility calls it first (not redrawing can hide the window's style).
void ResumeRedraw(ControlPeer& peer);

// Keeps a shown list from redrawing while it lives (one fill made at once); the list is redrawn
// at the end. A hidden list is left alone.
class QuietFill {
public:
    explicit QuietFill(HWND list);
    ~QuietFill();
    QuietFill(const QuietFill&) = delete;
    QuietFill& operator=(const QuietFill&) = delete;

private:
    HWND list_;
};

}  // namespace toolkit::win32

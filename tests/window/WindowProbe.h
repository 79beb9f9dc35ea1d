#pragma once

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/toolkit/Control.h"
#include "platform/toolkit/Form.h"

// What the window looks like to the windowing system, read from the backend under test
// (WindowProbeQt.cpp: the widgets; WindowProbeWin32.cpp: the windows through the Win32 API).
namespace window_probe {

// A rectangle in pixels.
struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Rect&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Rect& rect);

// The title bar's text.
std::string Title(const toolkit::Form& form);
// The client area, its origin in screen pixels.
Rect ClientArea(const toolkit::Form& form);
// Whether the window system was asked for the window's position (not left to choose it).
bool PlacedByProgram(const toolkit::Form& form);
// Whether the user cannot resize the window (no resizing border, no maximise).
bool HasFixedSize(const toolkit::Form& form);
// The colour the client area is filled with.
toolkit::Color Background(const toolkit::Form& form);
// The widths of the window icon's square images.
std::vector<int> IconSizes(const toolkit::Form& form);

// The control's rectangle in its form's client pixels.
Rect Geometry(const toolkit::Control& control);
// Whether the control is shown on screen (itself and its form) and takes input.
bool IsShown(const toolkit::Control& control);
bool IsEnabled(const toolkit::Control& control);

struct Font {
    std::string family;
    double points = 0;
    int weight = 0;  // 400 normal, 700 bold
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
};
// The font the control draws its text in.
Font FontOf(const toolkit::Control& control);

struct Pointer {
    bool custom = false;  // a pointer of the program's own, not a stock shape
    int hotX = 0;
    int hotY = 0;
    int width = 0;
    int height = 0;
};
// The pointer shown over the control.
Pointer PointerOf(const toolkit::Control& control);

// The control drawn as it stands now: its pixels, row by row (0xAARRGGBB).
std::vector<std::uint32_t> Pixels(const toolkit::Control& control);

// Makes the form the active window; false when the window system would not.
bool Activate(toolkit::Form& form);
// Whether the control has the keyboard focus.
bool HasFocus(const toolkit::Control& control);

// Runs the program's event loop with `first` queued as its first task; the loop's exit code.
int RunEventLoop(toolkit::Form& form, std::function<void()> first);

}  // namespace window_probe

#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace toolkit {

class Control;
// The backend's half of a form, its top-level window (platform/toolkit/qt/Peers.h,
// platform/toolkit/win32/Peers.h).
class FormPeer;

struct Color {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};

// A top-level window with a fixed client area and absolutely placed controls.
class Form {
public:
    Form();
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    std::string Caption() const;
    void SetCaption(const std::string& caption);
    void SetBackColor(Color color);
    // The client area in twips; the window keeps that size (fixed border, no maximise box).
    void SetClientSize(int widthTwips, int heightTwips);
    // Where the client area's top-left corner goes on the screen, in twips; asked of the window
    // system as the program's own position, which a window manager may still override.
    void SetClientPosition(int leftTwips, int topTwips);
    // The window icon, from an .ico file (the program's resources or a file system path), with
    // every image of the file. A file that cannot be opened raises 53, one with no image 481.
    void SetIcon(const std::string& iconFile);

    // Gives the focus order: every visible control that can take the focus, by tab index; the
    // focus starts in the one with the lowest (at once when the window shows, else when it does).
    void ApplyTabOrder();

    void Show();
    // Closes the window; nothing else happens (the form and its controls stay).
    void Close();

    // The window's native handle as a 32-bit value.
    std::int32_t hWnd() const;

    // The backend's half of the form.
    FormPeer& Peer() const { return *peer_; }

private:
    friend class Control;
    void Register(Control& control) { controls_.push_back(&control); }
    void Unregister(Control& control);

    void FocusFirstControl();
    // The backend's half of ApplyTabOrder: the focus goes through these controls in this order and
    // starts in the first (at once when the window shows).
    void ChainFocus(const std::vector<Control*>& order);

    std::unique_ptr<FormPeer> peer_;
    std::vector<Control*> controls_;
};

}  // namespace toolkit

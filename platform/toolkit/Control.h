#pragma once

#include <memory>
#include <string>

#include "platform/toolkit/MousePointers.h"

namespace toolkit {

class Form;
// The backend's half of a control, its widget or window (platform/toolkit/qt/Peers.h,
// platform/toolkit/win32/Peers.h).
class ControlPeer;

// What every visible control of a form shares: a place in twips, visibility, a tab index and a
// mouse pointer. A control owns its widget (the backend's), a child of the form's surface; controls
// are created in the form's creation order, and a later one lies above an earlier one.
class Control {
public:
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control();

    void Move(int leftTwips, int topTwips, int widthTwips, int heightTwips);

    bool Visible() const;
    void SetVisible(bool visible);

    // Controls that can take the focus get it in the order of their tab index
    // (Form::ApplyTabOrder).
    int TabIndex() const { return tabIndex_; }
    void SetTabIndex(int tabIndex) { tabIndex_ = tabIndex; }
    virtual bool CanTakeFocus() const;

    // 0 the default pointer, 1..15 the stock pointers, 99 the custom pointer given by
    // SetMouseIcon; any other value raises 380.
    int MousePointer() const { return mousePointer_; }
    void SetMousePointer(int pointer);
    // A cursor file (.cur, from the program's resources or the file system): image and hot spot.
    // A file that cannot be opened raises 53, one that is no cursor 481.
    void SetMouseIcon(const std::string& cursorFile);

    // The backend's half of the control.
    ControlPeer& Peer() const { return *peer_; }

protected:
    // Takes ownership of the backend's half and makes its widget a child of the form's surface.
    Control(Form& owner, std::unique_ptr<ControlPeer> peer);

private:
    friend class Form;
    // The form is going before its controls: they no longer tell it when they go.
    void DetachFromForm() { owner_ = nullptr; }
    // The backend's half: places the widget (pixels in the form's client area) and gives it the
    // pointer of MousePointer / MouseIcon.
    void Place(int left, int top, int width, int height);
    void ApplyCursor();

    std::unique_ptr<ControlPeer> peer_;
    Form* owner_;
    int tabIndex_ = 0;
    int mousePointer_ = 0;
    std::string mouseIcon_;
};

}  // namespace toolkit

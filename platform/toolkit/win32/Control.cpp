#include "platform/toolkit/Control.h"

#include "platform/runtime/RuntimeError.h"
#include "platform/toolkit/Form.h"
#include "platform/toolkit/Twips.h"
#include "platform/toolkit/win32/IconFiles.h"
#include "platform/toolkit/win32/Peers.h"
#include "platform/toolkit/win32/PointerShapes.h"
#include "platform/toolkit/win32/RedrawDeferral.h"

namespace toolkit {

Control::Control(Form& owner, std::unique_ptr<ControlPeer> peer)
    : peer_(std::move(peer)), owner_(&owner) {
    peer_->Create(owner.Peer().hwnd);
    owner.Register(*this);
}

Control::~Control() {
    if (owner_ != nullptr) {
        owner_->Unregister(*this);
    }
}

namespace {

// A closed drop-down list is as tall as its font makes it; its selection field is made taller or
// shorter by what the closed box misses of `height`, so the box sits where the layout puts it
// whatever the system's font metrics. The box grows by what its field grows, but what a system
// reports of the field may differ from what it takes (Wine reports two pixels more): a second step
// corrects from the field set, not the field reported.
int ClosedHeight(HWND combo) {
    RECT closed{};
    GetWindowRect(combo, &closed);
    return closed.bottom - closed.top;
}

void FitClosedHeight(HWND combo, int height) {
    LRESULT field = SendMessageW(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    for (int step = 0; step < 2 && field != CB_ERR; ++step) {
        const int missing = height - ClosedHeight(combo);
        if (missing == 0 || field + missing <= 0) {
            return;
        }
        field += missing;
        SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
    }
}

}  // namespace

void Control::Place(int left, int top, int width, int height) {
    // A drop-down list's window includes its dropped list.
    MoveWindow(peer_->hwnd, left, top, width,
               peer_->droppedHeight > 0 ? peer_->droppedHeight : height, TRUE);
    if (peer_->droppedHeight > 0) {
        FitClosedHeight(peer_->hwnd, height);
    }
}

bool Control::Visible() const {
    win32::ResumeRedraw(*peer_);
    return peer_->hwnd != nullptr && (GetWindowLongPtrW(peer_->hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
}

void Control::SetVisible(bool visible) {
    win32::ResumeRedraw(*peer_);
    ShowWindow(peer_->hwnd, visible ? SW_SHOWNA : SW_HIDE);
    if (visible && peer_->shown) {
        peer_->shown();
    }
}

bool Control::CanTakeFocus() const {
    return peer_->hwnd != nullptr && (GetWindowLongPtrW(peer_->hwnd, GWL_STYLE) & WS_TABSTOP) != 0;
}

void Control::SetMouseIcon(const std::string& cursorFile) {
    HCURSOR cursor = win32::ReadCursorFile(cursorFile);
    if (peer_->customCursor != nullptr) {
        DestroyCursor(peer_->customCursor);
    }
    peer_->customCursor = cursor;
    mouseIcon_ = cursorFile;
    ApplyCursor();
}

void Control::ApplyCursor() {
    // The form answers WM_SETCURSOR over the control with this pointer.
    peer_->pointer = mousePointer_ == vbCustom ? peer_->customCursor : StockPointer(mousePointer_);
}

}  // namespace toolkit

#include "platform/toolkit/win32/RedrawDeferral.h"

#include "platform/toolkit/win32/Peers.h"

namespace toolkit::win32 {

namespace {

void RedrawAgain(HWND window) {
    SendMessageW(window, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(window, nullptr, TRUE);
}

}  // namespace

void DeferRedrawUntilIdle(ControlPeer& peer) {
    if (peer.redrawDeferred || peer.hwnd == nullptr || !IsWindowVisible(peer.hwnd)) {
        return;
    }
    SendMessageW(peer.hwnd, WM_SETREDRAW, FALSE, 0);
    peer.redrawDeferred = true;
    PostMessageW(GetParent(peer.hwnd), kResumeRedrawMessage, 0,
                 reinterpret_cast<LPARAM>(peer.hwnd));
}

void ResumeRedraw(ControlPeer& peer) {
    if (peer.redrawDeferred) {
        peer.redrawDeferred = false;
        RedrawAgain(peer.hwnd);
    }
}

QuietFill::QuietFill(HWND list) : list_(IsWindowVisible(list) ? list : nullptr) {
    if (list_ != nullptr) {
        SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    }
}

QuietFill::~QuietFill() {
    if (list_ != nullptr) {
        RedrawAgain(list_);
    }
}

}  // namespace toolkit::win32

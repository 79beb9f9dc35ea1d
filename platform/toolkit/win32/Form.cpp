#include "platform/toolkit/Form.h"

#include <algorithm>
#include <utility>

#include "platform/toolkit/Control.h"
#include "platform/toolkit/Twips.h"
#include "platform/toolkit/win32/IconFiles.h"
#include "platform/toolkit/win32/Peers.h"
#include "platform/toolkit/win32/WideText.h"

namespace toolkit {

namespace {

DWORD StyleOf(HWND window) {
    return static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
}

// Places the window so that its client area has that origin and size.
void PlaceClient(HWND window, POINT origin, SIZE size) {
    RECT frame{origin.x, origin.y, origin.x + size.cx, origin.y + size.cy};
    AdjustWindowRectEx(&frame, StyleOf(window), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)));
    SetWindowPos(window, nullptr, frame.left, frame.top, frame.right - frame.left,
                 frame.bottom - frame.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

POINT ClientOrigin(HWND window) {
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    return origin;
}

SIZE ClientSize(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return {client.right, client.bottom};
}

}  // namespace

Form::Form() : peer_(std::make_unique<FormPeer>()) {}

Form::~Form() {
    for (Control* control : controls_) {
        control->DetachFromForm();
    }
}

std::string Form::Caption() const {
    const int length = GetWindowTextLengthW(peer_->hwnd);
    std::wstring text(static_cast<std::size_t>(std::max(length, 0)) + 1, L'\0');
    GetWindowTextW(peer_->hwnd, text.data(), static_cast<int>(text.size()));
    return win32::Utf8Of(text.c_str());
}

void Form::SetCaption(const std::string& caption) {
    SetWindowTextW(peer_->hwnd, win32::Wide(caption).c_str());
}

void Form::SetBackColor(Color color) {
    if (peer_->background != nullptr) {
        DeleteObject(peer_->background);
    }
    peer_->background = CreateSolidBrush(RGB(color.red, color.green, color.blue));
    InvalidateRect(peer_->hwnd, nullptr, TRUE);
}

void Form::SetClientSize(int widthTwips, int heightTwips) {
    PlaceClient(peer_->hwnd, ClientOrigin(peer_->hwnd),
                {TwipsToPixels(widthTwips), TwipsToPixels(heightTwips)});
}

void Form::SetClientPosition(int leftTwips, int topTwips) {
    PlaceClient(peer_->hwnd, {TwipsToPixels(leftTwips), TwipsToPixels(topTwips)},
                ClientSize(peer_->hwnd));
}

void Form::SetIcon(const std::string& iconFile) {
    HICON big = win32::ReadIconFile(iconFile, GetSystemMetrics(SM_CXICON));
    HICON small = win32::ReadIconFile(iconFile, GetSystemMetrics(SM_CXSMICON));
    SendMessageW(peer_->hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    SendMessageW(peer_->hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    for (HICON old : {std::exchange(peer_->bigIcon, big), std::exchange(peer_->smallIcon, small)}) {
        if (old != nullptr) {
            DestroyIcon(old);
        }
    }
}

void Form::ChainFocus(const std::vector<Control*>& focusable) {
    // The dialog manager's Tab goes down the sibling order: put the controls in tab order.
    HWND previous = HWND_TOP;
    for (Control* control : focusable) {
        HWND window = win32::WindowOf(*control);
        SetWindowPos(window, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        previous = window;
    }
    peer_->firstFocus = focusable.empty() ? nullptr : win32::WindowOf(*focusable.front());
    if (IsWindowVisible(peer_->hwnd)) {
        FocusFirstControl();
    }
}

void Form::FocusFirstControl() {
    if (peer_->firstFocus != nullptr && IsWindowVisible(peer_->firstFocus)) {
        SetFocus(peer_->firstFocus);
    }
}

void Form::Show() {
    ShowWindow(peer_->hwnd, SW_SHOW);
    UpdateWindow(peer_->hwnd);
    FocusFirstControl();
}

void Form::Close() {
    SendMessageW(peer_->hwnd, WM_CLOSE, 0, 0);
}

std::int32_t Form::hWnd() const {
    return static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(peer_->hwnd));
}

}  // namespace toolkit

#include "platform/toolkit/win32/PaintedWindow.h"

#include "platform/toolkit/win32/Peers.h"

namespace toolkit::win32 {

const wchar_t* PaintedWindowClass() {
    static const wchar_t* const name = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.style = CS_HREDRAW | CS_VREDRAW;
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"QuorvanePainted";
        RegisterClassExW(&windowClass);
        return windowClass.lpszClassName;
    }();
    return name;
}

HBRUSH FormBackground(HWND control) {
    const FormPeer* form = FormPeerOf(GetParent(control));
    return form != nullptr && form->background != nullptr ? form->background
                                                          : GetSysColorBrush(COLOR_BTNFACE);
}

}  // namespace toolkit::win32

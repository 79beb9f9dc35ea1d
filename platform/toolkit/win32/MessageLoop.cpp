#include "platform/toolkit/win32/MessageLoop.h"

#include "platform/toolkit/win32/Peers.h"

namespace toolkit::win32 {

int RunMessageLoop(const Form& form) {
    HWND window = form.Peer().hwnd;
    MSG message{};
    while (IsWindowVisible(window) && GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageW(window, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return message.message == WM_QUIT ? static_cast<int>(message.wParam) : 0;
}

}  // namespace toolkit::win32

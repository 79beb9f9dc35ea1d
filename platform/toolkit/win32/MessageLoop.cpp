#include "platform/toolkit/win32/MessageLoop.h"

#include "platform/toolkit/win32/Peers.h"

namespace toolkit::win32 {

int RunMessageLoop(const Form& form) {
    HWND window = form.Peer().hwnd;
    MSG message{};
    while (IsWindowVisible(window) && GetMessageW(&message, nullptr, 0, 0) > 0) {
        DeliverMessage(form, message);
    }
    return message.message == WM_QUIT ? static_cast<int>(message.wParam) : 0;
}

void DeliverMessage(const Form& form, MSG& message) {
    if (!IsDialogMessageW(form.Peer().hwnd, &message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace toolkit::win32

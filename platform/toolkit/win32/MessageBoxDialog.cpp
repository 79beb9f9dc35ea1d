#include "platform/toolkit/RealDialogs.h"
#include "platform/toolkit/win32/DialogOwner.h"
#include "platform/toolkit/win32/WideText.h"

namespace toolkit {

namespace {

// The icon bits of a style (16 critical, 32 question, 48 exclamation, 64 information) are
// MessageBoxW's own; only an OK button is offered.
constexpr UINT kIconBits = 0xF0;

}  // namespace

void ShowMessageBoxDialog(const MessageBoxRequest& request) {
    const UINT style = (static_cast<UINT>(request.style) & kIconBits) | MB_OK;
    MessageBoxW(win32::DialogOwnerWindow(), win32::Wide(request.text).c_str(),
                win32::Wide(request.title).c_str(), style);
}

}  // namespace toolkit

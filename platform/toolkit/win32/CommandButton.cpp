#include "platform/toolkit/CommandButton.h"

#include "platform/toolkit/win32/Peers.h"
#include "platform/toolkit/win32/WideText.h"

namespace toolkit {

CommandButton::CommandButton(Form& owner)
    : Control(owner, std::make_unique<ControlPeer>(L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP)) {
    Peer().notified = [this](int code) {
        if (code == BN_CLICKED) {
            RaiseUserEvent(Click);
        }
    };
}

std::string CommandButton::Caption() const {
    return caption_;
}

void CommandButton::SetCaption(const std::string& caption) {
    caption_ = caption;
    // No access keys: an "&" shows as itself.
    std::wstring shown;
    for (wchar_t c : win32::Wide(caption)) {
        shown += c;
        if (c == L'&') {
            shown += L'&';
        }
    }
    SetWindowTextW(win32::WindowOf(*this), shown.c_str());
}

}  // namespace toolkit

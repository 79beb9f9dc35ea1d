#include "platform/toolkit/DriveListBox.h"

#include "platform/toolkit/Volumes.h"
#include "platform/toolkit/win32/Peers.h"
#include "platform/toolkit/win32/WideText.h"

namespace toolkit {

namespace {

// The drop-down's height with its list open.
constexpr int kDroppedHeightPixels = 200;
constexpr DWORD kComboStyle = CBS_DROPDOWNLIST | CBS_HASSTRINGS | WS_VSCROLL | WS_TABSTOP;

}  // namespace

DriveListBox::DriveListBox(Form& owner)
    : Control(owner, std::make_unique<ControlPeer>(L"COMBOBOX", kComboStyle)),
      volumes_(CurrentVolumes()) {
    Peer().droppedHeight = kDroppedHeightPixels;
    HWND combo = win32::WindowOf(*this);
    for (const Volume& volume : volumes_) {
        SendMessageW(combo, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(win32::Wide(DriveText(volume)).c_str()));
    }
    ChooseWorkingVolume();
    // A pick in the open list (confirmed, or left selected as it closes), or an arrow key on the
    // closed one: the user's choice. UserPicked ignores the entry already chosen.
    Peer().notified = [this, combo](int code) {
        const bool dropped = SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) != 0;
        if (code == CBN_SELENDOK || code == CBN_CLOSEUP || (code == CBN_SELCHANGE && !dropped)) {
            UserPicked(static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0)));
        }
    };
}

void DriveListBox::ShowChoice(int index) {
    SendMessageW(win32::WindowOf(*this), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

}  // namespace toolkit

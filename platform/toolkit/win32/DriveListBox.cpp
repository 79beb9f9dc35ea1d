#include "platform/toolkit/DriveListBox.h"

#include "platform/runtime/RuntimeError.h"
#include "platform/toolkit/PathText.h"
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
    chosen_ = VolumeHolding(volumes_, path_text::WorkingDirectory());
    if (chosen_ < 0 && !volumes_.empty()) {
        chosen_ = 0;
    }
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(chosen_), 0);
    // A pick in the open list (confirmed, or left selected as it closes), or an arrow key on the
    // closed one: the user's choice. UserPicked ignores the entry already chosen.
    Peer().notified = [this, combo](int code) {
        const bool dropped = SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) != 0;
        if (code == CBN_SELENDOK || code == CBN_CLOSEUP || (code == CBN_SELCHANGE && !dropped)) {
            UserPicked(static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0)));
        }
    };
}

std::string DriveListBox::Drive() const {
    return chosen_ < 0 ? std::string() : DriveText(volumes_[static_cast<std::size_t>(chosen_)]);
}

void DriveListBox::SetDrive(const std::string& drive) {
    const std::string root = DriveRootOf(drive);
    const int holder = VolumeHolding(volumes_, path_text::Normalise(root.empty() ? drive : root));
    if (holder < 0) {
        runtime::Raise(runtime::errDeviceUnavailable);
    }
    if (holder == chosen_) {
        return;
    }
    chosen_ = holder;
    SendMessageW(win32::WindowOf(*this), CB_SETCURSEL, static_cast<WPARAM>(holder), 0);
    runtime::RaiseEvent(Change);
}

void DriveListBox::UserPicked(int index) {
    if (index < 0 || index == chosen_) {
        return;
    }
    chosen_ = index;
    RaiseUserEvent(Change);
}

}  // namespace toolkit

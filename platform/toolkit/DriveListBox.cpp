// The drive list's own logic: which volume is chosen, how a drive's text is chosen in code, and a
// user's pick. Each backend's half makes the drop-down and shows the choice.
#include "platform/toolkit/DriveListBox.h"

#include "platform/runtime/RuntimeError.h"
#include "platform/toolkit/PathText.h"
#include "platform/toolkit/UserEvent.h"
#include "platform/toolkit/Volumes.h"

namespace toolkit {

void DriveListBox::ChooseWorkingVolume() {
    chosen_ = VolumeHolding(volumes_, path_text::WorkingDirectory());
    if (chosen_ < 0 && !volumes_.empty()) {
        chosen_ = 0;
    }
    ShowChoice(chosen_);
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
    ShowChoice(holder);
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

#include "platform/toolkit/DriveListBox.h"

#include <QComboBox>
#include <QFile>

#include "platform/runtime/RuntimeError.h"
#include "platform/toolkit/PathText.h"
#include "platform/toolkit/Volumes.h"
#include "platform/toolkit/qt/Peers.h"

namespace toolkit {

namespace {

// The drop-down keeps this height whatever height it is placed with.
constexpr int kComboHeightPixels = 21;

QComboBox& ComboOf(const DriveListBox& drives) {
    return static_cast<QComboBox&>(*qt::WidgetOf(drives));
}

}  // namespace

DriveListBox::DriveListBox(Form& owner)
    : Control(owner, std::make_unique<ControlPeer>(new QComboBox)), volumes_(CurrentVolumes()) {
    QComboBox& combo = ComboOf(*this);
    combo.setFixedHeight(kComboHeightPixels);
    combo.setFocusPolicy(Qt::StrongFocus);
    combo.setEditable(false);
    for (const Volume& volume : volumes_) {
        combo.addItem(QFile::decodeName(QByteArray::fromStdString(DriveText(volume))));
    }
    chosen_ = VolumeHolding(volumes_, path_text::WorkingDirectory());
    if (chosen_ < 0 && !volumes_.empty()) {
        chosen_ = 0;
    }
    combo.setCurrentIndex(chosen_);
    // activated comes from the user only; RaiseUserEvent lets nothing escape into Qt.
    QObject::connect(&combo, &QComboBox::activated, &combo,
                     [this](int index) { UserPicked(index); });
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
    ComboOf(*this).setCurrentIndex(holder);
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

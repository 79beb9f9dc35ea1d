#include "platform/toolkit/DriveListBox.h"

#include <QComboBox>
#include <QFile>

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
    ChooseWorkingVolume();
    // activated comes from the user only; RaiseUserEvent lets nothing escape into Qt.
    QObject::connect(&combo, &QComboBox::activated, &combo,
                     [this](int index) { UserPicked(index); });
}

void DriveListBox::ShowChoice(int index) {
    ComboOf(*this).setCurrentIndex(index);
}

}  // namespace toolkit

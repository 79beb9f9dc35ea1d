// The file list's Qt half: an entry list widget, filled with the names.
#include <QFile>

#include "platform/toolkit/FileListBox.h"
#include "platform/toolkit/qt/EntryListWidget.h"
#include "platform/toolkit/qt/Peers.h"

namespace toolkit {

FileListBox::FileListBox(Form& owner)
    : Control(owner, std::make_unique<ControlPeer>(new EntryListWidget)) {
    EntryListOf(*this).shown = [this] {
        if (widgetStale_) {
            ShowNames();
        }
    };
    StartInWorkingDirectory();
}

bool FileListBox::WidgetShown() const {
    return EntryListOf(*this).isVisible();
}

void FileListBox::FillWidget(std::span<const std::string> names) {
    EntryListWidget& list = EntryListOf(*this);
    if (list.count() > 0) {
        list.clear();
    }
    for (const std::string& name : names) {
        list.addItem(QFile::decodeName(QByteArray::fromStdString(name)));
    }
}

}  // namespace toolkit

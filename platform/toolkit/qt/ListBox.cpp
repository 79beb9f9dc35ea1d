// The list box's widget on Qt: an entry list whose user presses, key moves and double-clicks
// raise the list's events.
#include "platform/toolkit/ListBox.h"

#include <QFile>

#include "platform/toolkit/qt/EntryListWidget.h"
#include "platform/toolkit/qt/Peers.h"

namespace toolkit {

ListBox::ListBox(Form& owner) : Control(owner, std::make_unique<ControlPeer>(new EntryListWidget)) {
    EntryListOf(*this).entryPressed = [this] { RaiseUserEvent(Click); };
    EntryListOf(*this).selectionMovedByKey = [this] { RaiseUserEvent(Click); };
    EntryListOf(*this).entryDoubleClicked = [this] { RaiseUserEvent(DblClick); };
}

void ListBox::ClearRows() {
    EntryListOf(*this).clear();
}

void ListBox::AppendRow(const std::string& text) {
    EntryListOf(*this).addItem(QFile::decodeName(QByteArray::fromStdString(text)));
}

int ListBox::SelectedRow() const {
    return EntryListOf(*this).SelectedRow();
}

void ListBox::SelectRow(int row) {
    EntryListOf(*this).SelectRow(row);
}

}  // namespace toolkit

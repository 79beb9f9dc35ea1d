#include "platform/toolkit/ListBox.h"

#include <QFile>

#include "platform/runtime/RuntimeError.h"
#include "platform/toolkit/qt/EntryListWidget.h"
#include "platform/toolkit/qt/Peers.h"

namespace toolkit {

namespace {

// Indexes 0 to 32767.
constexpr std::size_t kCapacity = 32768;

}  // namespace

ListBox::ListBox(Form& owner) : Control(owner, std::make_unique<ControlPeer>(new EntryListWidget)) {
    EntryListOf(*this).entryPressed = [this] { RaiseUserEvent(Click); };
    EntryListOf(*this).selectionMovedByKey = [this] { RaiseUserEvent(Click); };
    EntryListOf(*this).entryDoubleClicked = [this] { RaiseUserEvent(DblClick); };
}

void ListBox::Clear() {
    EntryListOf(*this).clear();
    entries_.clear();
}

void ListBox::AddItem(const std::string& text) {
    if (entries_.size() >= kCapacity) {
        runtime::Raise(runtime::errOutOfMemory);
    }
    entries_.push_back(text);
    EntryListOf(*this).addItem(QFile::decodeName(QByteArray::fromStdString(text)));
}

runtime::Integer ListBox::ListCount() const {
    return runtime::Integer::From(static_cast<std::int64_t>(entries_.size()));
}

runtime::Integer ListBox::ListIndex() const {
    return runtime::Integer::From(EntryListOf(*this).SelectedRow());
}

void ListBox::SetListIndex(runtime::Integer index) {
    if (index < runtime::Integer(-1) ||
        index.Value() >= static_cast<std::int64_t>(entries_.size())) {
        runtime::Raise(runtime::errInvalidPropertyValue);
    }
    EntryListOf(*this).SelectRow(index.Value());
    runtime::RaiseEvent(Click);
}

std::string ListBox::Text() const {
    const int selected = EntryListOf(*this).SelectedRow();
    return selected < 0 ? std::string() : entries_[static_cast<std::size_t>(selected)];
}

std::string ListBox::List(runtime::Integer index) const {
    if (index < runtime::Integer(0) ||
        index.Value() >= static_cast<std::int64_t>(entries_.size())) {
        runtime::Raise(runtime::errSubscriptOutOfRange);
    }
    return entries_[static_cast<std::size_t>(index.Value())];
}

}  // namespace toolkit

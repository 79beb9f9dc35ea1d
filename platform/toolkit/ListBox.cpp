// The list box's entries, capacity, selection and events; the backend keeps the widget's rows.
#include "platform/toolkit/ListBox.h"

#include "platform/runtime/RuntimeError.h"

namespace toolkit {

namespace {

// Indexes 0 to 32767.
constexpr std::size_t kCapacity = 32768;

}  // namespace

void ListBox::Clear() {
    ClearRows();
    entries_.clear();
}

void ListBox::AddItem(const std::string& text) {
    if (entries_.size() >= kCapacity) {
        runtime::Raise(runtime::errOutOfMemory);
    }
    entries_.push_back(text);
    AppendRow(text);
}

runtime::Integer ListBox::ListCount() const {
    return runtime::Integer::From(static_cast<std::int64_t>(entries_.size()));
}

runtime::Integer ListBox::ListIndex() const {
    return runtime::Integer::From(SelectedRow());
}

void ListBox::SetListIndex(runtime::Integer index) {
    if (index < runtime::Integer(-1) ||
        index.Value() >= static_cast<std::int64_t>(entries_.size())) {
        runtime::Raise(runtime::errInvalidPropertyValue);
    }
    SelectRow(static_cast<int>(index.Value()));
    runtime::RaiseEvent(Click);
}

std::string ListBox::Text() const {
    const int selected = SelectedRow();
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

#include "platform/toolkit/ListBox.h"

#include "platform/runtime/RuntimeError.h"
#include "platform/toolkit/win32/ListWindow.h"
#include "platform/toolkit/win32/Peers.h"

namespace toolkit {

namespace {

// Indexes 0 to 32767.
constexpr std::size_t kCapacity = 32768;
constexpr DWORD kListStyle =
    LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP;

}  // namespace

ListBox::ListBox(Form& owner)
    : Control(owner, std::make_unique<ControlPeer>(L"LISTBOX", kListStyle, WS_EX_CLIENTEDGE)) {
    // A selection made in code sends no notification: these come from the user only.
    Peer().notified = [this](int code) {
        if (code == LBN_SELCHANGE) {
            RaiseUserEvent(Click);
        } else if (code == LBN_DBLCLK) {
            RaiseUserEvent(DblClick);
        }
    };
}

void ListBox::Clear() {
    win32::ClearListBox(win32::WindowOf(*this));
    entries_.clear();
}

void ListBox::AddItem(const std::string& text) {
    if (entries_.size() >= kCapacity) {
        runtime::Raise(runtime::errOutOfMemory);
    }
    entries_.push_back(text);
    win32::AddListEntry(win32::WindowOf(*this), text);
}

runtime::Integer ListBox::ListCount() const {
    return runtime::Integer::From(static_cast<std::int64_t>(entries_.size()));
}

runtime::Integer ListBox::ListIndex() const {
    return runtime::Integer::From(win32::SelectedRow(win32::WindowOf(*this)));
}

void ListBox::SetListIndex(runtime::Integer index) {
    if (index < runtime::Integer(-1) ||
        index.Value() >= static_cast<std::int64_t>(entries_.size())) {
        runtime::Raise(runtime::errInvalidPropertyValue);
    }
    win32::SelectRow(win32::WindowOf(*this), index.Value());
    runtime::RaiseEvent(Click);
}

std::string ListBox::Text() const {
    const int selected = win32::SelectedRow(win32::WindowOf(*this));
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

#include "platform/toolkit/ListBox.h"

#include "platform/toolkit/win32/ListWindow.h"
#include "platform/toolkit/win32/Peers.h"
#include "platform/toolkit/win32/RedrawDeferral.h"

namespace toolkit {

ListBox::ListBox(Form& owner) : Control(owner, win32::MakeListPeer()) {
    // A selection made in code sends no notification: these come from the user only.
    Peer().notified = [this](int code) {
        if (code == LBN_SELCHANGE) {
            RaiseUserEvent(Click);
        } else if (code == LBN_DBLCLK) {
            RaiseUserEvent(DblClick);
        }
    };
}

void ListBox::ClearRows() {
    win32::ClearListBox(win32::WindowOf(*this));
}

void ListBox::AppendRow(const std::string& text) {
    // Entries come one by one from code (a scan, a load): the list redraws once they are all in.
    win32::DeferRedrawUntilIdle(Peer());
    win32::AddListEntry(win32::WindowOf(*this), text);
}

int ListBox::SelectedRow() const {
    return win32::SelectedRow(win32::WindowOf(*this));
}

void ListBox::SelectRow(int row) {
    win32::SelectRow(win32::WindowOf(*this), row);
}

}  // namespace toolkit

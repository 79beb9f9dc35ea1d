// The file list's Win32 half: a LISTBOX window, filled with the names.
#include "platform/toolkit/FileListBox.h"
#include "platform/toolkit/win32/ListWindow.h"
#include "platform/toolkit/win32/Peers.h"
#include "platform/toolkit/win32/RedrawDeferral.h"

namespace toolkit {

FileListBox::FileListBox(Form& owner) : Control(owner, win32::MakeListPeer()) {
    Peer().shown = [this] {
        if (widgetStale_) {
            ShowNames();
        }
    };
    StartInWorkingDirectory();
}

bool FileListBox::WidgetShown() const {
    return Visible();
}

void FileListBox::FillWidget(std::span<const std::string> names) {
    HWND list = win32::WindowOf(*this);
    const win32::QuietFill quiet(list);
    win32::ClearListBox(list);
    for (const std::string& name : names) {
        win32::AddListEntry(list, name);
    }
}

}  // namespace toolkit

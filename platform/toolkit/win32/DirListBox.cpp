#include "platform/toolkit/DirListBox.h"

#include "platform/runtime/RuntimeError.h"
#include "platform/toolkit/PathText.h"
#include "platform/toolkit/win32/FolderPictures.h"
#include "platform/toolkit/win32/ListWindow.h"
#include "platform/toolkit/win32/Peers.h"
#include "platform/toolkit/win32/RedrawDeferral.h"
#include "platform/toolkit/win32/WideText.h"

namespace toolkit {

namespace {

constexpr int kRowHeight = 16;
constexpr int kIndentPixels = 7;
constexpr int kPictureWidth = 20;

// The root of a normalised path: "c:\".
std::string RootOf(const std::string& path) {
    return path.substr(0, 3);
}

// One row: its folder picture and name, indented by its level, highlighted when selected.
void DrawRow(const DRAWITEMSTRUCT& item) {
    if (item.itemID == static_cast<UINT>(-1)) {
        return;
    }
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const LPARAM data = SendMessageW(item.hwndItem, LB_GETITEMDATA, item.itemID, 0);
    const int level = static_cast<int>(data >> 1);
    const bool open = (data & 1) != 0;
    const LONG left = item.rcItem.left + 2 + level * kIndentPixels;
    win32::DrawFolder(item.hDC, {left, item.rcItem.top + 1}, open);
    const LRESULT length = SendMessageW(item.hwndItem, LB_GETTEXTLEN, item.itemID, 0);
    std::wstring text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
    SendMessageW(item.hwndItem, LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(text.data()));
    RECT textBox = item.rcItem;
    textBox.left = left + kPictureWidth;
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    DrawTextW(item.hDC, text.c_str(), -1, &textBox,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if ((item.itemState & ODS_FOCUS) != 0) {
        DrawFocusRect(item.hDC, &item.rcItem);
    }
}

LPARAM RowData(int level, bool open) {
    return static_cast<LPARAM>(level) << 1 | (open ? 1 : 0);
}

}  // namespace

// Whether the directory can be read: an unready drive or an unreachable share cannot.
bool DirListBox::CanOpenDirectory(const std::string& path) {
    WIN32_FIND_DATAW found{};
    const std::wstring pattern = win32::Wide(path.back() == '\\' ? path + "*" : path + "\\*");
    HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return GetLastError() == ERROR_FILE_NOT_FOUND;  // readable, only empty
    }
    FindClose(search);
    return true;
}

// The normalised path of an existing directory; 76 when there is none, 75 when it cannot be
// looked at.
std::string DirListBox::ExistingDirectory(const std::string& path) {
    const std::string directory = path_text::Normalise(path);
    if (directory.empty()) {
        runtime::Raise(runtime::errPathNotFound);
    }
    const DWORD attributes = GetFileAttributesW(win32::Wide(directory).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        runtime::Raise(GetLastError() == ERROR_ACCESS_DENIED ? runtime::errPathFileAccess
                                                             : runtime::errPathNotFound);
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        runtime::Raise(runtime::errPathNotFound);
    }
    return directory;
}

DirListBox::DirListBox(Form& owner) : Control(owner, win32::MakeListPeer(LBS_OWNERDRAWFIXED)) {
    HWND list = win32::WindowOf(*this);
    SendMessageW(list, LB_SETITEMHEIGHT, 0, kRowHeight);
    Peer().drawItem = DrawRow;
    Peer().notified = [this](int code) {
        if (code == LBN_DBLCLK) {
            OpenSelected();
        }
    };
    // Enter opens the entry rather than going to the dialog manager.
    Peer().message = [this](UINT message, WPARAM key, LPARAM, LRESULT& result) {
        if (message == WM_GETDLGCODE && key == VK_RETURN) {
            result = DLGC_WANTALLKEYS;
            return true;
        }
        if (message == WM_KEYDOWN && key == VK_RETURN) {
            OpenSelected();
            return true;
        }
        return false;
    };
    StartInWorkingDirectory();
}

void DirListBox::FillWidget(const std::string& directory) {
    HWND list = win32::WindowOf(*this);
    const win32::QuietFill quiet(list);
    win32::ClearListBox(list);
    win32::AddListEntry(list, RootOf(directory), RowData(0, true));
    for (std::size_t level = 1; level <= components_.size(); ++level) {
        win32::AddListEntry(list, components_[level - 1], RowData(static_cast<int>(level), true));
    }
    for (const std::string& name : subdirectories_) {
        win32::AddListEntry(list, name, RowData(HierarchyRows(), false));
    }
}

int DirListBox::SelectedRow() const {
    return win32::SelectedRow(win32::WindowOf(*this));
}

void DirListBox::SelectRow(int row) {
    win32::SelectRow(win32::WindowOf(*this), row);
}

std::string DirListBox::PathOfRow(int row) const {
    if (row < HierarchyRows()) {
        return RootOf(path_) +
               path_text::Prefix(components_, static_cast<std::size_t>(row)).substr(1);
    }
    const std::string& name = subdirectories_[static_cast<std::size_t>(row - HierarchyRows())];
    return path_.back() == '\\' ? path_ + name : path_ + "\\" + name;
}

}  // namespace toolkit

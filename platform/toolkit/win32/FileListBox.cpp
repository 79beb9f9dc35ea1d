#include "platform/toolkit/FileListBox.h"

#include <cerrno>
#include <utility>

#include "platform/runtime/RuntimeError.h"
#include "platform/toolkit/DirectoryListing.h"
#include "platform/toolkit/NamePattern.h"
#include "platform/toolkit/PathText.h"
#include "platform/toolkit/win32/ListWindow.h"
#include "platform/toolkit/win32/Peers.h"

namespace toolkit {

namespace {

constexpr std::size_t kMaxNames = 32767;
constexpr DWORD kListStyle =
    LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP;

[[noreturn]] void RaiseListingError(int error) {
    runtime::Raise(error == ENOENT || error == ENOTDIR ? runtime::errPathNotFound
                                                       : runtime::errPathFileAccess);
}

}  // namespace

FileListBox::FileListBox(Form& owner)
    : Control(owner, std::make_unique<ControlPeer>(L"LISTBOX", kListStyle, WS_EX_CLIENTEDGE)) {
    Peer().shown = [this] {
        if (widgetStale_) {
            ShowNames();
        }
    };
    // It starts in the working directory; one that cannot be read leaves it empty, with no path.
    try {
        Relist(path_text::WorkingDirectory());
    } catch (const runtime::RuntimeError&) {
    }
}

FileListBox::~FileListBox() = default;

void FileListBox::SetPattern(const std::string& pattern) {
    const std::string previous = std::exchange(pattern_, pattern);
    if (path_.empty()) {
        return;
    }
    try {
        Relist(path_);
    } catch (...) {
        pattern_ = previous;
        throw;
    }
}

void FileListBox::SetPath(const std::string& path) {
    const std::string directory = path_text::Normalise(path);
    if (directory.empty()) {
        runtime::Raise(runtime::errPathNotFound);
    }
    Relist(directory);
}

void FileListBox::Relist(const std::string& path) {
    const NamePattern pattern(pattern_);
    directory_listing::Listing listing = directory_listing::ListDirectory(
        path, directory_listing::EntryKind::RegularFile,
        [&pattern](const std::string& name) { return pattern.Matches(name); }, kMaxNames);
    if (listing.error != 0) {
        RaiseListingError(listing.error);
    }
    path_ = path;
    names_ = std::move(listing.names);
    ShowNames();
}

void FileListBox::ShowNames() {
    HWND list = win32::WindowOf(*this);
    // A hidden list is filled when it shows.
    if (!Visible()) {
        widgetStale_ = true;
        win32::ClearListBox(list);
        return;
    }
    widgetStale_ = false;
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    win32::ClearListBox(list);
    for (const std::string& name : names_) {
        win32::AddListEntry(list, name);
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

runtime::Integer FileListBox::ListCount() const {
    return runtime::Integer::From(static_cast<std::int64_t>(names_.size()));
}

std::string FileListBox::List(runtime::Integer index) const {
    if (index < runtime::Integer(0) || index.Value() >= static_cast<std::int64_t>(names_.size())) {
        runtime::Raise(runtime::errSubscriptOutOfRange);
    }
    return names_[static_cast<std::size_t>(index.Value())];
}

}  // namespace toolkit

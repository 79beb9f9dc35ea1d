// The directory list's own logic: where it is, what it lists, how it moves and what its indexes
// name. Each backend's half makes the list, fills it, and knows the file system's paths
// (qt/DirListBox.cpp, win32/DirListBox.cpp).
#include "platform/toolkit/DirListBox.h"

#include <optional>

#include "platform/runtime/RuntimeError.h"
#include "platform/toolkit/DirectoryListing.h"
#include "platform/toolkit/DriveDirectories.h"
#include "platform/toolkit/DriveListBox.h"
#include "platform/toolkit/PathText.h"

namespace toolkit {

namespace {

constexpr std::size_t kMaxSubdirectories = 32767;

}  // namespace

// A drive's current directory: the one last shown on it while it can still be opened, else its
// root; 68 when neither can be opened.
std::string DirListBox::DriveDirectory(const std::string& root) {
    const std::string normalisedRoot = path_text::Normalise(root);
    if (const std::optional<std::string> recalled = drive_directories::Recalled(normalisedRoot)) {
        if (CanOpenDirectory(*recalled)) {
            return *recalled;
        }
    }
    if (CanOpenDirectory(normalisedRoot)) {
        return normalisedRoot;
    }
    runtime::Raise(runtime::errDeviceUnavailable);
}

void DirListBox::StartInWorkingDirectory() {
    const std::string start = path_text::WorkingDirectory();
    path_ = start;
    Show(start);
    drive_directories::Remember(start);
}

void DirListBox::SetPath(const std::string& path) {
    const std::string root = DriveRootOf(path);
    const std::string directory = root.empty() ? ExistingDirectory(path) : DriveDirectory(root);
    if (MoveTo(directory)) {
        runtime::RaiseEvent(Change);
    }
}

bool DirListBox::MoveTo(const std::string& directory) {
    const bool changed = directory != path_;
    path_ = directory;
    Show(directory);
    if (changed) {
        drive_directories::Remember(directory);
    }
    return changed;
}

void DirListBox::Show(const std::string& directory) {
    components_ = path_text::Components(directory);
    // A directory that cannot be read shows no subdirectories.
    subdirectories_ =
        directory_listing::ListDirectory(directory, directory_listing::EntryKind::Directory, {},
                                         kMaxSubdirectories)
            .names;
    FillWidget(directory);
    SelectRow(HierarchyRows() - 1);
}

void DirListBox::OpenSelected() {
    RaiseUserEvent([this] {
        const int row = SelectedRow();
        if (row < 0) {
            return;
        }
        if (MoveTo(ExistingDirectory(PathOfRow(row)))) {
            runtime::RaiseEvent(Change);
        }
    });
}

runtime::Integer DirListBox::ListCount() const {
    return runtime::Integer::From(static_cast<std::int64_t>(subdirectories_.size()));
}

runtime::Integer DirListBox::ListIndex() const {
    const int row = SelectedRow();
    return row < 0 ? runtime::Integer(-1) : runtime::Integer::From(row - HierarchyRows());
}

int DirListBox::RowOf(runtime::Integer index) const {
    const int row = index.Value() + HierarchyRows();
    const int rows = HierarchyRows() + static_cast<int>(subdirectories_.size());
    return row >= 0 && row < rows ? row : -1;
}

void DirListBox::SetListIndex(runtime::Integer index) {
    const int row = RowOf(index);
    if (row < 0) {
        runtime::Raise(runtime::errInvalidPropertyValue);
    }
    SelectRow(row);
}

std::string DirListBox::List(runtime::Integer index) const {
    const int row = RowOf(index);
    if (row < 0) {
        runtime::Raise(runtime::errSubscriptOutOfRange);
    }
    return PathOfRow(row);
}

}  // namespace toolkit

// The file list's own logic: the directory, the pattern, the names. Each backend's half makes the
// widget and fills it (qt/FileListBox.cpp, win32/FileListBox.cpp).
#include "platform/toolkit/FileListBox.h"

#include <cerrno>
#include <utility>

#include "platform/runtime/RuntimeError.h"
#include "platform/toolkit/DirectoryListing.h"
#include "platform/toolkit/NamePattern.h"
#include "platform/toolkit/PathText.h"

namespace toolkit {

namespace {

constexpr std::size_t kMaxNames = 32767;

[[noreturn]] void RaiseListingError(int error) {
    runtime::Raise(error == ENOENT || error == ENOTDIR ? runtime::errPathNotFound
                                                       : runtime::errPathFileAccess);
}

}  // namespace

FileListBox::~FileListBox() = default;

void FileListBox::StartInWorkingDirectory() {
    // One that cannot be read leaves the list empty, with no path.
    try {
        Relist(path_text::WorkingDirectory());
    } catch (const runtime::RuntimeError&) {
    }
}

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
    // A hidden list is filled when it shows.
    widgetStale_ = !WidgetShown();
    FillWidget(widgetStale_ ? std::span<const std::string>()
                            : std::span<const std::string>(names_));
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

#include "platform/toolkit/FileListBox.h"

#include <QFile>
#include <cerrno>

#include "platform/runtime/RuntimeError.h"
#include "platform/toolkit/DirectoryListing.h"
#include "platform/toolkit/NamePattern.h"
#include "platform/toolkit/PathText.h"
#include "platform/toolkit/qt/EntryListWidget.h"
#include "platform/toolkit/qt/Peers.h"

namespace toolkit {

namespace {

constexpr std::size_t kMaxNames = 32767;

[[noreturn]] void RaiseListingError(int error) {
    runtime::Raise(error == ENOENT || error == ENOTDIR ? runtime::errPathNotFound
                                                       : runtime::errPathFileAccess);
}

}  // namespace

FileListBox::FileListBox(Form& owner)
    : Control(owner, std::make_unique<ControlPeer>(new EntryListWidget)) {
    EntryListOf(*this).shown = [this] {
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
    EntryListWidget& list = EntryListOf(*this);
    if (!list.isVisible()) {
        widgetStale_ = true;
        if (list.count() > 0) {
            list.clear();
        }
        return;
    }
    widgetStale_ = false;
    list.clear();
    for (const std::string& name : names_) {
        list.addItem(QFile::decodeName(QByteArray::fromStdString(name)));
    }
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

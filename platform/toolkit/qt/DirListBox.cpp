#include "platform/toolkit/DirListBox.h"

#include <dirent.h>
#include <sys/stat.h>

#include <QApplication>
#include <QFile>
#include <QStyle>
#include <cerrno>

#include "platform/runtime/RuntimeError.h"
#include "platform/toolkit/DirectoryListing.h"
#include "platform/toolkit/DriveDirectories.h"
#include "platform/toolkit/DriveListBox.h"
#include "platform/toolkit/PathText.h"
#include "platform/toolkit/qt/EntryListWidget.h"
#include "platform/toolkit/qt/IndentedItemDelegate.h"
#include "platform/toolkit/qt/Peers.h"

namespace toolkit {

namespace {

constexpr std::size_t kMaxSubdirectories = 32767;

bool CanOpenDirectory(const std::string& path) {
    DIR* directory = ::opendir(path.c_str());
    if (directory == nullptr) {
        return false;
    }
    ::closedir(directory);
    return true;
}

// A drive's current directory: the one last shown on it while it can still be opened, else its
// root; 68 when neither can be opened.
std::string DriveDirectory(const std::string& root) {
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

// The normalised path of an existing directory; 76 when there is none, 75 when it cannot be
// looked at.
std::string ExistingDirectory(const std::string& path) {
    const std::string directory = path_text::Normalise(path);
    struct stat status {};
    if (directory.empty()) {
        runtime::Raise(runtime::errPathNotFound);
    }
    if (::stat(directory.c_str(), &status) != 0) {
        runtime::Raise(errno == EACCES ? runtime::errPathFileAccess : runtime::errPathNotFound);
    }
    if (!S_ISDIR(status.st_mode)) {
        runtime::Raise(runtime::errPathNotFound);
    }
    return directory;
}

QListWidgetItem* MakeEntry(const QString& text, const QIcon& icon, int level) {
    auto* entry = new QListWidgetItem(icon, text);
    entry->setData(IndentedItemDelegate::kLevelRole, level);
    return entry;
}

QString Shown(const std::string& name) {
    return QFile::decodeName(QByteArray::fromStdString(name));
}

}  // namespace

DirListBox::DirListBox(Form& owner)
    : Control(owner, std::make_unique<ControlPeer>(new EntryListWidget)) {
    EntryListWidget& list = EntryListOf(*this);
    list.setItemDelegate(new IndentedItemDelegate(&list));
    list.entryDoubleClicked = [this] { OpenSelected(); };
    list.enterPressed = [this] { OpenSelected(); };
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

    EntryListWidget& list = EntryListOf(*this);
    const QStyle* style = list.style() != nullptr ? list.style() : QApplication::style();
    const QIcon open = style->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style->standardIcon(QStyle::SP_DirClosedIcon);
    list.clear();
    list.addItem(MakeEntry(QStringLiteral("/"), open, 0));
    for (std::size_t level = 1; level <= components_.size(); ++level) {
        list.addItem(MakeEntry(Shown(components_[level - 1]), open, static_cast<int>(level)));
    }
    const int subdirectoryLevel = HierarchyRows();
    for (const std::string& name : subdirectories_) {
        list.addItem(MakeEntry(Shown(name), closed, subdirectoryLevel));
    }
    list.SelectRow(HierarchyRows() - 1);
}

void DirListBox::OpenSelected() {
    RaiseUserEvent([this] {
        const int row = EntryListOf(*this).SelectedRow();
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
    const int row = EntryListOf(*this).SelectedRow();
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
    EntryListOf(*this).SelectRow(row);
}

std::string DirListBox::List(runtime::Integer index) const {
    const int row = RowOf(index);
    if (row < 0) {
        runtime::Raise(runtime::errSubscriptOutOfRange);
    }
    return PathOfRow(row);
}

std::string DirListBox::PathOfRow(int row) const {
    if (row < HierarchyRows()) {
        return path_text::Prefix(components_, static_cast<std::size_t>(row));
    }
    const std::string& name = subdirectories_[static_cast<std::size_t>(row - HierarchyRows())];
    return path_ == "/" ? "/" + name : path_ + "/" + name;
}

}  // namespace toolkit

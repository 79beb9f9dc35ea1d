#include "platform/toolkit/DirListBox.h"

#include <dirent.h>
#include <sys/stat.h>

#include <QApplication>
#include <QFile>
#include <QStyle>
#include <cerrno>

#include "platform/runtime/RuntimeError.h"
#include "platform/toolkit/PathText.h"
#include "platform/toolkit/qt/EntryListWidget.h"
#include "platform/toolkit/qt/IndentedItemDelegate.h"
#include "platform/toolkit/qt/Peers.h"

namespace toolkit {

namespace {

QListWidgetItem* MakeEntry(const QString& text, const QIcon& icon, int level) {
    auto* entry = new QListWidgetItem(icon, text);
    entry->setData(IndentedItemDelegate::kLevelRole, level);
    return entry;
}

QString Shown(const std::string& name) {
    return QFile::decodeName(QByteArray::fromStdString(name));
}

}  // namespace

bool DirListBox::CanOpenDirectory(const std::string& path) {
    DIR* directory = ::opendir(path.c_str());
    if (directory == nullptr) {
        return false;
    }
    ::closedir(directory);
    return true;
}

// The normalised path of an existing directory; 76 when there is none, 75 when it cannot be
// looked at.
std::string DirListBox::ExistingDirectory(const std::string& path) {
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

DirListBox::DirListBox(Form& owner)
    : Control(owner, std::make_unique<ControlPeer>(new EntryListWidget)) {
    EntryListWidget& list = EntryListOf(*this);
    list.setItemDelegate(new IndentedItemDelegate(&list));
    list.entryDoubleClicked = [this] { OpenSelected(); };
    list.enterPressed = [this] { OpenSelected(); };
    StartInWorkingDirectory();
}

void DirListBox::FillWidget(const std::string& /*directory*/) {
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
}

int DirListBox::SelectedRow() const {
    return EntryListOf(*this).SelectedRow();
}

void DirListBox::SelectRow(int row) {
    EntryListOf(*this).SelectRow(row);
}

std::string DirListBox::PathOfRow(int row) const {
    if (row < HierarchyRows()) {
        return path_text::Prefix(components_, static_cast<std::size_t>(row));
    }
    const std::string& name = subdirectories_[static_cast<std::size_t>(row - HierarchyRows())];
    return path_ == "/" ? "/" + name : path_ + "/" + name;
}

}  // namespace toolkit

#include "platform/toolkit/DirectoryListing.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <QFile>
#include <QString>
#include <algorithm>
#include <cerrno>
#include <memory>

#include "platform/toolkit/FirstNames.h"

namespace toolkit::directory_listing {

namespace {

// A name with the text it shows as, decoded once for the comparisons.
struct ShownName {
    std::string raw;
    QString shown;
};

bool ShownBefore(const ShownName& a, const ShownName& b) {
    const int byText = QString::compare(a.shown, b.shown, Qt::CaseInsensitive);
    return byText != 0 ? byText < 0 : a.raw < b.raw;
}

ShownName MakeShownName(std::string raw) {
    QString shown = QFile::decodeName(QByteArray::fromStdString(raw));
    return {std::move(raw), std::move(shown)};
}

bool IsKind(DIR* directory, const dirent& entry, EntryKind kind) {
    const unsigned char wanted = kind == EntryKind::Directory ? DT_DIR : DT_REG;
    if (entry.d_type == wanted) {
        return true;
    }
    if (entry.d_type != DT_UNKNOWN && entry.d_type != DT_LNK) {
        return false;
    }
    struct stat status {};
    if (::fstatat(::dirfd(directory), entry.d_name, &status, 0) != 0) {
        return false;
    }
    return kind == EntryKind::Directory ? S_ISDIR(status.st_mode) : S_ISREG(status.st_mode);
}

using FirstNames = toolkit::FirstNames<ShownName, ShownBefore>;

struct DirCloser {
    void operator()(DIR* directory) const { ::closedir(directory); }
};

}  // namespace

bool ListsBefore(const std::string& a, const std::string& b) {
    return ShownBefore(MakeShownName(a), MakeShownName(b));
}

Listing ListDirectory(const std::string& directory, EntryKind kind,
                      const std::function<bool(const std::string&)>& accept, std::size_t limit) {
    const std::unique_ptr<DIR, DirCloser> handle(::opendir(directory.c_str()));
    if (!handle) {
        return {errno, {}};
    }
    FirstNames first(limit);
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(handle.get());
        if (entry == nullptr) {
            break;
        }
        if (entry->d_name[0] == '.' || !IsKind(handle.get(), *entry, kind)) {
            continue;
        }
        std::string name(entry->d_name);
        if (!accept || accept(name)) {
            first.Add(MakeShownName(std::move(name)));
        }
    }
    if (errno != 0) {
        return {errno, {}};
    }
    return {0, first.Take()};
}

}  // namespace toolkit::directory_listing

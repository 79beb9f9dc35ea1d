#include "platform/toolkit/DirectoryListing.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <QFile>
#include <QString>
#include <algorithm>
#include <cerrno>
#include <memory>

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

// Keeps the first `limit` names in list order while names keep coming, without holding more than
// twice that many at any time.
class FirstNames {
public:
    explicit FirstNames(std::size_t limit) : limit_(limit) {}

    void Add(std::string raw) {
        if (limit_ == 0) {
            return;
        }
        names_.push_back(MakeShownName(std::move(raw)));
        if (names_.size() >= 2 * limit_) {
            Trim();
        }
    }

    std::vector<std::string> Take() {
        std::sort(names_.begin(), names_.end(), ShownBefore);
        if (names_.size() > limit_) {
            names_.resize(limit_);
        }
        std::vector<std::string> raw;
        raw.reserve(names_.size());
        for (ShownName& name : names_) {
            raw.push_back(std::move(name.raw));
        }
        return raw;
    }

private:
    void Trim() {
        std::nth_element(names_.begin(), names_.begin() + static_cast<std::ptrdiff_t>(limit_),
                         names_.end(), ShownBefore);
        names_.resize(limit_);
    }

    std::size_t limit_;
    std::vector<ShownName> names_;
};

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
            first.Add(std::move(name));
        }
    }
    if (errno != 0) {
        return {errno, {}};
    }
    return {0, first.Take()};
}

}  // namespace toolkit::directory_listing

#include "tools/ToolReport.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string_view>

#include "platform/runtime/RuntimeError.h"
#include "tools/Messages.h"
#include "tools/ToolStreams.h"

namespace tool {

namespace {

// What an errno a write met means, in words; null for one the tool has no words of its own for.
const char* ErrnoReason(int errnoValue) {
    switch (errnoValue) {
        case ENOENT:
        case ENOTDIR:
            return _("the directory does not exist");
        case EACCES:
        case EPERM:
            return _("permission denied");
        case EROFS:
            return _("the file system is read-only");
        case ENOSPC:
            return _("no space left on the device");
#ifdef EDQUOT  // no quotas in the Windows C runtime's numbers
        case EDQUOT:
            return _("the disk quota is used up");
#endif
        case EISDIR:
            return _("it is a directory");
        case ENAMETOOLONG:
            return _("the name is too long");
        case EMFILE:
        case ENFILE:
            return _("too many files are open");
        case EIO:
            return _("an input/output error");
        default:
            return nullptr;
    }
}

// What a run-time error the tool meets means, in words.
std::string NumberReason(std::int32_t number) {
    switch (number) {
        case runtime::errFileNotFound:
            return _("no such file or directory");
        case runtime::errOutOfMemory:
            return _("out of memory while reading it");
        case runtime::errPathNotFound:
            return _("the directory does not exist");
        case runtime::errPermissionDenied:
            return _("permission denied");
        case runtime::errDiskFull:
            return _("no space left on the device");
        case runtime::errInvalidPropertyValue:
            return _("none of the icon's images can be drawn");
        default:
            return _("the file cannot be written");
    }
}

// The readers' fixed reasons: whole phrases, each in the catalog.
constexpr const char* kReaderPhrases[] = {
    N_("not an executable (it does not start with \"MZ\") nor an icon file"),
    N_("not an executable nor an icon file: it is shorter than their headers"),
    N_("the file cannot be opened as a regular file"),
    N_("the file's icon group directory is empty"),
    N_("the executable has no resource table"),
    N_("the resource table has no icon groups (RT_GROUP_ICON)"),
    N_("the resource table has no icons (RT_ICON)"),
    N_("the icon file holds no image"),
    // The same for cursors (--cursors) and animated resources (--animated).
    N_("not an executable (it does not start with \"MZ\") nor a cursor file"),
    N_("not an executable nor a cursor file: it is shorter than their headers"),
    N_("the file's cursor group directory is empty"),
    N_("the resource table has no cursor groups (RT_GROUP_CURSOR)"),
    N_("the resource table has no cursors (RT_CURSOR)"),
    N_("the cursor file holds no image"),
    N_("not an executable (it does not start with \"MZ\") nor an animated cursor file (RIFF "
       "ACON)"),
    N_("not an executable nor an animated cursor file (RIFF ACON): it is shorter than their "
       "headers"),
    N_("the resource table has no animated cursors (RT_ANICURSOR) or animated icons "
       "(RT_ANIICON)"),
    N_("the file names more bytes than it holds: its budget is spent"),
    N_("out of memory while reading it"),
};

}  // namespace

void ReportError(const std::string& name, std::int32_t number) {
    ReportReason(name, NumberReason(number));
}

void ReportReason(const std::string& name, const std::string& reason) {
    ToolErr() << "quorvane-icons: " << name << ": " << reason << "\n";
}

std::string WriteFailureReason(const std::string& name, std::int32_t number, int errnoValue) {
    if (const char* reason = ErrnoReason(errnoValue)) {
        return reason;
    }
    std::error_code error;
    const auto status = std::filesystem::status(NativePath(name), error);
    if (number == runtime::errPathFileAccess && std::filesystem::exists(status) &&
        !std::filesystem::is_regular_file(status)) {
        return _("it is not a regular file");
    }
    if (errnoValue != 0) {
        return std::strerror(errnoValue);
    }
    return NumberReason(number);
}

std::string ReaderReason(const std::string& reason) {
    for (const std::string_view phrase : kReaderPhrases) {
        // A phrase may lead a longer reason ("PHRASE; its icons would be in ...").
        if (reason.starts_with(phrase)) {
            return _(phrase.data()) + reason.substr(phrase.size());
        }
    }
    return reason;
}

bool FileExists(const std::string& name) {
    std::error_code error;
    return std::filesystem::exists(NativePath(name), error);
}

}  // namespace tool

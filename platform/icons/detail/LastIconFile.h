#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "platform/icons/IconFile.h"

// The icon file the last call opened, kept with what the readers learned of it (its parsed
// directories, its group index) but without its descriptor, and used again while the path names
// the same unchanged file. A window that loads a file's icons one index after the other walks its
// headers and directories once instead of once per icon.
namespace platform::icons {

// Runs `read(const IconFile&)` on the icons of `path` and returns what it gives: the file kept from
// the last call when `path` is the path it was opened by and a descriptor opened now shows the same
// device, file number, size and modification time to the nanosecond (for a redirected file, its
// .mun as well); else the file opened anew, which is then kept in place of the last one. A path
// that gives no icon file keeps nothing. Calls from several threads take turns.
template <typename Read>
auto WithIconFile(const std::string& path, Read read) -> decltype(read(std::declval<IconFile&>()));

namespace detail {
std::mutex& LastIconFileMutex();
// The icon file of `path` as above, attached to a descriptor; call with the mutex held, and
// DetachLastIconFile when done with it.
ReadResult<IconFile*> AcquireLastIconFile(const std::string& path);
void DetachLastIconFile();
}  // namespace detail

template <typename Read>
auto WithIconFile(const std::string& path, Read read) -> decltype(read(std::declval<IconFile&>())) {
    const std::lock_guard lock(detail::LastIconFileMutex());
    const auto file = detail::AcquireLastIconFile(path);
    if (!file) {
        return file.error();
    }
    struct DetachOnExit {
        ~DetachOnExit() { detail::DetachLastIconFile(); }
    } detach;
    return read(**file);
}

}  // namespace platform::icons

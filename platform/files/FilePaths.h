#pragma once

#include <string>

// File names as the system takes them: on POSIX bytes, never decoded, so that a name that is not
// UTF-8 reaches the system call unchanged; on Windows UTF-8, handed over as UTF-16, "\\" or "/"
// separating the parts.
namespace platform::files {

// The directory part of a name, as a name of its own: "a/b" gives "a", "/b" gives "/", a name
// without a slash gives ".", and a name ending in a slash gives itself without that slash.
std::string DirectoryOf(const std::string& fileName);

// The name a chain of symbolic links ends at (the name itself when it is not a link), a relative
// link read from the directory that holds it. A chain that does not end within the system's link
// limit, or a link that cannot be read, gives the name itself.
std::string FollowLinks(const std::string& fileName);

// Whether the name is that of an existing directory (a link to one counts).
bool IsDirectory(const std::string& fileName);

// Whether something that is not a regular file (a directory, a FIFO, a device) has that name; a
// name that names nothing gives false.
bool IsOtherThanFile(const std::string& fileName);

}  // namespace platform::files

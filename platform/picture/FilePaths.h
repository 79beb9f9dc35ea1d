#pragma once

#include <string>

// File names as the system takes them: bytes, never decoded, so that a name that is not UTF-8
// reaches the system call unchanged.
namespace platform::picture {

// The directory part of a name, as a name of its own: "a/b" gives "a", "/b" gives "/", a name
// without a slash gives ".", and a name ending in a slash gives itself without that slash.
std::string DirectoryOf(const std::string& fileName);

// The name a chain of symbolic links ends at (the name itself when it is not a link), a relative
// link read from the directory that holds it. A chain that does not end within the system's link
// limit, or a link that cannot be read, gives the name itself.
std::string FollowLinks(const std::string& fileName);

}  // namespace platform::picture

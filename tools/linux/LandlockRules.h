#pragma once

#include <string>
#include <vector>

// The Landlock half of the tool's confinement: which files the process may still open.
namespace tool::linux_sandbox {

// Restricts the process (no_new_privs already set) to reading `readableFiles` and to making,
// writing, truncating and removing files beneath `writableDirectory` (a descriptor; -1: nowhere);
// every other file-system access a Landlock ABI up to 3 governs is refused with EACCES. Each file
// is opened (O_PATH) now: only that very file may be opened again; a name that is not a regular
// file gets no rule. Everything beneath each of `readableTrees` may be read too (a sanitized
// build's exit check reads /proc). Gives "landlock: ABI N", or "landlock: off (...)" and changes
// nothing when the kernel has no Landlock or refuses.
std::string RestrictFileAccess(const std::vector<std::string>& readableFiles, int writableDirectory,
                               const std::vector<std::string>& readableTrees = {});

}  // namespace tool::linux_sandbox

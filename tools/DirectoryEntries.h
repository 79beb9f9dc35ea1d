#pragma once

#include <compare>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The directory reading the tool's walk needs, one half per platform (posix/, win32/): what a path
// names, and the entries of one directory. Names are the file system's own bytes on POSIX and
// UTF-8 on Windows.
namespace tool {

// The separator the platform's paths are joined with.
extern const char kPathSeparator;

// What a name stands for, links followed: a directory, a regular file, something else (a FIFO,
// a socket, a device, a dangling or looping link), or nothing at all.
enum class EntryKind { Directory, File, Other, Missing };

// Where a directory lives (device and file number on POSIX, volume and file index on Windows):
// the same directory reached by two paths has one identity.
struct DirectoryIdentity {
    std::uint64_t device = 0;
    std::uint64_t node = 0;
    auto operator<=>(const DirectoryIdentity&) const = default;
};

struct DirectoryEntry {
    std::string name;                   // the entry's own name, no directory before it
    EntryKind kind = EntryKind::Other;  // of what it names, a link followed
    bool link = false;                  // a symbolic link (on Windows: a reparse point)
};

// One directory read: its identity and at most the number of entries asked for ("." and ".."
// left out), in the order the system gives them. `failure` is 0, or the run-time error number of
// why the directory could not be opened or read (70 no permission, 76 no such directory, 75 any
// other reason); `truncated` says there were more entries than asked for.
struct DirectoryListing {
    DirectoryIdentity identity;
    std::vector<DirectoryEntry> entries;
    std::int32_t failure = 0;
    bool truncated = false;
};

// What the path names, links followed. Never opens it.
EntryKind KindOfPath(const std::string& path);

// Reads the directory at `path` (a link to one followed), up to `maxEntries` entries. Opening it
// never blocks: something that is not a directory fails with 75 (76 when nothing is there).
DirectoryListing ReadDirectory(const std::string& path, std::size_t maxEntries);

}  // namespace tool

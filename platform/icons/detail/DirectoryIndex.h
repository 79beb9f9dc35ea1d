#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/icons/ByteSource.h"

// The names of directories the .mun lookup searches (a Windows directory, SystemResources with its
// hundreds of thousands of entries), each listed once and kept while the directory stays the same,
// so that a scan of many System32 files lists each directory once.
namespace platform::icons::detail {

// The identity (device, inode or file index) and modification time of the directory at `path`;
// nullopt when it is not a directory or cannot be asked. Its size is left 0. One per platform.
std::optional<SourceIdentity> DirectoryStamp(const std::filesystem::path& path);

// The entry of `directory` whose name, lowered (ASCII), is `lowerName`: from the directory's
// listing kept since it was last read, or from a new listing when the directory's identity or
// modification time changed (then the old one is dropped). A listing made within seconds of the
// directory's last change is made again on the next call (the time may not move for a change in
// the same tick of the file system's clock), unless the directory can no longer be listed then
// (the process has confined itself). A listing reads up to a bounded number
// of entries; at most a few directories are kept. Safe to call from several threads at once.
std::optional<std::filesystem::path> FindInDirectory(const std::filesystem::path& directory,
                                                     const std::string& lowerName);

// How many listings FindInDirectory has made so far (for the tests).
std::size_t DirectoryListingsMade();

}  // namespace platform::icons::detail

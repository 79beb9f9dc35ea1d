#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

// The files a benchmark works on: a directory listed the way the window's file list lists it, and
// what the resources of a PE file hold (how many icons, where each icon image lies).
namespace bench {

// The window's file-list pattern, and how many names that list holds at most (a 16-bit list).
inline constexpr const char* kExecutablePattern = "*.exe;*.dll;*.ocx";
inline constexpr std::size_t kMaxListedFiles = 32767;

// The full paths of the regular files of the directory that match the pattern, in the list's
// order, at most kMaxListedFiles of them (the first in that order). Throws when the directory
// cannot be read.
std::vector<std::string> ListMatchingFiles(const std::string& directory);

// The number of icon groups (icons) in a PE file's resources; 0 for any other file.
std::size_t CountIconGroups(const std::string& path);

// Of the paths, the one with the most icons (the first of equals); throws when none has one.
std::string FileWithMostIcons(const std::vector<std::string>& paths);

// A stretch of bytes in a file.
struct Extent {
    std::uint64_t offset = 0;
    std::uint64_t size = 0;
};

// Where the data of each icon resource a group of the file names lies, by ID (as the icon groups
// resolve it). Empty for a file without icon groups.
std::map<std::uint16_t, Extent> IconResourceExtents(const std::string& path);

}  // namespace bench

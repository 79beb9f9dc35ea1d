#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/toolkit/NamePattern.h"

// The files a command line names: its files as given, and the files its directories hold.
namespace tool {

// The pattern a directory's files are matched against when the command line gives none: the
// window's executables, the other files Windows keeps icons in, and icon files.
inline constexpr const char* kDefaultFilePattern =
    "*.exe;*.dll;*.ocx;*.cpl;*.scr;*.icl;*.mun;*.ico";

// How deep a recursive walk goes below each directory it is given.
inline constexpr std::size_t kMaxWalkDepth = 64;
// How many entries of one directory are read, and how many files one walk gives at most.
inline constexpr std::size_t kMaxDirectoryEntries = 1 << 18;
inline constexpr std::size_t kMaxWalkFiles = 1 << 20;

struct WalkOptions {
    bool recursive = false;  // enter the subdirectories of the directories given
    toolkit::NamePattern pattern{kDefaultFilePattern};
};

// Something the walk came to, in walk order: a file to read, or a problem to report at that point.
struct WalkItem {
    std::string path;    // the file (as given, or the directory's path, the separator, its name)
    std::string under;   // its directory relative to the directory given ("" for a file given
                         // and the files directly in it), parts joined by the separator
    bool named = false;  // the command line names it (else a walked directory holds it)
    std::int32_t failure = 0;  // a problem: the run-time error number, or 0 with...
    std::string reason;        // ... the reason in words; `path` then names what it concerns

    bool IsProblem() const { return failure != 0 || !reason.empty(); }
};

// Walks the operands in the order given. A name that is not a directory is given as it is (even
// when it matches no pattern, is missing or is not a regular file: the command reports it). A
// directory gives its regular files whose names match the pattern (ignoring case), in the byte
// order of their names, and with `recursive` its subdirectories' files at the place their names
// sort, at most kMaxWalkDepth levels below it. A link in a walked directory is followed when it
// names a regular file (the file is read under the link's name) and never into a directory; a
// link given on the command line is followed. A directory reached twice (the same device and file
// number) is walked once. FIFOs, sockets and devices in a walked directory are left out without
// being opened. Directories that cannot be read, directories deeper than the limit and
// directories with more entries than kMaxDirectoryEntries are problems at their place; past
// kMaxWalkFiles files the walk stops with a problem.
std::vector<WalkItem> WalkOperands(const std::vector<std::string>& operands,
                                   const WalkOptions& options);

}  // namespace tool

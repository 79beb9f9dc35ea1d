#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// Reading one directory for the file and directory lists: the visible entries of one kind, in the
// lists' order, a bounded number of them.
namespace toolkit::directory_listing {

enum class EntryKind { RegularFile, Directory };

struct Listing {
    int error = 0;  // errno of a directory that could not be read, 0 when it was
    std::vector<std::string> names;
};

// The order of the lists: ignoring case on the names as shown, ties broken by the raw bytes so the
// order is total.
bool ListsBefore(const std::string& a, const std::string& b);

// The names of the entries of that kind (a symbolic link counts as what it points to; the entries
// are never opened), hidden (dot) names left out, that `accept` takes; sorted by ListsBefore, at
// most `limit` of them, the first in that order. On an error the names read so far are dropped.
Listing ListDirectory(const std::string& directory, EntryKind kind,
                      const std::function<bool(const std::string&)>& accept, std::size_t limit);

}  // namespace toolkit::directory_listing

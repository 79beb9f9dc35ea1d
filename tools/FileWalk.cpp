#include "tools/FileWalk.h"

#include <algorithm>
#include <set>

#include "tools/DirectoryEntries.h"

namespace tool {

namespace {

std::string Joined(const std::string& directory, const std::string& name) {
    if (directory.empty()) {
        return name;
    }
    const char last = directory.back();
    const bool separated = last == '/' || last == kPathSeparator;
    return separated ? directory + name : directory + kPathSeparator + name;
}

class Walk {
public:
    explicit Walk(const WalkOptions& options) : options_(options) {}

    void Operand(const std::string& operand) {
        if (KindOfPath(operand) != EntryKind::Directory) {
            Add({operand, {}, true, 0, {}});
            return;
        }
        Directory(operand, {}, 0);
    }

    std::vector<WalkItem> Take() { return std::move(items_); }

private:
    void Add(WalkItem item) {
        if (full_) {
            return;
        }
        if (files_ == kMaxWalkFiles) {
            full_ = true;
            items_.push_back(
                {item.path,
                 {},
                 false,
                 0,
                 "not read: the walk stops after " + std::to_string(kMaxWalkFiles) + " files"});
            return;
        }
        files_ += item.IsProblem() ? 0 : 1;
        items_.push_back(std::move(item));
    }

    void Problem(const std::string& path, std::int32_t failure, std::string reason = {}) {
        if (!full_) {
            items_.push_back({path, {}, false, failure, std::move(reason)});
        }
    }

    // The files of one directory, `depth` levels below the one given (at most kMaxWalkDepth).
    void Directory(const std::string& path, const std::string& under, std::size_t depth) {
        DirectoryListing listing = ReadDirectory(path, kMaxDirectoryEntries);
        if (listing.failure != 0) {
            Problem(path, listing.failure);
            return;
        }
        if (!entered_.insert(listing.identity).second) {
            return;  // reached before, by another path
        }
        std::sort(listing.entries.begin(), listing.entries.end(),
                  [](const DirectoryEntry& a, const DirectoryEntry& b) { return a.name < b.name; });
        for (const DirectoryEntry& entry : listing.entries) {
            Entry(path, under, depth, entry);
        }
        if (listing.truncated) {
            Problem(path, 0,
                    "only the first " + std::to_string(kMaxDirectoryEntries) + " entries read");
        }
    }

    void Entry(const std::string& directory, const std::string& under, std::size_t depth,
               const DirectoryEntry& entry) {
        const std::string path = Joined(directory, entry.name);
        if (entry.kind == EntryKind::File && options_.pattern.Matches(entry.name)) {
            Add({path, under, false, 0, {}});
        } else if (entry.kind == EntryKind::Directory && !entry.link && options_.recursive) {
            if (depth == kMaxWalkDepth) {
                Problem(path, 0,
                        "not entered: more than " + std::to_string(kMaxWalkDepth) +
                            " directories deep");
                return;
            }
            Directory(path, Joined(under, entry.name), depth + 1);
        }
    }

    const WalkOptions& options_;
    std::vector<WalkItem> items_;
    std::set<DirectoryIdentity> entered_;
    std::size_t files_ = 0;
    bool full_ = false;
};

}  // namespace

std::vector<WalkItem> WalkOperands(const std::vector<std::string>& operands,
                                   const WalkOptions& options) {
    Walk walk(options);
    for (const std::string& operand : operands) {
        walk.Operand(operand);
    }
    return walk.Take();
}

}  // namespace tool

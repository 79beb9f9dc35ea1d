#include "platform/icons/detail/DirectoryIndex.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <map>
#include <memory>
#include <mutex>
#include <system_error>
#include <unordered_map>

#include "platform/files/NativePath.h"

namespace platform::icons::detail {

namespace {

// More entries than any Windows or SystemResources directory holds; a larger one is not listed
// to its end.
constexpr std::size_t kMaxEntriesListed = 200000;
// The directories kept at once: a scan needs two (the Windows directory, SystemResources) for
// each of System32 and SysWOW64.
constexpr std::size_t kMaxDirectoriesKept = 8;
// A directory changed this recently may change again within the same tick of its clock (a coarse
// kernel clock, FAT's two seconds) without its modification time moving: its listing is not
// trusted for later calls, unless the directory can no longer be listed (a confined process).
constexpr std::int64_t kRacySeconds = 2;

std::string Lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

using files::ProgramText;

struct Listing {
    SourceIdentity stamp;
    std::unordered_map<std::string, std::filesystem::path> entries;  // lowered name -> name
    std::uint64_t lastUsed = 0;
    bool racy = false;  // made while the directory's modification time was recent
};

bool RecentlyModified(const SourceIdentity& stamp) {
    const std::int64_t now = std::chrono::duration_cast<std::chrono::seconds>(
                                 std::chrono::system_clock::now().time_since_epoch())
                                 .count();
    return stamp.modifiedSeconds >= now - kRacySeconds;
}

class DirectoryIndex {
public:
    std::optional<std::filesystem::path> Find(const std::filesystem::path& directory,
                                              const std::string& lowerName) {
        const auto stamp = DirectoryStamp(directory);
        if (!stamp) {
            return std::nullopt;
        }
        const std::lock_guard lock(mutex_);
        const std::string key = ProgramText(directory);
        auto kept = listings_.find(key);
        const bool same = kept != listings_.end() && kept->second->stamp == *stamp;
        if (!same || kept->second->racy) {
            auto listing = List(directory, *stamp);
            if (!listing && !same) {
                return std::nullopt;
            }
            if (listing) {
                MakeRoom(key);
                kept = listings_.insert_or_assign(key, std::move(listing)).first;
            }
        }
        kept->second->lastUsed = ++clock_;
        const auto entry = kept->second->entries.find(lowerName);
        if (entry == kept->second->entries.end()) {
            return std::nullopt;
        }
        return directory / entry->second;
    }

    std::size_t Listings() const { return listingsMade_.load(); }

private:
    // Null when the directory cannot be read; the first of names alike ignoring case is kept.
    std::unique_ptr<Listing> List(const std::filesystem::path& directory,
                                  const SourceIdentity& stamp) {
        std::error_code error;
        std::filesystem::directory_iterator entries(directory, error);
        if (error) {
            return nullptr;
        }
        ++listingsMade_;
        auto listing = std::make_unique<Listing>();
        listing->stamp = stamp;
        listing->racy = RecentlyModified(stamp);
        std::size_t seen = 0;
        for (;
             !error && entries != std::filesystem::directory_iterator() && seen < kMaxEntriesListed;
             entries.increment(error), ++seen) {
            std::filesystem::path name = entries->path().filename();
            listing->entries.try_emplace(Lowered(ProgramText(name)), std::move(name));
        }
        return listing;
    }

    // Drops the least recently used listings (other than `key`'s) until one more fits.
    void MakeRoom(const std::string& key) {
        listings_.erase(key);
        while (listings_.size() >= kMaxDirectoriesKept) {
            listings_.erase(std::min_element(listings_.begin(), listings_.end(),
                                             [](const auto& a, const auto& b) {
                                                 return a.second->lastUsed < b.second->lastUsed;
                                             }));
        }
    }

    std::mutex mutex_;
    std::map<std::string, std::unique_ptr<Listing>> listings_;
    std::uint64_t clock_ = 0;
    std::atomic<std::size_t> listingsMade_{0};
};

DirectoryIndex& SharedIndex() {
    static DirectoryIndex index;
    return index;
}

}  // namespace

std::optional<std::filesystem::path> FindInDirectory(const std::filesystem::path& directory,
                                                     const std::string& lowerName) {
    return SharedIndex().Find(directory, lowerName);
}

std::size_t DirectoryListingsMade() {
    return SharedIndex().Listings();
}

}  // namespace platform::icons::detail

// The process-wide store of shared image bytes and group snapshots. It holds weak references only:
// what it knows of a file goes when the last holder of anything read from it lets go.
#include "platform/icons/detail/SharedResources.h"

#include <algorithm>
#include <atomic>
#include <functional>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace platform::icons {

namespace {

constexpr std::uint64_t kMinimumHeldBudget = 4u << 20;
// What one entry of a snapshot costs beyond its image bytes.
constexpr std::uint64_t kEntryCost = sizeof(IconImage);

struct IdentityHash {
    std::size_t operator()(const SourceIdentity& id) const {
        std::uint64_t h = id.device;
        for (const std::uint64_t part :
             {id.file, id.size, static_cast<std::uint64_t>(id.modifiedSeconds),
              static_cast<std::uint64_t>(id.modifiedNanoseconds)}) {
            h = h * 0x100000001B3u ^ part;
        }
        return std::hash<std::uint64_t>()(h);
    }
};

std::mutex& StoreMutex() {
    static std::mutex mutex;
    return mutex;
}

}  // namespace

namespace detail {

// The bytes held from one file right now, against its budget. Every buffer and snapshot read from
// the file keeps the account alive and gives its cost back when it goes.
struct Account {
    explicit Account(std::uint64_t limit) : budget(limit) {}

    bool Charge(std::uint64_t cost) {
        std::uint64_t held = used.load();
        do {
            if (cost > budget || held > budget - cost) {
                return false;
            }
        } while (!used.compare_exchange_weak(held, held + cost));
        return true;
    }
    void Refund(std::uint64_t cost) { used.fetch_sub(cost); }

    const std::uint64_t budget;
    std::atomic<std::uint64_t> used{0};
};

// What is known of one file: its account and the weak references to what was read from it.
// Guarded by the store's mutex.
struct FileShare {
    std::weak_ptr<Account> account;
    std::unordered_map<ByteRange, std::weak_ptr<const std::vector<std::uint8_t>>, ByteRangeHash>
        images;
    std::unordered_map<ByteRange, std::weak_ptr<const IconGroup>, ByteRangeHash> groups;
};

}  // namespace detail

namespace {

// The shares of the files anything is still held from. Entries of files nothing is held from any
// more are swept out whenever the map has doubled since the last sweep.
class Store {
public:
    std::pair<std::shared_ptr<detail::FileShare>, std::shared_ptr<detail::Account>> ShareOf(
        const SourceIdentity& identity) {
        const std::lock_guard lock(StoreMutex());
        if (!files_.contains(identity)) {
            SweepIfGrown();
        }
        auto& share = files_[identity];
        if (!share) {
            share = std::make_shared<detail::FileShare>();
        }
        auto account = share->account.lock();
        if (!account) {
            account = std::make_shared<detail::Account>(HeldBytesBudgetFor(identity.size));
            share->account = account;
            share->images.clear();
            share->groups.clear();
        }
        return {share, account};
    }

    std::size_t Count() {
        const std::lock_guard lock(StoreMutex());
        return files_.size();
    }

private:
    void SweepIfGrown() {
        if (files_.size() <= 2 * sizeAfterSweep_ + 16) {
            return;
        }
        std::erase_if(files_, [](const auto& item) { return item.second->account.expired(); });
        sizeAfterSweep_ = files_.size();
    }

    std::unordered_map<SourceIdentity, std::shared_ptr<detail::FileShare>, IdentityHash> files_;
    std::size_t sizeAfterSweep_ = 0;
};

Store& ProcessStore() {
    static Store store;
    return store;
}

template <typename Map>
auto HeldIn(Map& map, const ByteRange& range) {
    const std::lock_guard lock(StoreMutex());
    const auto found = map.find(range);
    return found == map.end() ? nullptr : found->second.lock();
}

template <typename Map, typename Pointer>
void Remember(Map& map, const ByteRange& range, const Pointer& held) {
    const std::lock_guard lock(StoreMutex());
    map[range] = held;
}

// The deleter of what is charged to an account: gives the cost back and lets go of the account at
// once (the deleter itself lives on while the store's weak references do).
template <typename T>
struct Refunding {
    std::shared_ptr<detail::Account> account;
    std::uint64_t cost;

    void operator()(const T* gone) {
        account->Refund(cost);
        account.reset();
        delete gone;
    }
};

// Whether two snapshots hold the same entries over the very same buffers.
bool SameSnapshot(const IconGroup& a, const IconGroup& b) {
    return std::equal(a.images.begin(), a.images.end(), b.images.begin(), b.images.end(),
                      [](const IconImage& x, const IconImage& y) {
                          return x.entry == y.entry && x.bytesInRes == y.bytesInRes &&
                                 x.resourceId == y.resourceId && x.hotspot == y.hotspot &&
                                 x.bytes.SharesBufferWith(y.bytes);
                      });
}

}  // namespace

std::uint64_t HeldBytesBudgetFor(std::uint64_t fileSize) {
    return std::max(fileSize > UINT64_MAX / 2 ? UINT64_MAX : 2 * fileSize, kMinimumHeldBudget);
}

SharedResources::SharedResources(const ByteSource& source) : source_(source) {
    if (const auto identity = source.Identity()) {
        std::tie(share_, account_) = ProcessStore().ShareOf(*identity);
    } else {
        share_ = std::make_shared<detail::FileShare>();
        account_ = std::make_shared<detail::Account>(HeldBytesBudgetFor(source.Size()));
        share_->account = account_;
    }
}

SharedResources::~SharedResources() = default;

ImageBytes SharedResources::Image(ByteRange range) {
    if (const auto done = read_.find(range); done != read_.end()) {
        return done->second;
    }
    std::optional<std::vector<std::uint8_t>> bytes;
    if (auto ahead = readAhead_.find(range); ahead != readAhead_.end()) {
        bytes = std::move(ahead->second);
        readAhead_.erase(ahead);
    } else if (range.length != 0) {
        bytes = ReadBytes(source_, range.offset, range.length);
    }
    if (!bytes) {
        return {};
    }
    auto held = HeldIn(share_->images, range);
    if (!held || *held != *bytes) {
        held = KeepBytes(range, std::move(*bytes));
    }
    return read_.emplace(range, ImageBytes(std::move(held))).first->second;
}

void SharedResources::ReadAhead(std::vector<ByteRange> ranges) {
    std::sort(ranges.begin(), ranges.end(), [](const ByteRange& a, const ByteRange& b) {
        return a.offset != b.offset ? a.offset < b.offset : a.length < b.length;
    });
    ranges.erase(std::unique(ranges.begin(), ranges.end()), ranges.end());
    for (std::size_t first = 0; first < ranges.size();) {
        std::size_t end = first + 1;
        std::uint64_t length = ranges[first].length;
        while (end < ranges.size() && length < kLargestReadAhead &&
               ranges[end].offset == ranges[first].offset + length &&
               ranges[end].length <= kLargestReadAhead - length) {
            length += ranges[end++].length;
        }
        if (end - first > 1) {
            ReadRun(std::span(ranges).subspan(first, end - first), length);
        }
        first = end;
    }
}

void SharedResources::ReadRun(std::span<const ByteRange> run, std::uint64_t length) {
    const auto bytes = ReadBytes(source_, run.front().offset, length);
    if (!bytes) {
        return;
    }
    for (const ByteRange& range : run) {
        const auto start =
            bytes->begin() + static_cast<std::ptrdiff_t>(range.offset - run.front().offset);
        readAhead_[range].assign(start, start + static_cast<std::ptrdiff_t>(range.length));
    }
}

std::shared_ptr<const std::vector<std::uint8_t>> SharedResources::KeepBytes(
    ByteRange range, std::vector<std::uint8_t> bytes) {
    if (!account_->Charge(range.length)) {
        return nullptr;
    }
    const std::shared_ptr<const std::vector<std::uint8_t>> buffer(
        new std::vector<std::uint8_t>(std::move(bytes)),
        Refunding<std::vector<std::uint8_t>>{account_, range.length});
    Remember(share_->images, range, buffer);
    return buffer;
}

std::shared_ptr<const IconGroup> SharedResources::Keep(ByteRange range, IconGroup group) {
    if (group.images.empty()) {
        return nullptr;
    }
    if (auto held = HeldIn(share_->groups, range); held && SameSnapshot(*held, group)) {
        return held;
    }
    const std::uint64_t cost = kEntryCost * group.images.size();
    if (!account_->Charge(cost)) {
        return nullptr;
    }
    const std::shared_ptr<const IconGroup> kept(new IconGroup(std::move(group)),
                                                Refunding<IconGroup>{account_, cost});
    Remember(share_->groups, range, kept);
    return kept;
}

std::size_t SharedFileCount() {
    return ProcessStore().Count();
}

}  // namespace platform::icons

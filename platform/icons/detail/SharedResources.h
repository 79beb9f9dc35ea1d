#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <unordered_map>
#include <vector>

#include "platform/icons/ByteSource.h"
#include "platform/icons/IconService.h"

// What the readers take out of a file (image bytes, whole group snapshots) shared by every call
// that reads the same file, and one budget that bounds all of it together. A file that names one
// image from thousands of groups, or one group from thousands of group entries, costs that image's
// bytes and that group's entries once, however many handles hold them. Nothing is trusted from
// an earlier call: every call reads what it returns, and shares a held buffer or snapshot only
// when it is equal to what was just read, so a file rewritten in place is never served stale.
namespace platform::icons {

// The largest number of images one group snapshot takes; the rest of a longer group is left out.
// The 1,446 files of Wine's x86_64 and i386 directories hold at most 10 images in a group.
inline constexpr std::size_t kMaxImagesPerGroup = 256;

// The bytes all holders of one file may keep at once: twice the file's size, at least 4 MiB. A
// real file's images fit inside the file, so only a file that names its bytes over and over meets
// the bound.
std::uint64_t HeldBytesBudgetFor(std::uint64_t fileSize);

namespace detail {
struct Account;
struct FileShare;
}  // namespace detail

// One reading call's access to what is held from its source's file. A source with no identity (a
// buffer) shares only among the reads made through this one object.
class SharedResources {
public:
    explicit SharedResources(const ByteSource& source);
    ~SharedResources();
    SharedResources(const SharedResources&) = delete;
    SharedResources& operator=(const SharedResources&) = delete;

    // The bytes at `range`, read now (once per call, however many entries name the range): the
    // buffer some holder already keeps for that range of the same file when it holds the same
    // bytes, else a new one. Empty when the range cannot be read, is empty, or the file's budget
    // has no room.
    ImageBytes Image(ByteRange range);

    // Reads the ranges that lie end to end in the file (a group's images usually do) in one read
    // per run, up to kLargestReadAhead bytes a run, for the Image calls of this call to take
    // instead of a read each. A run that cannot be read is left to those calls to read and fail.
    void ReadAhead(std::vector<ByteRange> ranges);
    static constexpr std::uint64_t kLargestReadAhead = 1u << 20;

    // The snapshot of the group resource at `range`: one that a holder already keeps when it has
    // the same entries over the same buffers, else `group` kept for later calls to share, its
    // entries charged to the budget. Null when the group has no image or the budget has no room.
    std::shared_ptr<const IconGroup> Keep(ByteRange range, IconGroup group);

private:
    void ReadRun(std::span<const ByteRange> run, std::uint64_t length);
    std::shared_ptr<const std::vector<std::uint8_t>> KeepBytes(ByteRange range,
                                                               std::vector<std::uint8_t> bytes);

    const ByteSource& source_;
    std::shared_ptr<detail::FileShare> share_;
    std::shared_ptr<detail::Account> account_;
    std::unordered_map<ByteRange, ImageBytes, ByteRangeHash> read_;  // by this call
    std::unordered_map<ByteRange, std::vector<std::uint8_t>, ByteRangeHash> readAhead_;
};

// How many files the process-wide store keeps shares for right now (tests watch it stay bounded).
std::size_t SharedFileCount();

}  // namespace platform::icons

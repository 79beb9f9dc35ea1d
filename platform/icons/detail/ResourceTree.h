#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/icons/ByteSource.h"
#include "platform/icons/detail/PeImage.h"

// The resource tree of a PE image, walked one level at a time. Every offset is relative to the
// resource root and read through the section table; nothing here follows a link by itself, so a
// directory pointing back at itself or at its parent cannot make a walk loop.
namespace platform::icons {

// One 8-byte directory entry.
struct ResourceEntry {
    std::uint32_t name = 0;    // bit 31: offset of a string name; else an ID in the low 16 bits
    std::uint32_t target = 0;  // bit 31: offset of a subdirectory; else of a data entry

    bool IsNamed() const { return (name & 0x80000000u) != 0; }
    std::uint16_t Id() const { return static_cast<std::uint16_t>(name & 0xFFFF); }
    bool HasId(std::uint16_t id) const { return !IsNamed() && Id() == id; }
    bool IsDirectory() const { return (target & 0x80000000u) != 0; }
    std::uint32_t TargetOffset() const { return target & 0x7FFFFFFFu; }
};

// A data entry: where a resource's bytes are and how many there are.
struct ResourceData {
    std::uint32_t rva = 0;
    std::uint32_t size = 0;
    std::uint16_t language = 0;  // the ID of the language entry that leads to it
};

// How many entries a directory has: the named ones come first, then those with an ID.
struct DirectoryCounts {
    std::uint32_t named = 0;
    std::uint32_t ids = 0;

    std::uint32_t Total() const { return named + ids; }
};

// The longest resource name read, in UTF-16 units; a longer name is cut there.
inline constexpr std::size_t kMaxNameUnits = 256;

class ResourceTree {
public:
    ResourceTree(const ByteSource& source, const PeImage& image, std::uint32_t rootRva)
        : source_(source), image_(image), rootRva_(rootRva) {}

    // The entry counts of the directory at `offset`.
    ReadResult<DirectoryCounts> Counts(std::uint32_t offset) const;

    // Entry `index` of the directory at `offset` (the caller checks it against Counts).
    ReadResult<ResourceEntry> EntryAt(std::uint32_t offset, std::uint32_t index) const;

    // `count` entries from entry `first` of the directory at `offset`, read at once.
    ReadResult<std::vector<ResourceEntry>> EntriesAt(std::uint32_t offset, std::uint32_t first,
                                                     std::uint32_t count) const;

    // All entries of the directory at `offset`, read at once.
    ReadResult<std::vector<ResourceEntry>> Entries(std::uint32_t offset) const;

    // The subdirectory an entry names; the reason (naming `what` the entry is) when it names a
    // data entry instead.
    static ReadResult<std::uint32_t> Subdirectory(const ResourceEntry& entry, const Subject& what);

    // The data entry of the first language in the language directory at `offset`.
    ReadResult<ResourceData> FirstLanguage(std::uint32_t offset) const;

    // The string name at `offset` from the root (a 16-bit length and that many UTF-16 units) as
    // UTF-8, at most kMaxNameUnits units of it.
    ReadResult<std::string> NameAt(std::uint32_t offset) const;

    // Where the bytes of a resource lie in the file, at most `limit` of them (a resource larger
    // than `limit` gives its first `limit` bytes); nullopt unless one section holds them all.
    ReadResult<ByteRange> Place(const ResourceData& data, std::uint64_t limit) const;

private:
    // The bytes of a structure (`what`) of `length` bytes at `offset` from the root.
    ReadResult<std::vector<std::uint8_t>> ReadAt(std::uint64_t offset, std::uint64_t length,
                                                 const Subject& what) const;

    // The structure's bytes from the blocks of the file kept for this tree, once a walk has made
    // more structure reads than a probe of one group does; nullopt to read it from the file.
    std::optional<std::vector<std::uint8_t>> FromBlocks(std::uint64_t at,
                                                        std::uint64_t length) const;
    // The kept block at that index (of kBlockBytes each), read now if need be; null when the file
    // cannot give it.
    const std::vector<std::uint8_t>* Block(std::uint64_t index) const;

    const ByteSource& source_;
    const PeImage& image_;
    std::uint32_t rootRva_;
    // Blocks of the file around the directories and data entries a walk has read: a whole load
    // through a tree kept between calls then walks memory, not the file, however large its
    // directories are. At most kMaxBlocks are kept; past that the kept ones are let go.
    mutable std::unordered_map<std::uint64_t, std::vector<std::uint8_t>> blocks_;
    mutable unsigned structureReads_ = 0;
};

}  // namespace platform::icons

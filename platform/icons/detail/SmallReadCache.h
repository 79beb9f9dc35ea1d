#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/icons/ByteSource.h"

// The small reads of a file's structures (headers, section table, resource directories, their
// data entries, a group's directory: tens of reads of 2 to a few hundred bytes, most of them near
// one another), served from a few aligned blocks of the file read whole, so that they cost a few
// system calls instead of one each. Image data, read in one read of its own size, goes straight
// to the file.
namespace platform::icons::detail {

class SmallReadCache {
public:
    // The size and alignment of a block, and the largest read that has its block read.
    static constexpr std::uint64_t kBlockSize = 4096;
    static constexpr std::size_t kLargestCachedRead = 512;
    static constexpr std::size_t kBlocksHeld = 4;

    // Fills `out` with the bytes of `file` at `offset`, as file.ReadAt does: from a held block when
    // the read lies in one; for a small read in one block, the block is read first when it is not
    // held (the least recently used one making room); else from the file itself. The blocks are the
    // bytes of one unchanged file: Clear them before reading another.
    bool ReadThrough(const ByteSource& file, std::uint64_t offset, std::span<std::uint8_t> out);

    // Drops every held block (their buffers are kept for the blocks read next).
    void Clear();

private:
    struct Block {
        std::uint64_t start = 0;
        std::uint64_t lastUse = 0;  // 0: the slot is empty
        std::vector<std::uint8_t> bytes;
    };

    Block* Held(std::uint64_t start);
    Block* Load(const ByteSource& file, std::uint64_t start);

    std::array<Block, kBlocksHeld> blocks_;
    std::uint64_t uses_ = 0;
};

}  // namespace platform::icons::detail

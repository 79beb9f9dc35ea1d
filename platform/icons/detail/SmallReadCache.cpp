#include "platform/icons/detail/SmallReadCache.h"

#include <algorithm>
#include <cstring>

namespace platform::icons::detail {

bool SmallReadCache::ReadThrough(const ByteSource& file, std::uint64_t offset,
                                 std::span<std::uint8_t> out) {
    const std::uint64_t start = offset - offset % kBlockSize;
    if (out.empty() || offset + out.size() > start + kBlockSize ||
        !RangeInside(file.Size(), offset, out.size())) {
        return file.ReadAt(offset, out);
    }
    // A read inside a held block is served from it whatever its size; only a small one has its
    // block read.
    Block* block = Held(start);
    if (block == nullptr && out.size() <= kLargestCachedRead) {
        block = Load(file, start);
    }
    if (block == nullptr || offset + out.size() > start + block->bytes.size()) {
        return file.ReadAt(offset, out);  // not cached, or the block could not be read
    }
    block->lastUse = ++uses_;
    std::memcpy(out.data(), block->bytes.data() + (offset - start), out.size());
    return true;
}

void SmallReadCache::Clear() {
    for (Block& block : blocks_) {
        block.lastUse = 0;  // empty; its buffer serves the next block read into the slot
    }
}

SmallReadCache::Block* SmallReadCache::Held(std::uint64_t start) {
    for (Block& block : blocks_) {
        if (block.lastUse != 0 && block.start == start) {
            return &block;
        }
    }
    return nullptr;
}

SmallReadCache::Block* SmallReadCache::Load(const ByteSource& file, std::uint64_t start) {
    Block& slot =
        *std::min_element(blocks_.begin(), blocks_.end(),
                          [](const Block& a, const Block& b) { return a.lastUse < b.lastUse; });
    // The last block of the file is as long as what is left of it.
    const std::uint64_t length = std::min(kBlockSize, file.Size() - start);
    slot.bytes.resize(static_cast<std::size_t>(length));
    slot.start = start;
    if (!file.ReadAt(start, slot.bytes)) {
        slot.lastUse = 0;  // empty again: its old bytes are gone
        return nullptr;
    }
    slot.lastUse = ++uses_;
    return &slot;
}

}  // namespace platform::icons::detail

#include "platform/icons/detail/SmallReadCache.h"

#include <gtest/gtest.h>

#include "tests/icons/CountingSource.h"

#include <vector>

namespace {

using icon_tests::CountingSource;
using platform::icons::detail::SmallReadCache;

std::vector<std::uint8_t> Read(SmallReadCache& cache, const CountingSource& file,
                               std::uint64_t offset, std::size_t length, bool* ok = nullptr) {
    std::vector<std::uint8_t> out(length);
    const bool read = cache.ReadThrough(file, offset, out);
    if (ok != nullptr) {
        *ok = read;
    }
    return read ? out : std::vector<std::uint8_t>{};
}

// Small reads near one another cost one read of their block, which serves large reads inside it
// too; a read across two blocks, a large read elsewhere and the short last block of the file give
// the file's own bytes.
TEST(SmallReadCache, SmallReadsInOneBlockReadItOnceAndEveryReadGivesTheFilesBytes) {
    const CountingSource file(3 * SmallReadCache::kBlockSize + 100);
    SmallReadCache cache;
    for (std::uint64_t offset : {0u, 64u, 128u, 4000u}) {
        EXPECT_TRUE(file.Holds(Read(cache, file, offset, 20), offset));
    }
    EXPECT_EQ(file.reads, 1);

    EXPECT_TRUE(file.Holds(Read(cache, file, 1000, 2000), 1000));  // large, in a held one
    EXPECT_EQ(file.reads, 1);
    EXPECT_TRUE(file.Holds(Read(cache, file, 4090, 20), 4090));    // across two blocks
    EXPECT_TRUE(file.Holds(Read(cache, file, 5000, 2000), 5000));  // large, not held
    EXPECT_EQ(file.reads, 3);
    const std::uint64_t nearEnd = 3 * SmallReadCache::kBlockSize + 90;
    EXPECT_TRUE(file.Holds(Read(cache, file, nearEnd, 10), nearEnd));
    bool ok = true;
    Read(cache, file, nearEnd, 11, &ok);
    EXPECT_FALSE(ok) << "past the end of the file";
}

// A block that cannot be read is not kept: the read fails as the file's own read does, and a
// later read, once the file reads again, gives its bytes. Least recently used blocks make room.
TEST(SmallReadCache, AFailedBlockIsNotKeptAndOldBlocksMakeRoom) {
    CountingSource file(16 * SmallReadCache::kBlockSize);
    SmallReadCache cache;
    file.failing = true;
    bool ok = true;
    Read(cache, file, 10, 4, &ok);
    EXPECT_FALSE(ok);
    file.failing = false;
    EXPECT_TRUE(file.Holds(Read(cache, file, 10, 4), 10));

    file.reads = 0;
    for (std::uint64_t block = 1; block <= SmallReadCache::kBlocksHeld; ++block) {
        Read(cache, file, block * SmallReadCache::kBlockSize, 4);
    }
    EXPECT_EQ(file.reads, static_cast<int>(SmallReadCache::kBlocksHeld));
    Read(cache, file, SmallReadCache::kBlocksHeld * SmallReadCache::kBlockSize + 8, 4);
    EXPECT_EQ(file.reads, static_cast<int>(SmallReadCache::kBlocksHeld)) << "the newest is held";
    Read(cache, file, 10, 4);
    EXPECT_EQ(file.reads, static_cast<int>(SmallReadCache::kBlocksHeld) + 1)
        << "block 0, the oldest, had made room for the newest";
    cache.Clear();
    Read(cache, file, SmallReadCache::kBlocksHeld * SmallReadCache::kBlockSize, 4);
    EXPECT_EQ(file.reads, static_cast<int>(SmallReadCache::kBlocksHeld) + 2);
}

}  // namespace

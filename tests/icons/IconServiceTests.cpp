// ExtractIconA on real files (what a path may name, how names are spelled), and the handles it
// gives: their values, their count, and the snapshots they own.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <chrono>
#include <filesystem>
#include <future>
#include <set>
#include <thread>

#include "platform/icons/IconService.h"
#include "platform/icons/detail/IconHandleTable.h"
#include "tests/icons/IconTestSupport.h"
#include "tests/support/NativePath.h"

namespace {

using fixtures::Bytes;
using icon_tests::ScratchDir;
using platform::icons::DestroyIcon;
using platform::icons::ExtractIconA;
using platform::icons::HICON;
using platform::icons::IconGroup;
using platform::icons::IconGroupOf;
using platform::icons::LiveIconCount;

Bytes Image(std::uint32_t seed) {
    return fixtures::MakeDibImage({.width = 16, .height = 16, .bitCount = 32, .seed = seed}).bytes;
}

// A PE32+ file of three single-image icons: images seed + 0, 1, 2.
Bytes ThreeIcons(std::uint32_t seed) {
    fixtures::PeBuilder pe;
    for (std::uint16_t i = 0; i < 3; ++i) {
        pe.AddIcon(i + 1, Image(seed + i));
        pe.AddGroup(i + 1, {std::uint16_t(i + 1)});
    }
    return pe.Build(true);
}

// Extracts, checks the icon's first image, and frees the handle; true when all that worked.
bool ExtractsImage(const std::string& path, std::int32_t index, const Bytes& image) {
    const HICON icon = ExtractIconA(0, path, index);
    if (icon == 0) {
        return false;
    }
    const auto group = IconGroupOf(icon);
    const bool same = group && !group->images.empty() && group->images[0].bytes == image;
    EXPECT_TRUE(DestroyIcon(icon));
    return same;
}

// ---------------------------------------------------------------------------------------------
// What the path names

class ExtractFromPath : public ::testing::Test {
protected:
    ScratchDir dir;
    const std::size_t liveBefore = LiveIconCount();

    void TearDown() override { EXPECT_EQ(LiveIconCount(), liveBefore) << "a handle leaked"; }
};

TEST_F(ExtractFromPath, EachFormatFromAFile) {
    fixtures::NeBuilder ne(5);
    ne.AddIcon(1, Image(4));
    ne.AddGroup(u"N", {1});
    const std::string pe = dir.Write("app.exe", ThreeIcons(1));
    fixtures::PeBuilder pe32;
    pe32.AddIcon(1, Image(5));
    pe32.AddGroup(1, {1});
    const std::string lib = dir.Write("lib.dll", pe32.Build(false));
    EXPECT_TRUE(ExtractsImage(pe, 0, Image(1)));
    EXPECT_TRUE(ExtractsImage(pe, 2, Image(3)));
    EXPECT_FALSE(ExtractsImage(pe, 3, Image(3)));
    EXPECT_FALSE(ExtractsImage(pe, -1, Image(1)));
    EXPECT_TRUE(ExtractsImage(lib, 0, Image(5)));
    EXPECT_TRUE(ExtractsImage(dir.Write("old.exe", ne.Build()), 0, Image(4)));
    const std::string ico = dir.Write("x.ico", fixtures::BuildIco({Image(6)}));
    EXPECT_TRUE(ExtractsImage(ico, 0, Image(6)));
    EXPECT_FALSE(ExtractsImage(ico, 1, Image(6)));
}

// A file whose directories are larger than any one read of them: a load through the tree kept
// between calls walks them in blocks, and every group still gives its own image, also those whose
// structures straddle two blocks.
TEST_F(ExtractFromPath, EveryGroupOfAFileWithLargeDirectories) {
    constexpr std::uint16_t kGroups = 3000;
    fixtures::PeBuilder pe;
    for (std::uint16_t i = 1; i <= kGroups; ++i) {
        pe.AddIcon(i, fixtures::MakeOpaqueBytes(40 + i % 7, i));
        pe.AddGroup(i, {i});
    }
    const std::string path = dir.Write("large.dll", pe.Build(true));
    for (std::int32_t index = 0; index < kGroups; ++index) {
        const HICON icon = ExtractIconA(0, path, index);
        ASSERT_NE(icon, 0u) << index;
        const auto group = IconGroupOf(icon);
        ASSERT_EQ(group->images.size(), 1u);
        const auto id = static_cast<std::uint32_t>(index + 1);
        EXPECT_EQ(group->images[0].bytes, fixtures::MakeOpaqueBytes(40 + id % 7, id)) << index;
        DestroyIcon(icon);
    }
    EXPECT_EQ(ExtractIconA(0, path, kGroups), 0u);
}

TEST_F(ExtractFromPath, NothingThatIsNotARegularFileOfAKnownFormat) {
    EXPECT_EQ(ExtractIconA(0, dir.File("missing.dll"), 0), 0u);
    EXPECT_EQ(ExtractIconA(0, dir.File("no/such/dir/x.dll"), 0), 0u);
    EXPECT_EQ(ExtractIconA(0, "", 0), 0u);
    EXPECT_EQ(ExtractIconA(0, dir.Path(), 0), 0u);
    std::filesystem::create_directory(dir.File("folder.dll"));
    EXPECT_EQ(ExtractIconA(0, dir.File("folder.dll"), 0), 0u);
    EXPECT_EQ(ExtractIconA(0, "/dev/null", 0), 0u);
    EXPECT_EQ(ExtractIconA(0, "/dev/zero", 0), 0u);
    EXPECT_EQ(ExtractIconA(0, dir.Write("empty.exe", {}), 0), 0u);
    const std::string text = "MZ is how this text starts, but it is only text.\n";
    EXPECT_EQ(ExtractIconA(0, dir.Write("readme.exe", Bytes(text.begin(), text.end())), 0), 0u);
    Bytes noise = fixtures::MakeOpaqueBytes(4096, 3);
    EXPECT_EQ(ExtractIconA(0, dir.Write("noise.dll", noise), 0), 0u);
}

TEST_F(ExtractFromPath, AFifoIsRefusedWithoutWaitingForAWriter) {
#ifdef _WIN32
    GTEST_SKIP() << "no FIFOs in a Windows file system; pipes are refused in tests/win32";
#else
    const std::string fifo = dir.File("y.dll");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    auto call = std::async(std::launch::async, [&] { return ExtractIconA(0, fifo, 0); });
    if (call.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
        ADD_FAILURE() << "ExtractIconA blocked on a FIFO";
        const int writer = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);  // lets it go on
        if (writer >= 0) {
            ::close(writer);
        }
    }
    EXPECT_EQ(call.get(), 0u);
#endif
}

TEST_F(ExtractFromPath, NamesAreTheFileSystemsOwnBytes) {
#ifdef _WIN32
    GTEST_SKIP() << "names are UTF-8 on Windows, checked in tests/win32";
#endif
    const Bytes file = ThreeIcons(20);
    const std::string utf8 = dir.Write("ic\xC3\xB4ne \xE2\x9C\x93.dll", file);
    EXPECT_TRUE(ExtractsImage(utf8, 1, Image(21)));
    const std::string notUtf8 = dir.Write("bad\xFF\xFE\x80name.exe", file);
    EXPECT_TRUE(ExtractsImage(notUtf8, 0, Image(20)));
    const std::string latin1 = dir.Write("caf\xE9.exe", file);
    EXPECT_TRUE(ExtractsImage(latin1, 2, Image(22)));
    // The same bytes spelled in UTF-8 name another file, which does not exist.
    EXPECT_EQ(ExtractIconA(0, dir.File("caf\xC3\xA9.exe"), 0), 0u);
}

TEST_F(ExtractFromPath, DoubledSeparatorsAndDotsAreAccepted) {
    const std::string path = dir.Write("x.dll", ThreeIcons(30));
    std::string doubled;
    for (char c : path) {
        doubled += c == '/' ? std::string("//") : std::string(1, c);
    }
    EXPECT_TRUE(ExtractsImage(doubled, 0, Image(30)));
    EXPECT_TRUE(ExtractsImage(dir.Path() + "/./x.dll", 0, Image(30)));
    EXPECT_EQ(ExtractIconA(0, path + std::string("\0.ico", 5), 0), 0u) << "a NUL in the path";
}

// ---------------------------------------------------------------------------------------------
// Handles

class IconHandles : public ExtractFromPath {};

TEST_F(IconHandles, NonZeroDistinctAndCounted) {
    const std::string path = dir.Write("a.dll", ThreeIcons(40));
    std::set<HICON> handles;
    for (int round = 0; round < 3; ++round) {
        for (int index = 0; index < 3; ++index) {
            const HICON icon = ExtractIconA(0, path, index);
            EXPECT_NE(icon, 0u);
            handles.insert(icon);
        }
    }
    EXPECT_EQ(handles.size(), 9u) << "the same icon extracted again is another handle";
    EXPECT_EQ(LiveIconCount(), liveBefore + 9);
    for (HICON icon : handles) {
        EXPECT_TRUE(DestroyIcon(icon));
        EXPECT_FALSE(DestroyIcon(icon)) << "destroyed twice";
        EXPECT_EQ(IconGroupOf(icon), nullptr);
    }
    EXPECT_EQ(LiveIconCount(), liveBefore);
    EXPECT_FALSE(DestroyIcon(0));
    EXPECT_EQ(IconGroupOf(0), nullptr);
}

TEST_F(IconHandles, SnapshotOutlivesTheFile) {
    const std::string path = dir.Write("b.dll", ThreeIcons(50));
    const HICON kept = ExtractIconA(0, path, 1);
    ASSERT_NE(kept, 0u);

    fixtures::WriteFile(path, ThreeIcons(60));  // rewritten in place
    EXPECT_EQ(IconGroupOf(kept)->images[0].bytes, Image(51));
    EXPECT_TRUE(ExtractsImage(path, 1, Image(61))) << "a new call sees the new file";

    std::filesystem::remove(path);
    EXPECT_EQ(IconGroupOf(kept)->images[0].bytes, Image(51));
    EXPECT_EQ(ExtractIconA(0, path, 1), 0u);
    EXPECT_TRUE(DestroyIcon(kept));
}

TEST_F(IconHandles, SnapshotHeldByTheCallerOutlivesTheHandle) {
    const std::string path = dir.Write("c.dll", ThreeIcons(70));
    const HICON icon = ExtractIconA(0, path, 2);
    std::shared_ptr<const IconGroup> held = IconGroupOf(icon);
    ASSERT_TRUE(held);
    EXPECT_TRUE(DestroyIcon(icon));
    EXPECT_EQ(IconGroupOf(icon), nullptr);
    ASSERT_EQ(held->images.size(), 1u);
    EXPECT_EQ(held->images[0].bytes, Image(72));
}

TEST_F(IconHandles, AFileShrinkingBetweenCallsGivesNoIconOrAWholeOne) {
    const Bytes full = ThreeIcons(80);
    const std::string path = dir.Write("d.dll", full);
    const HICON before = ExtractIconA(0, path, 0);
    ASSERT_NE(before, 0u);
    for (std::size_t size : {full.size() - 1, full.size() / 2, std::size_t(600), std::size_t(0)}) {
        std::filesystem::resize_file(testsupport::NativePath(path), size);
        for (int index = 0; index < 3; ++index) {
            const HICON icon = ExtractIconA(0, path, index);
            if (icon != 0) {
                EXPECT_EQ(IconGroupOf(icon)->images[0].bytes, Image(80 + index));
                EXPECT_TRUE(DestroyIcon(icon));
            }
        }
    }
    EXPECT_EQ(IconGroupOf(before)->images[0].bytes, Image(80));
    EXPECT_TRUE(DestroyIcon(before));
}

// ---------------------------------------------------------------------------------------------
// The table itself

std::shared_ptr<const IconGroup> Snapshot() {
    return std::make_shared<const IconGroup>();
}

TEST(IconHandleTable, WrapsAroundSkippingZeroAndLiveValues) {
    platform::icons::IconHandleTable table(0xFFFFFFFEu);
    EXPECT_EQ(table.Add(Snapshot()), 0xFFFFFFFEu);
    EXPECT_EQ(table.Add(Snapshot()), 0xFFFFFFFFu);
    EXPECT_EQ(table.Add(Snapshot()), 1u) << "0 is never a handle";
    EXPECT_EQ(table.Add(Snapshot()), 2u);
    EXPECT_EQ(table.Add(Snapshot()), 3u);
    EXPECT_TRUE(table.Remove(2));

    table.SetNextValue(0xFFFFFFFEu);  // around again: every live value is skipped
    EXPECT_EQ(table.Add(Snapshot()), 2u);
    EXPECT_EQ(table.Add(Snapshot()), 4u);
    EXPECT_EQ(table.LiveCount(), 6u);
    EXPECT_EQ(table.Add(nullptr), 0u);
    EXPECT_EQ(table.LiveCount(), 6u);
}

TEST(IconHandleTable, EachHandleOwnsItsOwnSnapshot) {
    platform::icons::IconHandleTable table;
    auto first = std::make_shared<IconGroup>();
    first->images.resize(1);
    const HICON a = table.Add(first);
    const HICON b = table.Add(Snapshot());
    EXPECT_EQ(table.Find(a), first);
    EXPECT_NE(table.Find(b), first);
    EXPECT_TRUE(table.Remove(a));
    EXPECT_EQ(table.Find(a), nullptr);
    EXPECT_NE(table.Find(b), nullptr);
    EXPECT_EQ(first.use_count(), 1) << "the table let go of the snapshot";
}

TEST(IconHandleTable, ConcurrentUseKeepsValuesDistinct) {
    platform::icons::IconHandleTable table;
    constexpr int kThreads = 4;
    constexpr int kPerThread = 2000;
    std::vector<std::vector<HICON>> seen(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < kPerThread; ++i) {
                seen[t].push_back(table.Add(Snapshot()));
                if (i % 2 == 1) {
                    EXPECT_TRUE(table.Remove(seen[t][i - 1]));
                }
            }
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    std::set<HICON> all;
    for (const auto& values : seen) {
        all.insert(values.begin(), values.end());
    }
    EXPECT_EQ(all.size(), std::size_t(kThreads * kPerThread));
    EXPECT_EQ(all.count(0), 0u);
    EXPECT_EQ(table.LiveCount(), std::size_t(kThreads * kPerThread / 2));
}

}  // namespace

// Files that name their few bytes over and over: small on disk, huge for a reader that copies what
// each reference names.
#include "tests/support/IconFixtures.h"

namespace fixtures {

Bytes BuildRepeatedGroupPe(std::size_t groups, std::size_t repeats) {
    const FixtureImage image = MakeDibImage({.width = 32, .height = 32, .bitCount = 8});
    PeBuilder pe;
    pe.AddIcon(1, image.bytes);
    pe.AddGroupEntries(1, std::vector<GroupEntry>(repeats, EntryFor(image.bytes, 1)));
    for (std::size_t group = 1; group < groups; ++group) {
        pe.AddGroupEntries(static_cast<int>(group + 1), {EntryFor(image.bytes, 1)});
    }
    BuiltPe built = pe.BuildWithLayout({});
    // Every group's name entry leads to the first group's language directory.
    const std::uint32_t target = Peek32(built.bytes, built.layout.groupEntries.front() + 4);
    for (const std::size_t entry : built.layout.groupEntries) {
        Poke32(built.bytes, entry + 4, target);
    }
    return built.bytes;
}

}  // namespace fixtures

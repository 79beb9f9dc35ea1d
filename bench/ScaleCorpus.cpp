#include "bench/ScaleCorpus.h"

#include <cstdio>
#include <stdexcept>

#include "tests/support/IconFixtures.h"

namespace bench {

namespace {

constexpr std::size_t kBlock = 1000;
constexpr std::size_t kNotExecutable = 900;
constexpr std::size_t kWithoutIcons = 95;

fixtures::Bytes SmallImage(int size, std::uint32_t seed) {
    return fixtures::MakeDibImage({.width = size, .height = size, .bitCount = 8, .seed = seed})
        .bytes;
}

fixtures::Bytes IconFileBytes(std::size_t icons) {
    if (icons > 32767) {
        throw std::invalid_argument("too many icons for 16-bit resource IDs");
    }
    fixtures::PeBuilder pe;
    std::uint16_t id = 1;
    for (std::size_t icon = 0; icon < icons; ++icon) {
        const std::uint16_t small = id++;
        const std::uint16_t large = id++;
        pe.AddIcon(small, SmallImage(16, small));
        pe.AddIcon(large, SmallImage(32, large));
        pe.AddGroup(static_cast<int>(icon + 1), {small, large});
    }
    return pe.Build(/*pe32plus=*/true);
}

fixtures::Bytes FileWithoutIconsBytes() {
    fixtures::PeBuilder pe;
    pe.AddResource(16, 1, fixtures::MakeOpaqueBytes(256, 5));
    return pe.Build(/*pe32plus=*/false);
}

fixtures::Bytes NotExecutableBytes() {
    const std::string text = "Not an executable: a short text file named like one.\n";
    return fixtures::Bytes(text.begin(), text.end());
}

std::string NameOf(std::size_t index) {
    static constexpr const char* kExtensions[] = {"dll", "exe", "ocx"};
    char name[32];
    std::snprintf(name, sizeof name, "f%05zu.%s", index, kExtensions[index % 3]);
    return name;
}

}  // namespace

void WriteScanDirectory(const std::string& directory, std::size_t files) {
    const fixtures::Bytes notExecutable = NotExecutableBytes();
    const fixtures::Bytes withoutIcons = FileWithoutIconsBytes();
    const fixtures::Bytes withIcons = IconFileBytes(3);
    for (std::size_t i = 0; i < files; ++i) {
        const std::size_t slot = i % kBlock;
        const fixtures::Bytes& bytes = slot < kNotExecutable                   ? notExecutable
                                       : slot < kNotExecutable + kWithoutIcons ? withoutIcons
                                                                               : withIcons;
        fixtures::WriteFile(directory + "/" + NameOf(i), bytes);
    }
}

void WriteManyIconFile(const std::string& path, std::size_t icons) {
    fixtures::WriteFile(path, IconFileBytes(icons));
}

}  // namespace bench

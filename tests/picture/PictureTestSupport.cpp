#include "tests/picture/PictureTestSupport.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace picture_test {

platform::icons::IconImage ImageOf(const fixtures::Bytes& bytes) {
    const fixtures::GroupEntry entry = fixtures::EntryFor(bytes, 0);
    return {.entry = {.width = entry.width,
                      .height = entry.height,
                      .colorCount = entry.colorCount,
                      .reserved = entry.reserved,
                      .planes = entry.planes,
                      .bitCount = entry.bitCount},
            .bytesInRes = entry.bytesInRes,
            .bytes = bytes};
}

platform::icons::IconGroup GroupOf(const std::vector<fixtures::FixtureImage>& images) {
    platform::icons::IconGroup group;
    for (const fixtures::FixtureImage& image : images) {
        group.images.push_back(ImageOf(image.bytes));
    }
    return group;
}

platform::icons::IconImage EntryOnly(int width, int height, int bitCount) {
    return {.entry = {.width = static_cast<std::uint8_t>(width & 0xFF),
                      .height = static_cast<std::uint8_t>(height & 0xFF),
                      .planes = 1,
                      .bitCount = static_cast<std::uint16_t>(bitCount)},
            .bytes = {}};
}

fixtures::Bytes ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> FilesIn(const std::string& directory) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(directory)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool ShowsColour(std::uint32_t premultiplied, std::uint32_t expectedArgb) {
    const auto channel = [](std::uint32_t pixel, int shift) {
        return static_cast<int>((pixel >> shift) & 0xFF);
    };
    const int alpha = channel(expectedArgb, 24);
    if (std::abs(channel(premultiplied, 24) - alpha) > 1) {
        return false;
    }
    for (int shift = 0; shift <= 16; shift += 8) {
        // Premultiplied as Qt does it: colour * alpha / 255, rounded.
        const int expected = (channel(expectedArgb, shift) * alpha + 127) / 255;
        if (std::abs(channel(premultiplied, shift) - expected) > 1) {
            return false;
        }
    }
    return true;
}

}  // namespace picture_test

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

bool ShowsColour(QRgb premultiplied, std::uint32_t expectedArgb) {
    const QRgb expected = qPremultiply(expectedArgb);
    const auto near = [](int a, int b) { return std::abs(a - b) <= 1; };
    return near(qAlpha(premultiplied), qAlpha(expected)) &&
           near(qRed(premultiplied), qRed(expected)) &&
           near(qGreen(premultiplied), qGreen(expected)) &&
           near(qBlue(premultiplied), qBlue(expected));
}

}  // namespace picture_test

#include "tests/library/LibraryFixtures.h"

#include <cstdint>

namespace library_fixtures {

namespace {

using fixtures::Bytes;

void Append16(Bytes& bytes, std::uint16_t value) {
    bytes.push_back(static_cast<std::uint8_t>(value));
    bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Append32(Bytes& bytes, std::uint32_t value) {
    Append16(bytes, static_cast<std::uint16_t>(value));
    Append16(bytes, static_cast<std::uint16_t>(value >> 16));
}

// An RT_CURSOR resource: the hotspot, then the image.
Bytes CursorResource(const Bytes& image) {
    Bytes bytes;
    Append16(bytes, kHotspotX);
    Append16(bytes, kHotspotY);
    bytes.insert(bytes.end(), image.begin(), image.end());
    return bytes;
}

// An RT_GROUP_CURSOR directory of one entry naming cursor `id` (its height counting the mask, as
// Microsoft's rc writes it).
Bytes CursorGroup(const fixtures::FixtureImage& image, std::uint16_t id, std::uint32_t length) {
    Bytes bytes;
    Append16(bytes, 0);
    Append16(bytes, 2);
    Append16(bytes, 1);
    Append16(bytes, static_cast<std::uint16_t>(image.width));
    Append16(bytes, static_cast<std::uint16_t>(image.height * 2));
    Append16(bytes, 1);
    Append16(bytes, static_cast<std::uint16_t>(image.bitCount));
    Append32(bytes, length);
    Append16(bytes, id);
    return bytes;
}

}  // namespace

Bytes BuildApp() {
    fixtures::PeBuilder pe;
    pe.AddIcon(1, fixtures::MakeDibImage({.width = 16, .height = 16, .bitCount = 8}).bytes,
               fixtures::kLangItIt);
    pe.AddIcon(
        2, fixtures::MakeDibImage({.width = 32, .height = 32, .bitCount = 32, .seed = 2}).bytes);
    pe.AddIcon(3, fixtures::MakePngImage(256, 256, 3).bytes);
    pe.AddGroup(u"MAINICON", {1, 2, 3}, fixtures::kLangItIt);
    pe.AddGroup(100, {2});
    const fixtures::FixtureImage cursor =
        fixtures::MakeDibImage({.width = 32, .height = 32, .bitCount = 1, .seed = 4});
    const Bytes resource = CursorResource(cursor.bytes);
    pe.AddResource(1, 5, resource);
    pe.AddResource(12, 200, CursorGroup(cursor, 5, static_cast<std::uint32_t>(resource.size())));
    return pe.Build(/*pe32plus=*/true);
}

void WriteFixtures(const std::string& directory) {
    fixtures::WriteFile(directory + "/app.exe", BuildApp());
    fixtures::WriteFile(
        directory + "/plain.ico",
        fixtures::BuildIco(
            {fixtures::MakeDibImage({.width = 16, .height = 16, .bitCount = 4}).bytes,
             fixtures::MakeDibImage({.width = 48, .height = 48, .bitCount = 24}).bytes}));
    fixtures::WriteFile(directory + "/repeated.exe", fixtures::BuildRepeatedGroupPe(3, 2));
    fixtures::PeBuilder iconless;
    iconless.AddResource(16, 1, Bytes(64, 1));  // a version record and nothing else
    fixtures::WriteFile(directory + "/iconless.dll", iconless.Build(/*pe32plus=*/true));
    const std::string text = "not an executable\n";
    fixtures::WriteFile(directory + "/notes.txt", Bytes(text.begin(), text.end()));
}

}  // namespace library_fixtures

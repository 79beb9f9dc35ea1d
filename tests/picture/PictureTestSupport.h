#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/icons/IconService.h"
#include "tests/support/IconFixtures.h"

// Helpers of the picture tests: icon images and groups made of fixture images, files on disk.
namespace picture_test {

// The icon image a group would hold for these fixture bytes (entry fields from EntryFor).
platform::icons::IconImage ImageOf(const fixtures::Bytes& bytes);
platform::icons::IconGroup GroupOf(const std::vector<fixtures::FixtureImage>& images);

// An image with only its group entry fields set (no bytes), for choosing among sizes and depths.
platform::icons::IconImage EntryOnly(int width, int height, int bitCount);

fixtures::Bytes ReadFile(const std::string& path);

// The names in a directory, sorted ("." and ".." left out).
std::vector<std::string> FilesIn(const std::string& directory);

// Whether the rendered (premultiplied) pixel shows the expected colour (0xAARRGGBB, not
// premultiplied), within one step per channel for rounding.
bool ShowsColour(std::uint32_t premultiplied, std::uint32_t expectedArgb);

}  // namespace picture_test

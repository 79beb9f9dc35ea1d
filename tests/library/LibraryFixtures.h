#pragma once

#include <string>

#include "tests/support/IconFixtures.h"

// The files the library's tests read, built in code: an executable with icon and cursor groups,
// an .ico file, and a file that is no executable.
namespace library_fixtures {

// A 32x32 1-bpp cursor image with hotspot (7, 18), in a group of its own (RT_GROUP_CURSOR 200).
inline constexpr int kHotspotX = 7;
inline constexpr int kHotspotY = 18;

// A PE32+ executable holding icon groups "MAINICON" (16x16 8 bpp, 32x32 32 bpp, 256x256 PNG;
// Italian) and 100 (the 32x32 image again), and cursor group 200.
fixtures::Bytes BuildApp();

// Writes app.exe (BuildApp), plain.ico (16x16 4 bpp and 48x48 24 bpp), iconless.dll (a PE file
// with a version record only), repeated.exe (3 entries naming one group of 2 images) and notes.txt
// (text) into `directory`.
void WriteFixtures(const std::string& directory);

}  // namespace library_fixtures

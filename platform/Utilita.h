#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/icons/IconService.h"

// The system calls the window makes for icons: ExtractIconA and DestroyIcon. They go through the
// service installed here, the real icon-extraction service unless a test scripts another one.
namespace platform {

using icons::HICON;
using icons::HWND;

HICON ExtractIconA(HWND hwnd, const std::string& path, std::int32_t index);
bool DestroyIcon(HICON icon);

using ExtractIconService = std::function<HICON(HWND, const std::string&, std::int32_t)>;

// Installs another extraction service (an empty function restores the real one); returns the one
// it replaces.
ExtractIconService InstallExtractIconService(ExtractIconService service);

}  // namespace platform

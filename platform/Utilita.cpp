#include "platform/Utilita.h"

#include <utility>

namespace platform {

namespace {

ExtractIconService& InstalledService() {
    static ExtractIconService service;
    return service;
}

}  // namespace

HICON ExtractIconA(HWND hwnd, const std::string& path, std::int32_t index) {
    const ExtractIconService& service = InstalledService();
    return service ? service(hwnd, path, index) : icons::ExtractIconA(hwnd, path, index);
}

bool DestroyIcon(HICON icon) {
    return icons::DestroyIcon(icon);
}

ExtractIconService InstallExtractIconService(ExtractIconService service) {
    return std::exchange(InstalledService(), std::move(service));
}

}  // namespace platform

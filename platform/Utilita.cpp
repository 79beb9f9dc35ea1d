#include "platform/Utilita.h"

#include <utility>

#include "platform/runtime/Replaceable.h"

namespace platform {

namespace {

runtime::Replaceable<ExtractIconService>& ExtractIconServiceSlot() {
    static runtime::Replaceable<ExtractIconService> service{icons::ExtractIconA};
    return service;
}

}  // namespace

HICON ExtractIconA(HWND hwnd, const std::string& path, std::int32_t index) {
    return ExtractIconServiceSlot().Current()(hwnd, path, index);
}

bool DestroyIcon(HICON icon) {
    return icons::DestroyIcon(icon);
}

ExtractIconService InstallExtractIconService(ExtractIconService service) {
    return ExtractIconServiceSlot().Install(std::move(service));
}

}  // namespace platform

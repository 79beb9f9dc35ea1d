#include "platform/toolkit/ApplicationName.h"

#include <windows.h>

#include "platform/toolkit/PathText.h"
#include "platform/toolkit/win32/WideText.h"

namespace toolkit {

std::string ApplicationName() {
    std::wstring path(MAX_PATH, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), MAX_PATH);
    path.resize(length < MAX_PATH ? length : 0);
    std::string name = path_text::LastComponent(win32::Utf8Of(path));
    if (const std::size_t dot = name.rfind('.'); dot != std::string::npos && dot > 0) {
        name.erase(dot);
    }
    return name;
}

}  // namespace toolkit

#include "platform/toolkit/win32/ProgramFiles.h"

#include <windows.h>

#include "platform/toolkit/win32/EmbeddedFiles.h"
#include "platform/toolkit/win32/WideText.h"

namespace toolkit::win32 {

namespace {

std::optional<std::vector<std::uint8_t>> ReadDiskFile(const std::string& name, std::size_t limit) {
    HANDLE file = CreateFileW(Wide(name).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    LARGE_INTEGER size{};
    std::optional<std::vector<std::uint8_t>> bytes;
    if (GetFileType(file) == FILE_TYPE_DISK && GetFileSizeEx(file, &size) &&
        static_cast<unsigned long long>(size.QuadPart) <= limit) {
        std::vector<std::uint8_t> read(static_cast<std::size_t>(size.QuadPart));
        DWORD got = 0;
        if (read.empty() ||
            (ReadFile(file, read.data(), static_cast<DWORD>(read.size()), &got, nullptr) &&
             got == read.size())) {
            bytes = std::move(read);
        }
    }
    CloseHandle(file);
    return bytes;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> ReadProgramFile(const std::string& name,
                                                         std::size_t limit) {
    if (name.starts_with(":/")) {
        for (const EmbeddedFile& file : EmbeddedFiles()) {
            if (file.name == name && file.bytes.size() <= limit) {
                return std::vector<std::uint8_t>(file.bytes.begin(), file.bytes.end());
            }
        }
        return std::nullopt;
    }
    return ReadDiskFile(name, limit);
}

}  // namespace toolkit::win32

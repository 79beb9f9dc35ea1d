// A directory's identity on Windows: its volume serial number, file index and last write time,
// from a handle opened with FILE_FLAG_BACKUP_SEMANTICS (the only way to open a directory).
#include <windows.h>

#include "platform/icons/detail/DirectoryIndex.h"

namespace platform::icons::detail {

std::optional<SourceIdentity> DirectoryStamp(const std::filesystem::path& path) {
    const HANDLE directory = ::CreateFileW(
        path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (directory == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = ::GetFileInformationByHandle(directory, &info) != 0 &&
                       (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    ::CloseHandle(directory);
    if (!known) {
        return std::nullopt;
    }
    const auto join = [](DWORD high, DWORD low) {
        return (static_cast<std::uint64_t>(high) << 32) | low;
    };
    // FILETIME counts 100 ns ticks from 1601-01-01; the stamp's seconds are from 1970-01-01.
    const std::uint64_t written =
        join(info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime);
    return SourceIdentity{
        .device = info.dwVolumeSerialNumber,
        .file = join(info.nFileIndexHigh, info.nFileIndexLow),
        .modifiedSeconds = static_cast<std::int64_t>(written / 10'000'000) - 11'644'473'600,
        .modifiedNanoseconds = static_cast<std::int64_t>(written % 10'000'000) * 100};
}

}  // namespace platform::icons::detail

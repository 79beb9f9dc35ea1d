#pragma once

#include <chrono>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace testsupport {

// Sets the modification time of the file or directory at `path` to `hours` hours ago; throws
// std::filesystem::filesystem_error when it cannot. On Windows a directory's time is set through a
// handle opened with backup semantics (the C runtime's _wutime, which std::filesystem uses, cannot
// open a directory).
inline void SetModifiedHoursAgo(const std::filesystem::path& path, int hours) {
#ifdef _WIN32
    const HANDLE handle = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    bool set = false;
    if (handle != INVALID_HANDLE_VALUE) {
        FILETIME now;
        GetSystemTimeAsFileTime(&now);
        ULARGE_INTEGER time{{now.dwLowDateTime, now.dwHighDateTime}};
        time.QuadPart -= static_cast<ULONGLONG>(hours) * 3600ULL * 10'000'000ULL;  // 100 ns units
        const FILETIME then{time.LowPart, time.HighPart};
        set = SetFileTime(handle, nullptr, nullptr, &then) != 0;
        CloseHandle(handle);
    }
    if (!set) {
        throw std::filesystem::filesystem_error(
            "cannot set file time", path,
            std::error_code(static_cast<int>(GetLastError()), std::system_category()));
    }
#else
    std::filesystem::last_write_time(
        path, std::filesystem::file_time_type::clock::now() - std::chrono::hours(hours));
#endif
}

}  // namespace testsupport

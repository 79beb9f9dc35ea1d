// The byte source over a Windows file: CreateFileW sharing read, write and delete, positioned
// ReadFile calls, the identity from GetFileInformationByHandle.
#include "platform/icons/FileSource.h"

#include <windows.h>

#include <algorithm>
#include <limits>
#include <optional>
#include <string>

#include "platform/format/Utf16Text.h"

namespace platform::icons {

namespace {

// Seconds from 1601-01-01 (FILETIME's epoch) to 1970-01-01.
constexpr std::int64_t kFileTimeToUnixSeconds = 11'644'473'600;
constexpr std::uint64_t kFileTimeTicksPerSecond = 10'000'000;  // 100 ns each

// Opens for reading without the system's "no disk in drive" box (a scan must never wait on it).
HANDLE OpenShared(const std::wstring& path) {
    DWORD previousMode = 0;
    const bool quiet = ::SetThreadErrorMode(SEM_FAILCRITICALERRORS, &previousMode) != 0;
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (quiet) {
        ::SetThreadErrorMode(previousMode, nullptr);
    }
    return file;
}

std::uint64_t Join(DWORD high, DWORD low) {
    return (static_cast<std::uint64_t>(high) << 32) | low;
}

// The identity of an open disk file that is not a directory; nullopt for anything else (pipes,
// consoles, character devices) or a size no offset can reach.
std::optional<SourceIdentity> DiskFileIdentity(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (::GetFileType(file) != FILE_TYPE_DISK || !::GetFileInformationByHandle(file, &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return std::nullopt;
    }
    const std::uint64_t size = Join(info.nFileSizeHigh, info.nFileSizeLow);
    if (size > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
        return std::nullopt;
    }
    const std::uint64_t ticks =
        Join(info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime);
    return SourceIdentity{
        .device = info.dwVolumeSerialNumber,
        .file = Join(info.nFileIndexHigh, info.nFileIndexLow),
        .size = size,
        .modifiedSeconds =
            static_cast<std::int64_t>(ticks / kFileTimeTicksPerSecond) - kFileTimeToUnixSeconds,
        .modifiedNanoseconds = static_cast<std::int64_t>(ticks % kFileTimeTicksPerSecond) * 100};
}

HANDLE HandleOf(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

}  // namespace

std::unique_ptr<FileSource> FileSource::Open(const std::string& path) {
    if (path.find('\0') != std::string::npos) {
        return nullptr;
    }
    const std::optional<std::wstring> wide = platform::format::Utf16Of<wchar_t>(path);
    if (!wide) {
        return nullptr;  // no Windows name is spelled by bytes that are not UTF-8
    }
    const HANDLE file = OpenShared(*wide);
    if (file == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    const std::optional<SourceIdentity> identity = DiskFileIdentity(file);
    if (!identity) {
        ::CloseHandle(file);
        return nullptr;
    }
    return std::unique_ptr<FileSource>(
        new FileSource(reinterpret_cast<std::intptr_t>(file), *identity));
}

FileSource::~FileSource() {
    ::CloseHandle(HandleOf(handle_));
}

bool FileSource::ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const {
    constexpr auto kMaxOffset =
        static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    constexpr std::size_t kMaxChunk = 1u << 30;  // well inside a DWORD
    if (!RangeInside(kMaxOffset, offset, out.size())) {
        return false;
    }
    std::size_t done = 0;
    while (done < out.size()) {
        const std::uint64_t at = offset + done;
        OVERLAPPED position{};
        position.Offset = static_cast<DWORD>(at);
        position.OffsetHigh = static_cast<DWORD>(at >> 32);
        const auto wanted = static_cast<DWORD>(std::min(out.size() - done, kMaxChunk));
        DWORD got = 0;
        if (!::ReadFile(HandleOf(handle_), out.data() + done, wanted, &got, &position) ||
            got == 0) {
            return false;  // an error, or the file ends early
        }
        done += got;
    }
    return true;
}

}  // namespace platform::icons

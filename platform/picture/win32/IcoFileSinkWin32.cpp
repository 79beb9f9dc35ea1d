#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <optional>
#include <random>
#include <string_view>
#include <utility>

#include "platform/files/FilePaths.h"
#include "platform/format/Utf16Text.h"
#include "platform/picture/IcoFileSink.h"

// The Windows sink: the temporary file is made with CreateFileW (CREATE_NEW) next to the target,
// flushed with FlushFileBuffers and moved over the target with MoveFileExW (replace, write
// through). The sink's descriptor is the C runtime's descriptor over the file's handle; the
// errors are told in the errno numbers SaveErrorNumber reads.
namespace platform::picture {

namespace {

constexpr int kTemporaryNameAttempts = 100;

// The errno number that stands for a Windows error in SaveErrorNumber's terms.
int ErrnoOf(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME:
            return ENOENT;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return EACCES;
        case ERROR_WRITE_PROTECT:
            return EROFS;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return ENOSPC;
        default:
            return EIO;
    }
}

// Keeps the system's "no disk in drive" box away while it lives.
class QuietErrors {
public:
    QuietErrors() : quiet_(::SetThreadErrorMode(SEM_FAILCRITICALERRORS, &previous_) != 0) {}
    ~QuietErrors() {
        if (quiet_) {
            ::SetThreadErrorMode(previous_, nullptr);
        }
    }
    QuietErrors(const QuietErrors&) = delete;
    QuietErrors& operator=(const QuietErrors&) = delete;

private:
    DWORD previous_ = 0;
    bool quiet_;
};

std::string TemporaryNameFor(const std::string& finalName, std::mt19937& random) {
    constexpr std::string_view kLetters = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::uniform_int_distribution<std::size_t> pick(0, kLetters.size() - 1);
    std::string name = finalName + ".";
    for (int i = 0; i < 6; ++i) {
        name += kLetters[pick(random)];
    }
    return name;
}

// A new file made by this call alone, open for writing and shared with nobody; the handle, or
// INVALID_HANDLE_VALUE with the thread's last error set.
HANDLE CreateTemporary(const std::string& finalName, std::string& temporaryName) {
    std::random_device seed;
    std::mt19937 random(seed());
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        temporaryName = TemporaryNameFor(finalName, random);
        const std::optional<std::wstring> wide = format::Utf16Of<wchar_t>(temporaryName);
        if (!wide) {
            break;
        }
        const HANDLE file = ::CreateFileW(wide->c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_FILE_EXISTS) {
            if (file == INVALID_HANDLE_VALUE) {
                temporaryName.clear();
            }
            return file;
        }
    }
    temporaryName.clear();
    ::SetLastError(ERROR_INVALID_NAME);
    return INVALID_HANDLE_VALUE;
}

// A file that cannot be written is not replaced either.
bool IsReadOnlyFile(const std::wstring& name) {
    const DWORD attributes = ::GetFileAttributesW(name.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

HANDLE HandleOf(int descriptor) {
    return reinterpret_cast<HANDLE>(::_get_osfhandle(descriptor));
}

}  // namespace

bool SaveFileSink::Open(const std::string& fileName) {
    QuietErrors quiet;
    finalName_ = files::FollowLinks(fileName);
    const std::optional<std::wstring> wideFinal = format::Utf16Of<wchar_t>(finalName_);
    if (!wideFinal || wideFinal->empty()) {
        return Fail(EINVAL);
    }
    if (IsReadOnlyFile(*wideFinal)) {
        return Fail(EACCES);
    }
    const HANDLE file = CreateTemporary(finalName_, temporaryName_);
    if (file == INVALID_HANDLE_VALUE) {
        return Fail(ErrnoOf(::GetLastError()));
    }
    descriptor_ = ::_open_osfhandle(reinterpret_cast<intptr_t>(file), _O_WRONLY | _O_BINARY);
    if (descriptor_ < 0) {
        ::CloseHandle(file);
        return Fail(EMFILE);
    }
    return true;
}

bool SaveFileSink::Write(std::span<const std::uint8_t> bytes) {
    QuietErrors quiet;
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 20));
        DWORD written = 0;
        if (!::WriteFile(HandleOf(descriptor_), bytes.data(), chunk, &written, nullptr)) {
            return Fail(ErrnoOf(::GetLastError()));
        }
        if (written == 0) {
            return Fail(EIO);
        }
        bytes = bytes.subspan(written);
    }
    return true;
}

bool SaveFileSink::Commit() {
    QuietErrors quiet;
    if (!::FlushFileBuffers(HandleOf(descriptor_))) {
        return Fail(ErrnoOf(::GetLastError()));
    }
    if (!CloseFile()) {
        return false;
    }
    const std::optional<std::wstring> from = format::Utf16Of<wchar_t>(temporaryName_);
    const std::optional<std::wstring> to = format::Utf16Of<wchar_t>(finalName_);
    if (!from || !to ||
        !::MoveFileExW(from->c_str(), to->c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return Fail(ErrnoOf(::GetLastError()));
    }
    temporaryName_.clear();
    return true;
}

bool SaveFileSink::CloseFile() {
    if (::_close(std::exchange(descriptor_, -1)) != 0) {
        return Fail(EIO);
    }
    return true;
}

void SaveFileSink::Discard() {
    if (descriptor_ >= 0) {
        ::_close(std::exchange(descriptor_, -1));
    }
    if (!temporaryName_.empty()) {
        if (const std::optional<std::wstring> wide = format::Utf16Of<wchar_t>(temporaryName_)) {
            ::DeleteFileW(wide->c_str());
        }
        temporaryName_.clear();
    }
}

}  // namespace platform::picture

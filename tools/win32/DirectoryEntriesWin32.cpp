// The walk's directory reading on Windows: FindFirstFileExW over "DIR\*", the directory's identity
// from GetFileInformationByHandle. A reparse point (a symbolic link, a junction) is an entry's
// link.
#include <windows.h>

#include <string>

#include "platform/format/Utf16Text.h"
#include "platform/runtime/RuntimeError.h"
#include "tools/DirectoryEntries.h"

namespace tool {

const char kPathSeparator = '\\';

namespace {

std::int32_t FailureOf(DWORD error) {
    switch (error) {
        case ERROR_ACCESS_DENIED:
            return runtime::errPermissionDenied;
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
            return runtime::errPathNotFound;
        default:
            return runtime::errPathFileAccess;
    }
}

EntryKind KindOfAttributes(DWORD attributes) {
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? EntryKind::Directory
           : (attributes & FILE_ATTRIBUTE_DEVICE) != 0  ? EntryKind::Other
                                                        : EntryKind::File;
}

bool IsDotOrDotDot(const wchar_t* name) {
    return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

// The directory's volume and file index, through a handle that opens it for nothing but that.
bool IdentityOf(const std::wstring& path, DirectoryIdentity& identity) {
    const HANDLE directory =
        ::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (directory == INVALID_HANDLE_VALUE) {
        return false;
    }
    BY_HANDLE_FILE_INFORMATION information{};
    const bool read = ::GetFileInformationByHandle(directory, &information) != 0;
    ::CloseHandle(directory);
    identity = {
        information.dwVolumeSerialNumber,
        (static_cast<std::uint64_t>(information.nFileIndexHigh) << 32) | information.nFileIndexLow};
    return read && (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

EntryKind KindOfPath(const std::string& path) {
    const auto wide = platform::format::Utf16Of<wchar_t>(path);
    if (!wide) {
        return EntryKind::Missing;
    }
    const DWORD attributes = ::GetFileAttributesW(wide->c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = ::GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? EntryKind::Missing
                                                                              : EntryKind::Other;
    }
    return KindOfAttributes(attributes);
}

DirectoryListing ReadDirectory(const std::string& path, std::size_t maxEntries) {
    DirectoryListing listing;
    const auto wide = platform::format::Utf16Of<wchar_t>(path);
    if (!wide) {
        listing.failure = runtime::errPathNotFound;
        return listing;
    }
    if (!IdentityOf(*wide, listing.identity)) {
        listing.failure = FailureOf(::GetLastError());
        return listing;
    }
    const bool separated = !wide->empty() && (wide->back() == L'\\' || wide->back() == L'/');
    const std::wstring pattern = *wide + (separated ? L"*" : L"\\*");
    WIN32_FIND_DATAW found{};
    const HANDLE search =
        ::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr,
                           FIND_FIRST_EX_LARGE_FETCH);
    if (search == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        listing.failure = error == ERROR_FILE_NOT_FOUND ? 0 : FailureOf(error);
        return listing;
    }
    do {
        if (IsDotOrDotDot(found.cFileName)) {
            continue;
        }
        if (listing.entries.size() == maxEntries) {
            listing.truncated = true;
            break;
        }
        // A lone surrogate in a name becomes U+FFFD: such a file is then reported as missing.
        listing.entries.push_back({platform::format::Utf8Of<wchar_t>(found.cFileName),
                                   KindOfAttributes(found.dwFileAttributes),
                                   (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0});
    } while (::FindNextFileW(search, &found) != 0);
    const DWORD error = listing.truncated ? ERROR_NO_MORE_FILES : ::GetLastError();
    ::FindClose(search);
    listing.failure = error == ERROR_NO_MORE_FILES ? 0 : FailureOf(error);
    return listing;
}

}  // namespace tool

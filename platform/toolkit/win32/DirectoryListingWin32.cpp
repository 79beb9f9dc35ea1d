#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <cwchar>
#include <optional>

#include "platform/toolkit/DirectoryListing.h"
#include "platform/toolkit/FirstNames.h"
#include "platform/toolkit/win32/WideText.h"

// Directory listings read with FindFirstFileExW: names as Windows stores them, hidden and system
// entries left out, in the lists' order ignoring case.
namespace toolkit::directory_listing {

namespace {

// A name with its UTF-16 spelling, made once for the comparisons.
struct ShownName {
    std::string raw;
    std::wstring shown;
};

bool ShownBefore(const ShownName& a, const ShownName& b) {
    const int byText =
        ::CompareStringOrdinal(a.shown.data(), static_cast<int>(a.shown.size()), b.shown.data(),
                               static_cast<int>(b.shown.size()), TRUE);
    return byText != CSTR_EQUAL ? byText == CSTR_LESS_THAN : a.raw < b.raw;
}

using FirstNames = toolkit::FirstNames<ShownName, ShownBefore>;

// The errno number the lists read for a Windows error: ENOENT for a directory that is not there.
int ErrnoOf(DWORD error) {
    switch (error) {
        case ERROR_PATH_NOT_FOUND:
        case ERROR_DIRECTORY:
        case ERROR_INVALID_NAME:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME:
            return ENOENT;
        case ERROR_ACCESS_DENIED:
            return EACCES;
        default:
            return EIO;
    }
}

bool IsKind(const WIN32_FIND_DATAW& entry, EntryKind kind) {
    constexpr DWORD kLeftOut = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    if ((entry.dwFileAttributes & kLeftOut) != 0) {
        return false;
    }
    const bool directory = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (kind == EntryKind::Directory) {
        return directory && std::wcscmp(entry.cFileName, L".") != 0 &&
               std::wcscmp(entry.cFileName, L"..") != 0;
    }
    return !directory && (entry.dwFileAttributes & FILE_ATTRIBUTE_DEVICE) == 0;
}

std::optional<std::wstring> SearchPattern(const std::string& directory) {
    std::optional<std::wstring> pattern = win32::WideOf(directory);
    if (!pattern || pattern->empty()) {
        return std::nullopt;
    }
    if (pattern->back() != L'\\' && pattern->back() != L'/') {
        *pattern += L'\\';
    }
    *pattern += L'*';
    return pattern;
}

struct FindCloser {
    HANDLE find;
    ~FindCloser() { ::FindClose(find); }
};

}  // namespace

bool ListsBefore(const std::string& a, const std::string& b) {
    return ShownBefore({a, win32::WideOf(a).value_or(L"")}, {b, win32::WideOf(b).value_or(L"")});
}

Listing ListDirectory(const std::string& directory, EntryKind kind,
                      const std::function<bool(const std::string&)>& accept, std::size_t limit) {
    const std::optional<std::wstring> pattern = SearchPattern(directory);
    if (!pattern) {
        return {ENOENT, {}};
    }
    const win32::QuietDriveErrors quiet;
    WIN32_FIND_DATAW entry{};
    const HANDLE find =
        ::FindFirstFileExW(pattern->c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch,
                           nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        // A root with nothing in it has not even "." to find.
        return error == ERROR_FILE_NOT_FOUND ? Listing{} : Listing{ErrnoOf(error), {}};
    }
    const FindCloser closer{find};
    FirstNames first(limit);
    do {
        if (!IsKind(entry, kind)) {
            continue;
        }
        std::wstring shown(entry.cFileName);
        std::string name = win32::Utf8Of(shown);
        if (!name.empty() && (!accept || accept(name))) {
            first.Add({std::move(name), std::move(shown)});
        }
    } while (::FindNextFileW(find, &entry));
    if (const DWORD error = ::GetLastError(); error != ERROR_NO_MORE_FILES) {
        return {ErrnoOf(error), {}};
    }
    return {0, first.Take()};
}

}  // namespace toolkit::directory_listing

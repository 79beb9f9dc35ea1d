// TEMPORARY, replaced at merge by the Windows directory listing and volume enumeration of their
// own branch: just enough of directory_listing::ListDirectory and MountedVolumes for the Win32
// forms layer to link and run.
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cerrno>

#include "platform/toolkit/DirectoryListing.h"
#include "platform/toolkit/Volumes.h"
#include "platform/toolkit/win32/WideText.h"

namespace toolkit {

namespace directory_listing {

namespace {

int ErrnoOf(DWORD error) {
    return error == ERROR_PATH_NOT_FOUND || error == ERROR_FILE_NOT_FOUND ||
                   error == ERROR_INVALID_NAME || error == ERROR_DIRECTORY
               ? ENOENT
               : EACCES;
}

bool IsKind(const WIN32_FIND_DATAW& found, EntryKind kind) {
    const bool directory = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    return kind == EntryKind::Directory ? directory : !directory;
}

bool IsShown(const WIN32_FIND_DATAW& found) {
    const std::wstring name = found.cFileName;
    return name != L"." && name != L".." &&
           (found.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) == 0;
}

std::string Folded(const std::string& text) {
    std::string folded = text;
    for (char& c : folded) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return folded;
}

}  // namespace

bool ListsBefore(const std::string& a, const std::string& b) {
    const std::string foldedA = Folded(a);
    const std::string foldedB = Folded(b);
    return foldedA != foldedB ? foldedA < foldedB : a < b;
}

Listing ListDirectory(const std::string& directory, EntryKind kind,
                      const std::function<bool(const std::string&)>& accept, std::size_t limit) {
    Listing listing;
    const std::string pattern = directory.ends_with("\\") ? directory + "*" : directory + "\\*";
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileExW(win32::Wide(pattern).c_str(), FindExInfoBasic, &found,
                                     FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        listing.error = error == ERROR_FILE_NOT_FOUND ? 0 : ErrnoOf(error);
        return listing;
    }
    do {
        if (IsShown(found) && IsKind(found, kind)) {
            std::string name = win32::Utf8(found.cFileName);
            if (!accept || accept(name)) {
                listing.names.push_back(std::move(name));
            }
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(listing.names.begin(), listing.names.end(), ListsBefore);
    if (listing.names.size() > limit) {
        listing.names.resize(limit);
    }
    return listing;
}

}  // namespace directory_listing

std::vector<Volume> MountedVolumes() {
    std::vector<Volume> volumes;
    const DWORD drives = GetLogicalDrives();
    for (int letter = 0; letter < 26; ++letter) {
        if ((drives & (1u << letter)) == 0) {
            continue;
        }
        const std::string drive{static_cast<char>('a' + letter), ':'};
        wchar_t label[MAX_PATH + 1] = {};
        const UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS);
        GetVolumeInformationW(win32::Wide(drive + "\\").c_str(), label, MAX_PATH + 1, nullptr,
                              nullptr, nullptr, nullptr, 0);
        SetErrorMode(previous);
        volumes.push_back({.rootPath = drive, .label = win32::Utf8(label)});
    }
    return volumes;
}

}  // namespace toolkit

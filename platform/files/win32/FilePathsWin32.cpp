#include <windows.h>

#include <optional>

#include "platform/files/FilePaths.h"
#include "platform/format/Utf16Text.h"

namespace platform::files {

namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

// Whether the name starts with a drive letter and its colon ("c:").
bool HasDrive(const std::string& fileName) {
    const unsigned char letter = static_cast<unsigned char>(fileName.empty() ? 0 : fileName[0]);
    return fileName.size() >= 2 && fileName[1] == ':' &&
           ((letter >= 'a' && letter <= 'z') || (letter >= 'A' && letter <= 'Z'));
}

// The attributes of what the name names, without the "no disk in drive" box; nullopt when it names
// nothing that can be looked at.
std::optional<DWORD> AttributesOf(const std::string& fileName) {
    const std::optional<std::wstring> wide = format::Utf16Of<wchar_t>(fileName);
    if (!wide || wide->empty()) {
        return std::nullopt;
    }
    DWORD previousMode = 0;
    const bool quiet = ::SetThreadErrorMode(SEM_FAILCRITICALERRORS, &previousMode) != 0;
    const DWORD attributes = ::GetFileAttributesW(wide->c_str());
    if (quiet) {
        ::SetThreadErrorMode(previousMode, nullptr);
    }
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return std::nullopt;
    }
    return attributes;
}

}  // namespace

// "c:\a\b.ico" gives "c:\a", "c:\b.ico" gives "c:\", "c:b.ico" gives "c:", "\b.ico" gives "\",
// a bare name ".".
std::string DirectoryOf(const std::string& fileName) {
    const std::size_t separator = fileName.find_last_of("\\/");
    const std::size_t driveLength = HasDrive(fileName) ? 2 : 0;
    if (separator == std::string::npos || separator < driveLength) {
        return driveLength > 0 ? fileName.substr(0, driveLength) : ".";
    }
    std::size_t end = separator;
    while (end > driveLength && IsSeparator(fileName[end - 1])) {
        --end;  // "c:\a\\b" names the same directory as "c:\a\b"
    }
    return end == driveLength ? fileName.substr(0, driveLength + 1) : fileName.substr(0, end);
}

// Windows replaces a link itself when a file is moved over it; the save writes where the name
// points to the user, so names are taken as they are.
std::string FollowLinks(const std::string& fileName) {
    return fileName;
}

bool IsDirectory(const std::string& fileName) {
    const std::optional<DWORD> attributes = AttributesOf(fileName);
    return attributes && (*attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool IsOtherThanFile(const std::string& fileName) {
    const std::optional<DWORD> attributes = AttributesOf(fileName);
    return attributes && (*attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) != 0;
}

}  // namespace platform::files

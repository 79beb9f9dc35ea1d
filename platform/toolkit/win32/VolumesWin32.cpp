#include <windows.h>
#include <winnetwk.h>

#include <array>
#include <cwchar>
#include <cwctype>
#include <vector>

#include "platform/toolkit/Volumes.h"
#include "platform/toolkit/win32/WideText.h"

// The drive list's volumes on Windows: the logical drives, "c:" with the volume's label, a
// network drive with the share it stands for. A drive that has no medium or cannot be reached is
// listed all the same (without a label): going there fails, as it should.
namespace toolkit {

namespace {

// "A:\" to "Z:\" and nothing else: at most 26 drives of 4 characters each.
constexpr DWORD kDriveStringsLength = 26 * 4 + 1;

std::vector<std::wstring> LogicalDriveRoots() {
    std::array<wchar_t, kDriveStringsLength> buffer{};
    const DWORD length =
        ::GetLogicalDriveStringsW(static_cast<DWORD>(buffer.size()), buffer.data());
    std::vector<std::wstring> roots;
    if (length == 0 || length >= buffer.size()) {
        return roots;
    }
    for (const wchar_t* root = buffer.data(); *root != L'\0'; root += std::wcslen(root) + 1) {
        if (std::iswalpha(root[0]) && root[1] == L':') {
            roots.emplace_back(root);
        }
    }
    return roots;
}

// The share a network drive stands for ("\\server\share"); "" when it is none or unknown.
std::wstring ShareOf(const std::wstring& drive) {
    std::array<wchar_t, MAX_PATH + 1> share{};
    DWORD length = static_cast<DWORD>(share.size());
    if (::WNetGetConnectionW(drive.c_str(), share.data(), &length) != NO_ERROR) {
        return L"";
    }
    return share.data();
}

std::wstring VolumeLabel(const std::wstring& root) {
    std::array<wchar_t, MAX_PATH + 1> label{};
    if (!::GetVolumeInformationW(root.c_str(), label.data(), static_cast<DWORD>(label.size()),
                                 nullptr, nullptr, nullptr, nullptr, 0)) {
        return L"";
    }
    return label.data();
}

Volume VolumeOf(const std::wstring& root) {
    const std::wstring drive{static_cast<wchar_t>(std::towlower(root[0])), L':'};
    // A network drive is named from the local record of its connection: asking its server for a
    // label could wait as long as the server is away.
    const std::wstring label =
        ::GetDriveTypeW(root.c_str()) == DRIVE_REMOTE ? ShareOf(drive) : VolumeLabel(root);
    return {win32::Utf8Of(drive), win32::Utf8Of(label)};
}

}  // namespace

std::vector<Volume> MountedVolumes() {
    const win32::QuietDriveErrors quiet;
    std::vector<Volume> volumes;
    for (const std::wstring& root : LogicalDriveRoots()) {
        volumes.push_back(VolumeOf(root));
    }
    return volumes;
}

}  // namespace toolkit

#include <windows.h>
// After windows.h, which it builds on.
#include <commdlg.h>

#include "platform/toolkit/CommonDialog.h"
#include "platform/toolkit/RealDialogs.h"
#include "platform/toolkit/win32/DialogOwner.h"
#include "platform/toolkit/win32/WideText.h"

namespace toolkit {

namespace {

// Room for a long path chosen in the dialog.
constexpr std::size_t kNameCapacity = 32768;

// The filter as the dialog takes it: "description\0pattern\0...\0\0". A bare pattern ("*.ico")
// describes itself.
std::wstring FilterOf(const std::string& filter) {
    std::wstring pairs = win32::Wide(filter);
    if (pairs.empty()) {
        return {};
    }
    if (pairs.find(L'|') == std::wstring::npos) {
        pairs += L'|' + pairs;
    }
    for (wchar_t& c : pairs) {
        if (c == L'|') {
            c = L'\0';
        }
    }
    return pairs + std::wstring(2, L'\0');
}

}  // namespace

std::optional<std::string> ShowSaveFileDialog(const SaveDialogRequest& request) {
    std::wstring name(kNameCapacity, L'\0');
    const std::wstring title = win32::Wide(request.title);
    const std::wstring directory = win32::Wide(request.directory);
    const std::wstring filter = FilterOf(request.filter);
    const std::wstring extension = win32::Wide(request.defaultExt);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = win32::DialogOwnerWindow();
    dialog.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = static_cast<DWORD>(name.size());
    dialog.lpstrInitialDir = directory.empty() ? nullptr : directory.c_str();
    dialog.lpstrTitle = title.empty() ? nullptr : title.c_str();
    dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    if ((request.flags & cdlOFNOverwritePrompt) != 0) {
        dialog.Flags |= OFN_OVERWRITEPROMPT;
    }
    if (!GetSaveFileNameW(&dialog)) {
        return std::nullopt;  // Cancel, or a dialog that could not open
    }
    return win32::Utf8Of(name.c_str());
}

}  // namespace toolkit

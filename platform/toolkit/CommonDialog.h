#pragma once

#include <cstdint>
#include <string>

namespace toolkit {

class Form;

// Flags: the Save-As dialog asks before it replaces an existing file.
constexpr std::int32_t cdlOFNOverwritePrompt = 0x2;

// The common dialog, used as a Save-As dialog. Its dialog goes through the installed presenter
// (Presenters.h): the real file dialog, unless a test scripts the answer.
class CommonDialog {
public:
    explicit CommonDialog(Form& owner);

    std::string DialogTitle;
    std::string InitDir;     // where it does not exist the dialog opens in the working directory
    std::string Filter;      // "*.ico", or "Description|*.ico|..." pairs
    std::string DefaultExt;  // added, after a point, to a chosen name that has no extension
    bool CancelError = false;
    std::int32_t Flags = 0;  // cdlOFN... bits; only cdlOFNOverwritePrompt has an effect

    // After a choice: the full path chosen, and its last component.
    std::string FileName;
    std::string FileTitle;

    // Shows the Save-As dialog modally. A name chosen lands in FileName and FileTitle; Cancel with
    // CancelError raises 32755, without it returns leaving both as they were.
    void ShowSave();

private:
    Form& owner_;
};

}  // namespace toolkit

#pragma once

#include <functional>
#include <optional>
#include <string>

// The last step of the two modal dialogs: by default the backend's real dialogs (Qt's, or the
// Windows common dialogs); a test installs scripted ones that record or answer without anything
// modal appearing. Everything before this step (what is shown, how the answer is used) is the
// same code either way.
namespace toolkit {

struct MessageBoxRequest {
    std::string text;
    int style = 0;
    std::string title;
};
using MessageBoxPresenter = std::function<void(const MessageBoxRequest&)>;
// Installs a presenter (empty restores the real one); returns the one it replaces.
MessageBoxPresenter InstallMessageBoxPresenter(MessageBoxPresenter presenter);
void PresentMessageBox(const MessageBoxRequest& request);

struct SaveDialogRequest {
    std::string title;
    std::string directory;  // where the dialog opens, an existing directory
    std::string filter;     // as the dialog's Filter property holds it
    std::string defaultExt;
    int flags = 0;
};
// The chosen file's full path, or nothing for Cancel.
using SaveDialogPresenter = std::function<std::optional<std::string>(const SaveDialogRequest&)>;
SaveDialogPresenter InstallSaveDialogPresenter(SaveDialogPresenter presenter);
std::optional<std::string> PresentSaveDialog(const SaveDialogRequest& request);

}  // namespace toolkit

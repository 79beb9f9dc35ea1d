#include "platform/toolkit/Presenters.h"

#include <utility>

#include "platform/toolkit/RealDialogs.h"

namespace toolkit {

namespace {

MessageBoxPresenter& InstalledMessageBoxPresenter() {
    static MessageBoxPresenter presenter;
    return presenter;
}

SaveDialogPresenter& InstalledSaveDialogPresenter() {
    static SaveDialogPresenter presenter;
    return presenter;
}

}  // namespace

MessageBoxPresenter InstallMessageBoxPresenter(MessageBoxPresenter presenter) {
    return std::exchange(InstalledMessageBoxPresenter(), std::move(presenter));
}

void PresentMessageBox(const MessageBoxRequest& request) {
    // A copy, so a presenter that installs another one while it runs stays alive.
    const MessageBoxPresenter presenter = InstalledMessageBoxPresenter();
    if (presenter) {
        presenter(request);
    } else {
        ShowMessageBoxDialog(request);
    }
}

SaveDialogPresenter InstallSaveDialogPresenter(SaveDialogPresenter presenter) {
    return std::exchange(InstalledSaveDialogPresenter(), std::move(presenter));
}

std::optional<std::string> PresentSaveDialog(const SaveDialogRequest& request) {
    const SaveDialogPresenter presenter = InstalledSaveDialogPresenter();
    return presenter ? presenter(request) : ShowSaveFileDialog(request);
}

}  // namespace toolkit

#include "platform/toolkit/Presenters.h"

#include <utility>

#include "platform/runtime/Replaceable.h"
#include "platform/toolkit/RealDialogs.h"

namespace toolkit {

namespace {

runtime::Replaceable<MessageBoxPresenter>& MessageBoxPresenterSlot() {
    static runtime::Replaceable<MessageBoxPresenter> presenter{ShowMessageBoxDialog};
    return presenter;
}

runtime::Replaceable<SaveDialogPresenter>& SaveDialogPresenterSlot() {
    static runtime::Replaceable<SaveDialogPresenter> presenter{ShowSaveFileDialog};
    return presenter;
}

}  // namespace

MessageBoxPresenter InstallMessageBoxPresenter(MessageBoxPresenter presenter) {
    return MessageBoxPresenterSlot().Install(std::move(presenter));
}

void PresentMessageBox(const MessageBoxRequest& request) {
    MessageBoxPresenterSlot().Current()(request);
}

SaveDialogPresenter InstallSaveDialogPresenter(SaveDialogPresenter presenter) {
    return SaveDialogPresenterSlot().Install(std::move(presenter));
}

std::optional<std::string> PresentSaveDialog(const SaveDialogRequest& request) {
    return SaveDialogPresenterSlot().Current()(request);
}

}  // namespace toolkit

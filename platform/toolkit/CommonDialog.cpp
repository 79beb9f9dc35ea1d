#include "platform/toolkit/CommonDialog.h"
#include "platform/files/FilePaths.h"

#include "platform/runtime/RuntimeError.h"
#include "platform/toolkit/Form.h"
#include "platform/toolkit/PathText.h"
#include "platform/toolkit/Presenters.h"
#include "platform/toolkit/ScopedDialogOwner.h"

namespace toolkit {

namespace {

// Where the dialog opens: the initial directory where it exists here, else the working directory.
std::string StartDirectory(const std::string& initDir) {
    const std::string directory = path_text::Normalise(initDir);
    return platform::files::IsDirectory(directory) ? directory : path_text::WorkingDirectory();
}

}  // namespace

CommonDialog::CommonDialog(Form& owner) : owner_(owner) {}

void CommonDialog::ShowSave() {
    const SaveDialogRequest request{.title = DialogTitle,
                                    .directory = StartDirectory(InitDir),
                                    .filter = Filter,
                                    .defaultExt = DefaultExt,
                                    .flags = Flags};
    std::optional<std::string> answer;
    {
        const ScopedDialogOwner dialogOwner(owner_);
        answer = PresentSaveDialog(request);
    }
    if (!answer || answer->empty()) {
        if (CancelError) {
            runtime::Raise(runtime::errCancel);
        }
        return;
    }
    std::string chosen = *answer;
    if (!DefaultExt.empty() && path_text::LastComponent(chosen).find('.') == std::string::npos) {
        chosen += "." + DefaultExt;
    }
    FileName = path_text::Normalise(chosen);
    FileTitle = path_text::LastComponent(FileName);
}

}  // namespace toolkit

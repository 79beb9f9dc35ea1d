#pragma once

#include <optional>
#include <string>

#include "platform/toolkit/Presenters.h"

// The real dialogs behind the presenters, each backend's own (qt/, win32/).
namespace toolkit {

// A modal QMessageBox: the style's icon, one OK button, the title and the text.
void ShowMessageBoxDialog(const MessageBoxRequest& request);

// A modal Save-As QFileDialog that asks before replacing a file when the request's flags hold
// cdlOFNOverwritePrompt, opened in the request's directory or, where Qt cannot show that
// path's bytes, in its nearest ancestor that it can. The chosen path, or nothing for Cancel; a
// chosen path whose bytes are not surely the ones shown (shown_path::BytesOfAnswer) raises 52
// rather than saving under other bytes.
std::optional<std::string> ShowSaveFileDialog(const SaveDialogRequest& request);

}  // namespace toolkit

#pragma once

#include <optional>
#include <string>

#include "platform/toolkit/Presenters.h"

// The real Qt dialogs behind the presenters.
namespace toolkit {

// A modal QMessageBox: the style's icon, one OK button, the title and the text.
void ShowMessageBoxDialog(const MessageBoxRequest& request);

// A modal Save-As QFileDialog; the chosen path, or nothing for Cancel.
std::optional<std::string> ShowSaveFileDialog(const SaveDialogRequest& request);

}  // namespace toolkit

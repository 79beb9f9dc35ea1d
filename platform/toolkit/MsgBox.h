#pragma once

#include <string>

namespace toolkit {

constexpr int vbOKOnly = 0;
constexpr int vbCritical = 16;
constexpr int vbQuestion = 32;
constexpr int vbExclamation = 48;
constexpr int vbInformation = 64;

// A modal message box: the text, the buttons and icon of the style (only OK buttons are offered),
// the title. Returns once the user has dismissed it. It goes through the installed presenter
// (Presenters.h).
void MsgBox(const std::string& prompt, int buttons, const std::string& title);

}  // namespace toolkit

#include "platform/toolkit/MsgBox.h"

#include "platform/toolkit/Presenters.h"

namespace toolkit {

void MsgBox(const std::string& prompt, int buttons, const std::string& title) {
    PresentMessageBox({.text = prompt, .style = buttons, .title = title});
}

}  // namespace toolkit

#pragma once

#include <string>

#include "platform/toolkit/Control.h"
#include "platform/toolkit/UserEvent.h"

namespace toolkit {

class CommandButton : public Control {
public:
    explicit CommandButton(Form& owner);

    std::string Caption() const;
    void SetCaption(const std::string& caption);

    // Raised when the user presses the button (mouse or keyboard).
    runtime::Event Click;

private:
    std::string caption_;
};

}  // namespace toolkit

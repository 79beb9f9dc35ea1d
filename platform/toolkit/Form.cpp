// What the form does the same on each backend: its controls' register and their focus order.
#include "platform/toolkit/Form.h"

#include <algorithm>

#include "platform/toolkit/Control.h"

namespace toolkit {

void Form::ApplyTabOrder() {
    std::vector<Control*> focusable;
    for (Control* control : controls_) {
        if (control->Visible() && control->CanTakeFocus()) {
            focusable.push_back(control);
        }
    }
    std::stable_sort(focusable.begin(), focusable.end(), [](const Control* a, const Control* b) {
        return a->TabIndex() < b->TabIndex();
    });
    ChainFocus(focusable);
}

void Form::Unregister(Control& control) {
    std::erase(controls_, &control);
}

}  // namespace toolkit

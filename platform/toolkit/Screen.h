#pragma once

#include "platform/toolkit/MousePointers.h"

namespace toolkit {

// The screen's mouse pointer over the whole application: 11 shows the hourglass, 0 the default.
// Any other value than 0..15 and 99 raises 380.
class ScreenObject {
public:
    int MousePointer() const { return mousePointer_; }
    void SetMousePointer(int pointer);

private:
    int mousePointer_ = vbDefault;
    bool overriding_ = false;  // whether this object has set the application's override cursor
};

extern ScreenObject Screen;

}  // namespace toolkit

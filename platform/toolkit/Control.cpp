// What every control does the same on each backend: checking a place and a pointer before the
// backend applies them.
#include "platform/toolkit/Control.h"

#include "platform/runtime/RuntimeError.h"
#include "platform/toolkit/Twips.h"

namespace toolkit {

void Control::Move(int leftTwips, int topTwips, int widthTwips, int heightTwips) {
    if (widthTwips < 0 || heightTwips < 0) {
        runtime::Raise(runtime::errInvalidPropertyValue);
    }
    Place(TwipsToPixels(leftTwips), TwipsToPixels(topTwips), TwipsToPixels(widthTwips),
          TwipsToPixels(heightTwips));
}

void Control::SetMousePointer(int pointer) {
    if (!IsMousePointerValue(pointer)) {
        runtime::Raise(runtime::errInvalidPropertyValue);
    }
    mousePointer_ = pointer;
    ApplyCursor();
}

}  // namespace toolkit

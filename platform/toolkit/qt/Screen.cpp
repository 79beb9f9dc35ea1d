#include "platform/toolkit/Screen.h"

#include <QCursor>
#include <QGuiApplication>

#include "platform/runtime/RuntimeError.h"
#include "platform/toolkit/qt/PointerShapes.h"

namespace toolkit {

ScreenObject Screen;

void ScreenObject::SetMousePointer(int pointer) {
    if (!IsMousePointerValue(pointer)) {
        runtime::Raise(runtime::errInvalidPropertyValue);
    }
    mousePointer_ = pointer;
    if (qGuiApp == nullptr) {
        return;
    }
    if (pointer == vbDefault) {
        if (overriding_) {
            QGuiApplication::restoreOverrideCursor();
            overriding_ = false;
        }
        return;
    }
    // The screen has no custom pointer of its own: 99 shows the arrow.
    const QCursor cursor(StockPointerShape(pointer).value_or(Qt::ArrowCursor));
    if (overriding_) {
        QGuiApplication::changeOverrideCursor(cursor);
    } else {
        QGuiApplication::setOverrideCursor(cursor);
        overriding_ = true;
    }
}

}  // namespace toolkit

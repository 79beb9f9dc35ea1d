#include "platform/toolkit/Control.h"

#include <QCursor>

#include "platform/runtime/RuntimeError.h"
#include "platform/toolkit/Form.h"
#include "platform/toolkit/ImageFiles.h"
#include "platform/toolkit/PointerShapes.h"
#include "platform/toolkit/Screen.h"
#include "platform/toolkit/Twips.h"

namespace toolkit {

Control::Control(Form& owner, QWidget* widget) : widget_(widget), owner_(&owner) {
    widget_->setParent(owner.Surface());
    widget_->show();
    owner.Register(*this);
}

Control::~Control() {
    if (owner_ != nullptr) {
        owner_->Unregister(*this);
    }
    delete widget_.data();
}

void Control::Move(int leftTwips, int topTwips, int widthTwips, int heightTwips) {
    if (widthTwips < 0 || heightTwips < 0) {
        runtime::Raise(runtime::errInvalidPropertyValue);
    }
    if (widget_) {
        widget_->setGeometry(TwipsToPixels(leftTwips), TwipsToPixels(topTwips),
                             TwipsToPixels(widthTwips), TwipsToPixels(heightTwips));
    }
}

bool Control::Visible() const {
    return widget_ && !widget_->isHidden();
}

void Control::SetVisible(bool visible) {
    if (widget_) {
        widget_->setVisible(visible);
    }
}

bool Control::CanTakeFocus() const {
    return widget_ && widget_->focusPolicy() != Qt::NoFocus;
}

void Control::SetMousePointer(int pointer) {
    if (!IsMousePointerValue(pointer)) {
        runtime::Raise(runtime::errInvalidPropertyValue);
    }
    mousePointer_ = pointer;
    ApplyCursor();
}

void Control::SetMouseIcon(const std::string& cursorFile) {
    customCursor_ = std::make_shared<const QCursor>(ReadCursorFile(cursorFile));
    mouseIcon_ = cursorFile;
    ApplyCursor();
}

void Control::ApplyCursor() {
    if (!widget_) {
        return;
    }
    if (mousePointer_ == vbCustom && customCursor_) {
        widget_->setCursor(*customCursor_);
    } else if (const std::optional<Qt::CursorShape> shape = StockPointerShape(mousePointer_)) {
        widget_->setCursor(*shape);
    } else {
        widget_->unsetCursor();
    }
}

}  // namespace toolkit

#include "platform/toolkit/Control.h"

#include <QCursor>

#include "platform/runtime/RuntimeError.h"
#include "platform/toolkit/Form.h"
#include "platform/toolkit/Screen.h"
#include "platform/toolkit/Twips.h"
#include "platform/toolkit/qt/ImageFiles.h"
#include "platform/toolkit/qt/Peers.h"
#include "platform/toolkit/qt/PointerShapes.h"

namespace toolkit {

Control::Control(Form& owner, std::unique_ptr<ControlPeer> peer)
    : peer_(std::move(peer)), owner_(&owner) {
    peer_->widget->setParent(qt::SurfaceOf(owner));
    peer_->widget->show();
    owner.Register(*this);
}

Control::~Control() {
    if (owner_ != nullptr) {
        owner_->Unregister(*this);
    }
}

void Control::Place(int left, int top, int width, int height) {
    if (QWidget* widget = qt::WidgetOf(*this)) {
        widget->setGeometry(left, top, width, height);
    }
}

bool Control::Visible() const {
    const QWidget* widget = qt::WidgetOf(*this);
    return widget != nullptr && !widget->isHidden();
}

void Control::SetVisible(bool visible) {
    if (QWidget* widget = qt::WidgetOf(*this)) {
        widget->setVisible(visible);
    }
}

bool Control::CanTakeFocus() const {
    const QWidget* widget = qt::WidgetOf(*this);
    return widget != nullptr && widget->focusPolicy() != Qt::NoFocus;
}

void Control::SetMouseIcon(const std::string& cursorFile) {
    peer_->customCursor = std::make_shared<const QCursor>(ReadCursorFile(cursorFile));
    mouseIcon_ = cursorFile;
    ApplyCursor();
}

void Control::ApplyCursor() {
    QWidget* widget = qt::WidgetOf(*this);
    if (widget == nullptr) {
        return;
    }
    if (mousePointer_ == vbCustom && peer_->customCursor) {
        widget->setCursor(*peer_->customCursor);
    } else if (const std::optional<Qt::CursorShape> shape = StockPointerShape(mousePointer_)) {
        widget->setCursor(*shape);
    } else {
        widget->unsetCursor();
    }
}

}  // namespace toolkit

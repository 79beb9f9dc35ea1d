#include "platform/toolkit/Form.h"

#include <QPalette>
#include <algorithm>

#include "platform/toolkit/Control.h"
#include "platform/toolkit/Twips.h"
#include "platform/toolkit/qt/ImageFiles.h"
#include "platform/toolkit/qt/Peers.h"

namespace toolkit {

namespace {

// A fixed border: title, system menu, minimise and close boxes, no maximise box.
constexpr Qt::WindowFlags kFixedWindowFlags =
    Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
    Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;

}  // namespace

FormPeer::FormPeer() : surface(new QWidget(nullptr, kFixedWindowFlags)) {}

Form::Form() : peer_(std::make_unique<FormPeer>()) {}

Form::~Form() {
    for (Control* control : controls_) {
        control->DetachFromForm();
    }
}

std::string Form::Caption() const {
    return peer_->surface->windowTitle().toStdString();
}

void Form::SetCaption(const std::string& caption) {
    peer_->surface->setWindowTitle(QString::fromStdString(caption));
}

void Form::SetBackColor(Color color) {
    QPalette palette = peer_->surface->palette();
    palette.setColor(QPalette::Window, QColor(color.red, color.green, color.blue));
    peer_->surface->setPalette(palette);
    peer_->surface->setAutoFillBackground(true);
}

void Form::SetClientSize(int widthTwips, int heightTwips) {
    peer_->surface->setFixedSize(TwipsToPixels(widthTwips), TwipsToPixels(heightTwips));
}

void Form::SetClientPosition(int leftTwips, int topTwips) {
    // For a window, setGeometry places the client area (move would place the frame) and marks the
    // position as asked for, so it goes to the window manager with the window.
    peer_->surface->setGeometry(
        QRect(QPoint(TwipsToPixels(leftTwips), TwipsToPixels(topTwips)), peer_->surface->size()));
}

void Form::SetIcon(const std::string& iconFile) {
    peer_->surface->setWindowIcon(ReadIconFile(iconFile));
}

void Form::ChainFocus(const std::vector<Control*>& focusable) {
    for (std::size_t i = 1; i < focusable.size(); ++i) {
        QWidget::setTabOrder(qt::WidgetOf(*focusable[i - 1]), qt::WidgetOf(*focusable[i]));
    }
    peer_->firstFocus = focusable.empty() ? nullptr : qt::WidgetOf(*focusable.front());
    if (peer_->surface->isVisible()) {
        FocusFirstControl();
    }
}

void Form::FocusFirstControl() {
    QWidget* first = peer_->firstFocus;
    if (first != nullptr && first->isVisible()) {
        first->setFocus(Qt::TabFocusReason);
    }
}

void Form::Show() {
    peer_->surface->show();
    FocusFirstControl();
}

void Form::Close() {
    peer_->surface->close();
}

std::int32_t Form::hWnd() const {
    return static_cast<std::int32_t>(peer_->surface->winId());
}

}  // namespace toolkit

#include "platform/toolkit/Form.h"

#include <QPalette>
#include <algorithm>

#include "platform/toolkit/Control.h"
#include "platform/toolkit/ImageFiles.h"
#include "platform/toolkit/Twips.h"

namespace toolkit {

namespace {

// A fixed border: title, system menu, minimise and close boxes, no maximise box.
constexpr Qt::WindowFlags kFixedWindowFlags =
    Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
    Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;

}  // namespace

Form::Form() : surface_(new QWidget(nullptr, kFixedWindowFlags)) {}

Form::~Form() {
    for (Control* control : controls_) {
        control->DetachFromForm();
    }
    delete surface_;
}

std::string Form::Caption() const {
    return surface_->windowTitle().toStdString();
}

void Form::SetCaption(const std::string& caption) {
    surface_->setWindowTitle(QString::fromStdString(caption));
}

void Form::SetBackColor(Color color) {
    QPalette palette = surface_->palette();
    palette.setColor(QPalette::Window, QColor(color.red, color.green, color.blue));
    surface_->setPalette(palette);
    surface_->setAutoFillBackground(true);
}

void Form::SetClientSize(int widthTwips, int heightTwips) {
    surface_->setFixedSize(TwipsToPixels(widthTwips), TwipsToPixels(heightTwips));
}

void Form::SetClientPosition(int leftTwips, int topTwips) {
    // For a window, setGeometry places the client area (move would place the frame) and marks the
    // position as asked for, so it goes to the window manager with the window.
    surface_->setGeometry(
        QRect(QPoint(TwipsToPixels(leftTwips), TwipsToPixels(topTwips)), surface_->size()));
}

void Form::SetIcon(const std::string& iconFile) {
    surface_->setWindowIcon(ReadIconFile(iconFile));
}

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
    for (std::size_t i = 1; i < focusable.size(); ++i) {
        QWidget::setTabOrder(focusable[i - 1]->Widget(), focusable[i]->Widget());
    }
    firstFocus_ = focusable.empty() ? nullptr : focusable.front()->Widget();
    if (surface_->isVisible()) {
        FocusFirstControl();
    }
}

void Form::FocusFirstControl() {
    if (firstFocus_ && firstFocus_->isVisible()) {
        firstFocus_->setFocus(Qt::TabFocusReason);
    }
}

void Form::Show() {
    surface_->show();
    FocusFirstControl();
}

void Form::Close() {
    surface_->close();
}

std::int32_t Form::hWnd() const {
    return static_cast<std::int32_t>(surface_->winId());
}

void Form::Unregister(Control& control) {
    std::erase(controls_, &control);
}

}  // namespace toolkit

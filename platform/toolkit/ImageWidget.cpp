#include "platform/toolkit/ImageWidget.h"

#include <QPainter>

namespace toolkit {

ImageWidget::ImageWidget(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(false);
}

void ImageWidget::SetPicture(platform::picture::IPictureDisp picture) {
    if (picture == picture_) {
        return;
    }
    picture_ = std::move(picture);
    cached_ = QImage();
    cachedSize_ = QSize();
    update();
}

void ImageWidget::SetStretch(bool stretch) {
    stretch_ = stretch;
    update();
}

QSize ImageWidget::TargetSize() const {
    return stretch_ ? size() : QSize(kNaturalSize, kNaturalSize);
}

const QImage& ImageWidget::CurrentImage() {
    const QSize target = TargetSize();
    if (!picture_ || target.isEmpty()) {
        static const QImage kNothing;
        return kNothing;
    }
    if (target != cachedSize_) {
        cached_ = picture_->Render(target.width(), target.height());
        cachedSize_ = target;
    }
    return cached_;
}

void ImageWidget::paintEvent(QPaintEvent*) {
    try {
        const QImage& image = CurrentImage();
        if (image.isNull()) {
            return;
        }
        QPainter painter(this);
        painter.drawImage(QRect(QPoint(0, 0), TargetSize()), image);
    } catch (...) {
        // Nothing leaves a paint event: a picture that cannot be drawn shows nothing.
    }
}

}  // namespace toolkit

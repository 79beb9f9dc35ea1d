#include "platform/toolkit/qt/ImageWidget.h"

#include <QPainter>
#include <cstring>

namespace toolkit {

namespace {

// The drawable's pixels as an image; a null image for no pixels or a buffer of the wrong size.
QImage ImageOf(const ArgbPixels& drawn) {
    if (drawn.width <= 0 || drawn.height <= 0 ||
        drawn.pixels.size() != static_cast<std::size_t>(drawn.width) * drawn.height) {
        return {};
    }
    QImage image(drawn.width, drawn.height, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) {
        return image;
    }
    const std::size_t rowBytes = static_cast<std::size_t>(drawn.width) * sizeof(std::uint32_t);
    for (int y = 0; y < drawn.height; ++y) {
        std::memcpy(image.scanLine(y),
                    drawn.pixels.data() + static_cast<std::size_t>(y) * drawn.width, rowBytes);
    }
    return image;
}

}  // namespace

ImageWidget::ImageWidget(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(false);
}

void ImageWidget::SetPicture(std::shared_ptr<const Drawable> picture) {
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
        cached_ = ImageOf(picture_->Pixels(target.width(), target.height()));
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

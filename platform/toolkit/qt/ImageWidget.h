#pragma once

#include <QImage>
#include <QWidget>
#include <memory>

#include "platform/toolkit/Drawable.h"

namespace toolkit {

// Draws a picture, scaled to the widget or at its natural size at the top-left corner. The image
// rendered for a size is kept until the picture or the size changes. No background of its own.
class ImageWidget : public QWidget {
public:
    // The size a picture shows at when it is not stretched.
    static constexpr int kNaturalSize = 32;

    explicit ImageWidget(QWidget* parent = nullptr);

    void SetPicture(std::shared_ptr<const Drawable> picture);
    void SetStretch(bool stretch);

    // The image the widget draws now (rendered on first use); null for an empty picture.
    const QImage& CurrentImage();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QSize TargetSize() const;

    std::shared_ptr<const Drawable> picture_;
    bool stretch_ = false;
    QImage cached_;
    QSize cachedSize_;
};

}  // namespace toolkit

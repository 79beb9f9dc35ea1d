#include <QBuffer>
#include <QImage>

#include "platform/picture/qt/PictureRendering.h"
#include "tools/PngEncoding.h"

namespace tool {

std::optional<std::vector<std::uint8_t>> EncodePng(const platform::picture::Picture& picture,
                                                   int side) {
    const QImage image = platform::picture::qt::Render(picture, side, side);
    if (image.isNull()) {
        return std::nullopt;
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) {
        return std::nullopt;
    }
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

}  // namespace tool

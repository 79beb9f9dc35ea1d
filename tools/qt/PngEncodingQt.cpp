#include <QBuffer>
#include <QImage>
#include <QImageReader>

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

void PrepareEncoding() {
    // The picture backend decodes each image through a reader of format "ico"; asking one whether
    // it can read makes Qt look the plugin up and load it. A PNG saved once loads the writer.
    QByteArray empty;
    QBuffer input(&empty);
    input.open(QIODevice::ReadOnly);
    QImageReader reader(&input, "ico");
    (void)reader.canRead();
    QByteArray bytes;
    QBuffer output(&bytes);
    output.open(QIODevice::WriteOnly);
    QImage(1, 1, QImage::Format_ARGB32_Premultiplied).save(&output, "PNG");
}

}  // namespace tool

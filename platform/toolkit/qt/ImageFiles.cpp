#include "platform/toolkit/qt/ImageFiles.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPixmap>
#include <algorithm>

#include "platform/format/IconFormat.h"
#include "platform/format/LittleEndian.h"
#include "platform/runtime/RuntimeError.h"

namespace toolkit {

namespace {

// Larger files are not cursors or icons this program shows.
constexpr qint64 kMaxCursorFileBytes = 1 << 20;
constexpr qint64 kMaxIconFileBytes = 16 << 20;
constexpr int kMaxIconImages = 256;

// The file's bytes; 53 when it cannot be opened, 481 when it is larger than the limit.
QByteArray ReadBounded(const std::string& file, qint64 limit) {
    QFile input(QFile::decodeName(QByteArray::fromStdString(file)));
    if (!input.open(QIODevice::ReadOnly)) {
        runtime::Raise(runtime::errFileNotFound);
    }
    QByteArray bytes = input.read(limit + 1);
    if (bytes.size() > limit) {
        runtime::Raise(runtime::errInvalidPicture);
    }
    return bytes;
}

std::uint16_t Little16(const QByteArray& bytes, qsizetype at) {
    return platform::format::Little16(
        {reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size())},
        std::size_t(at));
}

// The header (reserved 0, type 2 for a cursor, count) and the first directory entry, whose planes
// and bit count fields hold the hot spot.
struct CursorHotSpot {
    int x;
    int y;
};
constexpr qsizetype kCursorHeaderBytes =
    platform::format::kIconDirHeaderSize + platform::format::kIconFileEntrySize;

CursorHotSpot ReadHotSpot(const QByteArray& bytes) {
    if (bytes.size() < kCursorHeaderBytes || Little16(bytes, 0) != 0 ||
        Little16(bytes, 2) != platform::format::kTypeCursor || Little16(bytes, 4) == 0) {
        runtime::Raise(runtime::errInvalidPicture);
    }
    return {Little16(bytes, 10), Little16(bytes, 12)};
}

}  // namespace

QCursor ReadCursorFile(const std::string& file) {
    QByteArray bytes = ReadBounded(file, kMaxCursorFileBytes);
    const CursorHotSpot hotSpot = ReadHotSpot(bytes);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "cur");
    const QImage image = reader.read();
    if (image.isNull()) {
        runtime::Raise(runtime::errInvalidPicture);
    }
    const int hotX = std::clamp(hotSpot.x, 0, image.width() - 1);
    const int hotY = std::clamp(hotSpot.y, 0, image.height() - 1);
    return QCursor(QPixmap::fromImage(image), hotX, hotY);
}

QIcon ReadIconFile(const std::string& file) {
    QByteArray bytes = ReadBounded(file, kMaxIconFileBytes);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "ico");
    QIcon icon;
    const int count = std::min(reader.imageCount(), kMaxIconImages);
    for (int i = 0; i < count; ++i) {
        if (!reader.jumpToImage(i)) {
            break;
        }
        const QImage image = reader.read();
        if (!image.isNull()) {
            icon.addPixmap(QPixmap::fromImage(image));
        }
    }
    if (icon.isNull()) {
        runtime::Raise(runtime::errInvalidPicture);
    }
    return icon;
}

}  // namespace toolkit

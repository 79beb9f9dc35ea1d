// libFuzzer target: one icon image drawn from arbitrary bytes, as the previews draw what an
// executable stores. The first three bytes give the group entry's width, height and bit count; the
// rest are the image's bytes (a DIB or a PNG, or anything else).
#include <QCoreApplication>
#include <QImage>
#include <cstddef>
#include <cstdint>

#include "platform/icons/IconService.h"
#include "platform/picture/qt/IconImageDecoder.h"

namespace {

// Qt's image plugins are found through the application object.
void EnsureApplication() {
    static int argc = 1;
    static char name[] = "picture_decoder_fuzzer";
    static char* argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::size_t kEntryBytes = 3;
    if (size < kEntryBytes) {
        return 0;
    }
    EnsureApplication();
    platform::icons::IconImage image;
    image.entry.width = data[0];
    image.entry.height = data[1];
    image.entry.bitCount = data[2] % 33;
    image.entry.planes = 1;
    image.bytes = std::vector<std::uint8_t>(data + kEntryBytes, data + size);
    image.bytesInRes = static_cast<std::uint32_t>(image.bytes.size());
    const QImage decoded = platform::picture::DecodeIconImage(image);
    if (!decoded.isNull()) {
        volatile QRgb corner = decoded.pixel(decoded.width() - 1, decoded.height() - 1);
        (void)corner;
    }
    return 0;
}

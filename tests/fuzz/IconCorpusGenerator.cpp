// Writes the generated seeds of the icon reader's fuzz corpus: small but complete files of every
// format the readers know, with the features they handle (named and numeric groups, several
// languages, shared and missing images, NE alignment shifts).
//
// With a second directory, also the seeds of the image decoder's corpus: images of every depth and
// a PNG, each behind the three bytes of its group entry (width, height, bit count).
//
//   icon_corpus_generator READER_DIRECTORY [DECODER_DIRECTORY]
#include <algorithm>
#include <cstdio>
#include <string>

#include "tests/support/IconFixtures.h"

namespace {

using fixtures::Bytes;

struct SmallImages {
    Bytes mono = fixtures::MakeDibImage({.width = 8, .height = 8, .bitCount = 1, .seed = 1}).bytes;
    Bytes paletted =
        fixtures::MakeDibImage({.width = 4, .height = 4, .bitCount = 8, .seed = 2}).bytes;
    Bytes alpha =
        fixtures::MakeDibImage({.width = 4, .height = 4, .bitCount = 32, .seed = 3}).bytes;
    Bytes png = fixtures::MakePngImage(3, 3, 4).bytes;
};

Bytes Pe(const SmallImages& images, const fixtures::PeOptions& options) {
    fixtures::PeBuilder pe;
    pe.AddIcon(1, images.mono);
    pe.AddIcon(2, images.paletted);
    pe.AddIcon(3, images.png, fixtures::kLangNeutral);
    pe.AddIcon(3, images.alpha, fixtures::kLangItIt);
    pe.AddGroup(u"APP", {1, 2});
    pe.AddGroup(7, {2, 3});
    pe.AddGroup(7, {1}, fixtures::kLangItIt);
    pe.AddGroup(4, {3, 99});
    pe.AddResource(16, 1, fixtures::MakeOpaqueBytes(12, 5));
    return pe.BuildWithLayout(options).bytes;
}

Bytes Ne(const SmallImages& images, unsigned shift) {
    fixtures::NeBuilder ne(shift);
    ne.AddIcon(1, images.mono);
    ne.AddIcon(2, images.paletted);
    ne.AddGroup(u"APP", {1, 2});
    ne.AddGroup(9, {2, 5});
    return ne.Build();
}

// A decoder seed: the entry's width, height and bit count, then the image.
Bytes DecoderSeed(const fixtures::FixtureImage& image) {
    Bytes seed(3 + image.bytes.size());
    seed[0] = static_cast<std::uint8_t>(image.width % 256);
    seed[1] = static_cast<std::uint8_t>(image.height % 256);
    seed[2] = static_cast<std::uint8_t>(image.isPng ? 32 : image.bitCount);
    std::copy(image.bytes.begin(), image.bytes.end(), seed.begin() + 3);
    return seed;
}

void WriteDecoderSeeds(const std::string& dir) {
    for (int bits : {1, 4, 8, 24, 32}) {
        const auto image = fixtures::MakeDibImage({.width = 6, .height = 5, .bitCount = bits});
        fixtures::WriteFile(dir + "/seed_dib" + std::to_string(bits) + ".bin", DecoderSeed(image));
    }
    const auto zeroAlpha =
        fixtures::MakeDibImage({.width = 4, .height = 4, .bitCount = 32, .zeroAlpha = true});
    fixtures::WriteFile(dir + "/seed_dib32_zero_alpha.bin", DecoderSeed(zeroAlpha));
    fixtures::WriteFile(dir + "/seed_png.bin", DecoderSeed(fixtures::MakePngImage(5, 4, 9)));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: icon_corpus_generator READER_DIRECTORY [DECODER_DIRECTORY]\n");
        return 2;
    }
    const std::string dir = argv[1];
    const SmallImages images;
    fixtures::WriteFile(dir + "/seed_pe32.dll", Pe(images, {.pe32plus = false}));
    fixtures::WriteFile(dir + "/seed_pe32plus.dll", Pe(images, {.pe32plus = true}));
    fixtures::WriteFile(
        dir + "/seed_pe_slack.dll",
        Pe(images, {.pe32plus = false, .rsrcVirtualSlack = 0x300, .textSection = false}));
    fixtures::WriteFile(dir + "/seed_ne_shift0.exe", Ne(images, 0));
    fixtures::WriteFile(dir + "/seed_ne_shift4.exe", Ne(images, 4));
    fixtures::WriteFile(dir + "/seed_icon.ico", fixtures::BuildIco({images.alpha, images.png}));
    if (argc == 3) {
        WriteDecoderSeeds(argv[2]);
    }
    return 0;
}

// Writes the generated seeds of the icon reader's fuzz corpus: small but complete files of every
// format the readers know, with the features they handle (named and numeric groups, several
// languages, shared and missing images, NE alignment shifts).
//
//   icon_corpus_generator DIRECTORY
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

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: icon_corpus_generator DIRECTORY\n");
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
    return 0;
}

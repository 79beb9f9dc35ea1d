// quorvane-icons choosing images (--size, --depth, several --png sizes), writing hicolor icon sets
// and packing PNGs into an .ico, run as a process on fixtures.
#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "tests/support/IconFixtures.h"
#include "tests/tools/ProgramRun.h"

namespace {

using ToolRun = tooltest::ProgramRun;
using fixtures::Bytes;

class IconsToolImages : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        fixtures::PeBuilder pe;
        pe.AddIcon(1, small8_.bytes);
        pe.AddIcon(2, medium32_.bytes);
        pe.AddIcon(3, large_.bytes);
        pe.AddIcon(4, medium8_.bytes);
        pe.AddGroup(1, {1, 2, 3, 4});
        pe.AddGroup(2, {1});
        // The entry claims 32x32 at 32 bpp; the image's header says 16x16 at 8 bpp.
        fixtures::GroupEntry lying = fixtures::EntryFor(medium32_.bytes, 1);
        lying.bytesInRes = static_cast<std::uint32_t>(small8_.bytes.size());
        pe.AddGroupEntries(3, {lying});
        fixtures::WriteFile(Path("app.exe"), pe.Build(true));
    }

    std::string Path(const QString& name) const { return dir_.filePath(name).toStdString(); }
    static ToolRun Run(const std::vector<std::string>& arguments) {
        return tooltest::RunProgram(QUORVANE_ICONS_TOOL, arguments);
    }
    // Every file under `sub`, relative to it, in name order.
    QStringList Written(const QString& sub) const {
        QStringList names;
        QDirIterator it(dir_.filePath(sub), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            names << QDir(dir_.filePath(sub)).relativeFilePath(it.next());
        }
        names.sort();
        return names;
    }
    Bytes Read(const QString& name) const {
        QFile file(dir_.filePath(name));
        const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        return Bytes(bytes.begin(), bytes.end());
    }
    QSize SizeOf(const QString& name) const { return QImage(dir_.filePath(name), "PNG").size(); }

    QTemporaryDir dir_;
    fixtures::FixtureImage small8_ =
        fixtures::MakeDibImage({.width = 16, .height = 16, .bitCount = 8});
    fixtures::FixtureImage medium32_ = fixtures::MakeDibImage({.width = 32, .height = 32});
    fixtures::FixtureImage large_ = fixtures::MakePngImage(48, 48, 3);
    fixtures::FixtureImage medium8_ =
        fixtures::MakeDibImage({.width = 32, .height = 32, .bitCount = 8, .seed = 5});
};

TEST_F(IconsToolImages, SizeAndDepthKeepTheImagesTheirOwnHeadersDescribe) {
    const ToolRun size32 = Run({"extract", Path("app.exe"), "--size", "32", "-o", Path("s32")});
    const ToolRun sized = Run({"extract", Path("app.exe"), "--size", "32", "--size", "16",
                               "--depth", "8", "-o", Path("s8")});
    const ToolRun deep = Run({"extract", Path("app.exe"), "--depth", "32", "-o", Path("d32")});
    const ToolRun saved =
        Run({"save", Path("app.exe"), "0", Path("saved.ico"), "--size", "48", "--size", "16"});

    EXPECT_EQ(size32.exitCode, 0) << size32.err;
    EXPECT_EQ(Written("s32"), QStringList({"app-000-ID1.ico"}));
    EXPECT_EQ(Read("s32/app-000-ID1.ico"), fixtures::BuildIco({medium32_.bytes, medium8_.bytes}));
    EXPECT_EQ(size32.err, "quorvane-icons: 2 groups had no image of the size asked\n");
    EXPECT_EQ(sized.exitCode, 0) << sized.err;
    EXPECT_EQ(Written("s8"),
              QStringList({"app-000-ID1.ico", "app-001-ID2.ico", "app-002-ID3.ico"}));
    EXPECT_EQ(Read("s8/app-000-ID1.ico"), fixtures::BuildIco({small8_.bytes, medium8_.bytes}));
    EXPECT_EQ(sized.err, "");
    // The group whose entry claims 32 bpp holds an 8-bpp image.
    EXPECT_EQ(Written("d32"), QStringList({"app-000-ID1.ico"}));
    EXPECT_EQ(deep.err, "quorvane-icons: 2 groups had no image of the depth asked\n");
    EXPECT_EQ(saved.exitCode, 0) << saved.err;
    EXPECT_EQ(Read("saved.ico"), fixtures::BuildIco({small8_.bytes, large_.bytes}));
}

TEST_F(IconsToolImages, NothingChosenAnywhereWritesNothingAndFails) {
    const ToolRun extract = Run({"extract", Path("app.exe"), "--size", "64", "-o", Path("none")});
    const ToolRun save =
        Run({"save", Path("app.exe"), "1", Path("none.ico"), "--size", "32", "--depth", "8"});

    EXPECT_EQ(extract.exitCode, 1);
    EXPECT_EQ(extract.err, "quorvane-icons: 3 groups had no image of the size asked\n");
    EXPECT_TRUE(Written("none").isEmpty());
    EXPECT_EQ(save.exitCode, 1);
    EXPECT_EQ(save.err, "quorvane-icons: 1 group had no image of the size and depth asked\n");
    EXPECT_FALSE(QFile::exists(dir_.filePath("none.ico")));
}

TEST_F(IconsToolImages, SeveralPngSizesWriteOneFileEach) {
    const ToolRun several =
        Run({"extract", Path("app.exe"), "--index", "0", "--png", "16,32,48", "-o", Path("p")});
    const ToolRun one =
        Run({"extract", Path("app.exe"), "--index", "0", "--png", "24", "-o", Path("one")});
    const ToolRun save = Run({"save", Path("app.exe"), "0", Path("icon.png"), "--png", "20,40"});
    const ToolRun bad = Run({"extract", Path("app.exe"), "--png", "16,", "-o", Path("bad")});

    EXPECT_EQ(several.exitCode, 0) << several.err;
    EXPECT_EQ(Written("p"),
              QStringList({"app-000-ID1-16.png", "app-000-ID1-32.png", "app-000-ID1-48.png"}));
    EXPECT_EQ(SizeOf("p/app-000-ID1-16.png"), QSize(16, 16));
    EXPECT_EQ(SizeOf("p/app-000-ID1-48.png"), QSize(48, 48));
    EXPECT_EQ(Written("one"), QStringList({"app-000-ID1.png"}));
    EXPECT_EQ(SizeOf("one/app-000-ID1.png"), QSize(24, 24));
    EXPECT_EQ(save.exitCode, 0) << save.err;
    EXPECT_EQ(SizeOf("icon-20.png"), QSize(20, 20));
    EXPECT_EQ(SizeOf("icon-40.png"), QSize(40, 40));
    EXPECT_EQ(bad.exitCode, 2);
}

// How many pixels are neither transparent nor opaque: only the 32-bpp images have such.
int HalfTransparentPixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int alpha = qAlpha(image.pixel(x, y));
            count += alpha > 0 && alpha < 255 ? 1 : 0;
        }
    }
    return count;
}

TEST_F(IconsToolImages, HicolorSetHasAFilePerSquareSizeDrawnFromItsBestImage) {
    fixtures::WriteFile(
        Path("tiny.ico"),
        fixtures::BuildIco({fixtures::MakeDibImage({.width = 8, .height = 8}).bytes}));
    const ToolRun run = Run({"extract", "--hicolor", Path("hicolor"), Path("app.exe")});
    const ToolRun named =
        Run({"extract", "--hicolor", Path("named"), "--name", "my-app", Path("app.exe")});
    const ToolRun tiny = Run({"extract", "--hicolor", Path("tiny"), Path("tiny.ico")});
    const ToolRun twoNamed =
        Run({"extract", "--hicolor", Path("x"), "--name", "a", Path("app.exe"), Path("tiny.ico")});

    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(Written("hicolor"),
              QStringList({"16x16/apps/app.png", "32x32/apps/app.png", "48x48/apps/app.png"}));
    EXPECT_EQ(SizeOf("hicolor/16x16/apps/app.png"), QSize(16, 16));
    EXPECT_EQ(SizeOf("hicolor/48x48/apps/app.png"), QSize(48, 48));
    const QImage medium(dir_.filePath("hicolor/32x32/apps/app.png"), "PNG");
    EXPECT_EQ(medium.size(), QSize(32, 32));
    EXPECT_GT(HalfTransparentPixels(medium), 0) << "drawn from the 8-bpp image, not the 32-bpp one";
    EXPECT_EQ(Written("named"), QStringList({"16x16/apps/my-app.png", "32x32/apps/my-app.png",
                                             "48x48/apps/my-app.png"}));
    EXPECT_EQ(tiny.exitCode, 1);
    EXPECT_NE(tiny.err.find("no square image from 16 to 256"), std::string::npos) << tiny.err;
    EXPECT_EQ(twoNamed.exitCode, 2);
}

// PNG files named after their sizes and seeds.
class IconsToolPack : public IconsToolImages {
protected:
    std::string Png(int side, std::uint32_t seed = 1) {
        const fixtures::FixtureImage image = fixtures::MakePngImage(side, side, seed);
        const std::string name = Path(QString("p%1-%2.png").arg(side).arg(seed));
        fixtures::WriteFile(name, image.bytes);
        pngs_[name] = image.bytes;
        return name;
    }

    std::map<std::string, Bytes> pngs_;
};

TEST_F(IconsToolPack, StoresEachPngAsItIsSmallestFirst) {
    const std::string p48 = Png(48);
    const std::string p16a = Png(16, 1);
    const std::string p256 = Png(256);
    const std::string p16b = Png(16, 2);
    const ToolRun run = Run({"pack", Path("out.ico"), p48, p16a, p256, p16b});
    const ToolRun list = Run({"list", Path("out.ico")});

    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(Read("out.ico"),
              fixtures::BuildIco({pngs_[p16a], pngs_[p16b], pngs_[p48], pngs_[p256]}));
    EXPECT_EQ(list.out, Path("out.ico") +
                            ": 1 icon\n  icon 0: 16x16 32bpp png x2, 48x48 32bpp png, "
                            "256x256 32bpp png\n");
    const QString icotool = QStandardPaths::findExecutable("icotool");
    if (icotool.isEmpty()) {
        GTEST_SKIP() << "icotool (icoutils) is not installed: the .ico is not checked with it";
    }
    const ToolRun icotoolList =
        tooltest::RunProgram(icotool.toStdString(), {"-l", Path("out.ico")});
    EXPECT_EQ(icotoolList.exitCode, 0) << icotoolList.err;
    EXPECT_NE(icotoolList.out.find("--index=4 --width=256 --height=256 --bit-depth=32"),
              std::string::npos)
        << icotoolList.out;
}

TEST_F(IconsToolPack, RefusesWhatIsNotAnIconPngAndWritesNothing) {
    const std::string good = Png(32);
    const std::string huge = Png(300);
    fixtures::WriteFile(Path("dib.png"), small8_.bytes);
    Bytes badHeader = fixtures::MakePngImage(16, 16, 1).bytes;
    badHeader[24] = 3;  // a bit depth RGBA does not have
    fixtures::WriteFile(Path("bad.png"), badHeader);

    const ToolRun run =
        Run({"pack", Path("out.ico"), good, huge, Path("dib.png"), Path("bad.png")});

    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find(huge + ": 300x300: an icon image is at most 256x256"), std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("dib.png: not a PNG (it does not start"), std::string::npos);
    EXPECT_NE(run.err.find("bad.png: not a PNG: its IHDR chunk"), std::string::npos);
    EXPECT_FALSE(QFile::exists(dir_.filePath("out.ico")));
    EXPECT_EQ(Run({"pack", Path("out.ico")}).exitCode, 2);
}

TEST_F(IconsToolPack, DibImagesDrawAsThePngsTheyCameFrom) {
    const std::string p16 = Png(16, 4);
    const std::string p48 = Png(48, 5);
    const std::string p256 = Png(256, 6);
    const ToolRun dib = Run({"pack", "--dib", Path("dib.ico"), p256, p48, p16});
    ASSERT_EQ(Run({"pack", Path("png.ico"), p256, p48, p16}).exitCode, 0);

    ASSERT_EQ(dib.exitCode, 0) << dib.err;
    EXPECT_EQ(
        Run({"list", Path("dib.ico")}).out,
        Path("dib.ico") + ": 1 icon\n  icon 0: 16x16 32bpp, 48x48 32bpp, 256x256 32bpp png\n");
    const Bytes ico = Read("dib.ico");
    const std::uint32_t firstImage = fixtures::Peek32(ico, 6 + 12);
    EXPECT_EQ(fixtures::Peek32(ico, firstImage), 40u);      // a BITMAPINFOHEADER
    EXPECT_EQ(fixtures::Peek32(ico, firstImage + 8), 32u);  // the height counts the mask
    EXPECT_EQ(fixtures::Peek16(ico, firstImage + 14), 32);  // 32 bpp
    const Bytes tail(ico.end() - std::ptrdiff_t(pngs_[p256].size()), ico.end());
    EXPECT_EQ(tail, pngs_[p256]);
    for (const char* side : {"16", "48"}) {
        const std::string png = Path(QString("png-%1.png").arg(side));
        const std::string drawn = Path(QString("dib-%1.png").arg(side));
        ASSERT_EQ(Run({"save", Path("png.ico"), "0", png, "--png", side, "--size", side}).exitCode,
                  0);
        ASSERT_EQ(
            Run({"save", Path("dib.ico"), "0", drawn, "--png", side, "--size", side}).exitCode, 0);
        EXPECT_EQ(QImage(QString::fromStdString(drawn)), QImage(QString::fromStdString(png)))
            << side;
    }
}

}  // namespace

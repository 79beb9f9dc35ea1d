// SavePicture: the .ico written for icons extracted from every kind of file, read back; errors;
// failures at every step leave the directory as it was.
#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <sys/stat.h>

#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QTemporaryDir>

#include "picture/MPictureTool.h"
#include "platform/Utilita.h"
#include "platform/picture/SavePicture.h"
#include "platform/picture/SavePictureWith.h"
#include "platform/runtime/RuntimeError.h"
#include "tests/picture/PictureTestSupport.h"
#include "tests/support/IconFixtures.h"
#include "tests/support/ScratchDirectory.h"

namespace {

using picture_test::FilesIn;
using picture_test::ReadFile;
using platform::icons::IconGroup;
using platform::picture::IPictureDisp;
using platform::picture::Picture;
using platform::picture::SavePicture;

std::vector<fixtures::FixtureImage> GroupImages() {
    return {fixtures::MakeDibImage({.width = 16, .height = 16, .bitCount = 4, .seed = 1}),
            fixtures::MakeDibImage({.width = 32, .height = 32, .bitCount = 8, .seed = 2}),
            fixtures::MakeDibImage({.width = 32, .height = 32, .bitCount = 24, .seed = 3}),
            fixtures::MakeDibImage({.width = 48, .height = 48, .bitCount = 32, .seed = 4}),
            fixtures::MakePngImage(256, 256, 5)};
}

std::vector<fixtures::Bytes> BytesOf(const std::vector<fixtures::FixtureImage>& images) {
    std::vector<fixtures::Bytes> bytes;
    for (const fixtures::FixtureImage& image : images) {
        bytes.push_back(image.bytes);
    }
    return bytes;
}

enum class Container { Pe32, Pe32Plus, Ne, Ico };

// A file of that kind whose second icon (index 1) is the group of these images; its first icon is
// another group, so that the index matters.
fixtures::Bytes FileHolding(Container container, const std::vector<fixtures::Bytes>& images) {
    const fixtures::Bytes other = fixtures::MakeDibImage({.width = 16, .height = 16}).bytes;
    std::vector<std::uint16_t> ids;
    for (std::size_t i = 0; i < images.size(); ++i) {
        ids.push_back(static_cast<std::uint16_t>(10 + i));
    }
    if (container == Container::Ne) {
        fixtures::NeBuilder ne;
        ne.AddIcon(1, other);
        for (std::size_t i = 0; i < images.size(); ++i) {
            ne.AddIcon(ids[i], images[i]);
        }
        ne.AddGroup(std::uint16_t{1}, {1});
        ne.AddGroup(std::uint16_t{2}, ids);
        return ne.Build();
    }
    fixtures::PeBuilder pe;
    pe.AddIcon(1, other);
    for (std::size_t i = 0; i < images.size(); ++i) {
        pe.AddIcon(ids[i], images[i]);
    }
    pe.AddGroup(std::uint16_t{1}, {1});
    pe.AddGroup(std::uint16_t{2}, ids);
    return pe.Build(container == Container::Pe32Plus);
}

class SaveRoundTrip : public testing::TestWithParam<Container> {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
    std::string PathOf(const char* name) const { return dir_.filePath(name).toStdString(); }

    QTemporaryDir dir_;
};

TEST_P(SaveRoundTrip, SavedFileHoldsTheGroupImagesAsStored) {
    const std::vector<fixtures::Bytes> images = BytesOf(GroupImages());
    const bool ico = GetParam() == Container::Ico;
    const std::string source = PathOf(ico ? "source.ico" : "source.exe");
    fixtures::WriteFile(source, ico ? fixtures::BuildIco(images) : FileHolding(GetParam(), images));
    const std::string saved = PathOf("saved.ico");

    const IPictureDisp picture =
        MPictureTool::PictureDaIcona(platform::ExtractIconA(0, source, ico ? 0 : 1));
    ASSERT_TRUE(picture);
    SavePicture(picture, saved);

    EXPECT_EQ(ReadFile(saved), fixtures::BuildIco(images));
}

TEST_P(SaveRoundTrip, QtReadsBackEveryImage) {
    const std::vector<fixtures::FixtureImage> images = GroupImages();
    const bool ico = GetParam() == Container::Ico;
    const std::string source = PathOf("source.bin");
    fixtures::WriteFile(source, ico ? fixtures::BuildIco(BytesOf(images))
                                    : FileHolding(GetParam(), BytesOf(images)));
    const std::string saved = PathOf("saved.ico");
    SavePicture(MPictureTool::PictureDaIcona(platform::ExtractIconA(0, source, ico ? 0 : 1)),
                saved);

    QImageReader reader(QString::fromStdString(saved), "ico");
    ASSERT_EQ(reader.imageCount(), static_cast<int>(images.size()));
    for (int i = 0; i < reader.imageCount(); ++i) {
        ASSERT_TRUE(reader.jumpToImage(i));
        const QImage image = reader.read();
        EXPECT_FALSE(image.isNull()) << "image " << i;
        EXPECT_EQ(image.size(), QSize(images[i].width, images[i].height)) << "image " << i;
    }
}

std::string ContainerName(const testing::TestParamInfo<Container>& info) {
    switch (info.param) {
        case Container::Pe32:
            return "Pe32";
        case Container::Pe32Plus:
            return "Pe32Plus";
        case Container::Ne:
            return "Ne";
        default:
            return "Ico";
    }
}

INSTANTIATE_TEST_SUITE_P(Containers, SaveRoundTrip,
                         testing::Values(Container::Pe32, Container::Pe32Plus, Container::Ne,
                                         Container::Ico),
                         ContainerName);

class SaveErrors : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
    std::string PathOf(const char* name) const { return dir_.filePath(name).toStdString(); }

    static IPictureDisp SomePicture() {
        IconGroup group = picture_test::GroupOf(GroupImages());
        return std::make_shared<const Picture>(0, std::make_shared<const IconGroup>(group));
    }

    QTemporaryDir dir_;
};

std::int32_t ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const runtime::RuntimeError& error) {
        return error.Number();
    }
    return 0;
}

TEST_F(SaveErrors, EmptyPictureIs380AndWritesNothing) {
    const std::string target = PathOf("empty.ico");
    const IPictureDisp noImages =
        std::make_shared<const Picture>(0, std::make_shared<const IconGroup>());

    EXPECT_EQ(ErrorOf([&] { SavePicture(nullptr, target); }), runtime::errInvalidPropertyValue);
    EXPECT_EQ(ErrorOf([&] { SavePicture(noImages, target); }), runtime::errInvalidPropertyValue);
    EXPECT_TRUE(FilesIn(dir_.path().toStdString()).empty());
}

TEST_F(SaveErrors, MissingDirectoryIs76) {
    EXPECT_EQ(ErrorOf([&] { SavePicture(SomePicture(), PathOf("missing/saved.ico")); }),
              runtime::errPathNotFound);
    fixtures::WriteFile(PathOf("plain"), {1, 2, 3});
    EXPECT_EQ(ErrorOf([&] { SavePicture(SomePicture(), PathOf("plain/saved.ico")); }),
              runtime::errPathNotFound);
    EXPECT_EQ(FilesIn(dir_.path().toStdString()), std::vector<std::string>{"plain"});
}

TEST_F(SaveErrors, DirectoryInTheWayIs75AndStays) {
    ASSERT_TRUE(QDir(dir_.path()).mkdir("taken.ico"));

    EXPECT_EQ(ErrorOf([&] { SavePicture(SomePicture(), PathOf("taken.ico")); }),
              runtime::errPathFileAccess);
    EXPECT_TRUE(QFileInfo(QString::fromStdString(PathOf("taken.ico"))).isDir());
    EXPECT_EQ(FilesIn(dir_.path().toStdString()), std::vector<std::string>{"taken.ico"});
}

TEST_F(SaveErrors, FifoInTheWayIs75AndStays) {
    const std::string fifo = PathOf("pipe.ico");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);

    EXPECT_EQ(ErrorOf([&] { SavePicture(SomePicture(), fifo); }), runtime::errPathFileAccess);
    struct stat status {};
    ASSERT_EQ(stat(fifo.c_str(), &status), 0);
    EXPECT_TRUE(S_ISFIFO(status.st_mode));
    EXPECT_EQ(FilesIn(dir_.path().toStdString()), std::vector<std::string>{"pipe.ico"});
}

TEST_F(SaveErrors, SavingThroughALinkReplacesTheFileItNames) {
    const std::string target = PathOf("real.ico");
    fixtures::WriteFile(target, {1, 2, 3});
    ASSERT_TRUE(
        QFile::link(QString::fromStdString(target), QString::fromStdString(PathOf("link.ico"))));

    SavePicture(SomePicture(), PathOf("link.ico"));

    EXPECT_EQ(ReadFile(target), fixtures::BuildIco(BytesOf(GroupImages())));
    EXPECT_TRUE(QFileInfo(QString::fromStdString(PathOf("link.ico"))).isSymLink());
}

TEST_F(SaveErrors, SavingReplacesAnExistingFile) {
    const std::string target = PathOf("old.ico");
    fixtures::WriteFile(target, fixtures::Bytes(100000, 0xAB));

    SavePicture(SomePicture(), target);

    EXPECT_EQ(ReadFile(target), fixtures::BuildIco(BytesOf(GroupImages())));
    EXPECT_EQ(FilesIn(dir_.path().toStdString()), std::vector<std::string>{"old.ico"});
}

TEST_F(SaveErrors, NamesThatAreNotUtf8KeepTheirBytes) {
    const testsupport::ScratchDirectory scratch;  // QTemporaryDir cannot remove such names

    SavePicture(SomePicture(), scratch.Path() + "/\xe9.ico");
    SavePicture(SomePicture(), scratch.Path() + "/\xff.ico");

    EXPECT_EQ(FilesIn(scratch.Path()), (std::vector<std::string>{"\xe9.ico", "\xff.ico"}));
    EXPECT_EQ(ReadFile(scratch.Path() + "/\xff.ico"), fixtures::BuildIco(BytesOf(GroupImages())));
}

TEST_F(SaveErrors, ANewFileFollowsTheUmaskAndAReplacedFileKeepsItsMode) {
    const std::string kept = PathOf("kept.ico");
    fixtures::WriteFile(kept, {1, 2, 3});
    ASSERT_EQ(::chmod(kept.c_str(), 0604), 0);
    const mode_t previous = ::umask(027);
    SavePicture(SomePicture(), PathOf("new.ico"));
    SavePicture(SomePicture(), kept);
    ::umask(previous);

    struct stat status {};
    ASSERT_EQ(::stat(PathOf("new.ico").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0640u);
    ASSERT_EQ(::stat(kept.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0604u);
}

// The program's sink with one step made to fail: open and writes fail after doing their work (so
// a temporary file exists), the commit fails without renaming.
class FailingSink final : public platform::picture::IcoFileSink {
public:
    FailingSink(int failingStep, int failureErrno)
        : failingStep_(failingStep), failureErrno_(failureErrno) {}

    bool Open(const std::string& fileName) override { return Step(real_.Open(fileName)); }
    bool Write(std::span<const std::uint8_t> bytes) override { return Step(real_.Write(bytes)); }
    bool Commit() override { return ++steps_ == failingStep_ ? false : real_.Commit(); }
    int FailureErrno() const override { return failureErrno_; }
    void Discard() override {
        discarded_ = true;
        real_.Discard();
    }

    int Steps() const { return steps_; }
    bool Discarded() const { return discarded_; }

private:
    bool Step(bool done) { return ++steps_ != failingStep_ && done; }

    platform::picture::SaveFileSink real_;
    int failingStep_;
    int failureErrno_;
    int steps_ = 0;
    bool discarded_ = false;
};

TEST_F(SaveErrors, FailureAtAnyStepLeavesTheOldFileAndNoTemporaryFile) {
    const std::string target = PathOf("kept.ico");
    const fixtures::Bytes old(5000, 0x5A);
    FailingSink counting(0, 0);
    platform::picture::SavePictureWith(SomePicture(), PathOf("counted.ico"), counting);
    const int steps = counting.Steps();
    ASSERT_EQ(steps, 1 + 1 + 5 + 1);  // open, directory, five images, commit
    QFile::remove(QString::fromStdString(PathOf("counted.ico")));

    for (int failing = 1; failing <= steps; ++failing) {
        fixtures::WriteFile(target, old);
        FailingSink sink(failing, EIO);

        const std::int32_t error =
            ErrorOf([&] { platform::picture::SavePictureWith(SomePicture(), target, sink); });

        EXPECT_EQ(error, runtime::errPathFileAccess) << "step " << failing;
        EXPECT_TRUE(sink.Discarded()) << "step " << failing;
        EXPECT_EQ(sink.Steps(), failing) << "step " << failing;
        EXPECT_EQ(ReadFile(target), old) << "step " << failing;
        EXPECT_EQ(FilesIn(dir_.path().toStdString()), std::vector<std::string>{"kept.ico"})
            << "step " << failing;
    }
}

TEST_F(SaveErrors, ErrnoOfTheFailedStepGivesTheErrorNumber) {
    const std::vector<std::pair<int, std::int32_t>> cases = {
        {ENOSPC, runtime::errDiskFull},        {EDQUOT, runtime::errDiskFull},
        {EROFS, runtime::errPermissionDenied}, {EACCES, runtime::errPermissionDenied},
        {EPERM, runtime::errPermissionDenied}, {ENOENT, runtime::errPathNotFound},
        {ENOTDIR, runtime::errPathNotFound},   {EIO, runtime::errPathFileAccess},
        {0, runtime::errPathFileAccess}};
    for (const auto& [errnoValue, number] : cases) {
        for (int failing : {1, 3, 8}) {  // open, a write, the commit
            FailingSink sink(failing, errnoValue);
            EXPECT_EQ(ErrorOf([&] {
                          platform::picture::SavePictureWith(SomePicture(), PathOf("x.ico"), sink);
                      }),
                      number)
                << "errno " << errnoValue << " at step " << failing;
        }
    }
    EXPECT_TRUE(FilesIn(dir_.path().toStdString()).empty());
}

}  // namespace

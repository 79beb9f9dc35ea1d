// The quorvane-icons tool, run as a process on fixture files.
#include <gtest/gtest.h>

#include <string>

#include <QFileInfo>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>

#include "tests/support/IconFixtures.h"

namespace {

struct ToolRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

ToolRun RunTool(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(QUORVANE_ICONS_TOOL), arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit) {
        return {};
    }
    return {process.exitCode(), process.readAllStandardOutput().toStdString(),
            process.readAllStandardError().toStdString()};
}

class IconsTool : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        fixtures::PeBuilder pe;
        pe.AddIcon(1, small_.bytes);
        pe.AddIcon(2, medium_.bytes);
        pe.AddIcon(3, large_.bytes);
        pe.AddGroup(std::uint16_t{1}, {1, 2});
        pe.AddGroup(std::uint16_t{2}, {3});
        fixtures::WriteFile(Path("app.exe"), pe.Build(true));
        fixtures::WriteFile(Path("plain.txt"), fixtures::Bytes(200, 'x'));
    }

    std::string Path(const char* name) const { return dir_.filePath(name).toStdString(); }
    QString Arg(const char* name) const { return dir_.filePath(name); }

    QTemporaryDir dir_;
    fixtures::FixtureImage small_ =
        fixtures::MakeDibImage({.width = 16, .height = 16, .bitCount = 8});
    fixtures::FixtureImage medium_ = fixtures::MakeDibImage({.width = 32, .height = 32});
    fixtures::FixtureImage large_ = fixtures::MakePngImage(256, 256, 3);
};

TEST_F(IconsTool, ListsEveryIconWithItsImages) {
    const ToolRun run = RunTool({"list", Arg("app.exe"), Arg("plain.txt")});

    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, Path("app.exe") + ": 2 icons\n" +
                           "  icon 0: 16x16 8bpp, 32x32 32bpp\n"
                           "  icon 1: 256x256 32bpp png\n" +
                           Path("plain.txt") + ": 0 icons\n");
    EXPECT_EQ(run.err, "");
}

TEST_F(IconsTool, ListNamesEveryGroupOfTheDirectoryAndWhyOneGivesNoIcon) {
    fixtures::PeBuilder pe;
    pe.AddIcon(1, small_.bytes);
    pe.AddGroup(1, {7});  // names an icon the file does not have
    pe.AddGroup(2, {1});
    fixtures::WriteFile(Path("broken.exe"), pe.Build(false));
    fixtures::WriteFile(Path("repeated.dll"), fixtures::BuildRepeatedGroupPe(3, 246));

    const ToolRun run = RunTool({"list", Arg("broken.exe"), Arg("repeated.dll")});

    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, Path("broken.exe") + ": 2 icons\n" +
                           "  icon 0: unreadable: none of its 1 images can be found in the file\n"
                           "  icon 1: 16x16 8bpp\n" +
                           Path("repeated.dll") + ": 3 icons\n" +
                           "  icon 0: 32x32 8bpp x246\n"
                           "  icon 1: the same group as icon 0\n"
                           "  icon 2: the same group as icon 0\n");
}

TEST_F(IconsTool, ListReportsAMissingFileAndGoesOn) {
    const ToolRun run = RunTool({"list", Arg("missing.exe"), Arg("app.exe")});

    EXPECT_NE(run.exitCode, 0);
    EXPECT_NE(run.err.find(Path("missing.exe")), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("53"), std::string::npos) << run.err;
    EXPECT_EQ(run.out.rfind(Path("app.exe") + ": 2 icons\n", 0), 0u) << run.out;
}

TEST_F(IconsTool, SavesTheIconAtAnIndex) {
    const ToolRun run = RunTool({"save", Arg("app.exe"), "0", Arg("out.ico")});

    ASSERT_EQ(run.exitCode, 0) << run.err;
    QFile saved(Arg("out.ico"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray bytes = saved.readAll();
    EXPECT_EQ(fixtures::Bytes(bytes.begin(), bytes.end()),
              fixtures::BuildIco({small_.bytes, medium_.bytes}));
    QImageReader reader(Arg("out.ico"), "ico");
    EXPECT_EQ(reader.imageCount(), 2);
    EXPECT_FALSE(reader.read().isNull());
}

TEST_F(IconsTool, SaveFailuresExitWithTheErrorNumber) {
    const ToolRun badIndex = RunTool({"save", Arg("app.exe"), "2", Arg("out.ico")});
    const ToolRun missingFile = RunTool({"save", Arg("missing.exe"), "0", Arg("out.ico")});
    const ToolRun missingDir = RunTool({"save", Arg("app.exe"), "0", Arg("no/out.ico")});

    EXPECT_NE(badIndex.exitCode, 0);
    EXPECT_NE(badIndex.err.find("380"), std::string::npos) << badIndex.err;
    EXPECT_NE(badIndex.err.find(Path("app.exe")), std::string::npos) << badIndex.err;
    EXPECT_NE(missingFile.exitCode, 0);
    EXPECT_NE(missingFile.err.find("53"), std::string::npos) << missingFile.err;
    EXPECT_NE(missingDir.exitCode, 0);
    EXPECT_NE(missingDir.err.find("76"), std::string::npos) << missingDir.err;
    EXPECT_NE(missingDir.err.find("Impossibile trovare il percorso"), std::string::npos);
    EXPECT_FALSE(QFileInfo::exists(Arg("out.ico")));
}

TEST_F(IconsTool, BadCommandLinesGetTheUsage) {
    for (const QStringList& arguments :
         {QStringList{}, QStringList{"list"}, QStringList{"save", Arg("app.exe"), "0"},
          QStringList{"save", Arg("app.exe"), "first", Arg("out.ico")},
          QStringList{"save", Arg("app.exe"), "99999999999", Arg("out.ico")},
          QStringList{"show", Arg("app.exe")}}) {
        const ToolRun run = RunTool(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_NE(run.err.find("usage:"), std::string::npos);
        EXPECT_EQ(run.out, "");
    }
}

}  // namespace

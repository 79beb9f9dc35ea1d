// The quorvane-icons tool, run as a process on fixture files.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "tests/support/IconFixtures.h"
#include "tests/support/ScratchDirectory.h"
#include "tests/tools/ProgramRun.h"

namespace {

using ToolRun = tooltest::ProgramRun;

// The arguments as bytes, as a shell hands them over whatever their encoding.
ToolRun RunToolWithBytes(const std::vector<std::string>& arguments) {
    return tooltest::RunProgram(QUORVANE_ICONS_TOOL, arguments);
}

ToolRun RunTool(const QStringList& arguments) {
    std::vector<std::string> bytes;
    for (const QString& argument : arguments) {
        bytes.push_back(QFile::encodeName(argument).toStdString());
    }
    return RunToolWithBytes(bytes);
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
                           Path("plain.txt") +
                           ": 0 icons: not an executable (it does not start with \"MZ\") nor an "
                           "icon file\n");
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
    EXPECT_EQ(run.out,
              Path("broken.exe") + ": 2 icons\n" +
                  "  icon 0: unreadable: none of its 1 images can be taken: the file has no icon "
                  "resource (RT_ICON) 7\n"
                  "  icon 1: 16x16 8bpp\n" +
                  Path("repeated.dll") + ": 3 icons\n" +
                  "  icon 0: 32x32 8bpp x246\n"
                  "  icon 1: the same group as icon 0\n"
                  "  icon 2: the same group as icon 0\n");
}

TEST_F(IconsTool, ListReportsAMissingFileAndGoesOn) {
    const ToolRun run = RunTool({"list", Arg("missing.exe"), Arg("app.exe")});

    EXPECT_NE(run.exitCode, 0);
    EXPECT_NE(run.err.find(Path("missing.exe") + ": no such file or directory"), std::string::npos)
        << run.err;
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

TEST_F(IconsTool, SaveFailuresSayWhyInWords) {
    const ToolRun badIndex = RunTool({"save", Arg("app.exe"), "2", Arg("out.ico")});
    const ToolRun notIcons = RunTool({"save", Arg("plain.txt"), "0", Arg("out.ico")});
    const ToolRun missingFile = RunTool({"save", Arg("missing.exe"), "0", Arg("out.ico")});
    const ToolRun missingDir = RunTool({"save", Arg("app.exe"), "0", Arg("no/out.ico")});
    const ToolRun ontoDirectory = RunTool({"save", Arg("app.exe"), "0", dir_.path()});

    for (const ToolRun* run : {&badIndex, &notIcons, &missingFile, &missingDir, &ontoDirectory}) {
        EXPECT_EQ(run->exitCode, 1) << run->err;
        EXPECT_EQ(run->err.find("errore"), std::string::npos) << run->err;
    }
    EXPECT_EQ(badIndex.err, "quorvane-icons: " + Path("app.exe") +
                                ": icon 2: there is no icon 2: the file has 2\n");
    EXPECT_EQ(notIcons.err,
              "quorvane-icons: " + Path("plain.txt") +
                  ": icon 0: not an executable (it does not start with \"MZ\") nor an "
                  "icon file\n");
    EXPECT_EQ(missingFile.err,
              "quorvane-icons: " + Path("missing.exe") + ": no such file or directory\n");
    EXPECT_EQ(missingDir.err,
              "quorvane-icons: " + Path("no/out.ico") + ": the directory does not exist\n");
    EXPECT_NE(ontoDirectory.err.find(": it is not a regular file"), std::string::npos);
    EXPECT_FALSE(QFileInfo::exists(Arg("out.ico")));
}

fixtures::Bytes ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST_F(IconsTool, NamesThatAreNotUtf8KeepTheirBytes) {
    const testsupport::ScratchDirectory scratch;  // QTemporaryDir cannot remove such names
    const std::string exe = scratch.Path() + "/latin\xe9.exe";
    ASSERT_EQ(std::rename(Path("app.exe").c_str(), exe.c_str()), 0);

    const ToolRun list = RunToolWithBytes({"list", exe});
    const ToolRun first = RunToolWithBytes({"save", exe, "0", scratch.Path() + "/\xe9.ico"});
    const ToolRun second = RunToolWithBytes({"save", exe, "1", scratch.Path() + "/\xff.ico"});

    EXPECT_EQ(list.exitCode, 0) << list.err;
    EXPECT_EQ(list.out.rfind(exe + ": 2 icons\n", 0), 0u) << list.out;
    EXPECT_EQ(first.exitCode, 0) << first.err;
    EXPECT_EQ(second.exitCode, 0) << second.err;
    EXPECT_EQ(ReadBytes(scratch.Path() + "/\xe9.ico"),
              fixtures::BuildIco({small_.bytes, medium_.bytes}));
    EXPECT_EQ(ReadBytes(scratch.Path() + "/\xff.ico"), fixtures::BuildIco({large_.bytes}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(scratch.Path()), {}), 3);
}

// Plain `list` quotes a name with control characters as `ls` does (a terminal shows it without
// obeying it); `list --json` adds the exact bytes of a name that is not UTF-8, which its "path"
// can only give with U+FFFD.
TEST_F(IconsTool, NamesAreQuotedForTheTerminalAndGivenExactlyInJson) {
    const testsupport::ScratchDirectory scratch;
    const std::string escape = scratch.Path() + "/a\033[2Jb.exe";
    const std::string tab = scratch.Path() + "/x\ty'\xc2\x9b.exe";
    const std::string e9 = scratch.Path() + "/latin1-\xe9.exe";
    const std::string e8 = scratch.Path() + "/latin1-\xe8.exe";
    for (const std::string& name : {escape, tab, e9, e8}) {
        std::filesystem::copy_file(Path("app.exe"), name);
    }

    const ToolRun text = RunToolWithBytes({"list", escape, tab, Path("plain.txt")});
    const ToolRun json = RunToolWithBytes({"list", "--json", e9, e8, Path("app.exe")});

    EXPECT_EQ(text.exitCode, 0) << text.err;
    EXPECT_NE(text.out.find("'" + scratch.Path() + "/a'$'\\033''[2Jb.exe': 2 icons\n"),
              std::string::npos)
        << text.out;
    EXPECT_NE(text.out.find("'" + scratch.Path() + "/x'$'\\t''y'\\'''$'\\302\\233''.exe': 2"),
              std::string::npos)
        << text.out;
    EXPECT_NE(text.out.find("\n" + Path("plain.txt") + ": 0 icons"), std::string::npos);
    EXPECT_EQ(text.out.find('\033'), std::string::npos);
    const QList<QByteArray> lines = QByteArray::fromStdString(json.out).trimmed().split('\n');
    ASSERT_EQ(lines.size(), 3);
    const QJsonObject first = QJsonDocument::fromJson(lines[0]).object();
    const QJsonObject second = QJsonDocument::fromJson(lines[1]).object();
    EXPECT_EQ(first["path"], second["path"]) << "both spelled with U+FFFD";
    EXPECT_EQ(QByteArray::fromBase64(first["path_bytes"].toString().toLatin1()).toStdString(), e9);
    EXPECT_EQ(QByteArray::fromBase64(second["path_bytes"].toString().toLatin1()).toStdString(), e8);
    EXPECT_FALSE(QJsonDocument::fromJson(lines[2]).object().contains("path_bytes"));
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

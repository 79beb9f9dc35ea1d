// quorvane-icons extract, save --png, list --json and thumbnail, run as a process on fixtures.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "tests/support/IconFixtures.h"
#include "tests/tools/ProgramRun.h"

namespace {

using ToolRun = tooltest::ProgramRun;

class IconsToolExtract : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        fixtures::PeBuilder pe;
        pe.AddIcon(1, small_.bytes);
        pe.AddIcon(2, large_.bytes);
        pe.AddGroup(u"MAIN/ICON", {1, 2});
        pe.AddGroup(std::uint16_t{100}, {2});
        fixtures::WriteFile(Path("app.exe"), pe.Build(true));
        fixtures::WriteFile(Path("plain.txt"), fixtures::Bytes(200, 'x'));
    }

    std::string Path(const QString& name) const { return dir_.filePath(name).toStdString(); }
    static ToolRun Run(const std::vector<std::string>& arguments) {
        return tooltest::RunProgram(QUORVANE_ICONS_TOOL, arguments);
    }
    QStringList Written(const QString& sub) const {
        return QDir(dir_.filePath(sub)).entryList(QDir::Files, QDir::Name);
    }
    static fixtures::Bytes Read(const std::string& path) {
        QFile file(QString::fromStdString(path));
        const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        return fixtures::Bytes(bytes.begin(), bytes.end());
    }

    QTemporaryDir dir_;
    fixtures::FixtureImage small_ =
        fixtures::MakeDibImage({.width = 16, .height = 16, .bitCount = 8});
    fixtures::FixtureImage large_ = fixtures::MakePngImage(64, 64, 3);
};

TEST_F(IconsToolExtract, WritesEveryIconNamedByStemIndexAndResourceName) {
    const ToolRun run = Run({"extract", Path("app.exe"), "-o", Path("out")});

    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(Written("out"), QStringList({"app-000-MAIN_ICON.ico", "app-001-ID100.ico"}));
    EXPECT_EQ(Read(Path("out/app-000-MAIN_ICON.ico")),
              fixtures::BuildIco({small_.bytes, large_.bytes}));
    EXPECT_EQ(Read(Path("out/app-001-ID100.ico")), fixtures::BuildIco({large_.bytes}));
}

TEST_F(IconsToolExtract, FilesNamedAlikeNeverWriteOverEachOthersIcons) {
    ASSERT_TRUE(QDir(dir_.path()).mkpath("other"));
    fixtures::PeBuilder pe;
    pe.AddIcon(1, small_.bytes);
    pe.AddGroup(u"MAIN/ICON", {1});
    fixtures::WriteFile(Path("other/app.dll"), pe.Build(true));

    const ToolRun run =
        Run({"extract", Path("app.exe"), Path("other/app.dll"), "--index", "0", "-o", Path("out")});

    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(Written("out"), QStringList({"app-000-MAIN_ICON.ico", "app~2-000-MAIN_ICON.ico"}));
    EXPECT_EQ(Read(Path("out/app-000-MAIN_ICON.ico")),
              fixtures::BuildIco({small_.bytes, large_.bytes}));
    EXPECT_EQ(Read(Path("out/app~2-000-MAIN_ICON.ico")), fixtures::BuildIco({small_.bytes}));
}

TEST_F(IconsToolExtract, WritesTheChosenIconsAsPngsOfTheBestImage) {
    const ToolRun extract =
        Run({"extract", "--index", "1", "--png", "32", Path("app.exe"), "-o", Path("png")});
    const ToolRun save = Run({"save", Path("app.exe"), "0", Path("small.png"), "--png", "16"});

    EXPECT_EQ(extract.exitCode, 0) << extract.err;
    EXPECT_EQ(Written("png"), QStringList({"app-001-ID100.png"}));
    const QImage fromLarge(dir_.filePath("png/app-001-ID100.png"), "PNG");
    EXPECT_EQ(fromLarge.size(), QSize(32, 32));
    EXPECT_EQ(save.exitCode, 0) << save.err;
    EXPECT_EQ(QImage(dir_.filePath("small.png"), "PNG").size(), QSize(16, 16));
}

TEST_F(IconsToolExtract, ReportsEachFailedFileAndGoesOn) {
    const ToolRun run =
        Run({"extract", Path("plain.txt"), Path("missing.exe"), Path("app.exe"), "-o", Path("o")});

    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find(Path("plain.txt") + ": no icons: not an executable"), std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find(Path("missing.exe") + ": no such file or directory"), std::string::npos)
        << run.err;
    EXPECT_EQ(Written("o").size(), 2);
}

TEST_F(IconsToolExtract, ListsAsOneJsonObjectPerFile) {
    const ToolRun run = Run({"list", "--json", Path("app.exe"), Path("plain.txt")});

    ASSERT_EQ(run.exitCode, 0) << run.err;
    const QList<QByteArray> lines = QByteArray::fromStdString(run.out).trimmed().split('\n');
    ASSERT_EQ(lines.size(), 2);
    const QJsonObject app = QJsonDocument::fromJson(lines[0]).object();
    const QJsonArray icons = app["icons"].toArray();
    EXPECT_EQ(app["path"].toString().toStdString(), Path("app.exe"));
    ASSERT_EQ(icons.size(), 2);
    EXPECT_EQ(icons[0].toObject()["name"].toString(), "MAIN/ICON");
    EXPECT_EQ(icons[0].toObject()["language"].toInt(), 1033);
    EXPECT_EQ(icons[1].toObject()["id"].toInt(), 100);
    const QJsonObject image = icons[0].toObject()["images"].toArray()[1].toObject();
    EXPECT_EQ(image["width"].toInt(), 64);
    EXPECT_EQ(image["format"].toString(), "png");
    EXPECT_EQ(image["bytes"].toInt(), static_cast<int>(large_.bytes.size()));
    const QJsonObject plain = QJsonDocument::fromJson(lines[1]).object();
    EXPECT_TRUE(plain["icons"].toArray().isEmpty());
    EXPECT_TRUE(plain["error"].toString().startsWith("not an executable"));
}

TEST_F(IconsToolExtract, ThumbnailIsTheFirstIconOrNoFileAtAll) {
    const ToolRun drawn = Run({"thumbnail", "-s", "128", Path("app.exe"), Path("t.png")});
    const ToolRun none = Run({"thumbnail", "-s", "128", Path("plain.txt"), Path("none.png")});

    EXPECT_EQ(drawn.exitCode, 0) << drawn.err;
    EXPECT_EQ(QImage(dir_.filePath("t.png"), "PNG").size(), QSize(128, 128));
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_EQ(Written(""), QStringList({"app.exe", "plain.txt", "t.png"}));
}

TEST_F(IconsToolExtract, HelpAndBadOptions) {
    const ToolRun help = Run({"--help"});
    const ToolRun badOption = Run({"list", "--index", "0", Path("app.exe")});
    const ToolRun badSize = Run({"thumbnail", "-s", "0", Path("app.exe"), Path("t.png")});

    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("exit status: 0 all done; 1 some files failed"), std::string::npos);
    EXPECT_EQ(badOption.exitCode, 2);
    EXPECT_EQ(badSize.exitCode, 2);
}

}  // namespace

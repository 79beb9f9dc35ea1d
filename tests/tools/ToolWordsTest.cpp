// What quorvane-icons says: English by default, Italian under an Italian locale (installed or
// not), --version, each command's --help, and extract --json's lines.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "tests/support/IconFixtures.h"
#include "tests/tools/ProgramRun.h"

namespace {

using ToolRun = tooltest::ProgramRun;

class IconsToolWords : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        fixtures::PeBuilder pe;
        pe.AddIcon(1, image_.bytes);
        pe.AddGroup(u"MAIN", {1});
        pe.AddGroup(std::uint16_t{7}, {1});
        fixtures::WriteFile(Path("app.exe"), pe.Build(true));
        fixtures::WriteFile(Path("plain.txt"), fixtures::Bytes(200, 'x'));
    }

    std::string Path(const QString& name) const { return dir_.filePath(name).toStdString(); }
    static ToolRun Run(const std::vector<std::string>& arguments,
                       const std::vector<std::string>& environment = {}) {
        return tooltest::RunProgram(QUORVANE_ICONS_TOOL, arguments, environment);
    }

    QTemporaryDir dir_;
    fixtures::FixtureImage image_ = fixtures::MakeDibImage({.width = 16, .height = 16});
};

TEST_F(IconsToolWords, SpeaksItalianUnderAnItalianLocale) {
    // it_IT.UTF-8 is usually not generated on a build machine: the tool speaks Italian anyway.
    const std::vector<std::vector<std::string>> italian = {
        {"LANG=it_IT.UTF-8"}, {"LC_ALL=it_IT.UTF-8"}, {"LC_ALL=C.UTF-8", "LANGUAGE=it"}};
    for (const std::vector<std::string>& environment : italian) {
        const ToolRun list = Run({"list", Path("app.exe"), Path("plain.txt")}, environment);
        const ToolRun save = Run({"save", Path("missing.exe"), "0", Path("o.ico")}, environment);
        const ToolRun help = Run({"save", "--help"}, environment);
        // Confined, the tool can no longer open its catalog: it was read before.
        const ToolRun confined = Run({"list", "--sandbox", Path("plain.txt")}, environment);
        const ToolRun cursors = Run({"list", "--cursors", Path("plain.txt")}, environment);

        EXPECT_EQ(list.out, Path("app.exe") + ": 2 icone\n  icona 0: 16x16 32bpp\n" +
                                "  icona 1: 16x16 32bpp\n" + Path("plain.txt") +
                                ": 0 icone: non è un eseguibile (non inizia con \"MZ\") né un " +
                                "file di icone\n")
            << environment[0];
        EXPECT_EQ(save.err,
                  "quorvane-icons: " + Path("missing.exe") + ": file o directory inesistente\n");
        EXPECT_EQ(help.out.rfind("uso: quorvane-icons save", 0), 0u) << help.out;
        EXPECT_EQ(confined.out.rfind(Path("plain.txt") + ": 0 icone: non è", 0), 0u)
            << confined.out;
        EXPECT_EQ(cursors.out, Path("plain.txt") + ": 0 cursori: non è un eseguibile (non inizia " +
                                   "con \"MZ\") né un file di cursori\n");
    }
}

TEST_F(IconsToolWords, SpeaksItalianUnderAnInstalledItalianLocale) {
    // The locale made here (localedef, from the locales package's sources) and found by LOCPATH.
    const std::string locales = Path("locales");
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(locales)));
    const ToolRun made = tooltest::RunProgram(
        "/usr/bin/localedef", {"-i", "it_IT", "-f", "UTF-8", locales + "/it_IT.UTF-8"});
    if (made.exitCode != 0) {
        GTEST_SKIP() << "localedef cannot make it_IT.UTF-8: " << made.err;
    }
    const std::vector<std::string> installed = {"LOCPATH=" + locales, "LANG=it_IT.UTF-8"};
    std::vector<std::string> english = installed;
    english.push_back("LANGUAGE=en");

    EXPECT_EQ(
        Run({"list", Path("app.exe")}, installed).out.rfind(Path("app.exe") + ": 2 icone\n", 0),
        0u);
    EXPECT_EQ(Run({"list", Path("app.exe")}, english).out.rfind(Path("app.exe") + ": 2 icons\n", 0),
              0u);
}

TEST_F(IconsToolWords, SpeaksEnglishOtherwise) {
    for (const std::vector<std::string>& environment :
         std::vector<std::vector<std::string>>{{}, {"LANG=C"}, {"LC_ALL=C", "LANGUAGE=it"}}) {
        const ToolRun list = Run({"list", Path("plain.txt")}, environment);
        EXPECT_EQ(list.out, Path("plain.txt") + ": 0 icons: not an executable (it does not " +
                                "start with \"MZ\") nor an icon file\n");
    }
}

TEST_F(IconsToolWords, VersionAndEachCommandsHelp) {
    const ToolRun version = Run({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "quorvane-icons " QUORVANE_VERSION "\n");

    for (const std::string command : {"list", "extract", "save", "thumbnail"}) {
        const ToolRun help = Run({command, "--help"});
        const ToolRun shortHelp = Run({command, Path("app.exe"), "-h", "--unknown"});
        EXPECT_EQ(help.exitCode, 0) << command;
        EXPECT_EQ(help.out.rfind("usage: quorvane-icons " + command + " ", 0), 0u) << help.out;
        EXPECT_NE(help.out.find("-h, --help"), std::string::npos) << help.out;
        EXPECT_EQ(shortHelp.out, help.out);
        EXPECT_EQ(shortHelp.exitCode, 0);
    }
    EXPECT_NE(Run({"extract", "--help"}).out.find("--json"), std::string::npos);
    EXPECT_NE(Run({"thumbnail", "--help"}).out.find("-s SIZE"), std::string::npos);
    EXPECT_EQ(Run({"--version", "list"}).exitCode, 2);
}

TEST_F(IconsToolWords, ExtractJsonGivesALinePerFileWrittenInOrder) {
    const ToolRun run = Run({"extract", "--json", Path("app.exe"), Path("plain.txt"), "--index",
                             "1", "--index", "0", "--index", "5", "-o", Path("out")});

    EXPECT_EQ(run.exitCode, 1);  // plain.txt has none, app.exe no icon 5
    const QList<QByteArray> lines = QByteArray::fromStdString(run.out).trimmed().split('\n');
    ASSERT_EQ(lines.size(), 2) << run.out;
    const QJsonObject first = QJsonDocument::fromJson(lines[0]).object();
    const QJsonObject second = QJsonDocument::fromJson(lines[1]).object();
    EXPECT_EQ(first["path"].toString().toStdString(), Path("out/app-001-ID7.ico"));
    EXPECT_EQ(first["source"].toString().toStdString(), Path("app.exe"));
    EXPECT_EQ(first["index"].toInt(-1), 1);
    EXPECT_EQ(first["label"].toString(), "ID7");
    EXPECT_EQ(first["format"].toString(), "ico");
    EXPECT_EQ(second["path"].toString().toStdString(), Path("out/app-000-MAIN.ico"));
    EXPECT_EQ(second["index"].toInt(-1), 0);
    EXPECT_EQ(second["label"].toString(), "MAIN");
    for (const QJsonObject& line : {first, second}) {
        EXPECT_TRUE(QFileInfo(line["path"].toString()).isFile());
    }

    const ToolRun png = Run({"extract", "--json", "--png", "32", Path("app.exe"), "-o", Path("p")});
    EXPECT_EQ(png.exitCode, 0) << png.err;
    EXPECT_EQ(QJsonDocument::fromJson(QByteArray::fromStdString(png.out).split('\n')[0])
                  .object()["format"]
                  .toString(),
              "png");
}

}  // namespace

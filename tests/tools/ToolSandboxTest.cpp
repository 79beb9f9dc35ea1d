// quorvane-icons thumbnail (and list --sandbox) confined: what the confined process may no longer
// do, seen refused or killed through the test build's probes; what it still writes; and where.
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "tests/support/IconFixtures.h"
#include "tests/tools/ProgramRun.h"

namespace {

using ToolRun = tooltest::ProgramRun;

class ConfinedTool : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        fixtures::PeBuilder pe;
        pe.AddIcon(1, image_.bytes);
        pe.AddGroup(std::uint16_t{1}, {1});
        app_ = Path("app.exe");
        fixtures::WriteFile(app_, pe.Build(true));
    }
    void TearDown() override { ::unsetenv("QUORVANE_SANDBOX_PROBE"); }

    std::string Path(const QString& name) const { return dir_.filePath(name).toStdString(); }
    static ToolRun Run(const std::vector<std::string>& arguments) {
        return tooltest::RunProgram(QUORVANE_ICONS_TOOL, arguments);
    }
    // A thumbnail of app.exe with a probe trying a forbidden call once the process is confined.
    ToolRun Probe(const char* probe) {
        ::setenv("QUORVANE_SANDBOX_PROBE", probe, 1);
        const ToolRun run = Run({"thumbnail", "-s", "32", app_, Path("probe.png")});
        ::unsetenv("QUORVANE_SANDBOX_PROBE");
        return run;
    }
    // What the confinement applies here, as --verbose tells it.
    std::string Applied() const {
        return Run({"thumbnail", "--verbose", "-s", "32", app_, Path("verbose.png")}).err;
    }
    static fixtures::Bytes Read(const std::string& path) {
        QFile file(QString::fromStdString(path));
        const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        return fixtures::Bytes(bytes.begin(), bytes.end());
    }

    QTemporaryDir dir_;
    fixtures::FixtureImage image_ = fixtures::MakeDibImage({.width = 48, .height = 48});
    std::string app_;
};

TEST_F(ConfinedTool, VerboseTellsEachMeasure) {
    const std::string applied = Applied();

    EXPECT_NE(applied.find("no_new_privs: on\n"), std::string::npos) << applied;
    EXPECT_NE(applied.find("limits: address space "), std::string::npos) << applied;
    EXPECT_NE(applied.find("CPU time 5 s, file size 64 MiB"), std::string::npos) << applied;
    EXPECT_NE(applied.find("landlock: "), std::string::npos) << applied;
    EXPECT_NE(applied.find("seccomp: "), std::string::npos) << applied;
}

TEST_F(ConfinedTool, OpeningAnotherFileIsRefused) {
    if (Applied().find("landlock: ABI") == std::string::npos) {
        GTEST_SKIP() << "the kernel has no Landlock";
    }
    const ToolRun run = Probe("open");

    EXPECT_EQ(run.exitCode, 3);
    EXPECT_EQ(run.err, "probe: open /etc/passwd: Permission denied\n");
}

TEST_F(ConfinedTool, ASocketOrAnExecKillsTheProcess) {
    if (Applied().find("seccomp: on") == std::string::npos) {
        GTEST_SKIP() << "no system-call filter here";
    }
    for (const char* probe : {"socket", "exec"}) {
        const ToolRun run = Probe(probe);

        EXPECT_EQ(run.signal, SIGSYS) << probe << ": " << run.err;
        EXPECT_EQ(run.err, "") << probe;
    }
    EXPECT_FALSE(QFile::exists(dir_.filePath("probe.png")));
}

TEST_F(ConfinedTool, AThreadStillStarts) {
    const ToolRun run = Probe("thread");

    EXPECT_EQ(run.exitCode, 3) << run.signal;
    EXPECT_EQ(run.err, "probe: thread: ran\n");
}

TEST_F(ConfinedTool, WritesTheSamePngAsAnUnconfinedSave) {
    const ToolRun confined = Run({"thumbnail", "-s", "128", app_, Path("thumb.png")});
    const ToolRun unconfined = Run({"save", app_, "0", Path("saved.png"), "--png", "128"});

    ASSERT_EQ(confined.exitCode, 0) << confined.err;
    ASSERT_EQ(unconfined.exitCode, 0) << unconfined.err;
    EXPECT_EQ(Read(Path("thumb.png")), Read(Path("saved.png")));
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files, QDir::Name),
              QStringList({"app.exe", "saved.png", "thumb.png"}));
}

TEST_F(ConfinedTool, ListUnderSandboxStillFindsTheMunFile) {
    const QString windows = dir_.filePath("Windows");
    ASSERT_TRUE(QDir().mkpath(windows + "/System32") &&
                QDir().mkpath(windows + "/SystemResources"));
    fixtures::PeBuilder iconless;
    iconless.AddResource(16, 1, fixtures::Bytes(64, 1));
    const std::string dll = (windows + "/System32/imageres.dll").toStdString();
    fixtures::WriteFile(dll, iconless.Build(true));
    QFile::copy(QString::fromStdString(app_), windows + "/SystemResources/imageres.dll.mun");

    const ToolRun run = Run({"list", "--sandbox", "--verbose", dll});
    const ToolRun thumbnail = Run({"thumbnail", "-s", "32", dll, Path("mun.png")});

    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out.substr(0, run.out.find('\n')),
              dll + ": 1 icon (in " +
                  (windows + "/SystemResources/imageres.dll.mun").toStdString() + ")");
    EXPECT_NE(run.err.find("no_new_privs: on"), std::string::npos);
    EXPECT_EQ(thumbnail.exitCode, 0) << thumbnail.err;
}

// A link at the output is replaced by the thumbnail itself; its target, or the file a dangling
// link names, is never written, and nothing is left in the target's directory.
TEST_F(ConfinedTool, ThumbnailReplacesALinkAtTheOutputInsteadOfFollowingIt) {
    ASSERT_TRUE(QDir(dir_.path()).mkdir("elsewhere"));
    const std::string target = Path("elsewhere/victim.txt");
    fixtures::WriteFile(target, fixtures::Bytes(5, 'v'));
    ASSERT_EQ(::symlink(target.c_str(), Path("linked.png").c_str()), 0);
    ASSERT_EQ(::symlink(Path("elsewhere/new.txt").c_str(), Path("dangling.png").c_str()), 0);

    const ToolRun linked = Run({"thumbnail", "-s", "32", app_, Path("linked.png")});
    const ToolRun dangling = Run({"thumbnail", "-s", "32", app_, Path("dangling.png")});

    EXPECT_EQ(linked.exitCode, 0) << linked.err;
    EXPECT_EQ(dangling.exitCode, 0) << dangling.err;
    for (const char* name : {"linked.png", "dangling.png"}) {
        struct stat status {};
        ASSERT_EQ(::lstat(Path(name).c_str(), &status), 0);
        EXPECT_TRUE(S_ISREG(status.st_mode)) << name;
        EXPECT_EQ(Read(Path(name)).size() > 8 ? Read(Path(name))[1] : 0, 'P') << name;
    }
    EXPECT_EQ(Read(target), fixtures::Bytes(5, 'v'));
    EXPECT_EQ(QDir(dir_.filePath("elsewhere")).entryList(QDir::Files), QStringList({"victim.txt"}));
}

// `save` keeps the window's choice: a link at OUT is followed and its target replaced.
TEST_F(ConfinedTool, SaveStillFollowsALink) {
    const std::string target = Path("target.png");
    fixtures::WriteFile(target, fixtures::Bytes(5, 'v'));
    ASSERT_EQ(::symlink(target.c_str(), Path("link.png").c_str()), 0);

    const ToolRun run = Run({"save", app_, "0", Path("link.png"), "--png", "32"});

    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(std::filesystem::read_symlink(Path("link.png")).string(), target);
    EXPECT_EQ(Read(target).size() > 8 ? Read(target)[1] : 0, 'P');
}

TEST_F(ConfinedTool, ADirectoryAtTheOutputIsLeftAlone) {
    ASSERT_TRUE(QDir(dir_.path()).mkdir("out.png"));

    const ToolRun run = Run({"thumbnail", "-s", "32", app_, Path("out.png")});

    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(QFileInfo(dir_.filePath("out.png")).isDir());
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList({"app.exe"}));
}

}  // namespace

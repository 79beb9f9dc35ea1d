// quorvane-icons list, extract and save with --cursors and --animated, run as a process on an
// executable holding icons, cursor groups and animated resources side by side.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "tests/support/IconFixtures.h"
#include "tests/tools/ProgramRun.h"

namespace {

using fixtures::Bytes;
using fixtures::CursorImage;
using ToolRun = tooltest::ProgramRun;

class IconsToolCursors : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        fixtures::PeBuilder pe;
        pe.AddIcon(1, fixtures::MakeDibImage({.width = 16, .height = 16, .bitCount = 8}).bytes);
        pe.AddGroup(1, {1});
        pe.AddResource(fixtures::kRtCursor, 1, fixtures::CursorResourceBytes(arrow_));
        pe.AddResource(fixtures::kRtCursor, 2, fixtures::CursorResourceBytes(hand_));
        pe.AddResource(fixtures::kRtCursor, 3, fixtures::CursorResourceBytes(cross_));
        pe.AddResource(fixtures::kRtGroupCursor, u"ARROW",
                       fixtures::CursorGroupDirectoryBytes({fixtures::CursorEntryFor(arrow_, 1),
                                                            fixtures::CursorEntryFor(hand_, 2)}));
        fixtures::CursorGroupEntry claim = fixtures::CursorEntryFor(cross_, 3);
        claim.width = 48;  // what an old editor may write: not the image's size
        claim.height = 48;
        pe.AddResource(fixtures::kRtGroupCursor, 200, fixtures::CursorGroupDirectoryBytes({claim}));
        pe.AddResource(fixtures::kRtAniIcon, 6, aniIcon_);
        pe.AddResource(fixtures::kRtAniCursor, u"BUSY", aniCursor_);
        fixtures::WriteFile(Path("app.exe"), pe.Build(true));
    }

    std::string Path(const QString& name) const { return dir_.filePath(name).toStdString(); }
    static ToolRun Run(const std::vector<std::string>& arguments) {
        return tooltest::RunProgram(QUORVANE_ICONS_TOOL, arguments);
    }
    QStringList Written(const QString& sub) const {
        return QDir(dir_.filePath(sub)).entryList(QDir::Files, QDir::Name);
    }
    Bytes Read(const QString& name) const {
        QFile file(dir_.filePath(name));
        const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        return Bytes(bytes.begin(), bytes.end());
    }

    QTemporaryDir dir_;
    const CursorImage arrow_{
        fixtures::MakeDibImage({.width = 32, .height = 32, .bitCount = 1}).bytes, 7, 18};
    const CursorImage hand_{fixtures::MakePngImage(48, 48, 5).bytes, 21, 2};
    const CursorImage cross_{
        fixtures::MakeDibImage({.width = 32, .height = 32, .bitCount = 1, .seed = 3}).bytes, 15,
        15};
    const Bytes aniCursor_ =
        fixtures::BuildAni({fixtures::BuildCur({arrow_}), fixtures::BuildCur({cross_})});
    const Bytes aniIcon_ = fixtures::BuildAni({fixtures::BuildIco({hand_.image})}, 5);
};

TEST_F(IconsToolCursors, ExtractWritesEachCursorGroupAsACurFile) {
    const ToolRun run = Run({"extract", "--cursors", Path("app.exe"), "-o", Path("out")});

    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(Written("out"), QStringList({"app-000-ARROW.cur", "app-001-ID200.cur"}));
    EXPECT_EQ(Read("out/app-000-ARROW.cur"), fixtures::BuildCur({arrow_, hand_}));
    EXPECT_EQ(Read("out/app-001-ID200.cur"), fixtures::BuildCur({cross_}))
        << "the image's own size, not the group's claim";
}

// A file of more groups than one part of the parallel extraction holds: each part reads cursors.
TEST_F(IconsToolCursors, ManyCursorGroupsAreWrittenOnSeveralJobsAlike) {
    fixtures::PeBuilder pe;
    pe.AddResource(fixtures::kRtCursor, 1, fixtures::CursorResourceBytes(arrow_));
    for (std::uint16_t id = 1; id <= 40; ++id) {
        pe.AddResource(fixtures::kRtGroupCursor, id,
                       fixtures::CursorGroupDirectoryBytes({fixtures::CursorEntryFor(arrow_, 1)}));
    }
    fixtures::WriteFile(Path("many.dll"), pe.Build(false));

    const ToolRun run =
        Run({"extract", "--cursors", "--jobs", "2", Path("many.dll"), "-o", Path("many")});

    EXPECT_EQ(run.exitCode, 0) << run.err;
    ASSERT_EQ(Written("many").size(), 40);
    EXPECT_EQ(Read("many/" + Written("many").back()), fixtures::BuildCur({arrow_}));
}

TEST_F(IconsToolCursors, ListShowsEachCursorsHotspotAndWhatTheGroupClaims) {
    const ToolRun text = Run({"list", "--cursors", Path("app.exe")});
    const ToolRun json = Run({"list", "--json", "--cursors", Path("app.exe")});

    EXPECT_EQ(text.exitCode, 0) << text.err;
    EXPECT_EQ(text.out, Path("app.exe") + ": 2 cursors\n" +
                            "  cursor 0: 32x32 1bpp hotspot 7,18, 48x48 32bpp png hotspot 21,2\n"
                            "  cursor 1: 32x32 1bpp hotspot 15,15 (the group says 48x48 1bpp)\n");
    EXPECT_EQ(json.exitCode, 0) << json.err;
    const QJsonArray groups = QJsonDocument::fromJson(QByteArray::fromStdString(json.out))
                                  .object()
                                  .value("icons")
                                  .toArray();
    ASSERT_EQ(groups.size(), 2);
    const QJsonObject hand = groups[0].toObject().value("images").toArray()[1].toObject();
    EXPECT_EQ(hand.value("hotspot").toObject().value("x").toInt(), 21);
    EXPECT_EQ(hand.value("hotspot").toObject().value("y").toInt(), 2);
    EXPECT_FALSE(hand.contains("claimed")) << "a doubled height is what a cursor group says";
    const QJsonObject cross = groups[1].toObject().value("images").toArray()[0].toObject();
    EXPECT_EQ(cross.value("width").toInt(), 32);
    EXPECT_EQ(cross.value("claimed").toObject().value("width").toInt(), 48);
}

TEST_F(IconsToolCursors, AnimatedResourcesAreListedAndWrittenByteForByte) {
    const ToolRun list = Run({"list", "--animated", Path("app.exe")});
    const ToolRun extract = Run({"extract", Path("app.exe"), "--animated", "-o", Path("ani")});
    const ToolRun save = Run({"save", "--animated", Path("app.exe"), "1", Path("icon.ani")});

    EXPECT_EQ(list.exitCode, 0) << list.err;
    EXPECT_EQ(list.out, Path("app.exe") + ": 2 animated resources\n" +
                            "  animated resource 0: ani " + std::to_string(aniCursor_.size()) +
                            " bytes\n" + "  animated resource 1: ani " +
                            std::to_string(aniIcon_.size()) + " bytes\n");
    EXPECT_EQ(extract.exitCode, 0) << extract.err;
    EXPECT_EQ(Written("ani"), QStringList({"app-000-BUSY.ani", "app-001-ID6.ani"}));
    EXPECT_EQ(Read("ani/app-000-BUSY.ani"), aniCursor_);
    EXPECT_EQ(Read("ani/app-001-ID6.ani"), aniIcon_);
    EXPECT_EQ(save.exitCode, 0) << save.err;
    EXPECT_EQ(Read("icon.ani"), aniIcon_);
}

TEST_F(IconsToolCursors, SaveWritesOneCursorGroupAndReportsAMissingOne) {
    const ToolRun save = Run({"save", Path("app.exe"), "0", Path("arrow.cur"), "--cursors"});
    const ToolRun missing = Run({"save", "--cursors", Path("app.exe"), "2", Path("none.cur")});
    const ToolRun extract =
        Run({"extract", "--cursors", "--index", "5", Path("app.exe"), "-o", Path("none")});

    EXPECT_EQ(save.exitCode, 0) << save.err;
    EXPECT_EQ(Read("arrow.cur"), fixtures::BuildCur({arrow_, hand_}));
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("there is no cursor 2: the file has 2"), std::string::npos)
        << missing.err;
    EXPECT_FALSE(QFile::exists(dir_.filePath("none.cur")));
    EXPECT_EQ(extract.exitCode, 1);
    EXPECT_NE(extract.err.find("there is no cursor 5"), std::string::npos) << extract.err;
    EXPECT_TRUE(Written("none").isEmpty());
}

TEST_F(IconsToolCursors, OneKindAtATimeAndNoPng) {
    const std::string exe = Path("app.exe");
    for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
             {"list", "--cursors", "--animated", exe},
             {"extract", "--animated", "--cursors", exe},
             {"extract", "--cursors", "--png", "32", exe},
             {"extract", "--png", "32", "--animated", exe},
             {"save", "--cursors", exe, "0", Path("x.png"), "--png", "32"},
             {"thumbnail", "--cursors", "-s", "32", exe, Path("x.png")}}) {
        const ToolRun run = Run(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments[1] << " " << arguments[2];
        EXPECT_NE(run.err.find("usage:"), std::string::npos);
    }
    EXPECT_FALSE(QFile::exists(dir_.filePath("x.png")));
}

}  // namespace

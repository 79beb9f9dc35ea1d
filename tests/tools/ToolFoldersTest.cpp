// quorvane-icons list and extract given directories: which files a walk takes and in what order,
// links, loops, FIFOs and directories it cannot read, the mirrored layout of extract, and the
// same output for any number of jobs.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/IconFixtures.h"
#include "tests/support/ScratchDirectory.h"
#include "tests/tools/ProgramRun.h"

namespace {

namespace fs = std::filesystem;
using ToolRun = tooltest::ProgramRun;

ToolRun RunTool(const std::vector<std::string>& arguments) {
    return tooltest::RunProgram(QUORVANE_ICONS_TOOL, arguments);
}

// The first line list prints of each file ("PATH: N icons..."), in order.
std::vector<std::string> ListedFiles(const std::string& out) {
    std::vector<std::string> files;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("  ", 0) != 0) {
            files.push_back(line.substr(0, line.find(": ")));
        }
    }
    return files;
}

fixtures::Bytes ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every file under a directory, by its path relative to it, with its bytes.
std::map<std::string, fixtures::Bytes> TreeOf(const std::string& directory) {
    std::map<std::string, fixtures::Bytes> tree;
    for (const auto& entry : fs::recursive_directory_iterator(directory)) {
        if (entry.is_regular_file()) {
            tree[fs::relative(entry.path(), directory).string()] = ReadBytes(entry.path());
        }
    }
    return tree;
}

class IconsToolFolders : public testing::Test {
protected:
    void SetUp() override {
        fixtures::PeBuilder pe;
        pe.AddIcon(1, small_.bytes);
        pe.AddGroup(u"MAIN", {1});
        exe_ = pe.Build(true);
        ico_ = fixtures::BuildIco({small_.bytes});
    }

    std::string Path(const std::string& name) const { return scratch_.Path() + "/" + name; }
    void Put(const std::string& name, const fixtures::Bytes& bytes) const {
        fs::create_directories(fs::path(Path(name)).parent_path());
        fixtures::WriteFile(Path(name), bytes);
    }
    std::vector<std::string> Paths(const std::string& top, std::vector<std::string> names) const {
        for (std::string& name : names) {
            name = Path(top) + "/" + name;
        }
        return names;
    }

    const testsupport::ScratchDirectory scratch_;
    fixtures::FixtureImage small_ =
        fixtures::MakeDibImage({.width = 16, .height = 16, .bitCount = 8});
    fixtures::Bytes exe_;
    fixtures::Bytes ico_;
};

TEST_F(IconsToolFolders, ADirectoryGivesItsMatchingFilesInNameOrderAndRecursesWithR) {
    Put("top/b.dll", exe_);
    Put("top/a.EXE", exe_);
    Put("top/UPPER.ICO", ico_);
    Put("top/notes.txt", exe_);
    Put("top/c.cpl.bak", exe_);
    Put("top/sub/c.cpl", exe_);
    Put("top/sub/deep/d.scr", exe_);
    Put("top/sub/deep/e.mun", exe_);
    Put("top/t.icl", exe_);

    const ToolRun flat = RunTool({"list", Path("top")});
    const ToolRun deep = RunTool({"list", "-r", Path("top"), "--jobs", "2"});
    const ToolRun text = RunTool({"list", "-r", "--pattern", " *.TXT ; *.bak", Path("top")});
    const ToolRun named = RunTool({"list", Path("top/notes.txt"), Path("top/sub")});

    EXPECT_EQ(flat.exitCode, 0) << flat.err;
    EXPECT_EQ(ListedFiles(flat.out), Paths("top", {"UPPER.ICO", "a.EXE", "b.dll", "t.icl"}));
    EXPECT_EQ(deep.exitCode, 0) << deep.err;
    EXPECT_EQ(ListedFiles(deep.out), Paths("top", {"UPPER.ICO", "a.EXE", "b.dll", "sub/c.cpl",
                                                   "sub/deep/d.scr", "sub/deep/e.mun", "t.icl"}));
    EXPECT_EQ(deep.err, "");
    EXPECT_EQ(ListedFiles(text.out), Paths("top", {"c.cpl.bak", "notes.txt"}));
    // A file named on the command line is read whatever its name.
    EXPECT_EQ(ListedFiles(named.out), Paths("top", {"notes.txt", "sub/c.cpl"}));
    EXPECT_NE(named.out.find("notes.txt: 1 icon\n"), std::string::npos) << named.out;
}

TEST_F(IconsToolFolders, LinksLoopsAndFifosAreNeverFollowedIntoOrOpened) {
    Put("top/a.dll", exe_);
    Put("top/sub/b.dll", exe_);
    Put("outside/c.exe", exe_);
    Put("outside/hidden/d.exe", exe_);
    fs::create_directory_symlink("..", Path("top/sub/up"));
    fs::create_directory_symlink(Path("outside/hidden"), Path("top/hidden"));
    fs::create_symlink("loop.dll", Path("top/loop.dll"));
    fs::create_symlink(Path("outside/c.exe"), Path("top/linked.exe"));
    fs::create_symlink(Path("nowhere.exe"), Path("top/dangling.exe"));
    ASSERT_EQ(::mkfifo(Path("top/pipe.dll").c_str(), 0600), 0);
    fs::create_directory_symlink(Path("top"), Path("top-link"));

    // top reached again through top-link and top/sub, named after it: each walked once.
    const ToolRun run =
        RunTool({"list", "-r", Path("top"), Path("top-link"), Path("top/sub"), "--jobs", "3"});
    const ToolRun linkNamed = RunTool({"list", "-r", Path("top/hidden")});

    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    // A link to a file is read under its own name; links to directories are not entered.
    EXPECT_EQ(ListedFiles(run.out), Paths("top", {"a.dll", "linked.exe", "sub/b.dll"}));
    EXPECT_NE(run.out.find("linked.exe: 1 icon\n"), std::string::npos) << run.out;
    // A link named on the command line is followed.
    EXPECT_EQ(ListedFiles(linkNamed.out), Paths("top", {"hidden/d.exe"}));
}

TEST_F(IconsToolFolders, ProblemsAreReportedInPlaceAndTheRestIsStillRead) {
    std::string deep = "deep";
    for (int level = 1; level <= 65; ++level) {
        deep += "/" + std::to_string(level);
        Put(deep + "/f.dll", exe_);
    }
    const ToolRun tooDeep = RunTool({"list", "-r", Path("deep")});

    EXPECT_EQ(tooDeep.exitCode, 1);
    EXPECT_EQ(ListedFiles(tooDeep.out).size(), 64u);
    EXPECT_EQ(tooDeep.err,
              "quorvane-icons: " + Path(deep) + ": not entered: more than 64 directories deep\n");

    Put("top/a.dll", exe_);
    Put("top/locked/b.dll", exe_);
    Put("top/z.dll", exe_);
    fs::permissions(Path("top/locked"), fs::perms::none);
    const bool readable = ::access(Path("top/locked").c_str(), R_OK) == 0;
    const ToolRun locked = RunTool({"list", "-r", Path("top"), "--jobs", "2"});
    fs::permissions(Path("top/locked"), fs::perms::owner_all);
    if (readable) {
        GTEST_SKIP() << "running as root: a directory without permissions stays readable";
    }
    EXPECT_EQ(locked.exitCode, 1);
    EXPECT_EQ(ListedFiles(locked.out), Paths("top", {"a.dll", "z.dll"}));
    EXPECT_EQ(locked.err,
              "quorvane-icons: " + Path("top/locked") + ": errore 70: Autorizzazione negata\n");
}

TEST_F(IconsToolFolders, ExtractMirrorsTheTreeAndKeepsNamesThatAreNotUtf8) {
    Put("top/a.exe", exe_);
    Put("top/none.dll", fixtures::Bytes(100, 'x'));
    Put("top/sub/a.exe", exe_);
    Put("top/sub/A.dll", exe_);
    Put("top/caf\xe9/\xff.dll", exe_);
    Put("other/a.exe", exe_);

    const ToolRun run =
        RunTool({"extract", "-r", Path("top"), Path("other/a.exe"), "-o", Path("out")});

    // Files named alike in one directory, or a named file beside the top's, get STEM~2.
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");  // none.dll, a walked file without icons, is passed over
    const fixtures::Bytes icon = fixtures::BuildIco({small_.bytes});
    const std::map<std::string, fixtures::Bytes> expected{{"a-000-MAIN.ico", icon},
                                                          {"a~2-000-MAIN.ico", icon},
                                                          {"caf\xe9/\xff-000-MAIN.ico", icon},
                                                          {"sub/A-000-MAIN.ico", icon},
                                                          {"sub/a~2-000-MAIN.ico", icon}};
    EXPECT_EQ(TreeOf(Path("out")), expected);
}

TEST_F(IconsToolFolders, TheOutputIsTheSameForOneJobAndForThree) {
    fixtures::PeBuilder broken;
    broken.AddIcon(1, small_.bytes);
    broken.AddGroup(std::uint16_t{1}, {7});  // names an icon the file does not have
    broken.AddGroup(std::uint16_t{2}, {1});
    fixtures::PeBuilder many;  // enough icons to be written in parts, one of them broken
    many.AddIcon(1, small_.bytes);
    for (std::uint16_t group = 1; group <= 40; ++group) {
        many.AddGroup(group, {group == 20 ? std::uint16_t{9} : std::uint16_t{1}});
    }
    Put("d1/many.exe", many.Build(true));
    for (int i = 0; i < 40; ++i) {
        const std::string name = "d" + std::to_string(i % 4) + "/f" + std::to_string(i);
        Put(name + ".exe", exe_);
        Put(name + "b.dll", broken.Build(true));
        Put(name + ".ico", fixtures::Bytes(10, 'x'));
    }
    std::map<std::string, std::string> seen;
    for (const std::string jobs : {"1", "3"}) {
        const std::string out = Path("out" + jobs);
        const ToolRun list = RunTool({"list", "-r", Path("d0"), Path("."), "--jobs", jobs});
        const ToolRun json = RunTool({"list", "--json", "-r", Path("."), "--jobs", jobs});
        const ToolRun extract = RunTool({"extract", "-r", Path("."), Path("missing.exe"), "--png",
                                         "24", "--jobs", jobs, "-o", out});
        ASSERT_EQ(list.exitCode, 0) << list.err;
        ASSERT_EQ(extract.exitCode, 1);
        ASSERT_NE(extract.err.find("icon 0: "), std::string::npos) << extract.err;
        // A PNG of each f*.exe, of each f*b.dll's icon 1, and of many.exe's 39 good icons.
        EXPECT_EQ(TreeOf(out).size(), 119u);
        ASSERT_NE(extract.err.find("many.exe: icon 19: "), std::string::npos) << extract.err;
        std::ostringstream tree;
        for (const auto& [name, bytes] : TreeOf(out)) {
            tree << name << " " << bytes.size() << " "
                 << std::hash<std::string>()(std::string(bytes.begin(), bytes.end())) << "\n";
        }
        const std::string all =
            list.out + list.err + json.out + json.err + extract.out + extract.err + tree.str();
        fs::remove_all(out);
        seen[jobs] = all;
    }
    EXPECT_EQ(seen["1"], seen["3"]);
}

TEST_F(IconsToolFolders, BadJobCountsGetTheUsage) {
    for (const std::string jobs : {"0", "65", "many"}) {
        const ToolRun run = RunTool({"list", "--jobs", jobs, scratch_.Path()});
        EXPECT_EQ(run.exitCode, 2) << jobs;
        EXPECT_NE(run.err.find("usage:"), std::string::npos);
    }
}

}  // namespace

// Browsing through the window: "Aggiorna" scans the directory, a file's icons are loaded, the
// chosen icon is previewed. The real services run on generated files; a scripted service stands in
// where a test counts calls or injects failures.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "platform/icons/IconService.h"
#include "platform/toolkit/PathText.h"
#include "platform/toolkit/Screen.h"
#include "tests/support/IconFixtures.h"
#include "tests/support/NativePath.h"
#include "tests/support/RaisedNumber.h"
#include "tests/window/WindowHarness.h"
#include "tests/window/WindowProbe.h"

using platform::icons::LiveIconCount;
using runtime::Integer;
using toolkit::Screen;
using toolkit::path_text::Normalise;
using window_probe::Pixels;

namespace {

const std::string kNoIcons = "Il file selezionato non contiene icone!";

std::vector<std::int32_t> IndicesAsked(const WindowHarness& h, const std::string& path) {
    std::vector<std::int32_t> indices;
    for (const auto& call : h.extractCalls) {
        if (Normalise(call.path) == path) {
            indices.push_back(call.index);
        }
    }
    return indices;
}

std::vector<IPictureDisp> PicturesOf(frmCercaIco& w) {
    std::vector<IPictureDisp> pictures;
    for (Integer i = 0; i <= w.mIcone.UBound(); i = i + 1) {
        pictures.push_back(w.mIcone(i));
    }
    return pictures;
}

bool IsUniform(const std::vector<std::uint32_t>& pixels) {
    return std::adjacent_find(pixels.begin(), pixels.end(), std::not_equal_to<>()) == pixels.end();
}

class BrowsingTest : public ::testing::Test {
protected:
    void ExpectLoaded(int icons) {
        std::vector<std::string> expected;
        for (int i = 0; i < icons; ++i) {
            expected.push_back("Icona  " + std::to_string(i));
        }
        EXPECT_EQ(h.LstIconeEntries(), expected);
        EXPECT_EQ(w.lstIcone.ListIndex(), Integer(0));
        ASSERT_TRUE(w.mIcone.IsAllocated());
        EXPECT_EQ(w.mIcone.UBound(), Integer(icons - 1));
        const Previews shown = PreviewsOf(w);
        ASSERT_NE(shown.grande, nullptr);
        EXPECT_EQ(shown.grande, w.mIcone(0));
        EXPECT_EQ(shown.media, w.mIcone(0));
        EXPECT_EQ(shown.piccola, w.mIcone(0));
        EXPECT_EQ(Screen.MousePointer(), toolkit::vbDefault);
    }

    const std::size_t liveAtStart = LiveIconCount();
    WindowHarness h;
    frmCercaIco& w = h.window();
};

TEST_F(BrowsingTest, ScanListsTheFilesWithIconsInFileListOrderAndLoadsTheFirstTwice) {
    h.WriteIconFile("b_due.dll", 2);
    h.WriteIconFile("A_tre.EXE", 3);
    h.WriteFileWithoutIcons("c_nessuna.ocx");
    h.WriteTextFile("d_testo.exe");
    h.WriteTextFile("leggimi.txt");
    h.OpenScratchDirectory();

    h.PressAggiorna();

    EXPECT_EQ(h.LstFilesEntries(), (std::vector<std::string>{"A_tre.EXE", "b_due.dll"}));
    EXPECT_EQ(w.lstFiles.ListIndex(), Integer(0));
    ExpectLoaded(3);
    // One probe per listed file, then the nested load and the press's own load of the first file.
    EXPECT_EQ(IndicesAsked(h, h.Path("b_due.dll")), std::vector<std::int32_t>{0});
    EXPECT_EQ(IndicesAsked(h, h.Path("c_nessuna.ocx")), std::vector<std::int32_t>{0});
    EXPECT_EQ(IndicesAsked(h, h.Path("d_testo.exe")), std::vector<std::int32_t>{0});
    EXPECT_EQ(IndicesAsked(h, h.Path("A_tre.EXE")),
              (std::vector<std::int32_t>{0, 0, 1, 2, 3, 0, 1, 2, 3}));
    EXPECT_EQ(h.extractCalls.size(), 4u + 8u);
    EXPECT_TRUE(h.messages.empty());
    // Probe handles are given back at once; what stays are the three pictures of the loaded file.
    EXPECT_EQ(LiveIconCount(), liveAtStart + 3);
    EXPECT_TRUE(w.lstFiles.Visible());
    EXPECT_TRUE(w.cmdAggiorna.Visible());
}

TEST_F(BrowsingTest, ADirectoryWithoutIconsListsNothingAndLoadsNothing) {
    h.WriteTextFile("leggimi.txt");
    h.OpenScratchDirectory();
    h.PressAggiorna();
    EXPECT_TRUE(h.extractCalls.empty());

    h.WriteFileWithoutIcons("vuoto.dll");
    h.WriteTextFile("finto.exe");
    h.OpenScratchDirectory();  // same path: no Change, the file list still holds the old listing
    w.dirlDirectory_Change();
    h.PressAggiorna();

    EXPECT_EQ(w.lstFiles.ListCount(), Integer(0));
    EXPECT_EQ(w.lstIcone.ListCount(), Integer(0));
    EXPECT_EQ(h.extractCalls.size(), 2u);
    EXPECT_TRUE(h.messages.empty());
    EXPECT_FALSE(w.mIcone.IsAllocated());
    EXPECT_EQ(PreviewsOf(w).grande, nullptr);
    EXPECT_EQ(Screen.MousePointer(), toolkit::vbDefault);
    EXPECT_EQ(LiveIconCount(), liveAtStart);
}

TEST_F(BrowsingTest, APressWithFilesListedReloadsTheSelectedFileWithoutScanning) {
    h.WriteIconFile("uno.dll", 1);
    h.WriteIconFile("dodici.dll", 12);
    h.OpenScratchDirectory();
    h.PressAggiorna();
    h.ClickFile(0);  // "dodici.dll"
    ExpectLoaded(12);
    EXPECT_EQ(h.LstIconeEntries().back(), "Icona  11");
    h.extractCalls.clear();

    h.PressAggiorna();

    EXPECT_EQ(IndicesAsked(h, h.Path("dodici.dll")).size(), 13u);
    EXPECT_EQ(h.extractCalls.size(), 13u);
    ExpectLoaded(12);
    EXPECT_EQ(LiveIconCount(), liveAtStart + 12);
}

TEST_F(BrowsingTest, AFileWithoutIconsAfterALoadedOneChangesNothingElse) {
    h.WriteIconFile("a.dll", 3);
    h.WriteIconFile("b.dll", 2);
    h.WriteIconFile("c.dll", 2);
    h.OpenScratchDirectory();
    h.PressAggiorna();
    h.ClickIcon(2);
    const std::vector<IPictureDisp> pictures = PicturesOf(w);
    const Previews before = PreviewsOf(w);
    const std::size_t live = LiveIconCount();
    h.WriteFileWithoutIcons("b.dll");                                   // rewritten after the scan
    std::filesystem::remove(testsupport::NativePath(h.Path("c.dll")));  // gone after the scan

    for (int file : {1, 2}) {
        h.messages.clear();
        h.ClickFile(file);

        ASSERT_EQ(h.messages.size(), 1u);
        EXPECT_EQ(h.messages[0].text, kNoIcons);
        EXPECT_EQ(h.messages[0].style, 48);
        EXPECT_EQ(h.messages[0].title, "Tillomark...Brandell");
        EXPECT_EQ(w.lstFiles.ListIndex(), Integer(file));
        EXPECT_EQ(h.LstIconeEntries(),
                  (std::vector<std::string>{"Icona  0", "Icona  1", "Icona  2"}));
        EXPECT_EQ(PicturesOf(w), pictures);
        EXPECT_EQ(PreviewsOf(w).grande, before.grande);
        EXPECT_EQ(LiveIconCount(), live);
        EXPECT_EQ(Screen.MousePointer(), toolkit::vbDefault);
    }
    // The previous file's icons are still there to be shown.
    h.ClickIcon(1);
    EXPECT_EQ(PreviewsOf(w).grande, pictures[1]);
}

TEST_F(BrowsingTest, ANewLoadReleasesTheOldPicturesButThePreviewsKeepTheirsUntilReplaced) {
    h.WriteIconFile("a.dll", 3);
    h.WriteIconFile("b.dll", 2);
    h.OpenScratchDirectory();
    h.PressAggiorna();
    ASSERT_EQ(LiveIconCount(), liveAtStart + 3);
    std::vector<std::size_t> liveAtEachCall;
    h.scriptedService = [&](platform::HWND hwnd, const std::string& path, std::int32_t index) {
        liveAtEachCall.push_back(LiveIconCount() - liveAtStart);
        return platform::icons::ExtractIconA(hwnd, path, index);
    };

    h.ClickFile(1);

    // Index 0 is asked while the old three live; by index 1 the array has let them go except icon 0
    // of the old file, which the previews hold, and the new picture 0 lives.
    EXPECT_EQ(liveAtEachCall, (std::vector<std::size_t>{3, 2, 3}));
    ExpectLoaded(2);
    EXPECT_EQ(LiveIconCount(), liveAtStart + 2);
}

TEST_F(BrowsingTest, AFileWhoseIconsNeverEndIsTrappedAtTheCounterOverflow) {
    h.WriteIconFile("a.dll", 1);
    // 32769 groups sharing one image: more icons than the 16-bit counter can number.
    fixtures::PeBuilder endless;
    endless.AddIcon(1, fixtures::MakeDibImage({.width = 16, .height = 16, .bitCount = 1}).bytes);
    for (int group = 0; group < 32769; ++group) {
        endless.AddGroup(static_cast<std::uint16_t>(group + 1), {1});
    }
    fixtures::WriteFile(h.Path("z_infinito.dll"), endless.Build(/*pe32plus=*/false));
    h.OpenScratchDirectory();
    h.PressAggiorna();
    IPictureDisp shownBefore = PreviewsOf(w).grande;
    h.extractCalls.clear();

    h.ClickFile(1);

    ASSERT_EQ(h.messages.size(), 1u);
    EXPECT_EQ(h.messages[0].text, kNoIcons);
    EXPECT_EQ(h.extractCalls.size(), 32768u);  // indexes 0 to 32767, never 32768
    EXPECT_EQ(h.extractCalls.back().index, 32767);
    EXPECT_EQ(w.mIcone.UBound(), Integer(32767));
    EXPECT_EQ(w.lstIcone.List(32767), "Icona  32767");
    EXPECT_EQ(w.lstIcone.ListIndex(), Integer(-1));
    EXPECT_EQ(PreviewsOf(w).grande, shownBefore);
    EXPECT_EQ(Screen.MousePointer(), toolkit::vbDefault);
    EXPECT_EQ(LiveIconCount(), liveAtStart + 32768 + 1);
    shownBefore.reset();

    // Still usable: choosing a listed entry shows it, and another file loads as usual.
    h.ClickIcon(5);
    EXPECT_EQ(PreviewsOf(w).grande, w.mIcone(5));
    h.ClickFile(0);
    ExpectLoaded(1);
    EXPECT_EQ(LiveIconCount(), liveAtStart + 1);
}

TEST_F(BrowsingTest, AnErrorThatIsNotARuntimeErrorEndsTheLoadWithTheNoIconsMessage) {
    h.WriteIconFile("a.dll", 1);
    h.WriteIconFile("b.dll", 3);
    h.OpenScratchDirectory();
    h.PressAggiorna();
    h.scriptedService = [](platform::HWND hwnd, const std::string& path, std::int32_t index) {
        if (index == 2) {
            throw std::bad_alloc();
        }
        return platform::icons::ExtractIconA(hwnd, path, index);
    };

    h.ClickFile(1);

    ASSERT_EQ(h.messages.size(), 1u);
    EXPECT_EQ(h.messages[0].text, kNoIcons);
    EXPECT_EQ(Screen.MousePointer(), toolkit::vbDefault);
}

TEST_F(BrowsingTest, AFailingScanRestoresThePointerAndTheWindowStaysUsable) {
    h.WriteIconFile("a.dll", 2);
    h.OpenScratchDirectory();
    h.scriptedService = [](platform::HWND, const std::string&, std::int32_t) -> platform::HICON {
        runtime::Raise(runtime::errDeviceIO);
    };

    h.PressAggiorna();

    ASSERT_EQ(h.messages.size(), 1u);
    EXPECT_EQ(h.messages[0].text, "Errore di run-time '57':\n\nErrore di I/O periferica");
    EXPECT_EQ(h.messages[0].title, RuntimeBoxTitle());
    EXPECT_EQ(Screen.MousePointer(), toolkit::vbDefault);

    h.scriptedService = nullptr;
    h.PressAggiorna();
    ExpectLoaded(2);
}

TEST_F(BrowsingTest, ClickingAnIconShowsItsPictureInAllThreePreviews) {
    h.WriteIconFile("a.dll", 3);
    h.OpenScratchDirectory();
    h.PressAggiorna();
    const std::vector<IPictureDisp> pictures = PicturesOf(w);

    h.ClickIcon(2);
    EXPECT_EQ(PreviewsOf(w).grande, pictures[2]);
    EXPECT_EQ(PreviewsOf(w).media, pictures[2]);
    EXPECT_EQ(PreviewsOf(w).piccola, pictures[2]);

    h.ClickIcon(1);
    EXPECT_EQ(PreviewsOf(w).piccola, pictures[1]);
    EXPECT_EQ(w.mIcone(2), pictures[2]);
    h.ClickIcon(2);
    EXPECT_EQ(PreviewsOf(w).grande, pictures[2]);
    EXPECT_TRUE(h.messages.empty());
}

TEST_F(BrowsingTest, AnIconThatGaveNoPictureShowsNothingAndLeaksNothing) {
    h.WriteIconFile("a.dll", 3);
    h.OpenScratchDirectory();
    // Index 1 answers with a handle no picture can be made of.
    h.scriptedService = [&](platform::HWND hwnd, const std::string& path, std::int32_t index) {
        return index == 1 ? platform::HICON{0x7FFFFFF0u}
                          : platform::icons::ExtractIconA(hwnd, path, index);
    };
    h.PressAggiorna();
    ExpectLoaded(3);
    EXPECT_EQ(w.mIcone(1), nullptr);
    EXPECT_EQ(LiveIconCount(), liveAtStart + 2);

    h.ClickIcon(1);

    EXPECT_EQ(PreviewsOf(w).grande, nullptr);
    EXPECT_EQ(PreviewsOf(w).media, nullptr);
    EXPECT_EQ(PreviewsOf(w).piccola, nullptr);
    EXPECT_TRUE(h.messages.empty());
}

TEST_F(BrowsingTest, ThePreviewsDrawTheIconAndNavigationClearsThem) {
    h.WriteIconFile("a.dll", 1);
    h.OpenScratchDirectory();
    const std::vector<std::uint32_t> empty = Pixels(w.imgGrande);
    h.PressAggiorna();

    EXPECT_FALSE(IsUniform(Pixels(w.imgGrande)));
    EXPECT_FALSE(IsUniform(Pixels(w.imgMedia)));
    EXPECT_FALSE(IsUniform(Pixels(w.imgPiccola)));

    w.dirlDirectory_Change();
    EXPECT_EQ(Pixels(w.imgGrande), empty);
}

TEST_F(BrowsingTest, ShowingAnIconBeforeAnyLoadIsOutOfRange) {
    EXPECT_EQ(testsupport::RaisedNumber([&] { w.MostraIcona(); }), runtime::errSubscriptOutOfRange);
}

TEST_F(BrowsingTest, FilesWithNonAsciiNamesInANonAsciiDirectoryAreListedAndLoaded) {
    const std::string sub = h.Path("Icone è più");
    std::filesystem::create_directory(testsupport::NativePath(sub));
    fixtures::PeBuilder pe;
    pe.AddIcon(1, fixtures::MakeDibImage({.width = 32, .height = 32, .bitCount = 8}).bytes);
    pe.AddGroup(std::uint16_t{1}, {1});
    fixtures::WriteFile(WindowHarness::Join(sub, "Città.dll"), pe.Build(false));
#ifdef _WIN32
    // Windows names are UTF-16: no name holds bytes that are not UTF-8. Another file goes first.
    const std::string other = "Albero.exe";
#else
    const std::string other = "bad\xff\xfe.exe";
#endif
    fixtures::WriteFile(WindowHarness::Join(sub, other), pe.Build(true));

    w.dirlDirectory.SetPath(sub);
    h.PressAggiorna();

    EXPECT_EQ(h.LstFilesEntries(), (std::vector<std::string>{other, "Città.dll"}));
    ExpectLoaded(1);
    h.ClickFile(1);
    ExpectLoaded(1);
    EXPECT_TRUE(h.messages.empty());
}

}  // namespace

// The window as it opens: title, size, the eighteen controls where they belong, the focus order,
// and nothing loaded.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/icons/IconService.h"
#include "tests/window/UserInput.h"
#include "tests/window/WindowHarness.h"
#include "tests/window/WindowProbe.h"

using runtime::Integer;

namespace {

using window_probe::Geometry;
using window_probe::Rect;

Rect Pixels(int left, int top, int width, int height) {
    return {left / 15, top / 15, width / 15, height / 15};
}

// The one-pixel line from one corner to the other, both inside.
Rect LineBox(int x1, int y1, int x2, int y2) {
    return {x1, y1, x2 - x1 + 1, y2 - y1 + 1};
}

bool Holds(const std::vector<int>& sizes, int size) {
    return std::find(sizes.begin(), sizes.end(), size) != sizes.end();
}

class LayoutTest : public ::testing::Test {
protected:
    WindowHarness h;
    frmCercaIco& w = h.window();
};

TEST_F(LayoutTest, TheWindowHasItsTitleFixedClientAreaBackgroundAndIcon) {
    EXPECT_EQ(w.Caption(), "Quorvane...Brandell");
    EXPECT_EQ(window_probe::Title(w), "Quorvane...Brandell");
    // Asked for at 1140 / 1515 twips.
    EXPECT_EQ(window_probe::ClientArea(w), (Rect{76, 101, 481, 318}));
    EXPECT_TRUE(window_probe::PlacedByProgram(w));
    EXPECT_TRUE(window_probe::HasFixedSize(w));
    const toolkit::Color background = window_probe::Background(w);
    EXPECT_EQ(background.red, 224);
    EXPECT_EQ(background.green, 224);
    EXPECT_EQ(background.blue, 224);
    const std::vector<int> sizes = window_probe::IconSizes(w);
    EXPECT_TRUE(Holds(sizes, 16));
    EXPECT_TRUE(Holds(sizes, 32));
#ifndef _WIN32
    // A Win32 window holds one small and one big icon; Qt keeps every image of the file.
    EXPECT_TRUE(Holds(sizes, 48));
#endif
    EXPECT_NE(w.hWnd(), 0);
}

TEST_F(LayoutTest, EveryControlSitsWhereTheLayoutPutsIt) {
    EXPECT_EQ(Geometry(w.Command1), Pixels(2400, 4320, 1695, 375));
    EXPECT_EQ(Geometry(w.cmdAggiorna), Pixels(480, 4320, 1620, 345));
    EXPECT_EQ(Geometry(w.lstFiles), Pixels(2400, 360, 1815, 1815));
    EXPECT_EQ(Geometry(w.lstIcone), Pixels(2400, 2520, 1815, 1620));
    EXPECT_EQ(Geometry(w.dlstDrives), Pixels(480, 120, 1815, 315));
    EXPECT_EQ(Geometry(w.flstInDir), Pixels(120, 600, 225, 3405));
    EXPECT_EQ(Geometry(w.dirlDirectory), Pixels(480, 720, 1815, 3465));
    EXPECT_EQ(Geometry(w.Label3), Pixels(2880, 120, 855, 255));
    EXPECT_EQ(Geometry(w.Label2), Pixels(3000, 2280, 735, 255));
    EXPECT_EQ(Geometry(w.Label1), Pixels(5160, 120, 1695, 255));
    EXPECT_EQ(Geometry(w.imgPiccola), Pixels(5400, 3600, 375, 375));
    EXPECT_EQ(Geometry(w.imgMedia), Pixels(5175, 2520, 855, 855));
    EXPECT_EQ(Geometry(w.imgGrande), Pixels(4560, 480, 1935, 1935));
    // The preview frame: a rectangle from (296, 24) to (464, 296), corners shared.
    EXPECT_EQ(Geometry(w.Line4), LineBox(464, 24, 464, 296));
    EXPECT_EQ(Geometry(w.Line3), LineBox(296, 24, 464, 24));
    EXPECT_EQ(Geometry(w.Line2), LineBox(296, 296, 464, 296));
    EXPECT_EQ(Geometry(w.Line1), LineBox(296, 24, 296, 296));
}

TEST_F(LayoutTest, CaptionsFontAndPointerAreThoseOfTheLayout) {
    EXPECT_EQ(w.Command1.Caption(), "Salva icona");
    EXPECT_EQ(w.cmdAggiorna.Caption(), "Aggiorna");
    EXPECT_EQ(w.Label3.Caption(), "File .EXE");
    EXPECT_EQ(w.Label2.Caption(), "Icona");
    EXPECT_EQ(w.Label1.Caption(), "Anteprima");
    const window_probe::Font font = window_probe::FontOf(w.Label1);
    EXPECT_EQ(font.family, "MS Sans Serif");
    EXPECT_DOUBLE_EQ(font.points, 9.75);
    EXPECT_EQ(font.weight, 400);
    EXPECT_FALSE(font.italic || font.underline || font.strikeOut);
    for (toolkit::CommandButton* button : {&w.Command1, &w.cmdAggiorna}) {
        EXPECT_EQ(button->MousePointer(), toolkit::vbCustom);
        const window_probe::Pointer pointer = window_probe::PointerOf(*button);
        EXPECT_TRUE(pointer.custom);
        EXPECT_EQ(pointer.hotX, 12);
        EXPECT_EQ(pointer.hotY, 1);
        EXPECT_EQ(pointer.width, 32);
        EXPECT_EQ(pointer.height, 32);
    }
}

TEST_F(LayoutTest, TheSaveDialogKeepsItsStoredSettings) {
    EXPECT_EQ(w.cdlSalvaIco.DialogTitle, "Salva icona con nome");
    EXPECT_EQ(w.cdlSalvaIco.InitDir, "c:\\programmi\\devstudio\\vb\\immagini");
    EXPECT_EQ(w.cdlSalvaIco.Filter, "*.ico");
    EXPECT_EQ(w.cdlSalvaIco.DefaultExt, "ico");
    EXPECT_TRUE(w.cdlSalvaIco.CancelError);
    EXPECT_EQ(w.cdlSalvaIco.Flags, toolkit::cdlOFNOverwritePrompt);
}

TEST_F(LayoutTest, AtStartNothingIsLoadedAndEverythingButTheFileListIsVisible) {
    EXPECT_EQ(w.lstFiles.ListCount(), Integer(0));
    EXPECT_EQ(w.lstIcone.ListCount(), Integer(0));
    EXPECT_EQ(w.imgGrande.Picture(), nullptr);
    EXPECT_EQ(w.imgMedia.Picture(), nullptr);
    EXPECT_EQ(w.imgPiccola.Picture(), nullptr);
    EXPECT_FALSE(w.mIcone.IsAllocated());
    EXPECT_TRUE(h.extractCalls.empty());
    EXPECT_TRUE(h.messages.empty());
    EXPECT_FALSE(w.flstInDir.Visible());
    EXPECT_FALSE(window_probe::IsShown(w.flstInDir));
    for (toolkit::Control* control : std::initializer_list<toolkit::Control*>{
             &w.Command1, &w.cmdAggiorna, &w.lstFiles, &w.lstIcone, &w.dlstDrives, &w.dirlDirectory,
             &w.Label1, &w.Label2, &w.Label3, &w.imgGrande, &w.imgMedia, &w.imgPiccola}) {
        EXPECT_TRUE(window_probe::IsShown(*control));
        EXPECT_TRUE(window_probe::IsEnabled(*control));
    }
    // The hidden file list already lists the working directory's matching files.
    EXPECT_EQ(w.flstInDir.Path(), w.dirlDirectory.Path());
}

TEST_F(LayoutTest, TheFocusStartsInTheDirectoryListAndTabFollowsTheTabIndexes) {
    ASSERT_TRUE(window_probe::Activate(w));
    const std::vector<const toolkit::Control*> order = {
        &w.dirlDirectory, &w.dlstDrives, &w.lstIcone,     &w.lstFiles,
        &w.cmdAggiorna,   &w.Command1,   &w.dirlDirectory};
    EXPECT_TRUE(window_probe::HasFocus(*order[0]));
    for (std::size_t i = 1; i < order.size(); ++i) {
        user_input::PressTab(w);
        EXPECT_TRUE(window_probe::HasFocus(*order[i])) << "after " << i << " tabs";
    }
}

TEST_F(LayoutTest, TheFocusComesBackToItsControlWhenTheWindowIsActivatedAgain) {
    ASSERT_TRUE(window_probe::Activate(w));
    user_input::PressTab(w);
    ASSERT_TRUE(window_probe::HasFocus(w.dlstDrives));
    toolkit::Form other;
    other.Show();
    ASSERT_TRUE(window_probe::Activate(other));

    ASSERT_TRUE(window_probe::Activate(w));

    EXPECT_TRUE(window_probe::HasFocus(w.dlstDrives));
}

}  // namespace

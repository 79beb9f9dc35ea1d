// The window as it opens: title, size, the eighteen controls where they belong, the focus order,
// and nothing loaded.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QFont>
#include <QIcon>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QTest>
#include <QWidget>

#include "platform/icons/IconService.h"
#include "tests/window/WindowHarness.h"

using runtime::Integer;

namespace {

QRect Pixels(int left, int top, int width, int height) {
    return {left / 15, top / 15, width / 15, height / 15};
}

class LayoutTest : public ::testing::Test {
protected:
    WindowHarness h;
    frmCercaIco& w = h.window();
};

TEST_F(LayoutTest, TheWindowHasItsTitleFixedClientAreaBackgroundAndIcon) {
    QWidget* surface = w.Surface();
    EXPECT_EQ(w.Caption(), "Quorvane...Brandell");
    EXPECT_EQ(surface->windowTitle(), "Quorvane...Brandell");
    EXPECT_EQ(surface->geometry(), QRect(76, 101, 481, 318));  // asked for, at 1140 / 1515 twips
    EXPECT_TRUE(surface->testAttribute(Qt::WA_Moved));
    EXPECT_EQ(surface->minimumSize(), QSize(481, 318));
    EXPECT_EQ(surface->maximumSize(), QSize(481, 318));
    EXPECT_EQ(surface->palette().color(QPalette::Window), QColor(224, 224, 224));
    const QList<QSize> sizes = surface->windowIcon().availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(16, 16)));
    EXPECT_TRUE(sizes.contains(QSize(32, 32)));
    EXPECT_TRUE(sizes.contains(QSize(48, 48)));
    EXPECT_NE(w.hWnd(), 0);
}

TEST_F(LayoutTest, EveryControlSitsWhereTheLayoutPutsIt) {
    EXPECT_EQ(w.Command1.Widget()->geometry(), Pixels(2400, 4320, 1695, 375));
    EXPECT_EQ(w.cmdAggiorna.Widget()->geometry(), Pixels(480, 4320, 1620, 345));
    EXPECT_EQ(w.lstFiles.Widget()->geometry(), Pixels(2400, 360, 1815, 1815));
    EXPECT_EQ(w.lstIcone.Widget()->geometry(), Pixels(2400, 2520, 1815, 1620));
    EXPECT_EQ(w.dlstDrives.Widget()->geometry(), Pixels(480, 120, 1815, 315));
    EXPECT_EQ(w.flstInDir.Widget()->geometry(), Pixels(120, 600, 225, 3405));
    EXPECT_EQ(w.dirlDirectory.Widget()->geometry(), Pixels(480, 720, 1815, 3465));
    EXPECT_EQ(w.Label3.Widget()->geometry(), Pixels(2880, 120, 855, 255));
    EXPECT_EQ(w.Label2.Widget()->geometry(), Pixels(3000, 2280, 735, 255));
    EXPECT_EQ(w.Label1.Widget()->geometry(), Pixels(5160, 120, 1695, 255));
    EXPECT_EQ(w.imgPiccola.Widget()->geometry(), Pixels(5400, 3600, 375, 375));
    EXPECT_EQ(w.imgMedia.Widget()->geometry(), Pixels(5175, 2520, 855, 855));
    EXPECT_EQ(w.imgGrande.Widget()->geometry(), Pixels(4560, 480, 1935, 1935));
    // The preview frame: a rectangle from (296, 24) to (464, 296), corners shared.
    EXPECT_EQ(w.Line4.Widget()->geometry(), QRect(QPoint(464, 24), QPoint(464, 296)));
    EXPECT_EQ(w.Line3.Widget()->geometry(), QRect(QPoint(296, 24), QPoint(464, 24)));
    EXPECT_EQ(w.Line2.Widget()->geometry(), QRect(QPoint(296, 296), QPoint(464, 296)));
    EXPECT_EQ(w.Line1.Widget()->geometry(), QRect(QPoint(296, 24), QPoint(296, 296)));
}

TEST_F(LayoutTest, CaptionsFontAndPointerAreThoseOfTheLayout) {
    EXPECT_EQ(w.Command1.Caption(), "Salva icona");
    EXPECT_EQ(w.cmdAggiorna.Caption(), "Aggiorna");
    EXPECT_EQ(w.Label3.Caption(), "File .EXE");
    EXPECT_EQ(w.Label2.Caption(), "Icona");
    EXPECT_EQ(w.Label1.Caption(), "Anteprima");
    const QFont font = w.Label1.Widget()->font();
    EXPECT_EQ(font.families().value(0), "MS Sans Serif");
    EXPECT_DOUBLE_EQ(font.pointSizeF(), 9.75);
    EXPECT_EQ(font.weight(), QFont::Normal);
    EXPECT_FALSE(font.italic() || font.underline() || font.strikeOut());
    for (toolkit::CommandButton* button : {&w.Command1, &w.cmdAggiorna}) {
        EXPECT_EQ(button->MousePointer(), toolkit::vbCustom);
        const QCursor cursor = button->Widget()->cursor();
        EXPECT_EQ(cursor.shape(), Qt::BitmapCursor);
        EXPECT_EQ(cursor.hotSpot(), QPoint(12, 1));
        EXPECT_EQ(cursor.pixmap().size(), QSize(32, 32));
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
    EXPECT_FALSE(w.flstInDir.Widget()->isVisible());
    for (toolkit::Control* control : std::initializer_list<toolkit::Control*>{
             &w.Command1, &w.cmdAggiorna, &w.lstFiles, &w.lstIcone, &w.dlstDrives, &w.dirlDirectory,
             &w.Label1, &w.Label2, &w.Label3, &w.imgGrande, &w.imgMedia, &w.imgPiccola}) {
        EXPECT_TRUE(control->Widget()->isVisible());
        EXPECT_TRUE(control->Widget()->isEnabled());
    }
    // The hidden file list already lists the working directory's matching files.
    EXPECT_EQ(w.flstInDir.Path(), w.dirlDirectory.Path());
}

TEST_F(LayoutTest, TheFocusStartsInTheDirectoryListAndTabFollowsTheTabIndexes) {
    QApplication::setActiveWindow(w.Surface());
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.Surface()));
    const std::vector<QWidget*> order = {w.dirlDirectory.Widget(), w.dlstDrives.Widget(),
                                         w.lstIcone.Widget(),      w.lstFiles.Widget(),
                                         w.cmdAggiorna.Widget(),   w.Command1.Widget(),
                                         w.dirlDirectory.Widget()};
    EXPECT_EQ(QApplication::focusWidget(), order[0]);
    for (std::size_t i = 1; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), order[i]) << "after " << i << " tabs";
    }
}

}  // namespace

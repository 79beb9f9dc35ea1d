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
#include "platform/toolkit/qt/Peers.h"
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
    QWidget* surface = toolkit::qt::SurfaceOf(w);
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
    EXPECT_EQ(toolkit::qt::WidgetOf(w.Command1)->geometry(), Pixels(2400, 4320, 1695, 375));
    EXPECT_EQ(toolkit::qt::WidgetOf(w.cmdAggiorna)->geometry(), Pixels(480, 4320, 1620, 345));
    EXPECT_EQ(toolkit::qt::WidgetOf(w.lstFiles)->geometry(), Pixels(2400, 360, 1815, 1815));
    EXPECT_EQ(toolkit::qt::WidgetOf(w.lstIcone)->geometry(), Pixels(2400, 2520, 1815, 1620));
    EXPECT_EQ(toolkit::qt::WidgetOf(w.dlstDrives)->geometry(), Pixels(480, 120, 1815, 315));
    EXPECT_EQ(toolkit::qt::WidgetOf(w.flstInDir)->geometry(), Pixels(120, 600, 225, 3405));
    EXPECT_EQ(toolkit::qt::WidgetOf(w.dirlDirectory)->geometry(), Pixels(480, 720, 1815, 3465));
    EXPECT_EQ(toolkit::qt::WidgetOf(w.Label3)->geometry(), Pixels(2880, 120, 855, 255));
    EXPECT_EQ(toolkit::qt::WidgetOf(w.Label2)->geometry(), Pixels(3000, 2280, 735, 255));
    EXPECT_EQ(toolkit::qt::WidgetOf(w.Label1)->geometry(), Pixels(5160, 120, 1695, 255));
    EXPECT_EQ(toolkit::qt::WidgetOf(w.imgPiccola)->geometry(), Pixels(5400, 3600, 375, 375));
    EXPECT_EQ(toolkit::qt::WidgetOf(w.imgMedia)->geometry(), Pixels(5175, 2520, 855, 855));
    EXPECT_EQ(toolkit::qt::WidgetOf(w.imgGrande)->geometry(), Pixels(4560, 480, 1935, 1935));
    // The preview frame: a rectangle from (296, 24) to (464, 296), corners shared.
    EXPECT_EQ(toolkit::qt::WidgetOf(w.Line4)->geometry(), QRect(QPoint(464, 24), QPoint(464, 296)));
    EXPECT_EQ(toolkit::qt::WidgetOf(w.Line3)->geometry(), QRect(QPoint(296, 24), QPoint(464, 24)));
    EXPECT_EQ(toolkit::qt::WidgetOf(w.Line2)->geometry(),
              QRect(QPoint(296, 296), QPoint(464, 296)));
    EXPECT_EQ(toolkit::qt::WidgetOf(w.Line1)->geometry(), QRect(QPoint(296, 24), QPoint(296, 296)));
}

TEST_F(LayoutTest, CaptionsFontAndPointerAreThoseOfTheLayout) {
    EXPECT_EQ(w.Command1.Caption(), "Salva icona");
    EXPECT_EQ(w.cmdAggiorna.Caption(), "Aggiorna");
    EXPECT_EQ(w.Label3.Caption(), "File .EXE");
    EXPECT_EQ(w.Label2.Caption(), "Icona");
    EXPECT_EQ(w.Label1.Caption(), "Anteprima");
    const QFont font = toolkit::qt::WidgetOf(w.Label1)->font();
    EXPECT_EQ(font.families().value(0), "MS Sans Serif");
    EXPECT_DOUBLE_EQ(font.pointSizeF(), 9.75);
    EXPECT_EQ(font.weight(), QFont::Normal);
    EXPECT_FALSE(font.italic() || font.underline() || font.strikeOut());
    for (toolkit::CommandButton* button : {&w.Command1, &w.cmdAggiorna}) {
        EXPECT_EQ(button->MousePointer(), toolkit::vbCustom);
        const QCursor cursor = toolkit::qt::WidgetOf(*button)->cursor();
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
    EXPECT_FALSE(toolkit::qt::WidgetOf(w.flstInDir)->isVisible());
    for (toolkit::Control* control : std::initializer_list<toolkit::Control*>{
             &w.Command1, &w.cmdAggiorna, &w.lstFiles, &w.lstIcone, &w.dlstDrives, &w.dirlDirectory,
             &w.Label1, &w.Label2, &w.Label3, &w.imgGrande, &w.imgMedia, &w.imgPiccola}) {
        EXPECT_TRUE(toolkit::qt::WidgetOf(*control)->isVisible());
        EXPECT_TRUE(toolkit::qt::WidgetOf(*control)->isEnabled());
    }
    // The hidden file list already lists the working directory's matching files.
    EXPECT_EQ(w.flstInDir.Path(), w.dirlDirectory.Path());
}

TEST_F(LayoutTest, TheFocusStartsInTheDirectoryListAndTabFollowsTheTabIndexes) {
    QApplication::setActiveWindow(toolkit::qt::SurfaceOf(w));
    ASSERT_TRUE(QTest::qWaitForWindowActive(toolkit::qt::SurfaceOf(w)));
    const std::vector<QWidget*> order = {
        toolkit::qt::WidgetOf(w.dirlDirectory), toolkit::qt::WidgetOf(w.dlstDrives),
        toolkit::qt::WidgetOf(w.lstIcone),      toolkit::qt::WidgetOf(w.lstFiles),
        toolkit::qt::WidgetOf(w.cmdAggiorna),   toolkit::qt::WidgetOf(w.Command1),
        toolkit::qt::WidgetOf(w.dirlDirectory)};
    EXPECT_EQ(QApplication::focusWidget(), order[0]);
    for (std::size_t i = 1; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), order[i]) << "after " << i << " tabs";
    }
}

}  // namespace

// The simple controls: placement in twips, visibility, the button, the label, the line and the
// mouse pointers.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "ToolkitTestSupport.h"
#include "platform/toolkit/CommandButton.h"
#include "platform/toolkit/Form.h"
#include "platform/toolkit/Label.h"
#include "platform/toolkit/Line.h"
#include "platform/toolkit/Screen.h"
#include "platform/toolkit/qt/Peers.h"
#include "tests/support/IconFixtures.h"

namespace toolkit {
namespace {

using testing::RaisedNumber;
using testing::RecordedMessageBoxes;
using testing::TempTree;

// A cursor file: an .ico whose type says cursor and whose entry holds the hot spot.
void WriteCursor(const std::string& path, int size, std::uint16_t hotX, std::uint16_t hotY) {
    fixtures::BuiltIco built = fixtures::BuildIcoWithLayout(
        {fixtures::MakeDibImage({.width = size, .height = size}).bytes});
    fixtures::Poke16(built.bytes, 2, 2);
    fixtures::Poke16(built.bytes, built.layout.entries[0] + 4, hotX);
    fixtures::Poke16(built.bytes, built.layout.entries[0] + 6, hotY);
    fixtures::WriteFile(path, built.bytes);
}

TEST(Control, MovePlacesInTwipsRoundedToPixels) {
    Form form;
    CommandButton button(form);
    button.Move(480, 720, 1815, 3465);
    EXPECT_EQ(toolkit::qt::WidgetOf(button)->geometry(), QRect(32, 48, 121, 231));
    button.Move(7, 8, 22, 23);  // 7/15 rounds down, 8/15 up
    EXPECT_EQ(toolkit::qt::WidgetOf(button)->geometry(), QRect(0, 1, 1, 2));
    EXPECT_EQ(RaisedNumber([&] { button.Move(0, 0, -15, 15); }), runtime::errInvalidPropertyValue);
    EXPECT_EQ(toolkit::qt::WidgetOf(button)->parentWidget(), toolkit::qt::SurfaceOf(form));
}

TEST(Control, VisibleIsThePropertyNotWhetherTheFormShows) {
    Form form;
    Label label(form);
    EXPECT_TRUE(label.Visible());
    label.SetVisible(false);
    EXPECT_FALSE(label.Visible());
    label.SetVisible(true);
    form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(toolkit::qt::SurfaceOf(form)));
    EXPECT_TRUE(toolkit::qt::WidgetOf(label)->isVisible());
    // A control made after the form shows is shown too.
    Label late(form);
    EXPECT_TRUE(toolkit::qt::WidgetOf(late)->isVisible());
}

TEST(Control, AControlThatGoesLeavesTheFormAndAFormThatGoesFirstLeavesItsControls) {
    auto form = std::make_unique<Form>();
    auto button = std::make_unique<CommandButton>(*form);
    { Label label(*form); }
    form->ApplyTabOrder();  // the label is gone from the form's controls
    form.reset();
    EXPECT_EQ(toolkit::qt::WidgetOf(*button), nullptr);
    button.reset();  // no crash: the form and the widget are gone already
}

TEST(CommandButton, ClickComesFromTheMouseAndTheKeyboard) {
    Form form;
    CommandButton button(form);
    button.Move(0, 0, 1500, 450);
    int clicks = 0;
    button.Click = [&] { ++clicks; };
    form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(toolkit::qt::SurfaceOf(form)));
    QTest::mouseClick(toolkit::qt::WidgetOf(button), Qt::LeftButton);
    toolkit::qt::WidgetOf(button)->setFocus();
    QTest::keyClick(toolkit::qt::WidgetOf(button), Qt::Key_Space);
    EXPECT_EQ(clicks, 2);
}

TEST(CommandButton, AnErrorInItsClickIsReportedAndTheProgramGoesOn) {
    RecordedMessageBoxes boxes;
    Form form;
    CommandButton button(form);
    button.Click = [] { runtime::Raise(runtime::errCancel); };
    QTest::mouseClick(toolkit::qt::WidgetOf(button), Qt::LeftButton);
    QTest::mouseClick(toolkit::qt::WidgetOf(button), Qt::LeftButton);
    ASSERT_EQ(boxes.Shown().size(), 2u);
    EXPECT_EQ(boxes.Shown()[0].text, "Errore di run-time '32755':\n\nÈ stato scelto Annulla");
}

TEST(CommandButton, CaptionShowsAnAmpersandAsItself) {
    Form form;
    CommandButton button(form);
    button.SetCaption("Salva & esci");
    EXPECT_EQ(button.Caption(), "Salva & esci");
    const auto& push = static_cast<QPushButton&>(*toolkit::qt::WidgetOf(button));
    EXPECT_EQ(push.text(), "Salva && esci");
}

TEST(Label, FontKeepsTheFamilyWithAFallbackAndItsStyle) {
    Form form;
    Label label(form);
    label.SetFont({.name = "MS Sans Serif",
                   .size = 9.75,
                   .weight = 700,
                   .italic = true,
                   .underline = true,
                   .strikethrough = true});
    const QFont font = toolkit::qt::WidgetOf(label)->font();
    EXPECT_EQ(font.families(), (QStringList{"MS Sans Serif", "Sans Serif"}));
    EXPECT_DOUBLE_EQ(font.pointSizeF(), 9.75);
    EXPECT_EQ(font.weight(), QFont::Bold);
    EXPECT_TRUE(font.italic());
    EXPECT_TRUE(font.underline());
    EXPECT_TRUE(font.strikeOut());
    label.SetFont({.name = "MS Sans Serif", .size = 8.25, .weight = 400});
    EXPECT_EQ(toolkit::qt::WidgetOf(label)->font().weight(), QFont::Normal);
    EXPECT_FALSE(toolkit::qt::WidgetOf(label)->font().italic());
}

TEST(Line, CoversBothEndPixels) {
    Form form;
    Line horizontal(form);
    Line vertical(form);
    Line reversed(form);
    horizontal.SetEndpoints(4440, 360, 6960, 360);
    vertical.SetEndpoints(6960, 360, 6960, 4440);
    reversed.SetEndpoints(150, 300, 150, 150);
    EXPECT_EQ(toolkit::qt::WidgetOf(horizontal)->geometry(), QRect(296, 24, 169, 1));
    EXPECT_EQ(toolkit::qt::WidgetOf(vertical)->geometry(), QRect(464, 24, 1, 273));
    EXPECT_EQ(toolkit::qt::WidgetOf(reversed)->geometry(), QRect(10, 10, 1, 11));
}

TEST(Line, TheFourLinesOfARectangleMeetAtTheCorners) {
    Form form;
    form.SetClientSize(1500, 1500);
    form.SetBackColor({255, 255, 255});
    Line top(form);
    Line right(form);
    Line bottom(form);
    Line left(form);
    top.SetEndpoints(150, 150, 1200, 150);
    right.SetEndpoints(1200, 150, 1200, 1200);
    bottom.SetEndpoints(150, 1200, 1200, 1200);
    left.SetEndpoints(150, 150, 150, 1200);
    const QImage shown = toolkit::qt::SurfaceOf(form)->grab().toImage();
    for (const QPoint corner : {QPoint(10, 10), QPoint(80, 10), QPoint(10, 80), QPoint(80, 80)}) {
        EXPECT_EQ(shown.pixelColor(corner), QColor(Qt::black)) << corner.x() << "," << corner.y();
    }
    EXPECT_EQ(shown.pixelColor(45, 10), QColor(Qt::black));
    EXPECT_EQ(shown.pixelColor(45, 45), QColor(Qt::white));
    EXPECT_EQ(shown.pixelColor(81, 81), QColor(Qt::white));
    EXPECT_EQ(shown.pixelColor(9, 9), QColor(Qt::white));
}

TEST(MousePointer, ACustomPointerTakesTheCursorFilesImageAndHotSpot) {
    TempTree tree;
    WriteCursor(tree.PathOf("pointer.cur"), 32, 5, 9);
    Form form;
    CommandButton button(form);
    button.SetMousePointer(vbCustom);
    button.SetMouseIcon(tree.PathOf("pointer.cur"));
    EXPECT_EQ(button.MousePointer(), vbCustom);
    ASSERT_TRUE(toolkit::qt::WidgetOf(button)->testAttribute(Qt::WA_SetCursor));
    const QCursor cursor = toolkit::qt::WidgetOf(button)->cursor();
    EXPECT_EQ(cursor.shape(), Qt::BitmapCursor);
    EXPECT_EQ(cursor.hotSpot(), QPoint(5, 9));
    EXPECT_EQ(cursor.pixmap().size(), QSize(32, 32));
    button.SetMousePointer(vbDefault);
    EXPECT_FALSE(toolkit::qt::WidgetOf(button)->testAttribute(Qt::WA_SetCursor));
}

TEST(MousePointer, TheIconCanComeBeforeThePointerAndStockPointersWork) {
    TempTree tree;
    WriteCursor(tree.PathOf("pointer.cur"), 16, 40, 40);  // hot spot outside: kept inside
    Form form;
    Label label(form);
    label.SetMouseIcon(tree.PathOf("pointer.cur"));
    EXPECT_FALSE(toolkit::qt::WidgetOf(label)->testAttribute(Qt::WA_SetCursor));
    label.SetMousePointer(vbCustom);
    EXPECT_EQ(toolkit::qt::WidgetOf(label)->cursor().hotSpot(), QPoint(15, 15));
    label.SetMousePointer(vbHourglass);
    EXPECT_EQ(toolkit::qt::WidgetOf(label)->cursor().shape(), Qt::WaitCursor);
    EXPECT_EQ(RaisedNumber([&] { label.SetMousePointer(16); }), runtime::errInvalidPropertyValue);
    EXPECT_EQ(RaisedNumber([&] { label.SetMousePointer(-1); }), runtime::errInvalidPropertyValue);
    EXPECT_EQ(label.MousePointer(), vbHourglass);
}

TEST(MousePointer, CursorFilesThatCannotBeUsed) {
    TempTree tree;
    fixtures::WriteFile(tree.PathOf("icon.ico"),
                        fixtures::BuildIco({fixtures::MakeDibImage({}).bytes}));
    fixtures::WriteFile(tree.PathOf("short.cur"), fixtures::Bytes{0, 0, 2, 0, 1});
    Form form;
    Label label(form);
    EXPECT_EQ(RaisedNumber([&] { label.SetMouseIcon(tree.PathOf("absent.cur")); }),
              runtime::errFileNotFound);
    EXPECT_EQ(RaisedNumber([&] { label.SetMouseIcon(tree.PathOf("icon.ico")); }),
              runtime::errInvalidPicture);
    EXPECT_EQ(RaisedNumber([&] { label.SetMouseIcon(tree.PathOf("short.cur")); }),
              runtime::errInvalidPicture);
}

TEST(MousePointer, TheProgramsOwnPointerFileReads) {
    Form form;
    CommandButton button(form);
    button.SetMousePointer(vbCustom);
    button.SetMouseIcon(QUORVANE_SOURCE_DIR "/app/resources/pointer.cur");
    EXPECT_EQ(toolkit::qt::WidgetOf(button)->cursor().shape(), Qt::BitmapCursor);
}

TEST(Screen, TheHourglassOverridesOnceAndTheDefaultRestores) {
    ScreenObject screen;
    screen.SetMousePointer(vbHourglass);
    screen.SetMousePointer(vbHourglass);  // not stacked
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    EXPECT_EQ(screen.MousePointer(), vbHourglass);
    screen.SetMousePointer(vbDefault);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(screen.MousePointer(), vbDefault);
    screen.SetMousePointer(vbDefault);  // nothing to restore
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(Screen, LeavesOverridesItDidNotSet) {
    QGuiApplication::setOverrideCursor(Qt::CrossCursor);
    ScreenObject screen;
    screen.SetMousePointer(vbHourglass);
    screen.SetMousePointer(vbDefault);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::CrossCursor);
    QGuiApplication::restoreOverrideCursor();
    EXPECT_EQ(RaisedNumber([&] { screen.SetMousePointer(100); }), runtime::errInvalidPropertyValue);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

}  // namespace
}  // namespace toolkit

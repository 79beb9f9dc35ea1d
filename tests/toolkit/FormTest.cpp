// The form: fixed size and border, colour, icon, handle, and the focus order of its controls.
#include "platform/toolkit/Form.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "ToolkitTestSupport.h"
#include "platform/toolkit/CommandButton.h"
#include "platform/toolkit/DriveListBox.h"
#include "platform/toolkit/Image.h"
#include "platform/toolkit/Label.h"
#include "platform/toolkit/Line.h"
#include "platform/toolkit/ListBox.h"
#include "platform/toolkit/qt/Peers.h"
#include "tests/support/IconFixtures.h"

namespace toolkit {
namespace {

using testing::RaisedNumber;
using testing::TempTree;

bool ShowAndActivate(Form& form) {
    form.Show();
    QApplication::setActiveWindow(toolkit::qt::SurfaceOf(form));
    return QTest::qWaitForWindowActive(toolkit::qt::SurfaceOf(form));
}

TEST(Form, KeepsItsClientSizeWithAFixedBorderAndNoMaximiseBox) {
    Form form;
    form.SetClientSize(7215, 4770);
    QWidget* surface = toolkit::qt::SurfaceOf(form);
    EXPECT_EQ(surface->minimumSize(), QSize(481, 318));
    EXPECT_EQ(surface->maximumSize(), QSize(481, 318));
    EXPECT_FALSE(surface->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(surface->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(surface->windowFlags() & Qt::MSWindowsFixedSizeDialogHint);
    form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(surface));
    EXPECT_EQ(surface->size(), QSize(481, 318));
}

TEST(Form, AsksForItsClientAreaWhereThePositionPutsIt) {
    Form form;
    form.SetClientSize(7215, 4770);
    form.SetClientPosition(1140, 1515);
    QWidget* surface = toolkit::qt::SurfaceOf(form);
    EXPECT_TRUE(surface->testAttribute(Qt::WA_Moved));
    EXPECT_EQ(surface->geometry(), QRect(76, 101, 481, 318));
    form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(surface));
    EXPECT_EQ(surface->windowHandle()->geometry(), QRect(76, 101, 481, 318));
}

TEST(Form, CaptionAndBackColour) {
    Form form;
    form.SetCaption("Quorvane...Brandell");
    EXPECT_EQ(form.Caption(), "Quorvane...Brandell");
    EXPECT_EQ(toolkit::qt::SurfaceOf(form)->windowTitle(), "Quorvane...Brandell");
    form.SetClientSize(1500, 1500);
    form.SetBackColor({224, 224, 224});
    const QImage shown = toolkit::qt::SurfaceOf(form)->grab().toImage();
    EXPECT_EQ(shown.pixelColor(50, 50), QColor(224, 224, 224));
}

TEST(Form, TheIconHoldsEveryImageOfTheFile) {
    TempTree tree;
    const fixtures::Bytes ico =
        fixtures::BuildIco({fixtures::MakeDibImage({.width = 16, .height = 16}).bytes,
                            fixtures::MakeDibImage({.width = 32, .height = 32}).bytes,
                            fixtures::MakePngImage(48, 48, 3).bytes});
    fixtures::WriteFile(tree.PathOf("app.ico"), ico);
    Form form;
    form.SetIcon(tree.PathOf("app.ico"));
    const QList<QSize> sizes = toolkit::qt::SurfaceOf(form)->windowIcon().availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(16, 16)));
    EXPECT_TRUE(sizes.contains(QSize(32, 32)));
    EXPECT_TRUE(sizes.contains(QSize(48, 48)));
}

TEST(Form, AnIconFileThatCannotBeReadRaises) {
    TempTree tree;
    fixtures::WriteFile(tree.PathOf("bad.ico"), fixtures::Bytes{0, 0, 1, 0, 0, 0});
    Form form;
    EXPECT_EQ(RaisedNumber([&] { form.SetIcon(tree.PathOf("absent.ico")); }),
              runtime::errFileNotFound);
    EXPECT_EQ(RaisedNumber([&] { form.SetIcon(tree.PathOf("bad.ico")); }),
              runtime::errInvalidPicture);
}

TEST(Form, TheProgramsOwnIconAndPointerFilesRead) {
    Form form;
    form.SetIcon(QUORVANE_SOURCE_DIR "/app/resources/quorvane.ico");
    EXPECT_FALSE(toolkit::qt::SurfaceOf(form)->windowIcon().availableSizes().isEmpty());
}

TEST(Form, TheHandleIsNonZero) {
    Form form;
    EXPECT_NE(form.hWnd(), 0);
    EXPECT_EQ(form.hWnd(), form.hWnd());
}

TEST(Form, ClosingHidesTheWindowAndNothingElse) {
    Form form;
    CommandButton button(form);
    button.SetCaption("resta");
    form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(toolkit::qt::SurfaceOf(form)));
    form.Close();
    EXPECT_FALSE(toolkit::qt::SurfaceOf(form)->isVisible());
    EXPECT_EQ(button.Caption(), "resta");
    form.Show();
    EXPECT_TRUE(toolkit::qt::SurfaceOf(form)->isVisible());
}

// Controls of every kind, with tab indexes out of creation order.
class FormFocus : public ::testing::Test {
protected:
    void SetUp() override {
        form.SetClientSize(6000, 6000);
        save.SetTabIndex(8);
        refresh.SetTabIndex(7);
        files.SetTabIndex(6);
        icons.SetTabIndex(5);
        drives.SetTabIndex(4);
        hidden.SetTabIndex(3);
        hidden.SetVisible(false);
        label.SetTabIndex(0);
        line.SetEndpoints(0, 0, 1500, 0);
        image.SetTabIndex(1);
    }

    Form form;
    CommandButton save{form};
    CommandButton refresh{form};
    ListBox files{form};
    ListBox icons{form};
    DriveListBox drives{form};
    ListBox hidden{form};
    Label label{form};
    Line line{form};
    Image image{form};
};

TEST_F(FormFocus, FocusStartsInTheLowestTabIndexAndTabFollowsTheOrder) {
    form.ApplyTabOrder();
    ASSERT_TRUE(ShowAndActivate(form));
    EXPECT_EQ(QApplication::focusWidget(), toolkit::qt::WidgetOf(drives));
    std::vector<QWidget*> visited;
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.push_back(QApplication::focusWidget());
    }
    EXPECT_EQ(visited,
              (std::vector<QWidget*>{toolkit::qt::WidgetOf(icons), toolkit::qt::WidgetOf(files),
                                     toolkit::qt::WidgetOf(refresh), toolkit::qt::WidgetOf(save),
                                     toolkit::qt::WidgetOf(drives)}));
}

TEST_F(FormFocus, TheOrderCanBeAppliedAfterTheWindowShows) {
    ASSERT_TRUE(ShowAndActivate(form));
    refresh.SetTabIndex(0);
    form.ApplyTabOrder();
    EXPECT_EQ(QApplication::focusWidget(), toolkit::qt::WidgetOf(refresh));
}

}  // namespace
}  // namespace toolkit

// The list box: ListIndex writes and the Click they raise, capacity, raw texts, and what the
// mouse and the keys do.
#include "platform/toolkit/ListBox.h"

#include <gtest/gtest.h>

#include <QListWidget>
#include <QTest>
#include <QWindow>

#include "ToolkitTestSupport.h"
#include "platform/toolkit/Form.h"
#include "platform/toolkit/qt/Peers.h"

namespace toolkit {
namespace {

using testing::CentreOfRow;
using testing::RaisedNumber;
using testing::RecordedMessageBoxes;

QListWidget& WidgetOf(const ListBox& list) {
    return static_cast<QListWidget&>(*toolkit::qt::WidgetOf(list));
}

void Fill(ListBox& list, int count) {
    for (int i = 0; i < count; ++i) {
        list.AddItem("voce " + std::to_string(i));
    }
}

class ListBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.SetClientSize(6000, 6000);
        list.Move(0, 0, 3000, 3000);
        other.Move(3000, 0, 3000, 3000);
        list.Click = [this] { events.push_back("Click " + std::to_string(list.ListIndex())); };
        list.DblClick = [this] {
            events.push_back("DblClick " + std::to_string(list.ListIndex()));
        };
    }

    void ShowForm() {
        form.Show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(toolkit::qt::SurfaceOf(form)));
    }

    Form form;
    ListBox list{form};
    ListBox other{form};
    std::vector<std::string> events;
};

TEST_F(ListBoxTest, WritingListIndexRaisesClickBeforeReturningEveryTime) {
    Fill(list, 3);
    list.SetListIndex(1);
    EXPECT_EQ(events, (std::vector<std::string>{"Click 1"}));
    list.SetListIndex(1);  // already selected: Click all the same
    list.SetListIndex(-1);
    EXPECT_EQ(events, (std::vector<std::string>{"Click 1", "Click 1", "Click -1"}));
    EXPECT_EQ(list.ListIndex().Value(), -1);
    EXPECT_EQ(list.Text(), "");
}

TEST_F(ListBoxTest, AnIndexOutsideTheListRaises380AndNoClick) {
    Fill(list, 2);
    EXPECT_EQ(RaisedNumber([&] { list.SetListIndex(2); }), runtime::errInvalidPropertyValue);
    EXPECT_EQ(RaisedNumber([&] { list.SetListIndex(-2); }), runtime::errInvalidPropertyValue);
    list.Clear();
    EXPECT_EQ(RaisedNumber([&] { list.SetListIndex(0); }), runtime::errInvalidPropertyValue);
    EXPECT_TRUE(events.empty());
}

TEST_F(ListBoxTest, AHandlerWritingAnotherListsIndexNests) {
    Fill(list, 2);
    Fill(other, 2);
    other.Click = [this] { events.push_back("other Click " + std::to_string(other.ListIndex())); };
    list.Click = [this] {
        events.push_back("Click begins");
        other.SetListIndex(list.ListIndex());
        events.push_back("Click ends");
    };
    list.SetListIndex(1);
    events.push_back("write returned");
    EXPECT_EQ(events, (std::vector<std::string>{"Click begins", "other Click 1", "Click ends",
                                                "write returned"}));
}

TEST_F(ListBoxTest, AnErrorInANestedHandlerReachesTheWriter) {
    Fill(list, 2);
    Fill(other, 2);
    other.Click = [] { runtime::Raise(runtime::errSubscriptOutOfRange); };
    list.Click = [this] { other.SetListIndex(0); };
    EXPECT_EQ(RaisedNumber([&] { list.SetListIndex(1); }), runtime::errSubscriptOutOfRange);
    // Both selections were made before the handlers ran.
    EXPECT_EQ(list.ListIndex().Value(), 1);
    EXPECT_EQ(other.ListIndex().Value(), 0);
}

TEST_F(ListBoxTest, ClearAndAddItemRaiseNothing) {
    Fill(list, 3);
    list.SetListIndex(2);
    events.clear();
    list.Clear();
    EXPECT_EQ(list.ListCount().Value(), 0);
    EXPECT_EQ(list.ListIndex().Value(), -1);
    EXPECT_EQ(list.Text(), "");
    list.AddItem("nuova");
    EXPECT_EQ(list.ListIndex().Value(), -1);
    EXPECT_TRUE(events.empty());
}

TEST_F(ListBoxTest, TextAndListGiveTheEntriesOwnBytes) {
    const std::string invalidUtf8 = "F\xe9lix.exe";
    const std::string accented = "Caff\xc3\xa8.dll";
    list.AddItem(invalidUtf8);
    list.AddItem(accented);
    list.AddItem("Icona  0");
    EXPECT_EQ(list.List(0), invalidUtf8);
    EXPECT_EQ(list.List(1), accented);
    list.SetListIndex(0);
    EXPECT_EQ(list.Text(), invalidUtf8);
    EXPECT_EQ(WidgetOf(list).item(1)->text(), QString::fromUtf8("Caff\xc3\xa8.dll"));
    EXPECT_EQ(WidgetOf(list).item(2)->text(), "Icona  0");
    EXPECT_EQ(RaisedNumber([&] { (void)list.List(3); }), runtime::errSubscriptOutOfRange);
    EXPECT_EQ(RaisedNumber([&] { (void)list.List(-1); }), runtime::errSubscriptOutOfRange);
}

TEST_F(ListBoxTest, HoldsAtMost32768Entries) {
    Fill(list, 32767);
    EXPECT_EQ(list.ListCount().Value(), 32767);
    list.AddItem("ultima");
    // 32768 entries: the count does not fit in 16 bits.
    EXPECT_EQ(RaisedNumber([&] { (void)list.ListCount(); }), runtime::errOverflow);
    EXPECT_EQ(list.List(32767), "ultima");
    list.SetListIndex(32767);
    EXPECT_EQ(list.Text(), "ultima");
    EXPECT_EQ(RaisedNumber([&] { list.AddItem("una di troppo"); }), runtime::errOutOfMemory);
    EXPECT_EQ(WidgetOf(list).count(), 32768);
    list.Clear();
    EXPECT_EQ(list.ListCount().Value(), 0);
}

TEST_F(ListBoxTest, APressOnAnEntrySelectsItAndRaisesClickEvenWhenSelected) {
    Fill(list, 5);
    ShowForm();
    QWidget* viewport = WidgetOf(list).viewport();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, CentreOfRow(WidgetOf(list), 2));
    QTest::mouseClick(viewport, Qt::LeftButton, {}, CentreOfRow(WidgetOf(list), 2));
    QTest::mouseClick(viewport, Qt::LeftButton, {}, CentreOfRow(WidgetOf(list), 0));
    EXPECT_EQ(events, (std::vector<std::string>{"Click 2", "Click 2", "Click 0"}));
}

TEST_F(ListBoxTest, APressBelowTheEntriesOrWithAnotherButtonRaisesNothing) {
    Fill(list, 2);
    ShowForm();
    list.SetListIndex(1);
    events.clear();
    QWidget* viewport = WidgetOf(list).viewport();
    const QPoint below(10, viewport->height() - 5);
    ASSERT_EQ(WidgetOf(list).itemAt(below), nullptr);
    QTest::mouseClick(viewport, Qt::LeftButton, {}, below);
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, below);
    QTest::mouseClick(viewport, Qt::RightButton, {}, CentreOfRow(WidgetOf(list), 0));
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(list.ListIndex().Value(), 1);
}

TEST_F(ListBoxTest, DraggingDoesNotMoveTheSelection) {
    Fill(list, 5);
    ShowForm();
    QWidget* viewport = WidgetOf(list).viewport();
    QTest::mousePress(viewport, Qt::LeftButton, {}, CentreOfRow(WidgetOf(list), 0));
    QMouseEvent drag(QEvent::MouseMove, CentreOfRow(WidgetOf(list), 3),
                     viewport->mapToGlobal(CentreOfRow(WidgetOf(list), 3)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &drag);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, CentreOfRow(WidgetOf(list), 3));
    EXPECT_EQ(events, (std::vector<std::string>{"Click 0"}));
    EXPECT_EQ(list.ListIndex().Value(), 0);
}

TEST_F(ListBoxTest, ADoubleClickAsWidgetsReceiveItRaisesClickThenDblClickOnce) {
    Fill(list, 3);
    ShowForm();
    QWidget* viewport = WidgetOf(list).viewport();
    const QPoint at = CentreOfRow(WidgetOf(list), 1);
    // A real double-click reaches a widget as press, release, double-click, release.
    QTest::mousePress(viewport, Qt::LeftButton, {}, at);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, at);
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, at);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, at);
    EXPECT_EQ(events, (std::vector<std::string>{"Click 1", "DblClick 1"}));
}

TEST_F(ListBoxTest, ADoubleClickThroughTheWindowSystemRaisesClickThenDblClickOnce) {
    Fill(list, 3);
    ShowForm();
    QWindow* window = toolkit::qt::SurfaceOf(form)->windowHandle();
    ASSERT_NE(window, nullptr);
    const QPoint at = WidgetOf(list).viewport()->mapTo(toolkit::qt::SurfaceOf(form),
                                                       CentreOfRow(WidgetOf(list), 2));
    // Two presses in quick succession: Qt makes the second one a double-click.
    QTest::mouseDClick(window, Qt::LeftButton, {}, at);
    EXPECT_EQ(events, (std::vector<std::string>{"Click 2", "DblClick 2"}));
}

TEST_F(ListBoxTest, KeysThatMoveTheSelectionRaiseClick) {
    Fill(list, 4);
    ShowForm();
    list.SetListIndex(0);
    events.clear();
    QListWidget& widget = WidgetOf(list);
    QTest::keyClick(&widget, Qt::Key_Down);
    QTest::keyClick(&widget, Qt::Key_End);
    QTest::keyClick(&widget, Qt::Key_Down);  // at the last entry: nothing moves
    QTest::keyClick(&widget, Qt::Key_Home);
    QTest::keyClick(&widget, Qt::Key_Up);  // at the first entry: nothing moves
    EXPECT_EQ(events, (std::vector<std::string>{"Click 1", "Click 3", "Click 0"}));
}

TEST_F(ListBoxTest, AnErrorInAUserClickHandlerIsReportedAndTheProgramGoesOn) {
    RecordedMessageBoxes boxes;
    Fill(list, 2);
    ShowForm();
    list.Click = [] { runtime::Raise(runtime::errSubscriptOutOfRange); };
    QWidget* viewport = WidgetOf(list).viewport();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, CentreOfRow(WidgetOf(list), 1));
    QTest::mouseClick(viewport, Qt::LeftButton, {}, CentreOfRow(WidgetOf(list), 0));
    ASSERT_EQ(boxes.Shown().size(), 2u);
    EXPECT_EQ(boxes.Shown()[0].text,
              "Errore di run-time '9':\n\nIndice non incluso nell'intervallo");
    EXPECT_EQ(list.ListIndex().Value(), 0);
}

}  // namespace
}  // namespace toolkit

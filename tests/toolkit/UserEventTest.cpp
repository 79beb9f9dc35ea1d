// Raising events the user started: order, nesting, and errors that escape handlers.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <stdexcept>

#include "ToolkitTestSupport.h"
#include "platform/runtime/Replaceable.h"
#include "platform/toolkit/MsgBox.h"
#include "platform/toolkit/Screen.h"
#include "platform/toolkit/UserEvent.h"

namespace toolkit {
namespace {

using testing::RecordedMessageBoxes;

TEST(RaiseUserEvent, AnEscapingRuntimeErrorShowsTheRuntimeBox) {
    RecordedMessageBoxes boxes;
    RaiseUserEvent([] { runtime::Raise(runtime::errSubscriptOutOfRange); });
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text,
              "Errore di run-time '9':\n\nIndice non incluso nell'intervallo");
    EXPECT_EQ(boxes.Shown()[0].style, vbCritical);
    EXPECT_EQ(boxes.Shown()[0].title, "Quorvane");
    EXPECT_EQ(QCoreApplication::applicationName(), "Quorvane");
}

TEST(RaiseUserEvent, KeepsTheErrorsOwnDescription) {
    RecordedMessageBoxes boxes;
    RaiseUserEvent([] { throw runtime::RuntimeError(1001, "Descrizione propria"); });
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text, "Errore di run-time '1001':\n\nDescrizione propria");
}

TEST(RaiseUserEvent, OtherExceptionsBecomeRuntimeErrors) {
    RecordedMessageBoxes boxes;
    RaiseUserEvent([] { throw std::bad_alloc(); });
    RaiseUserEvent([] { throw std::logic_error("not a runtime error"); });
    RaiseUserEvent([] { throw 42; });
    RaiseUserEvent([] { throw std::length_error("a list that cannot grow"); });
    ASSERT_EQ(boxes.Shown().size(), 4u);
    EXPECT_EQ(boxes.Shown()[0].text, "Errore di run-time '7':\n\nMemoria esaurita");
    EXPECT_EQ(boxes.Shown()[1].text, "Errore di run-time '51':\n\nErrore interno");
    EXPECT_EQ(boxes.Shown()[2].text, boxes.Shown()[1].text);
    EXPECT_EQ(boxes.Shown()[3].text, boxes.Shown()[0].text);
}

TEST(RaiseUserEvent, WithoutAnErrorNothingIsShown) {
    RecordedMessageBoxes boxes;
    int calls = 0;
    RaiseUserEvent([&] { ++calls; });
    RaiseUserEvent(runtime::Event());
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(boxes.Shown().empty());
}

TEST(RaiseUserEvent, RestoresTheDefaultPointerAfterAnError) {
    RecordedMessageBoxes boxes;
    RaiseUserEvent([] {
        Screen.SetMousePointer(vbHourglass);
        runtime::Raise(runtime::errOverflow);
    });
    EXPECT_EQ(Screen.MousePointer(), vbDefault);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    // The pointer comes back after the box has been dismissed, not before it shows.
    ASSERT_EQ(boxes.Shown().size(), 1u);
}

TEST(RaiseUserEvent, ThePointerIsStillTheHourglassWhileTheBoxShows) {
    int pointerWhileShown = -1;
    const runtime::InstallGuard presenter(
        InstallMessageBoxPresenter,
        [&](const MessageBoxRequest&) { pointerWhileShown = Screen.MousePointer(); });
    RaiseUserEvent([] {
        Screen.SetMousePointer(vbHourglass);
        runtime::Raise(runtime::errOverflow);
    });
    EXPECT_EQ(pointerWhileShown, vbHourglass);
    EXPECT_EQ(Screen.MousePointer(), vbDefault);
}

TEST(RaiseUserEvent, AnErrorNestedInCodeRaisedEventsReachesTheUserEventOnce) {
    RecordedMessageBoxes boxes;
    std::vector<std::string> order;
    const runtime::Event inner = [&] {
        order.push_back("inner");
        runtime::Raise(runtime::errDeviceUnavailable);
    };
    const runtime::Event outer = [&] {
        order.push_back("outer before");
        runtime::RaiseEvent(inner);
        order.push_back("outer after");  // never reached
    };
    RaiseUserEvent(outer);
    EXPECT_EQ(order, (std::vector<std::string>{"outer before", "inner"}));
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text, "Errore di run-time '68':\n\nPeriferica non disponibile");
}

TEST(RaiseUserEvent, AHandlerThatTrapsItsErrorShowsNothing) {
    RecordedMessageBoxes boxes;
    RaiseUserEvent([] {
        try {
            runtime::Raise(runtime::errCancel);
        } catch (const runtime::RuntimeError& error) {
            EXPECT_EQ(error.Number(), runtime::errCancel);
        }
    });
    EXPECT_TRUE(boxes.Shown().empty());
}

TEST(RaiseUserEvent, APresenterThatFailsDoesNotEscape) {
    const runtime::InstallGuard presenter(InstallMessageBoxPresenter, [](const MessageBoxRequest&) {
        throw std::runtime_error("x");
    });
    EXPECT_NO_THROW(RaiseUserEvent([] { runtime::Raise(runtime::errOverflow); }));
}

TEST(Presenters, InstallReturnsTheReplacedPresenter) {
    int first = 0;
    int second = 0;
    const MessageBoxPresenter original =
        InstallMessageBoxPresenter([&](const MessageBoxRequest&) { ++first; });
    EXPECT_FALSE(original);  // the real dialog is the empty presenter
    const MessageBoxPresenter replaced =
        InstallMessageBoxPresenter([&](const MessageBoxRequest&) { ++second; });
    MsgBox("testo", vbOKOnly, "titolo");
    replaced({});
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 1);
    InstallMessageBoxPresenter(original);
}

TEST(MsgBox, HandsPromptStyleAndTitleToThePresenter) {
    RecordedMessageBoxes boxes;
    MsgBox("Il file selezionato non contiene icone!", vbExclamation, "Tillomark...Brandell");
    MsgBox("riga uno\r\nriga due", vbInformation, "");
    ASSERT_EQ(boxes.Shown().size(), 2u);
    EXPECT_EQ(boxes.Shown()[0].text, "Il file selezionato non contiene icone!");
    EXPECT_EQ(boxes.Shown()[0].style, vbExclamation);
    EXPECT_EQ(boxes.Shown()[0].title, "Tillomark...Brandell");
    EXPECT_EQ(boxes.Shown()[1].text, "riga uno\r\nriga due");
    EXPECT_EQ(boxes.Shown()[1].style, vbInformation);
}

}  // namespace
}  // namespace toolkit

// The Win32 forms layer's own event semantics: events raised by code run nested in the write,
// user events go through the dispatcher and its runtime box, a drive that is not ready gives 68.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "platform/runtime/RuntimeError.h"
#include "platform/toolkit/ApplicationName.h"
#include "platform/toolkit/CommandButton.h"
#include "platform/toolkit/CommonDialog.h"
#include "platform/toolkit/DirListBox.h"
#include "platform/toolkit/DriveListBox.h"
#include "platform/toolkit/Form.h"
#include "platform/toolkit/ListBox.h"
#include "platform/toolkit/PathText.h"
#include "platform/toolkit/Presenters.h"
#include "platform/toolkit/Volumes.h"
#include "platform/toolkit/win32/Peers.h"

namespace {

using toolkit::MessageBoxRequest;

// Records the message boxes instead of showing them, for the test's lifetime.
class RecordedBoxes {
public:
    RecordedBoxes()
        : previous_(toolkit::InstallMessageBoxPresenter(
              [this](const MessageBoxRequest& request) { boxes.push_back(request); })) {}
    ~RecordedBoxes() { toolkit::InstallMessageBoxPresenter(previous_); }

    std::vector<MessageBoxRequest> boxes;

private:
    toolkit::MessageBoxPresenter previous_;
};

// A drive letter no drive uses here.
std::string UnusedDrive() {
    const DWORD drives = GetLogicalDrives();
    for (int letter = 'q' - 'a'; letter < 26; ++letter) {
        if ((drives & (1u << letter)) == 0) {
            return {static_cast<char>('a' + letter), ':'};
        }
    }
    return "";
}

TEST(ListBoxWin32, WritingListIndexRaisesClickBeforeReturning) {
    toolkit::Form form;
    toolkit::ListBox list(form);
    list.AddItem("uno");
    list.AddItem("due");
    std::vector<int> seen;
    list.Click = [&] { seen.push_back(list.ListIndex().Value()); };
    list.SetListIndex(runtime::Integer(1));
    list.SetListIndex(runtime::Integer(1));
    EXPECT_EQ(seen, (std::vector<int>{1, 1}));
    EXPECT_EQ(list.Text(), "due");
}

TEST(ListBoxWin32, UserSelectionRaisesClickAndAnErrorGoesToTheRuntimeBox) {
    RecordedBoxes recorded;
    toolkit::Form form;
    toolkit::ListBox list(form);
    list.AddItem("uno");
    list.Click = [] { runtime::Raise(runtime::errDeviceUnavailable); };
    HWND window = toolkit::win32::WindowOf(list);
    SendMessageW(form.Peer().hwnd, WM_COMMAND, MAKEWPARAM(0, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(window));
    ASSERT_EQ(recorded.boxes.size(), 1u);
    EXPECT_EQ(recorded.boxes[0].text, "Errore di run-time '68':\n\nPeriferica non disponibile");
    EXPECT_EQ(recorded.boxes[0].style, 16);
    EXPECT_EQ(recorded.boxes[0].title, toolkit::ApplicationName());
}

// Delivers every message waiting for this thread, as the program's loop would once idle.
void DeliverWaitingMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

TEST(ListBoxWin32, EntriesAddedFromCodeRedrawOnceTheLoopIsBackAndVisibilityStaysTrue) {
    toolkit::Form form;
    toolkit::ListBox list(form);
    form.Show();
    HWND window = toolkit::win32::WindowOf(list);
    list.AddItem("uno");
    list.AddItem("due");
    EXPECT_TRUE(list.Peer().redrawDeferred);
    EXPECT_EQ(SendMessageW(window, LB_GETCOUNT, 0, 0), 2);
    EXPECT_TRUE(list.Visible());
    DeliverWaitingMessages();
    EXPECT_FALSE(list.Peer().redrawDeferred);
    EXPECT_TRUE(IsWindowVisible(window));

    // Hidden while it waits to redraw: it stays hidden once the loop is back.
    list.AddItem("tre");
    list.SetVisible(false);
    DeliverWaitingMessages();
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_FALSE(list.Visible());
    list.SetVisible(true);
    EXPECT_TRUE(IsWindowVisible(window));
}

TEST(CommandButtonWin32, APressRaisesClick) {
    toolkit::Form form;
    toolkit::CommandButton button(form);
    button.Move(0, 0, 1500, 375);
    int clicks = 0;
    button.Click = [&] { ++clicks; };
    SendMessageW(toolkit::win32::WindowOf(button), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 1);
}

TEST(DirListBoxWin32, WritingPathRaisesChangeBeforeReturningOnlyWhenItChanges) {
    const std::filesystem::path base =
        std::filesystem::temp_directory_path() / "quorvane-dirlist-test";
    std::filesystem::create_directories(base / "Beta");
    std::filesystem::create_directories(base / "alfa");
    const std::string directory =
        toolkit::path_text::Normalise(reinterpret_cast<const char*>(base.u8string().c_str()));
    toolkit::Form form;
    toolkit::DirListBox list(form);
    std::vector<std::string> seen;
    list.Change = [&] { seen.push_back(list.Path()); };
    list.SetPath(directory);
    list.SetPath(directory);
    EXPECT_EQ(seen, std::vector<std::string>{directory});
    ASSERT_EQ(list.ListCount().Value(), 2);
    EXPECT_EQ(list.List(runtime::Integer(0)), directory + "\\alfa");
    EXPECT_EQ(list.List(runtime::Integer(-1)), directory);
    std::filesystem::remove_all(base);
}

TEST(DirListBoxWin32, ADriveThatIsNotReadyRaises68) {
    const std::string drive = UnusedDrive();
    ASSERT_FALSE(drive.empty());
    const toolkit::VolumeSource previous = toolkit::InstallVolumeSource(
        [drive] { return std::vector<toolkit::Volume>{{.rootPath = drive, .label = "X"}}; });
    toolkit::Form form;
    toolkit::DirListBox list(form);
    try {
        list.SetPath(drive + " [X]");
        ADD_FAILURE() << "no error";
    } catch (const runtime::RuntimeError& error) {
        EXPECT_EQ(error.Number(), runtime::errDeviceUnavailable);
    }
    toolkit::InstallVolumeSource(previous);
}

TEST(DriveListBoxWin32, APickInTheListRaisesChange) {
    const toolkit::VolumeSource previous = toolkit::InstallVolumeSource([] {
        return std::vector<toolkit::Volume>{{.rootPath = "c:", .label = "A"},
                                            {.rootPath = "z:", .label = "B"}};
    });
    toolkit::Form form;
    toolkit::DriveListBox drives(form);
    std::vector<std::string> seen;
    drives.Change = [&] { seen.push_back(drives.Drive()); };
    HWND combo = toolkit::win32::WindowOf(drives);
    const int other = drives.Drive() == "c: [A]" ? 1 : 0;
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(other), 0);
    SendMessageW(form.Peer().hwnd, WM_COMMAND, MAKEWPARAM(0, CBN_SELENDOK),
                 reinterpret_cast<LPARAM>(combo));
    EXPECT_EQ(seen, std::vector<std::string>{other == 1 ? "z: [B]" : "c: [A]"});
    toolkit::InstallVolumeSource(previous);
}

TEST(CommonDialogWin32, OpensInAnInitialDirectoryNamedOutsideTheAnsiCodePage) {
    const std::filesystem::path base =
        std::filesystem::temp_directory_path() / L"quorvane-\u03a9\u6f22\u5b57";
    std::filesystem::create_directories(base);
    const std::string directory =
        toolkit::path_text::Normalise(reinterpret_cast<const char*>(base.u8string().c_str()));
    std::string opened;
    const toolkit::SaveDialogPresenter previous = toolkit::InstallSaveDialogPresenter(
        [&](const toolkit::SaveDialogRequest& request) -> std::optional<std::string> {
            opened = request.directory;
            return std::nullopt;
        });
    toolkit::Form form;
    toolkit::CommonDialog dialog(form);
    dialog.InitDir = directory;
    dialog.ShowSave();
    toolkit::InstallSaveDialogPresenter(previous);
    EXPECT_EQ(opened, directory);
    std::filesystem::remove_all(base);
}

TEST(PathTextWin32, PathsStartAtADriveRootAndCompareIgnoringCase) {
    EXPECT_EQ(toolkit::path_text::Normalise("C:"), "c:\\");
    EXPECT_EQ(toolkit::path_text::Normalise("c:/Windows/./System32/"), "c:\\Windows\\System32");
    EXPECT_TRUE(toolkit::path_text::HoldsPath("c:\\", "C:\\x"));
    EXPECT_TRUE(toolkit::path_text::HoldsPath("c:\\windows", "C:\\WINDOWS\\x"));
    EXPECT_FALSE(toolkit::path_text::HoldsPath("c:\\win", "c:\\windows"));
}

}  // namespace

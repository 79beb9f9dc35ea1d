// Saving the icon of the large preview, from the button and from a double-click, with the Save-As
// dialog and the message box scripted.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/icons/IconService.h"
#include "platform/picture/IcoFileWriter.h"
#include "platform/runtime/Replaceable.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/toolkit/Screen.h"
#include "tests/support/NativePath.h"
#include "tests/window/WindowHarness.h"

namespace {

using testsupport::NativePath;

std::vector<char> ReadAll(const std::string& path) {
    std::ifstream in(NativePath(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The number of images an .ico file's directory announces; -1 when it is no icon file.
int IcoImageCount(const std::vector<char>& ico) {
    if (ico.size() < 6 || ico[0] != 0 || ico[1] != 0 || ico[2] != 1 || ico[3] != 0) {
        return -1;
    }
    return static_cast<unsigned char>(ico[4]) | static_cast<unsigned char>(ico[5]) << 8;
}

// The .ico of the picture's whole group, as the picture service lays it out (the layout itself is
// the picture service's tests' business; these check which icon lands in the file).
std::vector<char> IcoOf(const IPictureDisp& picture) {
    std::vector<platform::picture::IcoEntry> entries;
    for (const auto& image : picture->Group().images) {
        entries.push_back(platform::picture::IcoEntryOf(image));
    }
    const std::vector<std::uint8_t> bytes = platform::picture::IcoFileBytes(entries).value();
    return {bytes.begin(), bytes.end()};
}

class SavingTest : public ::testing::Test {
protected:
    void SetUp() override {
        h.WriteIconFile("a.dll", 3);
        h.OpenScratchDirectory();
        h.PressAggiorna();
        ASSERT_NE(w.imgGrande.Picture(), nullptr);
        std::filesystem::create_directory(NativePath(out));
    }

    void ExpectOneMessage(const std::string& text) {
        ASSERT_EQ(h.messages.size(), 1u);
        EXPECT_EQ(h.messages[0].text, text);
        EXPECT_EQ(h.messages[0].style, 48);
        EXPECT_EQ(h.messages[0].title, "Tillomark...Brandell");
    }

    WindowHarness h;
    frmCercaIco& w = h.window();
    const std::string out = h.Path("salvate");
};

TEST_F(SavingTest, TheButtonSavesTheLargePreviewAsAnIcoOfEveryImage) {
    h.ClickIcon(1);
    h.saveAnswers = {WindowHarness::Join(out, "icona.ico")};

    h.PressSalvaIcona();

    EXPECT_EQ(h.saveDialogsShown, 1);
    EXPECT_TRUE(h.messages.empty());
    const std::vector<char> saved = ReadAll(WindowHarness::Join(out, "icona.ico"));
    EXPECT_EQ(saved, IcoOf(w.mIcone(1)));
    EXPECT_EQ(IcoImageCount(saved), 3);
    EXPECT_EQ(toolkit::Screen.MousePointer(), toolkit::vbDefault);
}

TEST_F(SavingTest, ADoubleClickSavesTheEntryDoubleClicked) {
    h.saveAnswers = {WindowHarness::Join(out, "doppio")};  // typed without an extension

    h.DoubleClickIcon(2);

    EXPECT_TRUE(h.messages.empty());
    EXPECT_EQ(w.lstIcone.ListIndex(), runtime::Integer(2));
    EXPECT_EQ(ReadAll(WindowHarness::Join(out, "doppio.ico")), IcoOf(w.mIcone(2)));
    EXPECT_FALSE(std::filesystem::exists(NativePath(WindowHarness::Join(out, "doppio"))));
    EXPECT_EQ(w.cdlSalvaIco.FileTitle, "doppio.ico");
}

TEST_F(SavingTest, CancelFromEitherRouteDoesNothing) {
    const Previews before = PreviewsOf(w);
    h.PressSalvaIcona();
    h.DoubleClickIcon(1);

    EXPECT_EQ(h.saveDialogsShown, 2);
    EXPECT_TRUE(h.messages.empty());
    EXPECT_TRUE(std::filesystem::is_empty(NativePath(out)));
    EXPECT_EQ(w.lstIcone.ListCount(), runtime::Integer(3));
    EXPECT_EQ(PreviewsOf(w).grande, w.mIcone(1));
    EXPECT_NE(before.grande, nullptr);
}

TEST_F(SavingTest, AFailedSaveReportsTheErrorNumberAndTheFileName) {
    const std::string missing = WindowHarness::Join(h.Path("non-esiste"), "icona.ico");
    h.saveAnswers = {missing};
    h.PressSalvaIcona();
    ExpectOneMessage("Errore n. 76 salvando il file \r\nicona.ico");

    h.messages.clear();
    h.saveAnswers = {missing};
    h.DoubleClickIcon(0);
    ExpectOneMessage("Errore n.  76 salvando il file \r\nicona.ico");
    EXPECT_FALSE(std::filesystem::exists(NativePath(h.Path("non-esiste"))));
}

TEST_F(SavingTest, ANegativeErrorNumberFollowsThePrefixWithItsSign) {
    h.saveAnswers = {WindowHarness::Join(out, "primo.ico")};
    h.PressSalvaIcona();
    ASSERT_TRUE(h.messages.empty());
    const runtime::InstallGuard failing(
        toolkit::InstallSaveDialogPresenter,
        [](const toolkit::SaveDialogRequest&) -> std::optional<std::string> {
            throw runtime::RuntimeError(-2147024891, "Accesso negato");
        });

    h.PressSalvaIcona();
    ExpectOneMessage("Errore n.-2147024891 salvando il file \r\nprimo.ico");
    h.messages.clear();
    h.DoubleClickIcon(0);
    ExpectOneMessage("Errore n. -2147024891 salvando il file \r\nprimo.ico");
}

TEST_F(SavingTest, AnErrorThatIsNotARuntimeErrorIsReportedByItsNumber) {
    h.saveAnswers = {WindowHarness::Join(out, "primo.ico")};
    h.PressSalvaIcona();
    ASSERT_TRUE(h.messages.empty());
    const runtime::InstallGuard failing(
        toolkit::InstallSaveDialogPresenter,
        [](const toolkit::SaveDialogRequest&) -> std::optional<std::string> {
            throw std::bad_alloc();
        });

    h.PressSalvaIcona();

    ExpectOneMessage("Errore n. 7 salvando il file \r\nprimo.ico");
}

TEST_F(SavingTest, SavingWithNothingPreviewedReportsTheEmptyPictureAndWritesNothing) {
    w.dirlDirectory_Change();  // clears the previews
    const std::string existing = WindowHarness::Join(out, "esistente.ico");
    std::ofstream(NativePath(existing)) << "contenuto di prima";
    h.saveAnswers = {existing};

    h.PressSalvaIcona();

    EXPECT_EQ(h.saveDialogsShown, 1);
    ExpectOneMessage("Errore n. 380 salvando il file \r\nesistente.ico");
    EXPECT_EQ(ReadAll(existing), (std::vector<char>{'c', 'o', 'n', 't', 'e', 'n', 'u', 't', 'o',
                                                    ' ', 'd', 'i', ' ', 'p', 'r', 'i', 'm', 'a'}));
}

TEST_F(SavingTest, TwoSavesInARowEachAskForAName) {
    h.saveAnswers = {WindowHarness::Join(out, "uno.ico"), WindowHarness::Join(out, "due.ico")};
    h.PressSalvaIcona();
    h.ClickIcon(2);
    h.PressSalvaIcona();

    EXPECT_EQ(h.saveDialogsShown, 2);
    EXPECT_TRUE(h.messages.empty());
    EXPECT_EQ(ReadAll(WindowHarness::Join(out, "uno.ico")), IcoOf(w.mIcone(0)));
    EXPECT_EQ(ReadAll(WindowHarness::Join(out, "due.ico")), IcoOf(w.mIcone(2)));
}

}  // namespace

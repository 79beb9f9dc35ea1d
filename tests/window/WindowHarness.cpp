#include "tests/window/WindowHarness.h"

#include <fstream>

#include "platform/toolkit/ApplicationName.h"
#include "platform/toolkit/PathText.h"
#include "tests/support/IconFixtures.h"
#include "tests/support/NativePath.h"
#include "tests/window/UserInput.h"

namespace {

fixtures::Bytes IconImage(int size, std::uint32_t seed) {
    return fixtures::MakeDibImage({.width = size, .height = size, .bitCount = 32, .seed = seed})
        .bytes;
}

std::vector<std::string> EntriesOf(toolkit::ListBox& list) {
    std::vector<std::string> entries;
    for (runtime::Integer i = 0; i < list.ListCount(); i = i + 1) {
        entries.push_back(list.List(i));
    }
    return entries;
}

}  // namespace

WindowHarness::WindowHarness()
    : dir_(toolkit::path_text::Normalise(scratch_.Path())),
      messageBoxes_(
          toolkit::InstallMessageBoxPresenter,
          [this](const toolkit::MessageBoxRequest& request) { messages.push_back(request); }),
      saveDialogs_(toolkit::InstallSaveDialogPresenter,
                   [this](const toolkit::SaveDialogRequest&) -> std::optional<std::string> {
                       ++saveDialogsShown;
                       if (saveAnswers.empty()) {
                           return std::nullopt;
                       }
                       std::optional<std::string> answer = saveAnswers.front();
                       saveAnswers.erase(saveAnswers.begin());
                       return answer;
                   }),
      extractIconService_(platform::InstallExtractIconService,
                          [this](platform::HWND hwnd, const std::string& path, std::int32_t index) {
                              extractCalls.push_back({path, index});
                              return scriptedService
                                         ? scriptedService(hwnd, path, index)
                                         : platform::icons::ExtractIconA(hwnd, path, index);
                          }) {
    window_ = std::make_unique<frmCercaIco>();
    window_->Show();
}

// The window goes before the guards put the real services back.
WindowHarness::~WindowHarness() {
    window_.reset();
}

std::string WindowHarness::Join(const std::string& directory, const std::string& name) {
    return toolkit::path_text::Normalise(directory + "/" + name);
}

void WindowHarness::WriteIconFile(const std::string& name, int icons, std::uint32_t seed) const {
    fixtures::PeBuilder pe;
    std::uint16_t id = 1;
    for (int icon = 0; icon < icons; ++icon) {
        std::vector<std::uint16_t> ids;
        for (int size : {16, 32, 48}) {
            pe.AddIcon(id, IconImage(size, seed * 1000 + id));
            ids.push_back(id++);
        }
        pe.AddGroup(static_cast<std::uint16_t>(100 + icon), ids);
    }
    fixtures::WriteFile(Path(name), pe.Build(/*pe32plus=*/true));
}

void WindowHarness::WriteFileWithoutIcons(const std::string& name) const {
    fixtures::PeBuilder pe;
    pe.AddResource(std::uint16_t{16}, std::uint16_t{1}, fixtures::MakeOpaqueBytes(64, 3));
    fixtures::WriteFile(Path(name), pe.Build(/*pe32plus=*/false));
}

void WindowHarness::WriteTextFile(const std::string& name) const {
    std::ofstream(testsupport::NativePath(Path(name))) << "not an executable\n";
}

void WindowHarness::OpenScratchDirectory() {
    window_->dirlDirectory.SetPath(dir_);
}

void WindowHarness::PressAggiorna() {
    user_input::ClickButton(window_->cmdAggiorna);
}

void WindowHarness::ClickFile(int index) {
    user_input::ClickEntry(window_->lstFiles, index, false);
}
void WindowHarness::ClickIcon(int index) {
    user_input::ClickEntry(window_->lstIcone, index, false);
}
void WindowHarness::DoubleClickIcon(int index) {
    user_input::ClickEntry(window_->lstIcone, index, true);
}

void WindowHarness::PressSalvaIcona() {
    user_input::ClickButton(window_->Command1);
}

std::vector<std::string> WindowHarness::LstFilesEntries() {
    return EntriesOf(window_->lstFiles);
}
std::vector<std::string> WindowHarness::LstIconeEntries() {
    return EntriesOf(window_->lstIcone);
}

std::string RuntimeBoxTitle() {
#ifdef _WIN32
    return toolkit::ApplicationName();
#else
    return "Quorvane";
#endif
}

Previews PreviewsOf(frmCercaIco& window) {
    using platform::picture::AsPicture;
    return {AsPicture(window.imgGrande.Picture()), AsPicture(window.imgMedia.Picture()),
            AsPicture(window.imgPiccola.Picture())};
}

#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Utilita.h"
#include "platform/runtime/Replaceable.h"
#include "platform/toolkit/Presenters.h"
#include "tests/support/ScratchDirectory.h"
#include "window/frmCercaIco.h"

// A window under test with scripted dialogs, a scratch directory for fixture files, and a record of
// every call the window makes to the icon-extraction service (which still answers for real unless a
// test scripts it).
class WindowHarness {
public:
    WindowHarness();
    ~WindowHarness();

    frmCercaIco& window() { return *window_; }
    // The scratch directory as the directory list names it.
    const std::string& dir() const { return dir_; }
    // A name in the scratch directory, spelled as the toolkit spells paths.
    std::string Path(const std::string& name) const { return Join(dir_, name); }
    // A name in a directory, spelled as the toolkit spells paths ("\\" on Windows, "/" elsewhere).
    static std::string Join(const std::string& directory, const std::string& name);

    // Fixture files: an executable with `icons` icon groups (each a 16, a 32 and a 48 px image of
    // its own), one with resources but no icon, and a file that is not an executable.
    void WriteIconFile(const std::string& name, int icons, std::uint32_t seed = 1) const;
    void WriteFileWithoutIcons(const std::string& name) const;
    void WriteTextFile(const std::string& name) const;

    // Points the directory list at the scratch directory (as code does: Change runs nested).
    void OpenScratchDirectory();
    // The user presses "Aggiorna" or clicks an entry.
    void PressAggiorna();
    void ClickFile(int index);
    void ClickIcon(int index);
    void DoubleClickIcon(int index);
    void PressSalvaIcona();

    // Every message box shown so far.
    std::vector<toolkit::MessageBoxRequest> messages;
    // The answers the Save-As dialog gives, one per showing (nothing = Cancel); and how often it
    // was shown.
    std::vector<std::optional<std::string>> saveAnswers;
    int saveDialogsShown = 0;

    struct ExtractCall {
        std::string path;
        std::int32_t index;
    };
    std::vector<ExtractCall> extractCalls;
    // Replaces the real service's answer (the real one is still recorded in extractCalls).
    platform::ExtractIconService scriptedService;

    std::vector<std::string> LstFilesEntries();
    std::vector<std::string> LstIconeEntries();

private:
    testsupport::ScratchDirectory scratch_;
    std::string dir_;
    runtime::InstallGuard<toolkit::MessageBoxPresenter> messageBoxes_;
    runtime::InstallGuard<toolkit::SaveDialogPresenter> saveDialogs_;
    runtime::InstallGuard<platform::ExtractIconService> extractIconService_;
    std::unique_ptr<frmCercaIco> window_;
};

// The title of the runtime's own boxes: the application's name, "Quorvane" as the Qt test main
// sets it; a Windows program is named after its executable (here the test program's).
std::string RuntimeBoxTitle();

// The three previews' pictures.
struct Previews {
    IPictureDisp grande, media, piccola;
};
Previews PreviewsOf(frmCercaIco& window);

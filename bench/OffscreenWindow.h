#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "platform/runtime/Replaceable.h"
#include "platform/toolkit/Presenters.h"
#include "window/frmCercaIco.h"

// A real frmCercaIco on the offscreen platform, driven the way a person drives it: clicks on the
// button and on the list entries, each action timed until the large preview has been drawn.
// Message boxes and the Save-As dialog are answered by scripted presenters, so nothing modal can
// stop a run.
namespace bench {

class OffscreenWindow {
public:
    OffscreenWindow();
    ~OffscreenWindow();
    OffscreenWindow(const OffscreenWindow&) = delete;
    OffscreenWindow& operator=(const OffscreenWindow&) = delete;

    // Opens the directory in the directory list (its Change runs, as when a person opens it).
    void OpenDirectory(const std::string& directory);

    // Empties the list of files as choosing the directory again does, so the next press of
    // "Aggiorna" scans.
    void ForgetScan();

    // Clicks "Aggiorna", then draws the large preview and lets every pending event run.
    void PressAggiorna();

    // Clicks the entry of lstFiles with that name, then draws as above. Throws when none has it.
    void ClickFile(const std::string& name);

    std::size_t FilesListed();
    // The first entry of lstFiles (the file a press of "Aggiorna" loads); empty when none.
    std::string FirstFileListed();
    std::size_t IconsListed();
    std::size_t MessagesShown() const { return messages_; }

private:
    void DrawPreviews();

    std::size_t messages_ = 0;
    runtime::InstallGuard<toolkit::MessageBoxPresenter> messageBoxes_;
    runtime::InstallGuard<toolkit::SaveDialogPresenter> saveDialogs_;
    std::unique_ptr<frmCercaIco> window_;
};

}  // namespace bench

// "Aggiorna": listing the files of the directory that carry icons.
#include "platform/Utilita.h"
#include "platform/toolkit/Screen.h"
#include "window/frmCercaIco.h"

using platform::DestroyIcon;
using platform::ExtractIconA;
using platform::HICON;
using runtime::Integer;
using toolkit::Screen;

void frmCercaIco::cmdAggiorna_Click() {
    // Only an empty file list is scanned; otherwise the press reloads the selected file.
    if (lstFiles.ListCount() == 0) {
        CercaFileConIcone();
    }
    if (lstFiles.ListCount() > 0) {
        CaricaIcone();
    }
    cmdAggiorna.SetVisible(true);
    lstFiles.SetVisible(true);
}

void frmCercaIco::CercaFileConIcone() {
    Screen.SetMousePointer(toolkit::vbHourglass);
    try {
        lstFiles.Clear();
        const Integer ultimo = flstInDir.ListCount() - 1;
        for (Integer i = 0; i <= ultimo; i = i + 1) {
            // The probe asks for icon 0 and gives the handle back at once: a file counts when it
            // has one.
            const HICON sonda = ExtractIconA(hWnd(), PercorsoDi(flstInDir.List(i)), 0);
            if (sonda != 0) {
                DestroyIcon(sonda);
                lstFiles.AddItem(flstInDir.List(i));
            }
        }
        // Selecting the first file loads its icons, nested in this assignment.
        if (lstFiles.ListCount() > 0) {
            lstFiles.SetListIndex(0);
        }
    } catch (...) {
        Screen.SetMousePointer(toolkit::vbDefault);
        throw;
    }
    Screen.SetMousePointer(toolkit::vbDefault);
}

// A file of the chosen directory: the file list's directory, a separator and the bare name. Nothing
// tests for a trailing separator, so at the root two follow each other, which the file system
// accepts.
std::string frmCercaIco::PercorsoDi(const std::string& nomeFile) const {
    return flstInDir.Path() + "/" + nomeFile;
}

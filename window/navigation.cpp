// Following the chosen drive and directory.
#include "platform/toolkit/MsgBox.h"
#include "window/frmCercaIco.h"

using toolkit::MsgBox;
using toolkit::vbExclamation;

void frmCercaIco::dlstDrives_Change() {
    try {
        // Moving the directory list raises its Change (the directory handling runs nested here),
        // and the directory handling then runs once more directly.
        dirlDirectory.SetPath(dlstDrives.Drive());
        dirlDirectory_Change();
    } catch (...) {
        // Whatever failed (a run-time error or any other), the drive is reported as not ready.
        MsgBox("Drive non pronto!", vbExclamation, kTitoloMessaggi);
    }
}

void frmCercaIco::dirlDirectory_Change() {
    flstInDir.SetPath(dirlDirectory.Path());
    lstFiles.SetVisible(true);
    cmdAggiorna.SetVisible(true);
    lstFiles.Clear();
    lstIcone.Clear();
    imgGrande.SetPicture(nullptr);
    imgMedia.SetPicture(nullptr);
    imgPiccola.SetPicture(nullptr);
}

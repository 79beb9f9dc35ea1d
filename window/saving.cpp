// Saving the icon of the large preview as an .ico file.
#include "platform/picture/SavePicture.h"
#include "platform/toolkit/MsgBox.h"
#include "platform/toolkit/RuntimeError.h"
#include "platform/toolkit/Str.h"
#include "window/frmCercaIco.h"

using platform::picture::AsPicture;
using platform::picture::SavePicture;
using toolkit::MsgBox;
using toolkit::Str;

void frmCercaIco::Command1_Click() {
    SalvaIconaMostrata("Errore n.");
}

void frmCercaIco::lstIcone_DblClick() {
    SalvaIconaMostrata("Errore n. ");
}

// The two routes take the same steps; only the start of their error message differs.
void frmCercaIco::SalvaIconaMostrata(const std::string& errorPrefix) {
    try {
        cdlSalvaIco.ShowSave();
        const IPictureDisp immagine = AsPicture(imgGrande.Picture());
        const std::string nomeFile = cdlSalvaIco.FileName;
        SavePicture(immagine, nomeFile);
    } catch (...) {
        const toolkit::RuntimeError Err = toolkit::CurrentRuntimeError();  // any error, numbered
        if (Err.Number() == toolkit::errCancel) {
            return;
        }
        MsgBox(
            errorPrefix + Str(Err.Number()) + " salvando il file " + "\r\n" + cdlSalvaIco.FileTitle,
            toolkit::vbExclamation, kTitoloMessaggi);
    }
}

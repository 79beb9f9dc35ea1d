// Saving the icon of the large preview as an .ico file.
#include "platform/picture/SavePicture.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/Str.h"
#include "platform/toolkit/MsgBox.h"
#include "window/frmCercaIco.h"

using platform::picture::AsPicture;
using platform::picture::SavePicture;
using runtime::Str;
using toolkit::MsgBox;

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
        const runtime::RuntimeError Err = runtime::CurrentRuntimeError();  // any error, numbered
        if (Err.Number() == runtime::errCancel) {
            return;
        }
        MsgBox(
            errorPrefix + Str(Err.Number()) + " salvando il file " + "\r\n" + cdlSalvaIco.FileTitle,
            toolkit::vbExclamation, kTitoloMessaggi);
    }
}

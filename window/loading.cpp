// Loading every icon of the chosen file.
#include "picture/MPictureTool.h"
#include "platform/Utilita.h"
#include "platform/runtime/Str.h"
#include "platform/toolkit/MsgBox.h"
#include "platform/toolkit/Screen.h"
#include "window/frmCercaIco.h"

using MPictureTool::PictureDaIcona;
using platform::ExtractIconA;
using platform::HICON;
using runtime::Integer;
using runtime::Str;
using toolkit::MsgBox;
using toolkit::Screen;

void frmCercaIco::lstFiles_Click() {
    CaricaIcone();
}

void frmCercaIco::CaricaIcone() {
    try {
        Screen.SetMousePointer(toolkit::vbHourglass);
        const std::string percorso = PercorsoDi(lstFiles.Text());
        Integer contatore = 0;
        HICON icona = ExtractIconA(hWnd(), percorso, contatore);
        if (icona != 0) {
            // The previous file's pictures go here; the one on show lives on in the previews.
            mIcone.ReDim(0);
            lstIcone.Clear();
            while (icona != 0) {
                IPictureDisp immagine = PictureDaIcona(icona);
                mIcone.ReDimPreserve(contatore);
                mIcone(contatore) = immagine;
                lstIcone.AddItem("Icona " + Str(contatore));
                contatore = contatore + 1;  // past 32767 this raises the overflow error
                icona = ExtractIconA(hWnd(), percorso, contatore);
            }
            // Selecting icon 0 shows it, nested in the assignment; then it is shown once more.
            lstIcone.SetListIndex(0);
            MostraIcona();
            Screen.SetMousePointer(toolkit::vbDefault);
            return;
        }
    } catch (...) {
        // Whatever step failed, with whatever error, the load ends with the same message as a file
        // without icons.
    }
    MsgBox("Il file selezionato non contiene icone!", toolkit::vbExclamation, kTitoloMessaggi);
    Screen.SetMousePointer(toolkit::vbDefault);
}

// Showing the chosen icon in the three previews.
#include "window/frmCercaIco.h"

void frmCercaIco::lstIcone_Click() {
    MostraIcona();
}

void frmCercaIco::MostraIcona() {
    // An unallocated array or an index outside it raises "Indice non incluso nell'intervallo".
    imgGrande.SetPicture(mIcone(lstIcone.ListIndex()));
    // The medium and the small preview take their picture from the large one.
    imgMedia.SetPicture(imgGrande.Picture());
    imgPiccola.SetPicture(imgGrande.Picture());
}

// The window's layout (all positions and sizes in twips) and its event wiring.
#include "window/frmCercaIco.h"

namespace {

constexpr toolkit::Color kGrigioChiaro{224, 224, 224};
constexpr const char* kIconaApplicazione = ":/quorvane/quorvane.ico";
constexpr const char* kPuntatorePulsanti = ":/quorvane/pointer.cur";

struct Placement {
    int left;
    int top;
    int width;
    int height;
};

void Place(toolkit::Control& control, Placement at, int tabIndex) {
    control.Move(at.left, at.top, at.width, at.height);
    control.SetTabIndex(tabIndex);
}

void PlaceButton(toolkit::CommandButton& button, const char* caption, Placement at, int tabIndex) {
    button.SetCaption(caption);
    Place(button, at, tabIndex);
    button.SetMousePointer(toolkit::vbCustom);
    button.SetMouseIcon(kPuntatorePulsanti);
}

void PlaceLabel(toolkit::Label& label, const char* caption, Placement at, int tabIndex) {
    label.SetCaption(caption);
    Place(label, at, tabIndex);
}

}  // namespace

frmCercaIco::frmCercaIco() {
    LoadLayout();
    WireEvents();
    ApplyTabOrder();
}

void frmCercaIco::LoadLayout() {
    SetCaption("Quorvane...Brandell");
    SetBackColor(kGrigioChiaro);
    SetClientSize(7215, 4770);
    SetClientPosition(1140, 1515);
    SetIcon(kIconaApplicazione);
    PlaceControls();
    SetUpSaveDialog();
}

void frmCercaIco::PlaceControls() {
    PlaceButton(Command1, "Salva icona", {2400, 4320, 1695, 375}, 8);
    PlaceButton(cmdAggiorna, "Aggiorna", {480, 4320, 1620, 345}, 7);
    Place(lstFiles, {2400, 360, 1815, 1815}, 6);
    Place(lstIcone, {2400, 2520, 1815, 1620}, 5);
    Place(dlstDrives, {480, 120, 1815, 315}, 4);
    Place(flstInDir, {120, 600, 225, 3405}, 3);
    flstInDir.SetVisible(false);
    flstInDir.SetPattern("*.exe;*.dll;*.ocx");
    Place(dirlDirectory, {480, 720, 1815, 3465}, 1);
    PlaceLabel(Label3, "File .EXE", {2880, 120, 855, 255}, 9);
    Line4.SetEndpoints(6960, 360, 6960, 4440);
    Line3.SetEndpoints(4440, 360, 6960, 360);
    Line2.SetEndpoints(4440, 4440, 6960, 4440);
    Line1.SetEndpoints(4440, 360, 4440, 4440);
    PlaceLabel(Label2, "Icona", {3000, 2280, 735, 255}, 2);
    imgPiccola.Move(5400, 3600, 375, 375);
    imgPiccola.SetStretch(true);
    imgMedia.Move(5175, 2520, 855, 855);
    imgMedia.SetStretch(true);
    PlaceLabel(Label1, "Anteprima", {5160, 120, 1695, 255}, 0);
    Label1.SetFont({.name = "MS Sans Serif", .size = 9.75, .weight = 400});
    imgGrande.Move(4560, 480, 1935, 1935);
    imgGrande.SetStretch(true);
}

void frmCercaIco::SetUpSaveDialog() {
    cdlSalvaIco.DialogTitle = "Salva icona con nome";
    cdlSalvaIco.InitDir = "c:\\programmi\\devstudio\\vb\\immagini";
    cdlSalvaIco.Filter = "*.ico";
    cdlSalvaIco.DefaultExt = "ico";
    cdlSalvaIco.CancelError = true;
    cdlSalvaIco.Flags = toolkit::cdlOFNOverwritePrompt;
}

void frmCercaIco::WireEvents() {
    dlstDrives.Change = [this] { dlstDrives_Change(); };
    dirlDirectory.Change = [this] { dirlDirectory_Change(); };
    cmdAggiorna.Click = [this] { cmdAggiorna_Click(); };
    lstFiles.Click = [this] { lstFiles_Click(); };
    lstIcone.Click = [this] { lstIcone_Click(); };
    lstIcone.DblClick = [this] { lstIcone_DblClick(); };
    Command1.Click = [this] { Command1_Click(); };
}

#pragma once

#include <string>

#include "platform/picture/Picture.h"
#include "platform/runtime/DynamicArray.h"
#include "platform/toolkit/CommandButton.h"
#include "platform/toolkit/CommonDialog.h"
#include "platform/toolkit/DirListBox.h"
#include "platform/toolkit/DriveListBox.h"
#include "platform/toolkit/FileListBox.h"
#include "platform/toolkit/Form.h"
#include "platform/toolkit/Image.h"
#include "platform/toolkit/Label.h"
#include "platform/toolkit/Line.h"
#include "platform/toolkit/ListBox.h"

using platform::picture::IPictureDisp;

// The program's one window: pick a drive and a directory, press "Aggiorna" to list the files that
// carry icons, choose a file to see all its icons, save the one on show as an .ico file.
class frmCercaIco : public toolkit::Form {
public:
    frmCercaIco();

    // The title of every message box the window shows.
    static constexpr const char* kTitoloMessaggi = "Tillomark...Brandell";

    // Controls, in creation order: a later graphical control lies above an earlier one.
    toolkit::CommandButton Command1{*this};
    toolkit::CommandButton cmdAggiorna{*this};
    toolkit::CommonDialog cdlSalvaIco{*this};
    toolkit::ListBox lstFiles{*this};
    toolkit::ListBox lstIcone{*this};
    toolkit::DriveListBox dlstDrives{*this};
    toolkit::FileListBox flstInDir{*this};
    toolkit::DirListBox dirlDirectory{*this};
    toolkit::Label Label3{*this};
    toolkit::Line Line4{*this};
    toolkit::Line Line3{*this};
    toolkit::Line Line2{*this};
    toolkit::Line Line1{*this};
    toolkit::Label Label2{*this};
    toolkit::Image imgPiccola{*this};
    toolkit::Image imgMedia{*this};
    toolkit::Label Label1{*this};
    toolkit::Image imgGrande{*this};

    // The pictures of the loaded file: element i is the icon listed as entry i of lstIcone.
    runtime::DynamicArray<IPictureDisp> mIcone;

    // Event handlers.
    void dlstDrives_Change();
    void dirlDirectory_Change();
    void cmdAggiorna_Click();
    void lstFiles_Click();
    void lstIcone_Click();
    void lstIcone_DblClick();
    void Command1_Click();

    // The window's own methods.
    void CercaFileConIcone();
    void CaricaIcone();
    void MostraIcona();

private:
    void LoadLayout();
    void PlaceControls();
    void SetUpSaveDialog();
    void WireEvents();

    void SalvaIconaMostrata(const std::string& errorPrefix);
    std::string PercorsoDi(const std::string& nomeFile) const;
};

#pragma once

// Qt's own texts (the standard dialogs' labels and buttons, the overwrite question) in Italian,
// whatever the user's locale.
namespace toolkit {

// Installs Qt's Italian catalogue (qtbase_it.qm from Qt's translations directory) in the running
// application, once; later calls do nothing. Returns whether it is installed: false when the
// catalogue is missing, and Qt then speaks English. Call after the QApplication is made.
bool InstallItalianQtTexts();

}  // namespace toolkit

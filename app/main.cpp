// Quorvane: finds the icons stored in Windows executables and saves one as an .ico file.
#include <QApplication>
#include <QIcon>
#include <QLocale>
#include <cstdio>

#include "platform/toolkit/qt/QtTexts.h"
#include "platform/toolkit/qt/RuntimeDirectory.h"
#include "window/frmCercaIco.h"

namespace {

// Qt's own failure without a display is a plugin dump that tells a person nothing; say it plainly.
bool HasDisplay() {
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
           !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

void ExplainMissingDisplay() {
    std::fputs(
        "Quorvane is a desktop program and needs a graphical display, but none was found\n"
        "(DISPLAY and WAYLAND_DISPLAY are not set).\n"
        "Start it from a desktop session, or give it a virtual display:\n"
        "    xvfb-run -a Quorvane\n"
        "(xvfb-run comes with Debian's xvfb package.)\n",
        stderr);
}

void SetProjectRecord() {
    QApplication::setApplicationName("Quorvane");
    QApplication::setOrganizationName("Osterquill");
    QApplication::setApplicationVersion(QUORVANE_VERSION_TEXT);
    QApplication::setDesktopFileName("quorvane");
    QApplication::setWindowIcon(QIcon(":/quorvane/quorvane.ico"));
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    // Qt's own dialogs and buttons speak Italian too; without the catalogue they stay English.
    toolkit::InstallItalianQtTexts();
}

}  // namespace

int main(int argc, char** argv) {
    if (!HasDisplay()) {
        ExplainMissingDisplay();
        return 1;
    }
    toolkit::qt::ProvideRuntimeDirectory();
    QApplication application(argc, argv);
    SetProjectRecord();
    frmCercaIco window;
    window.Show();
    return QApplication::exec();
}

// The main of every test binary that needs Qt: a headless application, then GoogleTest.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>

namespace {

// Without XDG_RUNTIME_DIR (a root shell, a chroot where packages are built) Qt warns at every
// start, also when the build lists a binary's tests; the program itself makes that directory
// (app/main.cpp), and so does each test binary: private, under the temporary directory.
void ProvideRuntimeDirectory() {
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        return;
    }
    const QString user = qEnvironmentVariable("USER", qEnvironmentVariable("LOGNAME", "user"));
    const QString directory = QDir::tempPath() + "/runtime-" + user;
    if (QDir().mkpath(directory) &&
        QFile::setPermissions(
            directory, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner)) {
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(directory));
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    ProvideRuntimeDirectory();
    QApplication app(argc, argv);
    QApplication::setApplicationName("Quorvane");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

#include "platform/toolkit/qt/RuntimeDirectory.h"

#include <QDir>
#include <QFile>

namespace toolkit::qt {

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

}  // namespace toolkit::qt

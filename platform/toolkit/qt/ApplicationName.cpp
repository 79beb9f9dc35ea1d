#include "platform/toolkit/ApplicationName.h"

#include <QCoreApplication>

namespace toolkit {

std::string ApplicationName() {
    return QCoreApplication::applicationName().toStdString();
}

}  // namespace toolkit

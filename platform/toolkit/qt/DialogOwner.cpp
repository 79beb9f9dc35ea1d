#include "platform/toolkit/qt/DialogOwner.h"

#include <QApplication>
#include <QWidget>

#include "platform/toolkit/ScopedDialogOwner.h"
#include "platform/toolkit/qt/Peers.h"

namespace toolkit {

QWidget* DialogOwner() {
    if (const Form* owner = CurrentDialogOwner()) {
        return qt::SurfaceOf(*owner);
    }
    return QApplication::activeWindow();
}

}  // namespace toolkit

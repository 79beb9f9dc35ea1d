#include "platform/toolkit/DialogOwner.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

namespace toolkit {

namespace {

QPointer<QWidget>& CurrentOwner() {
    static QPointer<QWidget> owner;
    return owner;
}

}  // namespace

QWidget* DialogOwner() {
    if (QWidget* owner = CurrentOwner()) {
        return owner;
    }
    return QApplication::activeWindow();
}

ScopedDialogOwner::ScopedDialogOwner(QWidget* owner) : previous_(CurrentOwner()) {
    CurrentOwner() = owner;
}

ScopedDialogOwner::~ScopedDialogOwner() {
    CurrentOwner() = previous_;
}

}  // namespace toolkit

#pragma once

class QWidget;

namespace toolkit {

// The window a modal dialog belongs to: the form that opened it while one is set, else the active
// window.
QWidget* DialogOwner();

// Sets the dialogs' owner for its lifetime.
class ScopedDialogOwner {
public:
    explicit ScopedDialogOwner(QWidget* owner);
    ~ScopedDialogOwner();
    ScopedDialogOwner(const ScopedDialogOwner&) = delete;
    ScopedDialogOwner& operator=(const ScopedDialogOwner&) = delete;

private:
    QWidget* previous_;
};

}  // namespace toolkit

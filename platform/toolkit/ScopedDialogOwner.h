#pragma once

namespace toolkit {

class Form;

// The form a modal dialog belongs to while one is set (nullptr when none is: the backend then
// takes the active window).
const Form* CurrentDialogOwner();

// Sets the dialogs' owner for its lifetime.
class ScopedDialogOwner {
public:
    explicit ScopedDialogOwner(const Form& owner);
    ~ScopedDialogOwner();
    ScopedDialogOwner(const ScopedDialogOwner&) = delete;
    ScopedDialogOwner& operator=(const ScopedDialogOwner&) = delete;

private:
    const Form* previous_;
};

}  // namespace toolkit

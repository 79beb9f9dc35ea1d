#include "platform/toolkit/ScopedDialogOwner.h"

namespace toolkit {

namespace {

const Form*& Owner() {
    static const Form* owner = nullptr;
    return owner;
}

}  // namespace

const Form* CurrentDialogOwner() {
    return Owner();
}

ScopedDialogOwner::ScopedDialogOwner(const Form& owner) : previous_(Owner()) {
    Owner() = &owner;
}

ScopedDialogOwner::~ScopedDialogOwner() {
    Owner() = previous_;
}

}  // namespace toolkit

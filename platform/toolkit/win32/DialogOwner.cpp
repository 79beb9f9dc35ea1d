#include "platform/toolkit/win32/DialogOwner.h"

#include "platform/toolkit/Form.h"
#include "platform/toolkit/ScopedDialogOwner.h"
#include "platform/toolkit/win32/Peers.h"

namespace toolkit::win32 {

HWND DialogOwnerWindow() {
    const Form* owner = CurrentDialogOwner();
    return owner != nullptr ? owner->Peer().hwnd : GetActiveWindow();
}

}  // namespace toolkit::win32

#include "picture/MPictureTool.h"

namespace MPictureTool {

platform::picture::IPictureDisp PictureDaIcona(platform::icons::HICON handle) {
    if (handle == 0) {
        return {};
    }
    platform::picture::IPictureDisp picture = platform::picture::OleCreatePictureIndirect(handle);
    if (!picture) {
        platform::DestroyIcon(handle);
    }
    return picture;
}

}  // namespace MPictureTool

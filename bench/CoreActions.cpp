#include "bench/CoreActions.h"

#include "picture/MPictureTool.h"
#include "platform/Utilita.h"

namespace bench {

std::size_t ProbeIconZero(const std::vector<std::string>& paths) {
    std::size_t withIcons = 0;
    for (const std::string& path : paths) {
        const platform::HICON probe = platform::ExtractIconA(0, path, 0);
        if (probe != 0) {
            platform::DestroyIcon(probe);
            ++withIcons;
        }
    }
    return withIcons;
}

std::vector<platform::picture::IPictureDisp> LoadAllIcons(const std::string& path) {
    std::vector<platform::picture::IPictureDisp> pictures;
    for (std::int32_t index = 0;; ++index) {
        const platform::HICON icon = platform::ExtractIconA(0, path, index);
        if (icon == 0) {
            return pictures;
        }
        pictures.push_back(MPictureTool::PictureDaIcona(icon));
    }
}

}  // namespace bench

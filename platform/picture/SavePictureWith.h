#pragma once

#include <string>

#include "platform/picture/IcoFileSink.h"
#include "platform/picture/Picture.h"

namespace platform::picture {

// SavePicture writing through the given sink (SavePicture uses a SaveFileSink). On a failed step
// the sink is told to discard what it wrote before the error is raised.
void SavePictureWith(const IPictureDisp& picture, const std::string& fileName, IcoFileSink& sink);

}  // namespace platform::picture

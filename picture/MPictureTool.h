#pragma once

#include "platform/Utilita.h"
#include "platform/picture/Picture.h"

// The module that turns icon handles into pictures.
namespace MPictureTool {

// A picture that owns the icon handle. Handle 0 gives an empty reference (the platform is not
// called). A handle no picture can be made of is destroyed rather than leaked, and gives an empty
// reference too.
platform::picture::IPictureDisp PictureDaIcona(platform::icons::HICON handle);

}  // namespace MPictureTool

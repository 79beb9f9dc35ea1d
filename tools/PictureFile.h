#pragma once

#include <optional>
#include <string>

#include "platform/picture/Picture.h"
#include "platform/runtime/RuntimeError.h"

// Writing a picture to a file, as .ico or as PNG.
namespace tool {

// A write that failed: the run-time error of the failure, with the errno the file's steps met (0
// when the failure came before the file was touched).
class WriteError : public runtime::RuntimeError {
public:
    WriteError(const runtime::RuntimeError& error, int errnoValue)
        : RuntimeError(error), errno_(errnoValue) {}

    int Errno() const { return errno_; }

private:
    int errno_;
};

// Writes the picture to the file atomically (a new file renamed over the name, as the window
// saves): the whole group as .ico when `pngSide` is empty (SavePicture), else a PNG of its best
// image drawn at pngSide x pngSide. With `flushToDisk` false the file is not flushed to disk before
// the rename (see SaveFileSink). Raises SavePicture's run-time errors as WriteError; 380 when no
// image of the group can be drawn for the PNG (nothing written).
void WritePicture(const platform::picture::IPictureDisp& picture, const std::string& fileName,
                  std::optional<int> pngSide, bool flushToDisk);

}  // namespace tool

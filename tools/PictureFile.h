#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/picture/Picture.h"
#include "platform/runtime/RuntimeError.h"

// Writing a picture to a file as .ico, or a drawn PNG's bytes.
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

// Writes the picture's whole group to the file as .ico, atomically (a new file renamed over the
// name, as the window saves: SavePicture). With `flushToDisk` false the file is not flushed to
// disk before the rename (see SaveFileSink). Raises SavePicture's run-time errors as WriteError.
void WritePicture(const platform::picture::IPictureDisp& picture, const std::string& fileName,
                  bool flushToDisk);

// Writes bytes made whole beforehand (a PNG of EncodePng, a .cur, an .ani) to the file the same
// way; like SavePicture, it replaces a regular file (or a link to one) and nothing else. Raises
// SavePicture's run-time errors as WriteError.
void WriteFileBytes(const std::vector<std::uint8_t>& bytes, const std::string& fileName,
                    bool flushToDisk);

}  // namespace tool

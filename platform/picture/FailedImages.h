#pragma once

#include "platform/icons/ImageBytes.h"

// The images that failed to decode, remembered by their shared buffer for as long as it lives
// (one file version), so that no other entry, box or call decodes them again.
namespace platform::picture {

// Whether these very bytes (the same shared buffer) once failed to decode.
bool KnownToFail(const icons::ImageBytes& bytes);

// Remembers that these bytes failed to decode. Only a weak reference to the buffer is kept; it
// goes some time after the buffer does. Safe to call from several threads.
void MarkFailed(const icons::ImageBytes& bytes);

}  // namespace platform::picture

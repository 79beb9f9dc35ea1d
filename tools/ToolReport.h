#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "platform/files/NativePath.h"

// What the tool tells on standard error, in words (never a run-time error's number), and the
// checks it makes on the files it is given.
namespace tool {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// Both write to ToolErr: standard error, or the buffer of the file being worked on.
// "quorvane-icons: NAME: <what the run-time error means for the tool, in words>"
void ReportError(const std::string& name, std::int32_t number);

// "quorvane-icons: NAME: REASON"
void ReportReason(const std::string& name, const std::string& reason);

// Why a file at `name` was not written, in words, from the run-time error the write raised and
// the errno it met (0 for none): "permission denied", "no space left on the device", "the
// directory does not exist"...
std::string WriteFailureReason(const std::string& name, std::int32_t number, int errnoValue);

// A reason the icon readers gave, in the user's language where the catalog has its words (the
// readers' fixed phrases); a reason naming offsets and sizes of a file's structures stays as the
// readers wrote it.
std::string ReaderReason(const std::string& reason);

// The command line's names (the file system's bytes on POSIX, UTF-8 on Windows) as paths of the
// filesystem library, and back.
using platform::files::NativePath;
using platform::files::ProgramText;

// Whether something exists at the name (bytes as the command line gave them; UTF-8 on Windows).
bool FileExists(const std::string& name);

}  // namespace tool

#pragma once

#include <cstdint>
#include <string>

// What the tool tells on standard error, and the checks it makes on the files it is given.
namespace tool {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// Both write to ToolErr: standard error, or the buffer of the file being worked on.
// "quorvane-icons: NAME: errore N: <the run-time error's description>"
void ReportError(const std::string& name, std::int32_t number);

// "quorvane-icons: NAME: REASON"
void ReportReason(const std::string& name, const std::string& reason);

// Whether something exists at the name (bytes as the command line gave them; UTF-8 on Windows).
bool FileExists(const std::string& name);

}  // namespace tool

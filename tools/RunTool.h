#pragma once

#include <string>
#include <vector>

namespace tool {

// Runs quorvane-icons with its arguments (the program's name left out; file names as the system
// gave them on POSIX, UTF-8 on Windows) and gives the exit status: kExitOk, kExitFailure when a
// file could not be read or written (or anything else went wrong, told on standard error),
// kExitUsage for a command line it does not understand.
int RunTool(const std::vector<std::string>& arguments);

}  // namespace tool

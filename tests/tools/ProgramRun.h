#pragma once

#include <string>
#include <vector>

namespace tooltest {

// How a program run ended: its exit code (-1 when it could not start or did not exit normally)
// and everything it wrote to standard output and standard error.
struct ProgramRun {
    int exitCode = -1;
    int signal = 0;  // the signal that ended it, if one did
    std::string out;
    std::string err;
};

// Runs the program with these arguments and waits for it. The arguments are bytes, handed to the
// program as they are, also names that are not UTF-8. The environment is this process's own less
// its language settings (LANGUAGE, LC_ALL, LC_MESSAGES, LANG: the program speaks its default
// English), plus `environment` ("NAME=value" each).
ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const std::vector<std::string>& environment = {});

}  // namespace tooltest

#pragma once

#include <string>
#include <vector>

// Programs the benchmark runs as whole processes, as a file manager or a shell runs them.
namespace bench {

struct ChildRun {
    double seconds = 0;
    double peakResident = 0;  // bytes
    std::string out;
};

// Runs the program (arguments[0], a path) to its end with its standard output in `outFile`, timing
// it and taking its peak RSS. Throws when it cannot be started or does not exit with status 0.
ChildRun RunChild(const std::vector<std::string>& arguments, const std::string& outFile);

}  // namespace bench

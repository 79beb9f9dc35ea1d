#pragma once

#include <string>
#include <vector>

// A program run as a process of its own, so that its time and peak resident size are its own.
namespace bench {

struct ChildRun {
    double seconds = 0;
    double peakResident = 0;  // bytes
    int exitCode = 0;
    std::string out;
};

// Runs the program to its end with its standard output in a file, timing it and taking its peak
// RSS (through /usr/bin/time, which adds a millisecond or two). Throws std::runtime_error when it
// cannot start, dies of a signal, or (with `mustSucceed`) exits with a status other than 0.
ChildRun RunChild(const std::vector<std::string>& arguments, const std::string& outFile,
                  bool mustSucceed = true);

}  // namespace bench

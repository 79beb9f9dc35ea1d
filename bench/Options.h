#pragma once

#include <set>
#include <string>

// The benchmark's command line.
namespace bench {

struct Options {
    std::string x86Directory;   // Wine's x86_64-windows directory
    std::string i386Directory;  // Wine's i386-windows directory (optional: one more scan row)
    std::string scratch;        // where generated inputs go; empty: a temporary directory
    bool keepScratch = false;   // leave the generated inputs there (to profile them afterwards)
    int reps = 15;
    int scaleReps = 3;
    std::set<std::string> only;  // the cases to run; empty: all of them
    std::string command;         // the command line as given

    bool Runs(const std::string& name) const { return only.empty() || only.contains(name); }
};

// Reads the arguments; throws std::invalid_argument with the usage on a bad one.
Options ParseOptions(int argc, char** argv);

// Where fetch_corpus.sh puts the x86_64 directory by default.
std::string DefaultX86Directory();

}  // namespace bench

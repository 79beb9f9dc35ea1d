#pragma once

#include <string>
#include <vector>

// A read-only command confining itself before it reads a byte of an untrusted file: file managers
// run `thumbnail` by themselves on every executable a user downloads. Where the system offers it
// (Linux), the process gives up new privileges, limits its memory, CPU time and file size, may
// read only the files it was given and write only in one directory (Landlock), and may make only
// the system calls reading, decoding, encoding and a rename need (seccomp). Elsewhere nothing is
// confined.
namespace tool {

struct Confinement {
    // The files the process may still read: the input and the .mun file it stands for. Each is
    // opened here, before the rules go on, and only what it is now may be opened again.
    std::vector<std::string> readableFiles;
    // A descriptor of the one directory where files may be made, written and renamed; -1: none.
    int writableDirectory = -1;
};

// Confines the process for the rest of its life. Whatever the system lacks is left out and the
// rest still applies. Gives one line per measure saying what applies or why not
// ("no_new_privs: on", "limits: ...", "landlock: ABI 3", "seccomp: on (N calls allowed)"), which
// --verbose prints on standard error.
std::vector<std::string> ConfineProcess(const Confinement& confinement);

// The same for a command reading `files`: each file and the .mun file it stands for may be read
// (MunFileFor is asked now, so that its directory listings are known before they can no longer be
// made). With `verbose` the lines are printed on standard error.
void ConfineForReading(const std::vector<std::string>& files, int writableDirectory, bool verbose);

}  // namespace tool

#pragma once

#include <string>

// The seccomp half of the tool's confinement: which system calls the process may still make.
namespace tool::linux_sandbox {

// Loads a seccomp filter (no_new_privs already set) allowing only what reading files, decoding,
// encoding, writing a file beside the output and renaming it need: no socket, no exec, no
// ptrace, no new process (clone only for threads; clone3 fails with ENOSYS so that the C library
// falls back to clone), no executable memory. Any other call kills the process (SIGSYS). Gives
// "seccomp: on (N calls allowed)", or "seccomp: off (...)" when it cannot be loaded.
std::string LoadSyscallFilter();

}  // namespace tool::linux_sandbox

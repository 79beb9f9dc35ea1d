// The tool's confinement on Linux: no_new_privs, resource limits, Landlock, then seccomp.
#include "tools/Sandbox.h"

#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <thread>

#include "tools/linux/LandlockRules.h"
#include "tools/linux/SyscallFilter.h"

namespace tool {

namespace {

constexpr rlim_t kMiB = 1024 * 1024;

// A sanitizer's run-time reserves terabytes of address space and, at exit, checks for leaks from
// a process it starts and traces, reading /proc: under it neither the address-space limit nor the
// filter apply, and /proc stays readable.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

bool Limit(int resource, rlim_t value) {
    const rlimit limit{value, value};
    return ::setrlimit(resource, &limit) == 0;
}

std::string LimitResources() {
    const bool space = kSanitized || Limit(RLIMIT_AS, 512 * kMiB);
    const bool cpu = Limit(RLIMIT_CPU, 5);
    const bool size = Limit(RLIMIT_FSIZE, 64 * kMiB);
    std::string text = std::string("limits: address space ") +
                       (kSanitized ? "not limited (sanitizer)"
                        : space    ? "512 MiB"
                                   : "refused") +
                       ", CPU time " + (cpu ? "5 s" : "refused") + ", file size " +
                       (size ? "64 MiB" : "refused");
    return text;
}

#ifdef QUORVANE_SANDBOX_PROBES
// Test builds only: QUORVANE_SANDBOX_PROBE makes the confined process try what it must not, so
// that the tests see the refusal ("probe: open /etc/passwd: <error>") or the kill (SIGSYS).
void RunProbe() {
    const char* probe = std::getenv("QUORVANE_SANDBOX_PROBE");
    if (probe == nullptr) {
        return;
    }
    const std::string_view name(probe);
    if (name == "open") {
        const int opened = ::open("/etc/passwd", O_RDONLY | O_CLOEXEC);
        std::fprintf(stderr, "probe: open /etc/passwd: %s\n",
                     opened >= 0 ? "allowed" : std::strerror(errno));
        std::exit(3);
    }
    if (name == "socket") {
        const int made = ::socket(AF_INET, SOCK_STREAM, 0);
        std::fprintf(stderr, "probe: socket: %s\n", made >= 0 ? "allowed" : std::strerror(errno));
        std::exit(3);
    }
    if (name == "thread") {  // allowed: clone3 fails with ENOSYS and the C library uses clone
        bool ran = false;
        std::thread([&ran] { ran = true; }).join();
        std::fprintf(stderr, "probe: thread: %s\n", ran ? "ran" : "did not run");
        std::exit(3);
    }
    if (name == "exec") {
        char* const argv[] = {const_cast<char*>("/bin/true"), nullptr};
        ::execv("/bin/true", argv);
        std::fprintf(stderr, "probe: exec: %s\n", std::strerror(errno));
        std::exit(3);
    }
}
#endif

}  // namespace

std::vector<std::string> ConfineProcess(const Confinement& confinement) {
    std::vector<std::string> lines;
    const bool noNewPrivileges = ::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0;
    lines.push_back(noNewPrivileges
                        ? "no_new_privs: on"
                        : std::string("no_new_privs: off (") + std::strerror(errno) + ")");
    lines.push_back(LimitResources());
    if (!noNewPrivileges) {
        lines.push_back("landlock: off (needs no_new_privs)");
        lines.push_back("seccomp: off (needs no_new_privs)");
        return lines;
    }
    // The sanitizer's exit check lists the process's threads in /proc.
    const std::vector<std::string> sanitizerTrees =
        kSanitized ? std::vector<std::string>{"/proc"} : std::vector<std::string>{};
    lines.push_back(linux_sandbox::RestrictFileAccess(
        confinement.readableFiles, confinement.writableDirectory, sanitizerTrees));
    lines.push_back(kSanitized ? "seccomp: off (the sanitizer's exit check traces the process)"
                               : linux_sandbox::LoadSyscallFilter());
#ifdef QUORVANE_SANDBOX_PROBES
    RunProbe();
#endif
    return lines;
}

}  // namespace tool

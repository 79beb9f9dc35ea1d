#include "tools/linux/SyscallFilter.h"

#include <sched.h>
#include <seccomp.h>
#include <sys/ioctl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <string_view>

namespace tool::linux_sandbox {

namespace {

// The calls allowed whatever their arguments. Opening is left to Landlock to judge by path.
constexpr std::string_view kAllowed[] = {
    // files: the input read, the output written beside its name and renamed over it
    "read",
    "pread64",
    "write",
    "writev",
    "lseek",
    "close",
    "openat",
    "newfstatat",
    "fstat",
    "getcwd",
    "fsync",
    "fdatasync",
    "fchmod",
    "renameat",
    "renameat2",
    "rename",
    "unlinkat",
    "unlink",
    "umask",
    // memory
    "brk",
    "munmap",
    "mremap",
    "madvise",
    // threads (several readers; Qt's smooth scaling) and their waits
    "futex",
    "set_robust_list",
    "rseq",
    "set_tid_address",
    "sched_getaffinity",
    "nanosleep",
    "clock_nanosleep",
    "restart_syscall",
    // signals and the end of the process
    "rt_sigaction",
    "rt_sigprocmask",
    "rt_sigreturn",
    "exit",
    "exit_group",
    // time, identity, randomness (temporary names)
    "clock_gettime",
    "getpid",
    "gettid",
    "getrandom",
};

using Filter = std::unique_ptr<void, decltype(&seccomp_release)>;

bool Allow(scmp_filter_ctx filter, const char* name, int& allowed) {
    const int number = seccomp_syscall_resolve_name(name);
    if (number == __NR_SCMP_ERROR) {
        return true;  // the call does not exist on this architecture
    }
    ++allowed;
    return seccomp_rule_add(filter, SCMP_ACT_ALLOW, number, 0) == 0;
}

// The calls allowed only with some arguments.
bool AllowNarrowly(scmp_filter_ctx filter, int& allowed) {
    allowed += 6;
    const auto flag = [](unsigned position, scmp_datum_t bits, scmp_datum_t value) {
        return scmp_arg_cmp{position, SCMP_CMP_MASKED_EQ, bits, value};
    };
    return  // a thread, never a new process
        seccomp_rule_add(filter, SCMP_ACT_ALLOW, SCMP_SYS(clone), 1,
                         flag(0, CLONE_THREAD, CLONE_THREAD)) == 0 &&
        seccomp_rule_add(filter, SCMP_ACT_ERRNO(ENOSYS), SCMP_SYS(clone3), 0) == 0 &&
        // memory that is never executable
        seccomp_rule_add(filter, SCMP_ACT_ALLOW, SCMP_SYS(mmap), 1, flag(2, PROT_EXEC, 0)) == 0 &&
        seccomp_rule_add(filter, SCMP_ACT_ALLOW, SCMP_SYS(mprotect), 1, flag(2, PROT_EXEC, 0)) ==
            0 &&
        // whether standard output is a terminal
        seccomp_rule_add(filter, SCMP_ACT_ALLOW, SCMP_SYS(ioctl), 1,
                         scmp_arg_cmp{1, SCMP_CMP_EQ, TCGETS, 0}) == 0 &&
        // limits read, never changed
        seccomp_rule_add(filter, SCMP_ACT_ALLOW, SCMP_SYS(prlimit64), 1,
                         scmp_arg_cmp{2, SCMP_CMP_EQ, 0, 0}) == 0 &&
        // a signal only to this process (abort)
        seccomp_rule_add(filter, SCMP_ACT_ALLOW, SCMP_SYS(tgkill), 1,
                         scmp_arg_cmp{0, SCMP_CMP_EQ, static_cast<scmp_datum_t>(::getpid()), 0}) ==
            0;
}

std::string Off(const char* why, int error) {
    return std::string("seccomp: off (") + why + ": " + std::strerror(error) + ")";
}

}  // namespace

std::string LoadSyscallFilter() {
    const Filter filter(seccomp_init(SCMP_ACT_KILL_PROCESS), &seccomp_release);
    if (!filter) {
        return "seccomp: off (no filter could be made)";
    }
    // Every thread of the process gets the filter, not only the calling one.
    if (seccomp_attr_set(filter.get(), SCMP_FLTATR_CTL_TSYNC, 1) != 0) {
        return "seccomp: off (threads cannot be synchronized)";
    }
    int allowed = 0;
    for (const std::string_view name : kAllowed) {
        if (!Allow(filter.get(), name.data(), allowed)) {
            return Off("a rule was refused", EINVAL);
        }
    }
    if (!AllowNarrowly(filter.get(), allowed)) {
        return Off("a rule was refused", EINVAL);
    }
    if (const int error = seccomp_load(filter.get()); error != 0) {
        return Off("not loaded", -error);
    }
    return "seccomp: on (" + std::to_string(allowed) + " calls allowed)";
}

}  // namespace tool::linux_sandbox

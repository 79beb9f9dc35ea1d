#pragma once

#include <type_traits>
#include <utility>

// The few process-wide services a test replaces (the dialogs' last step, the icon-extraction
// service, the volume source): each one a Replaceable, swapped through its Install function, and a
// test swaps it for one scope with an InstallGuard.
namespace runtime {

// A service held as a function object F (a std::function): the installed replacement when there is
// one, otherwise the default it was made with.
template <typename F>
class Replaceable {
public:
    explicit Replaceable(F fallback) : fallback_(std::move(fallback)) {}

    // Installs a replacement (an empty one brings the default back); returns the replacement it
    // replaces, empty when the default was in force.
    F Install(F replacement) { return std::exchange(installed_, std::move(replacement)); }

    // The service in force. A copy, so that a replacement which installs another while it runs
    // stays alive until it returns.
    F Current() const { return installed_ ? installed_ : fallback_; }

private:
    F fallback_;
    F installed_;
};

// Installs a replacement through an Install function for as long as it lives, then puts back the
// one it replaced: InstallGuard guard(InstallVolumeSource, [] { return volumes; });
template <typename F>
class InstallGuard {
public:
    using Installer = F (*)(F);

    InstallGuard(Installer install, std::type_identity_t<F> replacement)
        : install_(install), previous_(install(std::move(replacement))) {}
    ~InstallGuard() { install_(std::move(previous_)); }
    InstallGuard(const InstallGuard&) = delete;
    InstallGuard& operator=(const InstallGuard&) = delete;

private:
    Installer install_;
    F previous_;
};

template <typename F>
InstallGuard(F (*)(F), std::type_identity_t<F>) -> InstallGuard<F>;

}  // namespace runtime

// A replaceable service: the default until something is installed, and a guard that puts back
// what it replaced.
#include "platform/runtime/Replaceable.h"

#include <gtest/gtest.h>

#include <functional>

namespace runtime {
namespace {

using Service = std::function<int()>;

Replaceable<Service>& Slot() {
    static Replaceable<Service> slot{[] { return 0; }};
    return slot;
}

Service Install(Service service) {
    return Slot().Install(std::move(service));
}

TEST(Replaceable, TheInstalledOneUntilAnEmptyOneBringsTheDefaultBack) {
    EXPECT_EQ(Slot().Current()(), 0);
    EXPECT_FALSE(Install([] { return 1; }));  // the default was in force
    EXPECT_EQ(Slot().Current()(), 1);
    EXPECT_EQ(Install(Service())(), 1);
    EXPECT_EQ(Slot().Current()(), 0);
}

TEST(InstallGuard, PutsBackWhatItReplacedOnLeavingItsScope) {
    {
        const InstallGuard outer(Install, [] { return 1; });
        {
            const InstallGuard inner(Install, [] { return 2; });
            EXPECT_EQ(Slot().Current()(), 2);
        }
        EXPECT_EQ(Slot().Current()(), 1);
    }
    EXPECT_EQ(Slot().Current()(), 0);
}

}  // namespace
}  // namespace runtime

#pragma once

#include <chrono>
#include <cstddef>
#include <functional>

// How much one draw may do: a count of the pixel work of the whole draw (every candidate image of
// it) and a wall-clock deadline, both checked inside the decode loops, so that no file can make a
// picture slow to draw. The work limit strikes first on any ordinary machine, and it strikes after
// the same images however fast the machine is: the Linux build and the Windows build (under Wine,
// or on a slower computer) give up on the same file at the same candidate. The deadline is what
// is left for a machine too slow or too busy to do that work in time.
namespace platform::picture {

// The time of one draw's budget; tests put a clock of their own in place of the steady clock.
using DrawClock = std::function<std::chrono::steady_clock::time_point()>;

// How long a whole draw may take, by default.
inline constexpr std::chrono::milliseconds kDrawTimeLimit{250};

// The bytes of pixel work a whole draw may do, by default: raw rows inflated and pixels made (4
// bytes each). The largest image drawn (1024 x 1024 PNG at 16 bits a channel) costs 12 MiB.
inline constexpr std::size_t kDrawWorkLimit = std::size_t{24} << 20;

class DrawBudget {
public:
    // A budget of `limit` from now on the steady clock.
    explicit DrawBudget(std::chrono::milliseconds limit = kDrawTimeLimit);
    // A budget of `limit` from now on `clock`, of `workLimit` bytes of work.
    DrawBudget(DrawClock clock, std::chrono::milliseconds limit,
               std::size_t workLimit = kDrawWorkLimit);

    // Counts `bytes` of pixel work done; past the work limit the budget has run out.
    void Charge(std::size_t bytes);

    // Whether the work limit or the deadline has passed; once one has, the budget stays run out
    // (the clock is not asked again).
    bool Expired();

private:
    DrawClock clock_;
    std::chrono::steady_clock::time_point deadline_;
    std::size_t workLeft_;
    bool expired_ = false;
};

}  // namespace platform::picture

#pragma once

#include <chrono>
#include <functional>

// How long one draw may take: a wall-clock deadline for the whole draw (every candidate image of
// it), checked inside the decode loops, so that no file can make a picture slow to draw.
namespace platform::picture {

// The time of one draw's budget; tests put a clock of their own in place of the steady clock.
using DrawClock = std::function<std::chrono::steady_clock::time_point()>;

// How long a whole draw may take, by default.
inline constexpr std::chrono::milliseconds kDrawTimeLimit{250};

class DrawBudget {
public:
    // A budget of `limit` from now on the steady clock.
    explicit DrawBudget(std::chrono::milliseconds limit = kDrawTimeLimit);
    // A budget of `limit` from now on `clock`.
    DrawBudget(DrawClock clock, std::chrono::milliseconds limit);

    // Whether the deadline has passed; once it has, it stays passed (the clock is not asked again).
    bool Expired();

private:
    DrawClock clock_;
    std::chrono::steady_clock::time_point deadline_;
    bool expired_ = false;
};

}  // namespace platform::picture

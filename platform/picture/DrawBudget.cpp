#include "platform/picture/DrawBudget.h"

#include <utility>

namespace platform::picture {

DrawBudget::DrawBudget(std::chrono::milliseconds limit)
    : DrawBudget([] { return std::chrono::steady_clock::now(); }, limit) {}

DrawBudget::DrawBudget(DrawClock clock, std::chrono::milliseconds limit, std::size_t workLimit)
    : clock_(std::move(clock)), deadline_(clock_() + limit), workLeft_(workLimit) {}

void DrawBudget::Charge(std::size_t bytes) {
    expired_ = expired_ || bytes > workLeft_;
    workLeft_ -= expired_ ? workLeft_ : bytes;
}

bool DrawBudget::Expired() {
    expired_ = expired_ || clock_() >= deadline_;
    return expired_;
}

}  // namespace platform::picture

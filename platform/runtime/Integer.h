#pragma once

#include <compare>
#include <cstdint>

#include "platform/runtime/RuntimeError.h"

namespace runtime {

// The runtime's 16-bit signed integer: list counts, list indexes and the counters that walk them.
// Arithmetic that leaves -32768..32767 raises the overflow error (6) instead of wrapping.
class Integer {
public:
    constexpr Integer() = default;
    constexpr Integer(std::int16_t value) : value_(value) {}

    // A wider value that does not fit raises the overflow error.
    static Integer From(std::int64_t value);

    constexpr std::int16_t Value() const { return value_; }
    constexpr operator std::int16_t() const { return value_; }

    friend Integer operator+(Integer a, Integer b) {
        return From(std::int64_t{a.value_} + b.value_);
    }
    friend Integer operator-(Integer a, Integer b) {
        return From(std::int64_t{a.value_} - b.value_);
    }
    friend constexpr auto operator<=>(Integer a, Integer b) = default;

    // With a plain int on one side ("i = i + 1", "count == 0", "count - 1") the checked
    // operators above must win over the built-in ones the conversion to int16_t offers.
    friend Integer operator+(Integer a, int b) { return From(std::int64_t{a.value_} + b); }
    friend Integer operator+(int a, Integer b) { return From(a + std::int64_t{b.value_}); }
    friend Integer operator-(Integer a, int b) { return From(std::int64_t{a.value_} - b); }
    friend Integer operator-(int a, Integer b) { return From(a - std::int64_t{b.value_}); }
    friend constexpr bool operator==(Integer a, int b) { return a.value_ == b; }
    friend constexpr std::strong_ordering operator<=>(Integer a, int b) {
        return int{a.value_} <=> b;
    }

private:
    std::int16_t value_ = 0;
};

inline Integer Integer::From(std::int64_t value) {
    if (value < INT16_MIN || value > INT16_MAX) {
        Raise(errOverflow);
    }
    return Integer(static_cast<std::int16_t>(value));
}

}  // namespace runtime

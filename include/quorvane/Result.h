#pragma once

#include <optional>
#include <string>
#include <utility>

// What every fallible call of libquorvane gives back: a value, or the reason it has none in plain
// words naming what failed and where ("resource directory entry 3 at 0x1f40 points past the end
// of the file"). Header-only; nothing here throws but value() on a failure.
namespace quorvane {

// The reason a call failed.
struct Error {
    std::string reason;
};

template <typename T>
class [[nodiscard]] Result {
public:
    // A result holding `value`.
    Result(T value) : value_(std::move(value)) {}  // NOLINT: implicit on purpose
    // A failure for `error`'s reason.
    Result(Error error) : error_(std::move(error)) {}  // NOLINT: implicit on purpose

    // Whether the result holds a value.
    [[nodiscard]] bool ok() const { return value_.has_value(); }
    explicit operator bool() const { return ok(); }

    // The value; throws std::bad_optional_access on a failure (check ok() first).
    [[nodiscard]] T& value() & { return value_.value(); }
    [[nodiscard]] const T& value() const& { return value_.value(); }
    [[nodiscard]] T&& value() && { return std::move(value_).value(); }

    // The reason of a failure; an empty reason for a result that holds a value.
    [[nodiscard]] const std::string& error() const { return error_.reason; }

private:
    std::optional<T> value_;
    Error error_;
};

}  // namespace quorvane

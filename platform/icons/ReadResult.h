#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <variant>

// What a reader gives back: a value, or the reason it has none, naming what failed and where
// ("resource directory entry 3 at 0x1f40 points past the end of the file").
namespace platform::icons {

struct ReadError {
    std::string reason;
};

template <typename T>
class [[nodiscard]] ReadResult {
public:
    ReadResult(T value) : state_(std::move(value)) {}          // NOLINT: implicit on purpose
    ReadResult(ReadError error) : state_(std::move(error)) {}  // NOLINT: implicit on purpose

    bool ok() const { return state_.index() == 0; }
    explicit operator bool() const { return ok(); }

    T& value() { return std::get<0>(state_); }
    const T& value() const { return std::get<0>(state_); }
    T& operator*() { return value(); }
    const T& operator*() const { return value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }

    // The reason; only for a result that holds none.
    const ReadError& error() const { return std::get<1>(state_); }

    // The next step's result on the value, or this result's reason when it holds none: a chain of
    // reads each needing the one before (`bytes.Then(parse)` for `bytes ? parse(*bytes) : bytes`).
    template <typename Next>
    auto Then(Next&& next) const -> decltype(next(std::declval<const T&>())) {
        if (!ok()) {
            return error();
        }
        return next(value());
    }

private:
    std::variant<T, ReadError> state_;
};

// A failure with this reason.
[[nodiscard]] inline ReadError Failure(std::string reason) {
    return ReadError{std::move(reason)};
}

// A file offset or value as the reasons write it: "0x1f40".
std::string Hex(std::uint64_t value);

// What a reader is reading, as its reasons name it: a text and, for one of many, its number
// ("icon group entry", 3). Formatted only when a reason is written, so that a read that succeeds
// costs no text.
class Subject {
public:
    Subject(const char* text) : text_(text) {}  // NOLINT: implicit on purpose
    Subject(const char* text, std::uint64_t number)
        : text_(text), number_(number), numbered_(true) {}
    // A text in two parts ("icon group", " entry"), numbered or not.
    Subject(const char* text, const char* suffix) : text_(text), suffix_(suffix) {}
    Subject(const char* text, const char* suffix, std::uint64_t number)
        : text_(text), suffix_(suffix), number_(number), numbered_(true) {}

    // "icon group entry 3"
    std::string Text() const {
        const std::string text = std::string(text_) + suffix_;
        return numbered_ ? text + " " + std::to_string(number_) : text;
    }

private:
    const char* text_;
    const char* suffix_ = "";
    std::uint64_t number_ = 0;
    bool numbered_ = false;
};

}  // namespace platform::icons

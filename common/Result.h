#pragma once

// The one way everything below the host reports a failure: a value or the reason there is
// none, in words fit for a trace line or a message box. Plain C++, so the Qt-free site and
// codecs use it too; Qt code keeps its QString reasons through the default below, which is
// only ever completed where Qt is included.

#include <optional>
#include <string>
#include <type_traits>
#include <utility>

class QString;

namespace common {

// Why something failed. Returned from a function whose result is Result<T> or Status.
template <class Text = QString> struct Failure { Text message; };
template <class Text> Failure(Text) -> Failure<Text>;
Failure(const char*)->Failure<std::string>;

template <class T, class Text = QString> class [[nodiscard]] Result {
public:
    Result(T value) : value_(std::move(value)) {}
    Result(Failure<Text> failure) : error_(std::move(failure.message)) {}

    [[nodiscard]] bool ok() const { return value_.has_value(); }
    explicit operator bool() const { return ok(); }

    [[nodiscard]] T& value() & { return *value_; }
    [[nodiscard]] const T& value() const& { return *value_; }
    [[nodiscard]] T&& value() && { return std::move(*value_); }
    T* operator->() { return &*value_; }
    const T* operator->() const { return &*value_; }
    T& operator*() & { return *value_; }
    const T& operator*() const& { return *value_; }
    // The reason of a failure; empty on success.
    [[nodiscard]] const Text& error() const { return error_; }

private:
    std::optional<T> value_;
    Text error_;
};

// Success, or the reason of a failure.
template <class Text = QString> class [[nodiscard]] Status {
public:
    Status() = default;
    Status(Failure<Text> failure) : error_(std::move(failure.message)), failed_(true) {}

    [[nodiscard]] static Status success() { return {}; }
    [[nodiscard]] bool ok() const { return !failed_; }
    explicit operator bool() const { return ok(); }
    [[nodiscard]] const Text& error() const { return error_; }

private:
    Text error_;
    bool failed_ = false;
};

} // namespace common

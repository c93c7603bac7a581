#pragma once

#include <QString>
#include <optional>
#include <utility>

namespace updates {

// Why a catalogue operation failed, in words fit for a diagnostic.
struct Error {
    QString message;
};

// A value or the reason there is none. Catalogue files come from the web site and from
// the user's disk, so every operation that reads or writes them can fail and says why.
template <class T> class [[nodiscard]] Result {
public:
    Result(T value) : value_(std::move(value)) {}
    Result(Error error) : error_(std::move(error.message)) {}

    [[nodiscard]] bool ok() const { return value_.has_value(); }
    explicit operator bool() const { return ok(); }

    [[nodiscard]] T& value() & { return *value_; }
    [[nodiscard]] const T& value() const& { return *value_; }
    [[nodiscard]] T&& value() && { return std::move(*value_); }
    [[nodiscard]] const QString& error() const { return error_; }

private:
    std::optional<T> value_;
    QString error_;
};

// Success, or the reason of a failure.
class [[nodiscard]] Status {
public:
    Status() = default;
    Status(Error error) : error_(std::move(error.message)), failed_(true) {}

    [[nodiscard]] static Status success() { return {}; }
    [[nodiscard]] bool ok() const { return !failed_; }
    explicit operator bool() const { return ok(); }
    [[nodiscard]] const QString& error() const { return error_; }

private:
    QString error_;
    bool failed_ = false;
};

} // namespace updates

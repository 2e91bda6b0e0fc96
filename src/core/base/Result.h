#pragma once

#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace vornela {

// Why an operation did not do what was asked, in words a user can act on.
struct Failure {
    std::string message;
};

// A value or the failure that stands in its place. Callers must look: the result is nodiscard.
template <class T = void> class [[nodiscard]] Result {
public:
    Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}
    Result(Failure failure) : state_(std::in_place_index<1>, std::move(failure)) {}

    bool ok() const { return state_.index() == 0; }
    explicit operator bool() const { return ok(); }

    const T& value() const& { return std::get<0>(state_); }
    T& value() & { return std::get<0>(state_); }
    T&& value() && { return std::get<0>(std::move(state_)); }
    // Empty on success, so a check may print it whichever way it went.
    const std::string& error() const {
        static const std::string none;
        return ok() ? none : std::get<1>(state_).message;
    }

private:
    std::variant<T, Failure> state_;
};

template <> class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Failure failure) : failure_(std::move(failure)) {}

    bool ok() const { return !failure_; }
    explicit operator bool() const { return ok(); }
    const std::string& error() const {
        static const std::string none;
        return ok() ? none : failure_->message;
    }

private:
    std::optional<Failure> failure_;
};

} // namespace vornela

#pragma once

#include "core/base/Signal.h"

#include <utility>

namespace vornela {

// A published value. Setting the value already held notifies nobody.
template <class T> class Observable {
public:
    Observable() = default;
    explicit Observable(T initial) : value_(std::move(initial)) {}

    const T& get() const { return value_; }
    const T& operator()() const { return value_; }

    // Returns whether the value changed (and observers were told).
    bool set(T value) {
        if (value == value_)
            return false;
        value_ = std::move(value);
        changed_.emit(value_);
        return true;
    }

    [[nodiscard]] Subscription observe(std::function<void(const T&)> observer) {
        return changed_.connect(std::move(observer));
    }

private:
    T value_{};
    Signal<T> changed_;
};

} // namespace vornela

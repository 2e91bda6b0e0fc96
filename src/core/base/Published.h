#pragma once

#include "core/base/Observable.h"

#include <functional>
#include <utility>

namespace vornela {

// A value its owner publishes: anyone may read and observe it, only `Owner` may change it.
// Setting the value already held notifies nobody.
template <class T, class Owner> class Published {
public:
    Published() = default;
    explicit Published(T initial) : value_(std::move(initial)) {}

    const T& get() const { return value_.get(); }
    const T& operator()() const { return value_.get(); }
    [[nodiscard]] Subscription observe(std::function<void(const T&)> observer) {
        return value_.observe(std::move(observer));
    }

private:
    friend Owner;
    bool set(T value) { return value_.set(std::move(value)); }

    Observable<T> value_;
};

} // namespace vornela

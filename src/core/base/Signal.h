#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace vornela {

// Ends one connection when destroyed (or reset); safe to outlive the signal.
class Subscription {
public:
    Subscription() = default;
    explicit Subscription(std::function<void()> disconnect) : disconnect_(std::move(disconnect)) {}
    Subscription(const Subscription&) = delete;
    Subscription& operator=(const Subscription&) = delete;
    Subscription(Subscription&& other) noexcept : disconnect_(std::exchange(other.disconnect_, {})) {}
    Subscription& operator=(Subscription&& other) noexcept {
        if (this != &other) {
            reset();
            disconnect_ = std::exchange(other.disconnect_, {});
        }
        return *this;
    }
    ~Subscription() { reset(); }

    void reset() {
        if (auto disconnect = std::exchange(disconnect_, {}))
            disconnect();
    }
    explicit operator bool() const { return static_cast<bool>(disconnect_); }

private:
    std::function<void()> disconnect_;
};

// A list of callbacks. Slots may connect or disconnect others while it emits: a slot
// disconnected during an emission is not called afterwards, one connected is called next time.
template <class... Args> class Signal {
public:
    Signal() : slots_(std::make_shared<Slots>()) {}
    Signal(const Signal&) = delete;
    Signal& operator=(const Signal&) = delete;

    [[nodiscard]] Subscription connect(std::function<void(Args...)> callback) {
        auto slot = std::make_shared<Slot>(Slot{std::move(callback), true});
        slots_->push_back(slot);
        std::weak_ptr<Slots> weakSlots = slots_;
        std::weak_ptr<Slot> weakSlot = slot;
        return Subscription([weakSlots, weakSlot] {
            auto list = weakSlots.lock();
            auto dead = weakSlot.lock();
            if (!list || !dead)
                return;
            dead->connected = false;
            std::erase(*list, dead);
        });
    }

    void emit(const Args&... args) const {
        const auto snapshot = *slots_;
        for (const auto& slot : snapshot) {
            if (slot->connected)
                slot->callback(args...);
        }
    }

    std::size_t connectionCount() const { return slots_->size(); }

private:
    struct Slot {
        std::function<void(Args...)> callback;
        bool connected;
    };
    using Slots = std::vector<std::shared_ptr<Slot>>;
    std::shared_ptr<Slots> slots_;
};

} // namespace vornela

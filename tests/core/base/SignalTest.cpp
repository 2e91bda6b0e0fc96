#include "core/base/NotificationCenter.h"
#include "core/base/Observable.h"

#include <gtest/gtest.h>

#include <optional>

using namespace vornela;

TEST(Observable, NotifiesOnlyOnRealChanges) {
    Observable<int> value(3);
    std::vector<int> seen;
    auto sub = value.observe([&](const int& v) { seen.push_back(v); });
    EXPECT_FALSE(value.set(3));
    EXPECT_TRUE(value.set(4));
    EXPECT_FALSE(value.set(4));
    sub.reset();
    value.set(5);
    EXPECT_EQ(seen, std::vector<int>{4});
    EXPECT_EQ(value.get(), 5);
}

TEST(Signal, ObserversMayDisconnectEachOtherWhileNotified) {
    Signal<> signal;
    int first = 0, second = 0;
    std::optional<Subscription> secondSub;
    auto firstSub = signal.connect([&] {
        ++first;
        secondSub.reset();
    });
    secondSub.emplace(signal.connect([&] { ++second; }));
    signal.emit();
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 0);
    EXPECT_EQ(signal.connectionCount(), 1u);
}

TEST(Signal, SubscriptionMayOutliveTheSignal) {
    Subscription sub;
    {
        Signal<int> signal;
        sub = signal.connect([](int) {});
    }
    sub.reset(); // must not touch the destroyed signal
    SUCCEED();
}

TEST(NotificationCenter, DeliversByNameUntilTheSubscriptionEnds) {
    NotificationCenter center;
    int dayChanges = 0, wakes = 0;
    {
        auto a = center.observe(notifications::calendarDayChanged, [&] { ++dayChanges; });
        auto b = center.observe(notifications::didWake, [&] { ++wakes; });
        center.post(notifications::calendarDayChanged);
        center.post("somethingElse");
    }
    center.post(notifications::calendarDayChanged);
    EXPECT_EQ(dayChanges, 1);
    EXPECT_EQ(wakes, 0);
}

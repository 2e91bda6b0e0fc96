#include "core/base/CubicBezier.h"
#include "core/base/Easing.h"

#include <gtest/gtest.h>

using namespace vornela;

TEST(CubicBezier, LinearControlPointsGiveIdentityAndEndsAreFixed) {
    const CubicBezier linear(1.0 / 3, 1.0 / 3, 2.0 / 3, 2.0 / 3);
    for (double x : {0.0, 0.1, 0.37, 0.5, 0.99, 1.0})
        EXPECT_NEAR(linear(x), x, 1e-7);
    EXPECT_DOUBLE_EQ(CubicBezier::exit()(-0.5), 0);
    EXPECT_DOUBLE_EQ(CubicBezier::exit()(1.5), 1);
}

TEST(CubicBezier, MatchesKnownCurveValues) {
    // CSS "ease" (0.25, 0.1, 0.25, 1) at x = 0.5 is about 0.8024.
    EXPECT_NEAR(CubicBezier(0.25, 0.1, 0.25, 1.0)(0.5), 0.8024033877399112, 1e-6);
    // Entry curves overshoot nothing and rise monotonically.
    double previous = 0;
    for (int i = 1; i <= 100; ++i) {
        const double y = CubicBezier::entry()(i / 100.0);
        EXPECT_GE(y, previous - 1e-12);
        EXPECT_LE(y, 1.0 + 1e-12);
        previous = y;
    }
}

TEST(TimedCurve, HoldsItsEndsOutsideTheAnimation) {
    TimedCurve curve{10, 20, 100, 0.3, CubicBezier::hover()};
    EXPECT_DOUBLE_EQ(curve.valueAt(99), 10);
    EXPECT_DOUBLE_EQ(curve.valueAt(100.3), 20);
    EXPECT_GT(curve.valueAt(100.15), 15); // a fast-out curve is past halfway at half time
    EXPECT_LT(curve.valueAt(100.15), 20);
    EXPECT_TRUE(curve.isRunningAt(100.1));
    EXPECT_FALSE(curve.isRunningAt(100.3));
    // Reduce motion gives no duration: the end holds at once, whatever the clock reads.
    EXPECT_DOUBLE_EQ((TimedCurve{10, 20, 100, 0, CubicBezier::hover()}.valueAt(99)), 20);
}

TEST(Easing, EaseAndStagger) {
    EXPECT_DOUBLE_EQ(ease(0.5, 2), 0.75);
    EXPECT_DOUBLE_EQ(ease(-1, 2.1), 0);
    EXPECT_DOUBLE_EQ(ease(2, 2.1), 1);
    EXPECT_DOUBLE_EQ(stagger(0.2, 0.2), 0);
    EXPECT_DOUBLE_EQ(stagger(1, 0.2), 1);
    EXPECT_DOUBLE_EQ(stagger(0.6, 0.2), ease(0.5, 2.1));
    EXPECT_DOUBLE_EQ(stagger(1, 1), 0); // a delay of 1 must not divide by zero
}

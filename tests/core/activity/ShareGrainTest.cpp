#include "core/activity/ShareGrain.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace vornela;

// Expected dots come from an independent Python rendition of the generator (arbitrary-precision
// integers, IEEE doubles), so a change in any step of the draw shows up as a different number.
TEST(ShareGrain, FixedSeedsGiveTheSameDotsEverywhere) {
    const auto card = shareGrain(42, 2022, 1674);
    ASSERT_EQ(card.size(), 18804u);
    EXPECT_EQ(card[0], (GrainDot{1499.4441848766269, 267.68999767596426, 0.03393005651275694}));
    EXPECT_EQ(card[1], (GrainDot{695.9536288107951, 63.66250213637216, 0.06341140382732663}));
    // The first draw that falls in the rejected band is in dot 180's opacity.
    EXPECT_EQ(card[180], (GrainDot{393.8724216398881, 577.8579663043372, 0.029165815515883438}));
    EXPECT_EQ(card.back(), (GrainDot{67.22216171178808, 556.6406171791622, 0.04969844479512932}));

    const auto small = shareGrain(18446744073709551615ULL, 50, 40);
    ASSERT_EQ(small.size(), 11u);
    EXPECT_EQ(small[1], (GrainDot{21.31172247225832, 28.222825958782835, 0.06123358053203545}));
}

TEST(ShareGrain, SeedZeroAndTinyCanvases) {
    EXPECT_EQ(shareGrain(0, 100, 100), shareGrain(ShareGrain::defaultSeed, 100, 100));
    EXPECT_EQ(shareGrain(0, 100, 100)[0],
              (GrainDot{84.16052672517861, 88.14368963639818, 0.03798272082123631}));
    EXPECT_TRUE(shareGrain(7, 13, 13).empty()) << "169 square points";
    EXPECT_EQ(shareGrain(139, 13, 14),
              (std::vector<GrainDot>{{2.5573901632311915, 9.397683275951653, 0.03679701972552596}}));
    EXPECT_TRUE(shareGrain(7, -100, 100).empty());
    EXPECT_TRUE(shareGrain(7, std::numeric_limits<double>::quiet_NaN(), 100).empty());
}

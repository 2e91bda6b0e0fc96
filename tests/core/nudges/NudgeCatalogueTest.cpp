#include "core/nudges/NudgeCatalogue.h"

#include <gtest/gtest.h>

#include <string>

namespace vornela {
namespace {

TEST(NudgeCatalogueTest, DailyCountsSnapToTheNearestStep) {
    const std::pair<int, double> cases[] = {
        {-3, 10800}, {0, 10800}, {1, 10800}, {2, 10800}, {4, 7200},   // 9000 ties 7200/10800: shorter wins
        {6, 5400},   {8, 3600},  {12, 2700}, {20, 1800}, {500, 1800}, // never below 30 minutes
    };
    for (auto [n, expected] : cases)
        EXPECT_EQ(intervalForDailyCount(n), expected) << n;
}

TEST(NudgeCatalogueTest, GoalsGiveEachKindItsInterval) {
    struct Case {
        NudgeKindID kind;
        NudgeGoals goals;
        double expected;
    };
    const Case cases[] = {
        {NudgeKindID::eyeBreak, {6, 0, 0}, 5400},           {NudgeKindID::eyeBreak, {8, 0, 0}, 3600},
        {NudgeKindID::standMove, {0, 8, 0}, 3600},          {NudgeKindID::standMove, {0, 4, 0}, 7200},
        {NudgeKindID::standMove, {0, 20, 0}, 1800},         {NudgeKindID::standMove, {0, 15, 0}, 3600},
        {NudgeKindID::standMove, {0, 16, 0}, 1800},         {NudgeKindID::standMove, {0, 0, 0}, 10800},
        {NudgeKindID::water, {0, 0, 2000}, 5400},           {NudgeKindID::water, {0, 0, 6999}, 5400},
        {NudgeKindID::water, {0, 0, 8000}, 3600},           {NudgeKindID::water, {0, 0, 12000}, 2700},
        {NudgeKindID::postureCheck, {20, 20, 20000}, 2700}, {NudgeKindID::launch, {20, 20, 20000}, 86400},
    };
    for (const auto& c : cases)
        EXPECT_EQ(syncedInterval(c.kind, c.goals), c.expected)
            << rawValue(c.kind) << " " << c.goals.breaks << "/" << c.goals.movement << "/" << c.goals.waterML;
}

// The authored art is whole: one offset per frame, no holes ("." is a clear dot), and it loops.
TEST(NudgeCatalogueTest, EveryAnimationIsCompleteAndLoops) {
    for (auto kind : allNudgeKinds) {
        const auto& animation = definitionFor(kind).animation;
        SCOPED_TRACE(std::string(rawValue(kind)));
        EXPECT_GE(animation.frames.size(), 6u);
        EXPECT_EQ(animation.frameOffsets.size(), animation.frames.size());
        EXPECT_GT(animation.frameDuration, 0);
        EXPECT_TRUE(animation.loop);
        for (const auto& frame : animation.frames) {
            EXPECT_EQ(frame.pixels.size(), std::size_t(frame.width * frame.height));
            for (const auto& pixel : frame.pixels)
                EXPECT_TRUE(pixel.has_value());
        }
    }
}

} // namespace
} // namespace vornela

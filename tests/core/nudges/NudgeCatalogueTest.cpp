#include "core/nudges/NudgeCatalogue.h"

#include <gtest/gtest.h>

#include <string>

namespace vornela {
namespace {

TEST(NudgeCatalogueTest, DefinitionsFollowCatalogueOrder) {
    const auto& all = allDefinitions();
    ASSERT_EQ(all.size(), allNudgeKinds.size());
    for (std::size_t i = 0; i < all.size(); ++i) {
        EXPECT_EQ(all[i].id, allNudgeKinds[i]);
        EXPECT_EQ(&definitionFor(allNudgeKinds[i]), &all[i]); // built once, shared
    }
    EXPECT_EQ(definitionFor(NudgeKindID::launch).message,
              "A gentle midday nudge so lunch doesn\u2019t slip by");
    EXPECT_TRUE(definitionFor(NudgeKindID::launch).usesDailyClockTime);
    EXPECT_FALSE(definitionFor(NudgeKindID::postureCheck).usesDailyClockTime);
}

TEST(NudgeCatalogueTest, NotchMessagesRotate) {
    for (auto kind : allNudgeKinds) {
        const auto& messages = notchMessages(kind);
        ASSERT_EQ(messages.size(), 5u) << rawValue(kind);
        EXPECT_EQ(notchMessage(kind, 4), messages[4]);
        EXPECT_EQ(notchMessage(kind, 13), messages[3]);
    }
    EXPECT_EQ(notchMessage(NudgeKindID::water, 7), "Glass is lonely");
}

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

TEST(NudgeCatalogueTest, AnimationsMatchTheirArt) {
    using Sizes = std::vector<std::pair<int, int>>;
    struct Case {
        NudgeKindID kind;
        Sizes sizes;
        double duration;
    };
    const Case cases[] = {
        {NudgeKindID::water, {{7, 7}, {7, 8}, {7, 8}, {7, 8}, {7, 8}, {9, 3}, {7, 7}}, 0.26},
        {NudgeKindID::eyeBreak, {{7, 6}, {7, 6}, {7, 6}, {7, 6}, {7, 6}, {7, 4}, {7, 4}, {7, 4}}, 0.24},
        {NudgeKindID::standMove, Sizes(6, {8, 8}), 0.26},
        {NudgeKindID::postureCheck, Sizes(6, {8, 8}), 0.4},
        {NudgeKindID::launch, Sizes(8, {8, 8}), 0.28},
    };
    for (const auto& c : cases) {
        const auto& animation = definitionFor(c.kind).animation;
        SCOPED_TRACE(std::string(rawValue(c.kind)));
        Sizes sizes;
        for (const auto& frame : animation.frames) {
            sizes.emplace_back(frame.width, frame.height);
            // Authored art has no holes: "." is a clear dot, not an absent one.
            for (const auto& pixel : frame.pixels)
                EXPECT_TRUE(pixel.has_value());
        }
        EXPECT_EQ(sizes, c.sizes);
        EXPECT_EQ(animation.frameOffsets.size(), c.sizes.size());
        EXPECT_EQ(animation.frameDuration, c.duration);
        EXPECT_TRUE(animation.loop);
    }
}

} // namespace
} // namespace vornela

#include "core/nudges/NudgeIntervalPreset.h"

#include <gtest/gtest.h>

namespace vornela {
namespace {

TEST(NudgeIntervalPresetTest, PresetsAscendWithReadableLabels) {
    const double expectedSeconds[] = {600, 1200, 1800, 2700, 3600, 5400, 7200, 10800};
    for (std::size_t i = 0; i < allIntervalPresets.size(); ++i)
        EXPECT_EQ(seconds(allIntervalPresets[i]), expectedSeconds[i]);
    EXPECT_EQ(label(NudgeIntervalPreset::minutes10), "Every 10 minutes");
    EXPECT_EQ(label(NudgeIntervalPreset::minutes60), "Every hour");
    EXPECT_EQ(label(NudgeIntervalPreset::minutes90), "Every 90 minutes");
    EXPECT_EQ(label(NudgeIntervalPreset::minutes180), "Every 3 hours");
}

} // namespace
} // namespace vornela

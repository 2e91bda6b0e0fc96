#include "core/nudges/NudgeIntervalPreset.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace vornela {
namespace {

// What a person picks ("Every 45 minutes", "Every hour", "Every 3 hours") is what they get.
TEST(NudgeIntervalPresetTest, EachLabelSaysItsIntervalInAscendingOrder) {
    double previous = 0;
    for (auto preset : allIntervalPresets) {
        std::istringstream words{std::string(label(preset))};
        std::string every, amount, unit;
        words >> every >> amount >> unit;
        const bool counted = std::isdigit(static_cast<unsigned char>(amount[0]));
        const double minutes =
            (counted ? std::stod(amount) : 1) * ((counted ? unit : amount).starts_with("hour") ? 60 : 1);
        EXPECT_EQ(every, "Every");
        EXPECT_EQ(seconds(preset), minutes * 60) << label(preset);
        EXPECT_GT(seconds(preset), previous);
        previous = seconds(preset);
    }
}

} // namespace
} // namespace vornela

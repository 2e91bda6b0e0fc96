#pragma once

#include <array>
#include <string_view>

namespace vornela {

// The repeat intervals offered in settings and onboarding, shortest first.
enum class NudgeIntervalPreset {
    minutes10,
    minutes20,
    minutes30,
    minutes45,
    minutes60,
    minutes90,
    minutes120,
    minutes180,
};

inline constexpr std::array<NudgeIntervalPreset, 8> allIntervalPresets = {
    NudgeIntervalPreset::minutes10,  NudgeIntervalPreset::minutes20, NudgeIntervalPreset::minutes30,
    NudgeIntervalPreset::minutes45,  NudgeIntervalPreset::minutes60, NudgeIntervalPreset::minutes90,
    NudgeIntervalPreset::minutes120, NudgeIntervalPreset::minutes180};

double seconds(NudgeIntervalPreset preset);
std::string_view label(NudgeIntervalPreset preset);

} // namespace vornela

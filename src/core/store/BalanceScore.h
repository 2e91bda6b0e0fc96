#pragma once

#include "core/store/BalanceTier.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace vornela {

// What the day's score is made of, read from the health record when it is computed.
struct BalanceInputs {
    int breaksCompleted = 0;
    int breaksGoal = 6;
    int movementCompleted = 0;
    int movementGoal = 8;
    int lunchCompleted = 0;
    int lunchGoal = 1;
    int waterML = 0;
    int waterGoalML = 2000;
};

// The longest stretch without a recorded action, in minutes. With one action it is the time
// since then; with more, only the gaps between them count.
double longestGapMinutes(const std::vector<double>& sortedTimestamps, double now);

// Score 0...100 with its tier and subtitle. `dayKey` picks the subtitle, so it stays put for
// the day while the tier does.
BalanceScoreResult computeBalance(const BalanceInputs& inputs, const std::vector<double>& sortedTimestamps,
                                  double now, std::string_view dayKey);

// FNV-1a over the UTF-8 bytes: the same on every run and machine, so subtitles are reproducible.
std::uint64_t stableTextHash(std::string_view text);

} // namespace vornela

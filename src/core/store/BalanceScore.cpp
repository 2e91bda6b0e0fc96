#include "core/store/BalanceScore.h"

#include <algorithm>
#include <cmath>

namespace vornela {

namespace {

double ratio(double done, double goal) {
    return std::min(1.0, done / std::max(goal, 1.0));
}

} // namespace

double longestGapMinutes(const std::vector<double>& sortedTimestamps, double now) {
    if (sortedTimestamps.empty())
        return 0;
    if (sortedTimestamps.size() == 1)
        return std::max(0.0, (now - sortedTimestamps.front()) / 60.0);
    double longest = 0;
    for (std::size_t i = 1; i < sortedTimestamps.size(); ++i)
        longest = std::max(longest, sortedTimestamps[i] - sortedTimestamps[i - 1]);
    return longest / 60.0;
}

std::uint64_t stableTextHash(std::string_view text) {
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (unsigned char byte : text) {
        hash ^= byte;
        hash *= 0x100000001b3ULL;
    }
    return hash;
}

BalanceScoreResult computeBalance(const BalanceInputs& in, const std::vector<double>& sortedTimestamps,
                                  double now, std::string_view dayKey) {
    const double breaks = ratio(in.breaksCompleted, in.breaksGoal);
    const double movement = ratio(in.movementCompleted, in.movementGoal);
    const double lunch = ratio(in.lunchCompleted, in.lunchGoal);
    const double water = ratio(in.waterML, in.waterGoalML);

    const double gap = longestGapMinutes(sortedTimestamps, now);
    const bool allGoalsMet = breaks >= 1 && movement >= 1 && lunch >= 1 && water >= 1;
    double rest = 0;
    if (allGoalsMet || gap <= 90)
        rest = 1;
    else if (gap <= 150)
        rest = 0.5;

    const double raw = rest * 30 + (breaks + movement + lunch) / 3 * 40 + water * 30;
    int score = static_cast<int>(std::round(raw)); // halves away from zero
    score = std::clamp(score, 0, 100);

    BalanceScoreResult result;
    result.score = score > 99 ? 100 : score;
    result.tier = tierForScore(result.score);
    const auto lines = subtitles(result.tier);
    const std::uint64_t h = stableTextHash(dayKey) ^ stableTextHash(rawValue(result.tier));
    result.subtitle = std::string(lines[h % lines.size()]);
    return result;
}

} // namespace vornela

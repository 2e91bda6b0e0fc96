#pragma once

#include "core/base/Color.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace vornela {

enum class BalanceTier { thriving, balanced, pushingIt, runningOnEmpty };

inline constexpr std::array<BalanceTier, 4> allBalanceTiers = {
    BalanceTier::thriving, BalanceTier::balanced, BalanceTier::pushingIt, BalanceTier::runningOnEmpty};

std::string_view rawValue(BalanceTier tier);
std::optional<BalanceTier> balanceTierFromRaw(std::string_view raw);
std::string_view displayName(BalanceTier tier);
Color tierColor(BalanceTier tier);
// The two encouraging lines a tier can show, in list order.
std::array<std::string_view, 2> subtitles(BalanceTier tier);
// The tier of a score 0...100.
BalanceTier tierForScore(int score);

struct BalanceScoreResult {
    int score = 30;
    BalanceTier tier = BalanceTier::runningOnEmpty;
    std::string subtitle = "Long day \u2014 go easy on yourself";
    friend bool operator==(const BalanceScoreResult&, const BalanceScoreResult&) = default;
};

} // namespace vornela

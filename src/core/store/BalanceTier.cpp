#include "core/store/BalanceTier.h"

namespace vornela {

std::string_view rawValue(BalanceTier tier) {
    switch (tier) {
    case BalanceTier::thriving:
        return "thriving";
    case BalanceTier::balanced:
        return "balanced";
    case BalanceTier::pushingIt:
        return "pushingIt";
    case BalanceTier::runningOnEmpty:
        return "runningOnEmpty";
    }
    return "runningOnEmpty";
}

std::optional<BalanceTier> balanceTierFromRaw(std::string_view raw) {
    for (auto tier : allBalanceTiers) {
        if (rawValue(tier) == raw)
            return tier;
    }
    return std::nullopt;
}

std::string_view displayName(BalanceTier tier) {
    switch (tier) {
    case BalanceTier::thriving:
        return "Thriving";
    case BalanceTier::balanced:
        return "Balanced";
    case BalanceTier::pushingIt:
        return "Pushing it";
    case BalanceTier::runningOnEmpty:
        return "Running on empty";
    }
    return "Running on empty";
}

Color tierColor(BalanceTier tier) {
    switch (tier) {
    case BalanceTier::thriving:
        return Color::rgb(0.188, 0.82, 0.345);
    case BalanceTier::balanced:
        return Color::rgb(0.353, 0.784, 0.686);
    case BalanceTier::pushingIt:
        return Color::rgb(1.0, 0.624, 0.039);
    case BalanceTier::runningOnEmpty:
        return Color::rgb(1.0, 0.42, 0.357);
    }
    return Color::rgb(1.0, 0.42, 0.357);
}

std::array<std::string_view, 2> subtitles(BalanceTier tier) {
    switch (tier) {
    case BalanceTier::thriving:
        return {"Really good rhythm today", "You're on top of it"};
    case BalanceTier::balanced:
        return {"Nice and steady today", "Keeping good pace"};
    case BalanceTier::pushingIt:
        return {"Been a long stretch", "Might be worth a break soon"};
    case BalanceTier::runningOnEmpty:
        return {"Long day \u2014 go easy on yourself", "Haven't stopped much today"};
    }
    return {"", ""};
}

BalanceTier tierForScore(int score) {
    if (score >= 85)
        return BalanceTier::thriving;
    if (score >= 65)
        return BalanceTier::balanced;
    if (score >= 40)
        return BalanceTier::pushingIt;
    return BalanceTier::runningOnEmpty;
}

} // namespace vornela

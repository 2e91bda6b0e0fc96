#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace vornela {

// The five nudge kinds, in catalogue order; `launch` is the lunch nudge.
enum class NudgeKindID { water, eyeBreak, standMove, postureCheck, launch };

inline constexpr std::array<NudgeKindID, 5> allNudgeKinds = {NudgeKindID::water, NudgeKindID::eyeBreak,
                                                             NudgeKindID::standMove,
                                                             NudgeKindID::postureCheck, NudgeKindID::launch};

constexpr std::string_view rawValue(NudgeKindID kind) {
    switch (kind) {
    case NudgeKindID::water:
        return "water";
    case NudgeKindID::eyeBreak:
        return "eyeBreak";
    case NudgeKindID::standMove:
        return "standMove";
    case NudgeKindID::postureCheck:
        return "postureCheck";
    case NudgeKindID::launch:
        return "launch";
    }
    return "water";
}

constexpr std::optional<NudgeKindID> nudgeKindFromRaw(std::string_view raw) {
    for (auto kind : allNudgeKinds) {
        if (rawValue(kind) == raw)
            return kind;
    }
    return std::nullopt;
}

} // namespace vornela

#include "core/nudges/NudgeIntervalPreset.h"

namespace vornela {

double seconds(NudgeIntervalPreset preset) {
    switch (preset) {
    case NudgeIntervalPreset::minutes10:
        return 600;
    case NudgeIntervalPreset::minutes20:
        return 1200;
    case NudgeIntervalPreset::minutes30:
        return 1800;
    case NudgeIntervalPreset::minutes45:
        return 2700;
    case NudgeIntervalPreset::minutes60:
        return 3600;
    case NudgeIntervalPreset::minutes90:
        return 5400;
    case NudgeIntervalPreset::minutes120:
        return 7200;
    case NudgeIntervalPreset::minutes180:
        return 10800;
    }
    return 3600;
}

std::string_view label(NudgeIntervalPreset preset) {
    switch (preset) {
    case NudgeIntervalPreset::minutes10:
        return "Every 10 minutes";
    case NudgeIntervalPreset::minutes20:
        return "Every 20 minutes";
    case NudgeIntervalPreset::minutes30:
        return "Every 30 minutes";
    case NudgeIntervalPreset::minutes45:
        return "Every 45 minutes";
    case NudgeIntervalPreset::minutes60:
        return "Every hour";
    case NudgeIntervalPreset::minutes90:
        return "Every 90 minutes";
    case NudgeIntervalPreset::minutes120:
        return "Every 2 hours";
    case NudgeIntervalPreset::minutes180:
        return "Every 3 hours";
    }
    return "Every hour";
}

} // namespace vornela

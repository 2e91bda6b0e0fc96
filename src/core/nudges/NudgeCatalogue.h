#pragma once

#include "core/nudges/NudgeDefinition.h"
#include "core/nudges/NudgeKindID.h"

#include <cstddef>
#include <string>
#include <vector>

namespace vornela {

// The compiled-in nudge kinds. Everything here is built once per process and never changes.

const NudgeDefinition& definitionFor(NudgeKindID kind);
// All five definitions in catalogue order.
const std::vector<NudgeDefinition>& allDefinitions();

// The short texts the notch rotates through for a kind.
const std::vector<std::string>& notchMessages(NudgeKindID kind);
// The notch text at `index`, wrapping around; the definition's message when a kind has none.
std::string notchMessage(NudgeKindID kind, std::size_t index);

// The intervals daily goals snap to, ascending: 30, 45, 60, 90, 120 and 180 minutes.
const std::vector<double>& goalSyncSteps();

// The step closest to spreading `n` occurrences over a 10-hour day (n < 2 counts as 1, never under
// 30 minutes). On a tie the shorter step wins.
double intervalForDailyCount(int n);

struct NudgeGoals {
    int breaks = 0;
    int movement = 0;
    int waterML = 0;

    friend bool operator==(const NudgeGoals&, const NudgeGoals&) = default;
};

// The repeat interval a kind gets from the user's daily goals.
double syncedInterval(NudgeKindID kind, const NudgeGoals& goals);

} // namespace vornela

#include "core/nudges/NudgeCatalogue.h"

#include "core/nudges/DotMatrixFrame.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>

namespace vornela {

namespace {

using Rows = std::vector<std::string>;
using Palette = std::map<char, Color>;

constexpr double activeDaySeconds = 36000; // goals are spread over a 10-hour day
constexpr double shortestSyncedInterval = 1800;

std::size_t catalogueIndex(NudgeKindID kind) {
    for (std::size_t i = 0; i < allNudgeKinds.size(); ++i) {
        if (allNudgeKinds[i] == kind)
            return i;
    }
    return 0;
}

DotMatrixAnimation makeAnimation(const std::map<std::string, Rows>& patterns, const Palette& palette,
                                 const std::vector<std::string>& sequence, std::vector<Point> offsets,
                                 double frameDuration) {
    std::map<std::string, DotMatrixFrame> built;
    for (const auto& [name, rows] : patterns)
        built.emplace(name, DotMatrixFrame::fromRows(rows, palette));
    DotMatrixAnimation animation;
    for (const auto& name : sequence)
        animation.frames.push_back(built.at(name));
    animation.frameOffsets = std::move(offsets);
    animation.frameDuration = frameDuration;
    animation.loop = true;
    return animation;
}

std::vector<Point> noOffsets(std::size_t count) {
    return std::vector<Point>(count, Point{});
}

DotMatrixAnimation waterAnimation() {
    const Palette palette{{'.', Color::clear()},
                          {'t', Color::rgb(0.86, 0.97, 1.0)},
                          {'l', Color::rgb(0.48, 0.84, 1.0)},
                          {'m', Color::rgb(0.26, 0.68, 0.98)},
                          {'d', Color::rgb(0.12, 0.46, 0.86)},
                          {'h', Color::rgb(0.95, 1.0, 1.0)}};
    const Rows drop{"...t...", "..lml..", ".lhmml.", "lhmmmml", "lmmmmml", ".lmmdl.", "..ldl.."};
    const std::map<std::string, Rows> patterns{
        {"W1", drop},
        {"W2", {".......", "...t...", "..lml..", ".lhmml.", "lhmmmml", "lmmmmml", ".lmmdl.", "..ldl.."}},
        {"W3", {"...t...", "..lml..", "..lml..", ".lhmml.", "lhmmmml", "lmmmmml", ".lmmdl.", "..ldl.."}},
        {"W4", {".......", "...t...", "..lml..", "..lml..", ".lhmml.", "lhmmmml", ".lmmdl.", "..ldl.."}},
        {"W5", {".......", "..lml..", ".lhmml.", "lhmmmml", "lmmmmml", "lllllll", ".lllll.", "..ldl.."}},
        {"W6", {"l.......l", ".l.....l.", "..lmmml.."}},
        {"W7", drop},
    };
    return makeAnimation(patterns, palette, {"W1", "W2", "W3", "W4", "W5", "W6", "W7"},
                         {{0, 0}, {0, 0.6}, {0, 0.9}, {0, 1.3}, {0, 1.1}, {0, 1.4}, {0, 0.2}}, 0.26);
}

DotMatrixAnimation eyeBreakAnimation() {
    const Palette palette{{'.', Color::clear()},
                          {'l', Color::rgb(0.72, 0.95, 0.88)},
                          {'m', Color::rgb(0.34, 0.78, 0.68)},
                          {'d', Color::rgb(0.14, 0.48, 0.42)},
                          {'h', Color::rgb(0.92, 1.0, 0.98)}};
    const std::map<std::string, Rows> patterns{
        {"E1", {"..lml..", ".lmmml.", "lmmhdml", "lmmddml", ".lmmml.", "..lml.."}},
        {"E2", {"..lml..", ".lmmml.", "lmmmhdl", "lmmmddl", ".lmmml.", "..lml.."}},
        {"E3", {"..lml..", ".lmmml.", "lhdmmml", "lddmmml", ".lmmml.", "..lml.."}},
        {"E4", {"..lml..", ".lllll.", ".lllll.", "..lml.."}},
        {"E5", {".......", ".lllll.", "lllllll", ".lllll."}},
    };
    return makeAnimation(patterns, palette, {"E1", "E2", "E1", "E3", "E1", "E4", "E5", "E4"}, noOffsets(8),
                         0.24);
}

DotMatrixAnimation standMoveAnimation() {
    const Palette palette{{'.', Color::clear()},
                          {'t', Color::rgb(1.0, 0.92, 0.78)},
                          {'l', Color::rgb(1.0, 0.72, 0.38)},
                          {'m', Color::rgb(0.96, 0.52, 0.18)},
                          {'d', Color::rgb(0.78, 0.34, 0.08)}};
    const std::map<std::string, Rows> patterns{
        {"S1",
         {"........", "..ttt...", "..mmm...", ".mmmmm..", ".mmmmmm.", ".mmmmmml", "........", "........"}},
        {"S2",
         {"........", "..ttt...", ".mmmmm..", ".mmmmm..", "mmmmmmml", "dddddddd", "........", "........"}},
        {"S3",
         {"........", "........", "..ttt...", ".mmmmm..", "mmmmmmml", "dddddddd", "........", "........"}},
    };
    return makeAnimation(patterns, palette, {"S1", "S2", "S3", "S3", "S2", "S1"},
                         {{0, -1.4}, {0, -0.6}, {0, 0.4}, {0, 0.4}, {0, -0.6}, {0, -1.4}}, 0.26);
}

DotMatrixAnimation postureCheckAnimation() {
    const Palette palette{{'.', Color::clear()},
                          {'t', Color::rgb(0.96, 0.82, 0.98)},
                          {'l', Color::rgb(0.82, 0.58, 0.92)},
                          {'m', Color::rgb(0.66, 0.38, 0.82)},
                          {'d', Color::rgb(0.48, 0.22, 0.62)}};
    const std::map<std::string, Rows> patterns{
        {"P1",
         {"....tt..", "...tt...", "..mm....", ".mm.....", ".mm.....", "..mm....", "..ll....", ".dddddd."}},
        {"P2",
         {"...tt...", "...tt...", "..mm....", "..mm....", "..mm....", "..mm....", "..ll....", ".dddddd."}},
        {"P3",
         {"..tt....", "..tt....", "..mm....", "..mm....", "..mm....", "..mm....", "..ll....", ".dddddd."}},
    };
    return makeAnimation(patterns, palette, {"P1", "P2", "P3", "P3", "P2", "P1"}, noOffsets(6), 0.4);
}

DotMatrixAnimation launchAnimation() {
    const Palette palette{{'.', Color::clear()},
                          {'t', Color::rgb(1.0, 0.93, 0.78)},
                          {'l', Color::rgb(1.0, 0.8, 0.52)},
                          {'m', Color::rgb(0.94, 0.58, 0.22)},
                          {'d', Color::rgb(0.72, 0.36, 0.1)},
                          {'h', Color::rgb(1.0, 0.98, 0.92)}};
    const std::map<std::string, Rows> patterns{
        {"L1",
         {"t.t.t.tl", "l.l.l.lm", ".lll..mm", "..l...mm", "..l...mm", "..d...md", "..d...dd", "..d...dd"}},
        {"L2",
         {"t.t.t.th", "l.l.l.hl", ".lll..lm", "..l...mm", "..l...mm", "..d...md", "..d...dd", "..d...dd"}},
        {"L3",
         {"t.t.t.tl", "l.l.l.hm", ".lll..hl", "..l...hm", "..l...mm", "..d...md", "..d...dd", "..d...dd"}},
        {"L4",
         {"t.t.t.tl", "l.l.l.lm", ".lll..mm", "..l...mm", "..l...mm", "..d...dd", "..d...dd", "..dddddd"}},
    };
    return makeAnimation(patterns, palette, {"L1", "L1", "L2", "L3", "L2", "L1", "L4", "L1"},
                         {{0, 0.2}, {0, 0.2}, {0, -0.5}, {0, -0.7}, {0, -0.4}, {0, 0.1}, {0, 0.6}, {0, 0.2}},
                         0.28);
}

std::vector<NudgeDefinition> buildDefinitions() {
    return {
        {NudgeKindID::water, "Drink Water", "Sip through the day toward your daily goal",
         intervalForDailyCount(6), 2700, false, true, Color::rgb(0.2, 0.62, 0.95), waterAnimation()},
        {NudgeKindID::eyeBreak, "Eye Break", "Look far away to ease screen strain", intervalForDailyCount(6),
         0, false, true, Color::rgb(0.22, 0.72, 0.62), eyeBreakAnimation()},
        {NudgeKindID::standMove, "Stand Up", "Stand and stretch to break up sitting", 3600, 1800, false, true,
         Color::rgb(0.96, 0.52, 0.18), standMoveAnimation()},
        {NudgeKindID::postureCheck, "Posture Check", "Sit tall and unwind your shoulders", 2700, 900, false,
         true, Color::rgb(0.68, 0.38, 0.82), postureCheckAnimation()},
        {NudgeKindID::launch, "Lunch Reminder", "A gentle midday nudge so lunch doesn\u2019t slip by", 86400,
         0, true, true, Color::rgb(0.9, 0.58, 0.22), launchAnimation()},
    };
}

std::vector<std::vector<std::string>> buildNotchMessages() {
    return {
        {"Hydrate!", "Sip time", "Glass is lonely", "Thirsty yet?", "Water break"},
        {"Look 20ft away", "Eyes need a vacay", "Far focus time", "Blink and look out", "Screen detox"},
        {"Stand up!", "Legs want out", "One-minute stand", "Move that body", "Quick stretch"},
        {"Shoulders back", "Sit up tall", "Un-hunch time", "Stack your spine", "Posture check!"},
        {"Time for lunch", "Fuel up", "Don't skip lunch", "Midday bite", "Grab a bite"},
    };
}

// The step closest to `target`; a later step must be strictly closer to win a tie.
double nearestStep(double target) {
    const auto& steps = goalSyncSteps();
    double best = steps.front();
    for (double step : steps) {
        if (std::abs(step - target) < std::abs(best - target))
            best = step;
    }
    return best;
}

} // namespace

const std::vector<NudgeDefinition>& allDefinitions() {
    static const std::vector<NudgeDefinition> definitions = buildDefinitions();
    return definitions;
}

const NudgeDefinition& definitionFor(NudgeKindID kind) {
    return allDefinitions()[catalogueIndex(kind)];
}

const std::vector<std::string>& notchMessages(NudgeKindID kind) {
    static const std::vector<std::vector<std::string>> messages = buildNotchMessages();
    return messages[catalogueIndex(kind)];
}

std::string notchMessage(NudgeKindID kind, std::size_t index) {
    const auto& messages = notchMessages(kind);
    if (messages.empty())
        return definitionFor(kind).message;
    return messages[index % messages.size()];
}

const std::vector<double>& goalSyncSteps() {
    static const std::vector<double> steps{1800, 2700, 3600, 5400, 7200, 10800};
    return steps;
}

double intervalForDailyCount(int n) {
    const int count = n < 2 ? 1 : n;
    return nearestStep(std::max(activeDaySeconds / count, shortestSyncedInterval));
}

double syncedInterval(NudgeKindID kind, const NudgeGoals& goals) {
    switch (kind) {
    case NudgeKindID::water:
        // Goals up to 6999 ml all mean six drinks a day.
        return intervalForDailyCount(goals.waterML > 5999 ? goals.waterML / 1000 : 6);
    case NudgeKindID::eyeBreak:
        return intervalForDailyCount(goals.breaks);
    case NudgeKindID::standMove: {
        const double target =
            std::max(activeDaySeconds / std::max(goals.movement, 1), shortestSyncedInterval);
        // Hourly is the sensible default for movement, so anything near it snaps there.
        if (std::abs(target - 3600) <= 1200)
            return 3600;
        return nearestStep(target);
    }
    case NudgeKindID::postureCheck:
        return 2700;
    case NudgeKindID::launch:
        return 86400;
    }
    return definitionFor(kind).defaultInterval;
}

} // namespace vornela

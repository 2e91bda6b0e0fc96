#pragma once

#include "core/base/Clock.h"
#include "core/base/Signal.h"
#include "core/base/SystemPreferences.h"
#include "core/dashboard/StatChip.h"
#include "core/dashboard/TextTransition.h"
#include "core/notch/NotchViewModel.h"
#include "core/nudges/DotMatrixAnimation.h"
#include "core/store/HealthDataStore.h"

#include <array>
#include <string>
#include <vector>

namespace vornela {

// The hover dashboard: the day's balance with its tier and subtitle, the four goal chips and the
// quick actions, all read from the health record. Changes of the figures move over time; a view
// asks what they look like at an instant, and so can a test.
class HoverHomeModel {
public:
    struct Services {
        NotchViewModel& notch;
        HealthDataStore& health;
        const Clock& clock;
        const SystemPreferences& system;
    };

    enum ChipIndex : std::size_t { water, breaks, move, lunch };
    static constexpr std::size_t chipCount = 4;

    // Value changes (the ring, the tier name, the figures and bars) and the subtitle's fade.
    static constexpr double valueChangeDuration = 0.28;
    static constexpr double subtitleFadeDuration = 0.15;

    explicit HoverHomeModel(Services services);
    HoverHomeModel(const HoverHomeModel&) = delete;
    HoverHomeModel& operator=(const HoverHomeModel&) = delete;

    // What the dashboard shows now.
    const BalanceScoreResult& balance() const;
    std::string tierName() const;
    Color tierColor() const;
    const std::array<StatChip, chipCount>& chips() const { return chips_; }
    // "Mark lunch done" is offered until today's lunch is recorded.
    bool lunchActionOffered() const;
    // The share of the badge's outline drawn in the tier colour: score ÷ 100.
    double badgeTrim() const;
    const DotMatrixAnimation& faceAnimation() const { return face_; }

    // The chips, from the day's counters and goals.
    static StatChip waterChip(int todayML, int goalML);
    static StatChip breaksChip(int done, int goal);
    static StatChip moveChip(int done, int goal);
    static StatChip lunchChip(int done, int goal);
    // done ÷ goal within 0...1; an empty bar for a goal below 1.
    static double progress(double done, double goal);

    // The same, as drawn at `now` (monotonic seconds) while a change is easing in.
    double badgeTrimAt(double now) const { return trim_.valueAt(now); }
    const TextTransition& tierNameText() const { return tierName_; }
    const TextTransition& subtitleText() const { return subtitle_; }
    const TextTransition& chipValueText(std::size_t chip) const { return chipValues_.at(chip); }
    double chipProgressAt(std::size_t chip, double now) const { return chipBars_.at(chip).valueAt(now); }
    bool isAnimating(double now) const;

    // The dashboard is the open surface and not on its way out.
    bool isShowing() const;
    // The controls. Navigation only works while the dashboard is showing.
    void openActivity();
    void openSettings();
    void perform(StatChip::QuickAction action);

    // Something the dashboard shows changed (figures, tier or the face).
    Signal<> changed;

private:
    void update();
    bool animates() const;

    Services services_;
    std::vector<Subscription> subscriptions_;
    std::array<StatChip, chipCount> chips_;
    BalanceScoreResult shownBalance_;
    DotMatrixAnimation face_;
    TimedCurve trim_;
    TextTransition tierName_;
    TextTransition subtitle_;
    std::array<TextTransition, chipCount> chipValues_;
    std::array<TimedCurve, chipCount> chipBars_;
};

} // namespace vornela

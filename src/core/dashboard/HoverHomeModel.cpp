#include "core/dashboard/HoverHomeModel.h"

#include "core/dashboard/LitreText.h"
#include "core/store/BalanceFace.h"

#include <algorithm>

namespace vornela {

namespace {

constexpr Color waterChipColor = Color::rgb(0.39, 0.82, 1.0);
constexpr Color lunchChipColor = Color::rgb(0.9, 0.58, 0.22);

std::string countText(int done, int goal) {
    return std::to_string(done) + "/" + std::to_string(goal);
}

} // namespace

HoverHomeModel::HoverHomeModel(Services services) : services_(services) {
    HealthDataStore& h = services_.health;
    auto refresh = [this](const auto&) { update(); };
    subscriptions_.push_back(h.todayWaterML.observe(refresh));
    subscriptions_.push_back(h.waterGoalML.observe(refresh));
    subscriptions_.push_back(h.todayBreaksCompleted.observe(refresh));
    subscriptions_.push_back(h.breaksGoalDaily.observe(refresh));
    subscriptions_.push_back(h.todayMovementCompleted.observe(refresh));
    subscriptions_.push_back(h.movementGoalDaily.observe(refresh));
    subscriptions_.push_back(h.todayLaunchCompleted.observe(refresh));
    subscriptions_.push_back(h.lunchGoalDaily.observe(refresh));
    subscriptions_.push_back(h.balanceScore.observe(refresh));

    // What is on record at start shows as it is, without easing in.
    shownBalance_ = h.balanceScore.get();
    face_ = balanceFaceAnimation(shownBalance_.score, shownBalance_.tier);
    trim_ = TimedCurve{badgeTrim(), badgeTrim(), 0, 0, CubicBezier::valueChange()};
    tierName_ = TextTransition(tierName());
    subtitle_ = TextTransition(shownBalance_.subtitle);
    update();
    for (std::size_t i = 0; i < chipCount; ++i) {
        chipValues_[i] = TextTransition(chips_[i].value);
        chipBars_[i] = TimedCurve{chips_[i].progress, chips_[i].progress, 0, 0, CubicBezier::valueChange()};
    }
}

const BalanceScoreResult& HoverHomeModel::balance() const {
    return services_.health.balanceScore.get();
}

std::string HoverHomeModel::tierName() const {
    return std::string(displayName(balance().tier));
}

Color HoverHomeModel::tierColor() const {
    return vornela::tierColor(balance().tier);
}

bool HoverHomeModel::lunchActionOffered() const {
    return services_.health.todayLaunchCompleted.get() < 1;
}

double HoverHomeModel::badgeTrim() const {
    return std::clamp(balance().score / 100.0, 0.0, 1.0);
}

double HoverHomeModel::progress(double done, double goal) {
    if (goal < 1)
        return 0;
    return std::clamp(done / goal, 0.0, 1.0);
}

StatChip HoverHomeModel::waterChip(int todayML, int goalML) {
    StatChip chip{"Water",
                  "",
                  progress(todayML, goalML),
                  waterChipColor,
                  DashboardSymbol::waterDrop,
                  StatChip::QuickAction::trackWater};
    if (goalML < 1000)
        chip.value = std::to_string(todayML) + "/" + std::to_string(goalML) + "ml";
    else
        // The goal as the ruler labels it: 2 L as "2", 2.5 L as "2.5" (never rounded to a whole).
        chip.value = oneDecimal(todayML / 1000.0) + "/" + litres(goalML) + "L";
    return chip;
}

StatChip HoverHomeModel::breaksChip(int done, int goal) {
    return {"Breaks",
            countText(done, goal),
            progress(done, goal),
            vornela::tierColor(BalanceTier::thriving),
            DashboardSymbol::checkCircle,
            std::nullopt};
}

StatChip HoverHomeModel::moveChip(int done, int goal) {
    return {"Move",
            countText(done, goal),
            progress(done, goal),
            vornela::tierColor(BalanceTier::pushingIt),
            DashboardSymbol::figureStand,
            std::nullopt};
}

StatChip HoverHomeModel::lunchChip(int done, int goal) {
    StatChip chip{"Lunch",        done >= 1 ? "Done" : "\u2014", progress(done, goal),
                  lunchChipColor, DashboardSymbol::meal,         std::nullopt};
    if (done < 1)
        chip.quickAction = StatChip::QuickAction::markLunchDone;
    return chip;
}

bool HoverHomeModel::isShowing() const {
    // While the notch closes the state stays until the window has shrunk.
    const NotchViewModel& vm = services_.notch;
    return vm.notchState.get().is(NotchState::Case::hoverExpanded) && !vm.deferContentCloseUntilTransition();
}

bool HoverHomeModel::animates() const {
    // Figures that change while the dashboard is away are simply there when it opens.
    return !services_.system.reduceMotion.get() &&
           services_.notch.notchState.get().is(NotchState::Case::hoverExpanded);
}

void HoverHomeModel::update() {
    const HealthDataStore& h = services_.health;
    chips_ = {waterChip(h.todayWaterML.get(), h.waterGoalML.get()),
              breaksChip(h.todayBreaksCompleted.get(), h.breaksGoalDaily.get()),
              moveChip(h.todayMovementCompleted.get(), h.movementGoalDaily.get()),
              lunchChip(h.todayLaunchCompleted.get(), h.lunchGoalDaily.get())};

    const double now = services_.clock.monotonicNow();
    const bool animated = animates();
    const double valueDuration = animated ? valueChangeDuration : 0;
    for (std::size_t i = 0; i < chipCount; ++i) {
        chipValues_[i].change(chips_[i].value, now, valueDuration, CubicBezier::valueChange());
        if (chipBars_[i].to != chips_[i].progress)
            chipBars_[i] = TimedCurve{chipBars_[i].valueAt(now), chips_[i].progress, now, valueDuration,
                                      CubicBezier::valueChange()};
    }

    const BalanceScoreResult& result = balance();
    if (result.score != shownBalance_.score || result.tier != shownBalance_.tier)
        face_ = balanceFaceAnimation(result.score, result.tier);
    if (trim_.to != badgeTrim())
        trim_ = TimedCurve{trim_.valueAt(now), badgeTrim(), now, valueDuration, CubicBezier::valueChange()};
    tierName_.change(tierName(), now, valueDuration, CubicBezier::valueChange());
    subtitle_.change(result.subtitle, now, animated ? subtitleFadeDuration : 0, CubicBezier::hover());
    shownBalance_ = result;
    changed.emit();
}

bool HoverHomeModel::isAnimating(double now) const {
    if (trim_.isRunningAt(now) || tierName_.isRunningAt(now) || subtitle_.isRunningAt(now))
        return true;
    for (std::size_t i = 0; i < chipCount; ++i) {
        if (chipValues_[i].isRunningAt(now) || chipBars_[i].isRunningAt(now))
            return true;
    }
    return false;
}

void HoverHomeModel::openActivity() {
    if (isShowing())
        services_.notch.openActivityHeatMap();
}

void HoverHomeModel::openSettings() {
    services_.notch.openSettings();
}

void HoverHomeModel::perform(StatChip::QuickAction action) {
    switch (action) {
    case StatChip::QuickAction::trackWater:
        if (isShowing())
            services_.notch.openWaterTracking();
        return;
    case StatChip::QuickAction::markLunchDone:
        services_.notch.completeLunchFromDashboard();
        return;
    }
}

} // namespace vornela

#include "SimJson.h"

#include "core/activity/ActivityHeatMapGrid.h"
#include "core/app/VornelaCore.h"
#include "core/settings/SettingsOptions.h"

#include <algorithm>

namespace vornela::sim {

using nlohmann::json;

void fail(const std::string& message) {
    throw ScriptError(message);
}

namespace {

Rect parseRect(const json& value, const char* what) {
    if (!value.is_array() || value.size() != 4 ||
        !std::all_of(value.begin(), value.end(), [](const json& v) { return v.is_number(); }))
        fail(std::string("'") + what + "' must be [x, y, w, h]");
    return Rect{value[0].get<double>(), value[1].get<double>(), value[2].get<double>(),
                value[3].get<double>()};
}

OrderedJson healthFields(HealthDataStore& h) {
    const auto& score = h.balanceScore.get();
    OrderedJson history = OrderedJson::object();
    for (const auto& [day, value] : h.dailyBalanceHistory.get())
        history[day] = value;
    return {{"day", h.trackingDayKey.get()},
            {"water", h.todayWaterML.get()},
            {"breaks", h.todayBreaksCompleted.get()},
            {"movement", h.todayMovementCompleted.get()},
            {"lunch", h.todayLaunchCompleted.get()},
            {"goals",
             {{"water", h.waterGoalML.get()},
              {"breaks", h.breaksGoalDaily.get()},
              {"movement", h.movementGoalDaily.get()},
              {"lunch", h.lunchGoalDaily.get()}}},
            {"score", score.score},
            {"tier", rawValue(score.tier)},
            {"subtitle", score.subtitle},
            {"history", history}};
}

OrderedJson engineFields(const ReminderEngine& engine, const SimEmitter& out) {
    OrderedJson next = OrderedJson::object();
    for (const auto& [kind, date] : engine.nextFireDates())
        next[std::string(rawValue(kind))] = out.localTime(date);
    const auto last = engine.lastNudgeFireDate();
    return {{"paused", engine.isPaused().get()},
            {"visible", engine.isNudgeVisible()},
            {"last", last ? OrderedJson(out.localTime(*last)) : OrderedJson(nullptr)},
            {"next", next}};
}

OrderedJson dashboardFields(const HoverHomeModel& dashboard) {
    OrderedJson chips = OrderedJson::array();
    for (const StatChip& chip : dashboard.chips())
        chips.push_back({{"label", chip.label}, {"value", chip.value}, {"progress", chip.progress}});
    return {{"tierName", dashboard.tierName()},
            {"subtitle", dashboard.balance().subtitle},
            {"chips", chips},
            {"lunchAction", dashboard.lunchActionOffered()}};
}

OrderedJson settingsFields(const SettingsWindowModel& settings) {
    OrderedJson rows = OrderedJson::array();
    for (const SettingsNudgeRow& row : settings.rows()) {
        rows.push_back({{"kind", rawValue(row.kind())},
                        {"enabled", row.enabled()},
                        {"interval", row.usesDailyClockTime() ? OrderedJson(nullptr)
                                                              : OrderedJson(seconds(row.interval()))},
                        {"lunchMinutes", row.lunchMinutes()}});
    }
    return {{"open", settings.isOpen()}, {"rows", rows}, {"version", versionLabel()}};
}

OrderedJson onboardingFields(const OnboardingWindowController& onboarding) {
    return {{"visible", onboarding.isWindowVisible()},
            {"page", onboarding.coordinator().page.get()},
            {"height", onboarding.windowHeight()},
            {"finished", onboarding.didFinish()}};
}

OrderedJson rulerFields(const WaterTrackingModel& ruler, double now) {
    const WaterRulerScale scale = ruler.scale();
    OrderedJson majors = OrderedJson::array();
    OrderedJson labels = OrderedJson::object();
    for (int step : scale.majors()) {
        majors.push_back(step);
        labels[std::to_string(step)] = WaterRulerScale::label(step);
    }
    const int ml = ruler.selectedML();
    return {{"maxStep", scale.maxStep()},
            {"selected", ruler.selectedStep()},
            {"display", ruler.centreAt(now)},
            {"majors", majors},
            {"labels", labels},
            {"readout",
             {{"number", WaterAmountReadout::number(ml)},
              {"unit", WaterAmountReadout::unit(ml)},
              {"boxWidth", ruler.readoutBoxWidth()}}},
            {"track", ruler.trackEnabled()},
            {"minus", ruler.minusEnabled()},
            {"plus", ruler.plusEnabled()}};
}

} // namespace

OrderedJson heatmapFields(const ActivityHeatMapGrid& grid, const Calendar& calendar, double now) {
    const auto orNull = [](const std::optional<std::string>& text) {
        return text ? OrderedJson(*text) : OrderedJson(nullptr);
    };
    OrderedJson months = OrderedJson::array();
    for (const auto& month : grid.months) {
        OrderedJson weeks = OrderedJson::array();
        for (const auto& week : month.weeks) {
            OrderedJson days = OrderedJson::array();
            for (const auto& day : week.days)
                days.push_back({{"id", day.id},
                                {"dayKey", orNull(day.dayKey)},
                                {"tier", day.tier ? OrderedJson(rawValue(*day.tier)) : OrderedJson(nullptr)},
                                {"inMonth", day.isInMonth},
                                {"today", day.isToday}});
            weeks.push_back({{"id", week.id}, {"days", days}});
        }
        months.push_back({{"id", month.id}, {"label", month.label}, {"weeks", weeks}});
    }
    OrderedJson weekdays = OrderedJson::array();
    for (int row = 0; row < 7; ++row)
        weekdays.push_back(orNull(weekdayLabel(grid, row, calendar.locale().firstWeekday)));
    return {{"months", months},
            {"weekdays", weekdays},
            {"summary", trackedDaysSummary(grid)},
            {"range", shareDateRangeText(now, calendar)}};
}

OrderedJson stateFields(const NotchState& state) {
    OrderedJson fields = {{"state", caseName(state.kind)}};
    if (state.kind == NotchState::Case::nudge)
        fields["kind"] = rawValue(state.nudgeKind);
    return fields;
}

OrderedJson alignmentFields(const NotchWindowAlignment& a) {
    using Case = NotchWindowAlignment::Case;
    switch (a.kind) {
    case Case::hoverExpanded:
        return {{"case", "hoverExpanded"}, {"additionalDown", a.additionalDown}};
    case Case::waterTracking:
        return {{"case", "waterTracking"}, {"additionalDown", a.additionalDown}};
    case Case::activityHeatMap:
        return {{"case", "activityHeatMap"}, {"additionalDown", a.additionalDown}};
    case Case::nudge:
        return {{"case", "nudge"}, {"left", a.leftExpansion}, {"right", a.rightExpansion}, {"down", a.down}};
    case Case::closed:
        break;
    }
    return {{"case", "closed"}};
}

OrderedJson optionalKind(const std::optional<NudgeKindID>& kind) {
    return kind ? OrderedJson(rawValue(*kind)) : OrderedJson(nullptr);
}

OrderedJson rectJson(const Rect& r) {
    return OrderedJson::array({r.x, r.y, r.width, r.height});
}

std::vector<ScreenInfo> parseScreens(const json& value) {
    if (!value.is_array())
        fail("screens must be a JSON array");
    std::vector<ScreenInfo> screens;
    bool mainTaken = false;
    for (const auto& entry : value) {
        if (!entry.is_object() || !entry.contains("id") || !entry["id"].is_string())
            fail("each screen needs a string \"id\"");
        ScreenInfo screen;
        screen.id = entry["id"].get<std::string>();
        const auto mainField = entry.find("main");
        const bool markedMain = mainField != entry.end();
        if (markedMain && !mainField->is_boolean())
            fail("\"main\" must be true or false");
        // The first screen marked main is the main screen.
        if (markedMain && mainField->get<bool>() && !mainTaken) {
            screen.isMain = true;
            mainTaken = true;
        }
        if (!entry.contains("frame"))
            fail("screen '" + screen.id + "' needs a \"frame\"");
        screen.frame = parseRect(entry["frame"], "frame");
        screen.visibleFrame =
            entry.contains("visible") ? parseRect(entry["visible"], "visible") : screen.frame;
        const auto number = [&](const char* key, double fallback) {
            if (!entry.contains(key))
                return fallback;
            if (!entry[key].is_number())
                fail(std::string("\"") + key + "\" must be a number");
            return entry[key].get<double>();
        };
        screen.backingScaleFactor = number("scale", 1);
        screen.safeAreaTopInset = number("safeTop", 0);
        for (auto [key, area] : {std::pair{"auxLeft", &screen.auxiliaryTopLeftArea},
                                 std::pair{"auxRight", &screen.auxiliaryTopRightArea}}) {
            if (entry.contains(key) && !entry[key].is_null())
                *area = parseRect(entry[key], key);
        }
        screens.push_back(std::move(screen));
    }
    return screens;
}

OrderedJson dumpFields(VornelaCore* core, const json& storedPreferences, const PanelWindow* notchPanel,
                       const SimEmitter& out) {
    OrderedJson fields = OrderedJson::object();
    if (core) {
        auto& vm = core->notch();
        fields["state"] = stateFields(vm.notchState.get());
        fields["alignment"] = alignmentFields(vm.windowAlignment.get());
        fields["overlay"] = optionalKind(vm.nudgeOverlay.get());
        fields["activeNudge"] = optionalKind(vm.activeNudge());
        const auto& prompt = vm.nudgeCompletionUI.get();
        fields["prompt"] = prompt
                               ? OrderedJson{{"kind", rawValue(prompt->kind)}, {"message", prompt->message}}
                               : OrderedJson(nullptr);
        fields["pointerInside"] = vm.isPointerInside();
        fields["transitioning"] = vm.isLayoutTransitioning.get();
        fields["reveal"] = vm.contentRevealProgress();
        fields["health"] = healthFields(core->health());
        fields["engine"] = engineFields(core->engine(), out);
    } else {
        fields["state"] = stateFields(NotchState::closed());
        fields["alignment"] = alignmentFields(NotchWindowAlignment::closed());
        fields["overlay"] = nullptr;
        fields["activeNudge"] = nullptr;
        fields["prompt"] = nullptr;
        fields["pointerInside"] = false;
        fields["transitioning"] = false;
        fields["reveal"] = 1.0;
        fields["health"] = nullptr;
        fields["engine"] = nullptr;
    }
    fields["panel"] = notchPanel ? rectJson(notchPanel->frame()) : OrderedJson(nullptr);
    OrderedJson prefs = OrderedJson::object();
    for (const auto& [key, value] : storedPreferences.items())
        prefs[key] = value;
    fields["prefs"] = prefs;
    fields["dashboard"] = core ? dashboardFields(core->dashboard()) : OrderedJson(nullptr);
    fields["ruler"] =
        core ? rulerFields(core->ruler(), core->ports().clock.monotonicNow()) : OrderedJson(nullptr);
    fields["settings"] = core ? settingsFields(core->settingsWindow()) : OrderedJson(nullptr);
    fields["onboarding"] = core ? onboardingFields(core->onboarding()) : OrderedJson(nullptr);
    return fields;
}

} // namespace vornela::sim

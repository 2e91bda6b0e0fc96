#include "SimWorld.h"

#include "core/activity/ActivityHeatMapGrid.h"
#include "core/activity/ShareGrain.h"
#include "core/notch/NotchWindowController.h"
#include "core/nudges/NudgeCatalogue.h"
#include "core/store/PreferenceKeys.h"
#include "fakes/SampleScreens.h"

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>

namespace vornela::sim {

using nlohmann::json;

SimWorld::Desktop::Desktop(SimEmitter& out, double wallStart)
    : scheduler(wallStart), haptics(out), panels(out), host(out), settingsWindow(out), sharePreview(out),
      onboarding(out) {}

CorePorts SimWorld::Desktop::ports(const Calendar& calendar, PreferencesBackend& backend) {
    return CorePorts{scheduler,      scheduler,  calendar,     backend,  text,      haptics,
                     system,         screens,    pointer,      panels,   measurer,  host,
                     settingsWindow, onboarding, sharePreview, timeZone, loginItem, nullptr};
}

SimWorld::SimWorld(std::ostream& out) : out_(out, calendar_), screens_(defaultScreens()) {}

SimWorld::~SimWorld() {
    subscriptions_.clear();
    core_.reset();
}

std::vector<ScreenInfo> SimWorld::defaultScreens() {
    return {fakes::notchedLaptop()};
}

void SimWorld::run(const SimCommand& command) {
    using Name = SimCommand::Name;
    using Step = void (SimWorld::*)(const SimCommand&);
    static const std::map<Name, Step> steps = {
        {Name::start, &SimWorld::start},        {Name::pref, &SimWorld::setPreference},
        {Name::screens, &SimWorld::setScreens}, {Name::launch, &SimWorld::launch},
        {Name::advance, &SimWorld::advance},    {Name::sleep, &SimWorld::sleep},
        {Name::clock, &SimWorld::clock},        {Name::tz, &SimWorld::timeZone},
        {Name::pointer, &SimWorld::pointer},    {Name::click, &SimWorld::click},
        {Name::action, &SimWorld::action},      {Name::dump, &SimWorld::dump},
        {Name::quit, &SimWorld::quit},          {Name::firstWeekday, &SimWorld::firstWeekday},
        {Name::heatmap, &SimWorld::heatmap},    {Name::grain, &SimWorld::grain},
    };
    if (command.name != Name::start)
        desktop();
    (this->*steps.at(command.name))(command);
}

SimWorld::Desktop& SimWorld::desktop() {
    if (!desktop_)
        fail("the first command must be 'start'");
    return *desktop_;
}

VornelaCore& SimWorld::core() {
    if (!core_)
        fail("'launch' must come first");
    return *core_;
}

NotchWindowController& SimWorld::notchController() {
    auto* controller = core().notchWindowController();
    if (!controller)
        fail("'launch' must come first");
    return *controller;
}

void SimWorld::start(const SimCommand& command) {
    if (desktop_)
        fail("'start' may appear only once");
    const auto& t = command.start;
    const auto wall = calendar_.date(t.year, t.month, t.day, t.hour, t.minute, t.second);
    if (!wall)
        fail("'start' names a time the calendar cannot represent");
    desktop_ = std::make_unique<Desktop>(out_, *wall);
    out_.setClock(&desktop_->scheduler);
    desktop_->screens.list = screens_;
}

void SimWorld::expectWallInRange(double wall, const char* command) const {
    const auto first = calendar_.date(1, 1, 1);
    const auto last = calendar_.date(10000, 1, 1);
    if (!first || !last || wall < *first || wall >= *last)
        fail(std::string("'") + command + "' would take the clock outside the years 1 to 9999");
}

void SimWorld::setPreference(const SimCommand& command) {
    json value = command.value;
    if (!core_) {
        // Before launch the file is all there is.
        json stored = backend_.values();
        if (value.is_null())
            stored.erase(command.key);
        else
            stored[command.key] = std::move(value);
        backend_.setValues(std::move(stored));
        return;
    }
    core_->preferences().setValue(command.key, std::move(value));
    desktop_->scheduler.runDue();
}

void SimWorld::setScreens(const SimCommand& command) {
    screens_ = command.screens;
    desktop_->screens.list = screens_;
    if (!core_)
        return;
    core_->screensChanged();
    desktop_->scheduler.runDue();
    deliverHostingTracking();
}

void SimWorld::launch(const SimCommand&) {
    if (core_)
        fail("'launch' may appear only once");
    core_ = std::make_unique<VornelaCore>(desktop_->ports(calendar_, backend_));
    desktop_->settingsWindow.bind(core_->settingsWindow());
    observe();
    core_->launch();
    desktop_->scheduler.runDue();
}

void SimWorld::advance(const SimCommand& command) {
    expectWallInRange(desktop_->scheduler.wallNow() + command.seconds, "advance");
    desktop_->scheduler.advance(command.seconds);
}

void SimWorld::sleep(const SimCommand& command) {
    expectWallInRange(desktop_->scheduler.wallNow() + command.seconds, "sleep");
    desktop_->scheduler.sleep(command.seconds);
    if (core_)
        core_->didWake();
    desktop_->scheduler.runDue();
}

void SimWorld::clock(const SimCommand& command) {
    expectWallInRange(desktop_->scheduler.wallNow() + command.seconds, "clock");
    desktop_->scheduler.shiftWall(command.seconds);
    if (core_)
        core_->wallClockChanged();
    desktop_->scheduler.runDue();
}

void SimWorld::timeZone(const SimCommand& command) {
    // The process reads the zone from TZ, so an unknown name would quietly mean UTC.
    const char* database = std::getenv("TZDIR");
    const std::filesystem::path file =
        std::filesystem::path(database && *database ? database : "/usr/share/zoneinfo") / command.key;
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error))
        fail("unknown time zone '" + command.key + "'");
    setenv("TZ", command.key.c_str(), 1);
    if (!core_) {
        calendar_.reloadTimeZone();
        return;
    }
    // As the platform reports it: the core reads the zone again and moves the day into it.
    desktop_->timeZone.changed.emit();
    desktop_->scheduler.runDue();
}

void SimWorld::observe() {
    auto& vm = core_->notch();
    auto& health = core_->health();
    auto& subs = subscriptions_;
    subs.push_back(
        vm.notchState.observe([this](const NotchState& s) { out_.emit("state", stateFields(s)); }));
    subs.push_back(vm.windowAlignment.observe(
        [this](const NotchWindowAlignment& a) { out_.emit("alignment", alignmentFields(a)); }));
    subs.push_back(vm.nudgeCompletionUI.observe([this](const std::optional<NudgeCompletionUIState>& p) {
        out_.emit("prompt", {{"kind", p ? OrderedJson(rawValue(p->kind)) : OrderedJson(nullptr)},
                             {"message", p ? OrderedJson(p->message) : OrderedJson(nullptr)}});
    }));
    subs.push_back(vm.onNudgeOverlayChange.connect([this](const std::optional<NudgeKindID>& kind) {
        out_.emit("overlay", {{"kind", optionalKind(kind)}});
    }));
    subs.push_back(vm.layoutTransitionBegan.connect(
        [this](const int& token, const bool& animated, const LayoutTransitionKind& kind) {
            out_.emit("transition", {{"kind", caseName(kind)}, {"token", token}, {"animated", animated}});
        }));
    subs.push_back(vm.layoutTransitionFinished.connect([this](const int& token) {
        out_.emit("transitionEnd", {{"token", token}});
    }));
    subs.push_back(
        vm.nudgeReceived.connect([this](const NudgeKindID& kind, const std::optional<std::string>& message) {
            out_.emit("nudge", {{"kind", rawValue(kind)},
                                {"message", message ? OrderedJson(*message) : OrderedJson()}});
        }));
    subs.push_back(health.balanceScore.observe([this](const BalanceScoreResult& r) {
        out_.emit("balance", {{"score", r.score}, {"tier", rawValue(r.tier)}, {"subtitle", r.subtitle}});
    }));
    subs.push_back(core_->sharePreview().presentRequested.connect(
        [this] { desktop_->sharePreview.window.setShown(true); }));
    subs.push_back(health.todayWaterML.observe([this](const int& ml) { out_.emit("water", {{"ml", ml}}); }));
    subs.push_back(core_->onboarding().pageChanged.connect(
        [this](const int& page, const OnboardingPageDirection& direction, const double& height) {
            out_.emit("onboarding",
                      {{"page", page},
                       {"direction", direction == OnboardingPageDirection::forward ? "forward" : "backward"},
                       {"height", height}});
        }));
}

void SimWorld::pointer(const SimCommand& command) {
    desktop_->pointer.at = command.point;
    if (!core_)
        return;
    // The global monitor first, then the notch view's own tracking.
    if (core_->notchWindowController()) {
        core_->pointerMoved();
        desktop_->scheduler.runDue();
    }
    deliverHostingTracking();
}

void SimWorld::deliverHostingTracking() {
    auto* controller = core_->notchWindowController();
    const PanelWindow* panel = controller ? controller->panel() : nullptr;
    if (!panel || !panel->isVisible()) {
        hostingTracked_ = false;
        return;
    }
    const Rect frame = panel->frame();
    const Point p = desktop_->pointer.at;
    const bool inView = frame.contains(p);
    if (inView) {
        const Point local{p.x - frame.x, frame.maxY() - p.y};
        controller->pointerInsideChanged(
            controller->isVisuallyInside(local, Rect{0, 0, frame.width, frame.height}));
    } else if (hostingTracked_) {
        controller->pointerInsideChanged(false);
    }
    hostingTracked_ = inView;
    desktop_->scheduler.runDue();
}

void SimWorld::click(const SimCommand&) {
    auto& controller = notchController();
    const PanelWindow* panel = controller.panel();
    if (!panel || !panel->isVisible())
        return;
    const Rect frame = panel->frame();
    const Point at = desktop_->pointer.at;
    const Point local{at.x - frame.x, frame.maxY() - at.y};
    if (!controller.isVisuallyInside(local, Rect{0, 0, frame.width, frame.height}))
        return;
    controller.pointerInsideChanged(true);
    controller.notchClicked();
    desktop_->scheduler.runDue();
}

void SimWorld::action(const SimCommand& command) {
    notchController(); // every action is a view's, so the app must be running
    command.action(*core_);
    desktop_->scheduler.runDue();
}

void SimWorld::dump(const SimCommand&) {
    const json& stored = core_ ? core_->preferences().storedValues() : backend_.values();
    out_.emit("dump", dumpFields(core_.get(), stored, desktop_->panels.notchPanel(), out_));
}

void SimWorld::quit(const SimCommand&) {
    if (core_)
        core_->terminate();
    desktop_->scheduler.runDue();
}

void SimWorld::firstWeekday(const SimCommand& command) {
    if (core_)
        fail("'firstweekday' must come before 'launch'");
    LocaleData locale = calendar_.locale();
    locale.firstWeekday = command.number;
    // Assigned in place: the emitter and, later, the core hold this calendar.
    calendar_ = Calendar(std::move(locale));
}

void SimWorld::heatmap(const SimCommand&) {
    IntMap history;
    if (core_) {
        history = core_->health().dailyBalanceHistory.get();
    } else if (const auto stored = backend_.values().find(keys::dailyBalanceHistory.name);
               stored != backend_.values().end()) {
        history = decodePreference<IntMap>(*stored).value_or(IntMap{});
    }
    const double now = desktop_->scheduler.wallNow();
    out_.emit("heatmap", heatmapFields(ActivityHeatMapGrid::build(history, now, calendar_), calendar_, now));
}

void SimWorld::grain(const SimCommand& command) {
    ShareGrain grain(command.seed, command.canvas.width, command.canvas.height);
    OrderedJson dots = OrderedJson::array();
    for (std::uint64_t i = 0; i < grain.count() && i < static_cast<std::uint64_t>(command.number); ++i) {
        const GrainDot dot = grain.next();
        dots.push_back({dot.x, dot.y, dot.opacity});
    }
    out_.emit("grain", {{"count", grain.count()}, {"dots", dots}});
}

} // namespace vornela::sim

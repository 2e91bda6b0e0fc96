#include "SimWorld.h"

#include "core/notch/NotchWindowController.h"
#include "core/nudges/NudgeCatalogue.h"
#include "core/nudges/NudgeCompletionWindowController.h"
#include "core/store/PreferenceKeys.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace vornela::sim {

using nlohmann::json;

struct SimWorld::Core {
    Core(SimEmitter& out, const Calendar& calendar, double wallStart)
        : scheduler(wallStart), dayTimer(scheduler, scheduler, calendar, center), haptics(out), panels(out),
          host(out), settingsWindow(out), sharePreview(out),
          onboarding(
              out,
              [this] {
                  // Showing onboarding before it was ever finished starts from the default goals.
                  if (!preferences.read(keys::hasCompletedOnboarding)) {
                      settings.resetGoalsToDefaults();
                      if (health)
                          health->refresh();
                  }
                  host.setActivationPolicy(ActivationPolicy::regular);
              },
              [this] {
                  preferences.write(keys::hasCompletedOnboarding, true);
                  host.setActivationPolicy(ActivationPolicy::accessory);
              }) {}

    ManualScheduler scheduler;
    NotificationCenter center;
    InMemoryPreferencesBackend backend;
    PreferencesStore preferences{backend, scheduler};
    NudgeSettings settings{preferences};
    DayChangeTimer dayTimer;
    SystemPreferences system;
    FixedWidthTextMeasurer text;
    SimHaptics haptics;
    SimScreens screens;
    SimPointer pointer;
    SimPanelFactory panels;
    FixedCompletionCardMeasurer measurer;
    SimApplicationHost host;
    SimSettingsWindow settingsWindow;
    SimSharePreview sharePreview;
    SimOnboardingWindow onboarding;

    std::unique_ptr<HealthDataStore> health;
    std::unique_ptr<NotchViewModel> viewModel;
    std::unique_ptr<ReminderEngine> engine;
    std::unique_ptr<AppDelegate> delegate;
    std::vector<Subscription> subscriptions;
};

namespace {

[[noreturn]] void fail(const std::string& message) {
    throw ScriptError(message);
}

double parseNumber(const std::string& text, const char* what) {
    std::size_t used = 0;
    double value = 0;
    try {
        value = std::stod(text, &used);
    } catch (const std::exception&) {
        fail(std::string("expected a number for ") + what + ", got '" + text + "'");
    }
    if (used != text.size() || !std::isfinite(value))
        fail(std::string("expected a number for ") + what + ", got '" + text + "'");
    return value;
}

int parseInt(const std::string& text, const char* what) {
    const double value = parseNumber(text, what);
    if (value != std::floor(value) || std::abs(value) > 2e9)
        fail(std::string("expected a whole number for ") + what + ", got '" + text + "'");
    return static_cast<int>(value);
}

bool parseBool(const std::string& text) {
    if (text == "true")
        return true;
    if (text == "false")
        return false;
    fail("expected true or false, got '" + text + "'");
}

NudgeKindID parseKind(const std::string& text) {
    if (auto kind = nudgeKindFromRaw(text))
        return *kind;
    fail("unknown nudge kind '" + text + "'");
}

void expectWords(const SimLine& line, std::size_t count) {
    if (line.words.size() != count)
        fail("'" + line.command + "' takes " + std::to_string(count) + " argument(s)");
}

Rect parseRect(const json& value, const char* what) {
    if (!value.is_array() || value.size() != 4 ||
        !std::all_of(value.begin(), value.end(), [](const json& v) { return v.is_number(); }))
        fail(std::string("'") + what + "' must be [x, y, w, h]");
    return Rect{value[0].get<double>(), value[1].get<double>(), value[2].get<double>(),
                value[3].get<double>()};
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

} // namespace

SimWorld::SimWorld(std::ostream& out) : out_(out, calendar_), screens_(defaultScreens()) {}

SimWorld::~SimWorld() {
    // The delegate and the controllers refer to everything else: they go first.
    if (core_) {
        core_->subscriptions.clear();
        core_->delegate.reset();
        core_->engine.reset();
        core_->viewModel.reset();
        core_->health.reset();
    }
}

std::vector<ScreenInfo> SimWorld::defaultScreens() {
    ScreenInfo builtin;
    builtin.id = "builtin";
    builtin.isMain = true;
    builtin.frame = {0, 0, 1512, 982};
    builtin.visibleFrame = {0, 0, 1512, 949};
    builtin.backingScaleFactor = 2;
    builtin.safeAreaTopInset = 32;
    builtin.auxiliaryTopLeftArea = Rect{0, 950, 662, 32};
    builtin.auxiliaryTopRightArea = Rect{850, 950, 662, 32};
    return {builtin};
}

std::vector<ScreenInfo> SimWorld::parseScreens(const json& value) {
    if (!value.is_array())
        fail("screens must be a JSON array");
    std::vector<ScreenInfo> screens;
    bool mainTaken = false;
    for (const auto& entry : value) {
        if (!entry.is_object() || !entry.contains("id") || !entry["id"].is_string())
            fail("each screen needs a string \"id\"");
        ScreenInfo screen;
        screen.id = entry["id"].get<std::string>();
        if (entry.contains("main") && !entry["main"].is_boolean())
            fail("\"main\" must be true or false");
        // The first screen marked main is the main screen.
        if (entry.value("main", false) && !mainTaken) {
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

SimWorld::Core& SimWorld::core() {
    if (!core_)
        fail("the first command must be 'start'");
    return *core_;
}

NotchWindowController& SimWorld::notchController() {
    if (!launched_ || !core().delegate || !core().delegate->notchWindowController())
        fail("'" + std::string("launch") + "' must come first");
    return *core().delegate->notchWindowController();
}

void SimWorld::run(const SimLine& line) {
    const std::string& c = line.command;
    if (c == "start")
        return start(line);
    if (!core_)
        fail("the first command must be 'start'");
    auto& k = *core_;
    if (c == "pref")
        setPreference(line);
    else if (c == "screens")
        setScreens(line);
    else if (c == "launch") {
        expectWords(line, 0);
        launch();
    } else if (c == "advance") {
        expectWords(line, 1);
        const double seconds = parseNumber(line.words[0], "advance");
        if (seconds < 0)
            fail("'advance' cannot go back in time");
        k.scheduler.advance(seconds);
    } else if (c == "sleep") {
        expectWords(line, 1);
        const double seconds = parseNumber(line.words[0], "sleep");
        if (seconds < 0)
            fail("'sleep' cannot go back in time");
        k.scheduler.sleep(seconds);
        k.center.post(notifications::didWake);
        k.scheduler.runDue();
    } else if (c == "clock") {
        expectWords(line, 1);
        k.scheduler.shiftWall(parseNumber(line.words[0], "clock"));
        k.dayTimer.wallClockChanged();
        k.scheduler.runDue();
    } else if (c == "pointer")
        pointer(line);
    else if (c == "click") {
        expectWords(line, 0);
        click();
    } else if (c == "do")
        action(line);
    else if (c == "dump") {
        expectWords(line, 0);
        dump();
    } else if (c == "quit") {
        expectWords(line, 0);
        if (k.delegate)
            k.delegate->applicationWillTerminate();
        k.scheduler.runDue();
    } else
        fail("unknown command '" + c + "'");
}

void SimWorld::start(const SimLine& line) {
    if (core_)
        fail("'start' may appear only once");
    expectWords(line, 1);
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    char tail = 0;
    if (std::sscanf(line.words[0].c_str(), "%4d-%2d-%2dT%2d:%2d:%2d%c", &y, &mo, &d, &h, &mi, &s, &tail) !=
            6 ||
        mo < 1 || mo > 12 || d < 1 || d > Calendar::daysInMonth(y, mo) || h > 23 || mi > 59 || s > 59)
        fail("'start' takes a local time YYYY-MM-DDTHH:MM:SS");
    const auto wall = calendar_.date(y, mo, d, h, mi, s);
    if (!wall)
        fail("'start' names a time the calendar cannot represent");
    core_ = std::make_unique<Core>(out_, calendar_, *wall);
    out_.setClock(&core_->scheduler);
    core_->screens.list = screens_;
    core_->dayTimer.start();
}

void SimWorld::setPreference(const SimLine& line) {
    if (line.words.size() < 2)
        fail("'pref' takes a key and a JSON value");
    const std::string& key = line.words[0];
    const std::string text = line.rest.substr(line.rest.find(key) + key.size());
    json value;
    try {
        value = json::parse(text);
    } catch (const json::parse_error&) {
        fail("'pref " + key + "' needs a JSON value");
    }
    core().preferences.setValue(key, std::move(value));
    core().scheduler.runDue();
}

void SimWorld::setScreens(const SimLine& line) {
    json value;
    try {
        value = json::parse(line.rest);
    } catch (const json::parse_error&) {
        fail("'screens' needs a JSON array");
    }
    screens_ = parseScreens(value);
    auto& k = core();
    k.screens.list = screens_;
    if (!launched_)
        return;
    k.center.post(notifications::screenParametersChanged);
    k.scheduler.runDue();
    deliverHostingTracking();
}

void SimWorld::launch() {
    if (launched_)
        fail("'launch' may appear only once");
    auto& k = core();
    launched_ = true;
    k.health = std::make_unique<HealthDataStore>(k.preferences, k.settings, k.scheduler, calendar_, k.center);
    k.viewModel = std::make_unique<NotchViewModel>(NotchViewModel::Services{
        *k.health, k.preferences, k.scheduler, k.scheduler, k.center, k.text, k.haptics, k.system});
    k.engine = std::make_unique<ReminderEngine>(k.preferences, k.settings, *k.health, k.scheduler,
                                                k.scheduler, calendar_);
    k.settings.setRescheduler(k.engine.get());
    k.viewModel->setReminderEngine(k.engine.get());
    k.viewModel->setSharePreviewPresenter(&k.sharePreview);
    observe();
    k.delegate = std::make_unique<AppDelegate>(
        AppDelegate::Services{k.preferences, *k.health, *k.viewModel, *k.engine, k.scheduler, k.scheduler,
                              k.center, k.host, k.settingsWindow, k.onboarding,
                              NotchWindowController::Ports{k.panels, k.screens, k.pointer, k.scheduler},
                              NudgeCompletionWindowController::Ports{k.panels, k.screens, k.scheduler,
                                                                     k.scheduler, k.measurer, k.system}});
    k.delegate->applicationDidFinishLaunching();
    k.scheduler.runDue();
}

void SimWorld::observe() {
    auto& k = core();
    auto& vm = *k.viewModel;
    auto& subs = k.subscriptions;
    subs.push_back(
        vm.notchState.observe([this](const NotchState& s) { out_.emit("state", stateFields(s)); }));
    subs.push_back(vm.windowAlignment.observe(
        [this](const NotchWindowAlignment& a) { out_.emit("alignment", alignmentFields(a)); }));
    subs.push_back(vm.nudgeCompletionUI.observe([this](const std::optional<NudgeCompletionUIState>& p) {
        out_.emit("prompt", {{"kind", p ? OrderedJson(rawValue(p->kind)) : OrderedJson(nullptr)},
                             {"message", p ? OrderedJson(p->message) : OrderedJson(nullptr)}});
    }));
    subs.push_back(vm.overlayReported.connect([this](const std::optional<NudgeKindID>& kind) {
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
    subs.push_back(k.health->balanceScore.observe([this](const BalanceScoreResult& r) {
        out_.emit("balance", {{"score", r.score}, {"tier", rawValue(r.tier)}, {"subtitle", r.subtitle}});
    }));
    subs.push_back(k.health->todayWaterML.observe([this](const int& ml) {
        out_.emit("water", {{"ml", ml}});
    }));
}

void SimWorld::pointer(const SimLine& line) {
    expectWords(line, 2);
    auto& k = core();
    k.pointer.at = Point{parseNumber(line.words[0], "pointer x"), parseNumber(line.words[1], "pointer y")};
    if (!launched_)
        return;
    // The global monitor first, then the notch view's own tracking.
    if (auto* controller = k.delegate->notchWindowController()) {
        controller->reportPointer();
        k.scheduler.runDue();
    }
    deliverHostingTracking();
}

void SimWorld::deliverHostingTracking() {
    auto& k = core();
    auto* controller = k.delegate ? k.delegate->notchWindowController() : nullptr;
    const PanelWindow* panel = controller ? controller->panel() : nullptr;
    if (!panel || !panel->isVisible()) {
        hostingTracked_ = false;
        return;
    }
    const Rect frame = panel->frame();
    const Point p = k.pointer.at;
    const bool inView = frame.contains(p);
    if (inView) {
        const Point local{p.x - frame.x, frame.maxY() - p.y};
        controller->pointerInsideChanged(
            controller->isVisuallyInside(local, Rect{0, 0, frame.width, frame.height}));
    } else if (hostingTracked_) {
        controller->pointerInsideChanged(false);
    }
    hostingTracked_ = inView;
    k.scheduler.runDue();
}

void SimWorld::click() {
    auto& controller = notchController();
    auto& k = core();
    const PanelWindow* panel = controller.panel();
    if (!panel || !panel->isVisible())
        return;
    const Rect frame = panel->frame();
    const Point local{k.pointer.at.x - frame.x, frame.maxY() - k.pointer.at.y};
    const Rect bounds{0, 0, frame.width, frame.height};
    if (!controller.isVisuallyInside(local, bounds))
        return;
    controller.pointerInsideChanged(true);
    controller.notchClicked();
    k.scheduler.runDue();
}

void SimWorld::action(const SimLine& line) {
    if (line.words.empty())
        fail("'do' needs an action");
    notchController(); // every action is a view's, so the app must be running
    auto& k = core();
    auto& vm = *k.viewModel;
    auto& engine = *k.engine;
    const std::string& a = line.words[0];
    const auto args = [&](std::size_t n) {
        if (line.words.size() != n + 1)
            fail("'do " + a + "' takes " + std::to_string(n) + " argument(s)");
    };
    if (a == "complete") {
        args(0);
        vm.completeNudgeFromNotch();
    } else if (a == "ignore") {
        args(0);
        vm.ignoreNudgeFromNotch();
    } else if (a == "trackWater") {
        args(0);
        vm.openWaterTracking();
    } else if (a == "waterSelect") {
        args(1);
        vm.waterTrackingSelectedML.set(parseInt(line.words[1], "waterSelect"));
    } else if (a == "waterConfirm") {
        args(0);
        vm.confirmWaterTracking();
    } else if (a == "lunchDone") {
        args(0);
        vm.completeLunchFromDashboard();
    } else if (a == "openActivity") {
        args(0);
        vm.openActivityHeatMap();
    } else if (a == "closeActivity") {
        args(0);
        vm.closeActivityHeatMap();
    } else if (a == "share") {
        args(0);
        vm.shareActivity();
    } else if (a == "openSettings") {
        args(0);
        vm.openSettings();
    } else if (a == "pause") {
        args(1);
        engine.setPaused(parseBool(line.words[1]));
    } else if (a == "remindersEnabled") {
        args(1);
        k.preferences.write(keys::remindersEnabled, parseBool(line.words[1]));
    } else if (a == "displayDuration") {
        args(1);
        // The stepper runs from 3 to 20 whole seconds.
        const double seconds =
            std::clamp(std::floor(parseNumber(line.words[1], "displayDuration")), 3.0, 20.0);
        k.preferences.write(keys::nudgeDisplayDuration, seconds);
    } else if (a == "goal") {
        args(2);
        const std::string& which = line.words[1];
        const int value = parseInt(line.words[2], "goal");
        if (which == "water")
            k.preferences.write(keys::waterGoalML, value);
        else if (which == "breaks")
            k.preferences.write(keys::breaksGoalDaily, value);
        else if (which == "movement")
            k.preferences.write(keys::movementGoalDaily, value);
        else
            fail("'do goal' takes water, breaks or movement");
        // The pane hands all three current values to the store, in this order.
        k.health->setWaterGoal(k.preferences.read(keys::waterGoalML));
        k.health->setBreaksGoal(k.preferences.read(keys::breaksGoalDaily));
        k.health->setMovementGoal(k.preferences.read(keys::movementGoalDaily));
    } else if (a == "nudgeEnabled") {
        args(2);
        const auto kind = parseKind(line.words[1]);
        k.settings.setKindEnabled(kind, parseBool(line.words[2]));
        engine.rescheduleAll();
        engine.wakeScheduler();
    } else if (a == "nudgeInterval") {
        args(2);
        const auto kind = parseKind(line.words[1]);
        const double seconds = parseNumber(line.words[2], "nudgeInterval");
        if (!definitionFor(kind).usesDailyClockTime) {
            k.settings.storeInterval(kind, seconds);
            engine.scheduleNext(kind);
        }
    } else if (a == "lunchTime") {
        args(1);
        k.preferences.write(keys::launchTimeMinutes,
                            std::clamp(parseInt(line.words[1], "lunchTime"), 0, 1439));
        engine.scheduleNext(NudgeKindID::launch);
    } else if (a == "onboardingFinish") {
        args(0);
        k.onboarding.finish();
    } else if (a == "showOnboarding") {
        args(0);
        k.center.post(notifications::showOnboardingRequested);
    } else {
        fail("unknown action '" + a + "'");
    }
    k.scheduler.runDue();
}

void SimWorld::dump() {
    auto& k = core();
    OrderedJson fields = OrderedJson::object();
    if (k.viewModel) {
        auto& vm = *k.viewModel;
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
    } else {
        fields["state"] = stateFields(NotchState::closed());
        fields["alignment"] = alignmentFields(NotchWindowAlignment::closed());
        fields["overlay"] = nullptr;
        fields["activeNudge"] = nullptr;
        fields["prompt"] = nullptr;
        fields["pointerInside"] = false;
        fields["transitioning"] = false;
        fields["reveal"] = 1.0;
    }
    if (k.health) {
        auto& h = *k.health;
        const auto& score = h.balanceScore.get();
        OrderedJson history = OrderedJson::object();
        for (const auto& [day, value] : h.dailyBalanceHistory.get())
            history[day] = value;
        fields["health"] = {{"day", h.trackingDayKey.get()},
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
    } else {
        fields["health"] = nullptr;
    }
    if (k.engine) {
        OrderedJson next = OrderedJson::object();
        for (const auto& [kind, date] : k.engine->nextFireDates())
            next[std::string(rawValue(kind))] = out_.localTime(date);
        const auto last = k.engine->lastNudgeFireDate();
        fields["engine"] = {{"paused", k.engine->isPaused().get()},
                            {"visible", k.engine->isNudgeVisible()},
                            {"last", last ? OrderedJson(out_.localTime(*last)) : OrderedJson(nullptr)},
                            {"next", next}};
    } else {
        fields["engine"] = nullptr;
    }
    const PanelWindow* panel = k.panels.notchPanel();
    fields["panel"] = panel ? rectJson(panel->frame()) : OrderedJson(nullptr);
    OrderedJson prefs = OrderedJson::object();
    for (const auto& [key, value] : k.preferences.storedValues().items())
        prefs[key] = value;
    fields["prefs"] = prefs;
    out_.emit("dump", fields);
}

} // namespace vornela::sim

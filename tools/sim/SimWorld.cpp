#include "SimWorld.h"

#include "core/notch/NotchWindowController.h"
#include "core/nudges/NudgeCatalogue.h"
#include "fakes/SampleScreens.h"

#include <cmath>
#include <cstdio>
#include <functional>
#include <map>

namespace vornela::sim {

using nlohmann::json;

namespace {

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

SettingsActions::Goal parseGoal(const std::string& text) {
    if (text == "water")
        return SettingsActions::Goal::water;
    if (text == "breaks")
        return SettingsActions::Goal::breaks;
    if (text == "movement")
        return SettingsActions::Goal::movement;
    fail("'do goal' takes water, breaks or movement");
}

// `precise` (a trackpad's pixel deltas) or `line` (a wheel's notches).
bool parseScrollKind(const std::string& text) {
    if (text == "precise")
        return true;
    if (text == "line")
        return false;
    fail("expected precise or line, got '" + text + "'");
}

int parseStepDirection(const std::string& text) {
    if (text == "-1")
        return -1;
    if (text == "1")
        return 1;
    fail("'do rulerStep' takes -1 or 1, got '" + text + "'");
}

void expectWords(const SimLine& line, std::size_t count) {
    if (line.words.size() != count)
        fail("'" + line.command + "' takes " + std::to_string(count) + " argument(s)");
}

// One `do` action: how many words follow its name, and what the view calls in the core.
struct Action {
    std::size_t arguments;
    std::function<void(VornelaCore&, const std::vector<std::string>&)> run;
};

const std::map<std::string, Action>& actions() {
    using Args = std::vector<std::string>;
    static const std::map<std::string, Action> table = {
        {"complete", {0, [](VornelaCore& c, const Args&) { c.notch().completeNudgeFromNotch(); }}},
        {"ignore", {0, [](VornelaCore& c, const Args&) { c.notch().ignoreNudgeFromNotch(); }}},
        {"trackWater", {0, [](VornelaCore& c, const Args&) { c.notch().openWaterTracking(); }}},
        {"waterSelect",
         {1, [](VornelaCore& c, const Args& a) { c.notch().selectWaterML(parseInt(a[0], "waterSelect")); }}},
        {"waterConfirm", {0, [](VornelaCore& c, const Args&) { c.notch().confirmWaterTracking(); }}},
        {"lunchDone", {0, [](VornelaCore& c, const Args&) { c.notch().completeLunchFromDashboard(); }}},
        {"openActivity", {0, [](VornelaCore& c, const Args&) { c.notch().openActivityHeatMap(); }}},
        {"closeActivity", {0, [](VornelaCore& c, const Args&) { c.notch().closeActivityHeatMap(); }}},
        {"share", {0, [](VornelaCore& c, const Args&) { c.notch().shareActivity(); }}},
        {"openSettings", {0, [](VornelaCore& c, const Args&) { c.notch().openSettings(); }}},
        {"rulerDragBegin",
         {0, [](VornelaCore& c, const Args&) { c.ruler().drag(WaterRulerDragPhase::began()); }}},
        {"rulerDragMove",
         {1,
          [](VornelaCore& c, const Args& a) {
              c.ruler().drag(WaterRulerDragPhase::changed(parseNumber(a[0], "rulerDragMove")));
          }}},
        {"rulerDragEnd",
         {2,
          [](VornelaCore& c, const Args& a) {
              c.ruler().drag(WaterRulerDragPhase::ended(parseNumber(a[0], "rulerDragEnd translation"),
                                                        parseNumber(a[1], "rulerDragEnd velocity")));
          }}},
        {"rulerScroll",
         {3,
          [](VornelaCore& c, const Args& a) {
              c.ruler().scrollEvent(parseNumber(a[0], "rulerScroll dx"), parseNumber(a[1], "rulerScroll dy"),
                                    parseScrollKind(a[2]));
          }}},
        {"rulerStep", {1, [](VornelaCore& c, const Args& a) { c.ruler().step(parseStepDirection(a[0])); }}},
        {"pause", {1, [](VornelaCore& c, const Args& a) { c.settings().setPaused(parseBool(a[0])); }}},
        {"remindersEnabled",
         {1, [](VornelaCore& c, const Args& a) { c.settings().setRemindersEnabled(parseBool(a[0])); }}},
        {"displayDuration",
         {1, [](VornelaCore& c,
                const Args& a) { c.settings().setDisplayDuration(parseNumber(a[0], "displayDuration")); }}},
        {"goal",
         {2, [](VornelaCore& c,
                const Args& a) { c.settings().setGoal(parseGoal(a[0]), parseInt(a[1], "goal")); }}},
        {"nudgeEnabled",
         {2, [](VornelaCore& c,
                const Args& a) { c.settings().setNudgeEnabled(parseKind(a[0]), parseBool(a[1])); }}},
        {"nudgeInterval",
         {2,
          [](VornelaCore& c, const Args& a) {
              c.settings().setNudgeInterval(parseKind(a[0]), parseNumber(a[1], "nudgeInterval"));
          }}},
        {"lunchTime",
         {1, [](VornelaCore& c, const Args& a) { c.settings().setLunchTime(parseInt(a[0], "lunchTime")); }}},
        {"onboardingFinish", {0, [](VornelaCore& c, const Args&) { c.onboarding().finish(); }}},
        {"showOnboarding",
         {0, [](VornelaCore& c, const Args&) { c.center().post(notifications::showOnboardingRequested); }}},
    };
    return table;
}

} // namespace

SimWorld::Desktop::Desktop(SimEmitter& out, double wallStart)
    : scheduler(wallStart), haptics(out), panels(out), host(out), settingsWindow(out), sharePreview(out),
      onboarding(out) {}

CorePorts SimWorld::Desktop::ports(const Calendar& calendar, PreferencesBackend& backend) {
    return CorePorts{scheduler, scheduler, calendar,       backend,    text,
                     haptics,   system,    screens,        pointer,    panels,
                     measurer,  host,      settingsWindow, onboarding, sharePreview};
}

SimWorld::SimWorld(std::ostream& out) : out_(out, calendar_), screens_(defaultScreens()) {}

SimWorld::~SimWorld() {
    subscriptions_.clear();
    core_.reset();
}

std::vector<ScreenInfo> SimWorld::defaultScreens() {
    return {fakes::notchedLaptop()};
}

void SimWorld::run(const SimLine& line) {
    using Command = void (SimWorld::*)(const SimLine&);
    static const std::map<std::string, Command> commands = {
        {"start", &SimWorld::start},   {"pref", &SimWorld::setPreference}, {"screens", &SimWorld::setScreens},
        {"launch", &SimWorld::launch}, {"advance", &SimWorld::advance},    {"sleep", &SimWorld::sleep},
        {"clock", &SimWorld::clock},   {"pointer", &SimWorld::pointer},    {"click", &SimWorld::click},
        {"do", &SimWorld::action},     {"dump", &SimWorld::dump},          {"quit", &SimWorld::quit},
    };
    const auto it = commands.find(line.command);
    if (it == commands.end()) {
        desktop(); // a script that does not begin with 'start' says so first
        fail("unknown command '" + line.command + "'");
    }
    if (line.command != "start")
        desktop();
    (this->*it->second)(line);
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

void SimWorld::start(const SimLine& line) {
    if (desktop_)
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
    desktop_ = std::make_unique<Desktop>(out_, *wall);
    out_.setClock(&desktop_->scheduler);
    desktop_->screens.list = screens_;
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
    if (!core_) {
        // Before launch the file is all there is.
        json stored = backend_.values();
        if (value.is_null())
            stored.erase(key);
        else
            stored[key] = std::move(value);
        backend_.setValues(std::move(stored));
        return;
    }
    core_->preferences().setValue(key, std::move(value));
    desktop_->scheduler.runDue();
}

void SimWorld::setScreens(const SimLine& line) {
    json value;
    try {
        value = json::parse(line.rest);
    } catch (const json::parse_error&) {
        fail("'screens' needs a JSON array");
    }
    screens_ = parseScreens(value);
    desktop_->screens.list = screens_;
    if (!core_)
        return;
    core_->screensChanged();
    desktop_->scheduler.runDue();
    deliverHostingTracking();
}

void SimWorld::launch(const SimLine& line) {
    expectWords(line, 0);
    if (core_)
        fail("'launch' may appear only once");
    core_ = std::make_unique<VornelaCore>(desktop_->ports(calendar_, backend_));
    observe();
    core_->launch();
    desktop_->scheduler.runDue();
}

void SimWorld::advance(const SimLine& line) {
    expectWords(line, 1);
    const double seconds = parseNumber(line.words[0], "advance");
    if (seconds < 0)
        fail("'advance' cannot go back in time");
    desktop_->scheduler.advance(seconds);
}

void SimWorld::sleep(const SimLine& line) {
    expectWords(line, 1);
    const double seconds = parseNumber(line.words[0], "sleep");
    if (seconds < 0)
        fail("'sleep' cannot go back in time");
    desktop_->scheduler.sleep(seconds);
    if (core_)
        core_->didWake();
    desktop_->scheduler.runDue();
}

void SimWorld::clock(const SimLine& line) {
    expectWords(line, 1);
    desktop_->scheduler.shiftWall(parseNumber(line.words[0], "clock"));
    if (core_)
        core_->wallClockChanged();
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
    subs.push_back(health.todayWaterML.observe([this](const int& ml) { out_.emit("water", {{"ml", ml}}); }));
}

void SimWorld::pointer(const SimLine& line) {
    expectWords(line, 2);
    desktop_->pointer.at =
        Point{parseNumber(line.words[0], "pointer x"), parseNumber(line.words[1], "pointer y")};
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

void SimWorld::click(const SimLine& line) {
    expectWords(line, 0);
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

void SimWorld::action(const SimLine& line) {
    if (line.words.empty())
        fail("'do' needs an action");
    notchController(); // every action is a view's, so the app must be running
    const std::string& name = line.words[0];
    const auto it = actions().find(name);
    if (it == actions().end())
        fail("unknown action '" + name + "'");
    if (line.words.size() != it->second.arguments + 1)
        fail("'do " + name + "' takes " + std::to_string(it->second.arguments) + " argument(s)");
    it->second.run(*core_, std::vector<std::string>(line.words.begin() + 1, line.words.end()));
    desktop_->scheduler.runDue();
}

void SimWorld::dump(const SimLine& line) {
    expectWords(line, 0);
    const json& stored = core_ ? core_->preferences().storedValues() : backend_.values();
    out_.emit("dump", dumpFields(core_.get(), stored, desktop_->panels.notchPanel(), out_));
}

void SimWorld::quit(const SimLine& line) {
    expectWords(line, 0);
    if (core_)
        core_->terminate();
    desktop_->scheduler.runDue();
}

} // namespace vornela::sim

#include "SimCommand.h"

#include "SimJson.h"
#include "core/app/VornelaCore.h"
#include "core/base/Calendar.h"
#include "core/onboarding/OnboardingWindow.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <map>
#include <string_view>

namespace vornela::sim {

using nlohmann::json;

namespace {

using Args = std::vector<std::string>;
using Run = std::function<void(VornelaCore&)>;

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

// Any number the line writes must still be one once read: 1e999 or a 1,000-digit number is not.
json parseJson(const std::string& text, const std::string& what) {
    try {
        return json::parse(text, [&](int depth, json::parse_event_t, json&) {
            if (depth >= maximumJsonDepth)
                fail(what + " is nested deeper than " + std::to_string(maximumJsonDepth) + " levels");
            return true;
        });
    } catch (const json::out_of_range&) {
        fail(what + " holds a number out of range");
    } catch (const json::exception&) {
        fail(what + " needs a JSON value");
    }
}

void expectWords(const SimLine& line, std::size_t count) {
    if (line.words.size() != count)
        fail("'" + line.command + "' takes " + std::to_string(count) + " argument(s)");
}

// Exactly YYYY-MM-DDTHH:MM:SS, a date the Gregorian calendar has.
SimCommand::WallTime parseStart(const std::string& text) {
    static constexpr std::string_view pattern = "dddd-dd-ddTdd:dd:dd";
    bool shaped = text.size() == pattern.size();
    for (std::size_t i = 0; shaped && i < text.size(); ++i) {
        const bool digit = std::isdigit(static_cast<unsigned char>(text[i])) != 0;
        shaped = pattern[i] == 'd' ? digit : text[i] == pattern[i];
    }
    const auto field = [&](std::size_t at, std::size_t length) { return std::stoi(text.substr(at, length)); };
    SimCommand::WallTime t;
    if (shaped) {
        t = {field(0, 4), field(5, 2), field(8, 2), field(11, 2), field(14, 2), field(17, 2)};
        shaped = t.year >= 1 && t.month >= 1 && t.month <= 12 && t.day >= 1 &&
                 t.day <= Calendar::daysInMonth(t.year, t.month) && t.hour <= 23 && t.minute <= 59 &&
                 t.second <= 59;
    }
    if (!shaped)
        fail("'start' takes a local time YYYY-MM-DDTHH:MM:SS");
    return t;
}

// An IANA name as found under the zone database, never a path out of it.
std::string parseZone(const std::string& text) {
    bool valid = !text.empty() && text.size() <= 64 && text.front() != '/' && text.back() != '/';
    for (std::size_t i = 0; valid && i < text.size(); ++i) {
        const char c = text[i];
        valid =
            std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '/' || c == '_' || c == '-' || c == '+';
        if (c == '/' && i + 1 < text.size() && text[i + 1] == '/')
            valid = false;
    }
    if (!valid || text.find("..") != std::string::npos)
        fail("'tz' takes a time zone name such as Europe/Berlin, got '" + text + "'");
    return text;
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

std::uint64_t parseSeed(const std::string& text) {
    std::uint64_t value = 0;
    const char* end = text.data() + text.size();
    // Digits only: from_chars alone would take a leading minus sign for an unsigned value.
    const bool digits =
        !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (!digits || error != std::errc() || stop != end)
        fail("'grain' takes a seed 0 to 18446744073709551615, got '" + text + "'");
    return value;
}

double parseSide(const std::string& text, const char* what) {
    const double value = parseNumber(text, what);
    if (value < 0 || value > maximumGrainSide)
        fail(std::string("'grain' takes a ") + what + " of 0 to " +
             std::to_string(static_cast<int>(maximumGrainSide)) + " points, got '" + text + "'");
    return value;
}

// One `do` action: how many words follow its name, and how they become the view's call.
struct Action {
    std::size_t arguments;
    std::function<Run(const Args&)> parse;
};

template <class F> std::function<Run(const Args&)> fixed(F call) {
    return [call](const Args&) -> Run { return call; };
}

const std::map<std::string, Action, std::less<>>& actions() {
    static const std::map<std::string, Action, std::less<>> table = {
        {"complete", {0, fixed([](VornelaCore& c) { c.notch().completeNudgeFromNotch(); })}},
        {"ignore", {0, fixed([](VornelaCore& c) { c.notch().ignoreNudgeFromNotch(); })}},
        {"trackWater", {0, fixed([](VornelaCore& c) { c.notch().openWaterTracking(); })}},
        {"waterSelect",
         {1,
          [](const Args& a) -> Run {
              const int ml = parseInt(a[0], "waterSelect");
              return [ml](VornelaCore& c) { c.notch().selectWaterML(ml); };
          }}},
        {"waterConfirm", {0, fixed([](VornelaCore& c) { c.notch().confirmWaterTracking(); })}},
        {"lunchDone", {0, fixed([](VornelaCore& c) { c.notch().completeLunchFromDashboard(); })}},
        {"openActivity", {0, fixed([](VornelaCore& c) { c.notch().openActivityHeatMap(); })}},
        {"closeActivity", {0, fixed([](VornelaCore& c) { c.notch().closeActivityHeatMap(); })}},
        {"share", {0, fixed([](VornelaCore& c) { c.notch().shareActivity(); })}},
        {"openSettings", {0, fixed([](VornelaCore& c) { c.notch().openSettings(); })}},
        {"settingsOpen", {0, fixed([](VornelaCore& c) { c.ports().settingsWindow.show(); })}},
        {"settingsClose", {0, fixed([](VornelaCore& c) { c.settingsWindow().didClose(); })}},
        {"rulerDragBegin", {0, fixed([](VornelaCore& c) { c.ruler().drag(WaterRulerDragPhase::began()); })}},
        {"rulerDragMove",
         {1,
          [](const Args& a) -> Run {
              const double translation = parseNumber(a[0], "rulerDragMove");
              return [translation](VornelaCore& c) {
                  c.ruler().drag(WaterRulerDragPhase::changed(translation));
              };
          }}},
        {"rulerDragEnd",
         {2,
          [](const Args& a) -> Run {
              const double translation = parseNumber(a[0], "rulerDragEnd translation");
              const double velocity = parseNumber(a[1], "rulerDragEnd velocity");
              return [translation, velocity](VornelaCore& c) {
                  c.ruler().drag(WaterRulerDragPhase::ended(translation, velocity));
              };
          }}},
        {"rulerScroll",
         {3,
          [](const Args& a) -> Run {
              const double dx = parseNumber(a[0], "rulerScroll dx");
              const double dy = parseNumber(a[1], "rulerScroll dy");
              const bool precise = parseScrollKind(a[2]);
              return [dx, dy, precise](VornelaCore& c) { c.ruler().scrollEvent(dx, dy, precise); };
          }}},
        {"rulerStep",
         {1,
          [](const Args& a) -> Run {
              const int direction = parseStepDirection(a[0]);
              return [direction](VornelaCore& c) { c.ruler().step(direction); };
          }}},
        {"pause",
         {1,
          [](const Args& a) -> Run {
              const bool on = parseBool(a[0]);
              return [on](VornelaCore& c) { c.settings().setPaused(on); };
          }}},
        {"remindersEnabled",
         {1,
          [](const Args& a) -> Run {
              const bool on = parseBool(a[0]);
              return [on](VornelaCore& c) { c.settings().setRemindersEnabled(on); };
          }}},
        {"displayDuration",
         {1,
          [](const Args& a) -> Run {
              const double seconds = parseNumber(a[0], "displayDuration");
              return [seconds](VornelaCore& c) { c.settings().setDisplayDuration(seconds); };
          }}},
        {"goal",
         {2,
          [](const Args& a) -> Run {
              const auto goal = parseGoal(a[0]);
              const int value = parseInt(a[1], "goal");
              return [goal, value](VornelaCore& c) { c.settings().setGoal(goal, value); };
          }}},
        {"nudgeEnabled",
         {2,
          [](const Args& a) -> Run {
              const auto kind = parseKind(a[0]);
              const bool on = parseBool(a[1]);
              return [kind, on](VornelaCore& c) { c.settings().setNudgeEnabled(kind, on); };
          }}},
        {"nudgeInterval",
         {2,
          [](const Args& a) -> Run {
              const auto kind = parseKind(a[0]);
              const double seconds = parseNumber(a[1], "nudgeInterval");
              return [kind, seconds](VornelaCore& c) { c.settings().setNudgeInterval(kind, seconds); };
          }}},
        {"lunchTime",
         {1,
          [](const Args& a) -> Run {
              const int minutes = parseInt(a[0], "lunchTime");
              return [minutes](VornelaCore& c) { c.settings().setLunchTime(minutes); };
          }}},
        {"onboardingFinish", {0, fixed([](VornelaCore& c) { c.onboarding().finish(); })}},
        {"onboardingNext", {0, fixed([](VornelaCore& c) { c.onboarding().primaryAction(); })}},
        {"onboardingBack", {0, fixed([](VornelaCore& c) { c.onboarding().back(); })}},
        {"onboardingEscape", {0, fixed([](VornelaCore& c) { c.onboarding().escape(); })}},
        {"onboardingClose", {0, fixed([](VornelaCore& c) {
                                 // The title bar's button: the controller may refuse.
                                 OnboardingWindow& window = c.ports().onboardingWindow;
                                 if (window.isVisible() && c.onboarding().windowShouldClose())
                                     window.close();
                             })}},
        {"onboardingKey", {0, fixed([](VornelaCore& c) {
                               if (c.ports().onboardingWindow.isVisible())
                                   c.onboarding().windowDidBecomeKey();
                           })}},
        {"showOnboarding",
         {0, fixed([](VornelaCore& c) { c.center().post(notifications::showOnboardingRequested); })}},
    };
    return table;
}

double parseSeconds(const SimLine& line, bool mayGoBack) {
    expectWords(line, 1);
    const double seconds = parseNumber(line.words[0], line.command.c_str());
    if (!mayGoBack && seconds < 0)
        fail("'" + line.command + "' cannot go back in time");
    return seconds;
}

SimCommand parse(const SimLine& line) {
    using Name = SimCommand::Name;
    static const std::map<std::string, Name, std::less<>> names = {
        {"start", Name::start},     {"pref", Name::pref},
        {"screens", Name::screens}, {"launch", Name::launch},
        {"advance", Name::advance}, {"sleep", Name::sleep},
        {"clock", Name::clock},     {"tz", Name::tz},
        {"pointer", Name::pointer}, {"click", Name::click},
        {"do", Name::action},       {"dump", Name::dump},
        {"quit", Name::quit},       {"firstweekday", Name::firstWeekday},
        {"heatmap", Name::heatmap}, {"grain", Name::grain},
    };
    const auto it = names.find(line.command);
    if (it == names.end())
        fail("unknown command '" + line.command + "'");
    SimCommand command;
    command.name = it->second;
    command.line = line.number;
    switch (command.name) {
    case Name::start:
        expectWords(line, 1);
        command.start = parseStart(line.words[0]);
        break;
    case Name::pref: {
        if (line.words.size() < 2)
            fail("'pref' takes a key and a JSON value");
        command.key = line.words[0];
        // Every key is printed by `dump` as JSON text, which must be UTF-8.
        try {
            (void)json(command.key).dump();
        } catch (const json::exception&) {
            fail("'pref' key is not valid UTF-8");
        }
        const std::string value = line.rest.substr(line.rest.find(command.key) + command.key.size());
        command.value = parseJson(value, "'pref " + command.key + "'");
        break;
    }
    case Name::screens:
        command.screens = parseScreens(parseJson(line.rest, "'screens'"));
        break;
    case Name::advance:
        command.seconds = parseSeconds(line, false);
        if (command.seconds > maximumAdvanceSeconds)
            fail("'advance' covers at most " + std::to_string(static_cast<long>(maximumAdvanceSeconds)) +
                 " seconds at a time");
        break;
    case Name::sleep:
        command.seconds = parseSeconds(line, false);
        break;
    case Name::clock:
        command.seconds = parseSeconds(line, true);
        break;
    case Name::tz:
        expectWords(line, 1);
        command.key = parseZone(line.words[0]);
        break;
    case Name::pointer:
        expectWords(line, 2);
        command.point =
            Point{parseNumber(line.words[0], "pointer x"), parseNumber(line.words[1], "pointer y")};
        break;
    case Name::action: {
        if (line.words.empty())
            fail("'do' needs an action");
        command.key = line.words[0];
        const auto found = actions().find(command.key);
        if (found == actions().end())
            fail("unknown action '" + command.key + "'");
        if (line.words.size() != found->second.arguments + 1)
            fail("'do " + command.key + "' takes " + std::to_string(found->second.arguments) +
                 " argument(s)");
        command.action = found->second.parse(Args(line.words.begin() + 1, line.words.end()));
        break;
    }
    case Name::firstWeekday:
        expectWords(line, 1);
        command.number = parseInt(line.words[0], "firstweekday");
        if (command.number < 1 || command.number > 7)
            fail("'firstweekday' takes 1 (Sunday) to 7 (Saturday), got '" + line.words[0] + "'");
        break;
    case Name::grain:
        expectWords(line, 4);
        command.seed = parseSeed(line.words[0]);
        command.canvas = Size{parseSide(line.words[1], "width"), parseSide(line.words[2], "height")};
        command.number = parseInt(line.words[3], "grain dots");
        if (command.number < 0 || command.number > maximumGrainDots)
            fail("'grain' prints 0 to " + std::to_string(maximumGrainDots) + " dots, got '" + line.words[3] +
                 "'");
        break;
    case Name::heatmap:
    case Name::launch:
    case Name::click:
    case Name::dump:
    case Name::quit:
        expectWords(line, 0);
        break;
    }
    return command;
}

} // namespace

std::optional<SimCommand> parseScriptLine(const std::string& text, int number) {
    const auto line = SimLine::parse(text, number);
    if (!line)
        return std::nullopt;
    return parse(*line);
}

} // namespace vornela::sim

#pragma once

namespace vornela {

class ApplicationHost;
class Calendar;
class Clock;
class CompletionCardMeasurer;
class Haptics;
class LoginItemPort;
class OnboardingWindow;
class PanelWindowFactory;
class PointerSource;
class PreferencesBackend;
class Scheduler;
class ScreenSource;
class SettingsWindowPort;
class SharePreviewServices;
class TextMeasurer;
struct SystemPreferences;
struct TimeZoneSource;
struct UpdatePorts;

// Everything the core needs from the world it runs in. The desktop hands in Linux services, the
// simulator and the tests hand in recorders on virtual time; the core is built the same way.
struct CorePorts {
    const Clock& clock;
    Scheduler& scheduler;
    const Calendar& calendar;
    PreferencesBackend& preferencesBackend;
    const TextMeasurer& text;
    Haptics& haptics;
    SystemPreferences& system;
    const ScreenSource& screens;
    const PointerSource& pointer;
    PanelWindowFactory& panels;
    const CompletionCardMeasurer& cardMeasurer;
    ApplicationHost& host;
    SettingsWindowPort& settingsWindow;
    OnboardingWindow& onboardingWindow;
    SharePreviewServices& sharePreview;
    TimeZoneSource& timeZone;
    LoginItemPort& loginItem;
    // None: the updater only says this build cannot update itself.
    const UpdatePorts* updates;
};

} // namespace vornela

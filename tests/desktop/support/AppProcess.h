#pragma once

#include <QProcess>
#include <QRect>
#include <QString>
#include <QTemporaryDir>

#include <nlohmann/json.hpp>

#include <string>

namespace vornela::test {

// The real vornela binary in a session of its own: private config and runtime directories, the
// test's display and session bus.
class AppProcess {
public:
    // Two processes built with the same `session` share the runtime directory (the instance lock).
    explicit AppProcess(const QString& runtimeDirectory = {});
    ~AppProcess();

    void writePreferences(const nlohmann::json& values);
    void writePreferencesText(const std::string& text);
    // The preferences file as it is on disk now; a discarded value when it does not parse.
    nlohmann::json readPreferences() const;
    QString preferencesPath() const;
    QString runtimeDirectory() const { return runtimeDirectory_; }

    void start(const QStringList& unsetVariables = {},
               const QList<QPair<QString, QString>>& setVariables = {});
    qint64 pid() const { return process_.processId(); }
    bool isRunning() const { return process_.state() != QProcess::NotRunning; }
    // The exit status, or -1 when it is still running after `seconds`.
    int waitForExit(double seconds);
    void sendSignal(int signal);
    // Everything it has written to standard error so far, across restarts.
    QString standardError();

private:
    QTemporaryDir config_;
    QTemporaryDir runtime_;
    QString runtimeDirectory_;
    QProcess process_;
    QString standardError_;
};

// Xvfb's screen is 1920 x 1080 with no camera notch: the fallback pill, 180 x 32 centred on the top
// edge, narrowed by one pixel on its left.
inline const QRect restingPill{871, 0, 179, 32};

// A returning user with every kind off, so nothing can come due while a test looks at the notch.
inline nlohmann::json quietDay() {
    return {{"hasCompletedOnboarding", true},     {"nudgeEnabled_water", false},
            {"nudgeEnabled_eyeBreak", false},     {"nudgeEnabled_standMove", false},
            {"nudgeEnabled_postureCheck", false}, {"nudgeEnabled_launch", false}};
}

// Local minutes after midnight, `offset` minutes from now, in the process time zone.
int minutesFromNow(int offset);

} // namespace vornela::test

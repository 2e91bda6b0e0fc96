#include "AppProcess.h"

#include <QDir>
#include <QFile>
#include <QProcessEnvironment>

#include <csignal>
#include <ctime>
#include <sys/stat.h>

namespace vornela::test {

AppProcess::AppProcess(const QString& runtimeDirectory)
    : runtimeDirectory_(runtimeDirectory.isEmpty() ? runtime_.path() : runtimeDirectory) {
    ::chmod(runtimeDirectory_.toLocal8Bit().constData(), 0700);
    // Another build may stand in, to see how it fares.
    process_.setProgram(qEnvironmentVariable("VORNELA_APP_BINARY", QStringLiteral(VORNELA_BINARY)));
}

AppProcess::~AppProcess() {
    if (isRunning()) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}

QString AppProcess::preferencesPath() const {
    return config_.path() + QStringLiteral("/vornela/preferences.json");
}

void AppProcess::writePreferences(const nlohmann::json& values) {
    writePreferencesText(values.dump());
}

void AppProcess::writePreferencesText(const std::string& text) {
    QDir().mkpath(config_.path() + QStringLiteral("/vornela"));
    QFile file(preferencesPath());
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(QByteArray::fromStdString(text));
}

nlohmann::json AppProcess::readPreferences() const {
    QFile file(preferencesPath());
    if (!file.open(QIODevice::ReadOnly))
        return nlohmann::json::value_t::discarded;
    return nlohmann::json::parse(file.readAll().toStdString(), nullptr, false);
}

void AppProcess::start(const QStringList& unsetVariables,
                       const QList<QPair<QString, QString>>& setVariables) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), config_.path());
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDirectory_);
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    for (const QString& name : unsetVariables)
        env.remove(name);
    for (const auto& [name, value] : setVariables)
        env.insert(name, value);
    process_.setProcessEnvironment(env);
    process_.start();
    process_.waitForStarted(10000);
}

int AppProcess::waitForExit(double seconds) {
    if (isRunning() && !process_.waitForFinished(static_cast<int>(seconds * 1000)))
        return -1;
    return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : 128 + SIGKILL;
}

void AppProcess::sendSignal(int signal) {
    if (isRunning())
        ::kill(static_cast<pid_t>(pid()), signal);
}

QString AppProcess::standardError() {
    standardError_ += QString::fromLocal8Bit(process_.readAllStandardError());
    return standardError_;
}

int minutesFromNow(int offset) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return ((local.tm_hour * 60 + local.tm_min + offset) % 1440 + 1440) % 1440;
}

} // namespace vornela::test

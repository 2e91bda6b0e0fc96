#pragma once

#include "core/app/SettingsWindowPort.h"

#include <QPointer>
#include <QWidget>

#include <functional>

namespace vornela {

class ApplicationHost;

// Interim: until the real Settings window lands, the one thing it must offer is a way out.
class InterimSettingsWindow : public SettingsWindowPort {
public:
    InterimSettingsWindow(ApplicationHost& host, std::function<void()> quit);
    ~InterimSettingsWindow() override;

    void show() override;
    bool isVisible() const override;
    QWidget* window() const { return window_; }

private:
    ApplicationHost& host_;
    std::function<void()> quit_;
    QPointer<QWidget> window_;
};

} // namespace vornela

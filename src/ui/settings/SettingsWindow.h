#pragma once

#include "core/base/Signal.h"
#include "ui/settings/SettingsServices.h"

#include <QWidget>

class QLabel;
class QStackedWidget;

namespace vornela {

class GeneralSettingsPane;
class NudgesSettingsPane;
class SettingsSidebar;

// The Settings window: the sidebar of panes and the selected pane under its title. Made once and
// reused; closing only hides it.
class SettingsWindow : public QWidget {
public:
    explicit SettingsWindow(SettingsServices services, QWidget* parent = nullptr);
    ~SettingsWindow() override;

    // Shows the window (centred the first time) and brings it to the front.
    void present();

    SettingsSidebar* sidebar() const { return sidebar_; }
    GeneralSettingsPane* general() const { return general_; }
    NudgesSettingsPane* nudges() const { return nudges_; }
    QLabel* paneTitle() const { return title_; }

    static constexpr QSize defaultSize{820, 600};
    static constexpr QSize minimumSize{700, 480};

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void showPane();
    // Switches jump instead of sliding while the desktop asks for less motion.
    void followReduceMotion(bool on);

    SettingsServices services_;
    SettingsSidebar* sidebar_;
    QLabel* title_;
    QStackedWidget* stack_;
    GeneralSettingsPane* general_;
    NudgesSettingsPane* nudges_;
    Subscription selection_;
    Subscription reduceMotion_;
    bool placed_ = false;
};

} // namespace vornela

#include "ui/settings/SettingsWindow.h"
#include "UiTestPictures.h"
#include "core/settings/SettingsWindowModel.h"
#include "core/store/PreferenceKeys.h"
#include "fakes/FakeSettingsPorts.h"
#include "support/CoreWorld.h"
#include "ui/base/AnimationDriver.h"
#include "ui/base/ToggleSwitch.h"
#include "ui/base/WindowTheme.h"
#include "ui/settings/GeneralSettingsPane.h"
#include "ui/settings/SettingsSidebar.h"

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace vornela;
using namespace vornela::testing;

namespace {

struct SettingsWorld : CoreWorld {
    SettingsWorld() : CoreWorld("Europe/Berlin", 2026, 3, 10, 9, 0) {}
    fakes::FakeUpdater updater;
    fakes::FakeLoginItem loginItem;
    AnimationDriver driver{scheduler};
    SettingsWindow window{SettingsServices{core->settingsWindow(),
                                           core->settings(),
                                           core->preferences(),
                                           core->engine(),
                                           updater,
                                           loginItem,
                                           desktop.system,
                                           scheduler,
                                           driver,
                                           {}}};

    QImage render() {
        QApplication::processEvents();
        QImage image(window.size(), QImage::Format_ARGB32_Premultiplied);
        window.render(&image);
        return image;
    }
};

} // namespace

// Titles, row labels, footers and the version line read in both schemes; the selected pane is
// marked in the sidebar and shown on the right.
TEST(SettingsWindow, ReadsInLightAndDarkAndShowsTheSelectedPane) {
    SettingsWorld w;
    w.core->settingsWindow().willShow();
    w.window.resize(SettingsWindow::defaultSize.width(), 1000);
    for (const bool dark : {false, true}) {
        WindowTheme::apply(w.window, dark);
        w.core->settingsWindow().select(SettingsPane::general);
        const QImage image = w.render();
        GeneralSettingsPane& general = *w.window.general();
        for (const QLabel* label : {w.window.paneTitle(), general.durationLabel(), general.footer(0),
                                    general.footer(3), general.versionLabel()}) {
            const QRect text(label->mapTo(&w.window, label->contentsRect().topLeft()),
                             label->contentsRect().size());
            EXPECT_GE(inkContrast(image, text), 4.5)
                << qPrintable(label->text()) << (dark ? " (dark)" : " (light)");
        }
        const QColor highlight = w.window.palette().color(QPalette::Highlight);
        const auto rowColour = [&](const QImage& picture, SettingsPane pane) {
            const SettingsSidebarRow* row = w.window.sidebar()->row(pane);
            return picture.pixelColor(row->mapTo(&w.window, QPoint(row->width() - 6, row->height() / 2)));
        };
        EXPECT_EQ(rowColour(image, SettingsPane::general), highlight);
        EXPECT_NE(rowColour(image, SettingsPane::nudges), highlight);

        w.window.sidebar()->row(SettingsPane::nudges)->click();
        EXPECT_EQ(w.core->settingsWindow().selection().get(), SettingsPane::nudges);
        EXPECT_EQ(w.window.paneTitle()->text(), QStringLiteral("Nudges"));
        const QImage nudges = w.render();
        EXPECT_EQ(rowColour(nudges, SettingsPane::nudges), highlight);
        EXPECT_NE(rowColour(nudges, SettingsPane::general), highlight);
    }
}

// The controls write through and show what is in force: a goal picked, the login entry refusing
// a change, a build without an updater.
TEST(SettingsWindow, ControlsWriteThroughAndSayWhatIsUnavailable) {
    SettingsWorld w;
    w.core->settingsWindow().willShow();
    GeneralSettingsPane& general = *w.window.general();
    QComboBox* water = general.goalPicker(SettingsActions::Goal::water);
    EXPECT_EQ(water->currentText(), QStringLiteral("2 L"));
    water->activated(water->findText(QStringLiteral("3.5 L")));
    EXPECT_EQ(w.preferences->read(keys::waterGoalML), 3500);
    EXPECT_EQ(w.health->waterGoalML.get(), 3500);
    w.core->settings().setGoal(SettingsActions::Goal::water, 1500);
    EXPECT_EQ(water->currentText(), QStringLiteral("1.5 L")) << "a goal set elsewhere shows, off the list";

    w.loginItem.failure = "permission denied";
    general.loginSwitch()->click();
    EXPECT_FALSE(general.loginSwitch()->isChecked()) << "shows the desktop's state";
    EXPECT_EQ(general.loginError()->text(), QStringLiteral("permission denied"));
    w.loginItem.failure.clear();
    general.loginSwitch()->click();
    EXPECT_TRUE(w.loginItem.enabled);
    EXPECT_TRUE(general.loginError()->text().isEmpty());

    w.updater.status = "No connection to the update server.";
    w.updater.changed.emit();
    EXPECT_EQ(general.updateStatus()->text(), QStringLiteral("No connection to the update server."));
    EXPECT_FALSE(general.updateStatus()->isHidden());

    w.updater.own = false;
    w.updater.changed.emit();
    EXPECT_TRUE(general.updateStatus()->isHidden());
    EXPECT_FALSE(general.checkButton()->isEnabled());
    EXPECT_FALSE(general.autoCheckSwitch()->isEnabled());
    EXPECT_FALSE(general.autoInstallSwitch()->isEnabled());
    EXPECT_EQ(general.footer(3)->text(), QStringLiteral("This build has no update feed."));
}

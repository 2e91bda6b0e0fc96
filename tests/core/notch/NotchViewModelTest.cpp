#include "core/store/HexColor.h"
#include "core/store/PreferenceKeys.h"
#include "support/NotchWorld.h"

#include <gtest/gtest.h>

using namespace vornela;
using namespace vornela::testing;
using namespace vornela::fakes;

TEST(NotchViewModel, BackgroundFollowsTheColourSetting) {
    NotchWorld w;
    EXPECT_EQ(w.vm->backgroundColor.get(), parseHexColor("#050506")) << "the setting's default";
    int changes = 0;
    auto sub = w.vm->backgroundColor.observe([&](const Color&) { ++changes; });

    w.preferences->setValue("backgroundColorHex", " #FF8000\n");
    EXPECT_EQ(w.vm->backgroundColor.get(), Color::rgb(1, 128.0 / 255, 0));
    w.center->post(notifications::backgroundColorDidChange);
    w.preferences->setValue("backgroundColorHex", "ff8000");
    EXPECT_EQ(changes, 1) << "the same colour is not assigned again";

    w.preferences->setValue("backgroundColorHex", "#12345");
    EXPECT_EQ(w.vm->backgroundColor.get(), defaultBackgroundColor);
    EXPECT_EQ(changes, 2);

    CoreWorld relaunched("Europe/Berlin", 2026, 6, 1, 10, 0);
    relaunched.preferences->setValue("backgroundColorHex", "#102030");
    relaunched.restart();
    EXPECT_EQ(relaunched.core->notch().backgroundColor.get(), Color::rgb(16.0 / 255, 32.0 / 255, 48.0 / 255));
}

TEST(NotchViewModel, WithoutAScreenStateStillChangesAndTheFirstGeometryLaysOut) {
    NotchWorld w(std::vector<ScreenInfo>{});
    w.vm->presentNudge(NudgeKindID::eyeBreak, false);
    EXPECT_EQ(w.state(), NotchState::nudge(NudgeKindID::eyeBreak));
    EXPECT_TRUE(w.desktop.panels.created.empty());
    w.vm->dismissNudge(true);
    EXPECT_EQ(w.state(), NotchState::closed());

    w.desktop.screens.list = {notchedLaptop()};
    w.window->handleScreenChange();
    EXPECT_EQ(w.vm->layoutMetrics.get().windowSize, w.geometry().anchorRect.size());
}

TEST(NotchViewModel, DashboardFiguresRefreshEveryMinuteWhileOpen) {
    NotchWorld w;
    w.openDashboard();
    const auto today = w.health->trackingDayKey.get();
    auto logElsewhere = [&](int ml) {
        w.preferences->write(keys::waterIntakeDay, today);
        w.preferences->write(keys::waterIntakeML, ml);
    };
    logElsewhere(700);
    w.advance(58);
    EXPECT_EQ(w.health->todayWaterML.get(), 0);
    w.advance(2);
    EXPECT_EQ(w.health->todayWaterML.get(), 700);

    w.leave();
    w.advance(1);
    logElsewhere(900);
    w.advance(180);
    EXPECT_EQ(w.health->todayWaterML.get(), 700) << "closed: no refresh";
}

TEST(NotchViewModel, DashboardActions) {
    NotchWorld w;
    w.vm->presentNudge(NudgeKindID::launch, false);
    w.advance(1);
    w.enter();
    w.advance(0.11);

    w.vm->completeLunchFromDashboard();
    EXPECT_EQ(w.health->completedToday(NudgeKindID::launch), 1);
    EXPECT_GT(w.engine->nextFireDates().at(NudgeKindID::launch), w.at(23, 59)) << "lunch again tomorrow";
    EXPECT_EQ(w.desktop.haptics.alignments, 1);
    EXPECT_FALSE(w.vm->nudgeOverlay.get()) << "the lunch nudge is done";
    EXPECT_EQ(w.state(), NotchState::hoverExpanded());
    w.vm->completeLunchFromDashboard();
    EXPECT_EQ(w.health->completedToday(NudgeKindID::launch), 1) << "one lunch a day";
    EXPECT_EQ(w.desktop.haptics.alignments, 1);

    NotchWorld posture; // lunch done from the dashboard leaves another held nudge alone
    posture.vm->presentNudge(NudgeKindID::postureCheck, false);
    posture.advance(1);
    posture.openDashboard();
    posture.vm->completeLunchFromDashboard();
    EXPECT_EQ(posture.vm->nudgeOverlay.get(), NudgeKindID::postureCheck);

    auto& preview = w.core->sharePreview();
    w.vm->shareActivity();
    EXPECT_FALSE(preview.isOpen()) << "only from the heat map";
    w.vm->openActivityHeatMap();
    w.vm->shareActivity();
    ASSERT_TRUE(preview.isOpen());
    EXPECT_EQ(preview.history(), w.health->dailyBalanceHistory.get());
    EXPECT_EQ(preview.background(), ActivityShareBackground::mono);
    w.vm->closeActivityHeatMap();
    EXPECT_EQ(w.state(), NotchState::hoverExpanded());

    int settingsOpened = 0;
    w.vm->onOpenSettings = [&] { ++settingsOpened; };
    w.vm->openSettings();
    EXPECT_EQ(settingsOpened, 1);
}

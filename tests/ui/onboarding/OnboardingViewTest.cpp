#include "UiTestPictures.h"
#include "core/app/VornelaCore.h"
#include "core/onboarding/OnboardingPage.h"
#include "core/store/PreferenceKeys.h"
#include "fakes/VirtualDesktop.h"
#include "ui/base/AnimationDriver.h"
#include "ui/base/ToggleSwitch.h"
#include "ui/base/WindowTheme.h"
#include "ui/onboarding/OnboardingContent.h"
#include "ui/onboarding/OnboardingNudgeCard.h"
#include "ui/onboarding/OnboardingSetUpPage.h"

#include <QAccessible>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>

namespace vornela {
namespace {

using testing::inkContrast;

// A first run on virtual time with the window's content on one page, in one scheme.
struct OnboardingScene {
    OnboardingScene(int page, bool dark) : world(1780308000) {
        world.desktop.system.darkAppearance.set(dark);
        world.launch();
        world.core->onboarding().showPage(page);
        view = std::make_unique<OnboardingView>(onboardingContent(*world.core, driver));
        WindowTheme::apply(*view, dark);
        view->resize(640, static_cast<int>(onboarding::pageHeight(page)));
    }
    QImage render() {
        QImage image(view->size(), QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        view->render(&image);
        return image;
    }
    QRect boxOf(QWidget& widget) { return QRect(widget.mapTo(view.get(), QPoint(0, 0)), widget.size()); }
    QLabel& labelSaying(const QString& text) {
        for (QLabel* label : view->findChildren<QLabel*>())
            if (label->text() == text)
                return *label;
        throw std::runtime_error("no label: " + text.toStdString());
    }
    OnboardingSetUpPage& setUp() { return *dynamic_cast<OnboardingSetUpPage*>(view->page()); }

    fakes::VirtualDesktop world;
    AnimationDriver driver{world.scheduler};
    std::unique_ptr<OnboardingView> view;
};

TEST(OnboardingView, EveryPageReadsInLightAndDark) {
    struct Line {
        int page;
        QString text;
        double atLeast;
    };
    const Line lines[] = {
        {0, "Vornela", 7},
        {0, "Gentle health nudges at the top of your screen.", 4.5},
        {1, "Daily goals", 4.5},
        {1, "Nudge frequencies follow these targets across a 10-hour active day.", 3},
        {2, "You're all set", 7},
        {2, "Vornela will start when you log in. You can turn this off in Settings.", 4.5},
    };
    for (bool dark : {false, true}) {
        for (const Line& line : lines) {
            OnboardingScene scene(line.page, dark);
            const QImage image = scene.render();
            EXPECT_GE(inkContrast(image, scene.boxOf(scene.labelSaying(line.text))), line.atLeast)
                << line.text.toStdString() << (dark ? " (dark)" : " (light)");
            EXPECT_GE(inkContrast(image, scene.boxOf(scene.view->primaryButton()).adjusted(4, 4, -4, -4)),
                      4.5)
                << scene.view->primaryButton().text().toStdString();
        }
    }
}

TEST(OnboardingView, FooterFollowsThePage) {
    OnboardingScene scene(0, false);
    EXPECT_EQ(scene.view->primaryButton().text(), "Continue");
    EXPECT_TRUE(scene.view->backButton().isHidden());
    scene.view->primaryButton().click();
    EXPECT_EQ(scene.view->primaryButton().text(), "Get Started");
    const auto* indicator = scene.view->findChild<QWidget*>("onboarding-step-indicator");
    ASSERT_NE(indicator, nullptr);
    QAccessibleInterface* step = QAccessible::queryAccessibleInterface(const_cast<QWidget*>(indicator));
    ASSERT_NE(step, nullptr);
    EXPECT_EQ(step->text(QAccessible::Name), "Step 2 of 3");
    EXPECT_EQ(step->text(QAccessible::Value), "Set up nudges");
    EXPECT_FALSE(scene.view->backButton().isHidden());
    EXPECT_EQ(scene.view->primaryButton().accessibleDescription(),
              "Finish setup and see where Vornela lives");
    scene.view->backButton().click();
    EXPECT_EQ(scene.world.core->onboarding().coordinator().page.get(), 0);
}

// A goal set elsewhere that is no option shows a blank; picking an option writes it. The lunch
// card is headed as a lunch reminder (it said "Launch Reminder"), and its switch still writes
// the stored kind name preference files know.
TEST(OnboardingView, SetUpPageShowsWhatIsStoredAndWritesWhatIsPicked) {
    OnboardingScene scene(0, false);
    auto& preferences = scene.world.core->preferences();
    preferences.write(keys::hasCompletedOnboarding, true);
    preferences.write(keys::waterGoalML, 1500);
    scene.world.core->onboarding().showPage(1);
    OnboardingSetUpPage page(OnboardingSetUpPage::Services{
        preferences, scene.world.core->nudgeSettings(), scene.world.core->settings(), scene.world.scheduler,
        false, scene.driver, scene.world.desktop.system});
    QComboBox& water = page.goalMenu(SettingsActions::Goal::water);
    EXPECT_EQ(water.currentText(), "");
    water.activated(water.findData(3000));
    EXPECT_EQ(preferences.read(keys::waterGoalML), 3000);
    EXPECT_EQ(scene.world.core->health().waterGoalML.get(), 3000);

    const auto labels = page.findChildren<QLabel*>();
    EXPECT_TRUE(
        std::any_of(labels.begin(), labels.end(), [](QLabel* l) { return l->text() == "Lunch Reminder"; }));
    OnboardingNudgeCard* lunch = page.nudgeCards().back();
    ASSERT_NE(lunch->lunchTime(), nullptr);
    lunch->enabledSwitch().click();
    EXPECT_EQ(preferences.storedValues().value("nudgeEnabled_launch", true), false);
}

} // namespace
} // namespace vornela

// Renders every notch surface and state offscreen to PNG files, for reviewing the drawing
// without a desktop session: vornela-gallery OUTDIR
#include "GalleryWorld.h"
#include "fakes/SampleScreens.h"

#include "core/activity/ActivityHeatMapGrid.h"
#include "core/dashboard/HoverHomeModel.h"
#include "core/dashboard/WaterTrackingModel.h"
#include "core/notch/NotchShapes.h"
#include "core/nudges/NudgeCatalogue.h"
#include "core/onboarding/OnboardingPage.h"
#include "fakes/FakeSettingsPorts.h"
#include "ui/activity/ActivityHeatMapChart.h"
#include "ui/activity/ShareCardRenderer.h"
#include "ui/activity/SharePreviewWindow.h"
#include "ui/base/AnimationDriver.h"
#include "ui/base/QtConversions.h"
#include "ui/base/ToggleSwitch.h"
#include "ui/base/Typography.h"
#include "ui/base/WindowTheme.h"
#include "ui/notch/NotchContainerView.h"
#include "ui/nudges/NudgeCompletionActionRow.h"
#include "ui/nudges/NudgeCompletionView.h"
#include "ui/onboarding/OnboardingContent.h"
#include "ui/onboarding/OnboardingTheme.h"
#include "ui/onboarding/OnboardingView.h"
#include "ui/settings/GeneralSettingsPane.h"
#include "ui/settings/NudgeSettingsRowView.h"
#include "ui/settings/NudgesSettingsPane.h"
#include "ui/settings/SettingsSidebar.h"
#include "ui/settings/SettingsWindow.h"
#include "ui/updates/UpdateDialog.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QWidget>

#include <cmath>
#include <cstdio>
#include <functional>
#include <string>

using namespace vornela;

namespace {

constexpr double kScale = 2;
constexpr int kMargin = 40;

QImage backdrop(QSize logical) {
    QImage image((QSizeF(logical) * kScale).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(kScale);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, 0, logical.height());
    gradient.setColorAt(0, QColor(58, 64, 82));
    gradient.setColorAt(1, QColor(32, 36, 48));
    painter.fillRect(QRectF(QPointF(0, 0), QSizeF(logical)), gradient);
    return image;
}

class Gallery {
public:
    explicit Gallery(QString dir) : dir_(std::move(dir)) {}

    // One notch scene: `setup` drives the world, then the view is drawn as it looks now.
    void notch(const QString& name, const ScreenInfo& screen, bool reduceMotion,
               const std::function<void(GalleryWorld&)>& setup) {
        GalleryWorld world(screen);
        world.system().reduceMotion.set(reduceMotion);
        AnimationDriver driver(world.scheduler());
        NotchContainerView view(world.vm(), world.system(), world.scheduler(), driver);
        view.hostOpenSurfaces(world.dashboard(), world.ruler(), world.activity());
        setup(world);
        const Size size = world.vm().layoutMetrics.get().windowSize;
        view.resize(int(std::ceil(size.width)), int(std::ceil(size.height)));

        const QSize canvas(view.width() + 2 * kMargin, view.height() + kMargin);
        QImage image = backdrop(canvas);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        const NotchLayoutMetrics& m = world.vm().layoutMetrics.get();
        if (world.geometry().screen.safeAreaTopInset > 0) {
            // The camera housing itself, so the scene shows what the surface covers.
            const Rect housing{kMargin + m.leftExpansion, 0, m.anchorWidth, m.anchorHeight};
            painter.fillPath(toPainterPath(macNotchShape(housing, std::nullopt, std::nullopt)),
                             QColor(6, 6, 8));
        }
        view.render(&painter, QPoint(kMargin, 0), QRegion(), QWidget::DrawChildren);
        painter.end();
        save(name, image);
    }

    void card(const QString& name, NudgeKindID kind, bool dark) {
        ManualScheduler clock(GalleryWorld::wallStart, 1000);
        SystemPreferences system;
        system.darkAppearance.set(dark);
        QWidget host;
        const NudgeCompletionUIState state{kind, definitionFor(kind).message};
        NudgeCompletionView card(state, true, dark, clock.monotonicNow());
        NudgeCompletionActionRow actions(kind, {}, {}, clock, system, &host);
        actions.setOnLightSurface(!dark);
        const QPointF origin(kMargin / 2.0, kMargin / 2.0);
        actions.setGeometry(card.actionRowRect().translated(origin));
        const QSizeF size = card.fittingSize();
        QImage image = backdrop(QSize(int(size.width()) + kMargin, int(size.height()) + kMargin));
        if (!dark)
            image.fill(QColor(222, 226, 234));
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        card.paint(painter, origin, clock.monotonicNow(), false, &actions);
        painter.end();
        save(name, image);
    }

    // The share card in one background, as the JPEG the exports write.
    void shareCard(const QString& name, const ShareCardContent& content, ActivityShareBackground background) {
        const ShareCardRenderer renderer(applicationIcon(108), productWebAddress());
        const std::optional<QByteArray> jpeg = encodeJpeg(renderer.render(content, background));
        const QString path = QDir(dir_).filePath(name + ".jpg");
        QFile file(path);
        if (jpeg && file.open(QIODevice::WriteOnly) && file.write(*jpeg) == jpeg->size()) {
            std::printf("%s\n", qPrintable(path));
        } else {
            std::fprintf(stderr, "vornela-gallery: could not write %s\n", qPrintable(path));
            ++failures_;
        }
    }

    // The heat map chart alone on the notch's black, as the activity page lays it out.
    void chart(const QString& name, const ActivityHeatMapGrid& grid, int firstWeekday) {
        const ActivityHeatMapChart chart(grid, ActivityHeatMapChartStyle::notch, firstWeekday);
        const QSizeF size = chart.size();
        QImage image =
            backdrop(QSize(int(std::ceil(size.width())) + kMargin, int(std::ceil(size.height())) + kMargin));
        image.fill(Qt::black);
        QPainter painter(&image);
        chart.paint(painter, QRectF(kMargin / 2.0, kMargin / 2.0, size.width(), size.height()));
        painter.end();
        save(name, image);
    }

    int failures() const { return failures_; }

private:
    void save(const QString& name, const QImage& image) {
        const QString path = QDir(dir_).filePath(name + ".png");
        if (image.save(path)) {
            std::printf("%s\n", qPrintable(path));
        } else {
            std::fprintf(stderr, "vornela-gallery: could not write %s\n", qPrintable(path));
            ++failures_;
        }
    }

    QString dir_;
    int failures_ = 0;
};

// About a hundred days of scores before `now`: every tier, a few untracked days, and today.
IntMap sampleHistory(const Calendar& calendar, double now) {
    IntMap history;
    for (int back = 0; back < 100; ++back) {
        const std::optional<double> day = calendar.addDays(now, -back);
        if (!day || back % 9 == 4 || back % 13 == 7)
            continue;
        history[calendar.dayKey(*day)] = (back * 37 + 20) % 101;
    }
    return history;
}

void settle(GalleryWorld& world) {
    world.scheduler().advance(2);
}

// A day's record: water, then completed nudges of each kind.
void record(GalleryWorld& world, int waterML, int breaks, int moves, int lunches) {
    HealthDataStore& health = world.health();
    if (waterML > 0)
        health.logWater(waterML);
    for (int i = 0; i < breaks; ++i)
        health.recordCompletion(NudgeKindID::eyeBreak);
    for (int i = 0; i < moves; ++i)
        health.recordCompletion(NudgeKindID::standMove);
    for (int i = 0; i < lunches; ++i)
        health.recordCompletion(NudgeKindID::launch);
}

void openDashboard(GalleryWorld& world) {
    world.movePointer(true);
    settle(world);
}

void openRuler(GalleryWorld& world) {
    openDashboard(world);
    world.dashboard().perform(StatChip::QuickAction::trackWater);
    settle(world);
}

// Advances until the content reveal reaches `target` (or the surface settles).
void revealTo(GalleryWorld& world, double target) {
    for (int i = 0; i < 600 && world.vm().contentRevealProgress() < target; ++i)
        world.scheduler().advance(1.0 / 240);
}

// The share preview window offscreen, as it opens (rendering its first card) and after Copy on
// the colourful card; the recorders' stand-in cards are drawn for the background they name.
bool writeSharePreviews(const QString& dir, const ShareCardContent& content) {
    fakes::VirtualDesktop world(GalleryWorld::wallStart);
    SharePreviewModel& model = world.core->sharePreview();
    const ShareCardRenderer renderer(applicationIcon(108), productWebAddress());
    SharePreviewWindow window(model, [&](const ShareCardImage& card) {
        return renderer.render(content, static_cast<const fakes::FakeShareServices::Card&>(card).background);
    });
    const auto write = [&](const QString& name) {
        const QString path = QDir(dir).filePath(name + ".png");
        const bool written = window.grab().toImage().save(path);
        std::fprintf(written ? stdout : stderr, written ? "%s\n" : "vornela-gallery: could not write %s\n",
                     qPrintable(path));
        return written;
    };
    model.presentSharePreview({}, ActivityShareBackground::mono);
    bool written = write("share-preview-rendering");
    world.scheduler.runDue();
    model.chooseBackground(ActivityShareBackground::colorful);
    world.scheduler.runDue();
    model.copy();
    written = write("share-preview-colorful-copied") && written;
    model.close();
    return written;
}

// Each onboarding page of a first run, in the light and the dark scheme, at the window's size.
bool writeOnboardingPages(const QString& dir) {
    bool written = true;
    for (bool dark : {false, true}) {
        fakes::VirtualDesktop world(GalleryWorld::wallStart);
        world.desktop.system.darkAppearance.set(dark);
        world.launch();
        AnimationDriver driver(world.scheduler);
        for (int page = onboarding::meetPage; page < onboarding::pageCount; ++page) {
            world.core->onboarding().showPage(page);
            OnboardingView view(onboardingContent(*world.core, driver));
            WindowTheme::apply(view, dark);
            view.resize(static_cast<int>(onboarding::windowWidth),
                        static_cast<int>(onboarding::pageHeight(page)));
            QImage image((view.size() * kScale), QImage::Format_ARGB32_Premultiplied);
            image.setDevicePixelRatio(kScale);
            image.fill(Qt::transparent);
            view.render(&image);
            const QString path =
                QDir(dir).filePath(QStringLiteral("onboarding-%1-%2.png")
                                       .arg(page + 1)
                                       .arg(dark ? QStringLiteral("dark") : QStringLiteral("light")));
            const bool ok = image.save(path);
            std::fprintf(ok ? stdout : stderr, ok ? "%s\n" : "vornela-gallery: could not write %s\n",
                         qPrintable(path));
            written = written && ok;
            if (page != onboarding::setUpPage)
                continue;
            // The whole set-up page, scrolled or not: every card down to the lunch reminder.
            QWidget* setUp = view.page();
            setUp->resize(setUp->width(), 1260);
            QImage full(setUp->size() * kScale, QImage::Format_ARGB32_Premultiplied);
            full.setDevicePixelRatio(kScale);
            full.fill(onboardingTheme::background(view.palette()));
            setUp->render(&full, QPoint(), QRegion(), QWidget::DrawChildren);
            const QString fullPath =
                QDir(dir).filePath(QStringLiteral("onboarding-2-whole-%1.png")
                                       .arg(dark ? QStringLiteral("dark") : QStringLiteral("light")));
            written = full.save(fullPath) && written;
            std::printf("%s\n", qPrintable(fullPath));
        }
    }
    // Halfway through the slide from the first page to the set-up page, as the window shows it.
    {
        fakes::VirtualDesktop world(GalleryWorld::wallStart);
        world.launch();
        AnimationDriver driver(world.scheduler);
        OnboardingView view(onboardingContent(*world.core, driver));
        WindowTheme::apply(view, false);
        view.resize(static_cast<int>(onboarding::windowWidth), static_cast<int>(onboarding::pageHeight(0)));
        view.show();
        world.core->onboarding().primaryAction();
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < onboardingTheme::pageChangeMilliseconds() / 2)
            QApplication::processEvents(QEventLoop::AllEvents, 10);
        const QString path = QDir(dir).filePath(QStringLiteral("onboarding-sliding-forward-light.png"));
        const bool ok = view.grab().toImage().save(path);
        std::fprintf(ok ? stdout : stderr, ok ? "%s\n" : "vornela-gallery: could not write %s\n",
                     qPrintable(path));
        written = ok && written;
    }
    return written;
}

// The settings window on each pane in both schemes, at its opening size and at full height, and
// the lunch row of the Nudges pane on its own.
bool writeSettings(const QString& dir) {
    fakes::VirtualDesktop world(GalleryWorld::wallStart);
    fakes::FakeUpdater updater;
    fakes::FakeLoginItem loginItem;
    AnimationDriver driver(world.scheduler);
    VornelaCore& core = *world.core;
    SettingsWindow window(SettingsServices{core.settingsWindow(),
                                           core.settings(),
                                           core.preferences(),
                                           core.engine(),
                                           updater,
                                           loginItem,
                                           world.desktop.system,
                                           world.scheduler,
                                           driver,
                                           {}});
    bool written = true;
    const auto write = [&](const QString& name, QWidget& widget) {
        const QString path = QDir(dir).filePath(name + ".png");
        // Layouts and scroll bars settle on posted events after a resize.
        QApplication::processEvents();
        const bool ok = widget.grab().toImage().save(path);
        std::fprintf(ok ? stdout : stderr, ok ? "%s\n" : "vornela-gallery: could not write %s\n",
                     qPrintable(path));
        written = ok && written;
    };
    core.settingsWindow().willShow();
    for (const bool dark : {false, true}) {
        const QString scheme = dark ? QStringLiteral("dark") : QStringLiteral("light");
        WindowTheme::apply(window, dark);
        core.settingsWindow().select(SettingsPane::general);
        window.resize(SettingsWindow::defaultSize);
        window.show();
        write("settings-general-" + scheme, window);
        window.resize(SettingsWindow::defaultSize.width(), 1040);
        write("settings-general-full-" + scheme, window);
        core.settingsWindow().select(SettingsPane::nudges);
        window.resize(SettingsWindow::defaultSize.width(), 900);
        write("settings-nudges-" + scheme, window);
        window.resize(SettingsWindow::minimumSize);
        write("settings-nudges-minimum-" + scheme, window);
        write("settings-nudge-row-lunch-" + scheme, *window.nudges()->rows().at(4));
    }
    // A water goal stored outside the menu's amounts, and the login entry refusing a change.
    core.settings().setGoal(SettingsActions::Goal::water, 1500);
    updater.own = false;
    updater.changed.emit();
    loginItem.failure = "Could not write the autostart entry: permission denied.";
    core.settingsWindow().select(SettingsPane::general);
    window.general()->loginSwitch()->click();
    window.resize(SettingsWindow::defaultSize.width(), 1080);
    write("settings-general-no-updater-dark", window);
    window.hide();
    // The two sidebar icons, four times enlarged, to judge the glyphs.
    QImage icons(QSize(2 * 22 + 12, 22) * 4, QImage::Format_ARGB32_Premultiplied);
    icons.fill(Qt::white);
    {
        QPainter painter(&icons);
        painter.scale(4, 4);
        paintSettingsSidebarIcon(painter, QRectF(0, 0, 22, 22), SettingsPane::general);
        paintSettingsSidebarIcon(painter, QRectF(34, 0, 22, 22), SettingsPane::nudges);
    }
    const QString iconsPath = QDir(dir).filePath("settings-sidebar-icons.png");
    written = icons.save(iconsPath) && written;
    std::printf("%s\n", qPrintable(iconsPath));

    // A home install offered a newer release, then downloading it.
    updater.own = true;
    const UpdateRelease release{"0.2.0",
                                "Vornela 0.2.0",
                                "Calmer nudges after lunch.\nThe water ruler remembers your usual glass.\n"
                                "Settings opens on the pane you used last.",
                                "https://vornela.app/releases/vornela-0.2.0.tar.gz",
                                1,
                                ""};
    UpdateDialog offer(updater, "0.1.0");
    for (const bool dark : {false, true}) {
        WindowTheme::apply(offer, dark);
        offer.present(release);
        write(dark ? QStringLiteral("update-offer-dark") : QStringLiteral("update-offer-light"), offer);
    }
    offer.installButton()->click();
    updater.progress = 0.42;
    updater.changed.emit();
    write("update-downloading-dark", offer);
    offer.hide();
    return written;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() != 2 || args[1].isEmpty() || args[1].startsWith('-')) {
        std::fprintf(stderr, "usage: vornela-gallery OUTDIR\n");
        return 2;
    }
    if (!QDir().mkpath(args[1])) {
        std::fprintf(stderr, "vornela-gallery: cannot create %s\n", qPrintable(args[1]));
        return 1;
    }
    ensureInterfaceFont();
    Gallery gallery(args[1]);
    const ScreenInfo laptop = fakes::notchedLaptop();
    // The pill's screen: a plain monitor without a camera notch.
    const ScreenInfo monitor = fakes::externalDisplay("monitor", 0, true);

    gallery.notch("notch-closed-fallback-pill", monitor, false, [](GalleryWorld&) {});
    gallery.notch("notch-closed-hardware", laptop, false, [](GalleryWorld&) {});
    gallery.notch("notch-hover-expanded", laptop, false, [](GalleryWorld& w) {
        w.movePointer(true);
        settle(w);
    });
    gallery.notch("notch-hover-expanded-fallback", monitor, false, [](GalleryWorld& w) {
        w.movePointer(true);
        settle(w);
    });

    // The dashboard in each tier: nothing done yet; half the water and two breaks; every goal but
    // lunch and movement; and a full day with the breaks over their goal and lunch done.
    gallery.notch("dashboard-runningOnEmpty", laptop, false, [](GalleryWorld& w) { openDashboard(w); });
    gallery.notch("dashboard-pushingIt", laptop, false, [](GalleryWorld& w) {
        record(w, 1000, 2, 0, 0);
        openDashboard(w);
    });
    gallery.notch("dashboard-balanced-lunch-not-done", laptop, false, [](GalleryWorld& w) {
        record(w, 2000, 6, 0, 0);
        openDashboard(w);
    });
    gallery.notch("dashboard-thriving-lunch-done-breaks-over-goal", laptop, false, [](GalleryWorld& w) {
        record(w, 2000, 8, 4, 1);
        openDashboard(w);
    });
    gallery.notch("dashboard-reduce-motion", laptop, true, [](GalleryWorld& w) {
        record(w, 1300, 3, 2, 0);
        openDashboard(w);
    });
    gallery.notch("dashboard-fallback", monitor, false, [](GalleryWorld& w) {
        record(w, 1300, 3, 2, 0);
        openDashboard(w);
    });
    gallery.notch("dashboard-mid-change", laptop, false, [](GalleryWorld& w) {
        record(w, 500, 1, 0, 0);
        openDashboard(w);
        w.health().logWater(800);
        w.scheduler().advance(0.08);
    });

    gallery.notch("ruler-empty", laptop, false, [](GalleryWorld& w) { openRuler(w); });
    gallery.notch("ruler-1300ml", laptop, false, [](GalleryWorld& w) {
        openRuler(w);
        w.vm().selectWaterML(1300);
        settle(w);
    });
    gallery.notch("ruler-dragging-past-the-goal", laptop, false, [](GalleryWorld& w) {
        openRuler(w);
        w.ruler().drag(WaterRulerDragPhase::began());
        w.ruler().drag(WaterRulerDragPhase::changed(-200));
        settle(w);
    });
    gallery.notch("ruler-goal-900ml", laptop, false, [](GalleryWorld& w) {
        w.health().setWaterGoal(900);
        openRuler(w);
        w.vm().selectWaterML(500);
        settle(w);
    });
    gallery.notch("ruler-digit-mid-roll", laptop, false, [](GalleryWorld& w) {
        openRuler(w);
        w.vm().selectWaterML(900);
        settle(w);
        w.ruler().step(1);
        w.scheduler().advance(0.06);
    });
    gallery.notch("ruler-reduce-motion", laptop, true, [](GalleryWorld& w) {
        openRuler(w);
        w.ruler().step(1);
        w.ruler().step(1);
        settle(w);
    });

    for (NudgeKindID kind : allNudgeKinds) {
        const QString name = QString::fromUtf8(rawValue(kind).data(), qsizetype(rawValue(kind).size()));
        gallery.notch("nudge-" + name, laptop, false, [kind](GalleryWorld& w) {
            w.vm().presentNudge(kind, false);
            settle(w);
        });
    }
    gallery.notch("nudge-eyeBreak-fallback", monitor, false, [](GalleryWorld& w) {
        w.vm().presentNudge(NudgeKindID::eyeBreak, false);
        settle(w);
    });
    gallery.notch("nudge-standMove-mid-reveal", laptop, false, [](GalleryWorld& w) {
        w.vm().presentNudge(NudgeKindID::standMove, false);
        revealTo(w, 0.4);
    });
    gallery.notch("nudge-standMove-mid-reveal-reduce-motion", laptop, true, [](GalleryWorld& w) {
        w.vm().presentNudge(NudgeKindID::standMove, false);
        revealTo(w, 0.4);
    });
    gallery.notch("nudge-postureCheck-reduce-motion", laptop, true, [](GalleryWorld& w) {
        w.vm().presentNudge(NudgeKindID::postureCheck, false);
        settle(w);
    });

    for (NudgeKindID kind : {NudgeKindID::eyeBreak, NudgeKindID::launch}) {
        const QString name = QString::fromUtf8(rawValue(kind).data(), qsizetype(rawValue(kind).size()));
        gallery.card("completion-card-" + name + "-light", kind, false);
        gallery.card("completion-card-" + name + "-dark", kind, true);
    }
    // The activity heat map: three months of history on the first day of June (Sunday-first and
    // Monday-first), and mid-month, where every tier shows.
    {
        const Calendar calendar;
        const double firstOfJune = GalleryWorld::wallStart;
        const double midMay = firstOfJune - 17 * 86400;
        gallery.chart("activity-chart-first-day-of-month",
                      ActivityHeatMapGrid::build(sampleHistory(calendar, firstOfJune), firstOfJune, calendar),
                      1);
        LocaleData mondayFirst = LocaleData::enUS();
        mondayFirst.firstWeekday = 2;
        const Calendar monday(mondayFirst);
        gallery.chart("activity-chart-monday-first",
                      ActivityHeatMapGrid::build(sampleHistory(monday, midMay), midMay, monday), 2);
        const ShareCardContent content{
            ActivityHeatMapGrid::build(sampleHistory(calendar, midMay), midMay, calendar),
            shareDateRangeText(midMay, calendar), 1};
        auto openActivity = [&calendar](GalleryWorld& w, double now) {
            w.preferences().write(keys::dailyBalanceHistory, sampleHistory(calendar, now));
            w.health().refresh();
            openDashboard(w);
            w.dashboard().openActivity();
            settle(w);
        };
        gallery.notch("activity-page-first-day-of-month", laptop, false,
                      [&](GalleryWorld& w) { openActivity(w, firstOfJune); });
        gallery.notch("activity-page-fallback", monitor, false,
                      [&](GalleryWorld& w) { openActivity(w, firstOfJune); });
        for (ActivityShareBackground background : allShareBackgrounds)
            gallery.shareCard("share-card-" + QString::fromUtf8(rawValue(background).data()), content,
                              background);
    }
    // The share preview window.
    {
        const Calendar calendar;
        const double midMay = GalleryWorld::wallStart - 17 * 86400;
        const ShareCardContent content{
            ActivityHeatMapGrid::build(sampleHistory(calendar, midMay), midMay, calendar),
            shareDateRangeText(midMay, calendar), 1};
        if (!writeSharePreviews(args[1], content))
            return 1;
    }
    if (!writeOnboardingPages(args[1]))
        return 1;
    if (!writeSettings(args[1]))
        return 1;
    return gallery.failures() == 0 ? 0 : 1;
}

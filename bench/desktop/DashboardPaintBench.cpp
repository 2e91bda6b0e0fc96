// Cost of painting one frame of the hover dashboard and of the water ruler mid-drag, into a QImage
// at device pixel ratio 2 as the animation driver asks for them at the display rate.
#include "core/activity/ActivityHeatMapGrid.h"
#include "core/dashboard/HoverHomeModel.h"
#include "core/dashboard/WaterTrackingModel.h"
#include "core/notch/NotchWindowController.h"
#include "core/store/PreferenceKeys.h"
#include "fakes/VirtualDesktop.h"
#include "ui/activity/ActivityHeatMapChart.h"
#include "ui/base/AnimationDriver.h"
#include "ui/base/IdleMemory.h"
#include "ui/notch/NotchContainerView.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <cmath>
#include <functional>

using namespace vornela;

namespace {

// A returning user's notch with the pointer resting on it and the dashboard open and settled.
struct OpenNotch {
    OpenNotch() : world(1780308000) {
        world.launchQuietly();
        const Rect anchor = world.core->notchWindowController()->geometry()->anchorRect;
        world.desktop.pointer.at = {anchor.midX(), anchor.midY()};
        world.core->notchWindowController()->pointerInsideChanged(true);
        world.scheduler.advance(2);
    }
    void advance(double seconds) { world.scheduler.advance(seconds); }

    fakes::VirtualDesktop world;
};

void paintFrames(benchmark::State& state, const std::function<void(OpenNotch&)>& setup,
                 const std::function<void(OpenNotch&, int)>& perFrame, bool hosted = true) {
    OpenNotch notch;
    AnimationDriver driver(notch.world.scheduler);
    NotchContainerView view(notch.world.core->notch(), notch.world.desktop.system, notch.world.scheduler,
                            driver);
    if (hosted)
        view.hostOpenSurfaces(notch.world.core->dashboard(), notch.world.core->ruler(),
                              notch.world.core->activity());
    view.setAttribute(Qt::WA_DontShowOnScreen);
    view.show();
    setup(notch);
    const Size size = notch.world.core->notch().layoutMetrics.get().windowSize;
    view.resize(int(std::ceil(size.width)), int(std::ceil(size.height)));
    QImage image(view.size() * 2, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(2);
    int frame = 0;
    for (auto _ : state) {
        perFrame(notch, frame++);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        view.paintSurface(painter);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["width"] = view.width();
    state.counters["height"] = view.height();
}

// The same open notch without its content: what the black shape and its clip cost by themselves.
void BM_OpenNotchFrame_Empty(benchmark::State& state) {
    paintFrames(
        state, [](OpenNotch&) {}, [](OpenNotch&, int) {}, false);
}

void BM_DashboardFrame_Settled(benchmark::State& state) {
    paintFrames(
        state,
        [](OpenNotch& n) {
            n.world.core->health().logWater(1300);
            n.advance(1);
        },
        [](OpenNotch&, int) {});
}

// The first frame of a dashboard that opens after the closed notch gave its fonts back: what
// reopening costs. Closing and reopening are left out of the timing.
void BM_DashboardFrame_FirstAfterIdleRelease(benchmark::State& state) {
    paintFrames(
        state, [](OpenNotch&) {},
        [&state](OpenNotch& n, int) {
            state.PauseTiming();
            n.world.core->notchWindowController()->pointerInsideChanged(false);
            n.advance(2);
            releaseIdleMemory();
            n.world.core->notchWindowController()->pointerInsideChanged(true);
            n.advance(0.1);
            state.ResumeTiming();
        });
}

// Every frame inside a value change: rolling figures, bars and ring on their way.
void BM_DashboardFrame_ValueChange(benchmark::State& state) {
    paintFrames(
        state, [](OpenNotch&) {},
        [](OpenNotch& n, int frame) {
            if (frame % 16 == 0)
                n.world.core->health().logWater(100);
            n.advance(1.0 / 120);
        });
}

// The pointer drags the ruler past its ends and back: the centre moves every frame, so the
// blurred edge copy is redrawn every frame too.
void BM_RulerFrame_MidDrag(benchmark::State& state) {
    paintFrames(
        state,
        [](OpenNotch& n) {
            n.world.core->dashboard().perform(StatChip::QuickAction::trackWater);
            n.advance(1);
            n.world.core->ruler().drag(WaterRulerDragPhase::began());
        },
        [](OpenNotch& n, int frame) {
            n.world.core->ruler().drag(WaterRulerDragPhase::changed(-120 + (frame % 240) * 0.7));
        });
}

// The activity page at rest over three months of history: its layer is reused, as on screen.
void BM_ActivityPageFrame(benchmark::State& state) {
    paintFrames(
        state,
        [](OpenNotch& n) {
            const Calendar& calendar = n.world.core->ports().calendar;
            IntMap history;
            for (int back = 1; back < 92; ++back)
                history[calendar.dayKey(*calendar.addDays(n.world.scheduler.wallNow(), -back))] = back;
            n.world.core->preferences().write(keys::dailyBalanceHistory, history);
            n.world.core->health().refresh();
            n.world.core->dashboard().openActivity();
            n.advance(1);
        },
        [](OpenNotch&, int) {});
}

// The same page drawn from scratch: the first frame after it opens or after the history changes.
void BM_ActivityChart_FirstFrame(benchmark::State& state) {
    OpenNotch notch;
    const Calendar& calendar = notch.world.core->ports().calendar;
    IntMap history;
    for (int back = 1; back < 92; ++back)
        history[calendar.dayKey(*calendar.addDays(notch.world.scheduler.wallNow(), -back))] = back;
    QImage image(QSize(468, 216) * 2, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(2);
    for (auto _ : state) {
        const ActivityHeatMapGrid grid =
            ActivityHeatMapGrid::build(history, notch.world.scheduler.wallNow(), calendar);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        ActivityHeatMapChart(grid, ActivityHeatMapChartStyle::notch, 1)
            .paint(painter, QRectF(14, 42, 440, 113));
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

} // namespace

BENCHMARK(BM_ActivityPageFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ActivityChart_FirstFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OpenNotchFrame_Empty)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DashboardFrame_Settled)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DashboardFrame_FirstAfterIdleRelease)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DashboardFrame_ValueChange)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RulerFrame_MidDrag)->Unit(benchmark::kMicrosecond);

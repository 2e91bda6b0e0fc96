// Cost of painting one frame of the notch surface mid-expand, as the animation driver asks for
// it at the display rate. Frames go into a QImage at device pixel ratio 2, like a HiDPI panel.
#include "core/notch/NotchWindowController.h"
#include "fakes/VirtualDesktop.h"
#include "ui/base/AnimationDriver.h"
#include "ui/base/Typography.h"
#include "ui/notch/NotchContainerView.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <cmath>
#include <functional>

using namespace vornela;

namespace {

// A returning user's notch on the sample laptop, every nudge held back: the benchmark presents.
struct Notch {
    Notch() : world(1780308000) { world.launchQuietly(); }
    NotchViewModel& vm() { return world.core->notch(); }
    void advance(double seconds) { world.scheduler.advance(seconds); }

    fakes::VirtualDesktop world;
};

void revealTo(Notch& w, double target) {
    for (int i = 0; i < 2000 && w.vm().contentRevealProgress() < target; ++i)
        w.advance(1.0 / 1000);
}

void paintFrames(benchmark::State& state, const std::function<void(Notch&)>& setup) {
    Notch world;
    AnimationDriver driver(world.world.scheduler);
    NotchContainerView view(world.vm(), world.world.desktop.system, world.world.scheduler, driver);
    setup(world);
    const Size size = world.vm().layoutMetrics.get().windowSize;
    view.resize(int(std::ceil(size.width)), int(std::ceil(size.height)));
    QImage image(view.size() * 2, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(2);
    for (auto _ : state) {
        image.fill(Qt::transparent);
        QPainter painter(&image);
        view.paintSurface(painter);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["reveal"] = world.vm().contentRevealProgress();
    state.counters["width"] = view.width();
    state.counters["height"] = view.height();
}

void BM_NotchFrame_NudgeWithCompletionRow_MidReveal(benchmark::State& state) {
    paintFrames(state, [](Notch& w) {
        w.vm().presentNudge(NudgeKindID::eyeBreak, false);
        revealTo(w, 0.4);
    });
}

void BM_NotchFrame_WaterNudge_MidReveal(benchmark::State& state) {
    paintFrames(state, [](Notch& w) {
        w.vm().presentNudge(NudgeKindID::water, false);
        revealTo(w, 0.4);
    });
}

void BM_NotchFrame_HoverExpanded_MidReveal(benchmark::State& state) {
    paintFrames(state, [](Notch& w) {
        w.world.core->notchWindowController()->pointerInsideChanged(true);
        for (int i = 0; i < 4000 && !w.vm().notchState.get().isOpen(); ++i)
            w.advance(1.0 / 1000);
        revealTo(w, 0.4);
    });
}

void BM_NotchFrame_NudgeWithCompletionRow_Settled(benchmark::State& state) {
    paintFrames(state, [](Notch& w) {
        w.vm().presentNudge(NudgeKindID::eyeBreak, false);
        w.advance(2);
    });
}

} // namespace

BENCHMARK(BM_NotchFrame_NudgeWithCompletionRow_MidReveal)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_NotchFrame_WaterNudge_MidReveal)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_NotchFrame_HoverExpanded_MidReveal)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_NotchFrame_NudgeWithCompletionRow_Settled)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ensureInterfaceFont();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

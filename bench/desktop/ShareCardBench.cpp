// Cost of one share card: drawing the 2022 × 1674 card and encoding it as JPEG, as the preview
// does on the interface thread when the background changes, and the grain's part of it.
#include "core/base/Calendar.h"
#include "ui/activity/ShareCardRenderer.h"
#include "ui/activity/ShareCardSource.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

using namespace vornela;

namespace {

constexpr double now = 1780308000; // 2026-06-01

// Three months of scores with every tier and a few gaps.
IntMap history(const Calendar& calendar) {
    IntMap days;
    for (int back = 0; back < 100; ++back)
        if (const std::optional<double> day = calendar.addDays(now, -back); day && back % 9 != 4)
            days[calendar.dayKey(*day)] = (back * 37 + 20) % 101;
    return days;
}

void BM_ShareCard_RenderAndJpeg(benchmark::State& state) {
    const Calendar calendar;
    ShareCardSource cards(calendar);
    const IntMap days = history(calendar);
    cards(days, ActivityShareBackground::colorful, now); // the icon is read once per process
    for (auto _ : state) {
        const std::optional<QByteArray> jpeg =
            encodeJpeg(cards(days, ActivityShareBackground::colorful, now));
        benchmark::DoNotOptimize(jpeg);
    }
}

// What changing the background costs the preview: the card without the JPEG.
void BM_ShareCard_RenderOnly(benchmark::State& state) {
    const Calendar calendar;
    ShareCardSource cards(calendar);
    const IntMap days = history(calendar);
    cards(days, ActivityShareBackground::colorful, now);
    for (auto _ : state) {
        const QImage card = cards(days, ActivityShareBackground::colorful, now);
        benchmark::DoNotOptimize(card.constBits());
    }
}

void BM_ShareCard_GrainOnly(benchmark::State& state) {
    QImage image(ShareCardRenderer::width, ShareCardRenderer::height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::black);
    for (auto _ : state) {
        QPainter painter(&image);
        ShareCardRenderer::paintGrain(painter, ActivityShareBackground::colorful);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

} // namespace

BENCHMARK(BM_ShareCard_RenderAndJpeg)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShareCard_RenderOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShareCard_GrainOnly)->Unit(benchmark::kMillisecond);

#include "core/notch/NotchGeometry.h"
#include "fakes/SampleScreens.h"

#include <gtest/gtest.h>

using namespace vornela;
using namespace vornela::fakes;

namespace {

const Rect fallbackOn1080p{870, 1048, 180, 32};

} // namespace

TEST(NotchGeometry, ScreensWithoutAUsableNotchGetTheCentredPill) {
    ScreenInfo plain = externalDisplay("plain", 0);
    EXPECT_EQ(anchorRect(plain), fallbackOn1080p);

    ScreenInfo noRightArea = plain;
    noRightArea.safeAreaTopInset = 32;
    noRightArea.auxiliaryTopLeftArea = Rect{0, 1048, 800, 32};
    EXPECT_EQ(anchorRect(noRightArea), fallbackOn1080p) << "an inset alone is not a notch";

    ScreenInfo touching = noRightArea;
    touching.auxiliaryTopRightArea = Rect{800, 1048, 1120, 32};
    EXPECT_EQ(anchorRect(touching), fallbackOn1080p);
    touching.auxiliaryTopRightArea = Rect{780, 1048, 1140, 32};
    EXPECT_EQ(anchorRect(touching), fallbackOn1080p) << "overlapping areas";
}

TEST(NotchGeometry, NotchEdgesSnapInwardToDevicePixels) {
    EXPECT_EQ(anchorRect(notchedLaptop()), (Rect{662, 950, 188, 32}));

    ScreenInfo odd = notchedLaptop();
    odd.safeAreaTopInset = 32.2;
    odd.auxiliaryTopLeftArea = Rect{0, 950, 100.3, 32};
    odd.auxiliaryTopRightArea = Rect{279.8, 950, 500, 32};
    const Rect a = anchorRect(odd);
    EXPECT_DOUBLE_EQ(a.minX(), 100.5);
    EXPECT_DOUBLE_EQ(a.maxX(), 279.5);
    EXPECT_DOUBLE_EQ(a.y, 950);
    EXPECT_DOUBLE_EQ(a.height, 32);

    EXPECT_DOUBLE_EQ(snapUp(100.3, 0), 100.3) << "no scale, no snapping";
    EXPECT_DOUBLE_EQ(snapDown(279.8, -1), 279.8);
}

TEST(NotchGeometry, MainScreenWithNotchThenFirstNotchedThenMain) {
    EXPECT_FALSE(preferredScreen({}).has_value());

    const auto laptop = notchedLaptop(false);
    const auto monitor = externalDisplay("monitor", 1512, true);
    auto secondLaptop = notchedLaptop(false);
    secondLaptop.id = "second";
    EXPECT_EQ(preferredScreen({monitor, laptop, secondLaptop})->id, "builtin");
    EXPECT_EQ(preferredScreen({secondLaptop, laptop})->id, "second") << "system order when none is main";

    auto mainLaptop = notchedLaptop(true);
    mainLaptop.id = "main-laptop";
    EXPECT_EQ(preferredScreen({laptop, mainLaptop})->id, "main-laptop");

    const auto other = externalDisplay("other", 3432);
    EXPECT_EQ(preferredScreen({other, monitor})->id, "monitor");
}

TEST(NotchGeometry, WindowGeometryNarrowsTheAnchorByOneDevicePixel) {
    const auto g = makeNotchGeometry(notchedLaptop());
    EXPECT_EQ(g.anchorRect, (Rect{662.5, 950, 187.5, 32}));
    EXPECT_EQ(windowFrame(NotchWindowAlignment::closed(), g), g.anchorRect);

    const auto metrics = layoutMetrics(NotchWindowAlignment::closed(), g);
    EXPECT_EQ(metrics, (NotchLayoutMetrics{{187.5, 32}, 187.5, 32, 0, 0, 0}));

    ScreenInfo unscaled = externalDisplay("x", 0);
    unscaled.backingScaleFactor = 0;
    EXPECT_EQ(makeNotchGeometry(unscaled).anchorRect, fallbackOn1080p);
}

TEST(NotchGeometry, OpenLayoutsHangFromTheScreenTop) {
    const auto screen = notchedLaptop();
    const NotchGeometry g{screen, anchorRect(screen)};
    const Rect dashboard = windowFrame(NotchWindowAlignment::hoverExpanded(0), g);
    EXPECT_EQ(dashboard, (Rect{522, 782, 468, 200}));
    EXPECT_DOUBLE_EQ(dashboard.maxY(), screen.frame.maxY());

    EXPECT_EQ(windowFrame(NotchWindowAlignment::waterTracking(10), g).height, 32 + 128 + 10);
    EXPECT_EQ(windowFrame(NotchWindowAlignment::activityHeatMap(0), g).height, 32 + 216);

    const auto metrics = layoutMetrics(NotchWindowAlignment::nudge(60.25, 80, 44), g);
    EXPECT_EQ(metrics.windowSize, (Size{328, 76})) << "edges snapped to half points";
    EXPECT_DOUBLE_EQ(metrics.leftExpansion, 60.25);
    EXPECT_DOUBLE_EQ(metrics.anchorWidth, 188);
    EXPECT_DOUBLE_EQ(metrics.downExpansion, 44);
}

TEST(NotchGeometry, ExtremeExpansionsNeverGiveANegativeSize) {
    const NotchGeometry g = makeNotchGeometry(notchedLaptop());
    const Rect huge = windowFrame(NotchWindowAlignment::nudge(1e6, 1e6, 1e6), g);
    EXPECT_GT(huge.width, 1e6);
    EXPECT_DOUBLE_EQ(huge.maxY(), 982);
    const Rect inverted = windowFrame(NotchWindowAlignment::nudge(-5000, -5000, -5000), g);
    EXPECT_EQ(inverted.width, 0);
    EXPECT_EQ(inverted.height, 0);
}

TEST(NotchGeometry, CompletionPanelsHangBelowTheNotchOrTheMenuBar) {
    const Size card{301, 90};
    // Centred on the narrowed notch (662.5...850), 5 points below it, snapped up.
    const Point underNotch = completionPanelOrigin(card, notchedLaptop(), false);
    EXPECT_DOUBLE_EQ(underNotch.x, 606);
    EXPECT_DOUBLE_EQ(underNotch.y, 855);

    const Point forced = completionPanelOrigin(card, notchedLaptop(), true);
    EXPECT_DOUBLE_EQ(forced.x, 605.5);
    EXPECT_DOUBLE_EQ(forced.y, 949 - 4 - 90) << "below the menu bar";

    const Point external = completionPanelOrigin(card, externalDisplay("m"), false);
    EXPECT_DOUBLE_EQ(external.x, 1512 + 960 - 150); // snapped up from 150.5 below centre
    EXPECT_DOUBLE_EQ(external.y, 1080 - 25 - 4 - 90);
}

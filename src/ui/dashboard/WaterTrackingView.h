#pragma once

#include "core/base/Clock.h"
#include "core/base/Signal.h"
#include "core/base/SystemPreferences.h"
#include "core/dashboard/WaterTrackingModel.h"
#include "ui/base/StaticTextCache.h"
#include "ui/dashboard/DashboardButton.h"
#include "ui/dashboard/WaterRulerSurface.h"

#include <QHash>
#include <QImage>
#include <QPointer>
#include <QRectF>

#include <functional>
#include <optional>

class QPainter;

namespace vornela {

// The water ruler painted on the notch's black: the rolling amount, the minus, plus and Track
// buttons, and the ruler with its caret and soft ends. Not a widget: the notch container paints it
// under its reveal; its controls are transparent widgets on the container over what is drawn.
class WaterTrackingView {
public:
    struct Layout {
        QRectF readout; // the fixed box of number and unit
        QRectF minus;
        QRectF plus;
        QRectF track;
        QRectF ruler; // the 76 pt band
    };
    static constexpr double horizontalPadding = 20;
    static constexpr double topPadding = 4;
    static constexpr double rowHeight = 36;
    static constexpr double stepButtonSide = 32;

    // `area`: the part of the panel below the notch that the ruler fills.
    static Layout layoutIn(const QRectF& area, double readoutWidth);
    // Where the tick bars stand in a ruler band starting at `bandTop`.
    static double tickBaseline(double bandTop);

    WaterTrackingView(WaterTrackingModel& model, const Clock& clock, const SystemPreferences& system,
                      QWidget* host);
    ~WaterTrackingView();
    WaterTrackingView(const WaterTrackingView&) = delete;
    WaterTrackingView& operator=(const WaterTrackingView&) = delete;

    void setArea(const QRectF& area);
    void setVisible(bool visible);
    bool isVisible() const { return visible_; }

    void paint(QPainter& painter, double now) const;
    std::optional<double> nextFrameDelay(double now) const;

    const Layout& layout() const { return layout_; }
    DashboardButton* minusButton() const { return minus_; }
    DashboardButton* plusButton() const { return plus_; }
    DashboardButton* trackButton() const { return track_; }
    WaterRulerSurface* rulerSurface() const { return surface_; }

    std::function<void()> onLookChanged;

private:
    void syncControls();
    void paintReadout(QPainter& painter, const QRectF& box, double now, bool reduceMotion) const;
    void paintControls(QPainter& painter, double dy, double now, bool reduceMotion) const;
    void paintRuler(QPainter& painter, const QRectF& band, double now, bool reduceMotion) const;
    // The soft copy of the ticks in the outer bands (left, right), redrawn only when what it
    // shows changes.
    struct EdgeCache {
        double centre = -1;
        double width = 0;
        int maxStep = -1;
        QImage left;
        QImage right;
    };
    const EdgeCache& blurredEdges(double width, double centre) const;

    WaterTrackingModel& model_;
    const Clock& clock_;
    const SystemPreferences& system_;
    QRectF area_;
    Layout layout_;
    bool visible_ = false;
    QPointer<DashboardButton> minus_;
    QPointer<DashboardButton> plus_;
    QPointer<DashboardButton> track_;
    QPointer<WaterRulerSurface> surface_;
    Subscription modelSubscription_;
    mutable EdgeCache edgeCache_;
    mutable StaticTextCache text_;
    // A rolling digit's soft copies, by character, blur step and pixel ratio: a fast drag rolls
    // several digits on every frame.
    mutable QHash<QString, QImage> blurredGlyphs_;
};

} // namespace vornela

#pragma once

#include "core/base/Clock.h"
#include "core/base/Signal.h"
#include "core/dashboard/WaterTrackingModel.h"

#include <QWidget>

namespace vornela {

// The pointer surface over the water ruler: presses, drags and releases become the ruler's drag
// phases, wheel and trackpad scrolling its scroll steps, and the cursor shows whether the ruler
// can be grabbed. Transparent: the ruler is painted by its view.
class WaterRulerSurface : public QWidget {
    Q_OBJECT
public:
    WaterRulerSurface(WaterTrackingModel& model, const Clock& clock, QWidget* parent);

    // Qt's wheel event as the ruler's scroll: pixel deltas are a trackpad's precise ones,
    // otherwise the wheel's notches (120 to a line).
    static void deliverWheel(WaterTrackingModel& model, QPoint pixelDelta, QPoint angleDelta);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void syncCursor();

    WaterTrackingModel& model_;
    const Clock& clock_;
    bool pointerOver_ = false;
    Subscription modelSubscription_;
};

} // namespace vornela

#pragma once

#include "core/base/Clock.h"
#include "core/base/Signal.h"
#include "core/base/SystemPreferences.h"
#include "core/notch/NotchShapes.h"
#include "core/notch/NotchViewModel.h"
#include "ui/base/AnimationDriver.h"

#include <QPainterPath>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace vornela {

class ActivityHeatMapView;
class ActivityPageModel;
class DotMatrixView;
class HoverHomeModel;
class HoverHomeView;
class NudgeInNotchCompletionRow;
class WaterTrackingModel;
class WaterTrackingView;

// The notch surface: fills the notch panel and draws whatever the view model shows, grown from
// the camera housing by the reveal clip. All of its motion is driven by the one AnimationDriver.
class NotchContainerView : public QWidget, public AnimatedSurface {
    Q_OBJECT
public:
    static constexpr double messagePixelSize = 11;

    NotchContainerView(NotchViewModel& viewModel, const SystemPreferences& system, const Clock& clock,
                       AnimationDriver& driver, QWidget* parent = nullptr);
    ~NotchContainerView() override;

    std::function<void(bool)> onPointerInsideChanged; // hosting view rules, installed by the app
    std::function<void()> onNotchClicked;
    std::function<bool(QPointF, QRectF)> visualHitTest; // point, bounds (view coordinates, y down)

    // The drawn rectangle now (the clip at the current reveal), aligned outward.
    QRect hitRect() const;
    // The clip outline now (for the no-compositor shape).
    QPainterPath outlinePath() const;

    // Paints the whole surface as it looks at the clock's current instant (paintEvent uses this;
    // the gallery and the bench paint into images with it).
    void paintSurface(QPainter& painter) const;

    // The in-notch completion row while it is shown (null otherwise).
    NudgeInNotchCompletionRow* completionRow() const;

    // Draws the dashboard in the hover-expanded state, the water ruler in the water-tracking state
    // and the activity page in the heat map state (without them those show the bare black shape).
    void hostOpenSurfaces(HoverHomeModel& dashboard, WaterTrackingModel& ruler, ActivityPageModel& activity);
    HoverHomeView* dashboardView() const { return dashboard_.get(); }
    WaterTrackingView* rulerView() const { return ruler_.get(); }
    ActivityHeatMapView* activityView() const { return activity_.get(); }

    std::optional<double> nextFrameDelay(double monotonicNow) const override;
    void advanceFrame() override;

signals:
    // hitRect()/outlinePath() may have changed (every animated frame, state changes, resizes).
    void hitShapeChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void modelChanged();
    void syncContent();
    void syncControls();
    void checkHitShape();
    void reportPointer(const QPointF& point);
    void reportPointerInside(bool inside);
    bool isVisuallyInside(const QPointF& point) const;
    void paintContent(QPainter& painter, double now, bool reduceMotion) const;
    void paintNudgeMessage(QPainter& painter, NudgeKindID kind, double now, bool reduceMotion) const;
    void applyReveal(QPainter& painter, const NotchContentReveal& reveal) const;
    void paintOpenSurface(QPainter& painter, double now, bool reduceMotion) const;
    void syncOpenSurfaces();
    std::optional<double> openSurfaceFrameDelay(double monotonicNow) const;

    NotchViewModel& vm_;
    const SystemPreferences& system_;
    const Clock& clock_;
    AnimationDriver& driver_;
    std::vector<Subscription> subscriptions_;
    std::unique_ptr<DotMatrixView> dotMatrix_;
    std::optional<NudgeKindID> dotMatrixKind_;
    std::unique_ptr<NudgeInNotchCompletionRow> row_;
    std::unique_ptr<HoverHomeView> dashboard_;
    std::unique_ptr<WaterTrackingView> ruler_;
    std::unique_ptr<ActivityHeatMapView> activity_;
    std::optional<bool> reportedInside_;
    QRect lastHitRect_;
    QPainterPath lastOutline_;
};

} // namespace vornela

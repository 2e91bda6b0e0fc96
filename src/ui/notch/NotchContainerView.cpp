#include "ui/notch/NotchContainerView.h"

#include "ui/activity/ActivityHeatMapView.h"

#include "core/notch/NotchShapes.h"
#include "core/nudges/DotMatrixStyle.h"
#include "core/nudges/NudgeCatalogue.h"
#include "ui/base/QtConversions.h"
#include "ui/base/SameThreadFills.h"
#include "ui/base/Typography.h"
#include "ui/dashboard/HoverHomeView.h"
#include "ui/dashboard/WaterTrackingView.h"
#include "ui/nudges/DotMatrixView.h"
#include "ui/nudges/NudgeInNotchCompletionRow.h"
#include "ui/nudges/NudgeSurfaceButton.h"

#include <QChildEvent>
#include <QEnterEvent>
#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>

namespace vornela {

namespace {

NotchPath clipPathFor(const NotchLayoutMetrics& m, double progress, Rect bounds) {
    return ExpandingNotchClip{progress, m.leftExpansion, m.rightExpansion, m.downExpansion, m.anchorHeight, 0}
        .path(bounds);
}

} // namespace

NotchContainerView::NotchContainerView(NotchViewModel& viewModel, const SystemPreferences& system,
                                       const Clock& clock, AnimationDriver& driver, QWidget* parent)
    : QWidget(parent), vm_(viewModel), system_(system), clock_(clock), driver_(driver) {
    setAttribute(Qt::WA_TranslucentBackground);
    setAutoFillBackground(false);
    setMouseTracking(true);

    auto changed = [this](const auto&) { modelChanged(); };
    subscriptions_.push_back(vm_.notchState.observe(changed));
    subscriptions_.push_back(vm_.layoutMetrics.observe(changed));
    subscriptions_.push_back(vm_.nudgeOverlay.observe(changed));
    subscriptions_.push_back(vm_.activeNudgeMessage.observe(changed));
    subscriptions_.push_back(vm_.nudgeCompletionUI.observe(changed));
    subscriptions_.push_back(vm_.backgroundColor.observe(changed));
    subscriptions_.push_back(vm_.isLayoutTransitioning.observe(changed));

    syncContent();
    lastHitRect_ = hitRect();
    lastOutline_ = outlinePath();
    driver_.add(this);
}

NotchContainerView::~NotchContainerView() {
    driver_.remove(this);
    subscriptions_.clear();
}

void NotchContainerView::hostOpenSurfaces(HoverHomeModel& dashboard, WaterTrackingModel& ruler,
                                          ActivityPageModel& activity) {
    auto lookChanged = [this] {
        update();
        driver_.wake();
    };
    dashboard_ = std::make_unique<HoverHomeView>(dashboard, vm_, clock_, system_, this);
    dashboard_->onLookChanged = lookChanged;
    ruler_ = std::make_unique<WaterTrackingView>(ruler, clock_, system_, this);
    ruler_->onLookChanged = lookChanged;
    activity_ = std::make_unique<ActivityHeatMapView>(activity, clock_, system_, this);
    activity_->onLookChanged = lookChanged;
    syncOpenSurfaces();
}

void NotchContainerView::syncOpenSurfaces() {
    if (!dashboard_ || !ruler_ || !activity_)
        return;
    // Each fills its own height right under the notch; anything the layout adds goes below.
    const NotchLayoutMetrics& m = vm_.layoutMetrics.get();
    const double dashboardDown = expansions(NotchWindowAlignment::hoverExpanded(0)).down;
    const double rulerDown = expansions(NotchWindowAlignment::waterTracking(0)).down;
    dashboard_->setArea(QRectF(0, m.anchorHeight, width(), dashboardDown));
    ruler_->setArea(QRectF(0, m.anchorHeight, width(), rulerDown));
    const double activityDown = expansions(NotchWindowAlignment::activityHeatMap(0)).down;
    activity_->setArea(QRectF(0, m.anchorHeight, width(), activityDown));
    const NotchState state = vm_.notchState.get();
    dashboard_->setVisible(state.is(NotchState::Case::hoverExpanded));
    dashboard_->setFaceAnimates(!vm_.isLayoutTransitioning.get());
    ruler_->setVisible(state.is(NotchState::Case::waterTracking));
    activity_->setVisible(state.is(NotchState::Case::activityHeatMap));
}

std::optional<double> NotchContainerView::openSurfaceFrameDelay(double monotonicNow) const {
    if (dashboard_ && dashboard_->isVisible())
        return dashboard_->nextFrameDelay(monotonicNow);
    if (ruler_ && ruler_->isVisible())
        return ruler_->nextFrameDelay(monotonicNow);
    if (activity_ && activity_->isVisible())
        return activity_->nextFrameDelay(monotonicNow);
    return std::nullopt;
}

NudgeInNotchCompletionRow* NotchContainerView::completionRow() const {
    return vm_.showsCompletionRow() ? row_.get() : nullptr;
}

void NotchContainerView::modelChanged() {
    syncContent();
    update();
    driver_.wake();
    checkHitShape();
}

void NotchContainerView::syncContent() {
    const double now = clock_.monotonicNow();
    const NotchState state = vm_.notchState.get();
    const bool showsNudge = state.is(NotchState::Case::nudge);
    if (showsNudge) {
        const NudgeKindID kind = state.nudgeKind;
        if (!dotMatrix_) {
            dotMatrix_ =
                std::make_unique<DotMatrixView>(definitionFor(kind).animation, messageRowDotMatrixStyle, now);
        } else if (dotMatrixKind_ != kind) {
            dotMatrix_->setAnimation(definitionFor(kind).animation);
            dotMatrix_->restart(now);
        }
        dotMatrixKind_ = kind;
        dotMatrix_->setAnimate(!vm_.isLayoutTransitioning.get());
    } else if (dotMatrixKind_) {
        // Every appearance of a nudge starts its animation from the first frame.
        dotMatrixKind_.reset();
    }

    if (const auto& ui = vm_.nudgeCompletionUI.get(); ui && vm_.showsCompletionRow()) {
        if (!row_) {
            row_ = std::make_unique<NudgeInNotchCompletionRow>(
                ui->kind, [this] { vm_.completeNudgeFromNotch(); }, [this] { vm_.ignoreNudgeFromNotch(); },
                clock_, system_, this);
            row_->onLookChanged = [this] {
                update();
                driver_.wake();
            };
        } else if (row_->kind() != ui->kind) {
            row_->setKind(ui->kind);
        }
    }
    syncControls();
}

void NotchContainerView::syncControls() {
    syncOpenSurfaces();
    if (!row_)
        return;
    // The row stays alive while hidden: it may be hidden from inside one of its own clicks.
    const auto top = vm_.completionRowTop();
    if (top)
        row_->setGeometry(QRectF(0, *top, width(), NotchViewModel::completionRowHeight));
    row_->setVisible(top.has_value());
}

QRect NotchContainerView::hitRect() const {
    const NotchLayoutMetrics& m = vm_.layoutMetrics.get();
    const Rect clip = notchClipRect(toRect(QRectF(rect())), vm_.contentRevealProgress(), m.leftExpansion,
                                    m.rightExpansion, m.downExpansion);
    return toQRectF(clip).toAlignedRect();
}

QPainterPath NotchContainerView::outlinePath() const {
    return toPainterPath(
        clipPathFor(vm_.layoutMetrics.get(), vm_.contentRevealProgress(), toRect(QRectF(rect()))));
}

void NotchContainerView::checkHitShape() {
    const QRect hit = hitRect();
    QPainterPath outline = outlinePath();
    if (hit == lastHitRect_ && outline == lastOutline_)
        return;
    lastHitRect_ = hit;
    lastOutline_ = std::move(outline);
    Q_EMIT hitShapeChanged();
}

std::optional<double> NotchContainerView::nextFrameDelay(double monotonicNow) const {
    if (vm_.isContentRevealAnimating())
        return 0.0;
    // The frame that lands the reveal on its end value is still owed once the reveal has stopped.
    if (isVisible() && (hitRect() != lastHitRect_ || outlinePath() != lastOutline_))
        return 0.0;
    if (row_ && vm_.showsCompletionRow() && row_->isAnimating(monotonicNow))
        return 0.0;
    if (const auto open = openSurfaceFrameDelay(monotonicNow))
        return open;
    if (dotMatrix_ && dotMatrixKind_ && !vm_.isLayoutTransitioning.get())
        return dotMatrix_->nextFrameDelay(monotonicNow, system_.reduceMotion.get());
    return std::nullopt;
}

void NotchContainerView::advanceFrame() {
    update();
    checkHitShape();
}

void NotchContainerView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintSurface(painter);
}

void NotchContainerView::paintSurface(QPainter& painter) const {
    const SameThreadFills sameThread;
    const QRectF bounds(rect());
    if (bounds.isEmpty())
        return;
    const double now = clock_.monotonicNow();
    const NotchState state = vm_.notchState.get();
    const NotchLayoutMetrics& m = vm_.layoutMetrics.get();
    const QColor background = toQColor(vm_.backgroundColor.get());

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setClipPath(toPainterPath(clipPathFor(m, vm_.contentRevealProgress(), toRect(bounds))));

    if (state.is(NotchState::Case::closed)) {
        // Over a camera housing the hardware shows through; without one the user still needs a
        // pill to find and hover.
        const auto& geometry = vm_.geometry();
        if (geometry && geometry->screen.safeAreaTopInset <= 0) {
            const Rect pill{m.leftExpansion, 0, m.anchorWidth, m.anchorHeight};
            painter.fillPath(toPainterPath(macNotchShape(pill, 0, clipBottomRadius(m.anchorHeight))),
                             background);
        }
    } else {
        painter.fillPath(toPainterPath(macNotchShape(toRect(bounds), 0, clipBottomRadius(m.anchorHeight))),
                         background);
        paintOpenSurface(painter, now, system_.reduceMotion.get());
        // A held nudge's row goes over the open surface, so its buttons always show.
        paintContent(painter, now, system_.reduceMotion.get());
    }
    painter.restore();
}

// Open content fades, drops and grows about the panel's top centre as it is revealed.
void NotchContainerView::applyReveal(QPainter& painter, const NotchContentReveal& reveal) const {
    painter.setOpacity(painter.opacity() * reveal.opacity);
    const double centreX = width() / 2.0;
    painter.translate(centreX, reveal.offsetY);
    painter.scale(reveal.scale, reveal.scale);
    painter.translate(-centreX, 0);
}

void NotchContainerView::paintOpenSurface(QPainter& painter, double now, bool reduceMotion) const {
    const NotchState state = vm_.notchState.get();
    const bool dashboard = dashboard_ && state.is(NotchState::Case::hoverExpanded);
    const bool ruler = ruler_ && state.is(NotchState::Case::waterTracking);
    const bool activity = activity_ && state.is(NotchState::Case::activityHeatMap);
    if (!dashboard && !ruler && !activity)
        return;
    const NotchContentReveal reveal = containerContentReveal(vm_.contentRevealProgress(), reduceMotion);
    if (reveal.opacity <= 0)
        return;
    painter.save();
    applyReveal(painter, reveal);
    if (dashboard)
        dashboard_->paint(painter, now);
    else if (ruler)
        ruler_->paint(painter, now);
    else
        activity_->paint(painter, now);
    painter.restore();
}

void NotchContainerView::paintContent(QPainter& painter, double now, bool reduceMotion) const {
    const NotchState state = vm_.notchState.get();
    // A nudge held behind an open state keeps its row at the bottom of it.
    const bool showsRow = row_ && vm_.showsCompletionRow();
    if (!state.is(NotchState::Case::nudge) && !showsRow)
        return;

    const NotchContentReveal reveal = containerContentReveal(vm_.contentRevealProgress(), reduceMotion);
    if (reveal.opacity <= 0)
        return;
    painter.save();
    applyReveal(painter, reveal);

    if (state.is(NotchState::Case::nudge))
        paintNudgeMessage(painter, state.nudgeKind, now, reduceMotion);
    if (showsRow)
        row_->paint(painter, now);
    painter.restore();
}

void NotchContainerView::paintNudgeMessage(QPainter& painter, NudgeKindID kind, double now,
                                           bool reduceMotion) const {
    const NotchLayoutMetrics& m = vm_.layoutMetrics.get();
    const std::string message = vm_.shownMessage(kind);
    const double w = vm_.nudgeExpansionWidth(message);
    const double midY = m.anchorHeight / 2;
    if (dotMatrix_) {
        const double box = messageRowDotMatrixBox.width;
        const QRectF boxRect(m.leftExpansion - w / 2 - box / 2, midY - messageRowDotMatrixBox.height / 2, box,
                             messageRowDotMatrixBox.height);
        dotMatrix_->paint(painter, boxRect, now, reduceMotion);
    }

    const QFont font = interfaceFont(messagePixelSize, FontWeight::semibold);
    const QFontMetricsF metrics(font);
    const QString text = metrics.elidedText(QString::fromStdString(message), Qt::ElideRight, w);
    const QRectF textRect(m.leftExpansion + m.anchorWidth, 0, w, m.anchorHeight);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(textRect, Qt::AlignCenter | Qt::TextSingleLine, text);
    painter.setPen(Qt::NoPen);
}

void NotchContainerView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    syncControls();
    checkHitShape();
}

bool NotchContainerView::isVisuallyInside(const QPointF& point) const {
    const QRectF bounds(rect());
    if (!bounds.contains(point))
        return false;
    return !visualHitTest || visualHitTest(point, bounds);
}

void NotchContainerView::reportPointerInside(bool inside) {
    if (reportedInside_ == inside)
        return;
    reportedInside_ = inside;
    if (onPointerInsideChanged)
        onPointerInsideChanged(inside);
}

void NotchContainerView::reportPointer(const QPointF& point) {
    reportPointerInside(isVisuallyInside(point));
}

void NotchContainerView::enterEvent(QEnterEvent* event) {
    reportPointer(event->position());
    QWidget::enterEvent(event);
}

void NotchContainerView::mouseMoveEvent(QMouseEvent* event) {
    reportPointer(event->position());
    QWidget::mouseMoveEvent(event);
}

void NotchContainerView::leaveEvent(QEvent* event) {
    reportPointerInside(false);
    QWidget::leaveEvent(event);
}

void NotchContainerView::mousePressEvent(QMouseEvent* event) {
    // A click reports where the pointer is first: the pointer may not have moved since the
    // surface changed under it.
    reportedInside_.reset();
    reportPointer(event->position());
    if (onNotchClicked)
        onNotchClicked();
    event->accept();
}

bool NotchContainerView::event(QEvent* event) {
    if (event->type() == QEvent::ChildAdded) {
        auto* child = static_cast<QChildEvent*>(event)->child();
        if (child->isWidgetType())
            child->installEventFilter(this);
    } else if (event->type() == QEvent::ParentChange && window() != this) {
        // Qt sometimes gives the window, not this view that fills it, the enter after a leave
        // (when both were queued, as while a window manager moves and resizes the panel under a
        // resting pointer); the leave that follows then reaches only the window too.
        window()->installEventFilter(this);
    }
    return QWidget::event(event);
}

bool NotchContainerView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window() && watched != this) {
        if (event->type() == QEvent::Enter)
            reportPointer(mapFrom(window(), static_cast<QEnterEvent*>(event)->position()));
        else if (event->type() == QEvent::Leave)
            reportPointerInside(false);
        return QWidget::eventFilter(watched, event);
    }
    auto* child = qobject_cast<QWidget*>(watched);
    if (!child || child->parentWidget() != this)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseMove: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        reportPointer(child->mapToParent(mouse->position()));
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        reportedInside_.reset();
        reportPointer(child->mapToParent(mouse->position()));
        if (onNotchClicked)
            onNotchClicked();
        if (!contentAcceptsPointer(vm_.contentRevealProgress(), vm_.isLayoutTransitioning.get(),
                                   vm_.notchState.get()))
            return true;
        break;
    }
    case QEvent::MouseButtonRelease:
        if (!contentAcceptsPointer(vm_.contentRevealProgress(), vm_.isLayoutTransitioning.get(),
                                   vm_.notchState.get()))
            return true;
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace vornela

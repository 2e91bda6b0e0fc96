#include "core/notch/NotchViewModel.h"
#include "core/nudges/NudgeActionBarMotionModifier.h"
#include "core/nudges/NudgeCompletionWindowController.h"

#include "ui/nudges/NudgeCompletionPanelWidget.h"

#include "ui/base/ContinuousRoundedRect.h"
#include "ui/base/SameThreadFills.h"

#include <QPainter>

#include <utility>

namespace vornela {

NudgeCompletionPanelWidget::NudgeCompletionPanelWidget(NudgeCompletionWindowController& controller,
                                                       std::string screenId, NotchViewModel& viewModel,
                                                       const SystemPreferences& system, const Clock& clock,
                                                       AnimationDriver& driver, QWidget* parent)
    : QWidget(parent), controller_(controller), screenId_(std::move(screenId)), viewModel_(viewModel),
      system_(system), clock_(clock), driver_(driver) {
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_TranslucentBackground);
    setAutoFillBackground(false);

    actions_ = std::make_unique<NudgeCompletionActionRow>(
        NudgeKindID::water, [this] { viewModel_.completeNudgeFromNotch(); },
        [this] { viewModel_.ignoreNudgeFromNotch(); }, clock_, system_, this);
    actions_->onLookChanged = [this] {
        update();
        driver_.wake();
    };
    actions_->setVisible(false);

    viewSubscription_ = controller_.panelViewChanged.connect([this](const std::string& id) {
        if (id == screenId_)
            followView();
    });
    driver_.add(this);
    // The controller may announce this panel's view only after the panel exists.
    followView();
}

NudgeCompletionPanelWidget::~NudgeCompletionPanelWidget() {
    driver_.remove(this);
}

void NudgeCompletionPanelWidget::followView() {
    const auto& panels = controller_.panels();
    const auto it = panels.find(screenId_);
    if (it == panels.end()) {
        view_.reset();
        actions_->setVisible(false);
        update();
        return;
    }
    const NudgeCompletionPanelView& next = it->second.view;
    const double now = clock_.monotonicNow();
    const bool dark = system_.darkAppearance.get();
    if (!card_) {
        card_.emplace(next.state, next.includesNudgeContext, dark, now);
    } else {
        // A new presentation is the card shown again: its animation starts over.
        if (!view_ || view_->presentationID != next.presentationID)
            card_->messageRow().dotMatrix().restart(now);
        card_->setState(next.state);
        card_->setIncludesNudgeContext(next.includesNudgeContext);
        card_->setDark(dark);
    }
    view_ = next;
    actions_->setKind(next.state.kind);
    actions_->setOnLightSurface(!dark);
    placeActions();
    actions_->setVisible(true);
    update();
    driver_.wake();
}

void NudgeCompletionPanelWidget::placeActions() {
    if (!card_)
        return;
    const QSizeF size = card_->fittingSize();
    const QPointF origin((width() - size.width()) / 2, 0);
    actions_->setGeometry(card_->actionRowRect().translated(origin));
}

QPainterPath NudgeCompletionPanelWidget::outlinePath() const {
    if (!card_)
        return {};
    const QSizeF size = card_->fittingSize();
    return continuousRoundedRect(QRectF(QPointF((width() - size.width()) / 2, 0), size),
                                 NudgeCompletionView::cornerRadius);
}

bool NudgeCompletionPanelWidget::motionRunning(double now) const {
    if (!view_)
        return false;
    const double progress = view_->progressAt(now, system_.reduceMotion.get());
    switch (view_->motion) {
    case NudgeActionBarMotion::entering:
        return progress < 1;
    case NudgeActionBarMotion::exiting:
        return progress > 0;
    case NudgeActionBarMotion::visible:
        return false;
    }
    return false;
}

std::optional<double> NudgeCompletionPanelWidget::nextFrameDelay(double monotonicNow) const {
    if (!view_ || !card_ || !isVisible())
        return std::nullopt;
    if (motionRunning(monotonicNow) || actions_->isAnimating(monotonicNow))
        return 0.0;
    const bool reduceMotion = system_.reduceMotion.get();
    // A card that has faded out has nothing left to animate.
    if (view_->progressAt(monotonicNow, reduceMotion) <= 0)
        return std::nullopt;
    return card_->nextFrameDelay(monotonicNow, reduceMotion);
}

void NudgeCompletionPanelWidget::advanceFrame() {
    update();
}

void NudgeCompletionPanelWidget::render(QPainter& painter) const {
    if (!view_ || !card_)
        return;
    const double now = clock_.monotonicNow();
    const bool reduceMotion = system_.reduceMotion.get();
    const NudgeActionBarMotionModifier motion{view_->progressAt(now, reduceMotion), reduceMotion};
    if (motion.opacity() <= 0)
        return;

    const QSizeF size = card_->fittingSize();
    const QPointF origin((width() - size.width()) / 2, 0);
    painter.save();
    painter.setOpacity(painter.opacity() * motion.opacity());
    // Slide and grow about the card's top centre. The 1.5 pt focus blur of the first frames is left out:
    // not worth an offscreen pass per frame.
    const double anchorX = origin.x() + size.width() / 2;
    painter.translate(anchorX, motion.offsetY());
    painter.scale(motion.scale(), motion.scale());
    painter.translate(-anchorX, 0);
    card_->paint(painter, origin, now, reduceMotion, actions_.get());
    painter.restore();
}

void NudgeCompletionPanelWidget::paintEvent(QPaintEvent*) {
    const SameThreadFills sameThread;
    // Colours follow the appearance even if no view change announced the switch.
    if (card_ && card_->colors().dark != system_.darkAppearance.get()) {
        card_->setDark(system_.darkAppearance.get());
        actions_->setOnLightSurface(!system_.darkAppearance.get());
    }
    QPainter painter(this);
    render(painter);
}

void NudgeCompletionPanelWidget::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Hidden panels ask for no frames; shown again they may have a motion to play.
    driver_.wake();
}

void NudgeCompletionPanelWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeActions();
}

} // namespace vornela

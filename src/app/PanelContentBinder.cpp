#include "app/PanelContentBinder.h"

#include "core/notch/NotchWindowController.h"
#include "core/nudges/NudgeCompletionWindowController.h"
#include "platform/window/OutlinePixels.h"
#include "platform/window/OverlayPanel.h"
#include "ui/notch/NotchContainerView.h"
#include "ui/nudges/NudgeCompletionPanelWidget.h"

#include <QEvent>
#include <QRegion>

namespace vornela {

namespace {

// Runs a callback whenever the watched widget is resized; owned by the widget.
class ResizeFollower : public QObject {
public:
    ResizeFollower(QWidget* watched, std::function<void()> onResize)
        : QObject(watched), onResize_(std::move(onResize)) {
        watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Resize)
            onResize_();
        return false;
    }

private:
    std::function<void()> onResize_;
};

} // namespace

void PanelContentBinder::attach(OverlayPanel& panel, const ScreenInfo& screen, PanelLevel level) const {
    if (level == PanelLevel::notch)
        attachNotch(panel);
    else
        attachCompletion(panel, screen);
}

void PanelContentBinder::attachNotch(OverlayPanel& panel) const {
    NotchWindowController* controller = context_.notchController();
    auto* view = new NotchContainerView(context_.viewModel, context_.system, context_.clock, context_.driver);
    if (context_.dashboard && context_.ruler)
        view->hostOpenSurfaces(*context_.dashboard, *context_.ruler, *context_.activity);
    if (controller) {
        view->onPointerInsideChanged = [controller](bool inside) {
            controller->pointerInsideChanged(inside);
        };
        view->onNotchClicked = [controller] { controller->notchClicked(); };
        view->visualHitTest = [controller](QPointF point, QRectF bounds) {
            return controller->visualHitTest({point.x(), point.y()},
                                             {bounds.x(), bounds.y(), bounds.width(), bounds.height()});
        };
    }
    panel.setContent(view);
    // Clicks land only on what is drawn: the transparent corners belong to the window beneath.
    auto applyShape = [&panel, view] {
        const QRegion outline = outlinePixels(view->outlinePath());
        panel.setInputShape(outline);
        panel.setFallbackShape(outline);
    };
    QObject::connect(view, &NotchContainerView::hitShapeChanged, &panel, applyShape);
    applyShape();
}

void PanelContentBinder::attachCompletion(OverlayPanel& panel, const ScreenInfo& screen) const {
    NudgeCompletionWindowController* controller = context_.completionController();
    if (!controller)
        return;
    auto* widget = new NudgeCompletionPanelWidget(*controller, screen.id, context_.viewModel, context_.system,
                                                  context_.clock, context_.driver);
    panel.setContent(widget);
    auto applyShape = [&panel, widget] {
        panel.setInputShape(QRegion(widget->rect()));
        panel.setFallbackShape(outlinePixels(widget->outlinePath()));
    };
    new ResizeFollower(widget, applyShape);
    applyShape();
}

} // namespace vornela

#pragma once

#include "core/base/Clock.h"
#include "core/base/Signal.h"
#include "core/base/SystemPreferences.h"
#include "core/nudges/NudgeCompletionPanelView.h"

#include "ui/base/AnimationDriver.h"
#include "ui/nudges/NudgeCompletionActionRow.h"
#include "ui/nudges/NudgeCompletionView.h"

#include <QPainterPath>
#include <QWidget>

#include <memory>
#include <optional>
#include <string>

namespace vornela {

class NotchViewModel;
class NudgeCompletionWindowController;

// The content of one completion panel: the card of the controller's view for `screenId`, drawn
// through the entry/exit motion. The buttons end or ignore the nudge through the view model.
class NudgeCompletionPanelWidget : public QWidget, public AnimatedSurface {
    Q_OBJECT
public:
    NudgeCompletionPanelWidget(NudgeCompletionWindowController& controller, std::string screenId,
                               NotchViewModel& viewModel, const SystemPreferences& system, const Clock& clock,
                               AnimationDriver& driver, QWidget* parent = nullptr);
    ~NudgeCompletionPanelWidget() override;

    QPainterPath outlinePath() const; // the card's rounded rectangle
    // What the panel shows now; nullopt before the controller has a view for the screen.
    const std::optional<NudgeCompletionPanelView>& panelView() const { return view_; }
    const NudgeCompletionView* card() const { return card_ ? &*card_ : nullptr; }
    NudgeCompletionActionRow* actionRow() const { return actions_.get(); }

    // Draws the panel as it looks at the clock's now (also what paintEvent does).
    void render(QPainter& painter) const;

    std::optional<double> nextFrameDelay(double monotonicNow) const override;
    void advanceFrame() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void followView();
    void placeActions();
    bool motionRunning(double now) const;

    NudgeCompletionWindowController& controller_;
    std::string screenId_;
    NotchViewModel& viewModel_;
    const SystemPreferences& system_;
    const Clock& clock_;
    AnimationDriver& driver_;
    std::optional<NudgeCompletionPanelView> view_;
    std::optional<NudgeCompletionView> card_;
    std::unique_ptr<NudgeCompletionActionRow> actions_;
    Subscription viewSubscription_;
    Subscription darkSubscription_;
    Subscription motionSubscription_;
};

} // namespace vornela

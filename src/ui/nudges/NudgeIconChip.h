#pragma once

#include "core/nudges/NudgeDefinition.h"
#include "ui/base/AnimationDriver.h"
#include "ui/nudges/DotMatrixView.h"

#include <QWidget>

namespace vornela {

struct SystemPreferences;

// A nudge kind's square: its accent colour, faint, behind the kind's dot-matrix animation, as the
// notch shows it. Animates only while on screen; hidden from assistive technologies.
class NudgeIconChip : public QWidget, public AnimatedSurface {
public:
    NudgeIconChip(const NudgeDefinition& definition, double size, const Clock& clock, AnimationDriver& driver,
                  const SystemPreferences& system, QWidget* parent = nullptr);
    ~NudgeIconChip() override;

    void setAnimate(bool animate);

    std::optional<double> nextFrameDelay(double monotonicNow) const override;
    void advanceFrame() override { update(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    NudgeDefinition definition_;
    const Clock& clock_;
    AnimationDriver& driver_;
    const SystemPreferences& system_;
    DotMatrixView dots_;
    bool registered_ = false;
};

} // namespace vornela

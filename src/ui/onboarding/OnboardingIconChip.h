#pragma once

#include "core/nudges/NudgeDefinition.h"
#include "ui/nudges/DotMatrixView.h"

#include <QTimer>
#include <QWidget>

namespace vornela {

class Clock;

// A nudge kind's animation in a tinted rounded square, as the notch shows it. Decorative:
// hidden from assistive technologies.
class OnboardingIconChip : public QWidget {
public:
    OnboardingIconChip(const NudgeDefinition& definition, int side, const Clock& clock, bool reduceMotion,
                       QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void scheduleFrame();

    QColor tint_;
    const Clock& clock_;
    bool reduceMotion_;
    DotMatrixView dots_;
    QTimer frame_;
};

} // namespace vornela

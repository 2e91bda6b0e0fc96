#pragma once

#include "core/base/Clock.h"
#include "core/base/SystemPreferences.h"
#include "core/nudges/NudgeKindID.h"
#include "ui/nudges/NudgeSurfaceButton.h"

#include <QPointer>
#include <QRectF>
#include <QSizeF>

#include <functional>

class QPainter;
class QWidget;

namespace vornela {

// "Mark completed" and "Ignore" for a kind, 8 pt apart. The two buttons are proxy widgets in `host`;
// the row paints their looks where it placed them.
class NudgeCompletionActionRow {
public:
    static constexpr double spacing = 8;

    NudgeCompletionActionRow(NudgeKindID kind, std::function<void()> onComplete,
                             std::function<void()> onDismiss, const Clock& clock,
                             const SystemPreferences& system, QWidget* host);
    ~NudgeCompletionActionRow();
    NudgeCompletionActionRow(const NudgeCompletionActionRow&) = delete;
    NudgeCompletionActionRow& operator=(const NudgeCompletionActionRow&) = delete;

    // The titles do not depend on the kind, so neither does the size.
    static QSizeF idealSize();

    // New accent colour and accessible names.
    void setKind(NudgeKindID kind);
    void setOnLightSurface(bool onLight);
    NudgeKindID kind() const { return kind_; }
    // Centres the buttons in `area` (host coordinates) and places their proxies there.
    void setGeometry(const QRectF& area);
    QRectF geometry() const { return area_; }
    QRectF completeRect() const;
    QRectF dismissRect() const;
    void paint(QPainter& painter, double now) const;
    bool isAnimating(double now) const;
    void setVisible(bool visible);

    NudgeSurfaceButton* completeButton() const { return complete_.data(); }
    NudgeSurfaceButton* dismissButton() const { return dismiss_.data(); }

    std::function<void()> onLookChanged;

private:
    NudgeKindID kind_;
    QRectF area_;
    // Owned by the row; null once the host has deleted them.
    QPointer<NudgeSurfaceButton> complete_;
    QPointer<NudgeSurfaceButton> dismiss_;
};

} // namespace vornela

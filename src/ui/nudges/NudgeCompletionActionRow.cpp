#include "ui/nudges/NudgeCompletionActionRow.h"

#include "core/nudges/NudgeCatalogue.h"
#include "ui/nudges/NudgeSurfaceButton.h"

#include <QPainter>

#include <algorithm>
#include <utility>

namespace vornela {

namespace {

const QString completeTitle = QStringLiteral("Mark completed");
const QString dismissTitle = QStringLiteral("Ignore");

QString nudgeTitle(NudgeKindID kind) {
    return QString::fromStdString(definitionFor(kind).title);
}

QString completeLabel(NudgeKindID kind) {
    return QStringLiteral("Mark ") + nudgeTitle(kind) + QStringLiteral(" completed");
}

QString dismissLabel(NudgeKindID kind) {
    return QStringLiteral("Ignore ") + nudgeTitle(kind) + QStringLiteral(" reminder");
}

} // namespace

NudgeCompletionActionRow::NudgeCompletionActionRow(NudgeKindID kind, std::function<void()> onComplete,
                                                   std::function<void()> onDismiss, const Clock& clock,
                                                   const SystemPreferences& system, QWidget* host)
    : kind_(kind) {
    auto* complete =
        new NudgeSurfaceButton(completeTitle, QStringLiteral("checkmark"), NudgeSurfaceButton::Role::primary,
                               definitionFor(kind).accentColor, completeLabel(kind), clock, system, host);
    auto* dismiss =
        new NudgeSurfaceButton(dismissTitle, QStringLiteral("xmark"), NudgeSurfaceButton::Role::secondary,
                               Color::white(), dismissLabel(kind), clock, system, host);
    QObject::connect(complete, &QAbstractButton::clicked, complete, [action = std::move(onComplete)] {
        if (action)
            action();
    });
    QObject::connect(dismiss, &QAbstractButton::clicked, dismiss, [action = std::move(onDismiss)] {
        if (action)
            action();
    });
    auto lookChanged = [this] {
        if (onLookChanged)
            onLookChanged();
    };
    complete->onLookChanged = lookChanged;
    dismiss->onLookChanged = lookChanged;
    complete_ = complete;
    dismiss_ = dismiss;
}

NudgeCompletionActionRow::~NudgeCompletionActionRow() {
    // The host may have deleted them already, with itself.
    delete complete_.data();
    delete dismiss_.data();
}

QSizeF NudgeCompletionActionRow::idealSize() {
    const QSizeF complete = NudgeSurfaceButton::idealSizeFor(completeTitle);
    const QSizeF dismiss = NudgeSurfaceButton::idealSizeFor(dismissTitle);
    return {complete.width() + spacing + dismiss.width(), std::max(complete.height(), dismiss.height())};
}

void NudgeCompletionActionRow::setKind(NudgeKindID kind) {
    kind_ = kind;
    if (auto* complete = complete_.data()) {
        complete->setAccessibilityLabel(completeLabel(kind));
        complete->setAccent(definitionFor(kind).accentColor);
    }
    if (auto* dismiss = dismiss_.data())
        dismiss->setAccessibilityLabel(dismissLabel(kind));
}

QRectF NudgeCompletionActionRow::completeRect() const {
    const QSizeF row = idealSize();
    const QSizeF size = NudgeSurfaceButton::idealSizeFor(completeTitle);
    const double left = area_.center().x() - row.width() / 2;
    return {left, area_.center().y() - size.height() / 2, size.width(), size.height()};
}

QRectF NudgeCompletionActionRow::dismissRect() const {
    const QSizeF row = idealSize();
    const QSizeF size = NudgeSurfaceButton::idealSizeFor(dismissTitle);
    const double right = area_.center().x() + row.width() / 2;
    return {right - size.width(), area_.center().y() - size.height() / 2, size.width(), size.height()};
}

void NudgeCompletionActionRow::setGeometry(const QRectF& area) {
    area_ = area;
    if (auto* complete = complete_.data())
        complete->setGeometry(completeRect().toAlignedRect());
    if (auto* dismiss = dismiss_.data())
        dismiss->setGeometry(dismissRect().toAlignedRect());
}

void NudgeCompletionActionRow::paint(QPainter& painter, double now) const {
    if (auto* complete = complete_.data())
        complete->paintLook(painter, completeRect(), now);
    if (auto* dismiss = dismiss_.data())
        dismiss->paintLook(painter, dismissRect(), now);
}

bool NudgeCompletionActionRow::isAnimating(double now) const {
    const auto* complete = complete_.data();
    const auto* dismiss = dismiss_.data();
    return (complete && complete->isAnimating(now)) || (dismiss && dismiss->isAnimating(now));
}

void NudgeCompletionActionRow::setVisible(bool visible) {
    if (auto* complete = complete_.data())
        complete->setVisible(visible);
    if (auto* dismiss = dismiss_.data())
        dismiss->setVisible(visible);
}

} // namespace vornela

namespace vornela {

void NudgeCompletionActionRow::setOnLightSurface(bool onLight) {
    if (complete_)
        complete_->setOnLightSurface(onLight);
    if (dismiss_)
        dismiss_->setOnLightSurface(onLight);
}

} // namespace vornela

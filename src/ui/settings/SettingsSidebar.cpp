#include "ui/settings/SettingsSidebar.h"

#include "ui/base/Typography.h"
#include "ui/base/WindowTheme.h"

#include <QButtonGroup>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

#include <cmath>
#include <numbers>

namespace vornela {

namespace {

QColor tint(SettingsPane pane) {
    // The desktop's plain grey and orange, as the sidebar's two tints.
    return pane == SettingsPane::general ? QColor(0x8e, 0x8e, 0x93) : QColor(0xff, 0x95, 0x00);
}

// A gear of eight teeth around a hub with a hole, centred in a 22-unit box.
QPainterPath gearGlyph(const QPointF& c) {
    QPainterPath body;
    body.addEllipse(c, 5.2, 5.2);
    for (int i = 0; i < 8; ++i) {
        QPainterPath tooth;
        tooth.addRoundedRect(QRectF(-1.45, -7.6, 2.9, 3.6), 0.6, 0.6);
        QTransform turn;
        turn.translate(c.x(), c.y());
        turn.rotate(i * 45.0);
        body = body.united(turn.map(tooth));
    }
    QPainterPath hole;
    hole.addEllipse(c, 2.1, 2.1);
    return body.subtracted(hole);
}

// A bell with its clapper, and the badge dot at its shoulder.
QPainterPath bellGlyph(const QPointF& c) {
    QPainterPath bell;
    const double top = c.y() - 6.2;
    bell.moveTo(c.x() - 5.6, c.y() + 3.2);
    bell.cubicTo(c.x() - 4.4, c.y() + 1.6, c.x() - 4.6, c.y() - 1.0, c.x() - 4.4, c.y() - 2.2);
    bell.cubicTo(c.x() - 4.0, top + 0.6, c.x() + 4.0, top + 0.6, c.x() + 4.4, c.y() - 2.2);
    bell.cubicTo(c.x() + 4.6, c.y() - 1.0, c.x() + 4.4, c.y() + 1.6, c.x() + 5.6, c.y() + 3.2);
    bell.lineTo(c.x() - 5.6, c.y() + 3.2);
    bell.closeSubpath();
    bell.addEllipse(QPointF(c.x(), top - 0.2), 1.1, 1.1);
    bell.addEllipse(QPointF(c.x(), c.y() + 4.9), 1.8, 1.5);
    QPainterPath badge;
    badge.addEllipse(QPointF(c.x() + 5.0, c.y() - 5.0), 2.6, 2.6);
    QPainterPath ring;
    ring.addEllipse(QPointF(c.x() + 5.0, c.y() - 5.0), 3.6, 3.6);
    // A gap around the badge keeps the two shapes apart, as on a notification bell.
    return bell.subtracted(ring).united(badge);
}

} // namespace

void paintSettingsSidebarIcon(QPainter& painter, const QRectF& box, SettingsPane pane) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor base = tint(pane);
    QLinearGradient fill(box.topLeft(), box.bottomLeft());
    fill.setColorAt(0, base.lighter(118));
    fill.setColorAt(1, base.darker(108));
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawRoundedRect(box, box.width() * 0.26, box.height() * 0.26);
    painter.translate(box.topLeft());
    painter.scale(box.width() / 22.0, box.height() / 22.0);
    painter.setBrush(Qt::white);
    const QPointF centre(11, 11);
    painter.drawPath(pane == SettingsPane::general ? gearGlyph(centre) : bellGlyph(QPointF(10.6, 11.6)));
    painter.restore();
}

SettingsSidebarRow::SettingsSidebarRow(SettingsPane pane, QWidget* parent)
    : QAbstractButton(parent), pane_(pane) {
    const QString name = QString::fromUtf8(title(pane).data(), static_cast<qsizetype>(title(pane).size()));
    setText(name);
    setAccessibleName(name);
    setCheckable(true);
    setAutoExclusive(true);
    setFocusPolicy(Qt::StrongFocus);
    setFont(interfaceFont(13, FontWeight::regular));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    hover_.setDuration(160);
    hover_.setEasingCurve(QEasingCurve::OutCubic);
    connect(&hover_, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        hoverAmount_ = value.toDouble();
        update();
    });
}

QSize SettingsSidebarRow::sizeHint() const {
    // 22-pixel icon plus 6 above and below.
    return {SettingsSidebar::sidebarWidth - 20, 34};
}

void SettingsSidebarRow::fadeHover(double to) {
    hover_.stop();
    hover_.setStartValue(hoverAmount_);
    hover_.setEndValue(to);
    hover_.start();
}

void SettingsSidebarRow::enterEvent(QEnterEvent* event) {
    fadeHover(1);
    QAbstractButton::enterEvent(event);
}

void SettingsSidebarRow::leaveEvent(QEvent* event) {
    fadeHover(0);
    QAbstractButton::leaveEvent(event);
}

void SettingsSidebarRow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette& pal = palette();
    const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QColor textColour = pal.color(QPalette::WindowText);
    if (isChecked()) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(pal.color(QPalette::Active, QPalette::Highlight));
        painter.drawRoundedRect(box, 6, 6);
        textColour = pal.color(QPalette::Active, QPalette::HighlightedText);
    } else if (hoverAmount_ > 0) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(withOpacity(pal.color(QPalette::WindowText), 0.055 * hoverAmount_));
        painter.drawRoundedRect(box, 6, 6);
    }
    if (hasFocus() && !isChecked()) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(withOpacity(pal.color(QPalette::Highlight), 0.7), 1.5));
        painter.drawRoundedRect(box.adjusted(1, 1, -1, -1), 5, 5);
    }
    const QRectF icon(8, (height() - 22) / 2.0, 22, 22);
    paintSettingsSidebarIcon(painter, icon, pane_);
    painter.setPen(textColour);
    painter.setFont(font());
    painter.drawText(QRectF(icon.right() + 8, 0, width() - icon.right() - 16, height()),
                     Qt::AlignVCenter | Qt::AlignLeft, text());
}

SettingsSidebar::SettingsSidebar(SettingsWindowModel& model, QWidget* parent)
    : QWidget(parent), model_(model) {
    setFixedWidth(sidebarWidth);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 14, 10, 10);
    layout->setSpacing(2);
    for (const SettingsPane pane : allSettingsPanes) {
        auto* row = new SettingsSidebarRow(pane, this);
        rows_.push_back(row);
        layout->addWidget(row);
        connect(row, &QAbstractButton::toggled, this, [this, pane](bool on) {
            if (on)
                model_.select(pane);
        });
    }
    layout->addStretch(1);
    showSelection(model.selection().get());
    selection_ = model.selection().observe([this](const SettingsPane& pane) { showSelection(pane); });
}

SettingsSidebar::~SettingsSidebar() = default;

SettingsSidebarRow* SettingsSidebar::row(SettingsPane pane) const {
    for (auto* row : rows_) {
        if (row->pane() == pane)
            return row;
    }
    return nullptr;
}

void SettingsSidebar::showSelection(SettingsPane pane) {
    if (auto* chosen = row(pane); chosen && !chosen->isChecked())
        chosen->setChecked(true);
}

void SettingsSidebar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPalette& pal = palette();
    // A shade apart from the content, darker in light windows and lighter in dark ones.
    const QColor window = pal.color(QPalette::Window);
    painter.fillRect(rect(), isDarkPalette(pal) ? window.lighter(118) : window.darker(104));
    painter.fillRect(QRect(width() - 1, 0, 1, height()), withOpacity(pal.color(QPalette::WindowText), 0.1));
}

} // namespace vornela

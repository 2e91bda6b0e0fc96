#include "ui/settings/SettingsSection.h"

#include "ui/base/Typography.h"
#include "ui/base/WindowTheme.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

namespace vornela {

namespace {

// The card behind a group: the base colour with a faint edge, so it stands off the window in
// both schemes.
class SectionCard : public QFrame {
public:
    using QFrame::QFrame;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
        painter.setPen(QPen(withOpacity(palette().color(QPalette::WindowText), 0.09), 1));
        painter.setBrush(palette().color(QPalette::Base));
        painter.drawRoundedRect(box, 9, 9);
    }
};

class Hairline : public QWidget {
public:
    explicit Hairline(QWidget* parent = nullptr) : QWidget(parent) { setFixedHeight(1); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect().adjusted(14, 0, 0, 0),
                         withOpacity(palette().color(QPalette::WindowText), 0.08));
    }
};

class ErrorText : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setPen(isDarkPalette(palette()) ? QColor(0xff, 0x7b, 0x70) : QColor(0xb8, 0x1f, 0x16));
        painter.setFont(font());
        painter.drawText(contentsRect(), Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text());
    }
};

} // namespace

QLabel* errorLabel(QWidget* parent) {
    auto* label = new ErrorText(parent);
    label->setFont(interfaceFont(12, FontWeight::regular));
    label->setWordWrap(true);
    return label;
}

QLabel* secondaryLabel(const QString& text, double pixelSize, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setFont(interfaceFont(pixelSize, FontWeight::regular));
    label->setForegroundRole(QPalette::PlaceholderText);
    label->setWordWrap(true);
    return label;
}

QLabel* textLabel(const QString& text, double pixelSize, bool medium, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setFont(interfaceFont(pixelSize, medium ? FontWeight::medium : FontWeight::regular));
    return label;
}

SettingsSection::SettingsSection(const QString& header, QWidget* parent)
    : QWidget(parent), card_(new SectionCard), rows_(new QVBoxLayout(card_)),
      footer_(secondaryLabel({}, 12)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    if (!header.isEmpty()) {
        auto* title = textLabel(header, 13, true);
        title->setContentsMargins(4, 0, 0, 0);
        layout->addWidget(title);
    }
    rows_->setContentsMargins(0, 2, 0, 2);
    rows_->setSpacing(0);
    layout->addWidget(card_);
    footer_->setContentsMargins(4, 0, 4, 0);
    footer_->hide();
    layout->addWidget(footer_);
}

QWidget* SettingsSection::addRow(const QString& label, QWidget* control) {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(14, 6, 10, 6);
    auto* text = textLabel(label, 13);
    text->setBuddy(control);
    layout->addWidget(text, 1);
    layout->addWidget(control, 0, Qt::AlignRight | Qt::AlignVCenter);
    if (control->accessibleName().isEmpty())
        control->setAccessibleName(label);
    row->setMinimumHeight(40);
    addRowWidget(row);
    return row;
}

void SettingsSection::addRowWidget(QWidget* row) {
    if (rowCount_++ > 0)
        rows_->addWidget(new Hairline);
    rows_->addWidget(row);
}

void SettingsSection::setFooter(const QString& text) {
    footer_->setText(text);
    footer_->setVisible(!text.isEmpty());
}

} // namespace vornela

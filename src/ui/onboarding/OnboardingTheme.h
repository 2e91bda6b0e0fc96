#pragma once

#include <QColor>
#include <QEasingCurve>
#include <QFont>
#include <QString>

class QLabel;
class QPainter;
class QPalette;
class QRectF;
class QWidget;

namespace vornela::onboardingTheme {

QColor accent();
QColor stepHighlight();
// Behind every page: a deep tone of its own on a dark palette, the window colour on a light one.
// Read from the palette in force, so the text drawn on it always matches.
QColor background(const QPalette& palette);
// Text and strokes: the palette's text colour at the weight of its role.
QColor primary(const QPalette& palette);
QColor secondary(const QPalette& palette);
QColor tertiary(const QPalette& palette);
QColor primaryAt(const QPalette& palette, double opacity);

QFont titleFont();
QFont headingFont();
QFont bodyFont();
QFont smallFont();
QFont labelFont();
// 13.5 medium: a row's title.
QFont rowTitleFont();
// 12 regular: messages and footnotes.
QFont captionFont();
// 13 semibold: section headers.
QFont sectionFont();
// 13 medium: the chosen option of a menu.
QFont menuFont();

// The page change: ease-out over 0.26 s.
QEasingCurve pageChangeCurve();
int pageChangeMilliseconds();

// A label in one of the text roles; `tone` 0 primary, 1 secondary, 2 tertiary.
QLabel* label(const QString& text, const QFont& font, int tone, QWidget* parent = nullptr);
// The card behind the goals and each nudge: a faint fill with a hairline inside its edge.
void paintCard(QPainter& painter, const QRectF& rect, const QPalette& palette);

} // namespace vornela::onboardingTheme

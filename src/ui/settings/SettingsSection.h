#pragma once

#include <QFrame>
#include <QLabel>
#include <QString>

class QVBoxLayout;

namespace vornela {

// Text in the secondary colour of the current palette; it follows a change of scheme.
QLabel* secondaryLabel(const QString& text, double pixelSize, QWidget* parent = nullptr);
// Text saying why something failed, in red that reads on the window in either scheme.
QLabel* errorLabel(QWidget* parent = nullptr);
// A label in the interface font.
QLabel* textLabel(const QString& text, double pixelSize, bool medium = false, QWidget* parent = nullptr);

// One group of a settings form: an optional header, a rounded card of rows separated by hairlines,
// and an optional footer in the secondary colour.
class SettingsSection : public QWidget {
public:
    explicit SettingsSection(const QString& header = {}, QWidget* parent = nullptr);

    // A row: the label on the left, the control on the right. The control's accessible name is the
    // label unless it has one.
    QWidget* addRow(const QString& label, QWidget* control);
    // A row laid out by the caller.
    void addRowWidget(QWidget* row);
    void setFooter(const QString& text);
    QLabel* footer() const { return footer_; }

private:
    QFrame* card_;
    QVBoxLayout* rows_;
    QLabel* footer_;
    int rowCount_ = 0;
};

} // namespace vornela

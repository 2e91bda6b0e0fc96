#pragma once

#include <QVBoxLayout>
#include <QWidget>

namespace vornela {

// A rounded, faintly filled group of rows (the goals, one nudge), laid out top to bottom.
class OnboardingCard : public QWidget {
public:
    explicit OnboardingCard(QWidget* parent = nullptr);

    QVBoxLayout& rows() { return *rows_; }
    // A hairline between two rows, indented at the leading edge.
    void addDivider();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QVBoxLayout* rows_;
};

} // namespace vornela

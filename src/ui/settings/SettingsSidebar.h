#pragma once

#include "core/settings/SettingsWindowModel.h"

#include <QAbstractButton>
#include <QVariantAnimation>
#include <QWidget>

#include <vector>

class QPainter;

namespace vornela {

// The sidebar's icon: a 22 × 22 rounded square filled with the pane's tint, the glyph in white.
void paintSettingsSidebarIcon(QPainter& painter, const QRectF& box, SettingsPane pane);

// One pane's entry: the icon and the title; a hover tint that fades in and out, and the
// selection colour when chosen.
class SettingsSidebarRow : public QAbstractButton {
public:
    SettingsSidebarRow(SettingsPane pane, QWidget* parent = nullptr);
    SettingsPane pane() const { return pane_; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void fadeHover(double to);

    SettingsPane pane_;
    QVariantAnimation hover_;
    double hoverAmount_ = 0;
};

// The 204-pixel column listing the panes in order; choosing one selects it in the model.
class SettingsSidebar : public QWidget {
public:
    explicit SettingsSidebar(SettingsWindowModel& model, QWidget* parent = nullptr);
    ~SettingsSidebar() override;

    static constexpr int sidebarWidth = 204;
    SettingsSidebarRow* row(SettingsPane pane) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void showSelection(SettingsPane pane);

    SettingsWindowModel& model_;
    std::vector<SettingsSidebarRow*> rows_;
    Subscription selection_;
};

} // namespace vornela

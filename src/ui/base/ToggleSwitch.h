#pragma once

#include <QAbstractButton>
#include <QVariantAnimation>

namespace vornela {

// An on/off switch: a rounded track in the palette's highlight colour when on, with a white knob
// that slides across. Checkable; Space toggles it, Tab reaches it, and it carries an accessible
// name since it shows no text of its own. Colours come from the palette, so it reads in light
// and dark windows alike.
class ToggleSwitch : public QAbstractButton {
    Q_OBJECT
public:
    explicit ToggleSwitch(const QString& accessibleName = {}, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    // Off: the knob jumps (reduce motion).
    void setAnimated(bool animated) { animated_ = animated; }
    // Sets the state without a `toggled` signal: for showing a value read from a store.
    void setCheckedQuietly(bool checked);

    static constexpr int trackWidth = 38;
    static constexpr int trackHeight = 22;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void checkStateSet() override;
    void nextCheckState() override;
    bool hitButton(const QPoint& pos) const override;

private:
    void moveKnob(bool animated);

    QVariantAnimation knob_;
    double position_ = 0; // 0 off, 1 on
    bool animated_ = true;
    bool hovered_ = false;
};

} // namespace vornela

#include "ui/base/ToggleSwitch.h"
#include "ui/base/WindowTheme.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <gtest/gtest.h>

using namespace vornela;

namespace {

QImage render(ToggleSwitch& toggle) {
    QImage image(toggle.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(toggle.palette().color(QPalette::Window));
    toggle.render(&image);
    return image;
}

} // namespace

// Off is grey with the knob on the left, on is the highlight with the knob on the right, in both
// schemes; Space flips it and says so.
TEST(ToggleSwitch, ShowsItsStateAndSpaceTogglesIt) {
    for (const bool dark : {false, true}) {
        ToggleSwitch toggle(QStringLiteral("Enable reminders"));
        WindowTheme::apply(toggle, dark);
        toggle.resize(toggle.sizeHint());
        const int w = toggle.width();
        const int h = toggle.height();
        const QPoint left(w / 2 - ToggleSwitch::trackWidth / 2 + 11, h / 2);
        const QPoint right(w / 2 + ToggleSwitch::trackWidth / 2 - 11, h / 2);
        const QColor highlight = toggle.palette().color(QPalette::Highlight);

        QImage off = render(toggle);
        EXPECT_EQ(off.pixelColor(left), QColor(Qt::white)) << "knob left when off, dark " << dark;
        EXPECT_NE(off.pixelColor(right), highlight);
        EXPECT_GT(std::abs(off.pixelColor(right).lightness() -
                           toggle.palette().color(QPalette::Window).lightness()),
                  25)
            << "the off track stands apart from the window";

        int toggles = 0;
        QObject::connect(&toggle, &ToggleSwitch::toggled, [&](bool) { ++toggles; });
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
        QApplication::sendEvent(&toggle, &press);
        QApplication::sendEvent(&toggle, &release);
        EXPECT_TRUE(toggle.isChecked());
        EXPECT_EQ(toggles, 1);

        QImage on = render(toggle);
        EXPECT_EQ(on.pixelColor(right), QColor(Qt::white)) << "knob right when on";
        EXPECT_EQ(on.pixelColor(left), highlight);

        toggle.setCheckedQuietly(false);
        EXPECT_EQ(toggles, 1) << "a value shown from the store is not a change";
        EXPECT_EQ(render(toggle).pixelColor(left), QColor(Qt::white));
        EXPECT_EQ(toggle.accessibleName(), QStringLiteral("Enable reminders"));
    }
}

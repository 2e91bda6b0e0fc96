#include "ui/base/WindowTheme.h"

#include "core/base/SystemPreferences.h"
#include "ui/base/Typography.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>
#include <QWidget>

namespace vornela {

namespace {

struct Scheme {
    QColor window, base, alternate, button, text, secondary, disabled, highlight, mid, midlight, dark, link;
};

// Contrast of text on the window and base colours is at least 4.5:1, secondary text included.
const Scheme light{QColor(0xf5, 0xf5, 0xf7), QColor(0xff, 0xff, 0xff), QColor(0xf0, 0xf0, 0xf3),
                   QColor(0xfb, 0xfb, 0xfd), QColor(0x1d, 0x1d, 0x1f), QColor(0x62, 0x62, 0x67),
                   QColor(0xa3, 0xa3, 0xa8), QColor(0x0a, 0x62, 0xd0), QColor(0xc6, 0xc6, 0xcb),
                   QColor(0xe4, 0xe4, 0xe9), QColor(0x9a, 0x9a, 0xa0), QColor(0x0a, 0x58, 0xc0)};
const Scheme dark{QColor(0x1e, 0x1e, 0x21), QColor(0x2a, 0x2a, 0x2e), QColor(0x32, 0x32, 0x37),
                  QColor(0x3a, 0x3a, 0x3f), QColor(0xf2, 0xf2, 0xf4), QColor(0xa8, 0xa8, 0xae),
                  QColor(0x6c, 0x6c, 0x72), QColor(0x1f, 0x6f, 0xd6), QColor(0x4a, 0x4a, 0x50),
                  QColor(0x3c, 0x3c, 0x42), QColor(0x12, 0x12, 0x14), QColor(0x6c, 0xaa, 0xff)};

} // namespace

QPalette windowPalette(bool darkScheme) {
    const Scheme& s = darkScheme ? dark : light;
    QPalette p;
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const bool off = group == QPalette::Disabled;
        p.setColor(group, QPalette::Window, s.window);
        p.setColor(group, QPalette::Base, s.base);
        p.setColor(group, QPalette::AlternateBase, s.alternate);
        p.setColor(group, QPalette::Button, s.button);
        p.setColor(group, QPalette::Light, darkScheme ? s.mid : QColor(Qt::white));
        p.setColor(group, QPalette::Midlight, s.midlight);
        p.setColor(group, QPalette::Mid, s.mid);
        p.setColor(group, QPalette::Dark, s.dark);
        p.setColor(group, QPalette::Shadow, QColor(0, 0, 0, darkScheme ? 160 : 60));
        p.setColor(group, QPalette::WindowText, off ? s.disabled : s.text);
        p.setColor(group, QPalette::Text, off ? s.disabled : s.text);
        p.setColor(group, QPalette::ButtonText, off ? s.disabled : s.text);
        p.setColor(group, QPalette::BrightText, Qt::white);
        p.setColor(group, QPalette::PlaceholderText, off ? s.disabled : s.secondary);
        p.setColor(group, QPalette::Highlight, off ? s.mid : s.highlight);
        p.setColor(group, QPalette::HighlightedText, Qt::white);
        p.setColor(group, QPalette::Link, s.link);
        p.setColor(group, QPalette::LinkVisited, s.link);
        p.setColor(group, QPalette::ToolTipBase, s.base);
        p.setColor(group, QPalette::ToolTipText, s.text);
    }
    return p;
}

QFont windowFont() {
    return interfaceFont(13, FontWeight::regular);
}

bool isDarkPalette(const QPalette& palette) {
    return palette.color(QPalette::Window).lightnessF() < 0.5;
}

QColor secondaryTextColor(const QPalette& palette) {
    return palette.color(QPalette::PlaceholderText);
}

QColor withOpacity(QColor color, double opacity) {
    color.setAlphaF(static_cast<float>(color.alphaF() * opacity));
    return color;
}

WindowTheme::WindowTheme(SystemPreferences& system) {
    ensureInterfaceFont();
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(fusion);
    QApplication::setFont(windowFont());
    dark_ = !system.darkAppearance.get();
    follow(system.darkAppearance.get());
    appearance_ = system.darkAppearance.observe([this](const bool& on) { follow(on); });
}

void WindowTheme::follow(bool dark) {
    if (dark == dark_)
        return;
    dark_ = dark;
    // The application palette reaches every open window, which repaints with it.
    QApplication::setPalette(windowPalette(dark));
}

void WindowTheme::apply(QWidget& window, bool dark) {
    if (QApplication::style()->name() != QLatin1String("fusion"))
        QApplication::setStyle(QStringLiteral("Fusion"));
    ensureInterfaceFont();
    window.setFont(windowFont());
    window.setPalette(windowPalette(dark));
}

} // namespace vornela

#include "ui/base/Typography.h"

#include <QDir>
#include <QFontDatabase>
#include <algorithm>

namespace vornela {

namespace {

constexpr const char* family = "Inter";

QFont::Weight qtWeight(FontWeight weight) {
    switch (weight) {
    case FontWeight::regular:
        return QFont::Normal;
    case FontWeight::medium:
        return QFont::Medium;
    case FontWeight::semibold:
        return QFont::DemiBold;
    case FontWeight::bold:
        return QFont::Bold;
    }
    return QFont::Normal;
}

} // namespace

QFont interfaceFont(double pixelSize, FontWeight weight) {
    QFont font(QString::fromLatin1(family));
    font.setStyleHint(QFont::SansSerif);
    // QFont takes whole pixels; every size the layout uses is whole.
    font.setPixelSize(std::max(1, static_cast<int>(pixelSize + 0.5)));
    font.setWeight(qtWeight(weight));
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

bool ensureInterfaceFont() {
    if (QFontDatabase::families().contains(QString::fromLatin1(family)))
        return true;
    // fonts-inter's files, for a fontconfig that has not cached them yet.
    const QDir dir(QStringLiteral("/usr/share/fonts/opentype/inter"));
    bool added = false;
    for (const QString& name : dir.entryList({QStringLiteral("Inter-*.otf")}, QDir::Files))
        added = QFontDatabase::addApplicationFont(dir.filePath(name)) >= 0 || added;
    return added;
}

} // namespace vornela

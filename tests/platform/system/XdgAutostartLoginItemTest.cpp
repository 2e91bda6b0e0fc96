#include "platform/system/XdgAutostartLoginItem.h"

#include "../TestFiles.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vornela {
namespace {

using testing::writeFile;

const QString id = QStringLiteral("app.vornela.Vornela");

QString execLine(const QString& entry) {
    for (const QByteArray& line : testing::readFile(entry).split('\n'))
        if (line.startsWith("Exec="))
            return QString::fromUtf8(line.mid(5));
    return {};
}

// What a desktop does with the Exec value: undo the string escapes and %%, then split and
// unquote it. Its quoting rules are the shell's inside double quotes, so sh runs it.
bool startsAsADesktopWould(const QString& exec) {
    const QString command = QString(exec).replace("\\\\", "\\").replace("%%", "%");
    return QProcess::execute(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), command}) == 0;
}

TEST(XdgAutostartLoginItem, OnWritesAValidEntryThatStartsThisProgramAndOffRemovesIt) {
    QTemporaryDir temp;
    // A home-install path with characters a desktop would split or expand.
    const QString program = temp.filePath(QStringLiteral("my apps/$HOME \"100%\"/bin/vornela"));
    const QString marker = temp.filePath(QStringLiteral("started"));
    ASSERT_TRUE(writeFile(program, "#!/bin/sh\ntouch '" + marker.toUtf8() + "'\n", true));

    XdgAutostartLoginItem item(temp.filePath(QStringLiteral("config/autostart")), id, program);
    EXPECT_FALSE(item.isEnabled());
    EXPECT_EQ(item.setEnabled(true), "");
    EXPECT_TRUE(item.isEnabled());
    EXPECT_EQ(item.entryPath(),
              temp.filePath(QStringLiteral("config/autostart/app.vornela.Vornela.desktop")));
    EXPECT_EQ(QProcess::execute(QStringLiteral("desktop-file-validate"), {item.entryPath()}), 0);
    EXPECT_TRUE(startsAsADesktopWould(execLine(item.entryPath())))
        << execLine(item.entryPath()).toStdString();
    EXPECT_TRUE(QFile::exists(marker));

    EXPECT_EQ(item.setEnabled(false), "");
    EXPECT_FALSE(QFile::exists(item.entryPath()));
    EXPECT_FALSE(item.isEnabled());
    EXPECT_EQ(item.setEnabled(false), "") << "already off is no failure";
}

TEST(XdgAutostartLoginItem, ReadsTheEntrysRealStateInTheUsersConfigFolder) {
    QTemporaryDir temp;
    qputenv("XDG_CONFIG_HOME", temp.path().toUtf8());
    XdgAutostartLoginItem item(XdgAutostartLoginItem::defaultDirectory(), id,
                               QStringLiteral("/usr/bin/vornela"));
    qunsetenv("XDG_CONFIG_HOME");
    ASSERT_EQ(item.setEnabled(true), "");
    EXPECT_TRUE(QFile::exists(temp.filePath(QStringLiteral("autostart/app.vornela.Vornela.desktop"))));

    ASSERT_TRUE(QFile::remove(item.entryPath()));
    EXPECT_FALSE(item.isEnabled()) << "removed by hand";
    ASSERT_TRUE(
        writeFile(item.entryPath(), "[Desktop Entry]\nType=Application\nExec=vornela\nHidden=true\n"));
    EXPECT_FALSE(item.isEnabled()) << "hidden by a desktop's own switch";
    ASSERT_TRUE(
        writeFile(item.entryPath(), "[Desktop Entry]\nExec=vornela\nX-GNOME-Autostart-enabled=false\n"));
    EXPECT_FALSE(item.isEnabled());
    ASSERT_TRUE(writeFile(item.entryPath(), "[Desktop Entry]\nType=Application\nExec=vornela\n"));
    EXPECT_TRUE(item.isEnabled()) << "written by hand";
}

TEST(XdgAutostartLoginItem, AChangeThatCannotBeMadeSaysWhyAndChangesNothing) {
    QTemporaryDir temp;
    // A file where the folder should be, so the entry cannot be written even by root.
    ASSERT_TRUE(writeFile(temp.filePath(QStringLiteral("autostart")), "not a folder"));
    XdgAutostartLoginItem blocked(temp.filePath(QStringLiteral("autostart")), id,
                                  QStringLiteral("/usr/bin/vornela"));
    const std::string why = blocked.setEnabled(true);
    EXPECT_NE(why.find(temp.filePath(QStringLiteral("autostart")).toStdString()), std::string::npos) << why;
    EXPECT_FALSE(blocked.isEnabled());

    // An entry that is a folder with something in it cannot be removed.
    XdgAutostartLoginItem stuck(temp.filePath(QStringLiteral("other")), id,
                                QStringLiteral("/usr/bin/vornela"));
    ASSERT_TRUE(QDir().mkpath(stuck.entryPath() + QStringLiteral("/inside")));
    EXPECT_NE(stuck.setEnabled(false), "");
    EXPECT_TRUE(QFileInfo::exists(stuck.entryPath()));
}

} // namespace
} // namespace vornela

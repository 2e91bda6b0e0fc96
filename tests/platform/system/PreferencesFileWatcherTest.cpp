#include "platform/system/PreferencesFileWatcher.h"

#include "../TestFiles.h"
#include "../time/EventLoopWait.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vornela {
namespace {

using testing::renameOver; // as the preferences store saves
using testing::waitUntil;

TEST(PreferencesFileWatcher, SeesEveryRenameOverAndInPlaceEdits) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("preferences.json"));
    ASSERT_TRUE(renameOver(path, "{}"));
    int changes = 0;
    PreferencesFileWatcher watcher(path, [&] { ++changes; });

    ASSERT_TRUE(renameOver(path, R"({"a":1})"));
    ASSERT_TRUE(waitUntil([&] { return changes == 1; }));
    ASSERT_TRUE(renameOver(path, R"({"a":2})"));
    ASSERT_TRUE(waitUntil([&] { return changes == 2; })) << "the watch must follow the new file";

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::Append) && file.write(" ") == 1);
    file.close();
    ASSERT_TRUE(waitUntil([&] { return changes == 3; }));
}

TEST(PreferencesFileWatcher, PicksUpAFolderAndFileThatAppearLater) {
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("config/vornela"));
    const QString path = folder + QStringLiteral("/preferences.json");
    int changes = 0;
    PreferencesFileWatcher watcher(path, [&] { ++changes; });

    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(renameOver(path, "{}"));
    ASSERT_TRUE(waitUntil([&] { return changes >= 1; }));
    const int before = changes;
    ASSERT_TRUE(renameOver(path, R"({"b":true})"));
    ASSERT_TRUE(waitUntil([&] { return changes > before; })) << "and keeps watching it afterwards";
}

} // namespace
} // namespace vornela

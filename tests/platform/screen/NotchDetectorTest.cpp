#include "platform/screen/NotchDetector.h"

#include "core/notch/NotchGeometry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vornela {
namespace {

// A device tree in a temporary folder, laid out like /proc/device-tree.
class DeviceTree {
public:
    DeviceTree() { EXPECT_TRUE(dir_.isValid()); }
    QString root() const { return dir_.path(); }

    void write(const QString& relativePath, const QByteArray& bytes) {
        const QString path = dir_.filePath(relativePath);
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    void model(const char* name) { write("model", QByteArray(name) + '\0'); }
    void notchHeight(const QString& node, const QByteArray& bytes) {
        write(node + "/apple,notch-height", bytes);
    }

private:
    QTemporaryDir dir_;
};

const QByteArray rows74("\x00\x00\x00\x4a", 4);
const QString dcpNode = "soc/dcp@38bc00000";

// A 14" MacBook Pro at 2x in the mode with the notch rows: 3024 x 1964 pixels.
const Rect pro14Frame{0, 0, 1512, 982};

TEST(NotchDetector, FindsTheNotchOfAMacBookDrivingItsFullPanel) {
    DeviceTree tree;
    tree.model("Apple MacBook Pro (14-inch, M1 Pro, 2021)");
    tree.notchHeight(dcpNode, rows74);
    tree.write("soc/dcp@38bc00000/compatible", "apple,t6000-dcp");

    const auto notch = NotchDetector(tree.root()).notchFor(pro14Frame, QSize(3024, 1964), 2);
    ASSERT_TRUE(notch);
    EXPECT_EQ(notch->topInset, 37);
    // The menu-bar strips run from the screen's edges to the housing, along the top.
    EXPECT_EQ(notch->auxiliaryTopLeftArea.minX(), 0);
    EXPECT_EQ(notch->auxiliaryTopRightArea.maxX(), 1512);
    EXPECT_EQ(notch->auxiliaryTopLeftArea.maxY(), 982);
    EXPECT_EQ(notch->auxiliaryTopLeftArea.height, 37);
    EXPECT_EQ(notch->auxiliaryTopRightArea,
              notch->auxiliaryTopLeftArea.offsetBy(1512 - notch->auxiliaryTopLeftArea.width, 0));

    // What core makes of it: the anchor sits centred over the housing, as tall as the notch.
    ScreenInfo screen{"eDP-1",
                      true,
                      pro14Frame,
                      pro14Frame,
                      2,
                      notch->topInset,
                      notch->auxiliaryTopLeftArea,
                      notch->auxiliaryTopRightArea};
    const Rect anchor = anchorRect(screen);
    EXPECT_EQ(anchor.midX(), 756);
    EXPECT_EQ(anchor.maxY(), 982);
    EXPECT_EQ(anchor.height, 37);
    EXPECT_GT(anchor.width, 150);
    EXPECT_LT(anchor.width, 220);

    // A screen on another origin gets its strips there (an external display left of it).
    const Rect moved = pro14Frame.offsetBy(-1512, 200);
    const auto elsewhere = NotchDetector(tree.root()).notchFor(moved, QSize(3024, 1964), 2);
    ASSERT_TRUE(elsewhere);
    EXPECT_EQ(elsewhere->auxiliaryTopLeftArea, notch->auxiliaryTopLeftArea.offsetBy(-1512, 200));
}

TEST(NotchDetector, ReportsNoNotchUnlessEverythingIsKnown) {
    const char* pro14 = "Apple MacBook Pro (14-inch, M1 Pro, 2021)";
    struct Case {
        const char* why;
        const char* model;
        QString node;
        QByteArray height;
        Rect frame;
        QSize pixels;
        double scale;
    };
    const Case cases[] = {
        {"panel driven without the notch rows", pro14, dcpNode, rows74, {0, 0, 1512, 945}, {3024, 1890}, 2},
        {"an external screen beside it", pro14, dcpNode, rows74, {1512, 0, 2560, 1440}, {2560, 1440}, 1},
        {"not a MacBook", "LENOVO ThinkPad X13s Gen 1", dcpNode, rows74, pro14Frame, {3024, 1964}, 2},
        {"a MacBook without a notch",
         "Apple MacBook Air (M1, 2020)",
         dcpNode,
         rows74,
         {0, 0, 2560, 1600},
         {2560, 1600},
         1},
        {"text", pro14, dcpNode, "74", pro14Frame, {3024, 1964}, 2},
        {"two bytes", pro14, dcpNode, QByteArray("\x00\x4a", 2), pro14Frame, {3024, 1964}, 2},
        {"eight bytes", pro14, dcpNode, QByteArray(8, '\x00'), pro14Frame, {3024, 1964}, 2},
        {"zero rows", pro14, dcpNode, QByteArray("\x00\x00\x00\x00", 4), pro14Frame, {3024, 1964}, 2},
        {"absurd rows", pro14, dcpNode, QByteArray("\xff\xff\xff\xff", 4), pro14Frame, {3024, 1964}, 2},
        {"not the display coprocessor",
         "Apple MacBook Pro (16-inch, M1 Max, 2021)",
         "soc/disp0@231c00000",
         rows74,
         {0, 0, 1728, 1117},
         {3456, 2234},
         2},
    };
    for (const auto& c : cases) {
        DeviceTree tree;
        tree.model(c.model);
        tree.notchHeight(c.node, c.height);
        EXPECT_FALSE(NotchDetector(tree.root()).notchFor(c.frame, c.pixels, c.scale)) << c.why;
    }
    EXPECT_FALSE(NotchDetector("/nonexistent/device-tree").notchFor(pro14Frame, QSize(3024, 1964), 2));
}

} // namespace
} // namespace vornela

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

TEST(NotchDetector, ScalesTheInsetByTheDevicePixelRatio) {
    DeviceTree tree;
    tree.model("Apple MacBook Air (13-inch, M2, 2022)");
    tree.notchHeight("dcp", QByteArray("\x00\x00\x00\x40", 4));
    const auto notch = NotchDetector(tree.root()).notchFor({0, 0, 2560, 1664}, QSize(2560, 1664), 1);
    ASSERT_TRUE(notch);
    EXPECT_EQ(notch->topInset, 64);
}

TEST(NotchDetector, ReportsNoNotchUnlessEverythingIsKnown) {
    {
        // The panel driven without the notch rows: the notch is outside the picture.
        DeviceTree tree;
        tree.model("Apple MacBook Pro (14-inch, M1 Pro, 2021)");
        tree.notchHeight(dcpNode, rows74);
        EXPECT_FALSE(NotchDetector(tree.root()).notchFor({0, 0, 1512, 945}, QSize(3024, 1890), 2));
        // An external screen of another height next to it.
        EXPECT_FALSE(NotchDetector(tree.root()).notchFor({1512, 0, 2560, 1440}, QSize(2560, 1440), 1));
    }
    {
        DeviceTree tree;
        tree.model("LENOVO ThinkPad X13s Gen 1");
        tree.notchHeight(dcpNode, rows74);
        EXPECT_FALSE(NotchDetector(tree.root()).notchFor(pro14Frame, QSize(3024, 1964), 2));
    }
    {
        // A MacBook without a notch.
        DeviceTree tree;
        tree.model("Apple MacBook Air (M1, 2020)");
        tree.notchHeight(dcpNode, rows74);
        EXPECT_FALSE(NotchDetector(tree.root()).notchFor({0, 0, 2560, 1600}, QSize(2560, 1600), 1));
    }
    for (const QByteArray& garbage : {QByteArray("74"), QByteArray("\x00\x4a", 2), QByteArray(8, '\x00'),
                                      QByteArray("\x00\x00\x00\x00", 4), QByteArray("\xff\xff\xff\xff", 4)}) {
        DeviceTree tree;
        tree.model("Apple MacBook Pro (14-inch, M1 Pro, 2021)");
        tree.notchHeight(dcpNode, garbage);
        EXPECT_FALSE(NotchDetector(tree.root()).notchFor(pro14Frame, QSize(3024, 1964), 2))
            << garbage.toHex().data();
    }
    {
        // The property on a node that is not the display coprocessor.
        DeviceTree tree;
        tree.model("Apple MacBook Pro (16-inch, M1 Max, 2021)");
        tree.notchHeight("soc/disp0@231c00000", rows74);
        EXPECT_FALSE(NotchDetector(tree.root()).notchFor({0, 0, 1728, 1117}, QSize(3456, 2234), 2));
    }
    // No device tree at all.
    EXPECT_FALSE(NotchDetector("/nonexistent/device-tree").notchFor(pro14Frame, QSize(3024, 1964), 2));
}

} // namespace
} // namespace vornela

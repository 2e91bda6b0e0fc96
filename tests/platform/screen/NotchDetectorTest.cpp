#include "platform/screen/NotchDetector.h"

#include "../TestFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vornela {
namespace {

// A device tree in a temporary folder, laid out like /proc/device-tree.
struct DeviceTree {
    DeviceTree(const char* model, const QString& node, const QByteArray& notchHeight) {
        testing::writeFile(dir.filePath("model"), QByteArray(model) + '\0');
        testing::writeFile(dir.filePath(node + "/apple,notch-height"), notchHeight);
    }
    std::optional<NotchInsets> notchFor(const Rect& frame, QSize pixels, double scale) const {
        return NotchDetector(dir.path()).notchFor(frame, pixels, scale);
    }
    QTemporaryDir dir;
};

const QByteArray rows74("\x00\x00\x00\x4a", 4);
const QString dcpNode = "soc/dcp@38bc00000";
const char* const pro14 = "Apple MacBook Pro (14-inch, M1 Pro, 2021)";

// A 14" MacBook Pro at 2x in the mode with the notch rows: 3024 x 1964 pixels.
const Rect pro14Frame{0, 0, 1512, 982};

TEST(NotchDetector, FindsTheNotchOfAMacBookDrivingItsFullPanel) {
    const DeviceTree tree(pro14, dcpNode, rows74);
    const auto notch = tree.notchFor(pro14Frame, QSize(3024, 1964), 2);
    ASSERT_TRUE(notch);
    EXPECT_EQ(notch->topInset, 37);
    // The menu-bar strips run from the screen's edges to the housing, along the top.
    const Rect left = notch->auxiliaryTopLeftArea;
    EXPECT_EQ(left.minX(), 0);
    EXPECT_EQ(left.maxY(), 982);
    EXPECT_EQ(left.height, 37);
    const double housing = 1512 - 2 * left.width;
    EXPECT_GT(housing, 150);
    EXPECT_LT(housing, 220);
    EXPECT_EQ(notch->auxiliaryTopRightArea, left.offsetBy(1512 - left.width, 0));

    // A screen on another origin gets its strips there (an external display left of it).
    const auto elsewhere = tree.notchFor(pro14Frame.offsetBy(-1512, 200), QSize(3024, 1964), 2);
    ASSERT_TRUE(elsewhere);
    EXPECT_EQ(elsewhere->auxiliaryTopLeftArea, left.offsetBy(-1512, 200));
}

TEST(NotchDetector, ReportsNoNotchUnlessEverythingIsKnown) {
    struct Case {
        const char* why;
        Rect frame;
        QSize pixels;
        double scale;
        const char* model = pro14;
        QString node = dcpNode;
    };
    const Case cases[] = {
        {"panel driven without the notch rows", {0, 0, 1512, 945}, {3024, 1890}, 2},
        {"an external screen beside it", {1512, 0, 2560, 1440}, {2560, 1440}, 1},
        {"not a MacBook", pro14Frame, {3024, 1964}, 2, "LENOVO ThinkPad X13s Gen 1"},
        {"a MacBook without a notch", {0, 0, 2560, 1600}, {2560, 1600}, 1, "Apple MacBook Air (M1, 2020)"},
        {"not the display coprocessor",
         {0, 0, 1728, 1117},
         {3456, 2234},
         2,
         "Apple MacBook Pro (16-inch, M1 Max, 2021)",
         "soc/disp0@231c00000"},
    };
    for (const auto& c : cases)
        EXPECT_FALSE(DeviceTree(c.model, c.node, rows74).notchFor(c.frame, c.pixels, c.scale)) << c.why;
    // Notch heights that are not one sensible big-endian row count.
    for (const QByteArray& height : {QByteArray("74"), QByteArray("\x00\x4a", 2), QByteArray(8, '\0'),
                                     QByteArray(4, '\0'), QByteArray("\xff\xff\xff\xff", 4)})
        EXPECT_FALSE(DeviceTree(pro14, dcpNode, height).notchFor(pro14Frame, QSize(3024, 1964), 2))
            << height.toHex().toStdString();
    EXPECT_FALSE(NotchDetector("/nonexistent/device-tree").notchFor(pro14Frame, QSize(3024, 1964), 2));
}

} // namespace
} // namespace vornela

#include "core/nudges/DotMatrixFrame.h"

#include <gtest/gtest.h>

namespace vornela {
namespace {

const Color red = Color::rgb(1, 0, 0);
const Color blue = Color::rgb(0, 0, 1);

TEST(DotMatrixFrameTest, RowsBecomeDotsAndNothingOutsideTheFrameIsRead) {
    // The unknown 'x' and the shorter row's tail are absent; '.' is a present, clear dot.
    const auto frame =
        DotMatrixFrame::fromRows({"xab", "a."}, {{'a', red}, {'b', blue}, {'.', Color::clear()}});
    EXPECT_EQ(frame, (DotMatrixFrame{3, 2, {std::nullopt, red, blue, red, Color::clear(), std::nullopt}}));
    EXPECT_EQ(DotMatrixFrame::fromRows({}, {{'a', red}}), (DotMatrixFrame{0, 0, {}}));

    // Just outside an edge is absent, not the neighbouring row's dot.
    EXPECT_EQ(frame.pixelAt(0, 1), red);
    EXPECT_EQ(frame.pixelAt(2, 0), blue);
    EXPECT_EQ(frame.pixelAt(3, 0), std::nullopt);
    EXPECT_EQ(frame.pixelAt(-1, 1), std::nullopt);
    EXPECT_EQ(frame.pixelAt(1, -1), std::nullopt);
    EXPECT_EQ(frame.pixelAt(0, 2), std::nullopt);
}

} // namespace
} // namespace vornela

#include "core/nudges/DotMatrixFrame.h"

#include <gtest/gtest.h>

namespace vornela {
namespace {

const Color red = Color::rgb(1, 0, 0);
const Color blue = Color::rgb(0, 0, 1);

TEST(DotMatrixFrameTest, ShorterRowLeavesItsTailAbsent) {
    const auto frame = DotMatrixFrame::fromRows({"ab", "abc"}, {{'a', red}, {'b', blue}, {'c', red}});
    EXPECT_EQ(frame, (DotMatrixFrame{3, 2, {red, blue, std::nullopt, red, blue, red}}));
    EXPECT_EQ(DotMatrixFrame::fromRows({}, {{'a', red}}), (DotMatrixFrame{0, 0, {}}));
}

TEST(DotMatrixFrameTest, UnknownCharactersAreAbsentButClearDotsArePresent) {
    const auto frame = DotMatrixFrame::fromRows({"a.x"}, {{'a', red}, {'.', Color::clear()}});
    EXPECT_EQ(frame.pixelAt(0, 0), red);
    EXPECT_EQ(frame.pixelAt(1, 0), Color::clear());
    EXPECT_EQ(frame.pixelAt(2, 0), std::nullopt);
    EXPECT_EQ(frame.pixelAt(3, 0), std::nullopt); // outside the frame
}

} // namespace
} // namespace vornela

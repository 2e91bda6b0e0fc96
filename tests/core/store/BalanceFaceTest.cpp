#include "core/store/BalanceFace.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

namespace vornela {
namespace {

using Dots = std::set<std::pair<int, int>>; // (row, column)

// Lit dots of a frame, split into eyes (rows 0...2) and mouth (rows 3...8).
std::pair<Dots, Dots> eyesAndMouth(const DotMatrixFrame& frame) {
    Dots eyes;
    Dots mouth;
    for (int row = 0; row < frame.height; ++row) {
        for (int column = 0; column < frame.width; ++column) {
            if (frame.pixelAt(column, row))
                (row <= 2 ? eyes : mouth).insert({row, column});
        }
    }
    return {eyes, mouth};
}

const Dots oneDotEyes{{2, 2}, {2, 6}};
const Dots twoDotEyes{{1, 2}, {1, 6}, {2, 2}, {2, 6}};
const Dots deepFrown{{8, 2}, {7, 3}, {5, 4}, {7, 5}, {8, 6}};
const Dots frown{{7, 2}, {6, 3}, {6, 4}, {6, 5}, {7, 6}};
const Dots flat{{6, 2}, {6, 3}, {6, 4}, {6, 5}, {6, 6}};
const Dots smile{{5, 2}, {6, 3}, {6, 4}, {6, 5}, {5, 6}};
const Dots grin{{4, 2}, {5, 3}, {6, 4}, {5, 4}, {5, 5}, {4, 6}};

TEST(BalanceFaceTest, ExpressionFollowsTheScore) {
    struct Case {
        int from;
        int to;
        const Dots& eyes;
        const Dots& mouth;
    };
    const Case cases[] = {
        {-5, 21, oneDotEyes, deepFrown}, // scores outside 0...100 are clamped
        {22, 39, oneDotEyes, frown},     {40, 49, oneDotEyes, flat},  {50, 74, twoDotEyes, flat},
        {75, 97, twoDotEyes, smile},     {98, 140, twoDotEyes, grin},
    };
    for (const auto& c : cases) {
        for (int score = c.from; score <= c.to; ++score) {
            const auto [eyes, mouth] =
                eyesAndMouth(balanceFaceAnimation(score, BalanceTier::balanced).frames[0]);
            EXPECT_EQ(eyes, c.eyes) << "score " << score;
            EXPECT_EQ(mouth, c.mouth) << "score " << score;
        }
    }
}

// Open for six of nine 0.4 s frames, then half-closed, closed, half-closed; all in the tier's colour.
TEST(BalanceFaceTest, BlinksOnceEveryCycleInTheTiersColour) {
    const auto face = balanceFaceAnimation(80, BalanceTier::pushingIt);
    EXPECT_TRUE(face.loop);
    EXPECT_DOUBLE_EQ(face.frameDuration, 0.4);
    const Dots closed{{2, 1}, {2, 2}, {2, 6}, {2, 7}};
    const std::vector<Dots> expectedEyes{twoDotEyes, twoDotEyes, twoDotEyes, twoDotEyes, twoDotEyes,
                                         twoDotEyes, oneDotEyes, closed,     oneDotEyes};
    std::vector<Dots> eyesSeen;
    for (const auto& frame : face.frames) {
        const auto [eyes, mouth] = eyesAndMouth(frame);
        eyesSeen.push_back(eyes);
        EXPECT_EQ(mouth, smile);
        for (const auto& pixel : frame.pixels)
            EXPECT_TRUE(!pixel || *pixel == tierColor(BalanceTier::pushingIt));
    }
    EXPECT_EQ(eyesSeen, expectedEyes);
}

} // namespace
} // namespace vornela

#include "platform/text/QtTextMeasurer.h"

#include <gtest/gtest.h>

namespace vornela {
namespace {

QFont testFont(double pixelSize, FontWeight weight) {
    QFont font;
    font.setPixelSize(int(pixelSize));
    font.setWeight(weight == FontWeight::bold ? QFont::Bold : QFont::Normal);
    return font;
}

TEST(QtTextMeasurer, MeasuresDecodedUtf8AndBuildsEachFontOnce) {
    int fontsBuilt = 0;
    QtTextMeasurer measurer([&](double size, FontWeight weight) {
        ++fontsBuilt;
        return testFont(size, weight);
    });
    const double word = measurer.width("Stand up", 13, FontWeight::regular);
    EXPECT_GT(word, 0);
    EXPECT_GT(measurer.width("Stand up", 26, FontWeight::regular), word);
    EXPECT_EQ(measurer.width("Stand up", 13, FontWeight::regular), word);
    EXPECT_EQ(measurer.width("", 13, FontWeight::regular), 0);

    const std::string text = "Caf\xC3\xA9 \xE2\x80\x94 Pause"; // not measured byte by byte
    EXPECT_DOUBLE_EQ(
        measurer.width(text, 13, FontWeight::regular),
        QFontMetricsF(testFont(13, FontWeight::regular)).horizontalAdvance(QString::fromUtf8(text)));
    measurer.width("Stand up", 13, FontWeight::bold);
    EXPECT_EQ(fontsBuilt, 3) << "one font per (size, weight)";
}

} // namespace
} // namespace vornela

#include "core/store/HexColor.h"

#include <gtest/gtest.h>

namespace vornela {
namespace {

TEST(HexColorTest, ParsesWhatPeopleTypeOrPaste) {
    EXPECT_EQ(parseHexColor(" #1A2b3C\n"), Color::rgb(26 / 255.0, 43 / 255.0, 60 / 255.0));
    EXPECT_EQ(parseHexColor("##1a2b3c"), Color::rgb(26 / 255.0, 43 / 255.0, 60 / 255.0));
    EXPECT_EQ(parseHexColor("ffffff"), Color::white());
    EXPECT_EQ(parseHexColor("\t#000000\r\n"), Color::black());
    EXPECT_EQ(parseHexColor("#050506")->opacity, 1.0);
}

TEST(HexColorTest, RejectsAnythingButSixHexDigits) {
    for (const char* text :
         {"", "#", "12345", "#12345", "12345G", "1234567", "#12 345", "0x1a2b3c", "#1a2b3c4d"})
        EXPECT_FALSE(parseHexColor(text).has_value()) << '"' << text << '"';
}

} // namespace
} // namespace vornela

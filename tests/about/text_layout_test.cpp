// Line breaking of the static labels, and the centring rule of the window.
#include <gtest/gtest.h>

#include "about/screen_placement.h"
#include "about/text_layout.h"

#include <string>
#include <vector>

namespace {

// Every character 6 pixels wide.
double fixedWidth(const std::string& s) { return 6.0 * static_cast<double>(s.size()); }

using Lines = std::vector<std::string>;

} // namespace

TEST(TextLayout, CrLfAndLfEndLinesWithoutLeavingCarriageReturns)
{
    EXPECT_EQ(layoutLines("one\r\ntwo\nthree", 1000, fixedWidth), (Lines{"one", "two", "three"}));
    EXPECT_EQ(layoutLines("end\r\n", 1000, fixedWidth), (Lines{"end", ""}));
    EXPECT_EQ(layoutLines("", 1000, fixedWidth), (Lines{""}));
}

TEST(TextLayout, WrapsAtTheLastBlankThatFits)
{
    // "aaa bbb" is 42 pixels wide.
    EXPECT_EQ(layoutLines("aaa bbb ccc", 42, fixedWidth), (Lines{"aaa bbb", "ccc"}));
    EXPECT_EQ(layoutLines("aaa bbb ccc", 41, fixedWidth), (Lines{"aaa", "bbb", "ccc"}));
    EXPECT_EQ(layoutLines("aaa bbb\r\nccc ddd", 42, fixedWidth), (Lines{"aaa bbb", "ccc ddd"}));
}

TEST(TextLayout, AWordWiderThanTheLabelStaysWholeOnItsOwnLine)
{
    EXPECT_EQ(layoutLines("a https://quillmere.example b", 60, fixedWidth),
              (Lines{"a", "https://quillmere.example", "b"}));
}

TEST(ScreenPlacement, CentringTruncatesTowardZero)
{
    EXPECT_EQ(centredOffset(1920, 400), 760);
    EXPECT_EQ(centredOffset(1080, 300), 390);
    EXPECT_EQ(centredOffset(1365, 400), 482);  // 482.5
    EXPECT_EQ(centredOffset(399, 400), 0);     // -0.5 goes to 0, not -1
    EXPECT_EQ(centredOffset(100, 300), -100);
}

// Words, pieces, numbers and indices of single lines.
#include "mesh/line_functions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace wavefront;

namespace {

std::vector<std::string_view> split(std::string_view text, std::string_view separator)
{
    std::vector<std::string_view> pieces{"stale"};
    splitOn(text, separator, pieces);
    return pieces;
}

using Pieces = std::vector<std::string_view>;

TEST(LineFunctions, FirstWordAndRestSkipBlanksButKeepCarriageReturns)
{
    EXPECT_EQ(firstWord(" \t v  -2.5 2.3698 0 "), "v");
    EXPECT_EQ(restOfLine(" \t v  -2.5 2.3698 0 \t"), "-2.5 2.3698 0");
    EXPECT_EQ(firstWord(""), "");
    EXPECT_EQ(firstWord(" \t "), "");
    EXPECT_EQ(restOfLine("usemtl"), "");
    EXPECT_EQ(restOfLine("g  "), "");
    EXPECT_EQ(restOfLine("newmtl wire\r"), "wire\r");
    EXPECT_EQ(firstWord("Kd\r"), "Kd\r");
}

TEST(LineFunctions, SplitKeepsEmptyPiecesBetweenSeparatorsButNotAtTheEnd)
{
    EXPECT_EQ(split("1  2", " "), (Pieces{"1", "", "2"}));
    EXPECT_EQ(split("1//3", "/"), (Pieces{"1", "", "3"}));
    EXPECT_EQ(split("1/2/3", "/"), (Pieces{"1", "2", "3"}));
    EXPECT_EQ(split("1 2 ", " "), (Pieces{"1", "2"}));
    EXPECT_EQ(split("0.3 \r", " "), (Pieces{"0.3", "\r"}));
    EXPECT_EQ(split("/2", "/"), (Pieces{"", "2"}));
    EXPECT_EQ(split("7", "/"), (Pieces{"7"}));
    EXPECT_EQ(split("", " "), Pieces{});
    EXPECT_EQ(split(" ", " "), (Pieces{""}));
}

TEST(LineFunctions, TrimLineEndRemovesOnlyTrailingLineEnds)
{
    EXPECT_EQ(trimLineEnd("wire_198225087\r"), "wire_198225087");
    EXPECT_EQ(trimLineEnd("a\rb\r\n\r"), "a\rb");
    EXPECT_EQ(trimLineEnd("\r\n"), "\r\n");
    EXPECT_EQ(trimLineEnd(""), "");
}

TEST(LineFunctions, FloatsTakeTheLongestDecimalPrefix)
{
    EXPECT_EQ(parseFloat("  -2.5000"), -2.5f);
    EXPECT_EQ(parseFloat("2.3698"), 2.3698f);
    EXPECT_EQ(parseFloat("0.3412\r"), 0.3412f);
    EXPECT_EQ(parseFloat("+.5x"), 0.5f);
    EXPECT_EQ(parseFloat("5."), 5.0f);
    EXPECT_EQ(parseFloat("1e+2/7"), 100.0f);
    EXPECT_EQ(parseFloat("1e"), 1.0f);
    EXPECT_EQ(parseFloat("0x10"), 0.0f) << "hexadecimal is not decimal syntax";
    EXPECT_EQ(parseFloat("inf"), 0.0f);
    EXPECT_EQ(parseFloat(""), 0.0f);
    EXPECT_EQ(parseFloat("-"), 0.0f);
    EXPECT_TRUE(std::signbit(parseFloat("-0.0000")));
}

TEST(LineFunctions, FloatsBeyondTheRangeSaturate)
{
    EXPECT_EQ(parseFloat("1e39"), std::numeric_limits<float>::infinity());
    EXPECT_EQ(parseFloat("-123456789e40"), -std::numeric_limits<float>::infinity());
    EXPECT_EQ(parseFloat("0.0000001e-45"), 0.0f);
    EXPECT_TRUE(std::signbit(parseFloat("-1e-50")));
    EXPECT_EQ(parseFloat("1e-40"), 1e-40f) << "subnormals are in range";
    EXPECT_EQ(parseFloat("1e99999999999999999999999"), std::numeric_limits<float>::infinity());
}

TEST(LineFunctions, ElementAtCountsFromOneOrBackFromTheEnd)
{
    const std::vector<int> list{10, 20, 30};
    auto at = [&](std::string_view text) {
        const int* e = elementAt(list, text);
        return e ? *e : -1;
    };
    EXPECT_EQ(at("1"), 10);
    EXPECT_EQ(at("3"), 30);
    EXPECT_EQ(at("-1"), 30);
    EXPECT_EQ(at("-3"), 10);
    EXPECT_EQ(at("2abc"), 20);
    // Nothing to name: no element, never a read outside the list.
    EXPECT_EQ(at("0"), -1);
    EXPECT_EQ(at("4"), -1);
    EXPECT_EQ(at("-4"), -1);
    EXPECT_EQ(at(""), -1);
    EXPECT_EQ(at("x"), -1);
    EXPECT_EQ(at("99999999999999999999"), -1);
    EXPECT_EQ(at("-99999999999999999999"), -1);
    EXPECT_EQ(elementAt(std::vector<int>{}, "-1"), nullptr);
}

TEST(LineFunctions, IntegersClampToInt)
{
    EXPECT_EQ(parseInt(" 2\r"), 2);
    EXPECT_EQ(parseInt("-7.9"), -7);
    EXPECT_EQ(parseInt("x"), 0);
    EXPECT_EQ(parseInt("99999999999"), std::numeric_limits<int>::max());
    EXPECT_EQ(parseInt("-99999999999"), std::numeric_limits<int>::min());
}

} // namespace

#include "app/command_line.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* text;
    RunMode mode;
    int hostWindow;
};

TEST(CommandLine, SwitchesAndWindowNumbers)
{
    const Case cases[] = {
        {"", None, 0},
        {"/s", Screensaver, 0},
        {"/p 1234", Preview, 1234},
        {"/c:5678", Configure, 5678},
        {"/c", Configure, 0},
        {"/S", Screensaver, 0},    // either case, as Windows launches a .scr
        {"/P 77", Preview, 77},
        {"/C:12", Configure, 12},
        {"/X 99", None, 0},
        {"/p 12 /s", Screensaver, 0},  // the last switch wins and re-reads the number
        {"/x 99", None, 0},        // no mode yet: no number is read
        {"/s /x 99", Screensaver, 99},  // a later '/' re-reads the number
        {"/p", Preview, 0},        // text ends before the number
        {"/p ", Preview, 0},
        {"/p   42", Preview, 42},  // white space before the number is skipped
        {"/p -5", Preview, -5},
        {"/p 12abc", Preview, 12},
        {"/p abc", Preview, 0},
        {"stray text /s", Screensaver, 0},
        {"/", None, 0},
        {"//", None, 0},
    };
    for (const Case& c : cases) {
        const CommandLine line = parseCommandLine(c.text);
        EXPECT_EQ(line.mode, c.mode) << "for \"" << c.text << "\"";
        EXPECT_EQ(line.hostWindow, c.hostWindow) << "for \"" << c.text << "\"";
    }
}

TEST(CommandLine, HugeNumbersWrapToThirtyTwoBitsWithoutOverflowTraps)
{
    // X window ids above 2^31 still round-trip through the 32-bit field.
    const CommandLine line = parseCommandLine("/p 4294967295");
    EXPECT_EQ(static_cast<std::uint32_t>(line.hostWindow), 4294967295u);
    const CommandLine longer = parseCommandLine("/p 99999999999999999999999");
    EXPECT_EQ(longer.mode, Preview);  // no crash, some wrapped value
}

TEST(CommandLine, NullTextIsAnEmptyLine)
{
    const CommandLine line = parseCommandLine(nullptr);
    EXPECT_EQ(line.mode, None);
    EXPECT_EQ(line.hostWindow, 0);
}

TEST(CommandLine, ArgumentsAreJoinedWithSingleSpaces)
{
    const char* argv[] = {"tarnwick", "/p", "1234", "extra"};
    EXPECT_EQ(joinArguments(4, const_cast<char**>(argv)), "/p 1234 extra");
    EXPECT_EQ(joinArguments(1, const_cast<char**>(argv)), "");
    const char* colon[] = {"tarnwick", "/c:5678"};
    EXPECT_EQ(parseCommandLine(joinArguments(2, const_cast<char**>(colon)).c_str()).hostWindow, 5678);
}

} // namespace

#include "app/hosted_run.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// As the program calls it: a run is switch-less when none of "/s", "/p",
// "/c" is among its arguments.
HostedRun parse(std::vector<const char*> args, const char* env)
{
    bool switchless = true;
    for (const char* a : args)
        switchless = switchless && a[0] != '/';
    args.insert(args.begin(), "tarnwick");
    return parseHostedRun(static_cast<int>(args.size()), const_cast<char**>(args.data()), env, switchless);
}

TEST(HostedRun, WindowIdsInHexAndDecimal)
{
    EXPECT_EQ(parseWindowId("0x1a00003"), 0x1a00003ul);
    EXPECT_EQ(parseWindowId("0X1A00003"), 0x1a00003ul);
    EXPECT_EQ(parseWindowId("27262979"), 27262979ul);
    EXPECT_EQ(parseWindowId("0xffffffff"), 0xfffffffful);
    for (const char* bad : {"", "0x", "12ab", "0x12g", "-5", " 12", "0x100000000", "99999999999"})
        EXPECT_EQ(parseWindowId(bad), 0ul) << bad;
    EXPECT_EQ(parseWindowId(nullptr), 0ul);
}

TEST(HostedRun, RootTakesTheWindowFromTheEnvironment)
{
    const HostedRun hex = parse({"-root"}, "0x400007");
    EXPECT_TRUE(hex.active);
    EXPECT_EQ(hex.window, 0x400007ul);
    const HostedRun decimal = parse({"--root"}, "4194311");
    EXPECT_TRUE(decimal.active);
    EXPECT_EQ(decimal.window, 4194311ul);
    const HostedRun alone = parse({"-root"}, nullptr);
    EXPECT_TRUE(alone.active);
    EXPECT_EQ(alone.window, 0ul) << "no window named: the root window";
    // A variable that names no window never falls back to the whole screen.
    for (const char* bad : {"garbage", "-1", "0x", "", "0"})
        EXPECT_NE(parse({"-root"}, bad).window, 0ul) << "'" << bad << "'";
}

TEST(HostedRun, WindowIdOptionWinsOverTheEnvironment)
{
    const HostedRun run = parse({"--root", "--window-id", "0x2c00001"}, "0x400007");
    EXPECT_TRUE(run.active);
    EXPECT_EQ(run.window, 0x2c00001ul);
    EXPECT_EQ(parse({"-window-id", "123"}, nullptr).window, 123ul);
    EXPECT_EQ(parse({"--window-id=0x10"}, nullptr).window, 0x10ul);
    // A preview id that is no number never falls back to the whole screen.
    EXPECT_NE(parse({"--window-id", "junk"}, nullptr).window, 0ul);
}

TEST(HostedRun, OrdinarySwitchesAreNotHosted)
{
    EXPECT_FALSE(parse({"/s"}, "0x400007").active);
    EXPECT_FALSE(parse({"/p", "1234"}, nullptr).active);
    EXPECT_FALSE(parse({"--window-id"}, nullptr).active) << "an option without its value";
    EXPECT_FALSE(parse({}, nullptr).active);
    EXPECT_FALSE(parse({}, "").active) << "an empty variable names no window";
}

TEST(HostedRun, ALockerRunningTheProgramWithNoSwitchDrawsInTheVariablesWindow)
{
    const HostedRun run = parse({}, "0x400007");
    EXPECT_TRUE(run.active);
    EXPECT_EQ(run.window, 0x400007ul);
    EXPECT_NE(parse({}, "garbage").window, 0ul) << "no fallback to the whole screen";
}

TEST(HostedRun, SettingsAndWhatIsSaidOfThoseNotUnderstood)
{
    struct Case {
        std::vector<const char*> args;
        bool tick;
        int maxFps;
        std::size_t complaints;
    };
    const Case cases[] = {
        {{"--root"}, true, 0, 0},
        {{"--root", "--no-tick"}, false, 0, 0},
        {{"-root", "-no-tick", "-max-fps", "30"}, false, 30, 0},
        {{"--root", "--max-fps=1000"}, true, 1000, 0},
        {{"--root", "--max-fps", "0"}, true, 0, 0},
        {{"--root", "--max-fps", "1001"}, true, 0, 1},
        {{"--root", "--max-fps", "-5"}, true, 0, 1},
        {{"--root", "--max-fps", "12fps"}, true, 0, 1},
        {{"--root", "--max-fps", "29.6"}, true, 30, 0},
        {{"--root", "--max-fps", "1000.4"}, true, 1000, 0},
        {{"--root", "--max-fps", "1e3"}, true, 0, 1},
        {{"--root", "--max-fps", ".5"}, true, 0, 1},
        {{"--root", "--max-fps"}, true, 0, 1},
        {{"--root", "--max-fps="}, true, 0, 1},
        {{"--root", "--fast", "--tick"}, true, 0, 1},
        {{"--root", "--fast", "--max-fps", "x"}, true, 0, 2},
        // Runs of every mode follow the settings; there only what looks
        // like an option is judged, not the switch and its window number.
        {{"/s", "--no-tick", "--max-fps", "24"}, false, 24, 0},
        {{"--no-tick"}, false, 0, 0},
        {{"/p", "1234", "--max-fps=15"}, true, 15, 0},
        {{"/p", "-5"}, true, 0, 0},
        {{"/s", "stray", "--fast"}, true, 0, 1},
        {{"/s", "--max-fps", "fast"}, true, 0, 1},
    };
    for (const Case& c : cases) {
        std::string text;
        for (const char* a : c.args)
            text += std::string(a) + " ";
        const HostedRun run = parse(c.args, c.args[0][0] == '/' ? nullptr : "0x400007");
        EXPECT_EQ(run.tick, c.tick) << text;
        EXPECT_EQ(run.maxFps, c.maxFps) << text;
        EXPECT_EQ(run.complaints.size(), c.complaints) << text;
        for (const std::string& line : run.complaints)
            EXPECT_EQ(line.find('\n'), std::string::npos) << "one line: " << line;
    }
}

} // namespace

TEST(HostedRun, AnyNumberOfUnknownArgumentsIsReportedInOneLine)
{
    std::vector<std::string> storage(10000);
    std::vector<const char*> args{"/s"};
    for (std::size_t i = 0; i < storage.size(); ++i) {
        storage[i] = "--bad" + std::to_string(i);
        args.push_back(storage[i].c_str());
    }
    const HostedRun run = parse(args, nullptr);
    ASSERT_EQ(run.complaints.size(), 1u);
    EXPECT_EQ(run.complaints[0],
              "tarnwick: unknown settings '--bad0', '--bad1', '--bad2', '--bad3', '--bad4' and 9995 more ignored");
    EXPECT_EQ(parse({"--root", "--fast"}, nullptr).complaints,
              std::vector<std::string>{"tarnwick: unknown setting '--fast' ignored"});
}

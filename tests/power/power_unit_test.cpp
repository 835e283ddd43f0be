// The frame period the loop waits out, and what a Windows power notification
// says about the display.
#include "app/frame_pace.h"
#include "platform/display_power_setting.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

TEST(FramePace, APeriodOfTheDisplaysRateOrOfTheFrameLimitWhicheverIsLonger)
{
    struct Case {
        int refreshHz;
        int maxFps;
        double framesPerSecond;  // at most
    };
    const Case cases[] = {
        {60, 0, 61.0},    // rounded rates (59.94 Hz reads as 59 or 60) never make a paced display miss a retrace
        {59, 0, 60.0},
        {144, 0, 145.0},
        {0, 0, 61.0},     // a display that reports no rate counts as 60 Hz
        {60, 20, 20.0},   // a lower limit lowers the rate further
        {60, 200, 61.0},  // a higher one does not raise it
        {144, 100, 100.0},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(framePeriodSeconds(c.refreshHz, c.maxFps), 1.0 / c.framesPerSecond)
            << c.refreshHz << " Hz, limit " << c.maxFps;
}

TEST(DisplayPowerSetting, TheConsoleStateAndTheMonitorPowerSayOnOrOffAndNothingElseSaysAnything)
{
    const PowerSettingId otherSetting{0x5d3e9a59, 0xe9d5, 0x4b00, {0xa6, 0xbd, 0xff, 0x34, 0xff, 0x51, 0x65, 0x48}};
    struct Case {
        const char* name;
        PowerSettingId setting;
        std::uint32_t value;
        std::uint32_t size;
        DisplayPowerNews news;
    };
    const Case cases[] = {
        {"console display off", kConsoleDisplayState, 0, 4, DisplayPowerNews::Off},
        {"console display on", kConsoleDisplayState, 1, 4, DisplayPowerNews::On},
        {"console display dimmed", kConsoleDisplayState, 2, 4, DisplayPowerNews::On},
        {"monitor power off (Windows 7)", kMonitorPowerOn, 0, 4, DisplayPowerNews::Off},
        {"monitor power on (Windows 7)", kMonitorPowerOn, 1, 4, DisplayPowerNews::On},
        {"data too short", kConsoleDisplayState, 0, 2, DisplayPowerNews::None},
        {"another setting (the battery's)", otherSetting, 0, 4, DisplayPowerNews::None},
    };
    for (const Case& c : cases) {
        unsigned char data[4];
        std::memcpy(data, &c.value, sizeof data);
        EXPECT_EQ(decodeDisplayPowerSetting(c.setting, data, c.size), c.news) << c.name;
    }
    EXPECT_EQ(decodeDisplayPowerSetting(kConsoleDisplayState, nullptr, 4), DisplayPowerNews::None);
}

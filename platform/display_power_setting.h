// The Windows power-setting notification that tells the display's state,
// decoded apart from the system's headers so that the decoding is checked on
// every platform.
#pragma once

#include <cstdint>

// A GUID as the notification carries it.
struct PowerSettingId {
    std::uint32_t data1;
    std::uint16_t data2;
    std::uint16_t data3;
    std::uint8_t data4[8];
};

// GUID_CONSOLE_DISPLAY_STATE (Windows 8 and later): 0 off, 1 on, 2 dimmed.
inline constexpr PowerSettingId kConsoleDisplayState{
    0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
// GUID_MONITOR_POWER_ON (Windows 7, which knows no console display state): 0 off, 1 on.
inline constexpr PowerSettingId kMonitorPowerOn{
    0x02731015, 0x4510, 0x4526, {0x99, 0xe6, 0xe5, 0xa1, 0x7e, 0xbd, 0x1a, 0xea}};

enum class DisplayPowerNews { None, On, Off };

// What a notification of setting with its size bytes of data says about the
// display: a dimmed display counts as on; another setting, or data too short
// for its 32-bit value, says nothing.
DisplayPowerNews decodeDisplayPowerSetting(const PowerSettingId& setting, const unsigned char* data,
                                           std::uint32_t size);

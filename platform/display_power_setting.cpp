#include "platform/display_power_setting.h"

#include <cstring>

namespace {

bool same(const PowerSettingId& a, const PowerSettingId& b)
{
    return a.data1 == b.data1 && a.data2 == b.data2 && a.data3 == b.data3 &&
           std::memcmp(a.data4, b.data4, sizeof a.data4) == 0;
}

} // namespace

DisplayPowerNews decodeDisplayPowerSetting(const PowerSettingId& setting, const unsigned char* data,
                                           std::uint32_t size)
{
    const bool known = same(setting, kConsoleDisplayState) || same(setting, kMonitorPowerOn);
    if (!known || data == nullptr || size < sizeof(std::uint32_t))
        return DisplayPowerNews::None;
    std::uint32_t value = 0;
    std::memcpy(&value, data, sizeof value);
    return value == 0 ? DisplayPowerNews::Off : DisplayPowerNews::On;
}

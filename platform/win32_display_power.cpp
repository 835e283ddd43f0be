// The display's power on Windows: a hidden window of our own receives the
// power-setting notification of the display's state (WM_POWERBROADCAST,
// PBT_POWERSETTINGCHANGE). Its messages are dispatched by the windowing
// library's event loop on the main thread, like every window's.
#include "platform/display_power.h"

#include "platform/display_power_setting.h"
#include "platform/system_version.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

bool g_powered = true;

GUID toGuid(const PowerSettingId& id)
{
    GUID guid{};
    std::memcpy(&guid, &id, sizeof guid);
    return guid;
}

LRESULT CALLBACK powerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_POWERBROADCAST && wParam == PBT_POWERSETTINGCHANGE && lParam != 0) {
        const auto* setting = reinterpret_cast<const POWERBROADCAST_SETTING*>(lParam);
        PowerSettingId id{};
        std::memcpy(&id, &setting->PowerSetting, sizeof id);
        const DisplayPowerNews news = decodeDisplayPowerSetting(id, setting->Data, setting->DataLength);
        if (news != DisplayPowerNews::None)
            g_powered = news == DisplayPowerNews::On;
        return TRUE;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// The setting that tells the display's state on this system: the console
// display state from Windows 8 on, the monitor's power before.
bool registerFor(HWND window, const PowerSettingId& setting)
{
    const GUID guid = toGuid(setting);
    return RegisterPowerSettingNotification(window, &guid, DEVICE_NOTIFY_WINDOW_HANDLE) != nullptr;
}

} // namespace

void watchDisplayPower()
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = powerWindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"TarnwickDisplayPower";
    RegisterClassW(&windowClass);
    // Never shown: a top-level window that only receives notifications.
    const HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                        instance, nullptr);
    const bool newer = systemVersionNumber() >= 62;
    const bool watched = window != nullptr &&
                         (registerFor(window, newer ? kConsoleDisplayState : kMonitorPowerOn) ||
                          registerFor(window, newer ? kMonitorPowerOn : kConsoleDisplayState));
    if (!watched) {
        std::fprintf(stderr, "tarnwick: the display's power cannot be watched; the clock draws while it is off\n");
        std::fflush(stderr);
    }
}

bool displayPowered() { return g_powered; }

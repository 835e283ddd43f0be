// Whether the display is powered, as the system tells it. One file per
// platform: x11_display_power.cpp reads the DPMS power level,
// win32_display_power.cpp follows the system's power-setting notifications.
// What the program does about it is decided above (app/display_rest).
#pragma once

// Starts watching; called once, after the render windows are open.
void watchDisplayPower();

// False while the display is in standby, suspended or off; true where the
// system cannot tell. Cheap enough to ask a few times a second.
bool displayPowered();

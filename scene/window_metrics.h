// The render window's metrics, owned and written by the application shell
// (its window-size handling); the frame renderer reads them every frame.
#pragma once

#include <cstdint>

extern std::int32_t g_windowWidth;
extern std::int32_t g_windowHeight;
extern float g_aspectRatio;

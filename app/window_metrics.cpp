#include "app/window_metrics.h"

std::int32_t g_windowWidth = 0;
std::int32_t g_windowHeight = 0;
float g_aspectRatio = 0.0f;

void setWindowMetrics(int width, int height)
{
    g_windowWidth = width;
    g_windowHeight = height;
    g_aspectRatio = static_cast<float>(width) / static_cast<float>(height);
}

#include "app/frame_clock.h"

#include <GLFW/glfw3.h>

#include <cmath>
#include <ctime>

namespace {

double glfwSeconds() { return glfwGetTime(); }

double realtimeSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

void localTimeOf(std::int64_t epochSecond, int* hour, int* minute, int* second)
{
    const std::time_t when = static_cast<std::time_t>(epochSecond);
    std::tm local{};
    localtime_r(&when, &local);
    *hour = local.tm_hour;
    *minute = local.tm_min;
    *second = local.tm_sec > 59 ? 59 : local.tm_sec;
}

} // namespace

ClockSource systemClockSource() { return {glfwSeconds, realtimeSeconds, localTimeOf}; }

ClockSource g_clockSource = systemClockSource();

double timeOfDayDifference(double shownSecondsOfDay, double trueSecondsOfDay)
{
    constexpr double kDay = 86400.0;
    double d = std::fmod(trueSecondsOfDay - shownSecondsOfDay, kDay);
    if (d <= -kDay / 2)
        d += kDay;
    else if (d > kDay / 2)
        d -= kDay;
    return d;
}

bool shownTimeHasDrifted(double shownSecondsOfDay, double trueSecondsOfDay)
{
    return std::fabs(timeOfDayDifference(shownSecondsOfDay, trueSecondsOfDay)) > 1.0;
}

// The clocks the frame loop reads, and the test that keeps the shown time true.
#pragma once

#include <cstdint>

// Where time comes from: the frame clock (monotonic seconds since the
// windowing library started) and the calendar. Tests inject their own.
struct ClockSource {
    double (*frameSeconds)();   // monotonic: does not count a suspended machine
    double (*wallSeconds)();    // seconds since the epoch, with fraction
    // The local hour, minute and second of an epoch second.
    void (*localTimeOf)(std::int64_t epochSecond, int* hour, int* minute, int* second);
};

// The real clocks: glfwGetTime, the realtime clock and localtime_r.
ClockSource systemClockSource();

extern ClockSource g_clockSource;

// Seconds from the shown time of day to the true one, in (−43200, 43200]:
// both are times of day, so a difference across midnight wraps.
double timeOfDayDifference(double shownSecondsOfDay, double trueSecondsOfDay);

// The shown time has parted from the wall clock (suspend and resume, a
// daylight-saving change, a clock step) when they differ by more than a
// second; a snapshot of whole seconds lags by less than that.
bool shownTimeHasDrifted(double shownSecondsOfDay, double trueSecondsOfDay);

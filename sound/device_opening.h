// Opening the output device behind the tick player: how often, how far apart,
// and apart from the caller.
#pragma once

#include "sound/sound_output.h"

#include <chrono>
#include <functional>

// A device that is busy or has no driver yet is tried this many times, with
// a pause before every attempt but the first; any other failure ends the
// attempts at once.
inline constexpr int kSoundDeviceAttempts = 10;
inline constexpr unsigned kSoundDeviceRetryDelayMs = 500;
// A device that went away while the program ran is tried again in such
// rounds for as long as the run lasts, this long after each failed round.
inline constexpr std::chrono::milliseconds kSoundDeviceReopenPause{2000};

// Where and when the attempts run. The program's own scheduler really
// pauses, runs the background attempts on a thread of their own and reads
// the steady clock; tests put in one that does all three by hand.
class SoundScheduler {
public:
    virtual ~SoundScheduler() = default;
    virtual void pause(unsigned milliseconds) = 0;
    // Runs job apart from the caller, which goes on at once.
    virtual void launch(std::function<void()> job) = 0;
    virtual std::chrono::steady_clock::time_point now() = 0;
};

SoundScheduler& realSoundScheduler();

// The default device as the policy above finds it: the last attempt, the one
// that opened it or the last that failed.
DeviceAttempt openSoundDevice(SoundOutput& output, SoundScheduler& scheduler);

// The same attempts, launched through the scheduler, so that a missing or
// busy device never holds up the caller (the first frame, the answer to a
// key). Starting while attempts are under way does nothing.
// takeOpenedSoundDevice never blocks: it gives the device once it has
// opened (once only), and sets *pending to false once the attempts are over;
// a failed last attempt then tells whether the device was busy or missing.
void startOpeningSoundDevice(SoundOutput& output, SoundScheduler& scheduler);
DeviceAttempt takeOpenedSoundDevice(bool* pending);

// Opening the output device behind the tick player.
#pragma once

#include <AL/alc.h>

// An open attempt that fails counts as "busy or no driver": the device is
// tried this many times, with a pause before every attempt but the first.
inline constexpr int kSoundDeviceAttempts = 10;
inline constexpr unsigned kSoundDeviceRetryDelayMs = 500;

// How the device is reached. The program uses the defaults; tests swap in
// their own device (a loopback device they render by hand, one that never
// opens) and a shorter pause.
struct SoundDeviceHooks {
    ALCdevice* (*open)();              // one open attempt; null on failure
    const ALCint* contextAttributes;   // for alcCreateContext; null: the device's own
    unsigned retryDelayMs;
};

SoundDeviceHooks& soundDeviceHooks();
void resetSoundDeviceHooks();

// The default output device, or null when every attempt failed.
ALCdevice* openSoundDevice();

// The same attempts on a worker thread, so that a missing or busy device
// never holds up the caller (the first frame, the answer to a key). Starting
// while attempts are under way does nothing. takeOpenedSoundDevice never
// blocks: it gives the device once it has opened, and sets *pending to false
// once the attempts are over (with or without a device).
void startOpeningSoundDevice();
ALCdevice* takeOpenedSoundDevice(bool* pending);

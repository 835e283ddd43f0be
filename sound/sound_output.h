// What the tick player needs of a platform's sound output: one device that
// all players share, and per player one buffer holding the whole sound,
// started at a byte offset. Each platform implements it with its own few
// calls (OpenAL Soft on Linux, DirectSound 8 on Windows); the player's logic
// above it is the same everywhere.
#pragma once

#include "sound/wave_chunk.h"

#include <cstdint>

// A platform's device and buffer, opaque to the player.
struct SoundDevice;
struct SoundBuffer;

// One attempt at the system's default output device.
struct DeviceAttempt {
    SoundDevice* device = nullptr;  // null: the attempt failed
    // The failure is worth another attempt: the device is busy, or its
    // driver is not there (yet). Any other failure ends the attempts.
    bool busyOrMissing = false;
};

class SoundOutput {
public:
    virtual ~SoundOutput() = default;

    virtual DeviceAttempt openDevice() = 0;
    // Makes an opened device the one the players play on; window points to
    // the native handle of the window that owns the sound, or is null. On
    // failure the device is closed.
    virtual bool useDevice(SoundDevice* device, void* window) = 0;
    // Closes a device, the one in use or one opened too many.
    virtual void closeDevice(SoundDevice* device) = 0;

    // A buffer for size bytes of sound in format; null when the platform
    // cannot hold that sound.
    virtual SoundBuffer* createBuffer(SoundDevice* device, const WaveFormat& format, std::uint32_t size) = 0;
    // Writes the buffer's whole sound: size bytes, its length, from data.
    virtual bool fillBuffer(SoundBuffer* buffer, const unsigned char* data, std::uint32_t size) = 0;
    virtual void releaseBuffer(SoundBuffer* buffer) = 0;

    // Starts the sound at byte offset position (inside the sound), once or
    // looping; a sound still playing restarts there. False when the device
    // has gone (unplugged, its driver or sound server ended).
    virtual bool start(SoundBuffer* buffer, std::uint32_t position, bool loop) = 0;
    virtual void stop(SoundBuffer* buffer) = 0;

    // Whether the device in use still plays; asked about once a second.
    // buffer is the asking player's, or null. A buffer whose memory was taken
    // away is given its sound back on the way.
    virtual bool stillConnected(SoundDevice* device, SoundBuffer* buffer) = 0;
};

// This platform's output.
SoundOutput& platformSoundOutput();

// The tick sound player: parses a RIFF/WAVE resource in place and replays it
// from one buffer on the platform's sound output (sound/sound_output.h).
// Players share one output device; each holds its whole sound in one
// buffer. A player that could not be set up plays nothing.
#pragma once

#include "sound/device_opening.h"
#include "sound/sound_output.h"
#include "sound/wave_chunk.h"

#include <chrono>
#include <cstddef>
#include <cstdint>

class CDirectSound {
public:
    CDirectSound();
    virtual ~CDirectSound();
    CDirectSound(const CDirectSound&) = delete;
    CDirectSound& operator=(const CDirectSound&) = delete;

    // Sets the player up with the "WAVE" resource resourceId. window points
    // to the native handle of the window that owns the sound (the render
    // window), or is null. True when the player is ready to play.
    bool init(int resourceId, void* window);
    // The same, but the output device is opened (with its retries) in the
    // background: true when the sound was parsed and the player will become
    // ready once a device opens. The caller goes on at once, so a missing
    // device never delays the first frame.
    bool initInBackground(int resourceId, void* window);
    // Completes a background set-up once its device has opened, and then
    // plays a sound asked for within the second before; cheap to call every
    // frame.
    void update();
    bool loadFromResource(int name, void* window);
    // image is a whole RIFF/WAVE file of imageSize bytes; it must outlive the
    // player, which keeps pointers into it.
    bool initFromMemory(const unsigned char* image, std::size_t imageSize, void* window);

    // Finds the first "fmt " chunk and the "data" chunk of a RIFF/WAVE image.
    // No byte outside [image, image + imageSize) is read.
    static bool parseWave(const unsigned char* image, std::size_t imageSize, WaveFormat* format,
                          const unsigned char** data, std::uint32_t* size);
    bool createBuffer(const WaveFormat& format);
    // Writes the whole sound; false when size is short of it.
    bool fillBuffer(const unsigned char* data, std::uint32_t size);

    bool isReady() const;
    // Starts the sound at byte offset position (at most the sound's length:
    // at the very end a single shot has nothing left to play, a loop goes on
    // from the beginning). A sound that is still playing restarts there.
    // Asked while the device is still opening, the sound plays once it has
    // opened, if that is within a second.
    void play(std::uint32_t position, bool loop);

    // The sound's sample bytes, in place; null and 0 until parsed.
    const unsigned char* data() const { return waveData; }
    std::uint32_t dataSize() const { return waveSize; }
    SoundBuffer* outputBuffer() const { return buffer; }

    // The device shared by all players and the number of live players.
    static SoundDevice* sharedDevice() { return s_device; }
    static int instanceCount() { return s_instanceCount; }

    // The output and the scheduler of the device attempts that players use
    // from now on; null for the platform's own. Only while no device is open.
    static void usePlatform(SoundOutput* output, SoundScheduler* scheduler);

private:
    static SoundOutput& output();
    static SoundScheduler& scheduler();
    bool acquireDevice(void* window);
    // Makes device the shared one; false (and the device closed) on failure.
    bool useDevice(SoundDevice* device, void* window);
    // True when a background set-up has just been completed.
    bool finishWhenDeviceOpens();
    void startAt(std::uint32_t position, bool loop);
    void releaseBuffer();

    const unsigned char* waveData = nullptr;
    std::uint32_t waveSize = 0;
    SoundBuffer* buffer = nullptr;
    WaveFormat waveFormat;
    void* ownerWindow = nullptr;
    bool waitingForDevice = false;

    // A sound asked for while the device was opening.
    struct Request {
        bool asked = false;
        std::chrono::steady_clock::time_point at;
        std::uint32_t position = 0;
        bool loop = false;
    } request;

    static SoundDevice* s_device;
    static int s_instanceCount;
    static SoundOutput* s_output;
    static SoundScheduler* s_scheduler;
};

extern CDirectSound* g_tickSound;

// The tick sound player on Windows: parses a RIFF/WAVE resource in place and
// replays it from one static DirectSound 8 secondary buffer. Players share
// one device. A player that could not be set up plays nothing.
#pragma once

#include "sound/wave_chunk.h"

#include <cstddef>
#include <cstdint>

struct IDirectSound8;
struct IDirectSoundBuffer;

class CDirectSound {
public:
    CDirectSound();
    virtual ~CDirectSound();
    CDirectSound(const CDirectSound&) = delete;
    CDirectSound& operator=(const CDirectSound&) = delete;

    // Sets the player up with the "WAVE" resource resourceId. window points
    // to the HWND of the window that owns the sound (the render window).
    bool init(int resourceId, void* window);
    // The same, but the device is created (with its retries) on a thread of
    // its own: true when the sound was parsed and the player will become
    // ready once a device exists, which play() checks for. The caller goes on
    // at once, so a busy device never delays the first frame.
    bool initInBackground(int resourceId, void* window);
    // Completes a background set-up once its device exists (play does it
    // too); cheap to call every frame.
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
    bool fillBuffer(const unsigned char* data, std::uint32_t size);

    bool isReady() const;
    // Starts the sound at byte offset position (at most the sound's length).
    // A sound that is still playing restarts there.
    void play(std::uint32_t position, bool loop);

    const unsigned char* data() const { return waveData; }
    std::uint32_t dataSize() const { return waveSize; }

    static IDirectSound8* sharedDevice() { return s_device; }
    static int instanceCount() { return s_instanceCount; }

private:
    bool acquireDevice(void* window);
    bool useDevice(IDirectSound8* device, void* window);
    bool finishWhenDeviceExists();

    const unsigned char* waveData = nullptr;
    std::uint32_t waveSize = 0;
    IDirectSoundBuffer* buffer = nullptr;
    WaveFormat waveFormat;
    void* ownerWindow = nullptr;
    bool waitingForDevice = false;

    static IDirectSound8* s_device;
    static int s_instanceCount;
};

extern CDirectSound* g_tickSound;

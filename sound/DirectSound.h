// The tick sound player: parses a RIFF/WAVE resource in place and replays it
// through OpenAL. Players share one output device (and its context); each
// holds its whole sound in one buffer, played by one source. A player that
// could not be set up plays nothing.
#pragma once

#if defined(_WIN32)
// Windows plays the tick through DirectSound 8.
#include "sound/win32_DirectSound.h"
#else

#include "sound/wave_format.h"

#include <AL/al.h>
#include <AL/alc.h>

#include <cstddef>
#include <cstdint>

class CDirectSound {
public:
    CDirectSound();
    virtual ~CDirectSound();
    CDirectSound(const CDirectSound&) = delete;
    CDirectSound& operator=(const CDirectSound&) = delete;

    // Sets the player up with the "WAVE" resource resourceId. window points
    // to the native handle of the window that owns the sound (unused here:
    // OpenAL needs no owner window). True when the player is ready to play.
    bool init(int resourceId, void* window);
    // The same, but the output device is opened (with its retries) in the
    // background: true when the sound was parsed and the player will become
    // ready once a device opens, which play() checks for. The caller goes on
    // at once, so a missing device never delays the first frame.
    bool initInBackground(int resourceId, void* window);
    // Completes a background set-up once its device has opened (play does it
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
    // Starts the sound at byte offset position (at most the sound's length;
    // at the very end a single shot has nothing left to play). A sound that
    // is still playing restarts there.
    void play(std::uint32_t position, bool loop);

    // The sound's sample bytes, in place; null and 0 until parsed.
    const unsigned char* data() const { return waveData; }
    std::uint32_t dataSize() const { return waveSize; }
    ALuint sourceName() const { return source; }

    // The device shared by all players and the number of live players.
    static ALCdevice* sharedDevice() { return s_device; }
    static int instanceCount() { return s_instanceCount; }

private:
    bool acquireDevice();
    bool useDevice(ALCdevice* device);
    // Completes a background set-up once its device has opened.
    bool finishWhenDeviceOpens();
    void releaseBuffer();

    const unsigned char* waveData = nullptr;
    std::uint32_t waveSize = 0;
    ALuint buffer = 0;  // 0: none (OpenAL never names a buffer or source 0)
    ALuint source = 0;
    OpenAlFormat bufferFormat;
    WaveFormat waveFormat;
    bool waitingForDevice = false;

    static ALCdevice* s_device;
    static ALCcontext* s_context;
    static int s_instanceCount;
};

extern CDirectSound* g_tickSound;

#endif

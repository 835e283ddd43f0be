// The tick sound player: parses a RIFF/WAVE resource in place and replays it
// from one buffer on the platform's sound output (sound/sound_output.h).
// Players share one output device; each holds its whole sound in one
// buffer. A player that could not be set up plays nothing.
//
// The device is closed and opened again, by one mechanism, when it has gone
// (its sound server ended, it was unplugged: noticed about once a second, or
// by a sound that found it gone) and while the display rests. It is then
// opened again in the background, quietly, every few seconds for as long as
// it takes, and every player's sound is set up again once it has opened.
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
    // plays a sound asked for within the second before; watches the open
    // device about once a second and closes it when it has gone, and opens
    // it again when a retry is due. Cheap to call every frame, and never
    // waits for the device.
    void update();

    // The display rests: the device is closed (no stream stays open) and
    // nothing opens it until wake(), which opens it again in the background.
    static void rest();
    static void wake();
    static bool resting() { return s_resting; }
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
    // A round of attempts ended without a device.
    void openingFailed(const DeviceAttempt& last);
    // Plays; false when the device turned out to be gone.
    bool startAt(std::uint32_t position, bool loop);
    void releaseBuffer();
    // Asks about once a second whether the open device still plays.
    bool deviceSeemsGone();

    // Closes the shared device after releasing every player's buffer; the
    // players then wait for the device to open again.
    static void closeSharedDevice();
    static void loseDevice();
    // Starts a round of background attempts when reopening is under way and
    // the pause after the last failed round is over.
    static void retryWhenDue();
    static void reportLoss();

    const unsigned char* waveData = nullptr;
    std::uint32_t waveSize = 0;
    SoundBuffer* buffer = nullptr;
    WaveFormat waveFormat;
    void* ownerWindow = nullptr;
    bool waitingForDevice = false;
    std::chrono::steady_clock::time_point lastConnectionCheck{};

    // A sound asked for while the device was opening.
    struct Request {
        bool asked = false;
        std::chrono::steady_clock::time_point at;
        std::uint32_t position = 0;
        bool loop = false;
    } request;

    static SoundDevice* s_device;
    static int s_instanceCount;
    // Reopening: the device went (or the display rested) and is opened again
    // until it opens; the next round of attempts starts at s_retryAt.
    static bool s_reopening;
    static bool s_lossReported;
    static bool s_resting;
    static bool s_roundUnderWay;  // a round of attempts was started and its end not yet seen
    static std::chrono::steady_clock::time_point s_retryAt;
    static SoundOutput* s_output;
    static SoundScheduler* s_scheduler;
};

extern CDirectSound* g_tickSound;

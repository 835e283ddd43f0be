// The sound output on OpenAL Soft: the shared device with its one context,
// and per player one buffer played by one source.
#pragma once

#include "sound/sound_output.h"

#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>

class OpenAlSoundOutput : public SoundOutput {
public:
    // contextAttributes are for alcCreateContext; null: the device's own.
    explicit OpenAlSoundOutput(const ALCint* contextAttributes = nullptr);

    // The default device; any failure counts as busy or missing.
    DeviceAttempt openDevice() override;
    bool useDevice(SoundDevice* device, void* window) override;
    void closeDevice(SoundDevice* device) override;
    SoundBuffer* createBuffer(SoundDevice* device, const WaveFormat& format, std::uint32_t size) override;
    bool fillBuffer(SoundBuffer* buffer, const unsigned char* data, std::uint32_t size) override;
    void releaseBuffer(SoundBuffer* buffer) override;
    bool start(SoundBuffer* buffer, std::uint32_t position, bool loop) override;
    void stop(SoundBuffer* buffer) override;
    // ALC_CONNECTED of the disconnect extension.
    bool stillConnected(SoundDevice* device, SoundBuffer* buffer) override;

    static SoundDevice* fromAl(ALCdevice* device) { return reinterpret_cast<SoundDevice*>(device); }
    static ALCdevice* toAl(SoundDevice* device) { return reinterpret_cast<ALCdevice*>(device); }
    // The source that plays buffer; 0 for none.
    static ALuint sourceOf(const SoundBuffer* buffer);

private:
    const ALCint* attributes;
    ALCcontext* context = nullptr;  // of the device in use
};

// The sound output on DirectSound 8: the shared device, and per player one
// static secondary buffer holding the whole sound.
#include "sound/direct_sound_result.h"
#include "sound/sound_output.h"

#include <windows.h>
#include <mmsystem.h>
#include <mmreg.h>
#include <dsound.h>

#include <cstring>

struct SoundBuffer {
    IDirectSoundBuffer* sound = nullptr;
    // The samples last written, to write again when the buffer is lost.
    const unsigned char* data = nullptr;
    std::uint32_t size = 0;
};

namespace {

IDirectSound8* toDirectSound(SoundDevice* device)
{
    return reinterpret_cast<IDirectSound8*>(device);
}

DirectSoundResult meaningOf(HRESULT result)
{
    return classifyDirectSoundResult(static_cast<std::uint32_t>(result));
}

// Locks the whole buffer, restoring it first when its memory was lost.
bool lockWhole(IDirectSoundBuffer* sound, void** region, DWORD* length)
{
    HRESULT result = sound->Lock(0, 0, region, length, nullptr, nullptr, DSBLOCK_ENTIREBUFFER);
    if (result == DSERR_BUFFERLOST) {
        sound->Restore();
        result = sound->Lock(0, 0, region, length, nullptr, nullptr, DSBLOCK_ENTIREBUFFER);
    }
    return SUCCEEDED(result) && *region != nullptr;
}

class DirectSoundOutput : public SoundOutput {
public:
    // "Allocated" (busy) and "no driver" are worth another attempt; any other
    // failure is not.
    DeviceAttempt openDevice() override
    {
        IDirectSound8* device = nullptr;
        const HRESULT result = DirectSoundCreate8(nullptr, &device, nullptr);
        if (SUCCEEDED(result) && device != nullptr)
            return {reinterpret_cast<SoundDevice*>(device), false};
        return {nullptr, result == DSERR_ALLOCATED || result == DSERR_NODRIVER};
    }

    // The device's sound is mixed in while the owner window is active (or
    // always, for no window); the result does not matter.
    bool useDevice(SoundDevice* device, void* window) override
    {
        const HWND owner = window != nullptr ? *static_cast<HWND*>(window) : nullptr;
        toDirectSound(device)->SetCooperativeLevel(owner, DSSCL_NORMAL);
        return true;
    }

    void closeDevice(SoundDevice* device) override { toDirectSound(device)->Release(); }

    SoundBuffer* createBuffer(SoundDevice* device, const WaveFormat& format, std::uint32_t size) override
    {
        // DirectSound reads a whole WAVEFORMATEX (18 bytes) where the chunk
        // may hold only the 14- or 16-byte record: hand it a zero-padded copy.
        WAVEFORMATEX wave{};
        std::memcpy(&wave, format.body, format.size < sizeof(wave) ? format.size : sizeof(wave));
        if (wave.wFormatTag == WAVE_FORMAT_PCM)
            wave.cbSize = 0;
        DSBUFFERDESC description{};
        description.dwSize = sizeof(description);
        description.dwFlags = DSBCAPS_STATIC;
        description.dwBufferBytes = size;
        description.lpwfxFormat = &wave;
        IDirectSoundBuffer* sound = nullptr;
        if (FAILED(toDirectSound(device)->CreateSoundBuffer(&description, &sound, nullptr)) || sound == nullptr)
            return nullptr;
        auto* made = new SoundBuffer;
        made->sound = sound;
        return made;
    }

    bool fillBuffer(SoundBuffer* buffer, const unsigned char* data, std::uint32_t size) override
    {
        buffer->data = data;
        buffer->size = size;
        void* region = nullptr;
        DWORD length = 0;
        if (!lockWhole(buffer->sound, &region, &length))
            return false;
        // The buffer has the sound's length; should the system have made it
        // longer, the rest is silence.
        const DWORD copied = length < size ? length : size;
        std::memcpy(region, data, copied);
        if (copied < length)
            std::memset(static_cast<unsigned char*>(region) + copied, 0, length - copied);
        return SUCCEEDED(buffer->sound->Unlock(region, length, nullptr, 0));
    }

    void releaseBuffer(SoundBuffer* buffer) override
    {
        buffer->sound->Release();
        delete buffer;
    }

    bool start(SoundBuffer* buffer, std::uint32_t position, bool loop) override
    {
        buffer->sound->SetCurrentPosition(position);
        const DWORD flags = loop ? DSBPLAY_LOOPING : 0;
        DirectSoundResult played = meaningOf(buffer->sound->Play(0, 0, flags));
        if (played == DirectSoundResult::BufferLost) {
            // Another program took the sound memory: write the samples again
            // and try once more from where the cursor stands.
            fillBuffer(buffer, buffer->data, buffer->size);
            played = meaningOf(buffer->sound->Play(0, 0, flags));
        }
        return played != DirectSoundResult::DeviceGone;
    }

    // The buffer's status tells both: a lost buffer is restored and written
    // again, a device that has gone fails the call. Without a buffer the
    // device's capabilities are asked for.
    bool stillConnected(SoundDevice* device, SoundBuffer* buffer) override
    {
        if (buffer == nullptr) {
            DSCAPS caps{};
            caps.dwSize = sizeof(caps);
            return meaningOf(toDirectSound(device)->GetCaps(&caps)) != DirectSoundResult::DeviceGone;
        }
        DWORD status = 0;
        const DirectSoundResult asked = meaningOf(buffer->sound->GetStatus(&status));
        if (asked == DirectSoundResult::DeviceGone)
            return false;
        if (asked == DirectSoundResult::BufferLost || (status & DSBSTATUS_BUFFERLOST) != 0)
            return fillBuffer(buffer, buffer->data, buffer->size) ||
                   meaningOf(buffer->sound->GetStatus(&status)) != DirectSoundResult::DeviceGone;
        return true;
    }

    void stop(SoundBuffer* buffer) override { buffer->sound->Stop(); }
};

} // namespace

// Never destroyed: a worker may still be opening a device while the process ends.
SoundOutput& platformSoundOutput()
{
    static DirectSoundOutput* const output = new DirectSoundOutput;
    return *output;
}

#include "sound/DirectSound.h"

#include "platform/resources.h"

#include <windows.h>
#include <mmsystem.h>
#include <mmreg.h>
#include <dsound.h>

#include <atomic>
#include <cstring>
#include <thread>

CDirectSound* g_tickSound = nullptr;

namespace {

// The device is tried this many times, with a pause before every attempt but
// the first (the same policy as the OpenAL player's).
constexpr int kDeviceAttempts = 10;
constexpr DWORD kDeviceRetryDelayMs = 500;

// The default output device; "allocated" (busy) and "no driver" are tried
// again, 500 ms apart, ten attempts in all; any other failure ends at once.
IDirectSound8* createDevice()
{
    for (int attempt = 0; attempt < kDeviceAttempts; ++attempt) {
        if (attempt > 0)
            Sleep(kDeviceRetryDelayMs);
        IDirectSound8* device = nullptr;
        const HRESULT result = DirectSoundCreate8(nullptr, &device, nullptr);
        if (SUCCEEDED(result) && device != nullptr)
            return device;
        if (result != DSERR_ALLOCATED && result != DSERR_NODRIVER)
            break;
    }
    return nullptr;
}

// The one background creation: started once, its device handed over once.
std::atomic<bool> g_creationStarted{false};
std::atomic<bool> g_creationDone{false};
IDirectSound8* g_createdDevice = nullptr;  // written before g_creationDone

void startCreatingDevice()
{
    if (g_creationStarted.exchange(true))
        return;
    std::thread([] {
        g_createdDevice = createDevice();
        g_creationDone.store(true);
    }).detach();
}

// The device the background creation made, once it is done; null before and
// when it failed. waiting turns false once the creation is over.
IDirectSound8* takeCreatedDevice(bool* waiting)
{
    if (!g_creationDone.load())
        return nullptr;
    *waiting = false;
    IDirectSound8* device = g_createdDevice;
    g_createdDevice = nullptr;
    return device;
}

} // namespace

IDirectSound8* CDirectSound::s_device = nullptr;
int CDirectSound::s_instanceCount = 0;

CDirectSound::CDirectSound()
{
    ++s_instanceCount;
}

CDirectSound::~CDirectSound()
{
    if (buffer != nullptr)
        buffer->Release();
    buffer = nullptr;
    --s_instanceCount;
    if (s_instanceCount == 0 && s_device != nullptr) {
        s_device->Release();
        s_device = nullptr;
    }
}

bool CDirectSound::init(int resourceId, void* window)
{
    return loadFromResource(resourceId, window);
}

bool CDirectSound::initInBackground(int resourceId, void* window)
{
    const ResourceBytes image = findResource(resourceId, kWaveType);
    if (!image)
        return false;
    if (s_device != nullptr)
        return initFromMemory(image.data, image.size, window);
    if (!parseWave(image.data, image.size, &waveFormat, &waveData, &waveSize))
        return false;
    ownerWindow = window;
    startCreatingDevice();
    waitingForDevice = true;
    return true;
}

void CDirectSound::update()
{
    if (!isReady())
        finishWhenDeviceExists();
}

bool CDirectSound::finishWhenDeviceExists()
{
    if (!waitingForDevice)
        return false;
    IDirectSound8* device = takeCreatedDevice(&waitingForDevice);
    if (device == nullptr)
        return false;
    if (s_device != nullptr)
        device->Release();  // another player made one meanwhile
    else if (!useDevice(device, ownerWindow))
        return false;
    return createBuffer(waveFormat) && fillBuffer(waveData, waveSize);
}

bool CDirectSound::loadFromResource(int name, void* window)
{
    const ResourceBytes image = findResource(name, kWaveType);
    if (!image)
        return false;
    return initFromMemory(image.data, image.size, window);
}

bool CDirectSound::initFromMemory(const unsigned char* image, std::size_t imageSize, void* window)
{
    if (s_device == nullptr && !acquireDevice(window))
        return false;
    WaveFormat format;
    if (!parseWave(image, imageSize, &format, &waveData, &waveSize))
        return false;
    if (!createBuffer(format))
        return false;
    return fillBuffer(waveData, waveSize);
}

bool CDirectSound::acquireDevice(void* window)
{
    IDirectSound8* device = createDevice();
    return device != nullptr && useDevice(device, window);
}

// The device becomes the players' shared one, its sound mixed in while the
// owner window is active (or always, for no window).
bool CDirectSound::useDevice(IDirectSound8* device, void* window)
{
    const HWND owner = window != nullptr ? *static_cast<HWND*>(window) : nullptr;
    device->SetCooperativeLevel(owner, DSSCL_NORMAL);
    s_device = device;
    return true;
}

bool CDirectSound::createBuffer(const WaveFormat& format)
{
    if (buffer != nullptr)
        buffer->Release();
    buffer = nullptr;
    if (s_device == nullptr || format.body == nullptr || waveSize == 0)
        return false;
    // DirectSound reads a whole WAVEFORMATEX (18 bytes) where the chunk may
    // hold only the 14- or 16-byte record: hand it a zero-padded copy.
    WAVEFORMATEX wave{};
    std::memcpy(&wave, format.body, format.size < sizeof(wave) ? format.size : sizeof(wave));
    if (wave.wFormatTag == WAVE_FORMAT_PCM)
        wave.cbSize = 0;
    DSBUFFERDESC description{};
    description.dwSize = sizeof(description);
    description.dwFlags = DSBCAPS_STATIC;
    description.dwBufferBytes = waveSize;
    description.lpwfxFormat = &wave;
    if (FAILED(s_device->CreateSoundBuffer(&description, &buffer, nullptr))) {
        buffer = nullptr;
        return false;
    }
    return true;
}

bool CDirectSound::fillBuffer(const unsigned char* data, std::uint32_t size)
{
    if (buffer == nullptr || data == nullptr)
        return false;
    void* region = nullptr;
    DWORD length = 0;
    HRESULT result = buffer->Lock(0, 0, &region, &length, nullptr, nullptr, DSBLOCK_ENTIREBUFFER);
    if (result == DSERR_BUFFERLOST) {
        buffer->Restore();
        result = buffer->Lock(0, 0, &region, &length, nullptr, nullptr, DSBLOCK_ENTIREBUFFER);
    }
    if (FAILED(result) || region == nullptr)
        return false;
    // Never read past the bytes handed over; a shorter sound leaves silence.
    const DWORD copied = length < size ? length : size;
    std::memcpy(region, data, copied);
    if (copied < length)
        std::memset(static_cast<unsigned char*>(region) + copied, 0, length - copied);
    return SUCCEEDED(buffer->Unlock(region, length, nullptr, 0));
}

bool CDirectSound::isReady() const
{
    return s_device != nullptr && buffer != nullptr && waveData != nullptr && waveSize != 0;
}

void CDirectSound::play(std::uint32_t position, bool loop)
{
    if (!isReady() && !finishWhenDeviceExists())
        return;
    if (position > waveSize)
        position = waveSize;
    buffer->SetCurrentPosition(position);
    const DWORD flags = loop ? DSBPLAY_LOOPING : 0;
    if (buffer->Play(0, 0, flags) == DSERR_BUFFERLOST) {
        // Another program took the sound memory: write the samples again.
        fillBuffer(waveData, waveSize);
        buffer->Play(0, 0, flags);
    }
}

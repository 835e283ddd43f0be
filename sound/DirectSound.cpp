#include "sound/DirectSound.h"

#include "platform/resources.h"
#include "sound/sound_device.h"

CDirectSound* g_tickSound = nullptr;

ALCdevice* CDirectSound::s_device = nullptr;
ALCcontext* CDirectSound::s_context = nullptr;
int CDirectSound::s_instanceCount = 0;

CDirectSound::CDirectSound()
{
    ++s_instanceCount;
}

CDirectSound::~CDirectSound()
{
    releaseBuffer();
    --s_instanceCount;
    if (s_instanceCount == 0 && s_device != nullptr) {
        alcMakeContextCurrent(nullptr);
        if (s_context != nullptr)
            alcDestroyContext(s_context);
        alcCloseDevice(s_device);
        s_context = nullptr;
        s_device = nullptr;
    }
}

bool CDirectSound::init(int resourceId, void* window)
{
    return loadFromResource(resourceId, window);
}

bool CDirectSound::loadFromResource(int name, void* window)
{
    const ResourceBytes image = findResource(name, kWaveType);
    if (!image)
        return false;
    return initFromMemory(image.data, image.size, window);
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
    startOpeningSoundDevice();
    waitingForDevice = true;
    return true;
}

void CDirectSound::update()
{
    if (!isReady())
        finishWhenDeviceOpens();
}

bool CDirectSound::finishWhenDeviceOpens()
{
    if (!waitingForDevice)
        return false;
    ALCdevice* device = takeOpenedSoundDevice(&waitingForDevice);
    if (device == nullptr)
        return false;
    if (s_device != nullptr)
        alcCloseDevice(device);  // another player opened one meanwhile
    else if (!useDevice(device))
        return false;
    if (createBuffer(waveFormat) && fillBuffer(waveData, waveSize))
        return true;
    releaseBuffer();
    return false;
}

bool CDirectSound::initFromMemory(const unsigned char* image, std::size_t imageSize, void* /*window*/)
{
    if (s_device == nullptr && !acquireDevice())
        return false;
    WaveFormat format;
    if (!parseWave(image, imageSize, &format, &waveData, &waveSize))
        return false;
    if (!createBuffer(format))
        return false;
    if (fillBuffer(waveData, waveSize))
        return true;
    // A buffer without the sound must not count as ready.
    releaseBuffer();
    return false;
}

// Opens the shared device (with its retries) and makes its context current.
bool CDirectSound::acquireDevice()
{
    ALCdevice* device = openSoundDevice();
    return device != nullptr && useDevice(device);
}

// Makes device the shared one, with its context current; closes it on failure.
bool CDirectSound::useDevice(ALCdevice* device)
{
    ALCcontext* context = alcCreateContext(device, soundDeviceHooks().contextAttributes);
    if (context == nullptr || alcMakeContextCurrent(context) != ALC_TRUE) {
        if (context != nullptr)
            alcDestroyContext(context);
        alcCloseDevice(device);
        return false;
    }
    s_device = device;
    s_context = context;
    return true;
}

bool CDirectSound::createBuffer(const WaveFormat& format)
{
    releaseBuffer();
    OpenAlFormat alFormat;
    if (s_device == nullptr || !toOpenAlFormat(format, &alFormat))
        return false;
    // A buffer holds whole sample frames only.
    if (waveSize == 0 || waveSize % alFormat.blockAlign != 0)
        return false;

    alGetError();
    alGenBuffers(1, &buffer);
    if (alGetError() != AL_NO_ERROR) {
        buffer = 0;
        return false;
    }
    alGenSources(1, &source);
    if (alGetError() != AL_NO_ERROR) {
        source = 0;
        releaseBuffer();
        return false;
    }
    bufferFormat = alFormat;
    return true;
}

bool CDirectSound::fillBuffer(const unsigned char* data, std::uint32_t size)
{
    // The buffer takes exactly the sound's length; never read past what the
    // caller handed over.
    if (buffer == 0 || data == nullptr || size < waveSize)
        return false;
    alGetError();
    alSourcei(source, AL_BUFFER, 0);  // a buffer attached to a source cannot be refilled
    alBufferData(buffer, bufferFormat.format, data, static_cast<ALsizei>(waveSize), bufferFormat.frequency);
    alSourcei(source, AL_BUFFER, static_cast<ALint>(buffer));
    return alGetError() == AL_NO_ERROR;
}

bool CDirectSound::isReady() const
{
    return s_device != nullptr && buffer != 0 && waveData != nullptr && waveSize != 0;
}

void CDirectSound::play(std::uint32_t position, bool loop)
{
    if (!isReady() && !finishWhenDeviceOpens())
        return;
    if (position > waveSize)
        position = waveSize;

    // Stopping first makes the offset apply to the next start: OpenAL
    // restarts an already playing source from its beginning and would drop
    // the offset.
    alSourceStop(source);
    alSourcei(source, AL_LOOPING, loop ? AL_TRUE : AL_FALSE);
    if (position == waveSize) {
        // The cursor stands at the end: a single shot is over before it
        // starts, a loop goes on from the beginning.
        if (!loop)
            return;
        position = 0;
    }
    alSourcei(source, AL_BYTE_OFFSET, static_cast<ALint>(position));
    alSourcePlay(source);
}

void CDirectSound::releaseBuffer()
{
    if (source != 0)
        alDeleteSources(1, &source);
    if (buffer != 0)
        alDeleteBuffers(1, &buffer);
    source = 0;
    buffer = 0;
}

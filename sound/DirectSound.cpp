#include "sound/DirectSound.h"

#include "platform/resources.h"

#include <cstdio>

CDirectSound* g_tickSound = nullptr;

SoundDevice* CDirectSound::s_device = nullptr;
int CDirectSound::s_instanceCount = 0;
SoundOutput* CDirectSound::s_output = nullptr;
SoundScheduler* CDirectSound::s_scheduler = nullptr;

namespace {

// A sound asked for while the device was opening still plays this long after.
constexpr std::chrono::seconds kRequestKeeps{1};

// A clock without sound says so once, in one line: why, and that it goes on.
void reportSilence(const char* why)
{
    static bool reported = false;
    if (reported)
        return;
    reported = true;
    std::fprintf(stderr, "tarnwick: %s; the clock runs silently\n", why);
    std::fflush(stderr);
}

void reportFailedOpening(const DeviceAttempt& last)
{
    reportSilence(last.busyOrMissing ? "no sound device" : "the sound device failed to open");
}

} // namespace

SoundOutput& CDirectSound::output()
{
    return s_output != nullptr ? *s_output : platformSoundOutput();
}

SoundScheduler& CDirectSound::scheduler()
{
    return s_scheduler != nullptr ? *s_scheduler : realSoundScheduler();
}

void CDirectSound::usePlatform(SoundOutput* output, SoundScheduler* scheduler)
{
    s_output = output;
    s_scheduler = scheduler;
}

CDirectSound::CDirectSound()
{
    ++s_instanceCount;
}

CDirectSound::~CDirectSound()
{
    releaseBuffer();
    --s_instanceCount;
    if (s_instanceCount == 0 && s_device != nullptr) {
        output().closeDevice(s_device);
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
    if (!parseWave(image.data, image.size, &waveFormat, &waveData, &waveSize)) {
        reportSilence("the tick sound is damaged");
        return false;
    }
    ownerWindow = window;
    startOpeningSoundDevice(output(), scheduler());
    waitingForDevice = true;
    return true;
}

void CDirectSound::update()
{
    if (isReady() || !finishWhenDeviceOpens())
        return;
    const Request asked = request;
    request = Request{};
    if (asked.asked && scheduler().now() - asked.at <= kRequestKeeps)
        startAt(asked.position, asked.loop);
}

bool CDirectSound::finishWhenDeviceOpens()
{
    if (!waitingForDevice)
        return false;
    const DeviceAttempt opened = takeOpenedSoundDevice(&waitingForDevice);
    if (opened.device == nullptr) {
        if (!waitingForDevice) {
            request = Request{};
            reportFailedOpening(opened);
        }
        return false;
    }
    if (s_device != nullptr)
        output().closeDevice(opened.device);  // another player opened one meanwhile
    else if (!useDevice(opened.device, ownerWindow))
        return false;
    if (createBuffer(waveFormat) && fillBuffer(waveData, waveSize))
        return true;
    releaseBuffer();
    reportSilence("the sound device does not take the tick");
    return false;
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
    if (fillBuffer(waveData, waveSize))
        return true;
    // A buffer without the sound must not count as ready.
    releaseBuffer();
    return false;
}

// Opens the shared device, with its retries.
bool CDirectSound::acquireDevice(void* window)
{
    const DeviceAttempt opened = openSoundDevice(output(), scheduler());
    if (opened.device == nullptr) {
        reportFailedOpening(opened);
        return false;
    }
    return useDevice(opened.device, window);
}

bool CDirectSound::useDevice(SoundDevice* device, void* window)
{
    if (!output().useDevice(device, window)) {
        reportSilence("the sound device does not play");
        return false;
    }
    s_device = device;
    return true;
}

bool CDirectSound::createBuffer(const WaveFormat& format)
{
    releaseBuffer();
    if (s_device == nullptr || format.body == nullptr || waveData == nullptr || waveSize == 0)
        return false;
    buffer = output().createBuffer(s_device, format, waveSize);
    return buffer != nullptr;
}

bool CDirectSound::fillBuffer(const unsigned char* data, std::uint32_t size)
{
    // The buffer takes exactly the sound's length; never read past what the
    // caller handed over.
    if (buffer == nullptr || data == nullptr || size < waveSize)
        return false;
    return output().fillBuffer(buffer, data, waveSize);
}

bool CDirectSound::isReady() const
{
    return s_device != nullptr && buffer != nullptr && waveData != nullptr && waveSize != 0;
}

void CDirectSound::play(std::uint32_t position, bool loop)
{
    if (!isReady() && !finishWhenDeviceOpens()) {
        if (waitingForDevice)
            request = Request{true, scheduler().now(), position, loop};
        return;
    }
    request = Request{};
    startAt(position, loop);
}

void CDirectSound::startAt(std::uint32_t position, bool loop)
{
    if (position > waveSize)
        position = waveSize;
    if (position == waveSize) {
        // The cursor stands at the end: a single shot is over before it
        // starts, a loop goes on from the beginning.
        output().stop(buffer);
        if (!loop)
            return;
        position = 0;
    }
    output().start(buffer, position, loop);
}

void CDirectSound::releaseBuffer()
{
    if (buffer != nullptr)
        output().releaseBuffer(buffer);
    buffer = nullptr;
}

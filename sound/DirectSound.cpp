#include "sound/DirectSound.h"

#include "platform/resources.h"

#include <algorithm>
#include <cstdio>
#include <vector>

CDirectSound* g_tickSound = nullptr;

SoundDevice* CDirectSound::s_device = nullptr;
int CDirectSound::s_instanceCount = 0;
SoundOutput* CDirectSound::s_output = nullptr;
SoundScheduler* CDirectSound::s_scheduler = nullptr;
bool CDirectSound::s_reopening = false;
bool CDirectSound::s_lossReported = false;
bool CDirectSound::s_resting = false;
bool CDirectSound::s_roundUnderWay = false;
std::chrono::steady_clock::time_point CDirectSound::s_retryAt{};

namespace {

// A sound asked for while the device was opening still plays this long after.
constexpr std::chrono::seconds kRequestKeeps{1};
// How often the open device is asked whether it still plays.
constexpr std::chrono::seconds kConnectionCheckEvery{1};

// The live players: a device that closes takes every player's buffer with it.
std::vector<CDirectSound*>& players()
{
    static std::vector<CDirectSound*> all;
    return all;
}

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
    players().push_back(this);
}

CDirectSound::~CDirectSound()
{
    releaseBuffer();
    --s_instanceCount;
    players().erase(std::find(players().begin(), players().end(), this));
    if (s_instanceCount == 0) {
        if (s_device != nullptr)
            output().closeDevice(s_device);
        s_device = nullptr;
        s_reopening = false;
        s_lossReported = false;
        s_resting = false;
        s_roundUnderWay = false;
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
    s_roundUnderWay = true;
    startOpeningSoundDevice(output(), scheduler());
    waitingForDevice = true;
    return true;
}

void CDirectSound::update()
{
    if (s_resting) {
        // An attempt that was under way when the rest began may still open
        // the device: it is closed at once.
        bool pending = true;
        if (SoundDevice* late = takeOpenedSoundDevice(&pending).device)
            output().closeDevice(late);
        return;
    }
    if (isReady()) {
        if (deviceSeemsGone())
            loseDevice();
        return;
    }
    retryWhenDue();
    if (!finishWhenDeviceOpens())
        return;
    const Request asked = request;
    request = Request{};
    if (asked.asked && scheduler().now() - asked.at <= kRequestKeeps && !startAt(asked.position, asked.loop))
        loseDevice();
}

bool CDirectSound::deviceSeemsGone()
{
    const auto now = scheduler().now();
    if (now - lastConnectionCheck < kConnectionCheckEvery)
        return false;
    lastConnectionCheck = now;
    return !output().stillConnected(s_device, buffer);
}

bool CDirectSound::finishWhenDeviceOpens()
{
    if (!waitingForDevice)
        return false;
    if (s_device == nullptr) {
        bool pending = true;
        const DeviceAttempt opened = takeOpenedSoundDevice(&pending);
        if (opened.device == nullptr) {
            if (!pending && s_roundUnderWay) {
                s_roundUnderWay = false;
                openingFailed(opened);
            }
            return false;
        }
        s_roundUnderWay = false;
        if (!useDevice(opened.device, ownerWindow)) {
            openingFailed(DeviceAttempt{});
            return false;
        }
        s_reopening = false;
        s_lossReported = false;
    }
    // The device is open (this player's attempts or another's).
    waitingForDevice = false;
    lastConnectionCheck = scheduler().now();
    if (createBuffer(waveFormat) && fillBuffer(waveData, waveSize))
        return true;
    releaseBuffer();
    reportSilence("the sound device does not take the tick");
    return false;
}

void CDirectSound::openingFailed(const DeviceAttempt& last)
{
    if (s_reopening) {
        // Quietly, for as long as the run lasts: one more round after a pause.
        reportLoss();
        s_retryAt = scheduler().now() + kSoundDeviceReopenPause;
        return;
    }
    waitingForDevice = false;
    request = Request{};
    reportFailedOpening(last);
}

void CDirectSound::retryWhenDue()
{
    if (!s_reopening || s_device != nullptr || scheduler().now() < s_retryAt)
        return;
    // Until this round has ended; a round already under way is not doubled.
    s_retryAt = std::chrono::steady_clock::time_point::max();
    s_roundUnderWay = true;
    startOpeningSoundDevice(output(), scheduler());
}

void CDirectSound::reportLoss()
{
    if (s_lossReported)
        return;
    s_lossReported = true;
    std::fprintf(stderr, "tarnwick: the sound device has gone; the tick comes back when it does\n");
    std::fflush(stderr);
}

void CDirectSound::closeSharedDevice()
{
    for (CDirectSound* player : players()) {
        if (player->buffer != nullptr)
            player->waitingForDevice = true;
        player->releaseBuffer();
        player->request = Request{};
    }
    if (s_device != nullptr)
        output().closeDevice(s_device);
    s_device = nullptr;
}

void CDirectSound::loseDevice()
{
    reportLoss();
    closeSharedDevice();
    if (s_resting)
        return;
    s_reopening = true;
    s_retryAt = scheduler().now();
    retryWhenDue();
}

void CDirectSound::rest()
{
    if (s_resting)
        return;
    s_resting = true;
    closeSharedDevice();
}

void CDirectSound::wake()
{
    if (!s_resting)
        return;
    s_resting = false;
    const bool anyWaits = std::any_of(players().begin(), players().end(),
                                      [](const CDirectSound* player) { return player->waitingForDevice; });
    if (!anyWaits)
        return;
    s_reopening = true;
    s_retryAt = scheduler().now();
    retryWhenDue();
}

bool CDirectSound::initFromMemory(const unsigned char* image, std::size_t imageSize, void* window)
{
    ownerWindow = window;  // for a device opened again later
    if (s_device == nullptr && !acquireDevice(window))
        return false;
    if (!parseWave(image, imageSize, &waveFormat, &waveData, &waveSize))
        return false;
    if (!createBuffer(waveFormat))
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
    if (s_resting)
        return;
    if (!isReady() && !finishWhenDeviceOpens()) {
        if (waitingForDevice && !s_resting)
            request = Request{true, scheduler().now(), position, loop};
        return;
    }
    request = Request{};
    if (!startAt(position, loop))
        loseDevice();
}

bool CDirectSound::startAt(std::uint32_t position, bool loop)
{
    if (position > waveSize)
        position = waveSize;
    if (position == waveSize) {
        // The cursor stands at the end: a single shot is over before it
        // starts, a loop goes on from the beginning.
        output().stop(buffer);
        if (!loop)
            return true;
        position = 0;
    }
    return output().start(buffer, position, loop);
}

void CDirectSound::releaseBuffer()
{
    if (buffer != nullptr)
        output().releaseBuffer(buffer);
    buffer = nullptr;
}

#include "sound/sound_device.h"

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <thread>

namespace {

ALCdevice* openDefaultDevice()
{
    return alcOpenDevice(nullptr);
}

constexpr SoundDeviceHooks kDefaultHooks{openDefaultDevice, nullptr, kSoundDeviceRetryDelayMs};

} // namespace

SoundDeviceHooks& soundDeviceHooks()
{
    static SoundDeviceHooks hooks = kDefaultHooks;
    return hooks;
}

void resetSoundDeviceHooks()
{
    soundDeviceHooks() = kDefaultHooks;
}

ALCdevice* openSoundDevice()
{
    const SoundDeviceHooks& hooks = soundDeviceHooks();
    for (int attempt = 0; attempt < kSoundDeviceAttempts; ++attempt) {
        if (attempt > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(hooks.retryDelayMs));
        if (ALCdevice* device = hooks.open())
            return device;
    }
    return nullptr;
}

namespace {

// The state of the attempts on the worker thread. Never destroyed: the
// worker may still be waiting when the process ends.
struct BackgroundOpening {
    std::mutex mutex;
    std::condition_variable wake;
    bool running = false;
    bool stopped = false;
    ALCdevice* device = nullptr;
};

BackgroundOpening& backgroundOpening()
{
    static BackgroundOpening* const opening = new BackgroundOpening;
    return *opening;
}

void openInBackground(BackgroundOpening* opening, SoundDeviceHooks hooks)
{
    std::unique_lock<std::mutex> lock(opening->mutex);
    for (int attempt = 0; attempt < kSoundDeviceAttempts && opening->device == nullptr; ++attempt) {
        if (attempt > 0)
            opening->wake.wait_for(lock, std::chrono::milliseconds(hooks.retryDelayMs),
                                   [opening] { return opening->stopped; });
        if (opening->stopped)
            return;
        opening->device = hooks.open();
    }
    opening->running = false;
}

// At exit the sound library tears itself down: the worker must not be inside
// it then. Waits for an attempt under way, then keeps the worker from making
// another by never giving the lock back.
void haltOpeningAtExit()
{
    BackgroundOpening& opening = backgroundOpening();
    opening.mutex.lock();
    opening.stopped = true;
    opening.wake.notify_all();
}

} // namespace

void startOpeningSoundDevice()
{
    BackgroundOpening& opening = backgroundOpening();
    std::lock_guard<std::mutex> lock(opening.mutex);
    if (opening.running || opening.stopped)
        return;
    static const bool haltRegistered = std::atexit(haltOpeningAtExit) == 0;
    (void)haltRegistered;
    opening.running = true;
    std::thread(openInBackground, &opening, soundDeviceHooks()).detach();
}

ALCdevice* takeOpenedSoundDevice(bool* pending)
{
    BackgroundOpening& opening = backgroundOpening();
    // An attempt under way holds the lock: not yet, ask again next frame.
    std::unique_lock<std::mutex> lock(opening.mutex, std::try_to_lock);
    if (!lock.owns_lock())
        return nullptr;
    ALCdevice* device = opening.device;
    opening.device = nullptr;
    *pending = opening.running;
    return device;
}

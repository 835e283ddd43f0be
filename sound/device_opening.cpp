#include "sound/device_opening.h"

#include <cstdlib>
#include <mutex>
#include <thread>

namespace {

class RealScheduler : public SoundScheduler {
public:
    void pause(unsigned milliseconds) override
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    }
    void launch(std::function<void()> job) override { std::thread(std::move(job)).detach(); }
    std::chrono::steady_clock::time_point now() override { return std::chrono::steady_clock::now(); }
};

// The attempts with their pauses. tryOnce makes one attempt into *result;
// false from it ends the attempts at once (the process is ending). Gives the
// last attempt.
template <typename Attempt>
DeviceAttempt runAttempts(SoundScheduler& scheduler, Attempt tryOnce)
{
    DeviceAttempt result;
    for (int number = 0; number < kSoundDeviceAttempts; ++number) {
        if (number > 0)
            scheduler.pause(kSoundDeviceRetryDelayMs);
        if (!tryOnce(&result) || result.device != nullptr || !result.busyOrMissing)
            break;
    }
    return result;
}

// The state of the background attempts. Never destroyed: a worker thread
// may still be pausing when the process ends.
struct BackgroundOpening {
    std::mutex mutex;  // held during each attempt
    bool running = false;
    bool halted = false;
    DeviceAttempt last;  // its device not yet taken
};

BackgroundOpening& backgroundOpening()
{
    static BackgroundOpening* const opening = new BackgroundOpening;
    return *opening;
}

void openInBackground(SoundOutput* output, SoundScheduler* scheduler)
{
    BackgroundOpening& opening = backgroundOpening();
    // Each attempt holds the lock, the pauses do not: taking never waits
    // for a pause.
    runAttempts(*scheduler, [&](DeviceAttempt* result) {
        const std::lock_guard<std::mutex> lock(opening.mutex);
        if (opening.halted)
            return false;
        *result = output->openDevice();
        opening.last = *result;
        return true;
    });
    const std::lock_guard<std::mutex> lock(opening.mutex);
    opening.running = false;
}

// At exit the sound library tears itself down: a worker must not be inside
// it then. Waits for an attempt under way, then keeps the worker from making
// another by never giving the lock back.
void haltOpeningAtExit()
{
    BackgroundOpening& opening = backgroundOpening();
    opening.mutex.lock();
    opening.halted = true;
}

} // namespace

// Never destroyed, like the opening's state: a worker may still use it while
// the process ends.
SoundScheduler& realSoundScheduler()
{
    static RealScheduler* const scheduler = new RealScheduler;
    return *scheduler;
}

DeviceAttempt openSoundDevice(SoundOutput& output, SoundScheduler& scheduler)
{
    return runAttempts(scheduler, [&output](DeviceAttempt* result) {
        *result = output.openDevice();
        return true;
    });
}

void startOpeningSoundDevice(SoundOutput& output, SoundScheduler& scheduler)
{
    BackgroundOpening& opening = backgroundOpening();
    {
        const std::lock_guard<std::mutex> lock(opening.mutex);
        if (opening.running || opening.halted)
            return;
        static const bool haltRegistered = std::atexit(haltOpeningAtExit) == 0;
        (void)haltRegistered;
        opening.running = true;
        opening.last = DeviceAttempt{};
    }
    scheduler.launch([&output, &scheduler] { openInBackground(&output, &scheduler); });
}

DeviceAttempt takeOpenedSoundDevice(bool* pending)
{
    BackgroundOpening& opening = backgroundOpening();
    // An attempt under way holds the lock: not yet, ask again next frame.
    std::unique_lock<std::mutex> lock(opening.mutex, std::try_to_lock);
    if (!lock.owns_lock())
        return {nullptr, true};
    const DeviceAttempt last = opening.last;
    opening.last.device = nullptr;
    *pending = opening.running;
    return last;
}

#include "sound/sound_device.h"

#include <chrono>
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

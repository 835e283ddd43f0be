#include "sound/direct_sound_result.h"

namespace {

constexpr std::uint32_t kBufferLost = 0x88780096;        // DSERR_BUFFERLOST
constexpr std::uint32_t kNoDriver = 0x88780078;          // DSERR_NODRIVER
constexpr std::uint32_t kDeviceInvalidated = 0x88890004; // AUDCLNT_E_DEVICE_INVALIDATED: the endpoint was removed
constexpr std::uint32_t kAudioServiceGone = 0x88890010;  // AUDCLNT_E_SERVICE_NOT_RUNNING
constexpr std::uint32_t kNotConnected = 0x8007048F;      // HRESULT of ERROR_DEVICE_NOT_CONNECTED

} // namespace

DirectSoundResult classifyDirectSoundResult(std::uint32_t hresult)
{
    if ((hresult & 0x80000000u) == 0)
        return DirectSoundResult::Done;
    switch (hresult) {
    case kBufferLost:
        return DirectSoundResult::BufferLost;
    case kNoDriver:
    case kDeviceInvalidated:
    case kAudioServiceGone:
    case kNotConnected:
        return DirectSoundResult::DeviceGone;
    default:
        return DirectSoundResult::Failed;
    }
}

// What a DirectSound call's result means for the player: written with the
// codes' numbers, so that the meaning is one table, read by the Windows output
// and checked by the player's tests on every platform.
#pragma once

#include <cstdint>

enum class DirectSoundResult {
    Done,        // success
    BufferLost,  // the buffer's memory was taken away: restore it and write the sound again
    DeviceGone,  // no driver or no device any more: close the device and open it again
    Failed,      // any other failure
};

DirectSoundResult classifyDirectSoundResult(std::uint32_t hresult);

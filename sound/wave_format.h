// The mapping of a WAVE image's format onto an OpenAL buffer format.
#pragma once

#include "sound/wave_chunk.h"

#include <AL/al.h>

#include <cstdint>

// What OpenAL needs to hold the samples.
struct OpenAlFormat {
    ALenum format = 0;         // AL_FORMAT_MONO8 … AL_FORMAT_STEREO16
    ALsizei frequency = 0;     // samples per second
    std::uint32_t blockAlign = 0;  // bytes per sample frame
};

// Integer PCM, 1 or 2 channels, 8 or 16 bits, a block align that matches,
// and a rate a mixer can be asked to play; false for anything else. A body
// shorter than 16 bytes has no bits-per-sample field: the sample width then
// follows from the block align.
bool toOpenAlFormat(const WaveFormat& wave, OpenAlFormat* out);

// The "fmt " body of a WAVE image and its mapping onto an OpenAL buffer format.
#pragma once

#include <AL/al.h>

#include <cstdint>

// The format chunk's body, in place inside the image. Its first 14 bytes are
// the wave-format record (tag, channels, rate, bytes per second, block
// align); bits per sample follow at bytes 14–15 when the body is that long.
struct WaveFormat {
    const unsigned char* body = nullptr;
    std::uint32_t size = 0;
};

// What OpenAL needs to hold the samples.
struct OpenAlFormat {
    ALenum format = 0;         // AL_FORMAT_MONO8 … AL_FORMAT_STEREO16
    ALsizei frequency = 0;     // samples per second
    std::uint32_t blockAlign = 0;  // bytes per sample frame
};

// Little-endian reads from a byte image.
std::uint16_t readU16(const unsigned char* p);
std::uint32_t readU32(const unsigned char* p);

// Integer PCM, 1 or 2 channels, 8 or 16 bits, a block align that matches,
// and a rate a mixer can be asked to play; false for anything else. A body
// shorter than 16 bytes has no bits-per-sample field: the sample width then
// follows from the block align.
bool toOpenAlFormat(const WaveFormat& wave, OpenAlFormat* out);

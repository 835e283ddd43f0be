// The "fmt " body of a WAVE image, and the little-endian reads of its fields.
#pragma once

#include <cstdint>

// The format chunk's body, in place inside the image. Its first 14 bytes are
// the wave-format record (tag, channels, rate, bytes per second, block
// align); bits per sample follow at bytes 14–15 when the body is that long.
struct WaveFormat {
    const unsigned char* body = nullptr;
    std::uint32_t size = 0;
};

// Little-endian reads from a byte image.
std::uint16_t readU16(const unsigned char* p);
std::uint32_t readU32(const unsigned char* p);

#include "sound/wave_chunk.h"

std::uint16_t readU16(const unsigned char* p)
{
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t readU32(const unsigned char* p)
{
    return static_cast<std::uint32_t>(readU16(p)) | (static_cast<std::uint32_t>(readU16(p + 2)) << 16);
}

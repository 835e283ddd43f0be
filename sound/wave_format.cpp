#include "sound/wave_format.h"

bool toOpenAlFormat(const WaveFormat& wave, OpenAlFormat* out)
{
    constexpr std::uint16_t kPcm = 1;
    constexpr std::uint32_t kMinRate = 100;
    constexpr std::uint32_t kMaxRate = 200000;
    if (wave.body == nullptr || wave.size < 14)
        return false;

    const std::uint16_t tag = readU16(wave.body);
    const std::uint16_t channels = readU16(wave.body + 2);
    const std::uint32_t rate = readU32(wave.body + 4);
    const std::uint16_t blockAlign = readU16(wave.body + 12);
    if (tag != kPcm || (channels != 1 && channels != 2) || rate < kMinRate || rate > kMaxRate)
        return false;

    const std::uint32_t bits = wave.size >= 16 ? readU16(wave.body + 14) : blockAlign * 8u / channels;
    if ((bits != 8 && bits != 16) || blockAlign != channels * bits / 8)
        return false;

    if (channels == 1)
        out->format = bits == 8 ? AL_FORMAT_MONO8 : AL_FORMAT_MONO16;
    else
        out->format = bits == 8 ? AL_FORMAT_STEREO8 : AL_FORMAT_STEREO16;
    out->frequency = static_cast<ALsizei>(rate);
    out->blockAlign = blockAlign;
    return true;
}

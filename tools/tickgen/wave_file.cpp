#include "tools/tickgen/wave_file.h"

#include <cstdio>

namespace {

void putTag(std::vector<std::uint8_t>& out, const char* tag)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(tag[i]));
}

void putU16(std::vector<std::uint8_t>& out, std::uint16_t value)
{
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void putU32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    putU16(out, static_cast<std::uint16_t>(value & 0xFFFF));
    putU16(out, static_cast<std::uint16_t>(value >> 16));
}

} // namespace

std::vector<std::uint8_t> makeMonoPcm16Wave(const std::vector<std::int16_t>& samples, std::uint32_t sampleRate)
{
    const std::uint16_t channels = 1;
    const std::uint16_t bitsPerSample = 16;
    const std::uint16_t blockAlign = channels * bitsPerSample / 8;
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * blockAlign);

    std::vector<std::uint8_t> out;
    out.reserve(44 + dataBytes);
    putTag(out, "RIFF");
    putU32(out, 4 + (8 + 16) + (8 + dataBytes));
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    putU32(out, 16);
    putU16(out, 1);  // PCM
    putU16(out, channels);
    putU32(out, sampleRate);
    putU32(out, sampleRate * blockAlign);
    putU16(out, blockAlign);
    putU16(out, bitsPerSample);
    putTag(out, "data");
    putU32(out, dataBytes);
    for (std::int16_t s : samples)
        putU16(out, static_cast<std::uint16_t>(s));
    return out;
}

bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

// The RIFF/WAVE chunk walk of the tick player.
#include "sound/DirectSound.h"

#include <cstring>

namespace {

bool tagIs(const unsigned char* p, const char* tag)
{
    return std::memcmp(p, tag, 4) == 0;
}

bool walkChunks(const unsigned char* image, std::size_t imageSize, WaveFormat* format,
                const unsigned char** data, std::uint32_t* size)
{
    if (image == nullptr || imageSize < 12 || !tagIs(image, "RIFF") || !tagIs(image + 8, "WAVE"))
        return false;

    // The walk covers bytes 12 up to 8 + RIFF size. Every chunk must also lie
    // inside the image: a size that runs past it ends the parse as a failure
    // instead of reading beyond the resource.
    const std::uint64_t end = 8 + static_cast<std::uint64_t>(readU32(image + 4));
    std::uint64_t position = 12;
    while (position < end) {
        if (position > imageSize - 8)
            return false;
        const unsigned char* header = image + position;
        const std::uint32_t chunkSize = readU32(header + 4);
        const std::uint64_t bodyStart = position + 8;
        if (chunkSize > imageSize - bodyStart)
            return false;
        const unsigned char* body = image + bodyStart;

        if (tagIs(header, "fmt ")) {
            if (format->body == nullptr) {
                if (chunkSize < 14)
                    return false;
                *format = WaveFormat{body, chunkSize};
                if (*data != nullptr && *size != 0)
                    return true;
            }
        } else if (tagIs(header, "data")) {
            *data = body;
            *size = chunkSize;
            if (format->body != nullptr)
                return true;
        }
        // Chunks are word-aligned: an odd size is followed by a pad byte.
        position = bodyStart + chunkSize + (chunkSize & 1u);
    }
    return false;
}

} // namespace

bool CDirectSound::parseWave(const unsigned char* image, std::size_t imageSize, WaveFormat* format,
                             const unsigned char** data, std::uint32_t* size)
{
    *format = WaveFormat{};
    *data = nullptr;
    *size = 0;
    if (walkChunks(image, imageSize, format, data, size))
        return true;
    // A failed parse leaves nothing half-found behind.
    *format = WaveFormat{};
    *data = nullptr;
    *size = 0;
    return false;
}

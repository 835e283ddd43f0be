// Fuzz target: arbitrary bytes as a WAVE image, through the chunk walk, the
// format mapping and a whole player set-up on OpenAL's "null" output.
#include "sound/DirectSound.h"
#include "sound/wave_format.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "wave fuzz: violated: %s\n", what);
        std::abort();
    }
}

bool inside(const unsigned char* p, std::size_t length, const unsigned char* begin, std::size_t size)
{
    return p >= begin && length <= size && static_cast<std::size_t>(p - begin) <= size - length;
}

void checkParse(const unsigned char* image, std::size_t size)
{
    WaveFormat format;
    const unsigned char* data = nullptr;
    std::uint32_t dataSize = 0;
    if (!CDirectSound::parseWave(image, size, &format, &data, &dataSize)) {
        require(format.body == nullptr && format.size == 0 && data == nullptr && dataSize == 0,
                "a failed parse leaves its outputs cleared");
        return;
    }
    require(format.body != nullptr && format.size >= 14, "the format body has at least 14 bytes");
    require(inside(format.body, format.size, image, size), "the format body lies inside the image");
    require(data != nullptr && inside(data, dataSize, image, size), "the samples lie inside the image");
    OpenAlFormat al;
    if (toOpenAlFormat(format, &al))
        require(al.blockAlign == 1 || al.blockAlign == 2 || al.blockAlign == 4, "a PCM frame is 1, 2 or 4 bytes");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    // One idle player keeps the shared device open across inputs; it goes
    // (and closes the device) when the run ends.
    static CDirectSound* keeper = nullptr;
    if (keeper == nullptr) {
        setenv("ALSOFT_DRIVERS", "null", 1);
        keeper = new CDirectSound();
        std::atexit([] { delete keeper; });
    }

    checkParse(bytes, size);

    CDirectSound player;
    const bool ready = player.initFromMemory(bytes, size, nullptr);
    require(ready == player.isReady(), "init answers whether the player is ready");
    if (ready) {
        require(inside(player.data(), player.dataSize(), bytes, size),
                "the player's samples lie inside the image");
        player.play(0, false);
        player.play(player.dataSize() / 2, true);
        player.play(0xFFFFFFFFu, false);
    }
    return 0;
}

// tickgen <out.wav>: writes the clock's tick sound.
#include "tools/tickgen/tick_synth.h"
#include "tools/tickgen/wave_file.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: tickgen <out.wav>\n");
        return 2;
    }
    const auto wave = makeMonoPcm16Wave(synthesizeTick(), kTickSampleRate);
    if (!writeFile(argv[1], wave)) {
        std::fprintf(stderr, "tickgen: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}

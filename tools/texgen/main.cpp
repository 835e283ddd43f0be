// texgen perforated|brass <out.bmp>: writes one 512 × 512 24-bit texture.
#include "textures.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    if (argc != 3 || (std::strcmp(argv[1], "perforated") != 0 && std::strcmp(argv[1], "brass") != 0)) {
        std::fprintf(stderr, "usage: texgen perforated|brass <out.bmp>\n");
        return 2;
    }
    std::vector<Rgb> px = std::strcmp(argv[1], "brass") == 0 ? brassTexture() : perforatedTexture();
    if (!writeBmp24(argv[2], kTextureSize, kTextureSize, px)) {
        std::fprintf(stderr, "texgen: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}

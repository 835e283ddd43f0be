// Fuzz target: arbitrary bytes as an embedded bitmap, read as the program
// reads it: through the resource lookup into the texture reader (the clock's
// textures) and into the About window's decoder (its picture). Where both
// readers accept the bytes they must see the same pixels.
#include "about/bmp_decoder.h"
#include "fuzz_require.h"
#include "platform/resources.h"
#include "render/bmp_reader.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

constexpr int kTextureResource = 167;
constexpr int kPictureResource = 101;
// Small texture sizes keep the run fast; 1 is the smallest there is.
constexpr int kTextureSizes[] = {1, 16, 64};

void require(bool condition, const char* what) { fuzzRequire(condition, "bmp", what); }

void checkTexels(const std::uint8_t* data, std::size_t size)
{
    for (int textureSize : kTextureSizes) {
        const std::vector<float> texels = bitmapTexels(data, size, textureSize);
        require(texels.size() == static_cast<std::size_t>(textureSize) * textureSize * 4, "size × size RGBA texels");
        for (std::size_t i = 0; i < texels.size(); ++i) {
            require(texels[i] >= 0.0f && texels[i] <= 1.0f, "texels lie in [0, 1]");
            if (i % 4 == 3)
                require(texels[i] == 1.0f, "texels are opaque");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    overrideResource(kTextureResource, kBitmapType, bytes, size);
    overrideResource(kPictureResource, kBitmapType, bytes, size);

    const ResourceBytes texture = findResource(kTextureResource, kBitmapType);
    checkTexels(texture.data, texture.size);

    Bmp24 image;
    const bool parsed = parseBmp24(texture.data, texture.size, image);
    if (parsed) {
        require(image.width > 0 && image.height > 0, "an accepted bitmap has pixels");
        require(image.pixels >= texture.data && image.pixels < texture.data + texture.size,
                "the rows start inside the bytes");
        // Every pixel, and the ones just outside, must be readable.
        for (int y = -1; y <= image.height; ++y)
            for (int x = -1; x <= image.width; ++x) {
                const std::uint32_t c = image.colorRef(x, y);
                require(c <= 0x00FFFFFFu, "a COLORREF has no high byte");
                if (x < 0 || y < 0 || x == image.width || y == image.height)
                    require(c == 0, "outside the picture reads as black");
            }
    }

    const ResourceBytes picture = findResource(kPictureResource, kBitmapType);
    DecodedBitmap decoded;
    if (decodeBmp24(picture.data, picture.size, decoded)) {
        require(decoded.width > 0 && decoded.width <= kMaxBitmapSide && decoded.height > 0 &&
                    decoded.height <= kMaxBitmapSide,
                "decoded sides in range");
        require(decoded.rgb.size() == static_cast<std::size_t>(decoded.width) * decoded.height * 3,
                "three bytes per decoded pixel");
        if (parsed) {
            require(decoded.width == image.width && decoded.height == image.height, "both readers see one size");
            for (int y = 0; y < image.height; ++y)
                for (int x = 0; x < image.width; ++x) {
                    const std::uint8_t* rgb = &decoded.rgb[(static_cast<std::size_t>(y) * decoded.width + x) * 3];
                    const std::uint32_t expected = rgb[0] | (rgb[1] << 8) | (static_cast<std::uint32_t>(rgb[2]) << 16);
                    require(image.colorRef(x, y) == expected, "both readers see the same pixels");
                }
        }
    } else {
        require(decoded.width == 0 && decoded.height == 0 && decoded.rgb.empty(),
                "a refused bitmap leaves the output untouched");
    }

    clearResourceOverrides();
    return 0;
}

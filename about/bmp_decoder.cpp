#include "about/bmp_decoder.h"

#include "render/bmp_reader.h"

#include <utility>

bool decodeBmp24(const std::uint8_t* data, std::size_t size, DecodedBitmap& out)
{
    // The textures' reader does every header and length check; the About
    // window only needs the pixels unpacked, within its own size limit.
    Bmp24 image;
    if (!parseBmp24(data, size, image) || image.width > kMaxBitmapSide || image.height > kMaxBitmapSide)
        return false;

    DecodedBitmap bitmap;
    bitmap.width = image.width;
    bitmap.height = image.height;
    bitmap.rgb.resize(static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 3);
    std::uint8_t* dest = bitmap.rgb.data();
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t colorRef = image.colorRef(x, y);  // 0x00BBGGRR
            *dest++ = static_cast<std::uint8_t>(colorRef & 0xFF);
            *dest++ = static_cast<std::uint8_t>((colorRef >> 8) & 0xFF);
            *dest++ = static_cast<std::uint8_t>((colorRef >> 16) & 0xFF);
        }
    }
    out = std::move(bitmap);
    return true;
}

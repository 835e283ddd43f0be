#include "about/bmp_decoder.h"

#include <utility>

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kMinInfoHeaderSize = 40;
constexpr std::uint32_t kCompressionNone = 0;  // BI_RGB

std::uint16_t u16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

std::uint32_t u32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::int32_t s32(const std::uint8_t* p) { return static_cast<std::int32_t>(u32(p)); }

} // namespace

bool decodeBmp24(const std::uint8_t* data, std::size_t size, DecodedBitmap& out)
{
    if (data == nullptr || size < kFileHeaderSize + kMinInfoHeaderSize)
        return false;
    if (data[0] != 'B' || data[1] != 'M')
        return false;
    const std::uint32_t pixelOffset = u32(data + 10);

    const std::uint8_t* info = data + kFileHeaderSize;
    const std::uint32_t infoSize = u32(info);
    if (infoSize < kMinInfoHeaderSize || infoSize > size - kFileHeaderSize)
        return false;
    const std::int32_t width = s32(info + 4);
    const std::int32_t rawHeight = s32(info + 8);
    const std::uint16_t planes = u16(info + 12);
    const std::uint16_t bitsPerPixel = u16(info + 14);
    const std::uint32_t compression = u32(info + 16);
    if (planes != 1 || bitsPerPixel != 24 || compression != kCompressionNone)
        return false;
    // A negative height marks top-down rows; INT32_MIN has no positive twin.
    if (width <= 0 || width > kMaxBitmapSide || rawHeight == 0 || rawHeight < -kMaxBitmapSide ||
        rawHeight > kMaxBitmapSide)
        return false;
    const bool topDown = rawHeight < 0;
    const int height = topDown ? -rawHeight : rawHeight;

    // Rows are padded to whole 32-bit words.
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~static_cast<std::size_t>(3);
    const std::size_t pixelBytes = stride * static_cast<std::size_t>(height);
    if (pixelOffset < kFileHeaderSize + infoSize || pixelOffset > size || pixelBytes > size - pixelOffset)
        return false;

    DecodedBitmap bitmap;
    bitmap.width = width;
    bitmap.height = height;
    bitmap.rgb.resize(static_cast<std::size_t>(width) * height * 3);
    for (int row = 0; row < height; ++row) {
        const int sourceRow = topDown ? row : height - 1 - row;
        const std::uint8_t* in = data + pixelOffset + stride * static_cast<std::size_t>(sourceRow);
        std::uint8_t* dest = &bitmap.rgb[static_cast<std::size_t>(row) * width * 3];
        for (int x = 0; x < width; ++x) {
            // Stored blue, green, red.
            dest[x * 3 + 0] = in[x * 3 + 2];
            dest[x * 3 + 1] = in[x * 3 + 1];
            dest[x * 3 + 2] = in[x * 3 + 0];
        }
    }
    out = std::move(bitmap);
    return true;
}

#include "render/bmp_reader.h"

namespace {

constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::size_t kInfoHeaderMinBytes = 40;
// Larger pictures are refused so that no size computation can overflow.
constexpr std::int64_t kMaxDimension = 1 << 15;

std::uint32_t le16(const std::uint8_t* p) { return p[0] | (p[1] << 8); }
std::uint32_t le32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

} // namespace

bool parseBmp24(const std::uint8_t* data, std::size_t size, Bmp24& image)
{
    if (data == nullptr || size < kFileHeaderBytes + kInfoHeaderMinBytes)
        return false;
    if (data[0] != 'B' || data[1] != 'M')
        return false;
    const std::uint32_t pixelOffset = le32(data + 10);
    const std::uint8_t* info = data + kFileHeaderBytes;
    const std::uint32_t infoSize = le32(info);
    const std::int32_t width = static_cast<std::int32_t>(le32(info + 4));
    const std::int32_t rawHeight = static_cast<std::int32_t>(le32(info + 8));
    const std::uint32_t planes = le16(info + 12);
    const std::uint32_t bitCount = le16(info + 14);
    const std::uint32_t compression = le32(info + 16);
    if (infoSize < kInfoHeaderMinBytes || infoSize > size - kFileHeaderBytes)
        return false;
    if (planes != 1 || bitCount != 24 || compression != 0)
        return false;
    const std::int64_t height = rawHeight < 0 ? -static_cast<std::int64_t>(rawHeight) : rawHeight;
    if (width <= 0 || width > kMaxDimension || height <= 0 || height > kMaxDimension)
        return false;
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
    const std::size_t pixelBytes = stride * static_cast<std::size_t>(height);
    if (pixelOffset < kFileHeaderBytes + infoSize || pixelOffset > size || size - pixelOffset < pixelBytes)
        return false;
    image.width = width;
    image.height = static_cast<int>(height);
    image.pixels = data + pixelOffset;
    image.rowStride = stride;
    image.topDown = rawHeight < 0;
    return true;
}

std::uint32_t Bmp24::colorRef(int x, int y) const
{
    if (pixels == nullptr || x < 0 || y < 0 || x >= width || y >= height)
        return 0;
    const int storedRow = topDown ? y : height - 1 - y;
    const std::uint8_t* p = pixels + static_cast<std::size_t>(storedRow) * rowStride + static_cast<std::size_t>(x) * 3;
    // Stored blue, green, red; a COLORREF is red in the low byte.
    return static_cast<std::uint32_t>(p[2]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[0]) << 16);
}

void texelFromColorRef(std::uint32_t colorRef, float* rgba)
{
    // Each byte becomes a float first and is then divided by 255.0.
    rgba[0] = static_cast<float>(static_cast<float>(colorRef & 0xFF) / 255.0);
    rgba[1] = static_cast<float>(static_cast<float>((colorRef >> 8) & 0xFF) / 255.0);
    rgba[2] = static_cast<float>(static_cast<float>((colorRef >> 16) & 0xFF) / 255.0);
    rgba[3] = 1.0f;
}

std::vector<float> bitmapTexels(const std::uint8_t* data, std::size_t size, int textureSize)
{
    if (textureSize <= 0)
        return {};
    Bmp24 image;
    parseBmp24(data, size, image);  // an invalid bitmap leaves image empty: all black
    const std::size_t n = static_cast<std::size_t>(textureSize);
    std::vector<float> texels(n * n * 4);
    for (int i = 0; i < textureSize; ++i) {
        for (int j = 0; j < textureSize; ++j) {
            const std::size_t at = 4 * (static_cast<std::size_t>(i) * n + static_cast<std::size_t>(j));
            texelFromColorRef(image.colorRef(j, textureSize - 1 - i), &texels[at]);
        }
    }
    return texels;
}

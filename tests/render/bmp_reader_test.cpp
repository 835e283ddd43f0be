#include "render/bmp_reader.h"
#include "tests/render/bmp_builder.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// A picture whose every pixel is distinct: red = x, green = y, blue = 7.
std::uint32_t coordinatePixel(int x, int y)
{
    return static_cast<std::uint32_t>(x) | (static_cast<std::uint32_t>(y) << 8) | (7u << 16);
}

void put32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

} // namespace

TEST(TexelRule, ColorRefBytesDividedBy255WithOpaqueAlpha)
{
    float rgba[4];
    texelFromColorRef(0x00336699, rgba);
    EXPECT_FLOAT_EQ(rgba[0], 0.6f);
    EXPECT_FLOAT_EQ(rgba[1], 0.4f);
    EXPECT_FLOAT_EQ(rgba[2], 0.2f);
    EXPECT_EQ(rgba[3], 1.0f);
    texelFromColorRef(0x00FFFFFF, rgba);
    EXPECT_EQ(rgba[0], 1.0f);
    EXPECT_EQ(rgba[2], 1.0f);
}

TEST(BmpReader, ReadsPixelsOfPaddedRowsAsColorRefs)
{
    // Width 3: 9 bytes of pixels and 3 of padding per row.
    const auto bytes = buildBmp24(3, 2, coordinatePixel);
    Bmp24 image;
    ASSERT_TRUE(parseBmp24(bytes.data(), bytes.size(), image));
    EXPECT_EQ(image.width, 3);
    EXPECT_EQ(image.height, 2);
    EXPECT_EQ(image.rowStride, 12u);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(image.colorRef(x, y), coordinatePixel(x, y)) << x << "," << y;
    EXPECT_EQ(image.colorRef(3, 0), 0u);
    EXPECT_EQ(image.colorRef(0, -1), 0u);
}

TEST(BmpReader, ReadsTopDownBitmaps)
{
    const auto bytes = buildBmp24(4, 3, coordinatePixel, true);
    Bmp24 image;
    ASSERT_TRUE(parseBmp24(bytes.data(), bytes.size(), image));
    EXPECT_TRUE(image.topDown);
    EXPECT_EQ(image.colorRef(1, 0), coordinatePixel(1, 0));
    EXPECT_EQ(image.colorRef(3, 2), coordinatePixel(3, 2));
}

TEST(BmpReader, RefusesEveryTruncationOfAValidFile)
{
    const auto bytes = buildBmp24(5, 4, coordinatePixel);
    Bmp24 image;
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        std::vector<std::uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n));
        EXPECT_FALSE(parseBmp24(cut.data(), cut.size(), image)) << n << " bytes";
    }
    EXPECT_TRUE(parseBmp24(bytes.data(), bytes.size(), image));
}

TEST(BmpReader, RefusesHeadersItCannotRead)
{
    const auto valid = buildBmp24(4, 4, coordinatePixel);
    Bmp24 image;
    auto refused = [&](std::size_t at, std::uint32_t value, int bytes) {
        auto b = valid;
        if (bytes == 2) {
            b[at] = value & 0xFF;
            b[at + 1] = (value >> 8) & 0xFF;
        } else {
            put32(b, at, value);
        }
        return !parseBmp24(b.data(), b.size(), image);
    };
    EXPECT_TRUE(refused(0, 'X', 2));                   // not "BM"
    EXPECT_TRUE(refused(28, 32, 2));                   // 32 bits per pixel
    EXPECT_TRUE(refused(28, 8, 2));                    // palette picture
    EXPECT_TRUE(refused(30, 1, 4));                    // RLE compression
    EXPECT_TRUE(refused(26, 2, 2));                    // two planes
    EXPECT_TRUE(refused(14, 12, 4));                   // old core header
    EXPECT_TRUE(refused(14, 0xFFFFFFF0u, 4));          // header larger than the file
    EXPECT_TRUE(refused(18, 0, 4));                    // width 0
    EXPECT_TRUE(refused(18, 0x80000000u, 4));          // negative width
    EXPECT_TRUE(refused(18, 0x7FFFFFFFu, 4));          // absurd width
    EXPECT_TRUE(refused(22, 0, 4));                    // height 0
    EXPECT_TRUE(refused(22, 0x80000000u, 4));          // most negative height
    EXPECT_TRUE(refused(22, 5, 4));                    // one row more than stored
    EXPECT_TRUE(refused(10, 0xFFFFFFFFu, 4));          // pixels past the end
    EXPECT_TRUE(refused(10, 60, 4));                   // pixels run past the end
    EXPECT_TRUE(refused(10, 20, 4));                   // pixels inside the headers
    EXPECT_FALSE(parseBmp24(nullptr, 100, image));
}

TEST(BitmapTexels, BottomRowOfThePictureBecomesTextureRowZero)
{
    const int n = 4;
    const auto bytes = buildBmp24(n, n, coordinatePixel);
    const std::vector<float> texels = bitmapTexels(bytes.data(), bytes.size(), n);
    ASSERT_EQ(texels.size(), static_cast<std::size_t>(n * n * 4));
    auto texel = [&](int row, int column) { return &texels[4 * (row * n + column)]; };
    // Top-left pixel (0, 0): last texture row, column 0.
    EXPECT_FLOAT_EQ(texel(n - 1, 0)[0], 0.0f);
    EXPECT_FLOAT_EQ(texel(n - 1, 0)[1], 0.0f / 255.0f);
    // Bottom-left pixel (0, 3): texture row 0, column 0.
    EXPECT_FLOAT_EQ(texel(0, 0)[1], 3.0f / 255.0f);
    // Pixel (2, 1): row n − 1 − 1, column 2.
    EXPECT_FLOAT_EQ(texel(2, 2)[0], 2.0f / 255.0f);
    EXPECT_FLOAT_EQ(texel(2, 2)[1], 1.0f / 255.0f);
    EXPECT_FLOAT_EQ(texel(2, 2)[2], 7.0f / 255.0f);
    EXPECT_EQ(texel(2, 2)[3], 1.0f);
}

TEST(BitmapTexels, PixelsOutsideASmallerPictureAndInvalidBytesReadAsOpaqueBlack)
{
    const auto bytes = buildBmp24(2, 2, [](int, int) { return 0x00FFFFFFu; });
    const std::vector<float> texels = bitmapTexels(bytes.data(), bytes.size(), 4);
    // Texture row 0 reads picture row 3, which does not exist.
    EXPECT_EQ(texels[0], 0.0f);
    EXPECT_EQ(texels[3], 1.0f);
    // Texture row 3 reads picture row 0: columns 0 and 1 are white, 2 is outside.
    EXPECT_EQ(texels[4 * (3 * 4 + 1)], 1.0f);
    EXPECT_EQ(texels[4 * (3 * 4 + 2)], 0.0f);

    const std::uint8_t junk[10] = {'B', 'M'};
    const std::vector<float> black = bitmapTexels(junk, sizeof junk, 2);
    ASSERT_EQ(black.size(), 16u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(black[4 * i], 0.0f);
        EXPECT_EQ(black[4 * i + 3], 1.0f);
    }
    EXPECT_TRUE(bitmapTexels(nullptr, 0, 0).empty());
}

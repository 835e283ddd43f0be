// The About picture's BMP reader: layout rules and the checks that keep a bad
// file from being read out of bounds.
#include <gtest/gtest.h>

#include "about/bmp_decoder.h"
#include "platform/resources.h"

#include <cstdint>
#include <limits>
#include <vector>

namespace {

struct BmpLayout {
    std::int32_t width = 3;
    std::int32_t height = 2;  // negative: top-down rows
    std::uint16_t bits = 24;
    std::uint32_t compression = 0;
    std::uint32_t infoSize = 40;
    std::int64_t pixelOffsetShift = 0;  // added to the natural pixel offset
    std::int64_t sizeShift = 0;         // bytes added to (or cut from) the end
};

void put16(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v)
{
    b[at] = v & 0xFF;
    b[at + 1] = (v >> 8) & 0xFF;
}

void put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v)
{
    put16(b, at, v & 0xFFFF);
    put16(b, at + 2, v >> 16);
}

// Pixel (x, y) of stored row r has blue x*10+r, green 100+x, red 200+r; the
// padding bytes are 0xEE so that reading them shows up.
std::vector<std::uint8_t> makeBmp(const BmpLayout& layout)
{
    const std::size_t rows = layout.height < 0 ? static_cast<std::size_t>(-static_cast<std::int64_t>(layout.height))
                                             : static_cast<std::size_t>(layout.height);
    // The pixel rows follow the header's width; a nonsense width gets none.
    const std::int32_t columns = layout.width > 0 ? layout.width : 0;
    const std::size_t stride = (static_cast<std::size_t>(columns) * 3 + 3) & ~std::size_t{3};
    const std::size_t offset = 14 + layout.infoSize;
    std::vector<std::uint8_t> b(offset + stride * rows, 0);
    b[0] = 'B';
    b[1] = 'M';
    put32(b, 2, static_cast<std::uint32_t>(b.size()));
    put32(b, 10, static_cast<std::uint32_t>(static_cast<std::int64_t>(offset) + layout.pixelOffsetShift));
    put32(b, 14, layout.infoSize);
    put32(b, 18, static_cast<std::uint32_t>(layout.width));
    put32(b, 22, static_cast<std::uint32_t>(layout.height));
    put16(b, 26, 1);
    put16(b, 28, layout.bits);
    put32(b, 30, layout.compression);
    for (std::size_t r = 0; r < rows; ++r) {
        std::uint8_t* row = &b[offset + r * stride];
        for (std::size_t i = 0; i < stride; ++i)
            row[i] = 0xEE;
        for (std::int32_t x = 0; x < columns; ++x) {
            row[x * 3 + 0] = static_cast<std::uint8_t>(x * 10 + r);
            row[x * 3 + 1] = static_cast<std::uint8_t>(100 + x);
            row[x * 3 + 2] = static_cast<std::uint8_t>(200 + r);
        }
    }
    b.resize(static_cast<std::size_t>(static_cast<std::int64_t>(b.size()) + layout.sizeShift), 0);
    return b;
}

bool decodes(const BmpLayout& layout)
{
    const std::vector<std::uint8_t> bytes = makeBmp(layout);
    DecodedBitmap out;
    return decodeBmp24(bytes.data(), bytes.size(), out);
}

} // namespace

TEST(BmpDecoder, BottomUpRowsComeOutTopFirstAsRgbWithoutPadding)
{
    const std::vector<std::uint8_t> bytes = makeBmp({});  // 3 × 2: 9 bytes a row, 3 of padding
    DecodedBitmap out;
    ASSERT_TRUE(decodeBmp24(bytes.data(), bytes.size(), out));
    EXPECT_EQ(out.width, 3);
    EXPECT_EQ(out.height, 2);
    ASSERT_EQ(out.rgb.size(), 18u);
    // Top row is stored row 1.
    EXPECT_EQ(out.rgb[0], 201);  // red
    EXPECT_EQ(out.rgb[1], 100);  // green
    EXPECT_EQ(out.rgb[2], 1);    // blue
    EXPECT_EQ(out.rgb[6], 201);
    EXPECT_EQ(out.rgb[8], 21);
    // Second row is stored row 0, starting right after 3 pixels (no padding).
    EXPECT_EQ(out.rgb[9], 200);
    EXPECT_EQ(out.rgb[11], 0);
    EXPECT_EQ(out.rgb[17], 20);
}

TEST(BmpDecoder, NegativeHeightMeansTopDownRows)
{
    BmpLayout layout;
    layout.height = -2;
    const std::vector<std::uint8_t> bytes = makeBmp(layout);
    DecodedBitmap out;
    ASSERT_TRUE(decodeBmp24(bytes.data(), bytes.size(), out));
    EXPECT_EQ(out.height, 2);
    EXPECT_EQ(out.rgb[0], 200);  // stored row 0 stays on top
    EXPECT_EQ(out.rgb[9], 201);
}

TEST(BmpDecoder, LongerInfoHeadersAndTrailingBytesAreAccepted)
{
    BmpLayout layout;
    layout.infoSize = 124;  // BITMAPV5HEADER
    layout.sizeShift = 7;
    EXPECT_TRUE(decodes(layout));
}

TEST(BmpDecoder, RejectsWhatItCannotReadSafely)
{
    DecodedBitmap out;
    out.width = 77;
    EXPECT_FALSE(decodeBmp24(nullptr, 100, out));
    std::vector<std::uint8_t> bytes = makeBmp({});
    EXPECT_FALSE(decodeBmp24(bytes.data(), 53, out)) << "shorter than the two headers";
    bytes[0] = 'X';
    EXPECT_FALSE(decodeBmp24(bytes.data(), bytes.size(), out)) << "not a BMP";
    EXPECT_EQ(out.width, 77) << "a failed decode leaves the output alone";

    BmpLayout layout;
    layout.bits = 32;
    EXPECT_FALSE(decodes(layout)) << "32 bits per pixel";
    layout = {};
    layout.bits = 8;
    EXPECT_FALSE(decodes(layout)) << "palette picture";
    layout = {};
    layout.compression = 1;
    EXPECT_FALSE(decodes(layout)) << "RLE";
    layout = {};
    layout.infoSize = 12;
    EXPECT_FALSE(decodes(layout)) << "OS/2 core header";
}

TEST(BmpDecoder, RejectsSizesAndOffsetsThatPointOutsideTheData)
{
    BmpLayout layout;
    layout.sizeShift = -1;
    EXPECT_FALSE(decodes(layout)) << "last pixel row cut short by one byte";
    layout = {};
    layout.pixelOffsetShift = 1;
    EXPECT_FALSE(decodes(layout)) << "pixel rows run one byte past the end";
    layout = {};
    layout.pixelOffsetShift = -2;
    EXPECT_FALSE(decodes(layout)) << "pixels overlapping the headers";

    // Headers that claim more than the bytes hold (the file stays tiny).
    std::vector<std::uint8_t> bytes = makeBmp({});
    DecodedBitmap out;
    put32(bytes, 14, 4000);
    EXPECT_FALSE(decodeBmp24(bytes.data(), bytes.size(), out)) << "info header past the end";
    bytes = makeBmp({});
    put32(bytes, 10, 0xFFFFFFF0u);
    EXPECT_FALSE(decodeBmp24(bytes.data(), bytes.size(), out)) << "pixel offset near 4 GiB";
    bytes = makeBmp({});
    put32(bytes, 18, 0x7FFFFFFF);
    EXPECT_FALSE(decodeBmp24(bytes.data(), bytes.size(), out)) << "huge width";
    bytes = makeBmp({});
    put32(bytes, 22, static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::min()));
    EXPECT_FALSE(decodeBmp24(bytes.data(), bytes.size(), out)) << "most negative height";
    bytes = makeBmp({});
    put32(bytes, 22, 1000);
    EXPECT_FALSE(decodeBmp24(bytes.data(), bytes.size(), out)) << "more rows than bytes";

    layout = {};
    layout.width = 0;
    EXPECT_FALSE(decodes(layout)) << "empty";
    layout = {};
    layout.width = -3;
    EXPECT_FALSE(decodes(layout)) << "negative width";
    layout = {};
    layout.height = 0;
    EXPECT_FALSE(decodes(layout)) << "no rows";

    // Whole, well-formed pictures that are simply too large for the window.
    layout = {};
    layout.width = kMaxBitmapSide + 1;
    layout.height = 1;
    EXPECT_FALSE(decodes(layout)) << "one column too wide";
    layout.width = kMaxBitmapSide;
    EXPECT_TRUE(decodes(layout)) << "the widest picture taken";
    layout = {};
    layout.width = 1;
    layout.height = -(kMaxBitmapSide + 1);
    EXPECT_FALSE(decodes(layout)) << "one top-down row too tall";
}

TEST(BmpDecoder, TheEmbeddedAboutPictureIs110By83)
{
    const ResourceBytes bytes = findResource(101, kBitmapType);
    ASSERT_TRUE(bytes) << "bitmap 101 is not embedded";
    DecodedBitmap out;
    ASSERT_TRUE(decodeBmp24(bytes.data, bytes.size, out));
    EXPECT_EQ(out.width, 110);
    EXPECT_EQ(out.height, 83);
}

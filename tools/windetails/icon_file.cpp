#include "icon_file.h"

#include <fstream>

namespace {

void put16(std::vector<std::uint8_t>& out, unsigned value)
{
    out.push_back(value & 0xFF);
    out.push_back((value >> 8) & 0xFF);
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

// One image as an icon file holds it: a BITMAPINFOHEADER whose height counts
// the colour rows and the mask rows, the BGRA rows from the bottom up, then
// the mask (a set bit is a transparent pixel), rows padded to 32 bits.
std::vector<std::uint8_t> iconImage(const RgbaPicture& picture)
{
    const int size = picture.size;
    const int maskRowBytes = (size + 31) / 32 * 4;
    std::vector<std::uint8_t> out;
    put32(out, 40);             // header size
    put32(out, size);           // width
    put32(out, 2 * size);       // height: colour and mask
    put16(out, 1);              // planes
    put16(out, 32);             // bits per pixel
    put32(out, 0);              // BI_RGB
    put32(out, size * size * 4 + maskRowBytes * size);
    for (int i = 0; i < 4; ++i)
        put32(out, 0);  // resolution, palette
    for (int y = size - 1; y >= 0; --y) {
        for (int x = 0; x < size; ++x) {
            const std::uint8_t* p = &picture.pixels[(static_cast<std::size_t>(y) * size + x) * 4];
            out.insert(out.end(), {p[2], p[1], p[0], p[3]});
        }
    }
    for (int y = size - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(maskRowBytes, 0);
        for (int x = 0; x < size; ++x) {
            if (picture.pixels[(static_cast<std::size_t>(y) * size + x) * 4 + 3] == 0)
                row[x / 8] |= 0x80 >> (x % 8);
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

} // namespace

std::vector<std::uint8_t> iconFile(const std::vector<RgbaPicture>& pictures)
{
    std::vector<std::vector<std::uint8_t>> images;
    for (const RgbaPicture& picture : pictures)
        images.push_back(iconImage(picture));

    std::vector<std::uint8_t> out;
    put16(out, 0);  // reserved
    put16(out, 1);  // an icon, not a cursor
    put16(out, static_cast<unsigned>(images.size()));
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        const int size = pictures[i].size;
        out.push_back(size >= 256 ? 0 : size);  // 0 stands for 256
        out.push_back(size >= 256 ? 0 : size);
        out.push_back(0);  // no palette
        out.push_back(0);
        put16(out, 1);   // planes
        put16(out, 32);  // bits per pixel
        put32(out, static_cast<std::uint32_t>(images[i].size()));
        put32(out, offset);
        offset += static_cast<std::uint32_t>(images[i].size());
    }
    for (const auto& image : images)
        out.insert(out.end(), image.begin(), image.end());
    return out;
}

bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file.flush());
}

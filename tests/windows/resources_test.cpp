// The resource table of the Windows program, as a resource reader lists it:
// every asset the program loads, with its id and type, and what the file
// tells Windows about itself (version resource, string 1, icon group).
#include <gtest/gtest.h>

#include "about/about_facts.h"
#include "app/window_icon.h"
#include "tests/windows/wine_run.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

TEST(WindowsResources, EveryAssetIsAResourceOfItsIdAndType)
{
    const std::string listing = wine::freshFolder("windows_resources") + "/listing.txt";
    ASSERT_EQ(e2e::run({"sh", "-c", "wrestool -l \"$0\" > \"$1\"", wine::scrPath(), listing}), 0);
    std::ifstream in(listing);
    std::set<std::string> found;
    std::string line;
    while (std::getline(in, line)) {
        // --type='TEXTFILE' --name=136 ...   or   --type=2 --name=101 ... [type=bitmap ...]
        std::istringstream fields(line);
        std::string type, name;
        fields >> type >> name;
        found.insert(type.substr(7) + " " + name.substr(7));
    }
    std::set<std::string> expected;
    for (int id : {101, 167, 168})
        expected.insert("2 " + std::to_string(id));  // RT_BITMAP
    expected.insert("'WAVE' 173");
    // What the file tells about itself: icon group 1 of four icons, the
    // string block holding string 1, the version resource.
    for (int id : {1, 2, 3, 4})
        expected.insert("3 " + std::to_string(id));  // RT_ICON
    expected.insert("14 1");                         // RT_GROUP_ICON
    expected.insert("6 1");                          // RT_STRING, strings 0 to 15
    expected.insert("16 1");                         // RT_VERSION
    for (int id : {136, 137, 140, 141, 158, 159, 160, 161, 162, 163, 164, 165, 169, 170, 171, 172, 174, 175, 176, 178})
        expected.insert("'TEXTFILE' " + std::to_string(id));
    EXPECT_EQ(found, expected);
}

TEST(WindowsResources, TheProgramNeedsNoDllBesideTheSystemsOwn)
{
    const std::string listing = wine::freshFolder("windows_imports") + "/imports.txt";
    ASSERT_EQ(e2e::run({"sh", "-c", "x86_64-w64-mingw32-objdump -p \"$0\" > \"$1\"", wine::scrPath(), listing}), 0);
    std::ifstream in(listing);
    std::set<std::string> dlls;
    std::string line;
    while (std::getline(in, line)) {
        const auto at = line.find("DLL Name: ");
        if (at != std::string::npos)
            dlls.insert(line.substr(at + 10));
    }
    const std::set<std::string> system{"DSOUND.dll", "GDI32.dll", "KERNEL32.dll", "msvcrt.dll", "SHELL32.dll",
                                       "USER32.dll"};
    EXPECT_EQ(dlls, system) << "no C++ runtime, libgcc, thread, GLFW or epoxy DLL";
}

namespace {

std::vector<std::uint8_t> readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The raw bytes of one resource of the program.
std::vector<std::uint8_t> resource(const std::string& folder, int type, int name)
{
    const std::string out = folder + "/resource-" + std::to_string(type) + "-" + std::to_string(name);
    const std::string command = "wrestool -x --raw --type=" + std::to_string(type) + " --name=" +
                                std::to_string(name) + " \"$0\" > \"$1\"";
    EXPECT_EQ(e2e::run({"sh", "-c", command, wine::scrPath(), out}), 0);
    return readBytes(out);
}

unsigned word(const std::vector<std::uint8_t>& data, std::size_t at)
{
    return at + 1 < data.size() ? data[at] | data[at + 1] << 8 : 0;
}

// UTF-16 text of count units at at, as UTF-8 (the two-byte forms suffice for
// the texts here: ASCII and the copyright sign).
std::string utf8(const std::vector<std::uint8_t>& data, std::size_t at, std::size_t count)
{
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        const unsigned unit = word(data, at + 2 * i);
        if (unit < 0x80) {
            text += static_cast<char>(unit);
        } else {
            text += static_cast<char>(0xC0 | unit >> 6);
            text += static_cast<char>(0x80 | (unit & 0x3F));
        }
    }
    return text;
}

struct VersionResource {
    std::vector<std::uint32_t> fixed;           // VS_FIXEDFILEINFO, 13 numbers
    std::map<std::string, std::string> texts;  // the string values by key
};

// Walks the version resource's nodes (length, value length, type, key,
// value, children; each part 4-aligned from the start) from begin to end.
void readNodes(const std::vector<std::uint8_t>& data, std::size_t begin, std::size_t end, VersionResource& out)
{
    const auto aligned = [](std::size_t at) { return (at + 3) & ~std::size_t{3}; };
    for (std::size_t at = begin; at + 6 <= end;) {
        const unsigned length = word(data, at), valueLength = word(data, at + 2), isText = word(data, at + 4);
        if (length < 6)
            return;
        const std::size_t nodeEnd = std::min(end, at + length);
        std::size_t keyEnd = at + 6;
        while (keyEnd + 1 < nodeEnd && word(data, keyEnd) != 0)
            keyEnd += 2;
        const std::string key = utf8(data, at + 6, (keyEnd - at - 6) / 2);
        const std::size_t value = aligned(keyEnd + 2);
        if (key == "VS_VERSION_INFO") {
            for (std::size_t i = 0; i < 13 && valueLength == 52; ++i)
                out.fixed.push_back(word(data, value + 4 * i) | word(data, value + 4 * i + 2) << 16);
        } else if (isText == 1 && valueLength > 0) {
            out.texts[key] = utf8(data, value, valueLength - 1);  // without the terminator
        }
        readNodes(data, aligned(value + (isText == 1 ? 2 * valueLength : valueLength)), nodeEnd, out);
        at = aligned(nodeEnd);
    }
}

} // namespace

TEST(WindowsResources, TheFileNamesTheProgramItsMakerAndTheBuildsVersion)
{
    const std::string folder = wine::freshFolder("windows_file_details");
    const std::vector<std::uint8_t> data = resource(folder, 16, 1);
    VersionResource version;
    readNodes(data, 0, data.size(), version);

    const std::string notice = about::kNoticeText;
    const std::map<std::string, std::string> expected{
        {"CompanyName", about::kMaker},
        {"FileDescription", "Tarnwick"},
        {"FileVersion", TARNWICK_VERSION},
        {"InternalName", "tarnwick"},
        {"LegalCopyright", notice.substr(0, notice.find("\r\n"))},
        {"OriginalFilename", "tarnwick.scr"},
        {"ProductName", "Tarnwick"},
        {"ProductVersion", TARNWICK_VERSION},
    };
    EXPECT_EQ(version.texts, expected);

    // The fixed part: signature, then file and product version as numbers.
    unsigned numbers[4] = {0, 0, 0, 0};
    std::sscanf(TARNWICK_VERSION, "%u.%u.%u.%u", &numbers[0], &numbers[1], &numbers[2], &numbers[3]);
    const std::uint32_t high = numbers[0] << 16 | numbers[1], low = numbers[2] << 16 | numbers[3];
    ASSERT_EQ(version.fixed.size(), 13u);
    EXPECT_EQ(version.fixed[0], 0xFEEF04BDu);
    EXPECT_EQ(std::vector<std::uint32_t>(version.fixed.begin() + 2, version.fixed.begin() + 6),
              (std::vector<std::uint32_t>{high, low, high, low}));

    // String block 1 holds strings 0 to 15, each a length and its UTF-16
    // units: string 0 is empty, string 1 the name Screen Saver Settings list.
    const std::vector<std::uint8_t> strings = resource(folder, 6, 1);
    ASSERT_EQ(word(strings, 0), 0u);
    EXPECT_EQ(utf8(strings, 4, word(strings, 2)), "Tarnwick");
}

TEST(WindowsResources, TheIconGroupIsTheWindowIconsPictureAtFourSizes)
{
    const std::string folder = wine::freshFolder("windows_file_icon");
    const std::string icon = folder + "/tarnwick.ico";
    ASSERT_EQ(e2e::run({"wrestool", "-x", "--type=14", "--name=1", "-o", icon, wine::scrPath()}), 0);
    ASSERT_EQ(e2e::run({"sh", "-c", "icotool -l \"$0\" > \"$1\"", icon, folder + "/sizes.txt"}), 0);
    std::ifstream listing(folder + "/sizes.txt");
    std::set<std::string> sizes;
    for (std::string line; std::getline(listing, line);)
        sizes.insert(line.substr(line.find("--width")));
    const std::set<std::string> expected{"--width=16 --height=16 --bit-depth=32 --palette-size=0",
                                         "--width=32 --height=32 --bit-depth=32 --palette-size=0",
                                         "--width=48 --height=48 --bit-depth=32 --palette-size=0",
                                         "--width=256 --height=256 --bit-depth=32 --palette-size=0"};
    EXPECT_EQ(sizes, expected);

    // The 32-pixel image is the 64-pixel window icon halved: where a 2 × 2
    // block of the picture is one colour, the icon's pixel is that colour.
    const std::string raw = folder + "/icon32.rgba";
    ASSERT_EQ(e2e::run({"sh", "-c", "icotool -x -w 32 -o \"$1\" \"$0\" && convert \"$1\" \"rgba:$2\"", icon,
                        folder + "/icon32.png", raw}),
              0);
    const std::vector<std::uint8_t> small = readBytes(raw);
    ASSERT_EQ(small.size(), 32u * 32u * 4u);
    std::vector<std::uint8_t> picture(kIconBytes);
    iconColumnsToRows(windowIconColumns(), picture.data());
    const auto pixel = [&](int x, int y) {
        const std::uint8_t* p = &picture[(static_cast<std::size_t>(y) * kIconSize + x) * 4];
        return std::vector<int>(p, p + 4);
    };
    int uniform = 0, matching = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const auto corner = pixel(2 * x, 2 * y);
            if (corner != pixel(2 * x + 1, 2 * y) || corner != pixel(2 * x, 2 * y + 1) ||
                corner != pixel(2 * x + 1, 2 * y + 1))
                continue;
            ++uniform;
            const std::uint8_t* p = &small[(static_cast<std::size_t>(y) * 32 + x) * 4];
            // Fully transparent pixels carry no colour.
            matching += corner[3] == 0 ? p[3] == 0 : std::vector<int>(p, p + 4) == corner;
        }
    }
    EXPECT_GT(uniform, 32 * 32 * 3 / 4) << "most blocks of the picture are of one colour";
    EXPECT_EQ(matching, uniform);
}

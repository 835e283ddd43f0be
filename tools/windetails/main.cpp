// windetails: writes what the Windows program tells about itself.
//
//   windetails icon OUT.ico                       the window icon's picture at 16, 32, 48 and 256 pixels
//   windetails resources VERSION ICON.ico OUT.rc  icon group, string 1 and version resource
//   windetails installer OUT.wxi                  the installer's product name, maker and home page
#include "details_text.h"
#include "icon_file.h"

#include <cstdio>
#include <string>

namespace {

constexpr int kIconSizes[] = {16, 32, 48, 256};

bool writeText(const std::string& path, const std::string& text)
{
    return writeFile(path, std::vector<std::uint8_t>(text.begin(), text.end()));
}

int usage()
{
    std::fprintf(stderr, "usage: windetails icon OUT.ico | resources VERSION ICON.ico OUT.rc | installer OUT.wxi\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return usage();
    const std::string command = argv[1];
    bool written = false;
    if (command == "icon" && argc == 3) {
        const RgbaPicture picture = windowIconPicture();
        std::vector<RgbaPicture> pictures;
        for (int size : kIconSizes)
            pictures.push_back(scaledPicture(picture, size));
        written = writeFile(argv[2], iconFile(pictures));
    } else if (command == "resources" && argc == 5) {
        if (versionNumbers(argv[2]).empty()) {
            std::fprintf(stderr, "windetails: the version '%s' is not one to four dotted numbers\n", argv[2]);
            return 1;
        }
        written = writeText(argv[4], resourceScript(argv[2], argv[3]));
    } else if (command == "installer" && argc == 3) {
        written = writeText(argv[2], installerFacts());
    } else {
        return usage();
    }
    if (!written) {
        std::fprintf(stderr, "windetails: cannot write %s\n", argv[argc - 1]);
        return 1;
    }
    return 0;
}

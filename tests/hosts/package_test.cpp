// `make deb`: the Debian package as a user installs it, and lintian's verdict.
#include <gtest/gtest.h>

#include "tests/hosts/host_support.h"

#include <string>
#include <vector>

using namespace hosts;

namespace {

// The lines of text that hold needle.
std::vector<std::string> linesWith(const std::string& text, const std::string& needle)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        const std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (line.find(needle) != std::string::npos)
            lines.push_back(line);
        start = end == std::string::npos ? text.size() : end + 1;
    }
    return lines;
}

} // namespace

TEST(DebianPackage, HoldsTheInstalledFilesDependsOnWhatTheProgramLinksAndPassesLintian)
{
    TempDir out("deb");
    const Output cpack = capture({"cpack", "-G", "DEB", "--config", TARNWICK_BUILD_DIR "/CPackConfig.cmake", "-B",
                                  out.path()},
                                 {}, 300.0);
    ASSERT_EQ(cpack.status, 0) << cpack.out << cpack.err;
    const std::string arch = capture({"dpkg", "--print-architecture"}).out;
    const std::string deb = out.path() + "/tarnwick_" TARNWICK_VERSION "_" + arch.substr(0, arch.find('\n')) + ".deb";

    // The files at their places under /usr, owned by root.
    const Output contents = capture({"dpkg-deb", "--contents", deb});
    ASSERT_EQ(contents.status, 0) << contents.err;
    std::vector<std::string> files;
    for (const std::string& line : linesWith(contents.out, "./usr/")) {
        if (line[0] == '-')
            files.push_back(line.substr(line.find("./usr/") + 1));
        EXPECT_NE(line.find(" root/root "), std::string::npos) << line;
    }
    const std::vector<std::string> expected{
        "/usr/libexec/xscreensaver/tarnwick",
        "/usr/share/applications/screensavers/tarnwick.desktop",
        "/usr/share/doc/tarnwick/changelog.gz",
        "/usr/share/doc/tarnwick/copyright",
        "/usr/share/man/man6/tarnwick.6.gz",
        "/usr/share/xscreensaver/config/tarnwick.xml",
    };
    EXPECT_EQ(files, expected);
    // The theme entry names the program where the package puts it.
    const Output entry = capture({"sh", "-c",
                                  "dpkg-deb --fsys-tarfile \"$0\" | tar -xOf - "
                                  "./usr/share/applications/screensavers/tarnwick.desktop",
                                  deb});
    EXPECT_NE(entry.out.find("\nExec=/usr/libexec/xscreensaver/tarnwick --root\n"), std::string::npos) << entry.out;
    EXPECT_NE(entry.out.find("\nTryExec=/usr/libexec/xscreensaver/tarnwick\n"), std::string::npos) << entry.out;

    auto field = [&](const char* name) {
        const std::string value = capture({"dpkg-deb", "--field", deb, name}).out;
        return value.substr(0, value.find('\n'));
    };
    EXPECT_EQ(field("Package"), "tarnwick");
    EXPECT_EQ(field("Version"), TARNWICK_VERSION);
    EXPECT_EQ(field("Recommends"), "xscreensaver");
    // Worked out from the program's shared libraries, not written by hand.
    const std::string depends = field("Depends");
    for (const char* library : {"libc6", "libglfw3", "libepoxy0", "libopenal1", "libfltk1.3", "libx11-6"})
        EXPECT_NE(depends.find(library), std::string::npos) << library << " in " << depends;

    const Output lintian = capture({"lintian", "--fail-on", "error", deb}, {}, 300.0);
    EXPECT_EQ(lintian.status, 0) << lintian.out << lintian.err;
    EXPECT_TRUE(linesWith(lintian.out, "E: ").empty()) << lintian.out;
}

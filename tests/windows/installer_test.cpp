// The Windows Installer package under Wine's msiexec, as an administrator
// deploys it: a silent install puts the program into the 64-bit system folder
// and an entry into Programs and Features, the installed program runs, a
// newer package replaces it (an older one then refuses to install), and a
// silent removal takes everything away.
// One Wine prefix of its own (a copy of the tests' prefix) for the whole run.
#include <gtest/gtest.h>

#include "about/about_facts.h"
#include "tests/support/clock_reading.h"
#include "tests/windows/wine_run.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string contents(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The Programs and Features entries whose DisplayName is the product's: each
// entry's values by name ("DisplayVersion", "Publisher", ...).
using Entry = std::map<std::string, std::string>;
std::vector<Entry> productEntries(const std::map<std::string, std::string>& env)
{
    e2e::Process query(
        wine::command({"reg", "query", "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall", "/s"}), env);
    EXPECT_TRUE(query.wait(60.0)) << "reg query did not end";
    std::vector<Entry> entries;
    std::istringstream lines(query.out());
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.rfind("HKEY_", 0) == 0) {
            entries.emplace_back();
            continue;
        }
        // "    Name    REG_SZ    Value"
        std::istringstream fields(line);
        std::string name, type;
        if (entries.empty() || !(fields >> name >> type))
            continue;
        std::string value;
        std::getline(fields >> std::ws, value);
        entries.back()[name] = value;
    }
    std::erase_if(entries, [](const Entry& entry) {
        return !entry.contains("DisplayName") || entry.at("DisplayName") != about::kProductName;
    });
    return entries;
}

// The icons Windows Installer keeps for Programs and Features.
std::vector<std::string> productIcons(const fs::path& prefix)
{
    std::vector<std::string> icons;
    const fs::path folder = prefix / "drive_c/windows/Installer";
    if (fs::exists(folder)) {
        for (const auto& file : fs::recursive_directory_iterator(folder)) {
            if (file.path().extension() == ".ico")
                icons.push_back(contents(file.path()));
        }
    }
    return icons;
}

// The test's copy of the Wine prefix, removed (it is large) when the test ends.
struct PrefixCopy {
    fs::path path;
    ~PrefixCopy() { fs::remove_all(path); }
};

// A version above the build's: its first number plus one.
std::string higherVersion() { return std::to_string(std::stoi(TARNWICK_VERSION) + 1) + ".0"; }

} // namespace

TEST(WindowsInstaller, SilentInstallRunUpgradeAndRemoval)
{
    const std::string folder = wine::freshFolder("windows_installer");
    const PrefixCopy copy{fs::path(folder) / "prefix"};
    const fs::path& prefix = copy.path;
    ASSERT_EQ(e2e::run({"cp", "-a", wine::prefixPath(), prefix.string()}, {}, 180.0), 0);
    const std::string newer = folder + "/tarnwick-" + higherVersion() + ".msi";
    ASSERT_EQ(e2e::run({"sh", TARNWICK_MAKE_MSI, higherVersion(), newer}, {}, 120.0), 0);

    e2e::VirtualDisplay display({"1280x720x24"});
    ASSERT_TRUE(display.ok());
    wine::Session session(prefix.string());
    std::map<std::string, std::string> env = wine::environment(display);
    env["WINEPREFIX"] = prefix.string();
    const fs::path installed = prefix / "drive_c/windows/system32/tarnwick.scr";
    const std::string program = contents(wine::scrPath());
    const std::string icon = contents(TARNWICK_WINDOWS_ICON);
    ASSERT_FALSE(program.empty());

    struct Step {
        const char* what;
        std::vector<std::string> msiexec;
        bool succeeds;
        bool installedAfter;
        const char* versionAfter;  // of the one entry; null when there is none
        bool runInstalled;
    };
    const std::string higher = higherVersion();
    const Step steps[] = {
        {"install", {"/i", TARNWICK_WINDOWS_MSI, "/qn"}, true, true, TARNWICK_VERSION, true},
        {"upgrade", {"/i", newer, "/qn"}, true, true, higher.c_str(), false},
        {"no downgrade", {"/i", TARNWICK_WINDOWS_MSI, "/qn"}, false, true, higher.c_str(), false},
        {"remove", {"/x", newer, "/qn"}, true, false, nullptr, false},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        std::vector<std::string> argv{"msiexec"};
        argv.insert(argv.end(), step.msiexec.begin(), step.msiexec.end());
        const int status = e2e::run(wine::command(argv), env, 180.0);
        if (step.succeeds)
            ASSERT_EQ(status, 0);
        else
            EXPECT_GT(status, 0) << "msiexec reported success";

        const std::vector<Entry> entries = productEntries(env);
        if (!step.installedAfter) {
            EXPECT_FALSE(fs::exists(installed));
            EXPECT_TRUE(entries.empty());
            EXPECT_TRUE(productIcons(prefix).empty());
            continue;
        }
        EXPECT_EQ(contents(installed), program) << "the installed file is not the built program";
        ASSERT_EQ(entries.size(), 1u) << "one Programs and Features entry";
        const Entry& entry = entries.front();
        EXPECT_EQ(entry.at("DisplayVersion"), step.versionAfter);
        EXPECT_EQ(entry.at("Publisher"), about::kMaker);
        EXPECT_EQ(entry.at("URLInfoAbout"), about::kMakerHome);
        EXPECT_EQ(productIcons(prefix), std::vector<std::string>{icon});

        if (step.runInstalled) {
            // The installed program, started as Screen Saver Settings start it.
            e2e::Process run(wine::command({"C:\\windows\\system32\\tarnwick.scr", "/s"}), env);
            ASSERT_TRUE(wine::frameShown(wine::waitForFrame(display, run, 90.0))) << run.err();
            e2e::pause(1.0);
            const e2e::Image shot = e2e::grabScreen(display);
            EXPECT_TRUE(shot.savePng(e2e::artefactPath("windows_installed_clock.png")));
            expectClockPicture(shot);
            e2e::pressKey(display, "a");
            EXPECT_TRUE(run.wait(15.0)) << "a key did not end the installed program";
        }
    }
}

#include "tests/support/dummy_xorg.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace e2e {

namespace {

// One device with room for two 1280 × 720 monitors side by side, and the
// modes the tests switch between.
constexpr const char* kConfiguration = R"(Section "ServerFlags"
    Option "AutoAddDevices" "false"
    Option "AutoEnableDevices" "false"
    Option "DontVTSwitch" "true"
EndSection
Section "Device"
    Identifier "dummy"
    Driver "dummy"
    VideoRam 256000
EndSection
Section "Monitor"
    Identifier "monitor"
    HorizSync 5.0 - 1000.0
    VertRefresh 5.0 - 200.0
    Modeline "1280x720" 74.25 1280 1390 1430 1650 720 725 730 750 +hsync +vsync
    Modeline "640x360" 18.00 640 672 736 832 360 363 368 376 -hsync +vsync
EndSection
Section "Screen"
    Identifier "screen"
    Device "dummy"
    Monitor "monitor"
    DefaultDepth 24
    SubSection "Display"
        Depth 24
        Modes "1280x720"
        Virtual 2560 720
    EndSubSection
EndSection
)";

bool executableOnPath(const std::string& name)
{
    return run({"sh", "-c", "command -v " + name + " >/dev/null"}) == 0;
}

} // namespace

std::string DummyXorg::unavailableBecause()
{
    if (geteuid() != 0)
        return "the X server with the dummy driver runs as root only";
    if (!executableOnPath("Xorg") || !executableOnPath("xrandr"))
        return "Xorg or xrandr is not installed";
    if (access("/usr/lib/xorg/modules/drivers/dummy_drv.so", R_OK) != 0)
        return "the dummy video driver is not installed";
    return "";
}

DummyXorg::DummyXorg()
{
    char folder[] = "/tmp/tarnwick-xorg-XXXXXX";
    if (mkdtemp(folder) == nullptr)
        return;
    m_dir = folder;
    std::ofstream(m_dir + "/xorg.conf") << kConfiguration;
    m_display = std::make_unique<VirtualDisplay>(VirtualDisplay::Server{
        {"Xorg", "-config", m_dir + "/xorg.conf", "-configdir", m_dir, "-logfile", m_dir + "/xorg.log",
         "-noreset", "-nolisten", "tcp", "-novtswitch", "-sharevts"}});
}

DummyXorg::~DummyXorg()
{
    m_display.reset();
    if (!m_dir.empty())
        run({"rm", "-rf", m_dir});
}

bool DummyXorg::xrandr(const std::vector<std::string>& arguments)
{
    std::vector<std::string> argv{"xrandr", "-display", m_display->name()};
    const std::vector<std::string> query = argv;
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    // The dummy driver tells an output's new connection only when asked to
    // look (as a desktop's display settings do after every change): until
    // then a monitor just switched on reads as disconnected.
    return run(argv) == 0 && run(query) == 0;
}

std::string DummyXorg::log() const
{
    std::ifstream in(m_dir + "/xorg.log");
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace e2e

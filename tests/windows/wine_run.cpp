#include "tests/windows/wine_run.h"

#include <sys/wait.h>

#include <filesystem>
#include <utility>

namespace wine {

namespace {

const char* const kWine = "/usr/lib/wine/wine64";
const char* const kWineServer = "/usr/lib/wine/wineserver";

} // namespace

std::string scrPath() { return TARNWICK_WINDOWS_SCR; }
std::string previewHostPath() { return TARNWICK_PREVIEW_HOST; }
std::string adoptProbePath() { return TARNWICK_ADOPT_PROBE; }
std::string changeDisplayModePath() { return TARNWICK_CHANGE_DISPLAY_MODE; }

std::vector<std::string> command(const std::vector<std::string>& windowsArgv)
{
    std::vector<std::string> argv{kWine};
    argv.insert(argv.end(), windowsArgv.begin(), windowsArgv.end());
    return argv;
}

std::map<std::string, std::string> environment(const e2e::VirtualDisplay& display, const std::string& home)
{
    std::map<std::string, std::string> env{{"DISPLAY", display.name()},
                                           {"WINEPREFIX", TARNWICK_WINE_PREFIX},
                                           {"WINEDEBUG", "-all"},
                                           {"WINEDLLOVERRIDES", "mscoree,mshtml="},
                                           {"TARNWICK_NO_DIALOGS", "1"}};
    if (!home.empty())
        env["HOME"] = home;
    return env;
}

std::unique_ptr<e2e::VirtualDisplay> twoMonitorDisplay()
{
    const std::string screen = std::to_string(2 * kMonitorWidth) + "x" + std::to_string(kMonitorHeight) + "x24";
    return std::make_unique<e2e::VirtualDisplay>(std::vector<std::string>{screen},
                                                 std::vector<std::string>{"-extension", "RANDR"});
}

std::map<std::string, std::string> withTwoMonitors(std::map<std::string, std::string> env)
{
    env["LD_LIBRARY_PATH"] = TARNWICK_TWO_HEADS_DIR;
    return env;
}

std::string prefixPath() { return TARNWICK_WINE_PREFIX; }

Session::Session() : m_prefix(TARNWICK_WINE_PREFIX) {}

Session::Session(std::string prefix) : m_prefix(std::move(prefix)) {}

Session::~Session()
{
    e2e::run({kWineServer, "-k"}, {{"WINEPREFIX", m_prefix}}, 20.0);
    e2e::run({kWineServer, "-w"}, {{"WINEPREFIX", m_prefix}}, 20.0);
}

bool frameShown(const e2e::Image& image) { return !image.empty() && image.at(100, 100)[0] > 10; }

e2e::Image waitForFrame(const e2e::VirtualDisplay& display, e2e::Process& program, double seconds)
{
    e2e::Image shot = e2e::grabScreen(display);
    for (double waited = 0.0; waited < seconds && program.running() && !frameShown(shot); waited += 0.5) {
        e2e::pause(0.5);
        shot = e2e::grabScreen(display);
    }
    return shot;
}

std::string startHost(e2e::Process& host, double seconds)
{
    for (double waited = 0.0; waited < seconds && host.running(); waited += 0.25) {
        const std::string out = host.out();
        const auto end = out.find('\n');
        if (end != std::string::npos)
            return out.substr(0, end);
        e2e::pause(0.25);
    }
    return {};
}

std::string freshFolder(const std::string& name)
{
    const std::filesystem::path folder = e2e::artefactPath(name);
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder.string();
}

int exitCode(int waitStatus) { return WIFEXITED(waitStatus) ? WEXITSTATUS(waitStatus) : -1; }

} // namespace wine

// Runs of the Windows program (tarnwick.scr) and its test helpers under Wine,
// on the tests' own virtual X servers.
#pragma once

#include "tests/support/e2e.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace wine {

// The cross-built program, the preview tests' stand-in host, the probe of
// the window adoption on a window of the probe's own process, and the helper
// that changes the display mode ("WIDTH HEIGHT").
std::string scrPath();
std::string previewHostPath();
std::string adoptProbePath();
std::string changeDisplayModePath();

// A command line run by Wine: the Windows program and its arguments.
std::vector<std::string> command(const std::vector<std::string>& windowsArgv);

// The environment of a Wine run on display: the tests' Wine prefix, no debug
// output from Wine, no message-box dialogs. home, when given, is the run's
// HOME (ALSA reads its .asoundrc there).
std::map<std::string, std::string> environment(const e2e::VirtualDisplay& display, const std::string& home = "");

// Two monitors side by side, 1280 × 720 each, for Wine: one 2560 × 720
// virtual screen without RandR (twoMonitorDisplay), and a Wine environment
// that finds the stand-in Xinerama library, which reports the screen's two
// halves as the heads (withTwoMonitors).
inline constexpr int kMonitorWidth = 1280;
inline constexpr int kMonitorHeight = 720;
std::unique_ptr<e2e::VirtualDisplay> twoMonitorDisplay();
std::map<std::string, std::string> withTwoMonitors(std::map<std::string, std::string> env);

// The Wine prefix the tests share (made once by make-wine-prefix).
std::string prefixPath();

// Ends every process of the tests' Wine prefix (or of prefix) when it goes out
// of scope, so that the next test starts Wine afresh on its own display.
class Session {
public:
    Session();
    explicit Session(std::string prefix);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

private:
    std::string m_prefix;
};

// Whether the screensaver has drawn a frame on image: its backdrop is never
// black. waitForFrame grabs display until one shows, program ends or seconds
// pass, and gives the last grab.
bool frameShown(const e2e::Image& image);
e2e::Image waitForFrame(const e2e::VirtualDisplay& display, e2e::Process& program, double seconds);

// Waits for the preview tests' stand-in host, started as host, to print its
// window handle; gives the handle, or an empty text when it did not.
std::string startHost(e2e::Process& host, double seconds = 60.0);

// A fresh, empty folder for one test (under the build's artefacts).
std::string freshFolder(const std::string& name);

// The exit status of a process that ended (its raw wait status), or -1 when it
// did not end normally.
int exitCode(int waitStatus);

} // namespace wine

// Process entry: parse the switches, then the About window or the screensaver.
#include "about/about_window.h"
#include "app/command_line.h"
#include "app/hosted_run.h"
#include "app/process_start.h"
#include "app/screensaver_run.h"
#include "platform/display.h"
#include "platform/message_box.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    soundStandardDescriptors();
    if (answerInformationRequest(argc, argv))
        return 0;
    const std::string text = joinArguments(argc, argv);
    g_commandLine = new CommandLine(parseCommandLine(text.c_str()));
    g_hostedRun = new HostedRun(parseHostedRun(argc, argv, std::getenv("XSCREENSAVER_WINDOW"),
                                               g_commandLine->mode == RunMode::None));
    for (const std::string& complaint : g_hostedRun->complaints)
        std::fprintf(stderr, "%s\n", complaint.c_str());

    // A screensaver daemon starts one run per monitor, each in its own window:
    // they run like "/s" runs, drawn into the daemon's window, and never take
    // the single-instance name.
    if (g_hostedRun->active) {
        installHostedSignalHandlers();
        // Under a daemon or a locker nobody can answer a box: failures go
        // to standard error only, and the run ends with status 0.
        showMessageDialogs(false);
        g_commandLine->mode = Screensaver;
    }

    if (g_commandLine->mode == Preview || g_commandLine->mode == RunMode::None) {
        if (!acquireSingleInstance())
            return 0;
    }
    if (g_commandLine->mode == Configure) {
        // The constructor runs the window until it is closed.
        const AboutWindow about;
        (void)about;
        return 0;
    }
    // Without a display nothing can be drawn or shown: say so once, plainly,
    // rather than through a cascade of windowing-library errors.
    if (!xDisplayAvailable()) {
        std::fputs("tarnwick: cannot open the X display; set DISPLAY to a running X server\n", stderr);
        return 0;
    }
    runScreensaver(g_commandLine);
    return 0;
}

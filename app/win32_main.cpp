// Process entry on Windows: the screensaver host starts the program with
// "/s", "/p <HWND>" or "/c"; then the About window or the screensaver.
#include "about/win32_about_window.h"
#include "app/command_line.h"
#include "app/hosted_run.h"
#include "app/screensaver_run.h"

#include <windows.h>

// Windows has no screensaver daemon that hands us a window of its own: the
// preview host arrives with "/p".
HostedRun* g_hostedRun = nullptr;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLineText, int showCommand)
{
    g_commandLine = new CommandLine(parseCommandLine(commandLineText));
    if (g_commandLine->mode == Preview || g_commandLine->mode == RunMode::None) {
        if (!acquireSingleInstance())
            return 0;
    }
    if (g_commandLine->mode == Configure) {
        // Runs the window until it is closed.
        runAboutWindow(instance, showCommand);
        return 0;
    }
    runScreensaver(g_commandLine);
    return 0;
}

// Process entry: parse the switches, then the About window or the screensaver.
#include "about/about_window.h"
#include "app/application.h"
#include "app/command_line.h"
#include "app/main_loop.h"

#include <string>

int main(int argc, char** argv)
{
    const std::string text = joinArguments(argc, argv);
    g_commandLine = new CommandLine(parseCommandLine(text.c_str()));

    if (g_commandLine->mode == Preview || g_commandLine->mode == None) {
        if (!acquireSingleInstance())
            return 0;
    }
    if (g_commandLine->mode == Configure) {
        new AboutWindow();
        return 0;
    }
    g_application = new Application(g_commandLine);
    runMainLoop();
    return 0;
}

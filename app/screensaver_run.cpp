#include "app/screensaver_run.h"

#include "app/application.h"
#include "app/command_line.h"
#include "app/main_loop.h"
#include "platform/message_box.h"

#include <new>
#include <system_error>

void runScreensaver(CommandLine* line)
{
    // A preview is a picture inside the host's dialog, and nobody started it
    // by hand: its failures go to standard error only, as a daemon's do.
    if (line->mode == Preview)
        showMessageDialogs(false);
    try {
        g_application = new Application(line);
        runMainLoop();
    } catch (const std::bad_alloc&) {
        // The textures, meshes and buffers are made at start-up; a memory
        // limit too tight for them ends the run here, plainly.
        endForLackOfMemory();
    } catch (const std::system_error& error) {
        // A thread whose stack cannot be had fails to start with this code.
        if (error.code() != std::errc::resource_unavailable_try_again)
            throw;
        endForLackOfMemory();
    }
}

// The continuation of a stopped process, seen through SIGCONT.
#include "platform/resume_watch.h"

#include <csignal>

namespace {

volatile std::sig_atomic_t g_resumed = 0;

void onContinue(int) { g_resumed = 1; }

} // namespace

void watchForResume()
{
    struct sigaction action{};
    action.sa_handler = onContinue;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGCONT, &action, nullptr);
}

bool resumedSinceLastLook()
{
    if (g_resumed == 0)
        return false;
    g_resumed = 0;
    return true;
}

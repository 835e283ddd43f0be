#include "about/browser_launcher.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

void openInBrowser(const char* address)
{
    if (address == nullptr)
        return;
    // Built before fork: the children only exec or leave.
    char launcher[] = "xdg-open";
    char* const argv[] = {launcher, const_cast<char*>(address), nullptr};

    const pid_t child = fork();
    if (child < 0)
        return;
    if (child == 0) {
        // The intermediate child starts the launcher and leaves at once; the
        // launcher is then adopted by init instead of waiting to be reaped here.
        if (fork() == 0) {
            execvp(launcher, argv);
            _exit(127);
        }
        _exit(0);
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
}

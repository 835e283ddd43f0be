// STAND-IN About window: the real one replaces this file.
#include "about/about_window.h"

#include <cstdio>

AboutWindow::AboutWindow()
{
    std::fputs("Tarnwick: the About window is not built yet\n", stderr);
}

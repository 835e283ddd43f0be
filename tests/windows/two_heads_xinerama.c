/* Stands in for the Xinerama client library, for the Windows program's
 * tests of two monitors: whatever the X server says, the screen is two heads
 * side by side, the left and the right half of screen 0. Wine takes its
 * monitor layout from here when the X server has no RandR extension, so a
 * virtual X server started without RandR looks like two monitors to the
 * Windows program. Found first through LD_LIBRARY_PATH. */
#include <X11/Xlib.h>

#include <stdlib.h>

typedef struct {
    int screen_number;
    short x_org;
    short y_org;
    short width;
    short height;
} XineramaScreenInfo;

Bool XineramaQueryExtension(Display* display, int* eventBase, int* errorBase)
{
    (void)display;
    *eventBase = 0;
    *errorBase = 0;
    return True;
}

Status XineramaQueryVersion(Display* display, int* major, int* minor)
{
    (void)display;
    *major = 1;
    *minor = 1;
    return 1;
}

Bool XineramaIsActive(Display* display)
{
    (void)display;
    return True;
}

/* The caller frees the list with XFree, which is free. */
XineramaScreenInfo* XineramaQueryScreens(Display* display, int* number)
{
    const int width = DisplayWidth(display, 0);
    const int height = DisplayHeight(display, 0);
    XineramaScreenInfo* heads = calloc(2, sizeof *heads);
    if (heads == NULL) {
        *number = 0;
        return NULL;
    }
    for (int i = 0; i < 2; ++i) {
        heads[i].screen_number = i;
        heads[i].x_org = (short)(i * (width / 2));
        heads[i].y_org = 0;
        heads[i].width = (short)(width / 2);
        heads[i].height = (short)height;
    }
    *number = 2;
    return heads;
}

/* Changes the primary display's mode, as a game or the display settings
 * would: "change_display_mode WIDTH HEIGHT". The system then sends
 * WM_DISPLAYCHANGE to every top-level window. Exit status 0 when the change
 * was made. */
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>

int main(int argc, char** argv)
{
    if (argc != 3) {
        fprintf(stderr, "usage: change_display_mode WIDTH HEIGHT\n");
        return 2;
    }
    DEVMODEW mode;
    ZeroMemory(&mode, sizeof mode);
    mode.dmSize = sizeof mode;
    mode.dmPelsWidth = (DWORD)atoi(argv[1]);
    mode.dmPelsHeight = (DWORD)atoi(argv[2]);
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    const LONG result = ChangeDisplaySettingsExW(NULL, &mode, NULL, 0, NULL);
    if (result != DISP_CHANGE_SUCCESSFUL) {
        fprintf(stderr, "ChangeDisplaySettingsExW: %ld\n", result);
        return 1;
    }
    return 0;
}

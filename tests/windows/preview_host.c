/* A stand-in for the Control Panel's preview area, for the preview tests: a
 * window of its own process whose handle it prints (decimal, one line).
 *
 *   preview_host.exe LIFE_SECONDS [RESIZE_AT_SECONDS WIDTH HEIGHT]
 *
 * The client area is 320 x 240; when asked, it is resized at the given time.
 * After LIFE_SECONDS the host destroys its window and ends: with status 0 when
 * the window had survived until then, 2 when someone else destroyed it. */
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>

enum { kLifeTimer = 1, kResizeTimer = 2 };

static int g_resizeWidth;
static int g_resizeHeight;
static int g_closingOurselves;
static int g_destroyedByOthers;

static void setClientSize(HWND window, int width, int height)
{
    RECT rect = {0, 0, width, height};
    AdjustWindowRect(&rect, WS_OVERLAPPEDWINDOW, FALSE);
    SetWindowPos(window, NULL, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

static LRESULT CALLBACK hostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_TIMER:
        if (wParam == kResizeTimer) {
            KillTimer(window, kResizeTimer);
            setClientSize(window, g_resizeWidth, g_resizeHeight);
        } else if (wParam == kLifeTimer) {
            g_closingOurselves = 1;
            DestroyWindow(window);
        }
        return 0;
    case WM_DESTROY:
        if (!g_closingOurselves)
            g_destroyedByOthers = 1;
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

int main(int argc, char** argv)
{
    if (argc != 2 && argc != 5) {
        fprintf(stderr, "usage: preview_host LIFE_SECONDS [RESIZE_AT_SECONDS WIDTH HEIGHT]\n");
        return 1;
    }
    const UINT lifeMs = (UINT)(atof(argv[1]) * 1000.0);
    WNDCLASSA windowClass = {0};
    windowClass.lpfnWndProc = hostProc;
    windowClass.hInstance = GetModuleHandleA(NULL);
    windowClass.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
    windowClass.lpszClassName = "TarnwickPreviewHost";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "TarnwickPreviewHost", "Preview host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                  100, 100, NULL, NULL, windowClass.hInstance, NULL);
    if (window == NULL)
        return 1;
    setClientSize(window, 320, 240);
    printf("%lu\n", (unsigned long)(UINT_PTR)window);
    fflush(stdout);
    SetTimer(window, kLifeTimer, lifeMs, NULL);
    if (argc == 5) {
        g_resizeWidth = atoi(argv[3]);
        g_resizeHeight = atoi(argv[4]);
        SetTimer(window, kResizeTimer, (UINT)(atof(argv[2]) * 1000.0), NULL);
    }
    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return g_destroyedByOthers ? 2 : 0;
}

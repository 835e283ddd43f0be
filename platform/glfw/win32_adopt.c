// glfwAdoptWin32Window: a GLFW window, with its context, made of a native
// window that already exists. Compiled into GLFW beside its Win32 window code
// (see adopt.patch for the record's two fields and the destroy path).
#include "internal.h"

#include <stdlib.h>

GLFWAPI GLFWwindow* glfwAdoptWin32Window(HWND handle, GLFWwindow* share)
{
    _GLFWfbconfig fbconfig;
    _GLFWctxconfig ctxconfig;
    _GLFWwndconfig wndconfig;
    _GLFWwindow* window;
    LONG_PTR style, exStyle;

    _GLFW_REQUIRE_INIT_OR_RETURN(NULL);

    fbconfig  = _glfw.hints.framebuffer;
    ctxconfig = _glfw.hints.context;
    wndconfig = _glfw.hints.window;
    ctxconfig.share = (_GLFWwindow*) share;

    if (share && (ctxconfig.client == GLFW_NO_API ||
                  ((_GLFWwindow*) share)->context.client == GLFW_NO_API))
    {
        _glfwInputError(GLFW_NO_WINDOW_CONTEXT, NULL);
        return NULL;
    }

    if (!_glfwIsValidContextConfig(&ctxconfig))
        return NULL;

    if (!IsWindow(handle))
    {
        _glfwInputError(GLFW_PLATFORM_ERROR, "Win32: Not a window to adopt");
        return NULL;
    }

    window = calloc(1, sizeof(_GLFWwindow));
    window->next = _glfw.windowListHead;
    _glfw.windowListHead = window;

    window->autoIconify = wndconfig.autoIconify;
    window->cursorMode  = GLFW_CURSOR_NORMAL;
    window->doublebuffer = fbconfig.doublebuffer;
    window->minwidth    = GLFW_DONT_CARE;
    window->minheight   = GLFW_DONT_CARE;
    window->maxwidth    = GLFW_DONT_CARE;
    window->maxheight   = GLFW_DONT_CARE;
    window->numer       = GLFW_DONT_CARE;
    window->denom       = GLFW_DONT_CARE;

    // Bind the native window: GLFW's window procedure finds the record through
    // the "GLFW" property. The procedure is pointer-sized on 64-bit Windows,
    // hence the LongPtr calls.
    window->win32.handle = handle;
    SetPropW(handle, L"GLFW", window);
    window->win32.adopted = GLFW_TRUE;
    window->win32.previousWndProc = (WNDPROC) GetWindowLongPtrW(handle, GWLP_WNDPROC);
    SetLastError(0);
    if (!SetWindowLongPtrW(handle, GWLP_WNDPROC, (LONG_PTR) _glfwWindowProcWin32) &&
        GetLastError() != 0)
    {
        // A window of another process cannot be subclassed
        _glfwInputErrorWin32(GLFW_PLATFORM_ERROR,
                             "Win32: Failed to take over the window's procedure");
        window->win32.previousWndProc = NULL;
        RemovePropW(handle, L"GLFW");
        window->win32.handle = NULL;
        glfwDestroyWindow((GLFWwindow*) window);
        return NULL;
    }

    style = GetWindowLongPtrW(handle, GWL_STYLE);
    exStyle = GetWindowLongPtrW(handle, GWL_EXSTYLE);
    window->resizable = (style & WS_THICKFRAME) ? GLFW_TRUE : GLFW_FALSE;
    window->decorated = (style & (WS_BORDER | WS_THICKFRAME)) ? GLFW_TRUE : GLFW_FALSE;
    window->floating  = (exStyle & WS_EX_TOPMOST) ? GLFW_TRUE : GLFW_FALSE;
    window->win32.maximized = IsZoomed(handle) ? GLFW_TRUE : GLFW_FALSE;
    window->win32.iconified = IsIconic(handle) ? GLFW_TRUE : GLFW_FALSE;

    if (ctxconfig.client != GLFW_NO_API)
    {
        GLFWbool created = GLFW_FALSE;
        if (ctxconfig.source == GLFW_NATIVE_CONTEXT_API)
            created = _glfwInitWGL() && _glfwCreateContextWGL(window, &ctxconfig, &fbconfig);
        else if (ctxconfig.source == GLFW_EGL_CONTEXT_API)
            created = _glfwInitEGL() && _glfwCreateContextEGL(window, &ctxconfig, &fbconfig);
        else if (ctxconfig.source == GLFW_OSMESA_CONTEXT_API)
            created = _glfwInitOSMesa() && _glfwCreateContextOSMesa(window, &ctxconfig, &fbconfig);

        if (!created || !_glfwRefreshContextAttribs(window, &ctxconfig))
        {
            glfwDestroyWindow((GLFWwindow*) window);
            return NULL;
        }
    }

    return (GLFWwindow*) window;
}

/* Adopts a window of its own process with glfwAdoptWin32Window, draws into
 * it, destroys the GLFW window and checks that the native window is still
 * there with its own window procedure. The window is an ANSI one, as the
 * program's are; its procedure is read back with the ANSI call, which gives
 * the function itself. Prints what it found; status 0 when all held. */
#include <windows.h>

#include <GLFW/glfw3.h>
#define GLFW_EXPOSE_NATIVE_WIN32
#include <GLFW/glfw3native.h>

#include <stdio.h>

static LRESULT CALLBACK ownProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

static int check(int ok, const char* what)
{
    printf("%s: %s\n", ok ? "ok" : "FAILED", what);
    return ok ? 0 : 1;
}

int main(void)
{
    WNDCLASSA windowClass = {0};
    windowClass.style = CS_OWNDC;
    windowClass.lpfnWndProc = ownProc;
    windowClass.hInstance = GetModuleHandleA(NULL);
    windowClass.lpszClassName = "AdoptProbe";
    RegisterClassA(&windowClass);
    HWND native = CreateWindowExA(0, "AdoptProbe", "Adopt probe", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 150,
                                  NULL, NULL, windowClass.hInstance, NULL);
    int failures = check(native != NULL, "the native window exists");
    if (native == NULL || !glfwInit())
        return 1;

    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 0);
    GLFWwindow* window = glfwAdoptWin32Window(native, NULL);
    failures += check(window != NULL, "adopted with an OpenGL 3.0 context");
    if (window == NULL)
        return 1;
    failures += check(glfwGetWin32Window(window) == native, "the GLFW window is the native one");
    failures += check((WNDPROC)GetWindowLongPtrA(native, GWLP_WNDPROC) != ownProc,
                      "GLFW's procedure handles the window's messages");
    glfwMakeContextCurrent(window);
    glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    unsigned char pixel[4] = {0};
    glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    failures += check(pixel[1] == 255 && pixel[0] == 0, "the context draws into the window");
    glfwSwapBuffers(window);

    glfwDestroyWindow(window);
    failures += check(IsWindow(native), "destroying the GLFW window leaves the native window");
    failures += check((WNDPROC)GetWindowLongPtrA(native, GWLP_WNDPROC) == ownProc,
                      "the window has its own procedure back");
    failures += check(GetPropW(native, L"GLFW") == NULL, "no GLFW property is left on it");
    glfwTerminate();
    DestroyWindow(native);
    fflush(stdout);
    return failures == 0 ? 0 : 1;
}

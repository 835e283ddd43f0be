#include "app/render_targets.h"

#include "app/frame_capture.h"
#include "app/target_window.h"
#include "app/window_metrics.h"
#include "platform/resume_watch.h"
#include "scene/scene.h"

#include <GLFW/glfw3.h>

bool operator==(const DesktopArea& a, const DesktopArea& b)
{
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

std::vector<RenderTarget>& renderTargets()
{
    static std::vector<RenderTarget> targets;
    return targets;
}

void addRenderTarget(GLFWwindow* window, int width, int height)
{
    RenderTarget target;
    target.window = window;
    target.width = width;
    target.height = height;
    renderTargets().push_back(target);
}

RenderTarget* targetOf(GLFWwindow* window)
{
    for (RenderTarget& target : renderTargets())
        if (target.window == window)
            return &target;
    return nullptr;
}

void followTargetSize(GLFWwindow* window, int width, int height)
{
    if (RenderTarget* target = targetOf(window)) {
        target->width = width;
        target->height = height;
    }
}

namespace {

// Hands a target's frame to the capture, once the window's framebuffer has
// the size the frame was drawn at (a resize may still be on its way).
void captureFrame(FrameCapture& capture, const RenderTarget& target)
{
    int width = 0;
    int height = 0;
    glfwGetFramebufferSize(target.window, &width, &height);
    if (width == target.width && height == target.height)
        capture.frameDrawn(width, height);
}

} // namespace

void drawEveryTarget(double t, FrameCapture* capture)
{
    std::vector<RenderTarget>& targets = renderTargets();
    for (const RenderTarget& target : targets) {
        if (!target.drawn) {
            paintWindowBlack(target.window);
            continue;
        }
        if (targets.size() > 1) {
            glfwMakeContextCurrent(target.window);
        }
        setWindowMetrics(target.width, target.height);
        renderFrame(t);
        // A stop while the frame was drawn makes its time stale: the next
        // frame, drawn at once, shows the hands right instead.
        if (resumedSinceLastLook())
            break;
        if (capture != nullptr && &target == &targets.front())
            captureFrame(*capture, target);
        glfwSwapBuffers(target.window);
    }
    if (targets.size() > 1) {
        glfwMakeContextCurrent(targets.front().window);
    }
}

bool anyTargetHasEscapeDown()
{
    for (const RenderTarget& target : renderTargets())
        if (glfwGetKey(target.window, GLFW_KEY_ESCAPE) != GLFW_RELEASE)
            return true;
    return false;
}

bool anyTargetAsksToClose()
{
    for (const RenderTarget& target : renderTargets())
        if (glfwWindowShouldClose(target.window) == GLFW_TRUE)
            return true;
    return false;
}

#include "tests/render/gl_test_context.h"

#include <GLFW/glfw3.h>

GlTestContext::GlTestContext(int width, int height) : m_width(width), m_height(height)
{
    // GLFW is initialised once per process and left initialised: tests
    // open and close many contexts.
    static const bool initialised = glfwInit() == GLFW_TRUE;
    if (!initialised) {
        const char* description = nullptr;
        glfwGetError(&description);
        m_why = std::string("GLFW could not be initialised: ") + (description ? description : "no display?");
        return;
    }
    glfwDefaultWindowHints();
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 0);
    m_window = glfwCreateWindow(64, 64, "gl test", nullptr, nullptr);
    if (m_window == nullptr) {
        const char* description = nullptr;
        glfwGetError(&description);
        m_why = std::string("no window with an OpenGL 3.0 context: ") + (description ? description : "");
        return;
    }
    glfwMakeContextCurrent(m_window);

    glGenRenderbuffers(1, &m_colour);
    glBindRenderbuffer(GL_RENDERBUFFER, m_colour);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    glGenRenderbuffers(1, &m_depth);
    glBindRenderbuffer(GL_RENDERBUFFER, m_depth);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width, height);
    glGenFramebuffers(1, &m_framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, m_framebuffer);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, m_colour);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, m_depth);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        m_why = "offscreen framebuffer incomplete";
        glfwDestroyWindow(m_window);
        m_window = nullptr;
        return;
    }
    // The render window's fixed state that drawing relies on.
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    clear();
}

GlTestContext::~GlTestContext()
{
    if (m_window != nullptr) {
        glfwMakeContextCurrent(nullptr);
        glfwDestroyWindow(m_window);
    }
}

void GlTestContext::clear()
{
    glBindFramebuffer(GL_FRAMEBUFFER, m_framebuffer);
    glViewport(0, 0, m_width, m_height);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClearDepth(1.0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

std::vector<std::uint8_t> GlTestContext::readPixels() const
{
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(m_width) * m_height * 4);
    glBindFramebuffer(GL_FRAMEBUFFER, m_framebuffer);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, m_width, m_height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

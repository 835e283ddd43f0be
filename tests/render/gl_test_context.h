// A hidden GLFW window with an OpenGL 3.0 context for tests that draw, and an
// offscreen framebuffer (RGBA8 colour, 24-bit depth) to draw into and read back.
#pragma once

#include <epoxy/gl.h>

#include <cstdint>
#include <string>
#include <vector>

struct GLFWwindow;

class GlTestContext {
public:
    GlTestContext(int width, int height);
    ~GlTestContext();
    GlTestContext(const GlTestContext&) = delete;
    GlTestContext& operator=(const GlTestContext&) = delete;

    // False when no display or no 3.0 context could be had; why() says why.
    bool ok() const { return m_window != nullptr; }
    const std::string& why() const { return m_why; }

    int width() const { return m_width; }
    int height() const { return m_height; }

    // Clears colour (to black, alpha 0) and depth and sets the whole viewport.
    void clear();
    // The framebuffer's pixels, RGBA bytes, row 0 at the bottom.
    std::vector<std::uint8_t> readPixels() const;

private:
    GLFWwindow* m_window = nullptr;
    std::string m_why;
    int m_width;
    int m_height;
    GLuint m_framebuffer = 0;
    GLuint m_colour = 0;
    GLuint m_depth = 0;
};

// The RGBA bytes of pixel (x, y), y = 0 the bottom row.
inline const std::uint8_t* pixelAt(const std::vector<std::uint8_t>& pixels, int width, int x, int y)
{
    return &pixels[(static_cast<std::size_t>(y) * width + x) * 4];
}

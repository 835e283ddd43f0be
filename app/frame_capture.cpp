#include "app/frame_capture.h"

#include <epoxy/gl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

FrameCapture FrameCapture::fromEnvironment()
{
    const char* prefix = std::getenv("TARNWICK_FRAME_CAPTURE");
    return FrameCapture(prefix != nullptr ? prefix : "");
}

std::string FrameCapture::pathFor(int width, int height) const
{
    return m_prefix + "-" + std::to_string(width) + "x" + std::to_string(height) + ".ppm";
}

void FrameCapture::frameDrawn(int width, int height)
{
    if (!active())
        return;
    const bool settled = width == m_lastWidth && height == m_lastHeight;
    m_lastWidth = width;
    m_lastHeight = height;
    if (!settled || width <= 0 || height <= 0)
        return;
    const std::string path = pathFor(width, height);
    if (std::find(m_written.begin(), m_written.end(), path) != m_written.end())
        return;
    m_written.push_back(path);
    std::vector<unsigned char> rgb(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return;
    std::fprintf(file, "P6\n%d %d\n255\n", width, height);
    // GL rows run bottom up, the file's top down.
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
    for (int row = height - 1; row >= 0; --row)
        std::fwrite(&rgb[static_cast<std::size_t>(row) * rowBytes], 1, rowBytes, file);
    std::fclose(file);
}

#include "render/texture.h"

#include "render/bitmap_resource.h"
#include "render/software_renderer.h"

#include <vector>

int textureLevelCount(int size)
{
    if (size < 1)
        return 0;
    int levels = 0;
    while ((size >> (levels + 1)) > 0)
        ++levels;
    return levels < 1 ? 1 : levels;
}

namespace {

bool anisotropyOffered()
{
    return epoxy_has_gl_extension("GL_EXT_texture_filter_anisotropic") ||
           epoxy_has_gl_extension("GL_ARB_texture_filter_anisotropic");
}

// Anisotropic filtering is left off on a software rasterizer: there, sliver
// triangles of the turning gears can make a single draw take from seconds to
// over a minute of one core, freezing the clock; plain trilinear filtering
// looks nearly the same at a fraction of the cost.
bool anisotropyWanted()
{
    return anisotropyOffered() && !currentRendererIsSoftware();
}

} // namespace

GLFWTexture::GLFWTexture(int resourceId, int size)
{
    glGenTextures(1, &m_texture);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, m_texture);
    const int levels = textureLevelCount(size);
    if (levels == 0)
        return;
    glTexStorage2D(GL_TEXTURE_2D, levels, GL_RGBA32F, size, size);

    std::vector<float> texels = bitmapResourceTexels(resourceId, size);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, size, size, GL_RGBA, GL_FLOAT, texels.data());

    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glGenerateMipmap(GL_TEXTURE_2D);

    if (anisotropyWanted()) {
        GLfloat maxAnisotropy = 0.0f;
        glGetFloatv(GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT, &maxAnisotropy);
        if (maxAnisotropy >= 1.0f)
            glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT, maxAnisotropy);
    }
}

#include "render/texture.h"

#include "render/bitmap_resource.h"
#include "render/software_renderer.h"

#include <algorithm>
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

// Immutable storage is core from OpenGL 4.2; the context asked for is 3.0,
// so older drivers offer it only through the extension, or not at all.
bool textureStorageOffered()
{
    return epoxy_gl_version() >= 42 || epoxy_has_gl_extension("GL_ARB_texture_storage");
}

// The levels 0 to levels − 1 of a size × size GL_RGBA32F texture, left
// undefined. Without immutable storage each level is made on its own, and
// the highest level is capped where immutable storage would cap it, so that
// mipmap generation and sampling stop at the same smallest level: the
// texture is the same either way.
void allocateLevels(int levels, int size)
{
    if (textureStorageOffered()) {
        glTexStorage2D(GL_TEXTURE_2D, levels, GL_RGBA32F, size, size);
        return;
    }
    for (int level = 0; level < levels; ++level) {
        const int side = std::max(size >> level, 1);
        glTexImage2D(GL_TEXTURE_2D, level, GL_RGBA32F, side, side, 0, GL_RGBA, GL_FLOAT, nullptr);
    }
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, levels - 1);
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
    allocateLevels(levels, size);

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

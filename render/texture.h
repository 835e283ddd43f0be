// A mipmapped, repeating 2D texture with 32-bit float RGBA texels, made from a
// square 24-bit bitmap resource.
#pragma once

#include <epoxy/gl.h>

// Mipmap levels allocated for a size × size texture: log2(size), at least 1
// (a 512 texture has 9 levels, down to 2 × 2). Sizes that are no power of two
// get floor(log2(size)); sizes below 1 get none.
int textureLevelCount(int size);

class GLFWTexture {
public:
    // Creates the texture from BITMAP resource resourceId, size × size texels,
    // and leaves it bound to GL_TEXTURE_2D on texture unit 0. A missing or
    // unreadable bitmap gives an opaque black texture.
    GLFWTexture(int resourceId, int size);

    GLuint textureId() const { return m_texture; }

private:
    GLuint m_texture = 0;
};

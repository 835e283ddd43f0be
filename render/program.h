// A linked GLSL program made from two TEXTFILE resources, with its cache of
// uniform and attribute locations.
#pragma once

#include "render/location_cache.h"

#include <epoxy/gl.h>

#include <cstddef>
#include <memory>

// Text bytes a shader source may hold; its buffer has four more for the NULs.
inline constexpr std::size_t kShaderTextCapacity = 16384;

class GLFWProgram {
public:
    // Reads both texts, compiles both shaders and links the program. A shader
    // that does not compile shows its info log and the matching
    // "… shader compilation error" message, then ends the process with status 0.
    GLFWProgram(int vertexResourceId, int fragmentResourceId);

    GLint uniformLocation(const char* name);
    GLint attribLocation(const char* name);
    void use();

    GLuint programId() const { return m_program; }

private:
    std::unique_ptr<char[]> m_vertexText;
    std::unique_ptr<char[]> m_fragmentText;
    GLuint m_vertexShader = 0;
    GLuint m_fragmentShader = 0;
    GLuint m_program = 0;
    LocationCache m_locations;
};

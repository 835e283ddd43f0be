#include "render/program.h"

#include "platform/message_box.h"
#include "render/text_resource.h"

#include <cstdlib>
#include <vector>

namespace {

std::unique_ptr<char[]> readShaderText(int resourceId)
{
    std::unique_ptr<char[]> text(new char[kShaderTextCapacity + kTextTerminatorBytes]);
    loadTextResource(resourceId, text.get(), kShaderTextCapacity);
    return text;
}

// Shows the info log and the failure message, deletes the shader and ends the
// process with status 0.
[[noreturn]] void reportCompileFailure(GLuint shader, const char* message)
{
    GLint length = 0;
    glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
    if (length < 0)
        length = 0;
    std::vector<char> log(static_cast<std::size_t>(length) + 1, '\0');
    GLsizei written = 0;
    glGetShaderInfoLog(shader, length, &written, log.data());
    if (written >= 0 && written <= length)
        log[static_cast<std::size_t>(written)] = '\0';
    showMessageBox(log.data(), "Debug", MessageIcon::Information);
    showMessageBox(message, "Debug", MessageIcon::Information);
    glDeleteShader(shader);
    std::exit(0);
}

GLuint compileShader(GLenum kind, const char* text, const char* failureMessage)
{
    const GLuint shader = glCreateShader(kind);
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    GLint status = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &status);
    if (status == 0)
        reportCompileFailure(shader, failureMessage);
    return shader;
}

} // namespace

GLFWProgram::GLFWProgram(int vertexResourceId, int fragmentResourceId)
    : m_vertexText(readShaderText(vertexResourceId)), m_fragmentText(readShaderText(fragmentResourceId))
{
    m_program = glCreateProgram();
    m_vertexShader = compileShader(GL_VERTEX_SHADER, m_vertexText.get(), "Vertex shader compilation error");
    m_fragmentShader =
        compileShader(GL_FRAGMENT_SHADER, m_fragmentText.get(), "Fragment shader compilation error");
    glAttachShader(m_program, m_vertexShader);
    glAttachShader(m_program, m_fragmentShader);
    glLinkProgram(m_program);
}

GLint GLFWProgram::uniformLocation(const char* name)
{
    return m_locations.lookup(name, [this](const char* n) { return glGetUniformLocation(m_program, n); });
}

GLint GLFWProgram::attribLocation(const char* name)
{
    return m_locations.lookup(name, [this](const char* n) { return glGetAttribLocation(m_program, n); });
}

void GLFWProgram::use()
{
    glUseProgram(m_program);
}

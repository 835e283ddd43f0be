#include "scene/vertex_buffer_set.h"

#include "render/program_registry.h"

#include <cstdint>

VertexBufferSet::VertexBufferSet(ProgramRegistry* registry) : m_registry(registry)
{
    glGenBuffers(1, &m_vertexBuffer);
    glGenBuffers(1, &m_indexBuffer);
}

void VertexBufferSet::setVertexData(std::size_t bytes, const float* data, int strideFloats)
{
    m_vertexBytes = bytes;
    m_vertexData = data;
    m_strideFloats = strideFloats;
}

void VertexBufferSet::setIndexData(std::size_t bytes, const std::uint32_t* data, int count)
{
    m_indexBytes = bytes;
    m_indexData = data;
    m_indexCount = count;
}

void VertexBufferSet::declareAttribute(const char* programName, const char* attributeName, int components,
                                       int offsetFloats)
{
    GLFWProgram* program = m_registry->find(programName);
    const GLint location = program ? program->attribLocation(attributeName) : -1;
    m_attributes.emplace(attributeName, Attribute{location, components, offsetFloats});
}

void VertexBufferSet::bindAndPoint()
{
    glBindBuffer(GL_ARRAY_BUFFER, m_vertexBuffer);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, m_indexBuffer);
    const GLsizei strideBytes = m_strideFloats * 4;
    for (const auto& [name, attribute] : m_attributes) {
        if (attribute.location < 0)
            continue;
        const GLuint location = static_cast<GLuint>(attribute.location);
        glEnableVertexAttribArray(location);
        glVertexAttribPointer(location, attribute.components, GL_FLOAT, GL_FALSE, strideBytes,
                              reinterpret_cast<const void*>(static_cast<std::uintptr_t>(attribute.offset) * 4));
    }
}

void VertexBufferSet::upload()
{
    bindAndPoint();
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(m_vertexBytes), m_vertexData, GL_STATIC_DRAW);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(m_indexBytes), m_indexData, GL_STATIC_DRAW);
}

// One drawable's vertex and index buffers with the table of the vertex
// attributes its program reads.
#pragma once

#include <epoxy/gl.h>

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

class ProgramRegistry;

class VertexBufferSet {
public:
    struct Attribute {
        GLint location;
        int components;
        int offset;  // in floats
    };

    // Generates the vertex buffer name, then the index buffer name.
    explicit VertexBufferSet(ProgramRegistry* registry);

    // Store the values only; nothing is sent before upload.
    void setVertexData(std::size_t bytes, const float* data, int strideFloats);
    void setIndexData(std::size_t bytes, const std::uint32_t* data, int count);

    // Records the attribute's location in the named program (−1 when the
    // program or the attribute is unknown). A name declared twice keeps its
    // first values.
    void declareAttribute(const char* programName, const char* attributeName, int components, int offsetFloats);

    // Binds both buffers and points every attribute with a location into the
    // vertex buffer (attributes with location −1 are skipped).
    void bindAndPoint();
    // bindAndPoint, then sends the vertex and index data once.
    void upload();

    int indexCount() const { return m_indexCount; }
    const std::map<std::string, Attribute>& attributes() const { return m_attributes; }

private:
    ProgramRegistry* m_registry;
    GLuint m_vertexBuffer = 0;
    GLuint m_indexBuffer = 0;
    const float* m_vertexData = nullptr;
    std::size_t m_vertexBytes = 0;
    int m_strideFloats = 0;
    std::map<std::string, Attribute> m_attributes;
    const std::uint32_t* m_indexData = nullptr;
    std::size_t m_indexBytes = 0;
    int m_indexCount = 0;
};

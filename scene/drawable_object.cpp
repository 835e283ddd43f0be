#include "scene/drawable_object.h"

#include "mesh/mesh_data.h"
#include "render/program_registry.h"
#include "scene/transform_stack.h"
#include "scene/vertex_buffer_set.h"

namespace {

struct AttributeLayout {
    const char* name;
    int components;
};

// The vertex record's attributes in table order; offsets come from kAttributeOffsets.
constexpr AttributeLayout kVertexRecordAttributes[kAttributeCount] = {
    {"position", 3},         {"position_tex", 2},       {"position_normal", 3},   {"position_tangent", 3},
    {"position_bitangent", 3}, {"material_ambient", 3}, {"material_diffuse", 3}, {"material_specular", 4},
};

} // namespace

GLFWDrawableObject::GLFWDrawableObject(SceneState* sceneState, TransformStack* camera, ProgramRegistry* registry,
                                       const char* programName, int vertexResourceId, int vertexCount,
                                       int indexResourceId, int indexCount)
    : m_sceneState(sceneState),
      m_registry(registry),
      m_mesh(std::make_unique<MeshData>(vertexResourceId, vertexCount, indexResourceId, indexCount)),
      m_buffers(std::make_unique<VertexBufferSet>(registry)),
      m_camera(camera),
      m_programName(programName)
{
    attachMeshToBuffers();
}

GLFWDrawableObject::GLFWDrawableObject(SceneState* sceneState, TransformStack* camera, ProgramRegistry* registry,
                                       const char* programName, int objResourceId, int mtlResourceId, float scale)
    : m_sceneState(sceneState),
      m_registry(registry),
      m_mesh(std::make_unique<MeshData>(objResourceId, mtlResourceId, scale)),
      m_buffers(std::make_unique<VertexBufferSet>(registry)),
      m_camera(camera),
      m_programName(programName)
{
    attachMeshToBuffers();
}

GLFWDrawableObject::~GLFWDrawableObject() = default;

void GLFWDrawableObject::attachMeshToBuffers()
{
    m_buffers->setVertexData(m_mesh->vertexBytes(), m_mesh->vertices, m_mesh->floatsPerVertex);
    m_buffers->setIndexData(m_mesh->indexBytes(), m_mesh->indices, m_mesh->indexCount);
}

void GLFWDrawableObject::prepare()
{
    declareAttributes();
    m_buffers->upload();
}

void GLFWDrawableObject::draw()
{
    m_registry->use(m_programName);
    beforeDraw();
    uploadMatrices();
    setUniforms();
    m_buffers->bindAndPoint();
    glDrawElements(GL_TRIANGLES, m_buffers->indexCount(), GL_UNSIGNED_INT, nullptr);
}

void GLFWDrawableObject::uploadMatrices()
{
    const Mat4 view = m_camera->currentView();
    const Mat4 projection = m_camera->projection();
    const Mat4 worldProjection = projection * view;
    const Mat4 modelProjection = worldProjection * m_model;
    glUniformMatrix4fv(uniformLocation("model_world"), 1, GL_FALSE, m_model.data());
    glUniformMatrix4fv(uniformLocation("world_projection"), 1, GL_FALSE, worldProjection.data());
    glUniformMatrix4fv(uniformLocation("model_projection"), 1, GL_FALSE, modelProjection.data());
}

GLint GLFWDrawableObject::uniformLocation(const char* name) const
{
    GLFWProgram* program = m_registry->find(m_programName);
    return program ? program->uniformLocation(name) : -1;
}

void GLFWDrawableObject::declareVertexRecordAttributes()
{
    for (int i = 0; i < kAttributeCount; ++i) {
        const AttributeLayout& a = kVertexRecordAttributes[i];
        m_buffers->declareAttribute(m_programName, a.name, a.components, kAttributeOffsets[i]);
    }
}

void GLFWDrawableObject::declarePositionTextureNormal()
{
    for (int i = 0; i < 3; ++i) {
        const AttributeLayout& a = kVertexRecordAttributes[i];
        m_buffers->declareAttribute(m_programName, a.name, a.components, kAttributeOffsets[i]);
    }
}

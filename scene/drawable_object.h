// The abstract drawable: one mesh, its buffers and attribute table, a program
// known by name and a model matrix; drawn as indexed triangles through the
// camera's current slot and projection.
#pragma once

#include "render/math.h"

#include <epoxy/gl.h>

#include <memory>

struct MeshData;
class ProgramRegistry;
class SceneState;
class TransformStack;
class VertexBufferSet;

class GLFWDrawableObject {
public:
    // Pre-built form: vertex and index TEXTFILE resources used in place.
    GLFWDrawableObject(SceneState* sceneState, TransformStack* camera, ProgramRegistry* registry,
                       const char* programName, int vertexResourceId, int vertexCount, int indexResourceId,
                       int indexCount);
    // OBJ form: the mesh is parsed from OBJ and MTL resources, positions scaled.
    GLFWDrawableObject(SceneState* sceneState, TransformStack* camera, ProgramRegistry* registry,
                       const char* programName, int objResourceId, int mtlResourceId, float scale);

    GLFWDrawableObject(const GLFWDrawableObject&) = delete;
    GLFWDrawableObject& operator=(const GLFWDrawableObject&) = delete;

    // Slot 0: registers the vertex attributes that the program reads.
    virtual void declareAttributes() = 0;
    // Slot 1: sets the class's own uniforms, program current, matrices sent.
    virtual void setUniforms() = 0;
    // Slot 2: runs before the matrices are sent.
    virtual void beforeDraw() = 0;

    // Once, after construction, with the program registered: declares the
    // attributes and sends the geometry.
    void prepare();
    void setModelMatrix(const Mat4& model) { m_model = model; }
    void draw();
    // Sends "model_world" (M), "world_projection" (P × V), "model_projection" (P × V × M).
    void uploadMatrices();

    const VertexBufferSet& buffers() const { return *m_buffers; }
    const MeshData& mesh() const { return *m_mesh; }

protected:
    // Drawables are never deleted through the base.
    ~GLFWDrawableObject();

    // The location of a uniform of this drawable's program (−1 when unknown).
    GLint uniformLocation(const char* name) const;
    // Declares all eight vertex-record attributes, in table order.
    void declareVertexRecordAttributes();
    // Declares "position", "position_tex" and "position_normal" only.
    void declarePositionTextureNormal();

    SceneState* m_sceneState;
    ProgramRegistry* m_registry;
    std::unique_ptr<MeshData> m_mesh;
    std::unique_ptr<VertexBufferSet> m_buffers;
    TransformStack* m_camera;
    const char* m_programName;
    Mat4 m_model{};

private:
    void attachMeshToBuffers();
};

// Invariants every parse must keep, whatever the input; a broken one aborts
// the fuzz run.
#pragma once

#include "mesh/mesh_attribute_arrays.h"
#include "mesh/mesh_data.h"
#include "mesh/obj_reader.h"

#include <cstdio>
#include <cstdlib>

namespace fuzzcheck {

inline void require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "broken invariant: %s\n", what);
        std::abort();
    }
}

// Progress lines would flood the fuzzer's output.
inline void silenceStandardOutput()
{
    static const bool done = std::freopen("/dev/null", "w", stdout) != nullptr;
    (void)done;
}

inline void checkReader(const wavefront::ObjReader& reader)
{
    require(reader.indices.size() % 3 == 0, "whole triangles in the reader");
    for (std::uint32_t i : reader.indices)
        require(i < reader.vertices.size(), "reader index in range");
    for (const wavefront::Mesh& mesh : reader.meshes) {
        require(!mesh.indices.empty() && !mesh.vertices.empty(), "closed meshes are not empty");
        require(mesh.indices.size() % 3 == 0, "whole triangles in a mesh");
        for (std::uint32_t i : mesh.indices)
            require(i < mesh.vertices.size(), "mesh index in range");
    }
}

// The full conversion, as the program runs it, then the records checked.
inline void convertAndCheck(int objId, int mtlId)
{
    std::unique_ptr<MeshAttributeArrays> arrays = MeshAttributeArrays::tryConvert(objId, mtlId, 0.1f);
    if (!arrays)
        return;
    MeshData mesh(std::move(arrays));
    require(mesh.indexCount % 3 == 0, "whole triangles in the records");
    for (int i = 0; i < mesh.indexCount; ++i)
        require(mesh.indices[i] < static_cast<std::uint32_t>(mesh.vertexCount), "record index in range");
    // Touch every record so that a short array shows up under the sanitizers.
    volatile float sum = 0.0f;
    for (int i = 0; i < mesh.vertexCount * kFloatsPerVertex; ++i)
        sum = sum + mesh.vertices[i];
}

} // namespace fuzzcheck

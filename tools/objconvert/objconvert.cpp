// objconvert <obj-file> <mtl-file> <scale> <out-vertices> <out-indices>
//
// Converts an OBJ file and its MTL file exactly as the program converts its
// OBJ resources, and writes the vertex records (24 little-endian floats each)
// and the 32-bit little-endian indices as bare arrays: no header, no count.
// The parser's progress lines go to standard output.
#include "mesh/mesh_attribute_arrays.h"
#include "mesh/mesh_data.h"
#include "platform/resources.h"

#include <bit>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

static_assert(std::endian::native == std::endian::little, "the arrays are written as they lie in memory");

namespace {

// The two texts go in through the resource seam under ids of their own.
constexpr int kObjId = 1;
constexpr int kMtlId = 2;

bool readFile(const char* path, std::string& out)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

bool writeFile(const char* path, const void* data, std::size_t size)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
    out.close();
    if (!out) {
        std::remove(path);
        return false;
    }
    return true;
}

int fail(const std::string& message)
{
    std::fflush(stdout);
    std::fprintf(stderr, "objconvert: %s\n", message.c_str());
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 6)
        return fail("usage: objconvert <obj-file> <mtl-file> <scale> <out-vertices> <out-indices>");

    std::string obj;
    std::string mtl;
    if (!readFile(argv[1], obj))
        return fail(std::string("cannot read ") + argv[1]);
    if (!readFile(argv[2], mtl))
        return fail(std::string("cannot read ") + argv[2]);
    char* end = nullptr;
    errno = 0;
    const float scale = std::strtof(argv[3], &end);
    if (end == argv[3] || *end != '\0' || errno != 0 || !std::isfinite(scale))
        return fail(std::string("not a scale: ") + argv[3]);

    overrideResource(kObjId, kTextFileType, obj.data(), obj.size());
    overrideResource(kMtlId, kTextFileType, mtl.data(), mtl.size());
    std::unique_ptr<MeshAttributeArrays> arrays = MeshAttributeArrays::tryConvert(kObjId, kMtlId, scale);
    if (!arrays)
        return fail(std::string("no mesh in ") + argv[1]);
    const MeshData mesh(std::move(arrays));

    // Shaders pick parts of the pre-built meshes by vertex number, which needs
    // the index array to be 0, 1, ..., n - 1: only triangle faces give that.
    for (int i = 0; i < mesh.indexCount; ++i) {
        if (mesh.indices[i] != static_cast<std::uint32_t>(i) || mesh.indexCount != mesh.vertexCount) {
            std::fprintf(stderr, "objconvert: warning: %s has faces other than triangles; the index array is "
                                 "not the identity sequence\n", argv[1]);
            break;
        }
    }

    if (!writeFile(argv[4], mesh.vertices, mesh.vertexBytes()))
        return fail(std::string("cannot write ") + argv[4]);
    if (!writeFile(argv[5], mesh.indices, mesh.indexBytes()))
        return fail(std::string("cannot write ") + argv[5]);
    std::fflush(stdout);
    std::fprintf(stderr, "objconvert: %d records, %d indices\n", mesh.vertexCount, mesh.indexCount);
    return 0;
}

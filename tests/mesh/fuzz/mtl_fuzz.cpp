// Fuzz target: arbitrary MTL text, read alone and through an OBJ text that
// names its materials.
#include "fuzz_checks.h"
#include "platform/resources.h"

#include <cstddef>
#include <cstdint>

namespace {

constexpr int kObjId = 1;
constexpr int kMtlId = 2;
constexpr char kGeometry[] =
    "mtllib x.mtl\nv 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nvt 0 0\nvt 1 1\nvn 0 0 1\n"
    "g A\nusemtl A\nf 1/1/1 2/2/1 3/1/1\ng B\nusemtl B\nf 1 2 3 4\nusemtl none\nf 4 3 1\nmtllib again.mtl\n";

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzzcheck::silenceStandardOutput();
    overrideResource(kObjId, kTextFileType, kGeometry, sizeof kGeometry - 1);
    overrideResource(kMtlId, kTextFileType, data, size);

    wavefront::ObjReader materialsOnly;
    fuzzcheck::require(materialsOnly.readMaterials(kMtlId), "an MTL reading adds a material");
    fuzzcheck::require(!materialsOnly.materials.empty(), "at least the material under construction");

    wavefront::ObjReader reader;
    fuzzcheck::require(reader.loadFromResources(kObjId, kMtlId), "the fixed geometry loads");
    fuzzcheck::checkReader(reader);
    fuzzcheck::convertAndCheck(kObjId, kMtlId);

    clearResourceOverrides();
    return 0;
}

// Fuzz target: arbitrary OBJ text with a fixed MTL text.
#include "fuzz_checks.h"
#include "platform/resources.h"

#include <cstddef>
#include <cstdint>

namespace {

constexpr int kObjId = 1;
constexpr int kMtlId = 2;
constexpr char kMaterials[] =
    "newmtl A\nKa 0.1 0.2 0.3\nKd 0.4 0.5 0.6\nKs 0 0 0\nNs 10\n"
    "newmtl B\r\nKd 1 0 0\r\nNs 32\r\n";

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzzcheck::silenceStandardOutput();
    overrideResource(kObjId, kTextFileType, data, size);
    overrideResource(kMtlId, kTextFileType, kMaterials, sizeof kMaterials - 1);

    wavefront::ObjReader reader;
    reader.loadFromResources(kObjId, kMtlId);
    fuzzcheck::checkReader(reader);
    fuzzcheck::convertAndCheck(kObjId, kMtlId);

    clearResourceOverrides();
    return 0;
}

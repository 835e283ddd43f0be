// OBJ text to vertex records: parse, convert and interleave a generated mesh
// of 45,000 triangles (a height field of 150 x 150 quads, two triangles each,
// in six groups with their own materials). Reports the OBJ text throughput.
#include "mesh/mesh_data.h"
#include "platform/resources.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <string>

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int kObjId = 1;
constexpr int kMtlId = 2;
constexpr int kGrid = 150;
constexpr int kGroups = 6;

std::string generateObj()
{
    std::string obj = "mtllib bench.mtl\n";
    char line[160];
    for (int y = 0; y <= kGrid; ++y) {
        for (int x = 0; x <= kGrid; ++x) {
            const float h = 0.5f * std::sin(x * 0.1f) * std::cos(y * 0.07f);
            std::snprintf(line, sizeof line, "v %.4f %.4f %.4f\nvt %.4f %.4f\nvn %.4f %.4f 1.0000\n", x * 0.25f,
                          y * 0.25f, h, x / float(kGrid), y / float(kGrid), -std::cos(x * 0.1f) * 0.05f,
                          std::sin(y * 0.07f) * 0.035f);
            obj += line;
        }
    }
    const int rowsPerGroup = kGrid / kGroups;
    for (int y = 0; y < kGrid; ++y) {
        if (y % rowsPerGroup == 0) {
            const int g = y / rowsPerGroup;
            std::snprintf(line, sizeof line, "g Part%d\nusemtl Material%d\n", g, g);
            obj += line;
        }
        for (int x = 0; x < kGrid; ++x) {
            const int a = y * (kGrid + 1) + x + 1;
            const int b = a + 1;
            const int c = a + kGrid + 1;
            const int d = c + 1;
            std::snprintf(line, sizeof line, "f %d/%d/%d %d/%d/%d %d/%d/%d\nf %d/%d/%d %d/%d/%d %d/%d/%d\n", a, a, a,
                          b, b, b, d, d, d, d, d, d, c, c, c, a, a, a);
            obj += line;
        }
    }
    return obj;
}

std::string generateMtl()
{
    std::string mtl;
    for (int g = 0; g < kGroups; ++g) {
        mtl += "newmtl Material" + std::to_string(g) + "\nNs 10\nKa 0.2 0.2 0.2\nKd 0.8 0.66 0.32\nKs 0.1 0.1 0.1\n";
    }
    return mtl;
}

void BM_ObjToVertexRecords(benchmark::State& state)
{
    const std::string obj = generateObj();
    const std::string mtl = generateMtl();
    overrideResource(kObjId, kTextFileType, obj.data(), obj.size());
    overrideResource(kMtlId, kTextFileType, mtl.data(), mtl.size());

    // The parser's progress lines go to standard output; keep them out of the
    // report while timing.
    std::fflush(stdout);
    const int savedStdout = dup(1);
    const int devNull = open("/dev/null", O_WRONLY);
    dup2(devNull, 1);
    int records = 0;
    for (auto _ : state) {
        MeshData mesh(kObjId, kMtlId, 0.1f);
        records = mesh.vertexCount;
        benchmark::DoNotOptimize(mesh.vertices);
    }
    std::fflush(stdout);
    dup2(savedStdout, 1);
    close(savedStdout);
    close(devNull);

    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(obj.size()));
    state.counters["triangles"] = records / 3;
    state.counters["obj_MB"] = obj.size() / 1e6;
    clearResourceOverrides();
}
BENCHMARK(BM_ObjToVertexRecords)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

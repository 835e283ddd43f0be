// clockgen <outdir>: writes the clock, body and second-hand models (OBJ + MTL)
// and prints how each record range was filled.
#include "clock_model.h"
#include "obj_writer.h"

#include <cstdio>
#include <exception>
#include <string>

namespace {

void report(const char* title, const AssembledMesh& m) {
    std::printf("%s: %zu triangles, %d across range boundaries\n", title, m.tris.size(), m.straddles);
    for (const RangeReport& r : m.report)
        std::printf("  %6d-%-6d %-24s %5d slots %5d real %4d padding\n", r.first, r.last, r.label.c_str(), r.slots, r.real,
                    r.padding);
}

void write(const std::string& dir, const std::string& name, const std::string& object, const AssembledMesh& m, bool groups) {
    writeObj(dir + "/" + name + ".obj", name + ".mtl", object, m.tris, groups ? m.labels : std::vector<std::string>{}, 10.0);
    writeMtl(dir + "/" + name + ".mtl", m.tris);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: clockgen <output directory>\n");
        return 2;
    }
    try {
        std::string dir = argv[1];
        AssembledMesh clock = clockmodel::clockMesh();
        report("clock", clock);
        write(dir, "clock", "Clock", clock, true);
        AssembledMesh body = clockmodel::bodyMesh();
        report("body", body);
        write(dir, "body", "Body", body, true);
        AssembledMesh second = clockmodel::secondHandMesh();
        report("second hand", second);
        write(dir, "second_hand", "Second_Hand", second, false);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "clockgen: %s\n", e.what());
        return 1;
    }
    return 0;
}

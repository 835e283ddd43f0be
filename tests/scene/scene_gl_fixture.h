// A GL context with the four scene programs registered, a camera looking at
// the model-space origin from (0, 0, 100), a plain grey texture on unit 0 and
// helpers for synthetic meshes placed at chosen vertex numbers.
#pragma once

#include "mesh/vertex_record.h"
#include "render/math.h"
#include "render/program_registry.h"
#include "render/texture.h"
#include "scene/scene_state.h"
#include "scene/transform_stack.h"
#include "tests/render/gl_test_context.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

inline constexpr const char* kBigClock = "BigClockProgram";
inline constexpr const char* kClockBody = "ClockBodyProgram";
inline constexpr const char* kSecondHand = "SecondHandProgram";
inline constexpr const char* kBackground = "BackgroundProgram";

// Vertex records addressed by vertex number; only the triangles that a test
// places are drawn (the index buffer lists just their vertices).
struct SyntheticMesh {
    explicit SyntheticMesh(int vertexCount) : records(static_cast<std::size_t>(vertexCount)) {}
    // A triangle at vertex numbers first, first + 1, first + 2, facing +z.
    void addTriangle(int first, const Vec3& a, const Vec3& b, const Vec3& c);
    // A small triangle (side about 2 units) with its centroid at p.
    void addMarker(int first, const Vec3& p);

    std::vector<VertexRecord> records;
    std::vector<std::uint32_t> indices;
};

class SceneGl : public ::testing::Test {
protected:
    static constexpr int kSize = 512;
    static constexpr int kVertexResource = 9300;
    static constexpr int kIndexResource = 9301;

    void SetUp() override;
    void TearDown() override;

    // Hands the mesh to the resource table as a pre-built vertex/index pair.
    void publish(const SyntheticMesh& mesh);
    // Snapshot h:m:s taken at frame time 0, now at frame time t.
    void setClock(int h, int m, int s, float t);

    // Where model point p lands in window coordinates (identity model matrix).
    Vec2 project(const Vec3& p) const;
    // The mean window position of the pixels that pass, and how many passed.
    template <typename Pred>
    Vec2 centroid(const std::vector<std::uint8_t>& pixels, Pred pass, int* count) const
    {
        double sx = 0, sy = 0;
        int n = 0;
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x)
                if (pass(pixelAt(pixels, kSize, x, y))) {
                    sx += x + 0.5;
                    sy += y + 0.5;
                    ++n;
                }
        *count = n;
        return n ? Vec2(static_cast<float>(sx / n), static_cast<float>(sy / n)) : Vec2(-1, -1);
    }

    GlTestContext context{kSize, kSize};
    std::unique_ptr<ProgramRegistry> registry;
    std::unique_ptr<SceneState> state;
    std::unique_ptr<TransformStack> camera;
    std::unique_ptr<GLFWTexture> grey;
    std::vector<std::uint8_t> greyBitmap;
};

// Rotation of p about centre by angle (radians), clockwise seen from +Z.
Vec3 turnedAbout(const Vec3& p, const Vec3& centre, float angle);

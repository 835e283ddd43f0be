#include "tests/scene/scene_gl_fixture.h"

#include "platform/resources.h"
#include "scene/frame_layout.h"
#include "tests/render/bmp_builder.h"

#include <cmath>

void SyntheticMesh::addTriangle(int first, const Vec3& a, const Vec3& b, const Vec3& c)
{
    const Vec3 corners[3] = {a, b, c};
    for (int i = 0; i < 3; ++i) {
        VertexRecord& r = records.at(static_cast<std::size_t>(first + i));
        r = VertexRecord{};
        for (int k = 0; k < 3; ++k)
            r.position[k] = corners[i][k];
        r.texCoord[0] = 0.5f;
        r.texCoord[1] = 0.5f;
        r.normal[2] = 1.0f;
        for (int k = 0; k < 3; ++k) {
            r.ambient[k] = 0.3f;
            r.diffuse[k] = 0.3f;
        }
        r.specular[3] = 10.0f;
        indices.push_back(static_cast<std::uint32_t>(first + i));
    }
}

void SyntheticMesh::addMarker(int first, const Vec3& p)
{
    addTriangle(first, p + Vec3(0, 1.2f, 0), p + Vec3(1, -0.6f, 0), p + Vec3(-1, -0.6f, 0));
}

Vec3 turnedAbout(const Vec3& p, const Vec3& centre, float angle)
{
    const float dx = p[0] - centre[0], dy = p[1] - centre[1];
    return Vec3(centre[0] + dx * std::cos(angle) + dy * std::sin(angle),
                centre[1] - dx * std::sin(angle) + dy * std::cos(angle), p[2]);
}

void SceneGl::SetUp()
{
    if (!context.ok())
        FAIL() << context.why();
    registry = std::make_unique<ProgramRegistry>();
    registry->add(kBackground, 137, 136);
    registry->add(kBigClock, 161, 160);
    registry->add(kClockBody, 172, 171);
    registry->add(kSecondHand, 164, 165);
    state = std::make_unique<SceneState>(0.0f);
    state->setViewportSize(static_cast<float>(kSize), static_cast<float>(kSize));
    state->setLightPosition(Vec3(20, 40, 160));
    camera = std::make_unique<TransformStack>(0.0f, 0.0f, 100.0f);
    camera->selectSlot(0);
    camera->setProjection(sceneProjection(1.0f));
    // Mid grey: the textured parts come out (0.5, 0.5, 0.5) times their factor.
    greyBitmap = buildBmp24(4, 4, [](int, int) { return 0x00808080u; });
    overrideResource(9399, kBitmapType, greyBitmap.data(), greyBitmap.size());
    grey = std::make_unique<GLFWTexture>(9399, 4);
}

void SceneGl::TearDown()
{
    clearResourceOverrides();
}

void SceneGl::publish(const SyntheticMesh& mesh)
{
    overrideResource(kVertexResource, kTextFileType, mesh.records.data(), mesh.records.size() * sizeof(VertexRecord));
    overrideResource(kIndexResource, kTextFileType, mesh.indices.data(), mesh.indices.size() * 4);
}

void SceneGl::setClock(int h, int m, int s, float t)
{
    state->setSecondStart(0.0f);
    state->snapshotFrom(h, m, s);
    state->setTime(t);
}

Vec2 SceneGl::project(const Vec3& p) const
{
    const Vec4 clip = camera->projection() * (camera->currentView() * Vec4(p[0], p[1], p[2], 1.0f));
    return Vec2((clip[0] / clip[3] + 1.0f) * 0.5f * kSize, (clip[1] / clip[3] + 1.0f) * 0.5f * kSize);
}

// The four scene programs as embedded, and the drawables' attribute tables.
#include "platform/resources.h"
#include "scene/drawables.h"
#include "scene/vertex_buffer_set.h"
#include "tests/scene/scene_gl_fixture.h"

#include <string>

namespace {

using ProgramsGl = SceneGl;

GLint programParameter(GLuint program, GLenum name)
{
    GLint value = 0;
    glGetProgramiv(program, name, &value);
    return value;
}

} // namespace

TEST_F(ProgramsGl, AllFourCompileAndLink)
{
    for (const char* name : {kBackground, kBigClock, kClockBody, kSecondHand}) {
        GLFWProgram* program = registry->find(name);
        ASSERT_NE(program, nullptr) << name;
        EXPECT_EQ(programParameter(program->programId(), GL_LINK_STATUS), GL_TRUE) << name;
        EXPECT_EQ(programParameter(program->programId(), GL_ATTACHED_SHADERS), 2) << name;
    }
}

TEST_F(ProgramsGl, UniformsTheDrawablesSetAreActive)
{
    const std::pair<const char*, std::vector<const char*>> used[] = {
        {kBigClock, {"model_world", "world_projection", "light_pos", "iTime", "iMinute", "iHour", "copper"}},
        {kClockBody, {"model_world", "world_projection", "light_pos", "s"}},
        {kSecondHand, {"world_projection", "iSecond", "copper"}},
        {kBackground, {"model_projection", "viewportWidth", "viewportHeight"}},
    };
    for (const auto& [program, names] : used)
        for (const char* name : names)
            EXPECT_GE(registry->find(program)->uniformLocation(name), 0) << program << " " << name;
    // Declared but not used: inactive.
    EXPECT_EQ(registry->find(kBackground)->uniformLocation("iTime"), -1);
    EXPECT_EQ(registry->find(kBackground)->uniformLocation("s"), -1);
    // The second hand's fragments ignore the lit colour, so its light is unused.
    EXPECT_EQ(registry->find(kSecondHand)->uniformLocation("light_pos"), -1);
}

TEST_F(ProgramsGl, AttributeTablesHoldThreeEntriesForTheBackgroundAndEightElsewhere)
{
    SyntheticMesh mesh(3);
    mesh.addTriangle(0, Vec3(0, 0, 0), Vec3(1, 0, 0), Vec3(0, 1, 0));
    publish(mesh);
    GLFWDrawableClock clock(state.get(), camera.get(), registry.get(), kBigClock, kVertexResource, 3,
                            kIndexResource, 3);
    GLFWDrawableMesh body(state.get(), camera.get(), registry.get(), kClockBody, kVertexResource, 3,
                          kIndexResource, 3);
    GLFWDrawableSky sky(state.get(), camera.get(), registry.get(), kBackground, 141, 140, 500.0f);
    clock.prepare();
    body.prepare();
    sky.prepare();

    const auto& skyTable = sky.buffers().attributes();
    ASSERT_EQ(skyTable.size(), 3u);
    for (const char* name : {"position", "position_tex", "position_normal"})
        EXPECT_EQ(skyTable.count(name), 1u) << name;
    EXPECT_GE(skyTable.at("position").location, 0);

    for (const GLFWDrawableObject* d : {static_cast<GLFWDrawableObject*>(&clock), static_cast<GLFWDrawableObject*>(&body)}) {
        const auto& table = d->buffers().attributes();
        ASSERT_EQ(table.size(), 8u);
        EXPECT_EQ(table.at("position").components, 3);
        EXPECT_EQ(table.at("position_tex").offset, 3);
        EXPECT_EQ(table.at("material_specular").components, 4);
        EXPECT_EQ(table.at("material_specular").offset, 20);
        EXPECT_GE(table.at("material_diffuse").location, 0);
        // The shaders name their input "position_bitagent": nothing matches.
        EXPECT_EQ(table.at("position_bitangent").location, -1);
    }

    // The background rectangle (OBJ 141 at scale 500) is the two triangles.
    EXPECT_EQ(sky.buffers().indexCount(), 6);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

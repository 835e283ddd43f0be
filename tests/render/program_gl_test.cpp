// Shader programs, the registry and textures on a real OpenGL 3.0 context.
#include "platform/resources.h"
#include "render/program_registry.h"
#include "render/software_renderer.h"
#include "render/texture.h"
#include "tests/render/bmp_builder.h"
#include "tests/render/gl_test_context.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr int kVertexId = 9200;
constexpr int kFragmentId = 9201;
constexpr int kBrokenId = 9202;
constexpr int kBitmapId = 9203;

const std::string kVertexText =
    "#version 130\r\nin vec4 position;\r\nuniform float used;\r\nuniform float unused;\r\n"
    "void main() { gl_Position = position * used; }\r\n//~\r\n";
const std::string kFragmentText =
    "#version 130\r\nvoid main() { gl_FragColor = vec4(1.0); }\r\n//~\r\n";
const std::string kBrokenText = "#version 130\r\nvoid main() { this is not glsl }\r\n//~\r\n";

class ProgramGl : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!context.ok())
            FAIL() << context.why();
        overrideResource(kVertexId, kTextFileType, kVertexText.data(), kVertexText.size());
        overrideResource(kFragmentId, kTextFileType, kFragmentText.data(), kFragmentText.size());
        overrideResource(kBrokenId, kTextFileType, kBrokenText.data(), kBrokenText.size());
    }
    void TearDown() override { clearResourceOverrides(); }

    GlTestContext context{16, 16};
};

GLint linkStatus(GLuint program)
{
    GLint status = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &status);
    return status;
}

} // namespace

TEST_F(ProgramGl, CompilesLinksAndCachesLocations)
{
    GLFWProgram program(kVertexId, kFragmentId);
    EXPECT_EQ(linkStatus(program.programId()), GL_TRUE);
    EXPECT_GE(program.uniformLocation("used"), 0);
    // Declared but unused, and never declared: both −1.
    EXPECT_EQ(program.uniformLocation("unused"), -1);
    EXPECT_EQ(program.uniformLocation("missing"), -1);
    EXPECT_GE(program.attribLocation("position"), 0);
    // "used" was asked for as a uniform; as an attribute it gives the same.
    EXPECT_EQ(program.attribLocation("used"), program.uniformLocation("used"));
}

TEST_F(ProgramGl, AttributeAskedFirstAsUniformReturnsTheUniformAnswer)
{
    GLFWProgram program(kVertexId, kFragmentId);
    EXPECT_EQ(program.uniformLocation("position"), -1);
    EXPECT_EQ(program.attribLocation("position"), -1);
}

TEST_F(ProgramGl, RegistryKeepsTheFirstProgramOfAName)
{
    ProgramRegistry registry;
    EXPECT_EQ(registry.find("P"), nullptr);
    registry.add("P", kVertexId, kFragmentId);
    GLFWProgram* first = registry.find("P");
    ASSERT_NE(first, nullptr);
    registry.add("P", kVertexId, kFragmentId);
    EXPECT_EQ(registry.find("P"), first);

    registry.use("P");
    GLint current = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    EXPECT_EQ(static_cast<GLuint>(current), first->programId());
    registry.use("unknown");  // changes nothing
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    EXPECT_EQ(static_cast<GLuint>(current), first->programId());
}

using ProgramGlDeathTest = ProgramGl;

TEST_F(ProgramGlDeathTest, BrokenVertexShaderShowsItsLogAndExitsWithZero)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(GLFWProgram(kBrokenId, kBrokenId), ::testing::ExitedWithCode(0),
                "Debug: [^\n]*error[^\n]*\n(.*\n)*Debug: Vertex shader compilation error\n$");
}

TEST_F(ProgramGlDeathTest, BrokenFragmentShaderShowsItsLogAndExitsWithZero)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(GLFWProgram(kVertexId, kBrokenId), ::testing::ExitedWithCode(0),
                "Debug: [^\n]*error[^\n]*\n(.*\n)*Debug: Fragment shader compilation error\n$");
}

TEST_F(ProgramGl, TextureHasImmutableLevelsAndBottomUpTexels)
{
    // 4 × 4: red = x · 16, green = y · 16 (y = 0 top), blue 0x99.
    const auto bmp = buildBmp24(4, 4, [](int x, int y) {
        return static_cast<std::uint32_t>(x * 16) | (static_cast<std::uint32_t>(y * 16) << 8) | (0x99u << 16);
    });
    overrideResource(kBitmapId, kBitmapType, bmp.data(), bmp.size());
    GLFWTexture texture(kBitmapId, 4);
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), texture.textureId());

    GLint levels = 0, format = 0, wrapS = 0, wrapT = 0, minFilter = 0, magFilter = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_IMMUTABLE_LEVELS, &levels);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &format);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrapS);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &wrapT);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
    EXPECT_EQ(levels, 2);
    EXPECT_EQ(format, GL_RGBA32F);
    EXPECT_EQ(wrapS, GL_REPEAT);
    EXPECT_EQ(wrapT, GL_REPEAT);
    EXPECT_EQ(minFilter, GL_LINEAR_MIPMAP_LINEAR);
    EXPECT_EQ(magFilter, GL_LINEAR);

    float texels[4 * 4 * 4];
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_FLOAT, texels);
    // Texture row 0 is the picture's bottom row (y = 3).
    EXPECT_FLOAT_EQ(texels[1], 48.0f / 255.0f);
    EXPECT_FLOAT_EQ(texels[4 * (3 * 4 + 2)], 32.0f / 255.0f);
    EXPECT_FLOAT_EQ(texels[4 * (3 * 4 + 2) + 1], 0.0f);
    EXPECT_FLOAT_EQ(texels[2], 0.6f);
    EXPECT_EQ(texels[3], 1.0f);

    // The mipmap chain was generated: level 1 (2 × 2) averages level 0.
    float level1[2 * 2 * 4];
    glGetTexImage(GL_TEXTURE_2D, 1, GL_RGBA, GL_FLOAT, level1);
    EXPECT_NEAR(level1[0], 8.0f / 255.0f, 1e-5f);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ProgramGl, A512TextureHasNineLevelsDownToTwoByTwo)
{
    const auto bmp = buildBmp24(512, 512, [](int x, int y) { return static_cast<std::uint32_t>((x ^ y) & 0xFF); });
    overrideResource(kBitmapId, kBitmapType, bmp.data(), bmp.size());
    GLFWTexture texture(kBitmapId, 512);
    GLint levels = 0, smallest = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_IMMUTABLE_LEVELS, &levels);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 8, GL_TEXTURE_WIDTH, &smallest);
    EXPECT_EQ(levels, 9);
    EXPECT_EQ(smallest, 2);
    if (epoxy_has_gl_extension("GL_EXT_texture_filter_anisotropic")) {
        // The most the implementation offers on a GPU; the default (1) on a
        // software rasterizer, where it can stall a draw for many seconds.
        GLfloat maxAniso = 0.0f, aniso = 0.0f;
        glGetFloatv(GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT, &maxAniso);
        glGetTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT, &aniso);
        EXPECT_EQ(aniso, currentRendererIsSoftware() ? 1.0f : maxAniso)
            << reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// Shader texts for splitting the frame cost by stage (gl_bench, BENCH_STAGE):
// the floor's vertex work with the varyings the scene's fragment shaders
// read, the floor's fragment work for the background, and two cut-down clock
// vertex shaders that keep the lighting, or the lighting and the part
// ranges, but move nothing.
#pragma once

#include <string>

// Position through model_projection; the clock's varyings from the record
// alone (only the clock face is told apart, so the same fragments are drawn).
// The colour flags are zero but not constants: a constant output would be
// folded into the fragment shader at link time and take its texture reads
// away with it.
inline constexpr const char* kStageClockVertex = R"(#version 130
in vec4 position;
in vec2 position_tex;
in vec3 material_diffuse;
uniform mat4 model_projection;
out vec4 color;
out vec2 fs_tex;
out float isVisible;
out vec3 isCopperRedSteel;
void main()
{
    gl_Position = model_projection * position;
    color = vec4(material_diffuse, 1.0);
    fs_tex = position_tex;
    isVisible = (gl_VertexID >= 8418 && gl_VertexID <= 13970) ? 0.0 : 1.0;
    isCopperRedSteel = vec3(gl_VertexID < 0 ? 1.0 : 0.0);
}
)";

// The body's varyings (the second hand's fragment shader reads only the
// first two).
inline constexpr const char* kStageBodyVertex = R"(#version 130
in vec4 position;
in vec2 position_tex;
in vec3 material_diffuse;
uniform mat4 model_projection;
out vec4 color;
out vec2 fs_tex;
out vec2 isClockFaceAndPin;
void main()
{
    gl_Position = model_projection * position;
    color = vec4(material_diffuse, 0.4);
    fs_tex = position_tex;
    isClockFaceAndPin = vec2(gl_VertexID < 0 ? 1.0 : 0.0);
}
)";

inline constexpr const char* kStageBackgroundFragment = R"(#version 130
in vec2 fs_tex;
void main()
{
    gl_FragColor = vec4(fs_tex, 0.15, 1.0);
}
)";

// The declarations and the lighting of the scene's clock vertex shader, shared
// by the two cut-down versions below.
inline constexpr const char* kStageClockDeclarations = R"(#version 130
in vec4 position;
in vec2 position_tex;
in vec3 position_normal;
in vec3 material_ambient;
in vec3 material_diffuse;
in vec4 material_specular;
uniform mat4 model_world;
uniform mat4 world_projection;
uniform vec3 light_pos;
out vec4 color;
out vec2 fs_tex;
out float isVisible;
out vec3 isCopperRedSteel;
bool inRange(int id, int first, int last)
{
    return id >= first && id <= last;
}
)";
inline constexpr const char* kStageClockLighting = R"(
    vec4 P = model_world * position;
    vec3 N = normalize((model_world * vec4(position_normal, 0.0)).xyz);
    vec3 L = normalize(light_pos - P.xyz);
    vec3 V = normalize(-P.xyz);
    vec3 R = reflect(-L, N);
    vec3 diffuse = max(dot(N, L), 0.0) * material_diffuse;
    vec3 specular = pow(max(dot(R, V), 0.0), material_specular.w) * material_specular.xyz;
    color = vec4(0.4 * material_ambient + diffuse + specular, 1.0);
    gl_Position = world_projection * P;
    fs_tex = position_tex;
)";

// The clock's lighting and varyings; the part ranges only as far as the
// clock face needs one (the flags zero, not constant, as above).
inline const std::string kStageClockLightingOnly = std::string(kStageClockDeclarations) + R"(
void main()
{)" + kStageClockLighting + R"(
    isVisible = inRange(gl_VertexID, 8418, 13970) ? 0.0 : 1.0;
    isCopperRedSteel = vec3(gl_VertexID < 0 ? 1.0 : 0.0);
}
)";

// The clock's lighting, the part ranges that set the colour flags and those
// flags, as the shader computed them before its motion was reworded; no
// motion (the motion groups' ranges are left out with it).
inline const std::string kStageClockRangesNoMotion = std::string(kStageClockDeclarations) + R"(
void main()
{
    int id = gl_VertexID;
    bool pendulumBob = inRange(id, 101082, 102414);
    bool pendulumRod = inRange(id, 118113, 118484);
    bool pendulumHead = inRange(id, 118485, 120218);
    bool escapement = inRange(id, 3396, 6137);
    bool gear26 = inRange(id, 77331, 79442);
    bool gear25Inner = inRange(id, 97488, 98501);
    bool gear35Inner = inRange(id, 55971, 56018);
    bool gear38Inner = inRange(id, 29378, 30452);
    bool gear46Inner = inRange(id, 22737, 23696);
    bool minuteHand = inRange(id, 13971, 14810);
    bool hourHand = inRange(id, 40389, 41258);
    bool clockFace = inRange(id, 8418, 13970);)" + kStageClockLighting + R"(
    isVisible = clockFace ? 0.0 : 1.0;
    isCopperRedSteel = vec3(0.0);
    if (pendulumBob || pendulumHead)
        isCopperRedSteel.x = 1.0;
    if (gear35Inner || gear25Inner || gear38Inner || gear46Inner || escapement)
        isCopperRedSteel.x = 1.5;
    if (minuteHand || hourHand)
        isCopperRedSteel.y = 1.0;
    if (gear26 || pendulumRod)
        isCopperRedSteel.z = 1.2;
}
)";

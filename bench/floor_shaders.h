// The simplest shaders that read the same vertex attributes as the scene's
// programs: position through model_projection, every other attribute summed
// into one colour so none is optimised away. They replace the scene's shader
// texts for the frame-cost floor.
#pragma once

inline constexpr const char* kFloorRecordVertex = R"(#version 130
in vec4 position;
in vec2 position_tex;
in vec3 position_normal;
in vec3 position_tangent;
in vec3 position_bitagent;
in vec3 material_ambient;
in vec3 material_diffuse;
in vec4 material_specular;
uniform mat4 model_projection;
out vec4 color;
void main()
{
    gl_Position = model_projection * position;
    color = vec4(position_tex, 0.0, 1.0) + material_specular +
            vec4(position_normal + position_tangent + position_bitagent + material_ambient + material_diffuse, 0.0);
}
)";

inline constexpr const char* kFloorBackgroundVertex = R"(#version 130
in vec4 position;
in vec2 position_tex;
uniform mat4 model_projection;
out vec4 color;
void main()
{
    gl_Position = model_projection * position;
    color = vec4(position_tex, 0.5, 1.0);
}
)";

inline constexpr const char* kFloorFragment = R"(#version 130
in vec4 color;
void main()
{
    gl_FragColor = color;
}
)";

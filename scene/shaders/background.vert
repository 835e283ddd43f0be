#version 130
// Background rectangle: placed by its matrices; the colour is made from the
// window position alone in the fragment shader.

in vec4 position;
in vec2 position_tex;
in vec3 position_normal;

uniform mat4 model_world;
uniform mat4 world_projection;
uniform mat4 model_projection;

out vec2 fs_tex;

void main()
{
    gl_Position = model_projection * position;
    fs_tex = position_tex;
}
//~

#version 130
// Second hand: red brass, the brass texture with full red.

uniform sampler2D copper;

in vec4 color;
in vec2 fs_tex;

void main()
{
    vec4 colour = texture(copper, fs_tex * 0.10);
    colour.r = 1.0;
    gl_FragColor = colour;
}
//~

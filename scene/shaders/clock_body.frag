#version 130
// Clock body: the dial, pins and spacers take the brass texture over a fifth
// of the lit colour; the rest is the lit, translucent shell.

uniform sampler2D s;

in vec4 color;
in vec2 fs_tex;
in vec2 isClockFaceAndPin;

void main()
{
    vec4 colour = color;
    if (isClockFaceAndPin.x >= 0.5 || isClockFaceAndPin.y >= 0.5)
        colour = color * 0.2 + texture(s, fs_tex * 0.20);
    gl_FragColor = colour;
}
//~

#version 130
// Clock movement: the lit colour, or the brass texture for the copper, red
// brass and steel parts; the clock face of this mesh is never drawn.

uniform sampler2D copper;

in vec4 color;
in vec2 fs_tex;
in float isVisible;
in vec3 isCopperRedSteel;

void main()
{
    if (isVisible <= 0.5)
        discard;
    vec4 T = texture(copper, fs_tex * 0.10);
    vec4 colour = color;
    if (isCopperRedSteel.x >= 0.5)
        colour = T * isCopperRedSteel.x;
    if (isCopperRedSteel.y >= 0.5) {
        colour = T * isCopperRedSteel.y;
        colour.r = 1.0;
    }
    if (isCopperRedSteel.z >= 0.5) {
        vec4 K = T * isCopperRedSteel.z;
        float g = (K.r + K.g + K.b) / 3.0;
        colour = vec4(g, g, g, 1.0);
    }
    gl_FragColor = colour;
}
//~

#version 130
// Background: a dark backdrop with a staggered dot pattern and brass frame
// lines on the inner side and top of the two lower inset thirds, all in
// window coordinates.

uniform sampler2D s;
uniform float iTime;
uniform float viewportWidth;
uniform float viewportHeight;

in vec2 fs_tex;

const float ONE_THIRD = 1.0 / 3.0;
const float TWO_THIRDS = 2.0 / 3.0;
const vec4 FRAME_COLOUR = vec4(0.75, 0.6, 0.4, 0.0);

// s²(3 − 2s), s = clamp((x − lo) / (hi − lo), 0, 1); lo > hi fades the other way.
float smooth_step(float lo, float hi, float x)
{
    float s = clamp((x - lo) / (hi - lo), 0.0, 1.0);
    return s * s * (3.0 - 2.0 * s);
}

bool between(float x, float lo, float hi)
{
    return x >= lo && x <= hi;
}

void main()
{
    vec4 colour = vec4(0.15, 0.15, 0.15, 1.0);
    float u = gl_FragCoord.x / viewportWidth;
    float v = gl_FragCoord.y / viewportHeight;
    float ratio = viewportWidth / viewportHeight;

    // Dots: 100 across, 100 / ratio rows, odd rows shifted by half a step.
    float r = 0.006;
    float r2 = r * r;
    float step_u = 1.0 / 100.0;
    float step_v = ratio / 100.0;
    float v_dist = v - floor(v / step_v) * step_v;
    int row = int(floor(v / step_v));
    if (v_dist > step_v - v_dist)
        row += 1;
    v_dist = min(v_dist, step_v - v_dist);
    float shift = 0.0;
    if (float(row) / 2.0 - floor(float(row) / 2.0) > 0.25)
        shift = step_u / 2.0;
    float u_dist = u - floor((u + shift) / step_u) * step_u;
    u_dist = min(u_dist + shift, step_u - u_dist - shift);
    float dist = u_dist * u_dist * ratio * ratio + v_dist * v_dist;
    if (dist < r2)
        colour.rgb -= vec3(0.15 * smooth_step(r2, 0.0, dist));

    // Frame lines, brightest where they touch an inset, fading outward over w
    // (w / ratio across, so that both widths are equal in pixels).
    float w = 0.007;
    float wu = w / ratio;
    bool lowerThird = between(v, 0.0, ONE_THIRD);
    bool topBand = between(v, ONE_THIRD, ONE_THIRD + w);
    bool leftBand = between(u, ONE_THIRD, ONE_THIRD + wu);
    bool rightBand = between(u, TWO_THIRDS - wu, TWO_THIRDS);
    float leftFade = smooth_step(ONE_THIRD + wu, ONE_THIRD, u);
    float rightFade = smooth_step(TWO_THIRDS - wu, TWO_THIRDS, u);
    float topFade = smooth_step(ONE_THIRD + w, ONE_THIRD, v);
    if (leftBand && lowerThird)
        colour += FRAME_COLOUR * leftFade;
    if (rightBand && lowerThird)
        colour += FRAME_COLOUR * rightFade;
    if (leftBand && topBand)
        colour += FRAME_COLOUR * leftFade * topFade;
    if (rightBand && topBand)
        colour += FRAME_COLOUR * rightFade * topFade;
    if (topBand && (between(u, TWO_THIRDS, 1.0) || between(u, 0.0, ONE_THIRD)))
        colour += FRAME_COLOUR * topFade;

    gl_FragColor = colour;
}
//~

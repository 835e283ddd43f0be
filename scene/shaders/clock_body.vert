#version 130
// Clock body: the dial, translucent plates and opaque pins and spacers; no
// motion, lit per vertex.

in vec4 position;
in vec2 position_tex;
in vec3 position_normal;
in vec3 position_tangent;
in vec3 position_bitagent;
in vec3 material_ambient;
in vec3 material_diffuse;
in vec4 material_specular;

uniform mat4 model_world;
uniform mat4 world_projection;
uniform mat4 model_projection;
uniform vec3 light_pos;

out vec4 color;
out vec2 fs_tex;
out vec2 isClockFaceAndPin;

bool inRange(int id, int first, int last)
{
    return id >= first && id <= last;
}

void main()
{
    int id = gl_VertexID;
    bool clockFace = inRange(id, 18156, 24962);
    bool pinsAndSpacers = inRange(id, 0, 6143) || inRange(id, 11316, 18155);

    // Lighting in world space; the eye is taken to be at the world origin.
    vec4 P = model_world * position;
    vec3 N = normalize((model_world * vec4(position_normal, 0.0)).xyz);
    vec3 L = normalize(light_pos - P.xyz);
    vec3 V = normalize(-P.xyz);
    vec3 R = reflect(-L, N);
    vec3 diffuse = max(dot(N, L), 0.0) * material_diffuse;
    vec3 specular = pow(max(dot(R, V), 0.0), material_specular.w) * material_specular.xyz;
    float alpha = (clockFace || pinsAndSpacers) ? 1.0 : 0.4;
    color = vec4(1.0 * material_ambient + diffuse + specular, alpha);

    gl_Position = world_projection * P;
    fs_tex = position_tex;
    isClockFaceAndPin = vec2(clockFace ? 1.0 : 0.0, pinsAndSpacers ? 1.0 : 0.0);
}
//~
